// The My Cards window with fifty cards whose plan runs about thirty years
// (roughly 17,000 schedule rows), shown on the platform QT_QPA_PLATFORM names.
//
//   BM_KeystrokeRecompute   one keystroke's worth of change to a card's payment:
//                           the plan, the comparison, the card's statement
//                           figures, the tables, the schedule model and the
//                           chart's data worked out again
//   BM_KeystrokeAndPaint    a key typed into the payment cell's editor, and
//                           everything it changed laid out and painted: what a
//                           person waits for at every keystroke
//   BM_KeystrokeAndWholeWindow  the recompute, then the whole window painted
//                           (more than a keystroke repaints)
//   BM_PointerOnChart       the chart's read-out moved by one month and painted
//   BM_ScheduleScroll       the schedule view scrolled by a page and painted
#include <QApplication>
#include <QLineEdit>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <benchmark/benchmark.h>
#include <memory>
#include <random>

#include "FakePlatform.h"
#include "planner/BalanceChart.h"
#include "planner/CardsModel.h"
#include "planner/MyCards.h"
#include "planner/ScheduleModel.h"
#include "WidgetBenchMain.h"

using namespace quenmark;

namespace {

// Fifty cards whose payments barely beat their interest.
StoredPlan FiftyCards()
{
    std::mt19937 gen(50);
    std::uniform_int_distribution<int> apr(990, 2490), balance(50000, 900000);
    StoredPlan plan;
    for (int i = 0; i < 50; ++i) {
        StoredCard c;
        c.name = QStringLiteral("Card %1").arg(i + 1);
        c.apr = apr(gen) / 100.0;
        c.balance = balance(gen) / 100.0;
        c.payment = static_cast<int>(c.balance * (c.apr / 1200 + 0.00003) * 100) / 100.0 + 0.01;
        plan.cards.append(c);
    }
    return plan;
}

struct Window
{
    FakePlatform fake;
    QTemporaryDir dir;
    std::unique_ptr<MyCardsWindow> w;

    explicit Window(int tab)
    {
        const QString path = dir.filePath(QStringLiteral("cards.json"));
        CardStore(path).save(FiftyCards());
        w = std::make_unique<MyCardsWindow>(nullptr, path);
        w->resize(1000, 800);
        w->findChild<QTabWidget*>(QStringLiteral("ResultTabs"))->setCurrentIndex(tab);
        w->show();
        (void)QTest::qWaitForWindowExposed(w.get());
    }
};

void Counters(benchmark::State& st, const Window& win)
{
    st.counters["plan_months"] = win.w->plan().months;
    st.counters["schedule_rows"] = win.w->scheduleModel()->rowCount();
}

void Keystrokes(benchmark::State& st, bool paintWholeWindow)
{
    Window win(0);
    CardsModel* model = win.w->cardsModel();
    const QModelIndex payment = model->index(17, CardsModel::Payment);
    const QString base = payment.data(Qt::EditRole).toString();
    int i = 0;
    for (auto _ : st) {
        // What the cell editor hands over at every keystroke: the text so far.
        model->setData(payment, base + QString::number(i++ % 10));
        if (paintWholeWindow)
            win.w->repaint();
    }
    Counters(st, win);
}

void BM_KeystrokeRecompute(benchmark::State& st)
{
    Keystrokes(st, false);
}
BENCHMARK(BM_KeystrokeRecompute)->Unit(benchmark::kMillisecond);

void BM_KeystrokeAndWholeWindow(benchmark::State& st)
{
    Keystrokes(st, true);
}
BENCHMARK(BM_KeystrokeAndWholeWindow)->Unit(benchmark::kMillisecond);

void BM_KeystrokeAndPaint(benchmark::State& st)
{
    Window win(0);
    auto* view = win.w->findChild<QTableView*>(QStringLiteral("CardsTable"));
    const QModelIndex payment = win.w->cardsModel()->index(17, CardsModel::Payment);
    view->setFocus();
    view->setCurrentIndex(payment);
    view->edit(payment);
    auto* editor = view->viewport()->findChild<QLineEdit*>();
    if (!editor) {
        st.SkipWithError("no cell editor");
        return;
    }
    editor->end(false);
    QCoreApplication::processEvents();
    int i = 0;
    for (auto _ : st) {
        // A cent more, then the key taken back: the payment changes every time.
        if (i++ % 2 == 0)
            QTest::keyClick(editor, Qt::Key_9);
        else
            QTest::keyClick(editor, Qt::Key_Backspace);
        QCoreApplication::processEvents();
    }
    Counters(st, win);
}
BENCHMARK(BM_KeystrokeAndPaint)->Unit(benchmark::kMillisecond);

void BM_PointerOnChart(benchmark::State& st)
{
    Window win(0);
    auto* chart = win.w->findChild<BalanceChart*>();
    int month = 0;
    for (auto _ : st) {
        chart->setCursorMonth(month++ % chart->months());
        chart->repaint();
    }
    Counters(st, win);
}
BENCHMARK(BM_PointerOnChart)->Unit(benchmark::kMillisecond);

void BM_ScheduleScroll(benchmark::State& st)
{
    Window win(1);
    auto* view = win.w->findChild<QTableView*>(QStringLiteral("ScheduleView"));
    QScrollBar* bar = view->verticalScrollBar();
    for (auto _ : st) {
        const int next = bar->value() + bar->pageStep();
        bar->setValue(next > bar->maximum() ? 0 : next);
        view->viewport()->repaint();
    }
    Counters(st, win);
}
BENCHMARK(BM_ScheduleScroll)->Unit(benchmark::kMicrosecond);

} // namespace

QUENMARK_WIDGET_BENCHMARK_MAIN()
