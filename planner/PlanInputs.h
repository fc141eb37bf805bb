// The values a plan is worked out from, as one value: the cards as the plan
// reads them, the budget beyond their payments and the payoff order. The
// window works the plan out once for each new value (a change, or a preview of
// the text being typed) and not again for the same one.
#pragma once

#include <vector>

#include "core/Plan.h"
#include "planner/CardStore.h"

namespace quenmark {

struct PlanInputs
{
    std::vector<PlanCard> cards;
    PlanBudget budget;
    PlanOrder order = PlanOrder::HighestApr;

    bool operator==(const PlanInputs& other) const
    {
        return cards == other.cards && order == other.order && budget.pledge == other.budget.pledge &&
               budget.steps == other.budget.steps && budget.oneOffs == other.budget.oneOffs;
    }
};

// One saved card as the plan reads it.
PlanCard ToPlanCard(const StoredCard& card);
// The saved cards and settings as the plan reads them.
PlanInputs ToPlanInputs(const StoredPlan& plan);

} // namespace quenmark
