// The user's cards as an editable table: name, APR, balance and monthly
// payment, read like the calculators' boxes; plus what the plan says about
// each card (priority, payoff month, a note when its payment can never pay it off).
#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QString>
#include <QStyledItemDelegate>
#include <array>
#include <string>
#include <vector>

#include "core/AmountReader.h"
#include "core/Plan.h"
#include "planner/CardStore.h"

namespace quenmark {

class CardsModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { Name, Apr, Balance, Payment, Priority, PaidOff, Note, ColumnCount };
    static constexpr int kLongestName = 200;

    // What the plan tells about one card.
    struct Result
    {
        int priority = 0;     // 1-based
        QString paidOff;      // "Month 21 (Mar 2026)"
        QString note;         // a warning, or empty
        bool warning = false;
    };

    explicit CardsModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Editing an amount keeps the text as typed and reads its value at once
    // (so results follow every keystroke); normalize() writes the corrected text.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // Rewrites an amount cell with its corrected two-decimal text (as a
    // calculator box on leaving it) and returns the reading (its APR message).
    BoxReading normalize(const QModelIndex& index);

    // The new card's row; -1 when the table holds kMostPlanCards already.
    int addCard(const QString& name = {});
    void removeCard(int row);
    // Moves a card up (-1) or down (+1); false when it cannot move.
    bool moveCard(int row, int delta);

    QList<StoredCard> stored() const;
    void setStored(const QList<StoredCard>& cards);
    std::vector<PlanCard> cards() const;
    std::vector<std::string> names() const;
    QString name(int row) const;

    void setResults(const QList<Result>& results);

signals:
    // A name or an amount changed, or cards were added, removed or moved.
    void cardsChanged();

private:
    struct Row
    {
        QString name;
        std::array<QString, 3> text;  // APR, balance, payment as typed (or corrected)
        std::array<double, 3> value{}; // as read
    };
    static AmountBox boxOf(int column);
    QString defaultName() const;

    QList<Row> m_rows;
    QList<Result> m_results;
};

// Line edits for the cards table that hand every keystroke to the model (so
// the plan follows the typing) and report when a cell's editing ends.
class CardsDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void destroyEditor(QWidget* editor, const QModelIndex& index) const override;

signals:
    void cellEdited(const QModelIndex& index) const;
};

} // namespace quenmark
