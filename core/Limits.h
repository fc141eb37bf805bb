// The program's limits, in one place: the largest amount, the highest APR the
// lessons' calculators take, how far a plan is run and how many cards it takes.
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

// A plan that has not ended after this many months (100 years) is not run further.
inline constexpr std::int32_t kPlanYears = 100;
inline constexpr std::int32_t kSnowballMonthLimit = kPlanYears * 12;

// The most cards a plan takes (a person's cards, with room to spare): more
// would only make the schedule too large to keep.
inline constexpr std::size_t kMostPlanCards = 1000;

} // namespace quenmark
