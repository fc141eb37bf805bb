#include "planner/PlanSummary.h"

#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>

#include "planner/PlanText.h"

namespace quenmark {

PlanSummary::PlanSummary(QWidget* parent)
    : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_debtFree = new QLabel(this);
    m_debtFree->setObjectName(QStringLiteral("DebtFree"));
    QFont big = font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.25);
    m_debtFree->setFont(big);
    m_debtFree->setWordWrap(true);
    m_interest = new QLabel(this);
    m_interest->setObjectName(QStringLiteral("TotalInterest"));
    QFont bold = font();
    bold.setBold(true);
    m_interest->setFont(bold);
    m_saved = new QLabel(this);
    m_saved->setObjectName(QStringLiteral("InterestSaved"));
    m_saved->setWordWrap(true);
    for (QLabel* l : lines()) {
        l->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        l->setFocusPolicy(Qt::TabFocus); // a keyboard user can reach and hear the results
        layout->addWidget(l);
    }
}

QList<QLabel*> PlanSummary::lines() const
{
    return {m_debtFree, m_interest, m_saved};
}

void PlanSummary::setPlan(const PlanResult& plan, const PlanResult& alone, const QStringList& names,
                          const QDate& firstMonth, bool pledged)
{
    const bool anyOwed = std::any_of(plan.cards.begin(), plan.cards.end(),
                                     [](const PlanCardResult& c) { return c.startBalance > 0; });
    QString debtFree, interest, saved;
    if (!anyOwed) {
        debtFree = plan.cards.empty() ? tr("Add your cards to see when you will be debt-free.")
                                      : tr("Nothing is owed on these cards.");
        interest = tr("Total interest: %1").arg(PlanText::money(std::int64_t{0}));
    } else if (plan.paidOff) {
        const QString when = PlanText::month(firstMonth, plan.months, true);
        debtFree = plan.months < 12 ? tr("Debt-free after %1, in %2.").arg(PlanText::months(plan.months), when)
                                    : tr("Debt-free after %1 (%2), in %3.")
                                          .arg(PlanText::months(plan.months), PlanText::duration(plan.months), when);
        interest = tr("Total interest: %1").arg(PlanText::money(plan.totalInterest));
        saved = savedText(plan, alone, names, pledged);
    } else {
        const QString who = names.value(plan.firstOwing);
        debtFree = plan.neverEnds ? tr("%1 can never be paid off: the money of each month does not cover its "
                                       "interest. Raise its payment or the pledge money.")
                                        .arg(who)
                                  : tr("%1 is not paid off within %2. Raise its payment or the pledge money.")
                                        .arg(who, PlanText::planYears());
        interest = tr("Total interest: no end in sight");
    }
    m_debtFree->setText(debtFree);
    m_interest->setText(interest);
    m_saved->setText(saved);
}

QString PlanSummary::savedText(const PlanResult& plan, const PlanResult& alone, const QStringList& names,
                               bool pledged) const
{
    if (!alone.paidOff)
        return tr("Paying each card only its own payment, with no snowball and no pledge, %1 would not be paid off "
                  "within %2.")
            .arg(names.value(alone.firstOwing), PlanText::planYears());
    const std::int64_t saved = alone.totalInterest - plan.totalInterest;
    const int sooner = alone.months - plan.months;
    if (saved == 0 && sooner <= 0) {
        // Nothing to gain from the snowball: say why rather than "$0.00 less".
        if (plan.cards.size() == 1 && !pledged)
            return tr("With one card and no pledge money this plan is the card's own payment: pledge money pays it "
                      "off sooner and for less interest.");
        return tr("This plan pays the same interest as paying each card only its own payment, and ends in the same "
                  "month: pledge money pays the cards off sooner.");
    }
    return tr("Against paying each card only its own payment, with no snowball and no pledge: %1 less interest, "
              "debt-free %2.")
        .arg(PlanText::money(saved), sooner > 0 ? tr("%1 sooner").arg(PlanText::duration(sooner))
                                                : tr("in the same month"));
}

} // namespace quenmark
