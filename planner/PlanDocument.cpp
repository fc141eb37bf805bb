#include "planner/PlanDocument.h"

#include <QUndoCommand>
#include <QUndoStack>
#include <algorithm>

#include "core/Limits.h"
#include "planner/CardsModel.h"

namespace quenmark {

// A change to the cards: a card edited, added, removed or moved, told by what
// it does in both directions.
class CardCommand : public QUndoCommand
{
public:
    enum class Kind { Edit, Insert, Remove, Move };

    CardCommand(PlanDocument* doc, Kind kind, int row, const StoredCard& before, const StoredCard& after,
                const QString& text, int to = -1)
        : QUndoCommand(text), m_doc(doc), m_kind(kind), m_row(row), m_to(to), m_before(before), m_after(after)
    {
    }
    void redo() override { apply(true); }
    void undo() override { apply(false); }

private:
    void apply(bool forward)
    {
        CardsModel* cards = m_doc->m_cards;
        int touched = m_row;
        switch (m_kind) {
        case Kind::Edit:
            cards->setCard(m_row, forward ? m_after : m_before);
            break;
        case Kind::Insert:
        case Kind::Remove:
            if (forward == (m_kind == Kind::Insert)) {
                cards->insertCard(m_row, m_after);
            } else {
                cards->removeCard(m_row);
                touched = std::min(m_row, cards->rowCount() - 1);
            }
            break;
        case Kind::Move:
            cards->moveCard(forward ? m_row : m_to, forward ? m_to : m_row);
            touched = forward ? m_to : m_row;
            break;
        }
        if (touched >= 0)
            emit m_doc->cardTouched(touched);
    }

    PlanDocument* m_doc;
    Kind m_kind;
    int m_row;
    int m_to;
    StoredCard m_before;
    StoredCard m_after;
};

// A change to the settings: the pledge, the order, and whatever else they hold.
class SettingsCommand : public QUndoCommand
{
public:
    SettingsCommand(PlanDocument* doc, StoredPlan before, StoredPlan after, const QString& text)
        : QUndoCommand(text), m_doc(doc), m_before(std::move(before)), m_after(std::move(after))
    {
    }
    void redo() override { m_doc->applySettings(m_after); }
    void undo() override { m_doc->applySettings(m_before); }

private:
    PlanDocument* m_doc;
    StoredPlan m_before;
    StoredPlan m_after;
};

// The whole list of cards at once (an import that adds or replaces).
class CardListCommand : public QUndoCommand
{
public:
    CardListCommand(PlanDocument* doc, QList<StoredCard> before, QList<StoredCard> after, const QString& text)
        : QUndoCommand(text), m_doc(doc), m_before(std::move(before)), m_after(std::move(after))
    {
    }
    void redo() override { apply(m_after); }
    void undo() override { apply(m_before); }

private:
    void apply(const QList<StoredCard>& cards)
    {
        m_doc->m_cards->setStored(cards);
        if (!cards.isEmpty())
            emit m_doc->cardTouched(0);
    }

