#include "planner/StatementsModel.h"

#include <algorithm>

#include "planner/PlanText.h"

namespace quenmark {

std::size_t PlanCardHash::operator()(const PlanCard& c) const noexcept
{
    std::size_t h = 0;
    auto mix = [&h](std::int64_t v) { h ^= std::hash<std::int64_t>{}(v) + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2); };
    mix(c.balance);
    mix(c.payment);
    mix(c.apr);
    mix(c.promoApr);
    mix(c.promoMonths);
    mix((c.hasMinimum ? 1 : 0) | (c.minPlusInterest ? 2 : 0));
    mix(c.minPercent);
    mix(c.minFloor);
    return h;
}

StatementsModel::StatementsModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

void StatementsModel::setCards(std::vector<PlanCard> cards, const QStringList& names)
{
    if (cards.size() != m_cards.size()) {
        beginResetModel();
        m_cards = std::move(cards);
        m_names = names;
        endResetModel();
    } else {
        // Only the rows that changed are shown again.
        int from = -1;
        for (int i = 0; i <= static_cast<int>(cards.size()); ++i) {
            const auto k = static_cast<std::size_t>(i);
            const bool changed = k < cards.size() && (!(cards[k] == m_cards[k]) || names.value(i) != m_names.value(i));
            if (changed && from < 0)
                from = i;
            if (!changed && from >= 0) {
                std::copy(cards.begin() + from, cards.begin() + i, m_cards.begin() + from);
                for (int j = from; j < i; ++j)
                    m_names[j] = names.value(j);
                emit dataChanged(index(from, 0), index(i - 1, ColumnCount - 1));
                from = -1;
            }
        }
    }
    // Figures of cards no longer shown go once there are many of them.
    if (m_figures.size() > 4 * m_cards.size() + 64)
        m_figures.clear();
}

const CardDisclosure& StatementsModel::disclosure(int row) const
{
    const PlanCard& card = m_cards[static_cast<std::size_t>(row)];
    auto it = m_figures.find(card);
    if (it == m_figures.end())
        it = m_figures.emplace(card, DiscloseCard(card)).first;
    return it->second;
}

int StatementsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_cards.size());
}

int StatementsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString StatementsModel::text(int row, int column) const
{
    if (column == Card)
        return m_names.value(row);
    const PlanCard& card = m_cards[static_cast<std::size_t>(row)];
    if (card.balance <= 0)
        return column == MinimumTime ? tr("Nothing owed") : QString();
    const CardDisclosure& d = disclosure(row);
    const bool minimumEnds = d.minimumRan && !d.minimumNotPaidOff;
    switch (column) {
    case MinimumTime:
        if (!d.minimumRan)
            return card.apr > 0 ? tr("needs at least %1 a month").arg(PlanText::money(d.leastPayment))
                                : tr("needs a payment");
        if (d.minimumNotPaidOff)
            return tr("never: the minimum stops covering the interest");
        return PlanText::duration(d.minimumMonths);
    case MinimumInterest:
        return minimumEnds ? PlanText::money(d.minimumInterest) : QString();
    case MinimumPaid:
        return minimumEnds ? PlanText::money(d.minimumPaid) : QString();
    case Payment36:
        return PlanText::money(d.payment36);
    case Paid36:
        return PlanText::money(d.paid36);
    case Saved36:
        if (!minimumEnds)
            return QString();
        return d.alreadyFaster ? tr("your payment is already faster") : PlanText::money(d.saved36);
    }
    return {};
}

QVariant StatementsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= ColumnCount)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return text(index.row(), index.column());
    case Qt::AccessibleTextRole: {
        const QString shown = text(index.row(), index.column());
        return tr("%1, %2").arg(headerData(index.column(), Qt::Horizontal).toString(), shown.isEmpty() ? tr("none") : shown);
    }
    case Qt::AccessibleDescriptionRole:
        return index.column() == Card ? QString() : m_names.value(index.row());
    case Qt::TextAlignmentRole: {
        const bool words = index.column() == Card || index.column() == MinimumTime;
        return words ? QVariant(Qt::AlignLeft | Qt::AlignVCenter) : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    }
    default:
        break;
    }
    return {};
}

QVariant StatementsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    const bool tip = role == Qt::ToolTipRole;
    switch (section) {
    case Card:
        return tr("Card");
    case MinimumTime:
        return tip ? tr("How long paying only the statement's declining minimum takes to pay the card off")
                   : tr("Minimum only: paid off after");
    case MinimumInterest:
        return tip ? tr("The interest paid when paying only the minimum") : tr("Minimum only: interest");
    case MinimumPaid:
        return tip ? tr("All the money paid when paying only the minimum") : tr("Minimum only: money paid");
    case Payment36:
        return tip ? tr("The level monthly payment that clears the balance in 36 months, interest charged in cents")
                   : tr("Payment to clear it in 36 months");
    case Paid36:
        return tip ? tr("All the money paid with that payment") : tr("Money paid in 36 months");
    case Saved36:
        return tip ? tr("Money paid with the minimum only, less money paid in 36 months")
                   : tr("Saved in 36 months against the minimum");
    }
    return {};
}

QString StatementsModel::widestText(int column) const
{
    QString widest;
    for (int row = 0; row < rowCount(); ++row) {
        QString t = text(row, column);
        if (t.size() > widest.size())
            widest = std::move(t);
    }
    return widest;
}

} // namespace quenmark
