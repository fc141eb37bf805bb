// Small helpers the widget tests share: finding controls by object name and
// reading what a screen reader would say for a control.
#pragma once

#include <QAccessible>
#include <QLabel>
#include <QTextDocument>
#include <QtMath>
#include <QString>
#include <QWidget>
#include <QtTest>

namespace quenmark::test {

// The control `name` below `root`; warns (so a failing test says which) when absent.
template <typename T = QWidget>
T* child(const QObject* root, const char* name)
{
    T* c = root->findChild<T*>(QString::fromLatin1(name));
    if (!c)
        qWarning("no control named %s", name);
    return c;
}

// The name the accessibility interface reports for `w` now (a label's current
// text unless it was given a name of its own).
inline QString spokenName(QWidget* w)
{
    QAccessibleInterface* iface = w ? QAccessible::queryAccessibleInterface(w) : nullptr;
    return iface ? iface->text(QAccessible::Name).trimmed() : QString();
}

// The height `l`'s text needs at the label's width: rich text laid out as a
// document, wrapped text by the label's own height-for-width, one line by its
// bounding rectangle.
inline bool isRichLabel(const QLabel* l)
{
    return l->textFormat() == Qt::RichText || (l->textFormat() == Qt::AutoText && Qt::mightBeRichText(l->text()));
}
inline int neededHeight(const QLabel* l)
{
    if (isRichLabel(l)) {
        QTextDocument doc;
        doc.setDefaultFont(l->font());
        doc.setDocumentMargin(0);
        doc.setHtml(l->text());
        doc.setTextWidth(l->contentsRect().width());
        return qCeil(doc.size().height());
    }
    if (l->wordWrap())
        return l->heightForWidth(l->width());
    return l->fontMetrics().boundingRect(l->contentsRect(), int(l->alignment()), l->text()).height();
}

} // namespace quenmark::test
