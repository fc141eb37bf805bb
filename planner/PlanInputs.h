// What My Cards keeps (StoredCard, StoredPlan) turned into what the plan reads
// (PlanCard, PlanBudget, PlanInputs) and back, exactly to the cent; calendar
// months of a plan as QDate and text; and the words for input the strict reader
// refuses. One place for these, so the window, the editors, the import and the
// printout read the same figures.
#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <cstdint>
#include <vector>

#include "core/Plan.h"
#include "core/PlanDate.h"
#include "core/PlanInput.h"
#include "planner/CardStore.h"

namespace quenmark {

// ---- cards and money ----------------------------------------------------------------

// The plan's card: every amount to whole cents and every rate to hundredths
// (ToCents: an exact half away from zero), held within the plan's ranges.
PlanCard ToPlanCard(const StoredCard& card);
std::vector<PlanCard> ToPlanCards(const QList<StoredCard>& cards);
// The card as the window keeps it: the doubles nearest to the cents, so that
// ToPlanCard gives back exactly `card` (for values within the plan's ranges).
StoredCard ToStoredCard(const PlanCard& card, const QString& name = {});

// The changes over time of a plan: pledge changes and one-off sums (cents).
struct PlanChanges
{
    std::vector<PledgeStep> steps;
    std::vector<OneOffSum> oneOffs;
    bool empty() const { return steps.empty() && oneOffs.empty(); }
    bool operator==(const PlanChanges&) const = default;
};

// The money of a stored plan: its pledge (to the cent), pledge changes and one-off sums.
PlanBudget ToPlanBudget(const StoredPlan& plan);
PlanChanges ChangesOf(const StoredPlan& plan);
void SetChanges(StoredPlan& plan, const PlanChanges& changes);

// The values a plan is worked out from, as one value: the cards as the plan
// reads them (promotions and minimum rules included), the budget beyond their
// payments (the pledge, its changes and the one-off sums), the payoff order and
// the calendar month of month 1. The window works the plan out once for each
// new value (a change, or a preview of the text being typed) and not again for
// the same one.
struct PlanInputs
{
    std::vector<PlanCard> cards;
    PlanBudget budget;
    PlanOrder order = PlanOrder::HighestApr;
    CalendarMonth start;

    bool operator==(const PlanInputs& other) const
    {
        return cards == other.cards && order == other.order && start == other.start &&
               budget.pledge == other.budget.pledge && budget.steps == other.budget.steps &&
               budget.oneOffs == other.budget.oneOffs;
    }
};

// The saved cards and settings as the plan reads them; month 1 is `start`.
PlanInputs ToPlanInputs(const StoredPlan& plan, CalendarMonth start);

// ---- calendar months ----------------------------------------------------------------

CalendarMonth ToCalendarMonth(const QDate& day);
// The first day of the month.
QDate FirstDayOf(CalendarMonth month);
// The month after `today`'s: where a plan starts unless the user chose.
CalendarMonth MonthAfter(const QDate& today);
// Month 1 of a stored plan: its start, or the month after `today`'s.
CalendarMonth StartMonthOf(const StoredPlan& plan, const QDate& today);
// The plan month (1-based) of calendar month `month` when month 1 is `start`
// (0 or less for months before the start).
std::int32_t PlanMonthOf(CalendarMonth start, CalendarMonth month);
// "Mar 2026" (or "March 2026"): the calendar month of plan month `month`, in
// English month names as every month of the planner is shown.
QString CalendarMonthText(CalendarMonth start, std::int32_t month, bool longName = false);
QString CalendarMonthText(CalendarMonth month, bool longName = false);

// ---- reading boxes ------------------------------------------------------------------

// What to tell the user when the strict reader refuses a box's text, saying
// what is accepted ("Not an amount: type it as 1,234.56 or $1,234.56.").
QString RefusalText(PlanInputError error, PlanValue kind);

// A box read strictly: the value (hundredths) or the refusal in words.
struct BoxReadingStrict
{
    bool ok = false;
    std::int64_t value = 0;
    QString refusal; // empty when ok
};
// `emptyValue` >= 0: empty text reads as that value; otherwise empty is refused.
BoxReadingStrict ReadBoxStrictly(const QString& text, PlanValue kind, std::int64_t emptyValue = -1);

// "1,234.56" (no "$"): cents as the boxes show them.
QString CentsText(std::int64_t cents);

} // namespace quenmark
