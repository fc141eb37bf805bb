// The month-by-month schedule of the chosen plan as a read-only table model:
// the view asks only for the rows it shows, so thousands of rows cost nothing.
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

    // `firstMonth`: the calendar month of month 1 (its first day).
    void setPlan(std::shared_ptr<const PlanResult> plan, const QStringList& names, const QDate& firstMonth);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    std::shared_ptr<const PlanResult> m_plan;
    QStringList m_names;
    QDate m_firstMonth;
};

// "Mar 2026": the calendar month of plan month `month` (1-based).
QString PlanMonthText(const QDate& firstMonth, int month, bool longName = false);

} // namespace quenmark
