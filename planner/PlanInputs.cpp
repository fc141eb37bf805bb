#include "planner/PlanInputs.h"

#include "core/Payoff.h"

namespace quenmark {

PlanCard ToPlanCard(const StoredCard& card)
{
    return PlanCard::FromDollars(card.apr, card.balance, card.payment);
}

PlanInputs ToPlanInputs(const StoredPlan& plan)
{
    PlanInputs in;
    in.cards.reserve(static_cast<std::size_t>(plan.cards.size()));
    for (const StoredCard& c : plan.cards)
        in.cards.push_back(ToPlanCard(c));
    in.budget = PlanBudget::Pledge(ToCents(plan.pledge));
    in.order = plan.order;
    return in;
}

} // namespace quenmark
