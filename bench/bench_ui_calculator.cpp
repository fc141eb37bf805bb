// The payoff calculator page driven for real: a shown chapter-2 window, the
// boxes filled, "Calculate" pressed, every display update painted. Runs on the
// platform QT_QPA_PLATFORM names (offscreen, or xcb under xvfb-run).
//
//   BM_CalculatorLongRun   $100,000.00 at 30 % paying $2,601.00 (5,381 months)
//   BM_CalculatorWorstRun  the largest balance at 30 % with the least accepted payment
//   BM_EngineOnly*         the same runs without a window, for where the time goes
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <benchmark/benchmark.h>
#include <memory>

#include "FakePlatform.h"
#include "core/AmountReader.h"
#include "core/Payoff.h"
#include "lessons/Chapt02.h"

using namespace quenmark;

namespace {

struct Page
{
    FakePlatform fake;
    std::unique_ptr<TChapter_002> w = std::make_unique<TChapter_002>();
    QPushButton* go = nullptr;
    int yields = 0;

    Page()
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
    QString payments() const { return w->findChild<QLineEdit*>(QStringLiteral("EditStdPayments"))->text(); }
};

const QString kLargest = QString::number(kLargestAmount, 'f', 2);

void runCalculator(benchmark::State& st, const QString& apr, const QString& balance, const QString& payment)
{
    Page page;
    page.enter(apr, balance, payment);
    page.go->click(); // a too-low payment is raised here; nothing runs
    page.fake.clear();
    int runs = 0;
    for (auto _ : st) {
        page.yields = 0;
        page.go->click();
        ++runs;
    }
    const PayoffState& last = page.w->payoffRunner().lastState();
    st.counters["months"] = last.MonthCount;
    st.counters["updates"] = page.yields + 2; // month 1, every seventh month, the end
    st.counters["messages"] = static_cast<double>(page.fake.messages.size());
    st.SetLabel(QStringLiteral("%1 payments").arg(page.payments()).toStdString());
    (void)runs;
}

void BM_CalculatorLongRun(benchmark::State& st)
{
    runCalculator(st, QStringLiteral("30"), QStringLiteral("100000"), QStringLiteral("2601"));
}
BENCHMARK(BM_CalculatorLongRun)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_CalculatorWorstRun(benchmark::State& st)
{
    runCalculator(st, QStringLiteral("30"), kLargest, QStringLiteral("0"));
}
BENCHMARK(BM_CalculatorWorstRun)->Unit(benchmark::kMillisecond)->MinTime(2.0);

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

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
