#include "common/BoxAccessible.h"

#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

namespace quenmark {

namespace {

constexpr char kWholeLine[] = "quenmarkWholeLine";

class BoxAccessible : public QAccessibleWidget,
                      public QAccessibleTextInterface,
                      public QAccessibleEditableTextInterface
{
public:
    explicit BoxAccessible(QLineEdit* box) : QAccessibleWidget(box, QAccessible::EditableText) {}

    QLineEdit* box() const { return static_cast<QLineEdit*>(widget()); }
    bool shown() const { return box()->echoMode() == QLineEdit::Normal; }

    // ---- QAccessibleInterface ----
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return shown() ? box()->text() : QString();
        return QAccessibleWidget::text(t);
    }
    void setText(QAccessible::Text t, const QString& text) override
    {
        if (t == QAccessible::Value && !box()->isReadOnly())
            box()->setText(text);
        else
            QAccessibleWidget::setText(t, text);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.editable = !box()->isReadOnly();
        s.readOnly = box()->isReadOnly();
        s.passwordEdit = !shown();
        s.selectableText = true;
        s.focusable = box()->focusPolicy() != Qt::NoFocus;
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        if (t == QAccessible::EditableTextInterface)
            return static_cast<QAccessibleEditableTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    // ---- QAccessibleTextInterface ----
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    QString attributes(int offset, int* startOffset, int* endOffset) const override
    {
        // No attributes, over the whole line.
        const int count = characterCount();
        if (offset < 0 || offset > count) {
            *startOffset = *endOffset = -1;
            return {};
        }
        *startOffset = 0;
        *endOffset = count;
        return {};
    }
    int cursorPosition() const override { return box()->cursorPosition(); }
    QRect characterRect(int offset) const override
    {
        const QString t = box()->displayText();
        if (offset < 0 || offset >= t.size())
            return {};
        QStyleOptionFrame option;
        option.initFrom(box());
        const QRect area = box()->style()->subElementRect(QStyle::SE_LineEditContents, &option, box());
        const QFontMetrics metrics(box()->font());
        const int x = area.x() + box()->textMargins().left() + metrics.horizontalAdvance(t.left(offset));
        const QRect r(x, area.y(), metrics.horizontalAdvance(t.at(offset)), area.height());
        return QRect(box()->mapToGlobal(r.topLeft()), r.size());
    }
    int selectionCount() const override { return box()->hasSelectedText() ? 1 : 0; }
    int offsetAtPoint(const QPoint& point) const override
    {
        return box()->cursorPositionAt(box()->mapFromGlobal(point));
    }
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override
    {
        *startOffset = *endOffset = 0;
        if (selectionIndex != 0 || !box()->hasSelectedText())
            return;
        *startOffset = box()->selectionStart();
        *endOffset = box()->selectionEnd();
    }
    QString text(int startOffset, int endOffset) const override
    {
        if (!shown() || startOffset > endOffset)
            return {};
        return box()->text().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return shown() ? int(box()->text().size()) : 0; }
    void removeSelection(int selectionIndex) override
    {
        if (selectionIndex == 0)
            box()->deselect();
    }
    void setCursorPosition(int position) override { box()->setCursorPosition(position); }
    void setSelection(int selectionIndex, int startOffset, int endOffset) override
    {
        if (selectionIndex == 0)
            box()->setSelection(startOffset, endOffset - startOffset);
    }
    void scrollToSubstring(int startIndex, int endIndex) override
    {
        box()->setCursorPosition(endIndex);
        box()->setCursorPosition(startIndex);
    }

    // ---- QAccessibleEditableTextInterface ----
    void deleteText(int startOffset, int endOffset) override
    {
        if (box()->isReadOnly() || startOffset > endOffset)
            return;
        box()->setText(box()->text().remove(startOffset, endOffset - startOffset));
    }
    void insertText(int offset, const QString& text) override
    {
        if (box()->isReadOnly())
            return;
        box()->setText(box()->text().insert(offset, text));
    }
    void replaceText(int startOffset, int endOffset, const QString& text) override
    {
        if (box()->isReadOnly() || startOffset > endOffset)
            return;
        box()->setText(box()->text().replace(startOffset, endOffset - startOffset, text));
    }
};

QAccessibleInterface* boxFactory(const QString& className, QObject* object)
{
    if (className != QLatin1String("QLineEdit") || !object || !object->property(kWholeLine).toBool())
        return nullptr;
    return new BoxAccessible(static_cast<QLineEdit*>(object));
}

} // namespace

void tellWholeLine(QLineEdit* box)
{
    static const bool installed = [] {
        QAccessible::installFactory(boxFactory);
        return true;
    }();
    (void)installed;
    box->setProperty(kWholeLine, true);
}

} // namespace quenmark
