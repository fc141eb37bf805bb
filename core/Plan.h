// The payoff plan of My Cards and `quenmark-payoff --plan`: several cards paid
// off together (payment snowballing), worked in whole cents.
//
// The rules. The priority order is fixed before month 1 (PriorityOrder) and
// never changes. Each month m = 1, 2, ...:
//  1. every card still owing is charged interest: balance x its periodic rate
//     for month m (the promotional APR while m <= promoMonths, else the APR;
//     rate = RoundToSevenPlaces(APR / 1200)), to the cent with an exact half
//     away from zero, worked exactly in integers (InterestCents);
//  2. each owing card's own payment: its payment, or with a minimum rule the
//     greater of its payment and max(floor, percent x the balance after this
//     month's interest, to the cent half away from zero [+ this month's
//     interest]); then at most its balance;
//  3. the month's budget = base + the pledge in force in month m + the one-off
//     sums of month m, where base = the sum over all cards of their month-1 own
//     payments before the cap (a card owing nothing at the start counts its
//     payment); the month spends the greater of the budget and the sum of this
//     month's own payments (minimums are always paid);
//  4. what is left after the own payments goes to the owing cards in priority
//     order, each up to its balance.
// A card is paid off in the month its balance reaches 0. The plan is not paid
// off after kSnowballMonthLimit months, or as soon as a balance at the end of a
// month exceeds kLargestCents. It stops early, as never ending, only when from
// the next month on nothing can change (no later pledge step, one-off sum or end
// of a promotion) and the money can never catch up with the interest.
//
// Every row of the schedule adds up (previous balance + interest - payment =
// balance), the rows' interest and payments sum to the totals, and money paid
// minus interest is what was owed at the start minus what is left.
//
// Pure functions, no I/O; every input, however absurd, gives a finished result.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "core/Limits.h"

namespace quenmark {

// One card as the plan reads it. Amounts in cents, rates in hundredths of a
// percent (19.90 % -> 1990). Values out of range are brought into it by the
// plan: amounts to 0..kLargestCents, APRs to 0..kPlanHighestAprHundredths,
// minPercent to 0..10000, promoMonths to 0 or more.
struct PlanCard
{
    std::int64_t balance = 0;     // owed at the start
    std::int64_t payment = 0;     // the card's own monthly payment
    std::int32_t apr = 0;         // the card's APR (what the order "highest APR first" reads)
    std::int32_t promoApr = 0;    // the APR of months 1 .. promoMonths
    std::int32_t promoMonths = 0; // 0: no promotion
    bool hasMinimum = false;      // the payment is at least the minimum rule's figure
    bool minPlusInterest = false; // the minimum adds this month's interest
    std::int32_t minPercent = 0;  // of the balance after interest, hundredths of a percent (1 % -> 100)
    std::int64_t minFloor = 0;    // the minimum's floor

    bool operator==(const PlanCard&) const = default;

    // A card with a fixed payment from dollar amounts (as the window's boxes
    // hold them): each taken to whole cents (ToCents), the APR to hundredths.
    static PlanCard FromDollars(double apr, double balance, double payment);
};

// The periodic rate of an APR in hundredths of a percent, in ten-millionths:
// RoundToSevenPlaces(APR / 1200) worked exactly (1790 -> 149167).
std::int64_t PlanRate(std::int32_t aprHundredths);

// From month `fromMonth` on the pledge is `amount` (cents).
struct PledgeStep
{
    std::int32_t fromMonth = 1;
    std::int64_t amount = 0;
    bool operator==(const PledgeStep&) const = default;
};

// A sum added once, to month `month`'s budget (cents).
struct OneOffSum
{
    std::int32_t month = 1;
    std::int64_t amount = 0;
    bool operator==(const OneOffSum&) const = default;
};

// The money beyond the cards' own payments, in cents. Each amount (and the
// one-off sums of a month together) counts as at most 2,000 x kLargestCents.
struct PlanBudget
{
    std::int64_t pledge = 0;          // a month, before the first step
    std::vector<PledgeStep> steps;    // any order; of two steps for one month the later one given wins
    std::vector<OneOffSum> oneOffs;   // any order; sums of the same month add up

