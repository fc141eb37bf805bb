#include "planner/CardsView.h"

#include "common/BoxAccessible.h"

#include <QAccessible>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTimer>
#include <algorithm>

#include "common/Platform.h"
#include "planner/CardsModel.h"
#include "planner/PlanText.h"

namespace quenmark {

namespace {

const char* const kIndexProperty = "quenmarkCell";

QPersistentModelIndex IndexOf(const QObject* editor)
{
    return editor->property(kIndexProperty).value<QPersistentModelIndex>();
}

// "balance", "monthly payment", but "APR".
QString InSentence(const QString& heading)
{
    if (heading.size() > 1 && heading[1].isLower())
        return heading.left(1).toLower() + heading.mid(1);
    return heading;
}

} // namespace

// ---- the delegate -------------------------------------------------------------------

QWidget* CardsDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                     const QModelIndex& index) const
{
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    auto* edit = qobject_cast<QLineEdit*>(editor);
    if (!edit)
        return editor;
    if (index.column() == CardsModel::Name)
        edit->setMaxLength(CardsModel::kLongestName);
    tellWholeLine(edit);
    // Which card and which of its figures, as a sighted user sees from the row and the column.
    const QString header = index.model()->headerData(index.column(), Qt::Horizontal).toString();
    const QString card = index.siblingAtColumn(CardsModel::Name).data().toString();
    edit->setAccessibleName(index.column() == CardsModel::Name || card.trimmed().isEmpty()
                                ? header
                                : tr("%1, %2").arg(card, header));
    const QPersistentModelIndex at(index);
    edit->setProperty(kIndexProperty, QVariant::fromValue(at));
    connect(edit, &QLineEdit::textEdited, this, [this, at](const QString& text) { emit previewed(at, text); });
    return edit;
}

bool CardsDelegate::eventFilter(QObject* object, QEvent* event)
{
    auto* edit = qobject_cast<QLineEdit*>(object);
    if (edit && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const QPersistentModelIndex index = IndexOf(edit);
        const auto* model = qobject_cast<const CardsModel*>(index.model());
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && model) {
            // Refused text is not committed: the editor stays for the text to be mended.
            StoredCard card = model->card(index.row());
            const QString why = CardsModel::readCell(card, index.column(), edit->text());
            if (!why.isEmpty()) {
                emit refusedOnEnter(index, why);
                return true;
            }
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

// ---- the view -----------------------------------------------------------------------

CardsView::CardsView(QWidget* parent)
    : QTableView(parent)
{
    // No "edit on a click of the selected cell": it waits for a double click
    // that may not come, and a key typed meanwhile went elsewhere. The click
    // opens the editor at once instead (mouseReleaseEvent).
    setEditTriggers(DoubleClicked | EditKeyPressed | AnyKeyPressed);
    setSelectionMode(SingleSelection);
    // Arrow keys move between cells and typing edits one; Tab leaves the table
    // (while a cell is being edited Tab goes on to the next cell).
    setTabKeyNavigation(false);
    setWordWrap(true);
    horizontalHeader()->setStretchLastSection(true);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 10);
    m_delegate = new CardsDelegate(this);
    setItemDelegate(m_delegate);

    m_message = new QLabel(this);
    m_message->setObjectName(QStringLiteral("CellMessage"));
    m_message->setWordWrap(true);
    m_message->setAutoFillBackground(true);
    m_message->setFrameShape(QFrame::Box);
    m_message->setMargin(4);
    m_message->setPalette(QPalette(QColor(255, 255, 225)));
    m_message->hide();

    connect(m_delegate, &CardsDelegate::previewed, this, [this](const QModelIndex& index, const QString& text) {
        StoredCard card = m_model->card(index.row());
        showMessage(index, CardsModel::readCell(card, index.column(), text));
        emit previewed(index, text);
    });
    connect(m_delegate, &CardsDelegate::refusedOnEnter, this, [this](const QModelIndex& index, const QString& why) {
        platform().beep();
        showMessage(index, why);
    });
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, &CardsView::refitNotesLater);
}

