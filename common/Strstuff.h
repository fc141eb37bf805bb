// Money and count text, and the two fixed-place roundings.
//
// Money text always uses "." as the decimal point and "," as the thousands
// separator, whatever the locale, and carries no currency sign: callers put
// "$" in front themselves. All functions are pure and thread-safe.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quenmark {

// Plain two-decimal text: fixed point, exactly two decimals, "." as the point,
// no separators, "-" in front of a negative value. The double is first taken to
// 18 significant decimal digits, then cut after the second decimal, going up in
// magnitude when the first dropped digit is 5 or more (0.125 -> "0.13",
// 2.675 -> "2.67" because its double lies just below the half).
std::string PlainTwoDecimals(double value);

// Plain two-decimal text grouped in threes with "," when 4 to 13 digits stand
// before the point (1234567.891 -> "1,234,567.89"); 14 or more stay ungrouped.
std::string AmountToText(double value);

// Decimal digits grouped in threes with "," (1234567 -> "1,234,567").
std::string CountToText(std::int32_t count);

// Deletes every "," and blank, then reads an optional sign, digits, an optional
// "." with digits and an optional exponent. Empty text reads as 0. Text that is
// not such a number reads as 0 (callers only read back text AmountToText wrote).
double TextToAmount(std::string_view text);

// Rounded to 2 and to 7 decimals by the same rule as PlainTwoDecimals
// (18 significant digits, then half away from zero).
double RoundToCents(double x);
double RoundToSevenPlaces(double x);

} // namespace quenmark