    // Only a pledge of `cents` a month.
    static PlanBudget Pledge(std::int64_t cents)
    {
        PlanBudget b;
        b.pledge = cents;
        return b;
    }

    // The pledge in force in `month` (1-based).
    std::int64_t pledgeIn(std::int32_t month) const;
    // The one-off sums of `month`, added up.
    std::int64_t oneOffsIn(std::int32_t month) const;
};

enum class PlanOrder {
    HighestApr,    // highest `apr` first (a promotion does not move a card); ties keep the given order
    LowestBalance, // lowest starting balance first; ties keep the given order
    Given          // the cards' own order
};

// The cards' indices in payoff priority order (a stable sort: any number of
// tied cards keep their given order).
std::vector<std::size_t> PriorityOrder(std::span<const PlanCard> cards, PlanOrder order);

struct PlanOptions
{
    bool keepSchedule = false;                       // fill PlanResult::schedule
    std::int32_t monthLimit = kSnowballMonthLimit;   // not paid off after this many months
};

// One card in one month while it owes (the month it is paid off included).
// 32 bytes: 1,000 cards x 360 months keep in about 11.5 MB.
struct PlanRow
{
    std::int32_t month = 0;   // 1-based
    std::int32_t card = 0;    // the card's given index
    std::int64_t payment = 0; // everything paid to the card this month
    std::int64_t interest = 0;
    std::int64_t balance = 0; // owed after the payment
    bool operator==(const PlanRow&) const = default;
};

// The month-by-month rows of a plan, kept compactly: the rows of month m lie
// together, in priority order; a month's rows and its total owed are found at
// once.
class PlanSchedule
{
public:
    bool empty() const { return m_rows.empty(); }
    std::size_t size() const { return m_rows.size(); }
    std::int32_t months() const { return m_starts.empty() ? 0 : static_cast<std::int32_t>(m_starts.size()) - 1; }
    // Every row, month by month.
    std::span<const PlanRow> rows() const { return m_rows; }
    const PlanRow& operator[](std::size_t i) const { return m_rows[i]; }
    // The rows of month `month` (1-based; empty outside 1 .. months()).
    std::span<const PlanRow> month(std::int32_t month) const;
    // The index of month `month`'s first row (size() past the last month).
    std::size_t firstRowOf(std::int32_t month) const;
    // All owed at the end of `month` (0: at the start), in cents.
    std::int64_t owedAt(std::int32_t month) const;
    // Bytes held (rows and month indexes).
    std::size_t bytes() const;

private:
    friend struct PlanScheduleWriter;
    std::vector<PlanRow> m_rows;
    std::vector<std::uint32_t> m_starts; // months() + 1 entries: month m's rows are [m_starts[m-1], m_starts[m])
    std::vector<std::int64_t> m_owed;    // months() + 1 entries: all owed at the end of month m
};

// What the plan tells about one card (by given index).
struct PlanCardResult
{
    std::int32_t priority = 0;     // 0-based place in the priority order
    std::int32_t payoffMonth = 0;  // 0: owed nothing at the start, or not paid off
    std::int64_t startBalance = 0; // as the plan read it
    std::int64_t interest = 0;     // all interest charged
    std::int64_t paid = 0;         // all money paid
    std::int64_t balanceLeft = 0;  // still owed at the end (0 when paid off)
    bool operator==(const PlanCardResult&) const = default;
};

// The plan as a value, computed once per change. Everything refers to the
// cards by their given index.
struct PlanResult
{
    std::int32_t months = 0;      // the month the last card was paid off (months stepped otherwise)
    bool paidOff = false;         // every card paid off within the month limit
    bool neverEnds = false;       // not paid off because the money can never catch up with the interest
    bool tooLarge = false;        // not paid off because a balance grew past kLargestCents
    std::int32_t firstOwing = -1; // not paid off: the first card in priority order still owing
    std::int64_t totalInterest = 0; // cents; held at the largest int64 in absurd plans that pass it
    std::int64_t totalPaid = 0;     // cents; likewise
    std::vector<std::size_t> priority;  // given indices in priority order
    std::vector<PlanCardResult> cards;  // by given index
    PlanSchedule schedule;              // only with PlanOptions::keepSchedule

