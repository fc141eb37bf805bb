#include "planner/DebtFreeByPanel.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "planner/PlanInputs.h"
#include "planner/PlanMonthField.h"

namespace quenmark {

namespace {

QString Money(std::int64_t cents)
{
    return QLatin1Char('$') + CentsText(cents);
}

} // namespace

DebtFreeByPanel::DebtFreeByPanel(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("DebtFreeByPanel"));
    auto* column = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    auto* label = new QLabel(tr("Debt-free b&y:"), this);
    m_month = new PlanMonthField(tr("Debt-free by"), this);
    m_month->setObjectName(QStringLiteral("DebtFreeByMonth"));
    m_month->setMonth(36);
    label->setBuddy(m_month);
    m_apply = new QPushButton(tr("App&ly This Pledge"), this);
    m_apply->setObjectName(QStringLiteral("BtnApplyPledge"));
    m_apply->setAutoDefault(false);
    m_apply->setEnabled(false);
    row->addWidget(label);
    row->addWidget(m_month);
    row->addWidget(m_apply);
    row->addStretch(1);
    column->addLayout(row);
    m_text = new QLabel(this);
    m_text->setObjectName(QStringLiteral("PledgeNeededText"));
    m_text->setWordWrap(true);
    m_text->setTextFormat(Qt::PlainText);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_text->setFocusPolicy(Qt::TabFocus); // a keyboard user can reach and hear the answer
    column->addWidget(m_text);
    column->addStretch(1);
    setTabOrder(m_month->calendarBox(), m_apply);
    setTabOrder(m_apply, m_text);

    connect(m_month, &PlanMonthField::monthChanged, this, &DebtFreeByPanel::workOutLater);
    connect(m_apply, &QPushButton::clicked, this, [this] {
        const PledgeNeeded& r = result();
        if (r.outcome != PledgeNeeded::Outcome::Impossible)
            emit applyPledge(r.outcome == PledgeNeeded::Outcome::Found ? r.pledge : 0);
    });
}

void DebtFreeByPanel::setInputs(std::vector<PlanCard> cards, PlanBudget budget, PlanOrder order, CalendarMonth start)
{
    m_cards = std::move(cards);
    m_budget = std::move(budget);
    m_order = order;
    m_start = start;
    m_month->setStartMonth(start);
    workOutLater();
}

std::int32_t DebtFreeByPanel::targetMonth() const
{
    return m_month->month();
}

void DebtFreeByPanel::setTargetMonth(std::int32_t month)
{
    m_month->setMonth(month); // works out later through monthChanged
    workOutLater();
}

void DebtFreeByPanel::workOutLater()
{
    m_due = true;
    if (m_scheduled || !isVisible())
        return;
    m_scheduled = true;
    QTimer::singleShot(0, this, [this] {
        m_scheduled = false;
        if (m_due && isVisible())
            workOut();
    });
}

void DebtFreeByPanel::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_due)
        workOut();
}

const PledgeNeeded& DebtFreeByPanel::result()
{
    if (m_due)
        workOut();
    return m_result;
}

QString DebtFreeByPanel::resultText()
{
    if (m_due)
        workOut();
    return m_text->text();
}

void DebtFreeByPanel::workOut()
{
    m_due = false;
    const std::int32_t month = targetMonth();
    const QString by = tr("%1 (month %2)").arg(CalendarMonthText(m_start, month, true)).arg(month);
    const bool owed = std::any_of(m_cards.begin(), m_cards.end(), [](const PlanCard& c) { return c.balance > 0; });
    if (!owed) {
        m_result = {PledgeNeeded::Outcome::NotNeeded, 0};
        m_text->setText(m_cards.empty() ? tr("Add your cards to see the pledge needed.")
                                        : tr("Nothing is owed on these cards: no pledge is needed."));
        m_apply->setEnabled(false);
        return;
    }
    m_result = FindPledgeNeeded(m_cards, m_budget, m_order, month);
    QString text;
    std::int64_t pledge = 0;
    switch (m_result.outcome) {
    case PledgeNeeded::Outcome::NotNeeded:
        text = tr("No pledge money is needed to be debt-free by %1: the cards' own payments do it.").arg(by);
        if (!m_budget.steps.empty())
            text += QLatin1Char(' ') + tr("(Your pledge changes still apply.)");
        break;
    case PledgeNeeded::Outcome::Found: {
        pledge = m_result.pledge;
        text = m_budget.steps.empty()
                   ? tr("To be debt-free by %1, pledge %2 a month.").arg(by, Money(pledge))
                   : tr("To be debt-free by %1, pledge %2 a month until your first pledge change (the changes "
                        "still apply).")
                         .arg(by, Money(pledge));
        // What that plan is.
        PlanBudget with = m_budget;
        with.pledge = pledge;
        const PlanResult plan = RunPlan(m_cards, with, m_order);
        if (plan.paidOff)
            text += QLatin1Char(' ') + tr("You would be debt-free after month %1 (%2), with %3 of interest.")
                                           .arg(plan.months)
                                           .arg(CalendarMonthText(m_start, plan.months, true), Money(plan.totalInterest));
        break;
    }
    case PledgeNeeded::Outcome::Impossible:
        text = tr("No pledge can do it: a pledge change from month 1 on sets the pledge of every month, and with "
                  "it the plan is not debt-free by %1. Raise that pledge change, or remove it to find the pledge "
                  "needed.")
                   .arg(by);
        break;
    }
    const bool applicable = m_result.outcome != PledgeNeeded::Outcome::Impossible;
    if (applicable && pledge == m_budget.pledge)
        text += QLatin1Char(' ') + tr("That is your pledge now.");
    m_text->setText(text);
    m_apply->setEnabled(applicable && pledge != m_budget.pledge);
}

} // namespace quenmark
