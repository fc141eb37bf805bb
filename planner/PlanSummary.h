// The plan in a few words: when the cards are paid off, the interest, and
// what the plan saves against paying each card only its own payment.
#pragma once

#include <QDate>
#include <QList>
#include <QStringList>
#include <QWidget>

#include "core/Plan.h"

class QLabel;

namespace quenmark {

class PlanSummary : public QWidget
{
    Q_OBJECT
public:
    explicit PlanSummary(QWidget* parent = nullptr);

    // `alone`: each card paid alone; `pledged`: whether any pledge money is given.
    void setPlan(const PlanResult& plan, const PlanResult& alone, const QStringList& names, const QDate& firstMonth,
                 bool pledged);
    // The three lines, in reading order (each reachable with Tab).
    QList<QLabel*> lines() const;

private:
    QString savedText(const PlanResult& plan, const PlanResult& alone, const QStringList& names, bool pledged) const;

    QLabel* m_debtFree = nullptr;
    QLabel* m_interest = nullptr;
    QLabel* m_saved = nullptr;
};

} // namespace quenmark
