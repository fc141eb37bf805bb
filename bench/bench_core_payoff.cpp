// Speed of the payoff run: $100,000.00 at 30 % with a first payment of
// $2,601.00 (5,381 months), reported as months per second.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <vector>

#include "core/MoneyText.h"
#include "core/Payoff.h"

namespace {

void BM_PayoffRunLong(benchmark::State& st)
{
    std::int64_t months = 0;
    for (auto _ : st) {
        quenmark::PayoffState state;
        quenmark::RunPayoff(30.0, 100000.00, 2601.00, quenmark::PayoffOptions::payoffCalculator(), state,
                            nullptr);
        benchmark::DoNotOptimize(state.TotalPaid);
        months += state.MonthCount;
    }
    st.counters["months"] = benchmark::Counter(static_cast<double>(months), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PayoffRunLong);

// The same run as the extra-money calculator makes it (a card, $5 extra).
void BM_PayoffRunExtraMoney(benchmark::State& st)
{
    std::int64_t months = 0;
    const auto options = quenmark::PayoffOptions::extraMoneyCalculator(5, false);
    for (auto _ : st) {
        quenmark::PayoffState state;
        quenmark::RunPayoff(30.0, 100000.00, 2601.00, options, state, nullptr);
        benchmark::DoNotOptimize(state.TotalPaid);
        months += state.MonthCount;
    }
    st.counters["months"] = benchmark::Counter(static_cast<double>(months), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PayoffRunExtraMoney);

// The largest balance at 30 % with the least accepted payment: the longest
// runs, where a card's share of the balance is a product beyond 64 bits.
void BM_PayoffRunLargest(benchmark::State& st)
{
    std::int64_t months = 0;
    const double least = quenmark::MinimumAcceptablePayment(30.0, quenmark::kLargestAmount);
    for (auto _ : st) {
        quenmark::PayoffState state;
        quenmark::RunPayoff(30.0, quenmark::kLargestAmount, least, quenmark::PayoffOptions::payoffCalculator(), state,
                            nullptr);
        benchmark::DoNotOptimize(state.TotalPaid);
        months += state.MonthCount;
    }
    st.counters["months"] = benchmark::Counter(static_cast<double>(months), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PayoffRunLargest);

std::vector<double> Products()
{
    std::mt19937_64 gen(7);
    std::uniform_int_distribution<std::int64_t> cents(0, 10000000000LL);
    std::vector<double> v(4096);
    for (double& x : v)
        x = static_cast<double>(cents(gen)) / 100 * 0.025;
    return v;
}

void BM_RoundToCents(benchmark::State& st)
{
    const auto v = Products();
    std::size_t i = 0;
    for (auto _ : st) {
        benchmark::DoNotOptimize(quenmark::RoundToCents(v[i++ & 4095]));
    }
    st.SetItemsProcessed(st.iterations());
}
BENCHMARK(BM_RoundToCents);

void BM_RoundToCentsByText(benchmark::State& st)
{
    const auto v = Products();
    std::size_t i = 0;
    for (auto _ : st) {
        benchmark::DoNotOptimize(quenmark::RoundToCentsByText(v[i++ & 4095]));
    }
    st.SetItemsProcessed(st.iterations());
}
BENCHMARK(BM_RoundToCentsByText);

} // namespace

BENCHMARK_MAIN();
