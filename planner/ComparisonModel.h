// The payoff orders side by side, and each card paid alone: when each is
// debt-free, its interest and what it saves against paying each card alone.
#pragma once

#include <QAbstractTableModel>
#include <QDate>
#include <QString>
#include <array>

#include "core/Plan.h"

namespace quenmark {

class ComparisonModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Row { HighestApr, LowestBalance, Given, Alone, RowCount };
    enum Column { Plan, Months, DebtFreeIn, Interest, Saved, ColumnCount };

    explicit ComparisonModel(QObject* parent = nullptr);

    // `chosen`: the order of the window's plan; `anyOwed`: whether the cards owe anything.
    void setComparison(const PlanComparison& comparison, PlanOrder chosen, bool anyOwed, const QDate& firstMonth);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    // The longest text of a column.
    QString widestText(int column) const;

private:
    std::array<std::array<QString, ColumnCount>, RowCount> m_cells;
    int m_chosen = -1;
};

} // namespace quenmark
