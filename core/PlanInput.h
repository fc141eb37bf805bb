// The planner's strict reader of amounts, rates, counts and yes/no values (My
// Cards and the tool's plans and options). Unlike the lessons' forgiving boxes
// (ReadAmountBox) it corrects nothing: text it does not accept is refused with
// a reason, which the caller phrases.
//
// Accepted, with blanks around: "1234.56", "1,234.56" (groups of three),
// "$1,234.56" (amounts), "19.9%" and "19.9 %" (rates), ".5", "5.", and more
// than two decimals only when the extra ones are zeros ("1.500").
// Refused: letters, exponents ("1e5"), "nan", "inf", signs ("-500", "+5"),
// other groupings ("1.234,56", "12,34"), digits other than ASCII ones, a rate
// above its highest, an amount above kLargestAmount, text longer than
// kLongestPlanInput characters.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quenmark {

// Longer text is refused before it is looked at.
inline constexpr std::size_t kLongestPlanInput = 64;

enum class PlanInputError {
    None,            // read
    Empty,           // nothing but blanks (each caller decides what empty means)
    Malformed,       // not a number in an accepted form (or not yes/no)
    Negative,        // a minus sign
    TooManyDecimals, // more than two decimals that are not all zeros
    TooLarge,        // above the largest amount, APR 99.99, 100 %, or the most a count takes
    TooLong          // more than kLongestPlanInput characters
};

enum class PlanValue {
    Money,  // cents, 0 .. kLargestCents; an optional "$" in front
    Apr,    // hundredths of a percent, 0 .. 99.99 %; an optional "%" behind
    Percent, // hundredths of a percent, 0 .. 100 %; an optional "%" behind (a minimum's share of the balance)
    Count    // a whole number (months): read with ReadPlanCount; named here for PlanInputErrorText
};

struct PlanReading
{
    PlanInputError error = PlanInputError::Empty;
    std::int64_t value = 0; // hundredths (cents, or hundredths of a percent); 0 unless read
    bool ok() const { return error == PlanInputError::None; }
};

// Reads one amount or rate.
PlanReading ReadPlanValue(std::string_view text, PlanValue kind);

// Reads a whole number 0 .. `most` (months): ASCII digits, blanks around.
PlanReading ReadPlanCount(std::string_view text, std::int64_t most);

// Reads "yes"/"no", "1"/"0" (any case, blanks around); empty reads as no.
PlanReading ReadPlanYesNo(std::string_view text);

// A short English phrase of what is wrong, for messages that name a field
// ("is not a number", "is above 99.99"); empty for None.
std::string_view PlanInputErrorText(PlanInputError error, PlanValue kind);

} // namespace quenmark
