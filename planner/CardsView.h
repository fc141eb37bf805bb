// The cards table, made so that typing is never lost or put in the wrong card:
//  - a click on the cell already selected opens its editor at once (Qt would
//    wait for a possible double click and meanwhile hand the keys elsewhere);
//  - typing never searches the table (a key never moves to another card);
//  - a card changes only when its edit is committed (Enter, Tab, the focus
//    leaving); Escape keeps the card as it was; what is typed meanwhile is
//    offered as a preview (previewed()) without touching the cards;
//  - rows keep their height while a cell is edited (the notes are fitted after);
//  - text the strict reader refuses is answered beside the cell, and the card
//    keeps its value.
#pragma once

#include <QPersistentModelIndex>
#include <QStyledItemDelegate>
#include <QTableView>

class QLabel;

namespace quenmark {

class CardsModel;

// Line edits for the cards table: each keystroke is a preview; Enter on text
// that is refused keeps the editor open.
class CardsDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

signals:
    // The editor's text changed (typing, not yet committed).
    void previewed(const QModelIndex& index, const QString& text) const;
    // Enter was pressed on text the reader refuses.
    void refusedOnEnter(const QModelIndex& index, const QString& why) const;

protected:
    bool eventFilter(QObject* object, QEvent* event) override;
};

class CardsView : public QTableView
{
    Q_OBJECT
public:
    explicit CardsView(QWidget* parent = nullptr);

    void setCardsModel(CardsModel* model);
    CardsModel* cardsModel() const { return m_model; }
    // Whether a cell's editor is open.
    bool isEditing() const { return state() == EditingState; }
    // The cell being edited and the text in its editor; false when none is open.
    bool editedText(QModelIndex* index, QString* text) const;

    // `why` beside the cell of `index` (empty: the message goes away).
    void showMessage(const QModelIndex& index, const QString& why);
    QLabel* messageLabel() const { return m_message; }

    // The columns of figures as wide as their widest figure (and heading).
    void fitFigures();
    // Rows with a note take the lines it needs; the others one line. While a
    // cell is edited this waits until the editor closes.
    void fitNotes();

signals:
    void previewed(const QModelIndex& index, const QString& text);
    // An editor closed, committed or not.
    void editingEnded();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyboardSearch(const QString& search) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void placeMessage();
    void refitNotesLater();

    CardsModel* m_model = nullptr;
    CardsDelegate* m_delegate = nullptr;
    QLabel* m_message = nullptr;
    QPersistentModelIndex m_messageIndex;
    QPersistentModelIndex m_pressed; // pressed while it was the selected current cell
    QStringList m_notesFitted;       // the note each row's height was fitted to
    bool m_notesPending = false;
    bool m_refitQueued = false;
};

} // namespace quenmark
