// Helpers for the chart page tests: moving the pointer onto a control the way
// a user does, and checking that a page is tidy.
#pragma once

#include <QApplication>
#include <QLabel>
#include <QWidget>
#include <QWindow>
#include <QtTest>

#include "TestWidgets.h"

namespace quenmark::test {

// Moves the pointer onto `target` at `pos` (its centre by default). Unless
// `direct`, it first goes to a spot of the window outside the page area, so
// the move arrives from outside; direct is a fast jump from where it was.
inline void pointAt(QWidget* target, QPoint pos = QPoint(-1, -1), bool direct = false)
{
    if (!target)
        return;
    QWidget* win = target->window();
    if (pos.x() < 0)
        pos = target->rect().center();
    if (!direct)
        QTest::mouseMove(win->windowHandle(), QPoint(2, win->height() - 4));
    QTest::mouseMove(win->windowHandle(), target->mapTo(win, pos));
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
