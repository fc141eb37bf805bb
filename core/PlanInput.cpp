// The planner's strict reader.
#include "core/PlanInput.h"

#include "core/Limits.h"

namespace quenmark {

namespace {

bool Blank(char c)
{
    return c == ' ' || c == '\t';
}

bool Digit(char c)
{
    return c >= '0' && c <= '9';
}

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && Blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && Blank(s.back()))
        s.remove_suffix(1);
    return s;
}

PlanReading Fail(PlanInputError error)
{
    return {error, 0};
}

std::int64_t Highest(PlanValue kind)
{
    switch (kind) {
    case PlanValue::Money:
        return kLargestCents;
    case PlanValue::Apr:
        return kPlanHighestAprHundredths;
    case PlanValue::Percent:
    case PlanValue::Count:
        break;
    }
    return 10000;
}

// The whole-number digits, grouped in threes by "," or not grouped at all;
// false when a comma stands elsewhere. `value` receives them (while they fit:
// `significant` counts the digits from the first one that is not 0, and more
// than 15 is too large for any value), `count` counts them all.
bool WholePart(std::string_view& s, std::int64_t& value, std::size_t& count, std::size_t& significant)
{
    value = 0;
    count = 0;
    significant = 0;
    std::size_t group = 0;   // digits since the last comma (or the start)
    bool grouped = false;
    while (!s.empty() && (Digit(s.front()) || s.front() == ',')) {
        const char c = s.front();
        if (c == ',') {
            if (group == 0 || (grouped ? group != 3 : group > 3))
                return false;
            grouped = true;
            group = 0;
        } else {
            ++group;
            ++count;
            if (significant > 0 || c != '0')
                ++significant;
            if (significant <= 15)
                value = value * 10 + (c - '0');
        }
        s.remove_prefix(1);
    }
    return !grouped || group == 3;
}

} // namespace

PlanReading ReadPlanValue(std::string_view text, PlanValue kind)
{
    if (kind == PlanValue::Count)
        return ReadPlanCount(text, kLargestCents);
    if (text.size() > kLongestPlanInput)
        return Fail(PlanInputError::TooLong);
    std::string_view s = Trim(text);
    if (s.empty())
        return Fail(PlanInputError::Empty);

    bool negative = false;
    if (s.front() == '-') {
        negative = true;
        s.remove_prefix(1);
    }
    if (kind == PlanValue::Money && !s.empty() && s.front() == '$') {
        s.remove_prefix(1);
        while (!s.empty() && Blank(s.front()))
            s.remove_prefix(1);
        if (!negative && !s.empty() && s.front() == '-') {
            negative = true;
            s.remove_prefix(1);
        }
    }
    if (kind != PlanValue::Money && !s.empty() && s.back() == '%') {
        s.remove_suffix(1);
        s = Trim(s);
    }

    std::int64_t whole = 0;
    std::size_t wholeDigits = 0, significant = 0;
    if (!WholePart(s, whole, wholeDigits, significant))
        return Fail(PlanInputError::Malformed);
    std::int64_t fraction = 0; // hundredths
    std::size_t fractionDigits = 0;
    bool extraDecimals = false;
    if (!s.empty() && s.front() == '.') {
        s.remove_prefix(1);
        while (!s.empty() && Digit(s.front())) {
            const int d = s.front() - '0';
            if (fractionDigits < 2)
                fraction += d * (fractionDigits == 0 ? 10 : 1);
            else if (d != 0)
                extraDecimals = true;
            ++fractionDigits;
            s.remove_prefix(1);
        }
    }
    if (!s.empty() || wholeDigits + fractionDigits == 0)
        return Fail(PlanInputError::Malformed);
    if (negative)
        return Fail(PlanInputError::Negative);
    if (extraDecimals)
        return Fail(PlanInputError::TooManyDecimals);
    if (significant > 15)
        return Fail(PlanInputError::TooLarge);
    const std::int64_t value = whole * 100 + fraction;
    if (value > Highest(kind))
        return Fail(PlanInputError::TooLarge);
    return {PlanInputError::None, value};
}

PlanReading ReadPlanCount(std::string_view text, std::int64_t most)
{
    if (text.size() > kLongestPlanInput)
        return Fail(PlanInputError::TooLong);
    std::string_view s = Trim(text);
    if (s.empty())
        return Fail(PlanInputError::Empty);
    bool negative = false;
    if (s.front() == '-') {
        negative = true;
        s.remove_prefix(1);
    }
    if (s.empty())
        return Fail(PlanInputError::Malformed);
    std::int64_t value = 0;
    bool large = false;
    for (const char c : s) {
        if (!Digit(c))
            return Fail(PlanInputError::Malformed);
        if (value > 100000000000000000) // far beyond any count
            large = true;
        else
            value = value * 10 + (c - '0');
    }
    if (negative)
        return Fail(PlanInputError::Negative);
    if (large || value > most)
        return Fail(PlanInputError::TooLarge);
    return {PlanInputError::None, value};
}

PlanReading ReadPlanYesNo(std::string_view text)
{
    if (text.size() > kLongestPlanInput)
        return Fail(PlanInputError::TooLong);
    const std::string_view s = Trim(text);
    auto is = [&](std::string_view word) {
        if (s.size() != word.size())
            return false;
        for (std::size_t i = 0; i < s.size(); ++i) {
            char c = s[i];
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
            if (c != word[i])
                return false;
        }
        return true;
    };
    if (s.empty() || is("no") || is("0"))
        return {PlanInputError::None, 0};
    if (is("yes") || is("1"))
        return {PlanInputError::None, 1};
    return Fail(PlanInputError::Malformed);
}

std::string_view PlanInputErrorText(PlanInputError error, PlanValue kind)
{
    switch (error) {
    case PlanInputError::None:
        return {};
    case PlanInputError::Empty:
        return "is empty";
    case PlanInputError::Malformed:
        switch (kind) {
        case PlanValue::Money:
            return "is not an amount such as 1,234.56";
        case PlanValue::Count:
            return "is not a whole number";
        case PlanValue::Apr:
        case PlanValue::Percent:
            break;
        }
        return "is not a percentage such as 19.99";
    case PlanInputError::Negative:
        return "is negative";
    case PlanInputError::TooManyDecimals:
        return "has more than two decimals";
    case PlanInputError::TooLarge:
        switch (kind) {
        case PlanValue::Money:
            return "is above the largest amount, 999,999,999,999.99";
        case PlanValue::Apr:
            return "is above the highest APR, 99.99";
        case PlanValue::Count:
            return "is too large";
        case PlanValue::Percent:
            break;
        }
        return "is above 100";
    case PlanInputError::TooLong:
        return "is too long";
    }
    return {};
}

} // namespace quenmark