void CardsView::setCardsModel(CardsModel* model)
{
    m_model = model;
    setModel(model);
    // Refused when committed (Tab, the focus leaving): the card keeps its value, and says so.
    connect(model, &CardsModel::refused, this, [this](const QModelIndex& index, const QString& why) {
        const QString heading = m_model->headerData(index.column(), Qt::Horizontal).toString();
        showMessage(index, why + QLatin1Char(' ') +
                               tr("Nothing changed: %1's %2 is still %3.")
                                   .arg(m_model->name(index.row()), InSentence(heading), index.data().toString()));
    });
    // An accepted change to the cell spoken of ends the message.
    connect(model, &QAbstractItemModel::dataChanged, this, [this](const QModelIndex& from, const QModelIndex& to) {
        if (m_messageIndex.isValid() && !isEditing() && from.row() <= m_messageIndex.row() &&
            m_messageIndex.row() <= to.row() && from.column() <= m_messageIndex.column())
            showMessage({}, {});
    });
    // Rows that moved, came or went: every note is fitted again.
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(model, signal, this, [this] { m_notesFitted.clear(); });
    connect(model, &QAbstractItemModel::rowsMoved, this, [this] { m_notesFitted.clear(); });
    connect(model, &QAbstractItemModel::modelReset, this, [this] {
        m_notesFitted.clear();
        showMessage({}, {});
    });
}

bool CardsView::editedText(QModelIndex* index, QString* text) const
{
    if (!isEditing())
        return false;
    for (QLineEdit* edit : viewport()->findChildren<QLineEdit*>(Qt::FindDirectChildrenOnly)) {
        const QPersistentModelIndex at = IndexOf(edit);
        if (at.isValid() && indexWidget(at) == edit) {
            *index = at;
            *text = edit->text();
            return true;
        }
    }
    return false;
}

void CardsView::mousePressEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    const bool plain = event->button() == Qt::LeftButton && event->modifiers() == Qt::NoModifier;
    m_pressed = plain && index.isValid() && index == currentIndex() && selectionModel()->isSelected(index)
                    ? QPersistentModelIndex(index)
                    : QPersistentModelIndex();
    QTableView::mousePressEvent(event);
}

void CardsView::mouseReleaseEvent(QMouseEvent* event)
{
    QTableView::mouseReleaseEvent(event);
    const QModelIndex index = indexAt(event->position().toPoint());
    const QPersistentModelIndex pressed = std::exchange(m_pressed, QPersistentModelIndex());
    if (pressed.isValid() && index == pressed && !isEditing() && (model()->flags(index) & Qt::ItemIsEditable))
        edit(index);
}

void CardsView::keyboardSearch(const QString&)
{
    // A key that does not open an editor does nothing: it never moves to another card.
}

void CardsView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    const QPersistentModelIndex index = IndexOf(editor);
    QTableView::closeEditor(editor, hint);
    if (hint == QAbstractItemDelegate::RevertModelCache && index == m_messageIndex)
        showMessage({}, {});
    if (!isEditing()) {
        emit editingEnded();
        if (m_notesPending)
            fitNotes();
    }
}

void CardsView::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    // A message about another cell goes once the user moves on from it by hand.
    if (m_messageIndex.isValid() && !isEditing() && current != m_messageIndex && previous != m_messageIndex)
        showMessage({}, {});
}

void CardsView::resizeEvent(QResizeEvent* event)
{
    QTableView::resizeEvent(event);
    placeMessage();
    refitNotesLater();
}

void CardsView::scrollContentsBy(int dx, int dy)
{
    QTableView::scrollContentsBy(dx, dy);
    placeMessage();
}

