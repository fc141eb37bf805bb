// Small helpers the widget tests share: finding controls by object name and
// reading what a screen reader would say for a control.
#pragma once

#include <QAccessible>
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

} // namespace quenmark::test
