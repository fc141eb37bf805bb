// The snowball schedule of chapter 8: the plan's month loop (core/PlanEngine.h)
// over dollars with interest carried unrounded.
#include "core/Snowball.h"

#include <algorithm>
#include <cmath>

#include "core/MoneyText.h"
#include "core/PlanEngine.h"

namespace quenmark {

namespace {

using Ledger = engine::UnroundedLedger;

double Amount(double x)
{
    if (!std::isfinite(x) || x < 0)
        return 0;
    return std::min(x, kLargestAmount);
}

double Apr(double x)
{
    if (!std::isfinite(x) || x < 0)
        return 0;
    return std::min(x, kLessonHighestApr);
}

} // namespace

SnowballPlan RunSnowball(std::span<const SnowballCard> cards, double pledge, bool withSchedule,
                         std::int32_t monthLimit)
{
    const std::size_t n = cards.size();
    std::vector<engine::Card<Ledger>> laid(n);
    for (std::size_t i = 0; i < n; ++i) {
        engine::Card<Ledger>& c = laid[i];
        c.balance = Amount(cards[i].balance);
        c.payment = Amount(cards[i].payment);
        c.rate = RoundToSevenPlaces(Apr(cards[i].apr) / 1200);
        c.promoRate = c.rate;
        c.given = static_cast<std::int32_t>(i);
    }
    engine::Budget<Ledger> budget;
    budget.pledge = Amount(pledge);

    SnowballPlan plan;
    std::vector<std::uint32_t> active;
    active.reserve(n);
    engine::Rows<Ledger, SnowballRow> rows;
    if (withSchedule)
        rows.rows = &plan.schedule;
    double totalPaid = 0;
    const engine::End end =
        engine::Run<Ledger, SnowballRow>(laid, budget, true, monthLimit, active, rows, plan.totalInterest, totalPaid);

    plan.months = end.months;
    plan.payoffMonth.assign(n, 0);
    plan.balanceLeft.assign(n, 0);
    for (std::size_t i = 0; i < n; ++i) {
        plan.payoffMonth[i] = laid[i].payoffMonth;
        if (laid[i].balance > 0 && plan.firstOwing < 0)
            plan.firstOwing = static_cast<std::int32_t>(i);
    }
    plan.paidOff = plan.firstOwing < 0;
    if (!plan.paidOff) {
        plan.neverEnds = end.neverEnds;
        for (std::size_t i = 0; i < n; ++i)
            plan.balanceLeft[i] = laid[i].balance;
    }
    return plan;
}

} // namespace quenmark
