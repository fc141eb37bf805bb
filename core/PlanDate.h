// Calendar months of a plan: month m of a plan that starts in a given calendar
// month, and the "YYYY-MM" text of a month. Pure functions.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quenmark {

struct CalendarMonth
{
    std::int32_t year = 2000;
    std::int32_t month = 1; // 1 .. 12
    bool operator==(const CalendarMonth&) const = default;
};

// The years a start month may have: every month of a plan up to its month
// limit then has a four-digit year.
inline constexpr std::int32_t kFirstPlanYear = 1000;
inline constexpr std::int32_t kLastPlanYear = 9899;

// The calendar month of plan month `month` (1-based: month 1 is `start`;
// month 0 the month before it). A month outside 1 .. 12 in `start` is brought
// into it first.
CalendarMonth PlanCalendarMonth(CalendarMonth start, std::int32_t month);

// "2009-07": the year with at least four digits, the month with two.
std::string MonthText(CalendarMonth month);

// Reads "YYYY-MM" strictly: exactly four digits, "-", two digits; the month
// 01 .. 12, the year kFirstPlanYear .. kLastPlanYear; no blanks, signs or
// other characters. False (and `month` untouched) otherwise.
bool ReadMonthText(std::string_view text, CalendarMonth& month);

} // namespace quenmark
