// Money and count text, and the two fixed-place roundings.
//
// Money text always uses "." as the decimal point and "," as the thousands
// separator, whatever the locale, and carries no currency sign: callers put
// "$" in front themselves. All functions are pure and thread-safe.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quenmark {

// Plain two-decimal text: fixed point, exactly two decimals, "." as the point,
// no separators, "-" in front of a negative value. The double is first taken to
// 18 significant decimal digits, then cut after the second decimal, going up in
// magnitude when the first dropped digit is 5 or more (0.125 -> "0.13",
// 2.675 -> "2.67" because its double lies just below the half). A value that
// rounds to zero has no "-" ("-0.001" -> "0.00"); a non-finite value is "0.00".
std::string PlainTwoDecimals(double value);

// Plain two-decimal text grouped in threes with "," when 4 to 13 digits stand
// before the point (1234567.891 -> "1,234,567.89"); 14 or more stay ungrouped.
std::string AmountToText(double value);

// Whole cents as text, exactly (no doubles): PlainCents(154368) -> "1543.68",
// CentsToText(154368) -> "1,543.68" (grouped as AmountToText groups);
// "-" in front of a negative amount.
std::string PlainCents(std::int64_t cents);
std::string CentsToText(std::int64_t cents);

// Decimal digits grouped in threes with "," (1234567 -> "1,234,567").
std::string CountToText(std::int32_t count);

// Deletes every "," and blank, then reads an optional sign, digits, an optional
// "." with digits and an optional exponent. Empty text reads as 0. Text that is
// not such a number reads as 0 (callers only read back text AmountToText wrote),
// and so does a number too large for a double.
double TextToAmount(std::string_view text);

// Length of the longest prefix of `text` that is a number in the form
// TextToAmount reads (optional sign, digits with an optional "." and digits,
// at least one digit, optional exponent with digits); 0 when there is none.
std::size_t NumberPrefixLength(std::string_view text);

// The value of a whole number text of that form ("+" allowed); 0 when it is
// not finite as a double ("1e999") or not of that form.
double NumberValue(std::string_view number);

// Rounded to 2 and to 7 decimals by the same rule as PlainTwoDecimals
// (18 significant digits, then half away from zero). A non-finite x gives 0.
// These decide without formatting text; the ...ByText forms go through the
// text itself and give the same doubles (kept as the reference).
double RoundToCents(double x);
double RoundToSevenPlaces(double x);
double RoundToCentsByText(double x);
double RoundToSevenPlacesByText(double x);

} // namespace quenmark
