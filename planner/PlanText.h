// The words and figures My Cards shows for a plan: money in dollars and cents,
// durations, calendar months. One place, so that every view says them alike.
#pragma once

#include <QCoreApplication>
#include <QDate>
#include <QString>
#include <cstdint>

#include "core/PlanInput.h"

namespace quenmark {

class PlanText
{
    Q_DECLARE_TR_FUNCTIONS(quenmark::PlanText)
public:
    // "$1,543.68".
    static QString money(std::int64_t cents);
    static QString money(double dollars);
    // "1 month", "57 months".
    static QString months(int months);
    // "4 years 9 months", "1 year", "9 months".
    static QString duration(int months);
    // "100 years": how far a plan is run.
    static QString planYears();
    // "Mar 2026" (or "March 2026"): the calendar month of plan month `month`
    // (1-based), `firstMonth` being month 1's first day.
    static QString month(const QDate& firstMonth, int month, bool longName = false);
    // "Month 21 (Mar 2011)".
    static QString monthAndDate(const QDate& firstMonth, int month);
    // Why typed `text` is refused and what is accepted instead:
    // "“abc” is not an amount such as 1,234.56. Type an amount such as 1234.56,
    // 1,234.56 or $1,234.56."
    static QString refusal(const QString& text, PlanInputError error, PlanValue kind);
};

// The same as PlanText::month (the schedule and the chart say it so).
inline QString PlanMonthText(const QDate& firstMonth, int month, bool longName = false)
{
    return PlanText::month(firstMonth, month, longName);
}

} // namespace quenmark
