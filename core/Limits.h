// The program's limits, in one place: the largest amount, the highest APR the
// lessons' calculators and the planner take, how far a plan is run and how many
// cards it takes.
#pragma once

#include <cstddef>
#include <cstdint>

namespace quenmark {

// The largest amount the calculators and the planner accept (larger values are
// brought down to it), in dollars and in whole cents.
inline constexpr double kLargestAmount = 999999999999.99;
inline constexpr std::int64_t kLargestCents = 99999999999999;

// The highest APR (percent) the lessons' calculators take: their pages say an
// APR above 30 is adjusted to 30.
inline constexpr double kLessonHighestApr = 30.0;

// The highest APR (percent) the planner takes (My Cards and the tool's plans):
// real cards charge more than the lessons' 30 %, and a plan is worked at the
// rate given. The same in hundredths of a percent.
inline constexpr double kPlanHighestApr = 99.99;
inline constexpr std::int32_t kPlanHighestAprHundredths = 9999;

// A plan that has not ended after this many months (100 years) is not run further.
inline constexpr std::int32_t kPlanYears = 100;
inline constexpr std::int32_t kSnowballMonthLimit = kPlanYears * 12;

// The most cards a plan takes (a person's cards, with room to spare): more
// would only make the schedule too large to keep.
inline constexpr std::size_t kMostPlanCards = 1000;

// The longest card name a plan takes, in characters.
inline constexpr std::size_t kLongestCardName = 200;

} // namespace quenmark
