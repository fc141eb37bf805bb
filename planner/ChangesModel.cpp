#include "planner/ChangesModel.h"

#include <algorithm>
#include <map>

#include "core/Limits.h"

namespace quenmark {

ChangesModel::ChangesModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

PlanChanges ChangesModel::normalized(const PlanChanges& changes)
{
    // Months outside the plan are kept within it; amounts within the largest.
    auto month = [](std::int32_t m) { return std::clamp<std::int32_t>(m, 1, kSnowballMonthLimit); };
    std::map<std::int32_t, std::int64_t> steps, sums;
    for (const PledgeStep& s : changes.steps)
        steps[month(s.fromMonth)] = std::clamp<std::int64_t>(s.amount, 0, kLargestCents);
    for (const OneOffSum& s : changes.oneOffs) {
        std::int64_t& sum = sums[month(s.month)];
        sum = std::min(sum + std::clamp<std::int64_t>(s.amount, 0, kLargestCents), kLargestCents);
    }
    PlanChanges out;
    for (const auto& [m, amount] : steps)
        out.steps.push_back({m, amount});
    for (const auto& [m, amount] : sums)
        out.oneOffs.push_back({m, amount});
    return out;
}

void ChangesModel::setChanges(const PlanChanges& changes)
{
    const PlanChanges tidy = normalized(changes);
    QList<Change> rows;
    for (const PledgeStep& s : tidy.steps)
        rows.append({Change::Kind::PledgeFrom, s.fromMonth, s.amount});
    for (const OneOffSum& s : tidy.oneOffs)
        rows.append({Change::Kind::OneOff, s.month, s.amount});
    std::stable_sort(rows.begin(), rows.end(), [](const Change& a, const Change& b) { return a.month < b.month; });
    if (rows == m_rows)
        return;
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

PlanChanges ChangesModel::changes() const
{
    PlanChanges out;
    for (const Change& c : m_rows) {
        if (c.kind == Change::Kind::PledgeFrom)
            out.steps.push_back({c.month, c.amount});
        else
            out.oneOffs.push_back({c.month, c.amount});
    }
    return out;
}

void ChangesModel::setStartMonth(CalendarMonth start)
{
    start = PlanCalendarMonth(start, 1);
    if (start == m_start)
        return;
    m_start = start;
    if (!m_rows.isEmpty())
        emit dataChanged(index(0, Date), index(static_cast<int>(m_rows.size()) - 1, Date));
}

int ChangesModel::rowOf(Change::Kind kind, std::int32_t month) const
{
    for (int i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].kind == kind && m_rows[i].month == month)
            return i;
    return -1;
}

QString ChangesModel::kindText(Change::Kind kind)
{
    return kind == Change::Kind::PledgeFrom ? tr("Pledge from then on") : tr("One-off sum");
}

int ChangesModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int ChangesModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ChangesModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const Change& c = m_rows[index.row()];
    if (role == Qt::TextAlignmentRole)
        return index.column() == Kind || index.column() == Date ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                                               : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)
        return {};
    switch (index.column()) {
    case Kind:
        return kindText(c.kind);
    case Month:
        return role == Qt::AccessibleTextRole ? tr("month %1").arg(c.month) : QString::number(c.month);
    case Date:
        return CalendarMonthText(m_start, c.month);
    case Amount:
        return QLatin1Char('$') + CentsText(c.amount);
    }
    return {};
}

QVariant ChangesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return {};
    switch (section) {
    case Kind:
        return tr("Change");
    case Month:
        return tr("Month");
    case Date:
        return tr("Calendar month");
    case Amount:
        return tr("Amount");
    }
    return {};
}

} // namespace quenmark
