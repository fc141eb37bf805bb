// The payoff plan in whole cents: the cards brought into range and laid out in
// priority order, the month loop of core/PlanEngine.h, and the result told
// back by the cards' given places.
#include "core/Plan.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

#include "core/MoneyText.h"
#include "core/Payoff.h"
#include "core/PlanEngine.h"

namespace quenmark {

namespace {

using Ledger = engine::CentsLedger;
using EngineCard = engine::Card<Ledger>;

// The most a budget amount (a pledge, a step, the one-off sums of a month)
// counts as: 2,000 times the largest amount, beyond what the most cards can owe
// and far within 64 bits.
constexpr std::int64_t kLargestBudgetCents = kLargestCents * 2000;

std::int64_t BudgetAmount(std::int64_t cents)
{
    return std::clamp<std::int64_t>(cents, 0, kLargestBudgetCents);
}

std::int64_t Amount(std::int64_t cents)
{
    return std::clamp<std::int64_t>(cents, 0, kLargestCents);
}

std::int32_t Apr(std::int32_t hundredths)
{
    return std::clamp<std::int32_t>(hundredths, 0, kPlanHighestAprHundredths);
}

EngineCard ToEngine(const PlanCard& p, std::size_t given)
{
    EngineCard c;
    c.balance = Amount(p.balance);
    c.payment = Amount(p.payment);
    c.rate = PlanRate(Apr(p.apr));
    c.promoMonths = std::max<std::int32_t>(p.promoMonths, 0);
    c.promoRate = c.promoMonths > 0 ? PlanRate(Apr(p.promoApr)) : c.rate;
    c.hasMinimum = p.hasMinimum;
    c.plusInterest = p.hasMinimum && p.minPlusInterest;
    c.minPercent = p.hasMinimum ? std::clamp<std::int32_t>(p.minPercent, 0, 10000) : 0;
    c.minFloor = p.hasMinimum ? Amount(p.minFloor) : 0;
    c.given = static_cast<std::int32_t>(given);
    return c;
}

// Steps sorted by month (of two for one month the later one given), one-off
// sums added up per month, months before 1 counted as month 1.
engine::Budget<Ledger> ToEngine(const PlanBudget& b)
{
    engine::Budget<Ledger> e;
    e.pledge = BudgetAmount(b.pledge);
    for (const PledgeStep& s : b.steps)
        e.steps.push_back({std::max<std::int32_t>(s.fromMonth, 1), BudgetAmount(s.amount)});
    std::stable_sort(e.steps.begin(), e.steps.end(), [](const auto& x, const auto& y) { return x.month < y.month; });
    std::size_t kept = 0;
    for (std::size_t i = 0; i < e.steps.size(); ++i) {
        if (kept > 0 && e.steps[kept - 1].month == e.steps[i].month)
            e.steps[kept - 1] = e.steps[i];
        else
            e.steps[kept++] = e.steps[i];
    }
    e.steps.resize(kept);
    for (const OneOffSum& o : b.oneOffs)
        e.oneOffs.push_back({std::max<std::int32_t>(o.month, 1), BudgetAmount(o.amount)});
    std::sort(e.oneOffs.begin(), e.oneOffs.end(), [](const auto& x, const auto& y) { return x.month < y.month; });
    kept = 0;
    for (std::size_t i = 0; i < e.oneOffs.size(); ++i) {
        if (kept > 0 && e.oneOffs[kept - 1].month == e.oneOffs[i].month)
            e.oneOffs[kept - 1].amount = std::min(e.oneOffs[kept - 1].amount + e.oneOffs[i].amount, kLargestBudgetCents);
        else
            e.oneOffs[kept++] = e.oneOffs[i];
    }
    e.oneOffs.resize(kept);
    return e;
}

// The cards in `priority` order (indices out of range or repeated skipped).
std::vector<EngineCard> LayOut(std::span<const PlanCard> cards, std::span<const std::size_t> priority,
                               std::vector<std::size_t>& used)
{
    std::vector<EngineCard> laid;
    laid.reserve(priority.size());
    std::vector<char> seen(cards.size(), 0);
    used.clear();
    for (const std::size_t i : priority) {
        if (i >= cards.size() || seen[i])
            continue;
        seen[i] = 1;
        used.push_back(i);
        laid.push_back(ToEngine(cards[i], i));
    }
    return laid;
}

// Runs the laid-out cards and fills `result` (schedule excluded).
engine::End RunLaidOut(std::span<const PlanCard> cards, std::vector<EngineCard> laid,
                       const engine::Budget<Ledger>& budget, bool snowball, std::int32_t monthLimit,
                       const engine::Rows<Ledger, PlanRow>& rows, PlanResult& result)
{
    std::vector<std::uint32_t> active;
    active.reserve(laid.size());
    result = PlanResult{};
    const engine::End end = engine::Run<Ledger, PlanRow>(laid, budget, snowball, monthLimit, active, rows,
                                                         result.totalInterest, result.totalPaid);
    result.months = end.months;
    result.cards.assign(cards.size(), PlanCardResult{});
    result.priority.reserve(laid.size());
    for (std::size_t k = 0; k < laid.size(); ++k) {
        const EngineCard& c = laid[k];
        const auto given = static_cast<std::size_t>(c.given);
        result.priority.push_back(given);
        PlanCardResult& r = result.cards[given];
        r.priority = static_cast<std::int32_t>(k);
        r.payoffMonth = c.payoffMonth;
        r.startBalance = Amount(cards[given].balance);
        r.interest = c.interestSum;
        r.paid = c.paidSum;
        r.balanceLeft = c.balance;
        if (c.balance > 0 && result.firstOwing < 0) {
            result.firstOwing = static_cast<std::int32_t>(given);
            result.neverEnds = snowball ? end.neverEnds : c.stuck;
        }
    }
    result.paidOff = result.firstOwing < 0;
    result.tooLarge = !result.paidOff && end.tooLarge;
    if (result.paidOff)
        result.neverEnds = false;
    return end;
}

} // namespace

// Fills a schedule from the engine's rows; a friend of PlanSchedule.
struct PlanScheduleWriter
{
    static engine::Rows<Ledger, PlanRow> rows(PlanSchedule& s) { return {&s.m_rows, &s.m_starts, &s.m_owed}; }
    static void reserve(PlanSchedule& s, std::size_t rows, std::size_t months)
    {
        s.m_rows.reserve(rows);
        s.m_starts.reserve(months + 1);
        s.m_owed.reserve(months + 1);
    }
};

// ---- cards, rates, budget -----------------------------------------------------------

PlanCard PlanCard::FromDollars(double apr, double balance, double payment)
{
    PlanCard c;
    c.apr = static_cast<std::int32_t>(std::clamp<std::int64_t>(ToCents(apr), 0, kPlanHighestAprHundredths));
    c.balance = Amount(ToCents(balance));
    c.payment = Amount(ToCents(payment));
    return c;
}

std::int64_t PlanRate(std::int32_t aprHundredths)
{
    // APR / 1200 in ten-millionths is hundredths x 250 / 3, never an exact
    // half: rounded to the nearest.
    const std::int64_t a = Apr(aprHundredths);
    return (a * 500 + 3) / 6;
}

std::int64_t PlanBudget::pledgeIn(std::int32_t month) const
{
    std::int64_t amount = pledge;
    std::int32_t from = std::numeric_limits<std::int32_t>::min();
    for (const PledgeStep& s : steps) {
        const std::int32_t m = std::max<std::int32_t>(s.fromMonth, 1);
        if (m <= month && m >= from) {
            from = m;
            amount = s.amount;
        }
    }
    return BudgetAmount(amount);
}

std::int64_t PlanBudget::oneOffsIn(std::int32_t month) const
{
    std::int64_t sum = 0;
    for (const OneOffSum& o : oneOffs)
        if (std::max<std::int32_t>(o.month, 1) == month)
            sum = std::min(sum + BudgetAmount(o.amount), kLargestBudgetCents);
    return sum;
}

std::vector<std::size_t> PriorityOrder(std::span<const PlanCard> cards, PlanOrder order)
{
    std::vector<std::size_t> p(cards.size());
    std::iota(p.begin(), p.end(), std::size_t{0});
    // Sorted by the values the plan itself reads (brought into range).
    if (order == PlanOrder::HighestApr)
        std::stable_sort(p.begin(), p.end(),
                         [&](std::size_t a, std::size_t b) { return Apr(cards[a].apr) > Apr(cards[b].apr); });
    else if (order == PlanOrder::LowestBalance)
        std::stable_sort(p.begin(), p.end(), [&](std::size_t a, std::size_t b) {
            return Amount(cards[a].balance) < Amount(cards[b].balance);
        });
    return p;
}

// ---- the schedule and the result ---------------------------------------------------

std::span<const PlanRow> PlanSchedule::month(std::int32_t month) const
{
    if (month < 1 || month > months())
        return {};
    const auto m = static_cast<std::size_t>(month);
    return std::span<const PlanRow>(m_rows).subspan(m_starts[m - 1], m_starts[m] - m_starts[m - 1]);
}

std::size_t PlanSchedule::firstRowOf(std::int32_t month) const
{
    if (month < 1)
        return 0;
    if (month > months())
        return m_rows.size();
    return m_starts[static_cast<std::size_t>(month) - 1];
}

std::int64_t PlanSchedule::owedAt(std::int32_t month) const
{
    if (m_owed.empty())
        return 0;
    return m_owed[static_cast<std::size_t>(std::clamp<std::int32_t>(month, 0, months()))];
}

std::size_t PlanSchedule::bytes() const
{
    return m_rows.capacity() * sizeof(PlanRow) + m_starts.capacity() * sizeof(std::uint32_t) +
           m_owed.capacity() * sizeof(std::int64_t);
}

std::int64_t PlanResult::balanceAt(std::size_t card, std::int32_t month) const
{
    if (card >= cards.size())
        return 0;
    const PlanCardResult& c = cards[card];
    if (month <= 0)
        return c.startBalance;
    if (c.startBalance == 0 || (c.payoffMonth > 0 && month >= c.payoffMonth))
        return 0;
    if (schedule.empty() || month >= schedule.months())
        return c.balanceLeft;
    // A month's rows follow the priority order.
    const std::span<const PlanRow> rows = schedule.month(month);
    const auto at = std::lower_bound(rows.begin(), rows.end(), c.priority, [&](const PlanRow& r, std::int32_t p) {
        return cards[static_cast<std::size_t>(r.card)].priority < p;
    });
    return at != rows.end() && static_cast<std::size_t>(at->card) == card ? at->balance : 0;
}

std::vector<std::int32_t> PlanResult::payoffMonths() const
{
    std::vector<std::int32_t> months;
    months.reserve(cards.size());
    for (const PlanCardResult& c : cards)
        months.push_back(c.payoffMonth);
    return months;
}

// ---- running plans ------------------------------------------------------------------

PlanResult RunPlanInPriority(std::span<const PlanCard> cards, std::span<const std::size_t> priority,
                             const PlanBudget& budget, const PlanOptions& options)
{
    std::vector<std::size_t> used;
    const std::vector<EngineCard> laid = LayOut(cards, priority, used);
    const engine::Budget<Ledger> money = ToEngine(budget);
    PlanResult result;
    RunLaidOut(cards, laid, money, true, options.monthLimit, {}, result);
    if (!options.keepSchedule)
        return result;
    // Run again keeping the rows, with room for exactly as many as the first
    // run stepped: no allocation in the month loop, no room to spare.
    std::size_t rows = 0;
    for (const PlanCardResult& c : result.cards)
        if (c.startBalance > 0)
            rows += static_cast<std::size_t>(c.payoffMonth > 0 ? c.payoffMonth : result.months);
    PlanSchedule schedule;
    PlanScheduleWriter::reserve(schedule, rows, static_cast<std::size_t>(result.months));
    RunLaidOut(cards, laid, money, true, options.monthLimit, PlanScheduleWriter::rows(schedule), result);
    result.schedule = std::move(schedule);
    return result;
}

PlanResult RunPlan(std::span<const PlanCard> cards, const PlanBudget& budget, PlanOrder order,
                   const PlanOptions& options)
{
    const std::vector<std::size_t> priority = PriorityOrder(cards, order);
    return RunPlanInPriority(cards, priority, budget, options);
}

PlanResult RunEachAlone(std::span<const PlanCard> cards, const PlanOptions& options)
{
    std::vector<std::size_t> priority(cards.size());
    std::iota(priority.begin(), priority.end(), std::size_t{0});
    std::vector<std::size_t> used;
    PlanResult result;
    RunLaidOut(cards, LayOut(cards, priority, used), {}, false, options.monthLimit, {}, result);
    // months: the latest payoff, or the months stepped when a card is left owing.
    if (result.paidOff) {
        result.months = 0;
        for (const PlanCardResult& c : result.cards)
            result.months = std::max(result.months, c.payoffMonth);
    }
    return result;
}

const PlanResult& PlanComparison::plan(PlanOrder order) const
{
    switch (order) {
    case PlanOrder::HighestApr:
        return highestApr;
    case PlanOrder::LowestBalance:
        return lowestBalance;
    case PlanOrder::Given:
        break;
    }
    return given;
}

std::int64_t PlanComparison::interestSaved(const PlanResult& p) const
{
    if (!p.paidOff || !alone.paidOff)
        return 0;
    return alone.totalInterest - p.totalInterest;
}

namespace {

PlanComparison Compare(std::span<const PlanCard> cards, const PlanBudget& budget, const PlanOrder* known,
                       const PlanResult* knownPlan)
{
    PlanComparison c;
    const std::pair<PlanOrder, PlanResult*> slots[] = {
        {PlanOrder::HighestApr, &c.highestApr}, {PlanOrder::LowestBalance, &c.lowestBalance}, {PlanOrder::Given, &c.given}};
    for (const auto& [order, slot] : slots) {
        if (known && *known == order) {
            // Everything but the schedule.
            PlanResult& s = *slot;
            s.months = knownPlan->months;
            s.paidOff = knownPlan->paidOff;
            s.neverEnds = knownPlan->neverEnds;
            s.tooLarge = knownPlan->tooLarge;
            s.firstOwing = knownPlan->firstOwing;
            s.totalInterest = knownPlan->totalInterest;
            s.totalPaid = knownPlan->totalPaid;
            s.priority = knownPlan->priority;
            s.cards = knownPlan->cards;
        } else {
            *slot = RunPlan(cards, budget, order);
        }
    }
    c.alone = RunEachAlone(cards);
    return c;
}

} // namespace

PlanComparison ComparePlans(std::span<const PlanCard> cards, const PlanBudget& budget)
{
    return Compare(cards, budget, nullptr, nullptr);
}

PlanComparison ComparePlans(std::span<const PlanCard> cards, const PlanBudget& budget, PlanOrder known,
                            const PlanResult& knownPlan)
{
    return Compare(cards, budget, &known, &knownPlan);
}

// ---- the pledge needed --------------------------------------------------------------

PledgeNeeded FindPledgeNeeded(std::span<const PlanCard> cards, const PlanBudget& budget, PlanOrder order,
                              std::int32_t months)
{
    PledgeNeeded needed;
    if (months < 1)
        return needed; // Impossible
    const std::int32_t limit = std::min(months, kSnowballMonthLimit);
    std::vector<std::size_t> used;
    const std::vector<EngineCard> laid = LayOut(cards, PriorityOrder(cards, order), used);
    engine::Budget<Ledger> money = ToEngine(budget);
    auto ends = [&](std::int64_t pledge) {
        money.pledge = pledge;
        PlanResult r;
        RunLaidOut(cards, laid, money, true, limit, {}, r);
        return r.paidOff;
    };
    if (ends(0)) {
        needed.outcome = PledgeNeeded::Outcome::NotNeeded;
        return needed;
    }
    if (!money.steps.empty() && money.steps.front().month <= 1)
        return needed; // the pledge before the first step is never in force: Impossible
    // With everything owed after month 1's interest as pledge, month 1 pays
    // every card off: an upper bound that always ends.
    std::int64_t high = 0;
    for (const EngineCard& c : laid)
        high += c.balance + Ledger::interest(c.balance, c.rateIn(1));
    std::int64_t low = 0; // does not end
    while (high - low > 1) {
        const std::int64_t mid = low + (high - low) / 2;
        (ends(mid) ? high : low) = mid;
    }
    needed.outcome = PledgeNeeded::Outcome::Found;
    needed.pledge = high;
    return needed;
}

// ---- one card -----------------------------------------------------------------------

std::int64_t MonthlyInterest(const PlanCard& card)
{
    const EngineCard c = ToEngine(card, 0);
    return Ledger::interest(c.balance, c.rateIn(1));
}

bool PaymentNeverPaysOff(const PlanCard& card)
{
    // Alone, stepped through any promotion; the shortcut then tells.
    PlanOptions options;
    options.monthLimit = std::clamp<std::int32_t>(card.promoMonths, 0, kSnowballMonthLimit);
    const PlanResult alone = RunEachAlone(std::span<const PlanCard>(&card, 1), options);
    return alone.neverEnds;
}

} // namespace quenmark