void CardsView::showMessage(const QModelIndex& index, const QString& why)
{
    QWidget* editor = index.isValid() ? indexWidget(index) : nullptr;
    if (editor)
        editor->setAccessibleDescription(why);
    if (why.isEmpty() || !index.isValid()) {
        m_messageIndex = QPersistentModelIndex();
        m_message->hide();
        m_message->clear();
        return;
    }
    const bool news = m_message->text() != why || m_message->isHidden();
    m_messageIndex = index;
    m_message->setText(why);
    placeMessage();
    m_message->show();
    m_message->raise();
    if (news) {
        // Heard at once, not only when someone goes looking for it.
        QAccessibleEvent alert(m_message, QAccessible::Alert);
        QAccessible::updateAccessibility(&alert);
    }
}

void CardsView::placeMessage()
{
    if (!m_messageIndex.isValid()) {
        m_message->hide();
        return;
    }
    const QRect cell = visualRect(m_messageIndex).translated(viewport()->pos());
    const int w = std::min(std::max(cell.width(), 360), std::max(120, width() - 8));
    const int h = m_message->heightForWidth(w);
    const int x = std::clamp(cell.left(), 4, std::max(4, width() - w - 4));
    int y = cell.bottom() + 2;
    if (y + h > height())
        y = std::max(0, cell.top() - h - 2);
    m_message->setGeometry(x, y, w, h);
}

void CardsView::fitFigures()
{
    if (!m_model)
        return;
    // Wide enough for each heading in bold (the current cell's column is
    // headed in bold) and for the widest figure beneath it.
    QFont bold = horizontalHeader()->font();
    bold.setBold(true);
    const QFontMetrics headings(bold), cells(font());
    const int least[CardsModel::ColumnCount] = {140, 70, 100, 110, 80, 80, 150, 60, 140, 0};
    const QDate last(2109, 5, 1);
    const int paidOff = std::max(cells.horizontalAdvance(PlanText::monthAndDate(last, kSnowballMonthLimit)),
                                 cells.horizontalAdvance(tr("Not within %1").arg(PlanText::planYears())));
    for (int c = 0; c + 1 < CardsModel::ColumnCount; ++c) {
        int want = std::max(least[c], headings.horizontalAdvance(m_model->headerData(c, Qt::Horizontal).toString()) + 20);
        const QString figure = m_model->widestText(c);
        if (!figure.isEmpty())
            want = std::max(want, cells.horizontalAdvance(figure) + 16);
        if (c == CardsModel::PaidOff)
            want = std::max(want, paidOff + 16);
        if (columnWidth(c) != want)
            setColumnWidth(c, want);
    }
}

void CardsView::refitNotesLater()
{
    if (m_refitQueued)
        return;
    m_refitQueued = true;
    QTimer::singleShot(0, this, [this] {
        m_refitQueued = false;
        m_notesFitted.clear();
        fitNotes();
    });
}

void CardsView::fitNotes()
{
    if (!m_model)
        return;
    if (isEditing()) {
        m_notesPending = true;
        return;
    }
    m_notesPending = false;
    // Only rows whose note changed are measured again.
    QHeaderView* rows = verticalHeader();
    const int n = m_model->rowCount();
    if (m_notesFitted.size() != n)
        m_notesFitted = QStringList(n, QStringLiteral("\n"));
    bool resized = false;
    for (int i = 0; i < n; ++i) {
        const QString note = m_model->index(i, CardsModel::Note).data().toString();
        if (note == m_notesFitted[i])
            continue;
        m_notesFitted[i] = note;
        const int before = rows->sectionSize(i), one = rows->defaultSectionSize();
        if (!note.isEmpty())
            resizeRowToContents(i);
        rows->resizeSection(i, note.isEmpty() ? one : std::max(one, rows->sectionSize(i) + 6));
        resized = resized || rows->sectionSize(i) != before;
    }
    // The card being worked on stays in sight when rows above it grow.
    if (resized && currentIndex().isValid())
        scrollTo(currentIndex());
}

} // namespace quenmark
