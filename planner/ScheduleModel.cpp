#include "planner/ScheduleModel.h"

#include <QLocale>

#include "core/MoneyText.h"

namespace quenmark {

QString PlanMonthText(const QDate& firstMonth, int month, bool longName)
{
    const QDate d = firstMonth.addMonths(month - 1);
    return QLocale::c().toString(d, longName ? QStringLiteral("MMMM yyyy") : QStringLiteral("MMM yyyy"));
}

ScheduleModel::ScheduleModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

void ScheduleModel::setPlan(std::shared_ptr<const PlanResult> plan, const QStringList& names,
                            const QDate& firstMonth)
{
    const int before = rowCount();
    const int after = plan ? static_cast<int>(plan->schedule.size()) : 0;
    if (before == after && after > 0) {
        // Same shape (typing into an amount): new figures, the view keeps its place.
        m_plan = std::move(plan);
        m_names = names;
        m_firstMonth = firstMonth;
        emit dataChanged(index(0, 0), index(after - 1, ColumnCount - 1));
        return;
    }
    beginResetModel();
    m_plan = std::move(plan);
    m_names = names;
    m_firstMonth = firstMonth;
    endResetModel();
}

int ScheduleModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() || !m_plan)
        return 0;
    return static_cast<int>(m_plan->schedule.size());
}

int ScheduleModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ScheduleModel::data(const QModelIndex& index, int role) const
{
    if (!m_plan || !index.isValid() || index.row() >= rowCount())
        return {};
    const PlanRow& r = m_plan->schedule[static_cast<std::size_t>(index.row())];
    if (role == Qt::TextAlignmentRole)
        return index.column() == Card || index.column() == Date ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                                                : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    auto money = [](std::int64_t cents) { return QLatin1Char('$') + QString::fromStdString(CentsToText(cents)); };
    switch (index.column()) {
    case Month:
        return r.month;
    case Date:
        return PlanMonthText(m_firstMonth, r.month);
    case Card:
        return r.card >= 0 && r.card < m_names.size() ? m_names[r.card] : QString();
    case Payment:
        return money(r.payment);
    case Interest:
        return money(r.interest);
    case Balance:
        return money(r.balance);
    }
    return {};
}

QVariant ScheduleModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return {};
    switch (section) {
    case Month:
        return tr("Month");
    case Date:
        return tr("Date");
    case Card:
        return tr("Card");
    case Payment:
        return tr("Payment");
    case Interest:
        return tr("Interest");
    case Balance:
        return tr("Balance after");
    }
    return {};
}

} // namespace quenmark
