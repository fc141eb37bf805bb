#include "planner/PlanWork.h"

#include <limits>

namespace quenmark {

namespace {

// Everything of a plan but its schedule.
PlanResult Summary(const PlanResult& p)
{
    PlanResult s;
    s.months = p.months;
    s.paidOff = p.paidOff;
    s.neverEnds = p.neverEnds;
    s.tooLarge = p.tooLarge;
    s.firstOwing = p.firstOwing;
    s.totalInterest = p.totalInterest;
    s.totalPaid = p.totalPaid;
    s.priority = p.priority;
    s.cards = p.cards;
    return s;
}

void AddSaturating(std::int64_t& total, std::int64_t x)
{
    if (__builtin_add_overflow(total, x, &total))
        total = std::numeric_limits<std::int64_t>::max();
}

} // namespace

std::shared_ptr<const PlanResult> PlanWork::plan(const PlanInputs& in, bool schedule)
{
    if (m_plan && in == m_planIn && (m_withSchedule || !schedule))
        return m_plan;
    // The old plan goes before the new one is made: only one schedule is held at a time.
    m_plan.reset();
    PlanOptions options;
    options.keepSchedule = schedule;
    const std::vector<std::size_t> priority = PriorityOrder(in.cards, in.order);
    m_plan = std::make_shared<const PlanResult>(RunPlanInPriority(in.cards, priority, in.budget, options));
    m_planIn = in;
    m_withSchedule = schedule;
    return m_plan;
}

const PlanResult& PlanWork::alone(const PlanInputs& in)
{
    if (m_aloneValid && in.cards == m_aloneCards)
        return m_alone;
    // Each card's own run, kept by card; the whole run again only when a
    // balance passes the largest amount (which stops every card's run there).
    PlanResult all;
    all.cards.resize(in.cards.size());
    all.priority.resize(in.cards.size());
    bool tooLarge = false;
    for (std::size_t i = 0; i < in.cards.size() && !tooLarge; ++i) {
        auto it = m_aloneByCard.find(in.cards[i]);
        if (it == m_aloneByCard.end()) {
            const PlanResult one = RunEachAlone(std::span<const PlanCard>(&in.cards[i], 1));
            it = m_aloneByCard.emplace(in.cards[i], Alone{one.cards[0], one.months, one.neverEnds, one.tooLarge}).first;
        }
        const Alone& a = it->second;
        tooLarge = a.tooLarge;
        all.priority[i] = i;
        all.cards[i] = a.card;
        all.cards[i].priority = static_cast<std::int32_t>(i);
        AddSaturating(all.totalInterest, a.card.interest);
        AddSaturating(all.totalPaid, a.card.paid);
        all.months = std::max(all.months, a.months);
        if (a.card.balanceLeft > 0 && all.firstOwing < 0) {
            all.firstOwing = static_cast<std::int32_t>(i);
            all.neverEnds = a.neverEnds;
        }
    }
    if (tooLarge) {
        all = RunEachAlone(in.cards);
    } else {
        all.paidOff = all.firstOwing < 0;
        if (all.paidOff)
            all.neverEnds = false;
    }
    if (m_aloneByCard.size() > 4 * in.cards.size() + 64)
        m_aloneByCard.clear();
    m_alone = std::move(all);
    m_aloneCards = in.cards;
    m_aloneValid = true;
    return m_alone;
}

const PlanComparison& PlanWork::comparison(const PlanInputs& in)
{
    if (m_comparisonValid && in == m_comparedIn)
        return m_comparison;
    const PlanResult chosen = in == m_planIn && m_plan ? Summary(*m_plan) : Summary(*plan(in, false));
    PlanComparison c;
    for (const PlanOrder order : {PlanOrder::HighestApr, PlanOrder::LowestBalance, PlanOrder::Given}) {
        PlanResult& slot = order == PlanOrder::HighestApr ? c.highestApr
                           : order == PlanOrder::LowestBalance ? c.lowestBalance
                                                               : c.given;
        slot = order == in.order ? chosen : RunPlan(in.cards, in.budget, order);
    }
    c.alone = alone(in);
    m_comparison = std::move(c);
    m_comparedIn = in;
    m_comparisonValid = true;
    return m_comparison;
}

} // namespace quenmark
