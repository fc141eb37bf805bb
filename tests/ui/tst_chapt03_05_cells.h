// What the table chapters' tests read off their cells: which cells show as
// highlighted, which cells have left their designed colours, and amounts
// written the way the tables write them.
#pragma once

#include <QLabel>
#include <QPalette>
#include <QStringList>
#include <QWidget>
#include <map>
#include <string>
#include <utility>

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

// A table cell: a named label with a border.
inline bool isTableCell(const QLabel* l)
{
    return !l->objectName().isEmpty() && l->frameShape() == QFrame::Box;
}

// Every visible table cell under `root` that is green: "Name" with white
// text, "Name*" with yellow text, "Name?" otherwise; sorted. A green cell
// that does not tell a screen reader it is highlighted is listed as "Name!".
inline QStringList highlightedCells(const QWidget* root)
{
    const QColor green(0, 128, 0);
    QStringList names;
    for (const QLabel* l : root->findChildren<QLabel*>()) {
        if (!l->isVisible() || !isTableCell(l) || background(l) != green)
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

// Background and text colour of every table cell under `root`.
using CellLooks = std::map<QString, std::pair<QRgb, QRgb>>;
inline CellLooks cellLooks(const QWidget* root)
{
    CellLooks looks;
    for (const QLabel* l : root->findChildren<QLabel*>())
        if (isTableCell(l))
            looks[l->objectName()] = {background(l).rgb(), textColour(l).rgb()};
    return looks;
}

// The visible cells whose colours differ from `designed`, apart from the
// `highlighted` ones (named as highlightedCells names them).
inline QStringList changedCells(const CellLooks& designed, const QWidget* root, const QStringList& highlighted)
{
    QStringList plain;
    for (QString name : highlighted) {
        if (name.endsWith(QLatin1Char('*')) || name.endsWith(QLatin1Char('!')) || name.endsWith(QLatin1Char('?')))
            name.chop(1);
        plain << name;
    }
    QStringList changed;
    for (const QLabel* l : root->findChildren<QLabel*>()) {
        if (!l->isVisible() || !isTableCell(l) || plain.contains(l->objectName()))
            continue;
        const auto it = designed.find(l->objectName());
        if (it == designed.end() || it->second != std::pair(background(l).rgb(), textColour(l).rgb())
            || !l->accessibleDescription().isEmpty())
            changed << l->objectName();
    }
    return changed;
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
