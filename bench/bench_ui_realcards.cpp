// Speed of what real cards add to My Cards, with 100 and 1,000 cards whose
// plans end in about 5 or about 30 years: printing the plan as a PDF (made in
// memory: pages, bytes and resident memory as counters), laying out its pages,
// the saved file written and read back, cards exported to and imported from a
// plan file, and the "debt-free by" answer as its panel works it out.
//
//   BM_PrintPdf/set/cards       the whole PDF (set 0: 5 years, 1: 30 years)
//   BM_PrintLayOut/set/cards    the pages laid out only
//   BM_StoreRoundTrip/cards     toJson + fromJson of the saved file
//   BM_CsvRoundTrip/cards       CardsCsvText + ReadCardsCsv
//   BM_DebtFreeBy/cards         DebtFreeByPanel::result() for 36 months (5-year set)
#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <benchmark/benchmark.h>
#include <random>
#include <vector>

#include "FakePlatform.h"
#include "WidgetBenchMain.h"
#include "core/Payoff.h"
#include "planner/CardStore.h"
#include "planner/CardsCsv.h"
#include "planner/DebtFreeByPanel.h"
#include "planner/PlanInputs.h"
#include "planner/PlanPrinter.h"

using namespace quenmark;

namespace {

// Cards of $500 to $9,000 at 9.9 % to 24.9 %: payments of about 3 % of the
// balance with some promotions and minimum rules (about 5 years), or barely
// above the interest (about 30 years).
std::vector<PlanCard> Cards(bool thirtyYears, int count)
{
    std::mt19937 gen(1000);
    std::uniform_int_distribution<int> apr(990, 2490), balance(50000, 900000), pick(0, 9);
    std::vector<PlanCard> cards(static_cast<std::size_t>(count));
    for (PlanCard& c : cards) {
        c.apr = apr(gen);
        c.balance = balance(gen);
        if (thirtyYears) {
            c.payment = InterestCents(c.balance, PlanRate(c.apr)) + c.balance / 20000 + 1;
            continue;
        }
        c.payment = c.balance * 3 / 100;
        if (pick(gen) == 0) {
            c.promoApr = 0;
            c.promoMonths = 12;
        }
        if (pick(gen) == 1) {
            c.hasMinimum = true;
            c.minPercent = 100;
            c.minFloor = 2500;
            c.minPlusInterest = true;
        }
    }
    return cards;
}

PlanBudget Budget(bool thirtyYears, int count)
{
    PlanBudget b = PlanBudget::Pledge(thirtyYears ? 0 : 20 * count);
    if (!thirtyYears) {
        b.steps.push_back({13, 40 * count});
        b.oneOffs.push_back({4, 100 * count});
    }
    return b;
}

PrintablePlan Printable(bool thirtyYears, int count)
{
    const std::vector<PlanCard> cards = Cards(thirtyYears, count);
    PrintablePlan p;
    p.budget = Budget(thirtyYears, count);
    PlanOptions options;
    options.keepSchedule = true;
    p.plan = std::make_shared<const PlanResult>(RunPlan(cards, p.budget, PlanOrder::HighestApr, options));
    p.comparison = ComparePlans(cards, p.budget, PlanOrder::HighestApr, *p.plan);
    for (int i = 0; i < count; ++i)
        p.names << QStringLiteral("Card %1").arg(i + 1);
    p.start = {2026, 7};
    p.paintChart = [](QPainter&, const QRectF&) {};
    return p;
}

QList<StoredCard> Stored(int count)
{
    QList<StoredCard> out;
    int i = 0;
    for (const PlanCard& c : Cards(false, count))
        out.append(ToStoredCard(c, QStringLiteral("Card %1").arg(++i)));
    return out;
}

void BM_PrintPdf(benchmark::State& st)
{
    FakePlatform fake;
    const PlanPrinter printer(Printable(st.range(0) == 1, static_cast<int>(st.range(1))));
    int pages = 0;
    qsizetype bytes = 0;
    long peak = 0;
    for (auto _ : st) {
        const QByteArray pdf = printer.pdf(nullptr, &pages);
        bytes = pdf.size();
        peak = std::max(peak, residentKiB());
    }
    st.counters["pages"] = pages;
    st.counters["pdf_mib"] = static_cast<double>(bytes) / (1 << 20);
    st.counters["rss_mib"] = static_cast<double>(peak) / 1024;
}
BENCHMARK(BM_PrintPdf)->Args({0, 100})->Args({0, 1000})->Args({1, 100})->Args({1, 1000})
    ->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_PrintLayOut(benchmark::State& st)
{
    FakePlatform fake;
    const PlanPrinter printer(Printable(st.range(0) == 1, static_cast<int>(st.range(1))));
    QBuffer scratch;
    scratch.open(QIODevice::WriteOnly);
    QPdfWriter writer(&scratch);
    printer.setUpPdf(writer);
    std::size_t pages = 0;
    for (auto _ : st)
        pages = printer.layOut(writer, QSizeF(writer.width(), writer.height())).size();
    st.counters["pages"] = static_cast<double>(pages);
}
BENCHMARK(BM_PrintLayOut)->Args({0, 1000})->Args({1, 1000})->Unit(benchmark::kMillisecond);

void BM_StoreRoundTrip(benchmark::State& st)
{
    StoredPlan plan;
    plan.cards = Stored(static_cast<int>(st.range(0)));
    plan.pledgeSteps = {{13, 5000}};
    plan.oneOffs = {{4, 100000}};
    for (auto _ : st) {
        StoredPlan back;
        benchmark::DoNotOptimize(CardStore::fromJson(CardStore::toJson(plan), back, nullptr, nullptr));
    }
}
BENCHMARK(BM_StoreRoundTrip)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_CsvRoundTrip(benchmark::State& st)
{
    const QList<StoredCard> cards = Stored(static_cast<int>(st.range(0)));
    for (auto _ : st)
        benchmark::DoNotOptimize(ReadCardsCsv(CardsCsvText(cards)).cards.size());
}
BENCHMARK(BM_CsvRoundTrip)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_DebtFreeBy(benchmark::State& st)
{
    const int count = static_cast<int>(st.range(0));
    const std::vector<PlanCard> cards = Cards(false, count);
    DebtFreeByPanel panel;
    std::int64_t pledge = 0;
    for (auto _ : st) {
        panel.setInputs(cards, Budget(false, count), PlanOrder::HighestApr, {2026, 7});
        panel.setTargetMonth(36);
        pledge = panel.result().pledge;
    }
    st.counters["pledge"] = static_cast<double>(pledge) / 100;
}
BENCHMARK(BM_DebtFreeBy)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

} // namespace

QUENMARK_WIDGET_BENCHMARK_MAIN()
