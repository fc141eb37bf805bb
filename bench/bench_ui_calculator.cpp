// The calculator pages driven for real: a shown chapter window, the boxes
// filled, "Calculate" pressed, every display update drawn. Runs on the platform
// QT_QPA_PLATFORM names (offscreen, or xcb under xvfb-run); the display's flush
// interval runs on the real clock.
//
//   BM_Chapter2LongRun     $100,000.00 at 30 % paying $2,601.00 (5,381 months)
//   BM_Chapter2WorstRun    the largest balance at 30 % with the least accepted payment
//   BM_Chapter7WorstPair*  the longest pair of runs chapter 7's inputs allow, as a
//                          card and as a loan: the largest balance at APR 0 with
//                          the least accepted payment (balance / 1200), extra $5;
//                          both panels drawn
//   BM_Chapter7Apr30Pair   the largest balance at 30 % as a card, extra $5
//   BM_EarlierPanel*       the same runs shown in the earlier result panel (line
//                          edits and a style-drawn progress bar, one synchronous
//                          repaint per update), in the same process, for comparison
//   BM_EngineOnly*         the same runs without a window, for where the time goes
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegion>
#include <QTest>
#include <benchmark/benchmark.h>
#include <memory>

#include "FakePlatform.h"
#include "common/Layout.h"
#include "core/AmountReader.h"
#include "core/Payoff.h"
#include "core/MoneyText.h"
#include "lessons/Chapt02.h"
#include "lessons/Chapt07.h"
#include "WidgetBenchMain.h"

using namespace quenmark;

namespace {

// Messages are recorded, the clock is the real one.
struct BenchPlatform : FakePlatform
{
    std::uint64_t tickMs() override { return QtPlatform().tickMs(); }
};

const QString kLargest = QString::number(kLargestAmount, 'f', 2);

// ---- chapter 2's page ------------------------------------------------------------------

struct Chapter2Page
{
    BenchPlatform fake;
    std::unique_ptr<TChapter_002> w = std::make_unique<TChapter_002>();
    QPushButton* go = nullptr;
    int yields = 0;

    Chapter2Page()
    {
        w->show();
        (void)QTest::qWaitForWindowExposed(w.get());
        auto* next = w->findChild<QPushButton*>(QStringLiteral("BtnNext"));
        while (w->currentPage() < 8)
            next->click();
        go = w->findChild<QPushButton*>(QStringLiteral("BtnGoFigure"));
        w->payoffRunner().onYield = [this](const PayoffState&) { ++yields; };
    }
    void enter(const QString& apr, const QString& balance, const QString& payment)
    {
        w->findChild<QLineEdit*>(QStringLiteral("EditApr"))->setText(apr);
        w->findChild<QLineEdit*>(QStringLiteral("EditBal"))->setText(balance);
        w->findChild<QLineEdit*>(QStringLiteral("EditPmt"))->setText(payment);
    }
    QString payments() const { return w->findChild<ResultBox*>(QStringLiteral("EditStdPayments"))->text(); }
};

void runChapter2(benchmark::State& st, const QString& apr, const QString& balance, const QString& payment)
{
    Chapter2Page page;
    page.enter(apr, balance, payment);
    page.go->click(); // a too-low payment is raised here; nothing runs
    page.fake.clear();
    const LiveSurface* surface = page.w->liveSurface();
    int flushes = 0;
    int draws = 0;
    for (auto _ : st) {
        page.yields = 0;
        const int f = surface->flushCount();
        const int d = surface->drawCount();
        page.go->click();
        flushes = surface->flushCount() - f;
        draws = surface->drawCount() - d;
    }
    const PayoffState& last = page.w->payoffRunner().lastState();
    st.counters["months"] = last.MonthCount;
    st.counters["updates"] = page.yields + 2; // month 1, every seventh month, the end
    st.counters["draws"] = draws;
    st.counters["flushes"] = flushes;
    st.counters["messages"] = static_cast<double>(page.fake.messages.size());
    st.SetLabel(QStringLiteral("%1 payments").arg(page.payments()).toStdString());
}

void BM_Chapter2LongRun(benchmark::State& st)
{
    runChapter2(st, QStringLiteral("30"), QStringLiteral("100000"), QStringLiteral("2601"));
}
BENCHMARK(BM_Chapter2LongRun)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_Chapter2WorstRun(benchmark::State& st)
{
    runChapter2(st, QStringLiteral("30"), kLargest, QStringLiteral("0"));
}
BENCHMARK(BM_Chapter2WorstRun)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// ---- chapter 7's page ------------------------------------------------------------------

struct Chapter7Page
{
    BenchPlatform fake;
    std::unique_ptr<TChapter_007> w = std::make_unique<TChapter_007>();
    QPushButton* go = nullptr;
    QLineEdit* name = nullptr;
    int yields = 0;

