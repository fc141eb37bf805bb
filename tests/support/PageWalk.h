// Walking every page of a chapter window by Next, and finding what a user acts
// on there: the controls, and the areas that answer the pointer (bars, zones,
// pies). Shared by the whole-program tests and the screen-picture tool.
#pragma once

#include "common/LessonFrame.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QTest>
#include <QTextDocument>
#include <QTextEdit>
#include <QWindow>
#include <algorithm>
#include <functional>

namespace quenmark::test {

// The page total the header shows.
inline int shownTotal(const LessonFrame* w)
{
    auto* total = w->findChild<QLabel*>(QStringLiteral("TotalPages"));
    return total ? total->text().toInt() : 0;
}

inline int shownPage(const LessonFrame* w)
{
    auto* page = w->findChild<QLabel*>(QStringLiteral("PageNumberPanel"));
    return page ? page->text().toInt() : 0;
}

// Calls `visit(page)` on the page shown at opening and after each click on
// Next, until the header's total is reached (at most `limit` pages). Stops
// early when `visit` returns false. Returns the number of pages visited.
inline int forEachPageByNext(LessonFrame* w, const std::function<bool(int)>& visit, int limit = 64)
{
    auto* next = w->findChild<QPushButton*>(QStringLiteral("BtnNext"));
    int visited = 0;
    for (int page = 1; page <= limit; ++page) {
        ++visited;
        if (!visit(shownPage(w)))
            break;
        if (shownPage(w) >= shownTotal(w) || !next || !next->isVisible())
            break;
        QTest::mouseClick(next, Qt::LeftButton);
    }
    return visited;
}

// A part of a scrolled view (its viewport, headers, corner button or scroll
// bars): a screen reader meets it through the view, which carries the name.
inline bool isViewPart(const QWidget* w)
{
    const QWidget* parent = w->parentWidget();
    if (!parent)
        return false;
    if (qobject_cast<const QAbstractScrollArea*>(parent))
        return true;
    return parent->objectName().startsWith(QLatin1String("qt_scrollarea_")) &&
           qobject_cast<const QAbstractScrollArea*>(parent->parentWidget());
}

// A control a user types into, chooses from or presses.
inline bool isControl(const QWidget* w)
{
    if (isViewPart(w))
        return false;
    if (qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QLineEdit*>(w)
        || qobject_cast<const QComboBox*>(w) || qobject_cast<const QAbstractSpinBox*>(w)
        || qobject_cast<const QAbstractItemView*>(w) || qobject_cast<const QAbstractSlider*>(w))
        return true;
    if (auto* t = qobject_cast<const QTextEdit*>(w))
        return !t->isReadOnly();
    if (auto* t = qobject_cast<const QPlainTextEdit*>(w))
        return !t->isReadOnly();
    return false;
}

// A widget that answers the pointer by itself: it tracks the mouse and holds
// no visible widget of its own (a bar, a zone, a pie; not a page or a panel
// that only passes moves on). Controls are not counted here.
inline bool isPointerArea(const QWidget* w)
{
    if (!w->hasMouseTracking() || isControl(w) || isViewPart(w) || w->testAttribute(Qt::WA_TransparentForMouseEvents))
        return false;
    // A rich-text label tracks the pointer for its links, not as an area.
    if (auto* l = qobject_cast<const QLabel*>(w);
        l && (l->textFormat() == Qt::RichText || (l->textFormat() == Qt::AutoText && Qt::mightBeRichText(l->text()))))
        return false;
    const auto kids = w->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    return std::none_of(kids.begin(), kids.end(), [](QWidget* k) { return !k->isHidden(); });
}

// The visible widgets below `root` (the root itself not included).
inline QList<QWidget*> visibleWidgets(const QWidget* root)
{
    QList<QWidget*> out;
    for (QWidget* w : root->findChildren<QWidget*>())
        if (w->isVisible() && !w->isWindow())
            out.append(w);
    return out;
}

// The pointer areas shown now, in reading order (top to bottom, left to right).
inline QList<QWidget*> pointerAreas(const QWidget* window)
{
    QList<QWidget*> areas;
    for (QWidget* w : visibleWidgets(window))
        if (isPointerArea(w))
            areas.append(w);
    std::sort(areas.begin(), areas.end(), [window](QWidget* a, QWidget* b) {
        const QPoint pa = a->mapTo(window, QPoint(0, 0)), pb = b->mapTo(window, QPoint(0, 0));
        return pa.y() != pb.y() ? pa.y() < pb.y() : pa.x() < pb.x();
    });
    return areas;
}

// Moves the pointer onto `pos` of `w` synchronously (Enter, Leave, MouseMove),
// coming from outside the window.
inline void pointAt(QWidget* w, QPoint pos)
{
    QWidget* top = w->window();
    const QRect inTop(w->mapTo(top, QPoint(0, 0)), w->size());
    // A corner of the window, off every control. (Not (0, 0): QTest takes a
    // null point for the window's centre.)
    const QPoint away = inTop.contains(QPoint(1, 1)) ? QPoint(top->width() - 2, top->height() - 2) : QPoint(1, 1);
    QTest::mouseMove(top->windowHandle(), away);
    QTest::mouseMove(top->windowHandle(), w->mapTo(top, pos));
}

inline void pointAt(QWidget* w)
{
    pointAt(w, w->rect().center());
}

// The plain words a label shows (markup removed for rich text; the "&" that
// marks the key of a label's buddy is shown as an underline, not as a word).
inline QString labelWords(const QLabel* l)
{
    QString text = l->text();
    if (l->textFormat() == Qt::RichText || (l->textFormat() == Qt::AutoText && Qt::mightBeRichText(text))) {
        QTextDocument doc;
        doc.setHtml(text);
        text = doc.toPlainText();
    } else if (l->buddy()) {
        text.replace(QRegularExpression(QStringLiteral("&(.)")), QStringLiteral("\\1"));
    }
    return text.trimmed();
}

} // namespace quenmark::test
