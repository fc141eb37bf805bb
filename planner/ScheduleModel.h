// The month-by-month schedule of the chosen plan as a read-only table model
// over the plan's compact schedule: the view asks only for the rows it shows,
// so hundreds of thousands of rows cost nothing until they are seen.
#pragma once

#include <QAbstractTableModel>
#include <QDate>
#include <QStringList>
#include <memory>

#include "core/Plan.h"

namespace quenmark {

class ScheduleModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { Month, Date, Card, Payment, Interest, Balance, ColumnCount };

    explicit ScheduleModel(QObject* parent = nullptr);

    // `plan` with its schedule; `firstMonth`: the calendar month of month 1 (its first day).
    void setPlan(std::shared_ptr<const PlanResult> plan, const QStringList& names, const QDate& firstMonth);
    const PlanResult* plan() const { return m_plan.get(); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The widest figure of a column (the largest amount's text; the latest month).
    QString widestText(int column) const;

private:
    std::shared_ptr<const PlanResult> m_plan;
    QStringList m_names;
    QDate m_firstMonth;
    mutable std::int64_t m_largest[3] = {}; // payment, interest, balance
    mutable bool m_largestKnown = false;
};

} // namespace quenmark