    PlanDocument* m_doc;
    QList<StoredCard> m_before;
    QList<StoredCard> m_after;
};

PlanDocument::PlanDocument(QObject* parent)
    : QObject(parent), m_cards(new CardsModel(this)), m_undo(new QUndoStack(this))
{
    m_cards->setEditHandler([this](int row, const StoredCard& card) { editCard(row, card); });
    // One step (a macro too) moves the index once: the plan follows once.
    connect(m_undo, &QUndoStack::indexChanged, this, [this] {
        if (!m_loading)
            emit changed();
    });
}

StoredPlan PlanDocument::stored() const
{
    StoredPlan plan = m_settings;
    plan.cards = m_cards->stored();
    return plan;
}

PlanInputs PlanDocument::inputs() const
{
    PlanInputs in = ToPlanInputs(m_settings, startMonth());
    in.cards = m_cards->cards();
    return in;
}

CalendarMonth PlanDocument::startMonth() const
{
    return m_settings.start ? *m_settings.start : m_nextMonth;
}

void PlanDocument::setToday(const QDate& today)
{
    m_nextMonth = MonthAfter(today);
}

void PlanDocument::load(const StoredPlan& plan)
{
    m_loading = true;
    m_undo->clear();
    m_cards->setStored(plan.cards);
    m_settings = plan;
    m_settings.cards.clear();
    m_loading = false;
    emit settingsChanged();
    emit changed();
}

void PlanDocument::applySettings(const StoredPlan& settings)
{
    m_settings = settings;
    m_settings.cards.clear();
    emit settingsChanged();
}

void PlanDocument::editCard(int row, const StoredCard& card)
{
    if (row < 0 || row >= m_cards->rowCount())
        return;
    const StoredCard before = m_cards->card(row);
    if (before == card)
        return;
    m_undo->push(new CardCommand(this, CardCommand::Kind::Edit, row, before, card,
                                 tr("change %1").arg(m_cards->name(row))));
}

int PlanDocument::addCard()
{
    const int row = m_cards->rowCount();
    if (static_cast<std::size_t>(row) >= kMostPlanCards)
        return -1;
    StoredCard card;
    card.name = m_cards->newCardName();
    m_undo->push(new CardCommand(this, CardCommand::Kind::Insert, row, {}, card, tr("add %1").arg(card.name)));
    return row;
}

void PlanDocument::removeCard(int row)
{
    if (row < 0 || row >= m_cards->rowCount())
        return;
    const StoredCard card = m_cards->card(row);
    m_undo->push(new CardCommand(this, CardCommand::Kind::Remove, row, {}, card,
                                 tr("remove %1").arg(m_cards->name(row))));
}

bool PlanDocument::moveCard(int row, int delta)
{
    const int to = row + delta;
    if (row < 0 || row >= m_cards->rowCount() || to < 0 || to >= m_cards->rowCount() || delta == 0)
        return false;
    const QString name = m_cards->name(row);
    const QString what = delta < 0 ? tr("move %1 up").arg(name) : tr("move %1 down").arg(name);
    auto* step = new CardCommand(this, CardCommand::Kind::Move, row, {}, {}, what, to);
    if (m_settings.order == PlanOrder::Given) {
        m_undo->push(step);
        return true;
    }
    // The card and the order in one step.
    StoredPlan given = m_settings;
    given.order = PlanOrder::Given;
    m_undo->beginMacro(what);
    m_undo->push(step);
    m_undo->push(new SettingsCommand(this, m_settings, given, what));
    m_undo->endMacro();
    return true;
}

void PlanDocument::setPledge(double pledge)
{
    StoredPlan after = m_settings;
    after.pledge = pledge;
    changeSettings(after, tr("change the pledge money"));
}

void PlanDocument::setOrder(PlanOrder order)
{
    StoredPlan after = m_settings;
    after.order = order;
    changeSettings(after, tr("change the order"));
}

void PlanDocument::replaceCards(const QList<StoredCard>& cards, const QString& what)
{
    const QList<StoredCard> before = m_cards->stored();
    if (before == cards)
        return;
    m_undo->push(new CardListCommand(this, before, cards, what));
}

void PlanDocument::setStart(std::optional<CalendarMonth> start)
{
    StoredPlan after = m_settings;
    after.start = start;
    changeSettings(after, tr("change the start month"));
}

void PlanDocument::setChanges(const PlanChanges& changes)
{
    StoredPlan after = m_settings;
    SetChanges(after, changes);
    changeSettings(after, tr("edit the changes over time"));
}

void PlanDocument::changeSettings(const StoredPlan& settings, const QString& what)
{
    StoredPlan after = settings;
    after.cards.clear();
    if (after == m_settings)
        return;
    m_undo->push(new SettingsCommand(this, m_settings, after, what));
}

} // namespace quenmark
