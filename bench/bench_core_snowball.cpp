// Speed of the snowball schedule: chapter 8's five sample cards, and fifty
// cards that take about thirty years, with and without the month-by-month rows.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "core/Snowball.h"

namespace {

using quenmark::SnowballCard;

const std::vector<SnowballCard> kSample = {
    {21.0, 765.72, 19}, {19.8, 1543.68, 32}, {19.8, 832.91, 17}, {17.9, 2100.00, 53}, {12.9, 1784.32, 37}};

// Fifty cards whose payments barely beat their interest: paid off after about
// 30 years with no pledge.
std::vector<SnowballCard> FiftyCards()
{
    std::mt19937 gen(50);
    std::uniform_int_distribution<int> apr(990, 2490), balance(50000, 900000);
    std::vector<SnowballCard> cards(50);
    for (auto& c : cards) {
        c.apr = apr(gen) / 100.0;
        c.balance = balance(gen) / 100.0;
        c.payment = static_cast<int>(c.balance * (c.apr / 1200 + 0.00003) * 100) / 100.0 + 0.01;
    }
    return cards;
}

void Run(benchmark::State& st, const std::vector<SnowballCard>& cards, double pledge, bool rows)
{
    std::int64_t months = 0;
    for (auto _ : st) {
        const auto plan = quenmark::RunSnowball(cards, pledge, rows);
        benchmark::DoNotOptimize(plan.totalInterest);
        months += plan.months;
    }
    st.counters["plan_months"] = benchmark::Counter(static_cast<double>(months) / static_cast<double>(st.iterations()));
}

void BM_SnowballSample(benchmark::State& st)
{
    Run(st, kSample, 25, st.range(0) != 0);
}
BENCHMARK(BM_SnowballSample)->Arg(0)->Arg(1)->ArgName("schedule");

void BM_SnowballFiftyCards30Years(benchmark::State& st)
{
    Run(st, FiftyCards(), 0, st.range(0) != 0);
}
BENCHMARK(BM_SnowballFiftyCards30Years)->Arg(0)->Arg(1)->ArgName("schedule")->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
