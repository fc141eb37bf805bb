// What the table chapters' tests read off their cells: which cells show as
// highlighted, amounts written the way the tables write them, and the
// minimum-payment year that chapters 3 and 5 show.
#pragma once

#include <QLabel>
#include <QPalette>
#include <QStringList>
#include <QWidget>
#include <cmath>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "core/Payoff.h"
#include "core/MoneyText.h"

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

// The visible cells under `root` that are not as `designed`, sorted: "Name"
// green with white text, "Name*" green with yellow text, "Name?" green with
// another text colour, and "Name!" for any other change, such as a cell
// that does not tell a screen reader it is highlighted.
inline QStringList highlightedCells(const QWidget* root, const CellLooks& designed)
{
    QStringList names;
    for (const QLabel* l : root->findChildren<QLabel*>()) {
        if (!l->isVisible() || !isTableCell(l))
            continue;
        const auto it = designed.find(l->objectName());
        const bool described = !l->accessibleDescription().isEmpty();
        if (it != designed.end() && it->second == std::pair(background(l).rgb(), textColour(l).rgb()) && !described)
            continue;
        QString name = l->objectName();
        if (background(l) != QColor(0, 128, 0) || !described)
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

// A year of the lessons' example from the core's month step: $2,100.00 at
// 17.9 %, paying 2.5 % of the balance rounded up to whole dollars (minimum)
// or $53.00 every month.
inline std::vector<LedgerRow> exampleYear(bool minimum = true)
{
    std::vector<LedgerRow> rows;
    double balance = 2100.00;
    for (int n = 1; n <= 12; ++n) {
        const double payment = minimum ? std::ceil(RoundToCents(balance * 0.025)) : 53.00;
        rows.push_back(MakeLedgerRow(n, balance, payment, PeriodicRate(17.9)));
        balance = rows.back().newBalance;
    }
    return rows;
}

} // namespace quenmark::test
