// What each card's statement would tell: paying only the statement's
// declining minimum (how long, the interest, the money paid) against the
// payment that clears the card in 36 months, and what that saves. A card's
// figures depend on the card alone: they are worked out when a row is first
// shown and kept for as long as the card stays the same.
#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <cstddef>
#include <unordered_map>
#include <vector>

#include "core/Planner.h"

namespace quenmark {

struct PlanCardHash
{
    std::size_t operator()(const PlanCard& c) const noexcept;
};

class StatementsModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { Card, MinimumTime, MinimumInterest, MinimumPaid, Payment36, Paid36, Saved36, ColumnCount };

    explicit StatementsModel(QObject* parent = nullptr);

    void setCards(std::vector<PlanCard> cards, const QStringList& names);
    // The figures of row `row` (worked out on first use).
    const CardDisclosure& disclosure(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The widest text of a column over every card (works every card out).
    QString widestText(int column) const;

private:
    QString text(int row, int column) const;

    std::vector<PlanCard> m_cards;
    QStringList m_names;
    mutable std::unordered_map<PlanCard, CardDisclosure, PlanCardHash> m_figures;
};

} // namespace quenmark