    Chapter7Page()
    {
        w->show();
        (void)QTest::qWaitForWindowExposed(w.get());
        auto* next = w->findChild<QPushButton*>(QStringLiteral("BtnNext"));
        while (w->currentPage() < 5)
            next->click();
        go = w->findChild<QPushButton*>(QStringLiteral("BtnCalculate"));
        name = w->findChild<QLineEdit*>(QStringLiteral("EditName"));
        w->payoffRunner().onYield = [this](const PayoffState&) { ++yields; };
    }
    QString payments(int panel) const
    {
        return w->findChild<ResultBox*>(QStringLiteral("TotalPayments%1").arg(panel))->text();
    }
};

void runChapter7(benchmark::State& st, const QString& apr, const QString& balance, bool loan)
{
    Chapter7Page page;
    page.w->findChild<QLineEdit*>(QStringLiteral("EditApr"))->setText(apr);
    page.w->findChild<QLineEdit*>(QStringLiteral("EditBal"))->setText(balance);
    page.w->findChild<QLineEdit*>(QStringLiteral("EditPmt"))->setText(QStringLiteral("0.01"));
    page.w->findChild<QComboBox*>(QStringLiteral("TreatLike"))->setCurrentIndex(loan ? 1 : 0);
    page.go->click(); // the payment is raised to the least accepted; nothing runs
    page.go->click(); // APR 0: the first check suggests balance / 36, so set the least again
    page.w->findChild<QLineEdit*>(QStringLiteral("EditPmt"))->setText(QStringLiteral("0.01"));
    page.go->click();
    page.fake.clear();
    const LiveSurface* surface = page.w->liveSurface();
    int flushes = 0;
    int draws = 0;
    int runs = 0;
    int i = 0;
    for (auto _ : st) {
        page.name->setText(QString::number(++i)); // both panels stale: both run
        page.yields = 0;
        const int f = surface->flushCount();
        const int d = surface->drawCount();
        const int r = page.w->payoffRunner().runsStarted();
        page.go->click();
        flushes = surface->flushCount() - f;
        draws = surface->drawCount() - d;
        runs = page.w->payoffRunner().runsStarted() - r;
    }
    st.counters["runs"] = runs;
    st.counters["updates"] = page.yields + 4; // per run: month 1, every seventh month, the end
    st.counters["draws"] = draws;
    st.counters["flushes"] = flushes;
    st.counters["messages"] = static_cast<double>(page.fake.messages.size());
    st.SetLabel(QStringLiteral("%1 + %2 payments, payment %3")
                    .arg(page.payments(1), page.payments(2),
                         page.w->findChild<QLineEdit*>(QStringLiteral("EditPmt"))->text())
                    .toStdString());
}

void BM_Chapter7WorstPairCard(benchmark::State& st)
{
    runChapter7(st, QStringLiteral("0"), kLargest, false);
}
BENCHMARK(BM_Chapter7WorstPairCard)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_Chapter7WorstPairLoan(benchmark::State& st)
{
    runChapter7(st, QStringLiteral("0"), kLargest, true);
}
BENCHMARK(BM_Chapter7WorstPairLoan)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_Chapter7Apr30Pair(benchmark::State& st)
{
    runChapter7(st, QStringLiteral("30"), kLargest, false);
}
BENCHMARK(BM_Chapter7Apr30Pair)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// ---- the earlier panel ---------------------------------------------------------------
// The result panel as chapter 2 had it: read-only line edits without frames
// inside bordered labels, a QProgressBar, each update written into the changed
// controls and repainted at once with one synchronous repaint of their area.

struct EarlierPanel
{
    std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
    QWidget* panel = nullptr;
    QProgressBar* gauge = nullptr;
    QLineEdit* boxes[6] = {};

    EarlierPanel()
    {
        window->resize(640, 480);
        setBackground(window.get(), colour::silver);
        CellSpec spec;
        spec.rect = QRect(269, 117, 308, 192);
        spec.background = colour::teal;
        spec.kind = CellKind::Panel;
        panel = makeCell(window.get(), spec);
        gauge = new QProgressBar(panel);
        gauge->setGeometry(8, 10, 292, 22);
        gauge->setRange(0, 100);
        gauge->setTextVisible(true);
        const QRect rects[6] = {{124, 40, 52, 22},   {208, 40, 52, 22},   {124, 70, 172, 22},
                                {124, 100, 172, 22}, {124, 130, 172, 22}, {124, 160, 172, 22}};
        for (int i = 0; i < 6; ++i) {
            CellSpec border;
            border.rect = rects[i].adjusted(-1, -1, 1, 1);
            border.background = colour::white;
            border.kind = CellKind::Panel;
            makeCell(panel, border)->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            auto* box = new QLineEdit(panel);
            box->setGeometry(rects[i].adjusted(1, 1, -1, -1));
            box->setReadOnly(true);
            box->setFrame(false);
            box->setAttribute(Qt::WA_OpaquePaintEvent);
            box->setFocusPolicy(Qt::NoFocus);
            box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            box->setFont(arialPx(13, true));
            boxes[i] = box;
        }
        window->show();
        (void)QTest::qWaitForWindowExposed(window.get());
    }

