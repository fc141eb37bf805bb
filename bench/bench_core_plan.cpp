// Speed of the cents plan with 1,000 cards, as My Cards runs it at every
// change: the chosen order with its schedule, the comparison (three orders
// and each card alone, summaries), the pledge needed; card sets that end in
// about 5 years, in about 30 years, after the 100-year limit, and never.
// Counters: plan_months, rows, schedule_mib (the schedule's bytes).
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "core/Payoff.h"
#include "core/Plan.h"

namespace {

using namespace quenmark;

enum class Set { FiveYears, ThirtyYears, HundredYears, Never };

// 1,000 cards of $500 to $9,000 at 9.9 % to 24.9 %, some with promotions and
// minimum rules. Payments: about 3 % of the balance (5 years), barely above
// the interest (30 years), just above it with no pledge (beyond 100 years), or
// below it (never).
std::vector<PlanCard> Cards(Set set)
{
    std::mt19937 gen(1000);
    std::uniform_int_distribution<int> apr(990, 2490), balance(50000, 900000), pick(0, 9);
    std::vector<PlanCard> cards(1000);
    for (PlanCard& c : cards) {
        c.apr = apr(gen);
        c.balance = balance(gen);
        const std::int64_t interest = InterestCents(c.balance, PlanRate(c.apr));
        switch (set) {
        case Set::FiveYears:
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
            break;
        case Set::ThirtyYears:
            c.payment = interest + c.balance / 20000 + 1;
            break;
        case Set::HundredYears:
            c.payment = interest + 1;
            break;
        case Set::Never:
            c.payment = interest / 2;
            break;
        }
    }
    return cards;
}

PlanBudget Budget(Set set)
{
    PlanBudget b;
    b.pledge = set == Set::FiveYears ? 20000 : 0;
    if (set == Set::FiveYears) {
        b.steps.push_back({13, 40000});
        b.oneOffs.push_back({4, 100000});
    }
    return b;
}

void RunChosen(benchmark::State& st, Set set, bool schedule)
{
    const std::vector<PlanCard> cards = Cards(set);
    const PlanBudget budget = Budget(set);
    PlanOptions options;
    options.keepSchedule = schedule;
    PlanResult last;
    for (auto _ : st) {
        last = RunPlan(cards, budget, PlanOrder::HighestApr, options);
        benchmark::DoNotOptimize(last.totalInterest);
    }
    st.counters["plan_months"] = last.months;
    st.counters["rows"] = static_cast<double>(last.schedule.size());
    st.counters["schedule_mib"] = static_cast<double>(last.schedule.bytes()) / (1 << 20);
}

void BM_PlanChosen5Years(benchmark::State& st)
{
    RunChosen(st, Set::FiveYears, st.range(0) != 0);
}
BENCHMARK(BM_PlanChosen5Years)->Arg(0)->Arg(1)->ArgName("schedule")->Unit(benchmark::kMillisecond);

void BM_PlanChosen30Years(benchmark::State& st)
{
    RunChosen(st, Set::ThirtyYears, st.range(0) != 0);
}
BENCHMARK(BM_PlanChosen30Years)->Arg(0)->Arg(1)->ArgName("schedule")->Unit(benchmark::kMillisecond);

void BM_PlanChosen100Years(benchmark::State& st)
{
    RunChosen(st, Set::HundredYears, st.range(0) != 0);
}
BENCHMARK(BM_PlanChosen100Years)->Arg(0)->Arg(1)->ArgName("schedule")->Unit(benchmark::kMillisecond);

void BM_PlanChosenNever(benchmark::State& st)
{
    RunChosen(st, Set::Never, st.range(0) != 0);
}
BENCHMARK(BM_PlanChosenNever)->Arg(0)->Arg(1)->ArgName("schedule")->Unit(benchmark::kMicrosecond);

// What a change costs the window: the chosen order with its schedule, then
// the comparison reusing it.
void BM_PlanChangeWithComparison(benchmark::State& st)
{
    const Set set = static_cast<Set>(st.range(0));
    const std::vector<PlanCard> cards = Cards(set);
    const PlanBudget budget = Budget(set);
    PlanOptions options;
    options.keepSchedule = true;
    for (auto _ : st) {
        const PlanResult chosen = RunPlan(cards, budget, PlanOrder::HighestApr, options);
        const PlanComparison c = ComparePlans(cards, budget, PlanOrder::HighestApr, chosen);
        benchmark::DoNotOptimize(c.alone.totalInterest);
    }
}
BENCHMARK(BM_PlanChangeWithComparison)->DenseRange(0, 3)->ArgName("set")->Unit(benchmark::kMillisecond);

void BM_PledgeNeeded(benchmark::State& st)
{
    const std::vector<PlanCard> cards = Cards(Set::ThirtyYears);
    const PlanBudget budget = Budget(Set::ThirtyYears);
    for (auto _ : st) {
        const PledgeNeeded n = FindPledgeNeeded(cards, budget, PlanOrder::HighestApr, static_cast<std::int32_t>(st.range(0)));
        benchmark::DoNotOptimize(n.pledge);
    }
}
BENCHMARK(BM_PledgeNeeded)->Arg(36)->Arg(120)->ArgName("months")->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
