// What the table chapters' tests read off their cells: which cells show as
// highlighted, in which colours, and amounts written the way the tables write them.
#pragma once

#include <QLabel>
#include <QPalette>
#include <QStringList>
#include <QWidget>
#include <algorithm>
#include <string>

#include "core/Strstuff.h"

namespace quenmark::test {

inline QColor background(const QLabel* l)
{
    return l->autoFillBackground() ? l->palette().color(QPalette::Window) : QColor();
}
inline QColor textColour(const QLabel* l)
{
    return l->palette().color(QPalette::WindowText);
}

// Every visible table cell (a named label with a border) under `root` that is
// green: "Name" with white text, "Name*" with yellow text, "Name?" otherwise;
// sorted. A green cell that does not tell a screen reader it is highlighted
// is listed as "Name!".
inline QStringList highlightedCells(const QWidget* root)
{
    const QColor green(0, 128, 0);
    QStringList names;
    for (const QLabel* l : root->findChildren<QLabel*>()) {
        if (!l->isVisible() || l->objectName().isEmpty() || l->frameShape() != QFrame::Box)
            continue;
        if (background(l) != green)
            continue;
        QString name = l->objectName();
        if (l->accessibleDescription().isEmpty())
            name += QLatin1Char('!');
        else if (textColour(l) == QColor(255, 255, 0))
            name += QLatin1Char('*');
        else if (textColour(l) != QColor(255, 255, 255))
            name += QLatin1Char('?');
        names << name;
    }
    names.sort();
    return names;
}

// The cells written as a space-separated list, sorted.
inline QStringList cellList(const char* text)
{
    QStringList names = QString::fromLatin1(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    names.sort();
    return names;
}

// "$1,234.56" (thousands commas) or, with `separators` false, "$1234.56".
inline QString dollars(double amount, bool separators = true)
{
    const std::string text = separators ? AmountToText(amount) : PlainTwoDecimals(amount);
    return QLatin1Char('$') + QString::fromStdString(text);
}

// The cell's text without the padding that lines amounts up.
inline QString cellText(const QWidget* root, const QString& name)
{
    const auto* l = root->findChild<QLabel*>(name);
    return l ? l->text().trimmed() : QStringLiteral("<no cell %1>").arg(name);
}

} // namespace quenmark::test
