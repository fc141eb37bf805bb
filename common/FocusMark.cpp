#include "common/FocusMark.h"

#include <QEvent>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>

namespace quenmark {

namespace {

// Paints the button as usual, then the frame over it.
class FocusMarker : public QObject
{
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Paint)
            return false;
        auto* button = static_cast<QAbstractButton*>(watched);
        // The button's own painting first (QObject::event is public; it reaches the button's paintEvent).
        static_cast<QObject*>(button)->event(event);
        if (ShowsKeyboardFocus(button)) {
            QPainter p(button);
            p.setRenderHint(QPainter::Antialiasing, false);
            p.setBrush(Qt::NoBrush);
            const int inset = qMin(button->width(), button->height()) >= 20 ? 3 : 2;
            p.setPen(QPen(Qt::black, 1, Qt::DotLine));
            p.drawRect(button->rect().adjusted(inset, inset, -inset - 1, -inset - 1));
        }
        return true;
    }
};

FocusMarker& marker()
{
    static FocusMarker m;
    return m;
}

} // namespace

bool ShowsKeyboardFocus(const QAbstractButton* button)
{
    // As the style decides whether to show focus: after a keyboard move only.
    return button->hasFocus() && button->window()->testAttribute(Qt::WA_KeyboardFocusChange);
}

void MarkKeyboardFocus(QWidget* window)
{
    for (QAbstractButton* b : window->findChildren<QAbstractButton*>()) {
        if (qobject_cast<QPushButton*>(b) || qobject_cast<QToolButton*>(b)) {
            b->removeEventFilter(&marker());
            b->installEventFilter(&marker());
        }
    }
}

} // namespace quenmark
