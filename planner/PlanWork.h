// Works plans out for the window, each once per value of the inputs: the
// chosen order's plan (with its schedule when a view shows it), each card
// alone (from each card's own run, kept by card: typing into one card runs
// that card alone again, not all), and the comparison of the orders (only
// when it is shown).
#pragma once

#include <memory>
#include <unordered_map>

#include "core/Plan.h"
#include "planner/PlanInputs.h"
#include "planner/StatementsModel.h"

namespace quenmark {

class PlanWork
{
public:
    // The plan of `in` in its order; with its schedule when `schedule` is true.
    std::shared_ptr<const PlanResult> plan(const PlanInputs& in, bool schedule);
    // Each card alone, as RunEachAlone gives it.
    const PlanResult& alone(const PlanInputs& in);
    // The three orders and each card alone.
    const PlanComparison& comparison(const PlanInputs& in);

private:
    struct Alone
    {
        PlanCardResult card;
        std::int32_t months = 0;
        bool neverEnds = false;
        bool tooLarge = false;
    };

    PlanInputs m_planIn;
    std::shared_ptr<const PlanResult> m_plan;
    bool m_withSchedule = false;

    std::vector<PlanCard> m_aloneCards;
    PlanResult m_alone;
    bool m_aloneValid = false;
    std::unordered_map<PlanCard, Alone, PlanCardHash> m_aloneByCard;

    PlanInputs m_comparedIn;
    PlanComparison m_comparison;
    bool m_comparisonValid = false;
};

} // namespace quenmark
