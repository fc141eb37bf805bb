// Helpers for the chart page tests: a fast pointer jump (pointAt of PageWalk.h
// comes from outside the window), reaching a control with Tab, and checking
// that a page is tidy.
#pragma once

#include <QApplication>
#include <QLabel>
#include <QWidget>
#include <QWindow>
#include <QtTest>

#include "PageWalk.h"
#include "TestWidgets.h"

namespace quenmark::test {

// A fast move: the pointer jumps straight onto `pos` of `target` (its centre
// when `pos` is (-1, -1)) from wherever it was, with no move in between.
inline void jumpTo(QWidget* target, QPoint pos = QPoint(-1, -1))
{
    QWidget* win = target->window();
    QTest::mouseMove(win->windowHandle(), target->mapTo(win, pos.x() < 0 ? target->rect().center() : pos));
}

// Presses Tab until `target` has the focus (at most `presses` times); true when it has.
inline bool tabTo(QWidget* target, int presses = 20)
{
    for (int i = 0; i < presses && QApplication::focusWidget() != target; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    return QApplication::focusWidget() == target;
}

// What is untidy on `page`: a visible control that leaves it, or a text that
// does not fit its label. Empty when all is well.
inline QString untidy(QWidget* page)
{
    for (QWidget* child : page->findChildren<QWidget*>()) {
        if (!child->isVisible())
            continue;
        if (!page->rect().contains(QRect(child->mapTo(page, QPoint(0, 0)), child->size())))
            return child->objectName() + QStringLiteral(" leaves the page");
        auto* l = qobject_cast<QLabel*>(child);
        if (!l || l->text().isEmpty())
            continue;
        const QRect room = l->contentsRect();
        int needed = 0;
        if (isRichLabel(l) || l->wordWrap()) {
            needed = neededHeight(l);
        } else {
            if (l->fontMetrics().horizontalAdvance(l->text()) > room.width())
                return QStringLiteral("'%1' is too narrow").arg(l->text());
            needed = l->fontMetrics().height() - 2; // a line may touch the border
        }
        if (needed > room.height())
            return QStringLiteral("'%1' is too low").arg(l->text().left(40));
    }
    return {};
}

} // namespace quenmark::test
