// "Debt-free by": the user picks a month (by number or calendar month, from
// the start month on) and sees the least pledge with which the plan is paid
// off by then (the core's FindPledgeNeeded, the tool's --by), that none is
// needed, or why no pledge can do it. "Apply" hands the pledge to the window,
// which makes it the plan's pledge (through its undo stack).
//
// The search runs the plan some fifty times: it is worked out when the panel
// is shown, the month changes, or result() asks, never more than once per change.
#pragma once

#include <QWidget>
#include <cstdint>
#include <vector>

#include "core/Plan.h"
#include "core/PlanDate.h"

class QLabel;
class QPushButton;

namespace quenmark {

class PlanMonthField;

class DebtFreeByPanel : public QWidget
{
    Q_OBJECT
public:
    explicit DebtFreeByPanel(QWidget* parent = nullptr);

    // The plan the pledge is found for: the cards, their money (`budget.pledge`
    // is the pledge Apply would replace; the steps and one-off sums stay), the
    // order and month 1's calendar month.
    void setInputs(std::vector<PlanCard> cards, PlanBudget budget, PlanOrder order, CalendarMonth start);

    std::int32_t targetMonth() const;
    void setTargetMonth(std::int32_t month);

    // The answer for the inputs and the month now (worked out now if due).
    const PledgeNeeded& result();
    // What the panel says (worked out now if due).
    QString resultText();

signals:
    // "Apply" was pressed: the pledge (cents) to make the plan's pledge.
    void applyPledge(std::int64_t pledge);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void workOutLater();
    void workOut();

    PlanMonthField* m_month = nullptr;
    QLabel* m_text = nullptr;
    QPushButton* m_apply = nullptr;
    std::vector<PlanCard> m_cards;
    PlanBudget m_budget;
    PlanOrder m_order = PlanOrder::HighestApr;
    CalendarMonth m_start{2000, 1};
    PledgeNeeded m_result;
    bool m_due = true;
    bool m_scheduled = false;
};

} // namespace quenmark
