// What the user has put into My Cards: the cards (a model for their table),
// the pledge money and the payoff order. Every change is one step of the undo
// stack: editing a card, adding, removing or moving one, the pledge, the order
// (and whatever else the settings hold: the start month, the changes over time). changed() follows each step,
// its undo and its redo once: the plan is then worked out again and saved.
#pragma once

#include <QObject>
#include <QDate>
#include <QString>
#include <optional>

#include "planner/CardStore.h"
#include "planner/PlanInputs.h"

class QUndoStack;

namespace quenmark {

class CardsModel;

class PlanDocument : public QObject
{
    Q_OBJECT
public:
    explicit PlanDocument(QObject* parent = nullptr);

    CardsModel* cards() const { return m_cards; }
    QUndoStack* undoStack() const { return m_undo; }

    // Everything, as saved.
    StoredPlan stored() const;
    // Everything but the cards (the budget and the order): `cards` is empty.
    const StoredPlan& settings() const { return m_settings; }
    double pledge() const { return m_settings.pledge; }
    PlanOrder order() const { return m_settings.order; }
    // What the plan is worked out from.
    PlanInputs inputs() const;
    // Month 1 of the plan: the chosen start month, or the month after `today`
    // (setToday) when none was chosen.
    CalendarMonth startMonth() const;
    void setToday(const QDate& today);

    // Replaces everything (the saved file read): no step, the undo history is
    // cleared; changed() and settingsChanged() follow.
    void load(const StoredPlan& plan);

    // The steps. Each does nothing when it would change nothing.
    void editCard(int row, const StoredCard& card);
    // A new card at the end (named "Card N"); its row, or -1 when the list is full.
    int addCard();
    void removeCard(int row);
    // One place up (-1) or down (+1); moving cards is choosing one's own
    // order, so the order becomes the given one in the same step.
    bool moveCard(int row, int delta);
    void setPledge(double pledge);
    void setOrder(PlanOrder order);
    // The whole list in one step (an import adding cards or replacing them).
    void replaceCards(const QList<StoredCard>& cards, const QString& what);
    // The chosen start month (none: the month after today's).
    void setStart(std::optional<CalendarMonth> start);
    // The pledge changes and one-off sums.
    void setChanges(const PlanChanges& changes);
    // Any other change of the settings (`what`: the step's name, "change the
    // pledge money"); `settings.cards` is not read.
    void changeSettings(const StoredPlan& settings, const QString& what);

signals:
    // After every step, undo and redo, and after load().
    void changed();
    // The settings changed (a step, its undo or redo, a load): the controls showing them follow.
    void settingsChanged();
    // A step, its undo or redo touched this card: the table shows it.
    void cardTouched(int row);

private:
    friend class CardCommand;
    friend class CardListCommand;
    friend class SettingsCommand;
    void applySettings(const StoredPlan& settings);

    CardsModel* m_cards = nullptr;
    QUndoStack* m_undo = nullptr;
    StoredPlan m_settings;
    CalendarMonth m_nextMonth;
    bool m_loading = false;
};

} // namespace quenmark
