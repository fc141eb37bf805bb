#include "planner/ComparisonModel.h"

#include <QFont>

#include "planner/PlanText.h"

namespace quenmark {

ComparisonModel::ComparisonModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

void ComparisonModel::setComparison(const PlanComparison& comparison, PlanOrder chosen, bool anyOwed,
                                    const QDate& firstMonth)
{
    const struct
    {
        QString name;
        const PlanResult* plan;
        bool alone;
    } lines[RowCount] = {
        {tr("Highest APR first"), &comparison.highestApr, false},
        {tr("Lowest balance first"), &comparison.lowestBalance, false},
        {tr("Your own order"), &comparison.given, false},
        {tr("Each card alone: no snowball, no pledge"), &comparison.alone, true},
    };
    const int chosenRow = chosen == PlanOrder::HighestApr ? HighestApr : chosen == PlanOrder::LowestBalance ? LowestBalance : Given;
    decltype(m_cells) cells;
    for (int row = 0; row < RowCount; ++row) {
        const auto& l = lines[row];
        const PlanResult& p = *l.plan;
        const bool ends = p.paidOff && anyOwed;
        auto& c = cells[static_cast<std::size_t>(row)];
        c[Plan] = row == chosenRow ? tr("%1 (chosen)").arg(l.name) : l.name;
        c[Months] = !anyOwed ? QString() : ends ? PlanText::months(p.months) : tr("over %1").arg(PlanText::planYears());
        c[DebtFreeIn] = ends ? PlanText::month(firstMonth, p.months) : QString();
        c[Interest] = ends || !anyOwed ? PlanText::money(p.totalInterest) : QString();
        // Nothing to compare with when paying each card alone never ends.
        const bool compared = !l.alone && ends && comparison.alone.paidOff;
        c[Saved] = compared ? PlanText::money(comparison.interestSaved(p)) : QString();
    }
    const bool chosenMoved = chosenRow != m_chosen;
    m_chosen = chosenRow;
    for (int row = 0; row < RowCount; ++row) {
        const auto r = static_cast<std::size_t>(row);
        if (cells[r] != m_cells[r] || chosenMoved) {
            m_cells[r] = cells[r];
            emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
        }
    }
}

int ComparisonModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : RowCount;
}

int ComparisonModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ComparisonModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= RowCount || index.column() >= ColumnCount)
        return {};
    const QString& text = m_cells[static_cast<std::size_t>(index.row())][static_cast<std::size_t>(index.column())];
    switch (role) {
    case Qt::DisplayRole:
        return text;
    case Qt::AccessibleTextRole:
        return tr("%1, %2").arg(headerData(index.column(), Qt::Horizontal).toString(), text.isEmpty() ? tr("none") : text);
    case Qt::TextAlignmentRole:
        return index.column() == Plan || index.column() == DebtFreeIn ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                                                      : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::FontRole:
        if (index.row() == m_chosen) {
            QFont f;
            f.setBold(true);
            return f;
        }
        break;
    default:
        break;
    }
    return {};
}

QVariant ComparisonModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    const bool tip = role == Qt::ToolTipRole;
    switch (section) {
    case Plan:
        return tip ? tr("The order in which the extra money goes to the cards") : tr("Plan");
    case Months:
        return tip ? tr("How long until every card is paid off") : tr("Debt-free after");
    case DebtFreeIn:
        return tip ? tr("The month of the last payment") : tr("Debt-free in");
    case Interest:
        return tip ? tr("All the interest paid until then") : tr("Total interest");
    case Saved:
        return tip ? tr("The interest this plan saves against paying each card only its own payment")
                   : tr("Interest saved against each card alone");
    }
    return {};
}

QString ComparisonModel::widestText(int column) const
{
    QString widest;
    for (const auto& row : m_cells)
        if (row[static_cast<std::size_t>(column)].size() > widest.size())
            widest = row[static_cast<std::size_t>(column)];
    return widest;
}

} // namespace quenmark
