#include "planner/ScheduleModel.h"

#include <algorithm>

#include "planner/PlanText.h"

namespace quenmark {

ScheduleModel::ScheduleModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

void ScheduleModel::setPlan(std::shared_ptr<const PlanResult> plan, const QStringList& names,
                            const QDate& firstMonth)
{
    if (plan == m_plan && names == m_names && firstMonth == m_firstMonth)
        return;
    m_largestKnown = false; // measured when the widths are asked for
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
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)
        return {};
    QString shown;
    switch (index.column()) {
    case Month:
        if (role == Qt::DisplayRole)
            return r.month;
        shown = QString::number(r.month);
        break;
    case Date:
        shown = PlanText::month(m_firstMonth, r.month);
        break;
    case Card:
        shown = r.card >= 0 && r.card < m_names.size() ? m_names[r.card] : QString();
        break;
    case Payment:
        shown = PlanText::money(r.payment);
        break;
    case Interest:
        shown = PlanText::money(r.interest);
        break;
    case Balance:
        shown = PlanText::money(r.balance);
        break;
    }
    if (role == Qt::AccessibleTextRole)
        return tr("%1, %2").arg(headerData(index.column(), Qt::Horizontal).toString(), shown);
    return shown;
}

QVariant ScheduleModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    const bool tip = role == Qt::ToolTipRole;
    switch (section) {
    case Month:
        return tip ? tr("The month of the plan: month 1 is next month") : tr("Month");
    case Date:
        return tip ? tr("The calendar month") : tr("Date");
    case Card:
        return tip ? tr("The card paid") : tr("Card");
    case Payment:
        return tip ? tr("All paid to the card this month: its own payment and any extra") : tr("Payment");
    case Interest:
        return tip ? tr("The interest charged this month, to the cent") : tr("Interest");
    case Balance:
        return tip ? tr("What the card owes after this month's payment") : tr("Balance after");
    }
    return {};
}

QString ScheduleModel::widestText(int column) const
{
    switch (column) {
    case Month:
        return QString::number(m_plan ? m_plan->months : 0);
    case Payment:
    case Interest:
    case Balance:
        if (!m_largestKnown) {
            std::fill(std::begin(m_largest), std::end(m_largest), 0);
            if (m_plan)
                for (const PlanRow& r : m_plan->schedule.rows()) {
                    m_largest[0] = std::max(m_largest[0], r.payment);
                    m_largest[1] = std::max(m_largest[1], r.interest);
                    m_largest[2] = std::max(m_largest[2], r.balance);
                }
            m_largestKnown = true;
        }
        return PlanText::money(m_largest[column - Payment]);
    default:
        break;
    }
    return {};
}

} // namespace quenmark
