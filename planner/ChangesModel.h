// The "Changes over time" of a plan as a read-only table: pledge changes
// (from a month on the pledge is another amount) and one-off sums (added once
// to a month's money), in month order, each month shown also as a calendar
// month counted from the plan's start month. At most one change of each kind
// a month.
#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <cstdint>

#include "core/PlanDate.h"
#include "planner/PlanInputs.h"

namespace quenmark {

class ChangesModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { Kind, Month, Date, Amount, ColumnCount };

    struct Change
    {
        enum class Kind { PledgeFrom, OneOff };
        Kind kind = Kind::PledgeFrom;
        std::int32_t month = 1;
        std::int64_t amount = 0; // cents
        bool operator==(const Change&) const = default;
    };

    explicit ChangesModel(QObject* parent = nullptr);

    // The changes in month order, one of each kind a month: of two pledge
    // changes for one month the later one counts (as in the plan), one-off
    // sums of one month are added up.
    void setChanges(const PlanChanges& changes);
    PlanChanges changes() const;
    static PlanChanges normalized(const PlanChanges& changes);

    void setStartMonth(CalendarMonth start);
    CalendarMonth startMonth() const { return m_start; }

    const Change& change(int row) const { return m_rows[row]; }
    // The row of the change of that kind in that month; -1 when there is none.
    int rowOf(Change::Kind kind, std::int32_t month) const;

    static QString kindText(Change::Kind kind);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QList<Change> m_rows;
    CalendarMonth m_start{2000, 1};
};

} // namespace quenmark
