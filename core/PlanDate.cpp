// Calendar months of a plan.
#include "core/PlanDate.h"

#include <cstdio>

namespace quenmark {

CalendarMonth PlanCalendarMonth(CalendarMonth start, std::int32_t month)
{
    // Months counted from year 0, January; the division rounds down for negatives.
    const std::int64_t index = std::int64_t{start.year} * 12 + (start.month - 1) + (month - 1);
    std::int64_t year = index / 12;
    std::int64_t rest = index % 12;
    if (rest < 0) {
        rest += 12;
        --year;
    }
    return {static_cast<std::int32_t>(year), static_cast<std::int32_t>(rest + 1)};
}

std::string MonthText(CalendarMonth month)
{
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d", static_cast<int>(month.year), static_cast<int>(month.month));
    return text;
}

bool ReadMonthText(std::string_view text, CalendarMonth& month)
{
    if (text.size() != 7 || text[4] != '-')
        return false;
    std::int32_t values[2] = {0, 0};
    const std::size_t starts[2] = {0, 5}, lengths[2] = {4, 2};
    for (int part = 0; part < 2; ++part)
        for (std::size_t i = starts[part]; i < starts[part] + lengths[part]; ++i) {
            if (text[i] < '0' || text[i] > '9')
                return false;
            values[part] = values[part] * 10 + (text[i] - '0');
        }
    if (values[0] < kFirstPlanYear || values[0] > kLastPlanYear || values[1] < 1 || values[1] > 12)
        return false;
    month = {values[0], values[1]};
    return true;
}

} // namespace quenmark
