// The user's cards as a table: what each card is (name, APR, balance, monthly
// payment, a promotional APR and its months, the payment rule: the columns one
// types into) and what the plan says about it (priority, payoff month, a note
// when its payment can never pay it off).
//
// Typed text is read strictly (core/PlanInput.h): text the reader refuses
// changes nothing and says why. A cell written through setData() (the cell
// editor does so when an edit is committed) goes to the edit handler, which
// makes it an undoable step; the handler then calls setCard().
//
// A column one types into is one line of the column table in CardsModel.cpp:
// its heading, what it reads (text, an amount, a rate) and where the value
// lives in StoredCard. The payment rule is typed in its one-line form
// ("2 % or $20.00", "1 % plus interest or $25.00", "Fixed payment"), read
// back with ParseMinimumRule.
#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <string>
#include <vector>

#include "core/Plan.h"
#include "planner/CardStore.h"

namespace quenmark {

class CardsModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { Name, Apr, Balance, Payment, PromoApr, PromoMonths, Rule, Priority, PaidOff, Note, ColumnCount };
    static constexpr int kLongestName = 200;

    // What the plan tells about one card.
    struct Result
    {
        int priority = 0;     // 1-based; 0: none
        QString paidOff;      // "Month 21 (Mar 2026)"
        QString note;         // a warning, or empty
        bool warning = false;
        bool operator==(const Result&) const = default;
    };

    explicit CardsModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Reads `value` into the cell: refused text changes nothing (refused() is
    // emitted, false returned); read text goes to the edit handler as the
    // whole card (or is set at once without one).
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // Who turns an edited card into a change (the undo stack).
    void setEditHandler(std::function<void(int row, const StoredCard& card)> handler);
    // `card` with the cell of `column` read from `text`: empty when read, else
    // the sentence saying why the text is refused and what is accepted.
    static QString readCell(StoredCard& card, int column, const QString& text);
    // Whether `column` is one the user types into.
    static bool isInput(int column);

    // The cards themselves; these do not go through the edit handler.
    StoredCard card(int row) const;
    void setCard(int row, const StoredCard& card);
    void insertCard(int row, const StoredCard& card);
    void removeCard(int row);
    bool moveCard(int row, int to);
    // A new card's name: the first "Card N" not yet in the list.
    QString newCardName() const;

    QList<StoredCard> stored() const;
    void setStored(const QList<StoredCard>& cards);
    std::vector<PlanCard> cards() const;
    // Names as the plan calls the cards (an empty name is "Card N").
    std::vector<std::string> names() const;
    QStringList shownNames() const;
    QString name(int row) const;
    // The widest figure of a column of figures (empty for the others), to fit it.
    QString widestText(int column) const;

    // The plan's word on each card; only rows whose result changed are repainted.
    void setResults(const QList<Result>& results);

signals:
    // Text typed into a cell was refused (`why` says why and what is accepted).
    void refused(const QModelIndex& index, const QString& why);

private:
    QString shown(const StoredCard& card, int column) const;

    QList<StoredCard> m_rows;
    QList<Result> m_results;
    std::function<void(int, const StoredCard&)> m_editHandler;
};

} // namespace quenmark