    void show(const PayoffState& state)
    {
        QRegion changed;
        auto write = [&](QLineEdit* box, const QString& text) {
            if (box->text() != text) {
                box->setText(text);
                changed += box->geometry();
            }
        };
        if (gauge->value() != state.ProgressPercent) {
            gauge->setValue(state.ProgressPercent);
            changed += gauge->geometry();
        }
        auto dollars = [](double v) { return QLatin1Char('$') + QString::fromStdString(AmountToText(v)); };
        write(boxes[0], QString::number(state.Years));
        write(boxes[1], QString::number(state.ExtraMonths));
        write(boxes[2], QString::fromStdString(CountToText(state.MonthCount)));
        write(boxes[3], dollars(state.TotalInterest));
        write(boxes[4], dollars(state.TotalPaid));
        write(boxes[5], dollars(state.AveragePayment));
        if (!changed.isEmpty())
            panel->repaint(changed);
    }
};

struct EarlierObserver : PayoffObserver
{
    EarlierPanel& panel;
    int updates = 0;
    explicit EarlierObserver(EarlierPanel& p) : panel(p) {}
    void notify(const PayoffState& state) override
    {
        ++updates;
        panel.show(state);
    }
    void yield() override { QApplication::processEvents(); }
};

void runEarlierPanel(benchmark::State& st, double balance, double payment)
{
    EarlierPanel panel;
    int updates = 0;
    PayoffState state;
    for (auto _ : st) {
        EarlierObserver observer(panel);
        state = PayoffState{};
        RunPayoff(30.0, balance, payment, PayoffOptions::payoffCalculator(), state, &observer);
        updates = observer.updates;
    }
    st.counters["months"] = state.MonthCount;
    st.counters["updates"] = updates;
}

// Chapter 7's worst pair (APR 0, as a card) in two earlier panels, one run each.
void BM_EarlierPanelWorstPairCard(benchmark::State& st)
{
    EarlierPanel left;
    EarlierPanel right;
    const double payment = MinimumAcceptablePayment(0.0, kLargestAmount, CalculatorKind::ExtraMoney);
    int updates = 0;
    int months = 0;
    for (auto _ : st) {
        EarlierObserver first(left);
        EarlierObserver second(right);
        PayoffState a;
        PayoffState b;
        RunPayoff(0.0, kLargestAmount, payment, PayoffOptions::extraMoneyCalculator(0, false), a, &first);
        RunPayoff(0.0, kLargestAmount, payment, PayoffOptions::extraMoneyCalculator(5, false), b, &second);
        updates = first.updates + second.updates;
        months = a.MonthCount + b.MonthCount;
    }
    st.counters["months"] = months;
    st.counters["updates"] = updates;
}
BENCHMARK(BM_EarlierPanelWorstPairCard)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_EarlierPanelLongRun(benchmark::State& st)
{
    runEarlierPanel(st, 100000.0, 2601.0);
}
BENCHMARK(BM_EarlierPanelLongRun)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_EarlierPanelWorstRun(benchmark::State& st)
{
    runEarlierPanel(st, kLargestAmount, MinimumAcceptablePayment(30.0, kLargestAmount));
}
BENCHMARK(BM_EarlierPanelWorstRun)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// ---- the engine alone ----------------------------------------------------------------

void engineOnly(benchmark::State& st, double balance, double payment)
{
    for (auto _ : st) {
        PayoffState state;
        RunPayoff(30.0, balance, payment, PayoffOptions::payoffCalculator(), state, nullptr);
        benchmark::DoNotOptimize(state.TotalPaid);
        st.counters["months"] = state.MonthCount;
    }
}

void BM_EngineOnlyLongRun(benchmark::State& st)
{
    engineOnly(st, 100000.0, 2601.0);
}
BENCHMARK(BM_EngineOnlyLongRun)->Unit(benchmark::kMillisecond);

void BM_EngineOnlyWorstRun(benchmark::State& st)
{
    engineOnly(st, kLargestAmount, MinimumAcceptablePayment(30.0, kLargestAmount));
}
BENCHMARK(BM_EngineOnlyWorstRun)->Unit(benchmark::kMillisecond);

} // namespace

QUENMARK_WIDGET_BENCHMARK_MAIN()