    // Card `card`'s balance at the end of `month` (0: at the start). Needs the
    // schedule beyond month 0 (without it: the balance left after the last month).
    std::int64_t balanceAt(std::size_t card, std::int32_t month) const;
    // The cards' payoff months by given index (a convenience for callers and tests).
    std::vector<std::int32_t> payoffMonths() const;
};

// The plan with the cards paid in `order`.
PlanResult RunPlan(std::span<const PlanCard> cards, const PlanBudget& budget, PlanOrder order,
                   const PlanOptions& options = {});
// The same with an explicit priority (a permutation of the card indices; an
// index out of range or repeated is skipped).
PlanResult RunPlanInPriority(std::span<const PlanCard> cards, std::span<const std::size_t> priority,
                             const PlanBudget& budget, const PlanOptions& options = {});

// Each card alone: no pledge, no snowball, each card on its own payment (its
// minimum rule included). months is the latest payoff; firstOwing the first
// card in given order not paid off, neverEnds whether that card never can be.
// For a card with a fixed payment and an APR up to 30 this is the extra-money
// calculator's loan-mode run.
PlanResult RunEachAlone(std::span<const PlanCard> cards, const PlanOptions& options = {});

// The three orders with the budget, and each card alone. Summaries only (no schedules).
struct PlanComparison
{
    PlanResult highestApr;
    PlanResult lowestBalance;
    PlanResult given;
    PlanResult alone;

    const PlanResult& plan(PlanOrder order) const;
    // Interest saved against paying each card alone, in cents; 0 unless both plans end.
    std::int64_t interestSaved(const PlanResult& plan) const;
};
PlanComparison ComparePlans(std::span<const PlanCard> cards, const PlanBudget& budget);
// The same, taking the plan of one order as already run (its schedule is not copied).
PlanComparison ComparePlans(std::span<const PlanCard> cards, const PlanBudget& budget, PlanOrder known,
                            const PlanResult& knownPlan);

// The pledge needed to be debt-free within a number of months.
struct PledgeNeeded
{
    enum class Outcome {
        NotNeeded,  // the plan ends within the months with no pledge before the first step: pledge 0
        Found,      // `pledge` is the least whole-cent pledge that does it
        Impossible  // a pledge step from month 1 on leaves the pledge no month, or `months` < 1
    };
    Outcome outcome = Outcome::Impossible;
    std::int64_t pledge = 0; // cents: the pledge before the first step
};
// The least whole-cent pledge X (the pledge before the first step of
// `budget.steps`; `budget.pledge` itself is not read) with which the plan in
// `order` is paid off within `months` months, found by bisection so that X
// ends within them and X - 0.01 does not. `months` above kSnowballMonthLimit
// counts as the limit.
PledgeNeeded FindPledgeNeeded(std::span<const PlanCard> cards, const PlanBudget& budget, PlanOrder order,
                              std::int32_t months);

// Month 1's interest on the card (cents), at month 1's rate.
std::int64_t MonthlyInterest(const PlanCard& card);
// Whether the card's own payment (its minimum rule included) can never pay it
// off alone: once any promotion has ended (the card is stepped through it), the
// payment does not exceed the interest, then or at any balance it comes to.
bool PaymentNeverPaysOff(const PlanCard& card);

} // namespace quenmark
