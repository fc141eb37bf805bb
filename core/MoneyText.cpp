// Money and count text, and the two fixed-place roundings.
//
// The defining rule of every rounding here is the text rule: the double is
// written with 18 significant digits (std::to_chars, which ignores the locale),
// then cut after the wanted decimal, going up in magnitude when the first
// dropped digit is 5 or more. RoundToCents and RoundToSevenPlaces decide the
// same result without formatting text whenever the value is not within a hair
// of a half; near a half they decide exactly with one fused multiply-add, and in
// the few cases that even that leaves open they use the text rule itself.
#include "core/MoneyText.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <system_error>

namespace quenmark {

namespace {

// Fixed-point text of `value` with `places` decimals by the text rule. No
// grouping; "-" only when the rounded value is not zero; non-finite -> zero.
std::string FixedText(double value, int places)
{
    std::string out;
    if (!std::isfinite(value)) {
        out = "0.";
        out.append(static_cast<std::size_t>(places), '0');
        return out;
    }
    const bool negative = std::signbit(value);
    const double magnitude = std::fabs(value);

    // "d.ddddddddddddddddde+XX": 18 significant digits, nearest.
    char sci[64];
    const auto res = std::to_chars(sci, sci + sizeof sci, magnitude, std::chars_format::scientific, 17);
    const char* end = res.ptr;
    char digits[18];
    int count = 0;
    const char* p = sci;
    for (; p < end && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9' && count < 18)
            digits[count++] = *p;
    }
    int exponent = 0;
    if (p < end && *p == 'e')
        exponent = std::atoi(std::string(p + 1, end).c_str());

    // Lay the digits out on a fixed grid: intDigits before the point, then
    // places + 1 after it (the last one decides the rounding).
    const int pointPos = exponent + 1; // digits of `digits` before the point
    const int intDigits = pointPos > 0 ? pointPos : 1;
    const int total = intDigits + places + 1;
    std::string grid(static_cast<std::size_t>(total), '0');
    // Position of digits[0] in the grid.
    const int first = pointPos > 0 ? 0 : 1 - pointPos;
    for (int i = 0; i < count; ++i) {
        const int at = first + i;
        if (at >= 0 && at < total)
            grid[static_cast<std::size_t>(at)] = digits[i];
    }
    const bool up = grid[static_cast<std::size_t>(total - 1)] >= '5';
    grid.pop_back();
    if (up) {
        int i = total - 2;
        while (i >= 0 && grid[static_cast<std::size_t>(i)] == '9') {
            grid[static_cast<std::size_t>(i)] = '0';
            --i;
        }
        if (i >= 0)
            ++grid[static_cast<std::size_t>(i)];
        else
            grid.insert(grid.begin(), '1');
    }
    const std::size_t intLen = grid.size() - static_cast<std::size_t>(places);
    std::size_t lead = 0;
    while (lead + 1 < intLen && grid[lead] == '0')
        ++lead;
    bool allZero = true;
    for (char c : grid)
        if (c != '0') {
            allZero = false;
            break;
        }
    if (negative && !allZero)
        out.push_back('-');
    out.append(grid, lead, intLen - lead);
    if (places > 0) {
        out.push_back('.');
        out.append(grid, intLen, std::string::npos);
    }
    return out;
}

double ParseDecimal(const std::string& text)
{
    double v = 0;
    const char* b = text.data();
    const char* e = b + text.size();
    if (b != e && *b == '-') {
        const auto r = std::from_chars(b + 1, e, v);
        if (r.ec != std::errc() || r.ptr != e)
            return 0;
        return -v;
    }
    const auto r = std::from_chars(b, e, v);
    if (r.ec != std::errc() || r.ptr != e)
        return 0;
    return v;
}

// 5 x 10^m for m = -19 .. -2: half a unit of the 18th significant digit,
// expressed in units of the rounding place.
constexpr double kHalfGrid[] = {5e-19, 5e-18, 5e-17, 5e-16, 5e-15, 5e-14, 5e-13, 5e-12, 5e-11,
                                5e-10, 5e-9,  5e-8,  5e-7,  5e-6,  5e-5,  5e-4,  5e-3,  5e-2};

constexpr double kPow10[] = {1e-9, 1e-8, 1e-7, 1e-6, 1e-5, 1e-4, 1e-3, 1e-2, 1e-1, 1e0,  1e1,  1e2,
                             1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14};

// Decimal exponent of a (a in [1e-9, 1e15)): floor(log10(a)).
int DecimalExponent(double a)
{
    int e = -9;
    while (e < 14 && a >= kPow10[e + 1 + 9])
        ++e;
    return e;
}

// Rounds |x| (given as a >= 0) to `places` decimals; returns the count of units
// of the place, or -1 when the text rule must decide. a * scale < 2^52.
double RoundedUnits(double a, double scale, int places)
{
    const double y = a * scale;
    double n = std::floor(y);
    const double f = y - n;
    const double margin = y * 0x1p-49;
    if (f < 0.5 - margin)
        return n;
    if (f > 0.5 + margin)
        return n + 1;

    // Near the half: r = a * scale - (n + 0.5), formed with one rounding.
    double r = std::fma(a, scale, -(n + 0.5));
    if (r >= 0.5) {
        n += 1;
        r = std::fma(a, scale, -(n + 0.5));
    } else if (r < -0.5) {
        n -= 1;
        r = std::fma(a, scale, -(n + 0.5));
    }
    // The half B = (n + 0.5) / scale has at most 18 significant digits, so a
    // value at or above it keeps at or above it at 18 digits.
    if (r >= 0)
        return n + 1;
    // Below B: it goes up when the 18-digit value reaches B, that is when the
    // distance is at most half a unit of the 18th digit. That half unit is not
    // a binary fraction here, so the distance never equals it exactly.
    const double b = (n + 0.5) / scale;
    const int m = DecimalExponent(b) - 18 + places; // half unit = 5 x 10^m units of the place
    if (m < -19 || m > -2)
        return -1;
    const double t = kHalfGrid[m + 19];
    if (r > -t * (1 - 0x1p-40))
        return n + 1;
    if (r < -t * (1 + 0x1p-40))
        return n;
    return -1;
}

double RoundToPlaces(double x, int places, double scale, double fastLimit)
{
    const double a = std::fabs(x);
    if (!(a < fastLimit)) // also catches NaN
        return std::isfinite(x) ? ParseDecimal(FixedText(x, places)) : 0.0;
    const double units = RoundedUnits(a, scale, places);
    if (units < 0)
        return ParseDecimal(FixedText(x, places));
    if (units == 0)
        return 0.0;
    const double v = units / scale; // correctly rounded, as reading the text back
    return x < 0 ? -v : v;
}

std::string GroupThrees(std::string_view digits)
{
    std::string out;
    out.reserve(digits.size() + digits.size() / 3);
    const std::size_t n = digits.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out.push_back(',');
        out.push_back(digits[i]);
    }
    return out;
}

} // namespace

std::string PlainTwoDecimals(double value)
{
    return FixedText(value, 2);
}

std::string AmountToText(double value)
{
    std::string plain = FixedText(value, 2);
    std::string_view body(plain);
    std::string sign;
    if (!body.empty() && body.front() == '-') {
        sign = "-";
        body.remove_prefix(1);
    }
    const std::size_t point = body.find('.');
    const std::string_view intPart = body.substr(0, point);
    if (intPart.size() < 4 || intPart.size() > 13)
        return plain;
    return sign + GroupThrees(intPart) + std::string(body.substr(point));
}

namespace {

// The digits of |cents| / 100 and the two decimals.
void SplitCents(std::int64_t cents, std::string& whole, char decimals[2], bool& negative)
{
    negative = cents < 0;
    // The magnitude as unsigned: the most negative value has no positive twin.
    const std::uint64_t m = negative ? 0 - static_cast<std::uint64_t>(cents) : static_cast<std::uint64_t>(cents);
    char buf[24];
    const auto res = std::to_chars(buf, buf + sizeof buf, m / 100);
    whole.assign(buf, res.ptr);
    decimals[0] = static_cast<char>('0' + (m % 100) / 10);
    decimals[1] = static_cast<char>('0' + m % 10);
}

} // namespace

std::string PlainCents(std::int64_t cents)
{
    std::string whole;
    char decimals[2];
    bool negative = false;
    SplitCents(cents, whole, decimals, negative);
    std::string out = negative ? "-" : "";
    out += whole;
    out += '.';
    out.append(decimals, 2);
    return out;
}

std::string CentsToText(std::int64_t cents)
{
    std::string whole;
    char decimals[2];
    bool negative = false;
    SplitCents(cents, whole, decimals, negative);
    std::string out = negative ? "-" : "";
    out += whole.size() >= 4 && whole.size() <= 13 ? GroupThrees(whole) : whole;
    out += '.';
    out.append(decimals, 2);
    return out;
}

std::string CountToText(std::int32_t count)
{
    std::int64_t magnitude = count;
    std::string sign;
    if (magnitude < 0) {
        sign = "-";
        magnitude = -magnitude;
    }
    char buf[24];
    const auto res = std::to_chars(buf, buf + sizeof buf, magnitude);
    return sign + GroupThrees(std::string_view(buf, static_cast<std::size_t>(res.ptr - buf)));
}

std::size_t NumberPrefixLength(std::string_view text)
{
    std::size_t i = 0;
    const std::size_t n = text.size();
    if (i < n && (text[i] == '+' || text[i] == '-'))
        ++i;
    std::size_t mantissaDigits = 0;
    while (i < n && text[i] >= '0' && text[i] <= '9') {
        ++i;
        ++mantissaDigits;
    }
    if (i < n && text[i] == '.') {
        std::size_t j = i + 1;
        std::size_t frac = 0;
        while (j < n && text[j] >= '0' && text[j] <= '9') {
            ++j;
            ++frac;
        }
        if (mantissaDigits + frac > 0) {
            i = j;
            mantissaDigits += frac;
        }
    }
    if (mantissaDigits == 0)
        return 0;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < n && (text[j] == '+' || text[j] == '-'))
            ++j;
        const std::size_t digitsStart = j;
        while (j < n && text[j] >= '0' && text[j] <= '9')
            ++j;
        if (j > digitsStart)
            i = j;
    }
    return i;
}

double NumberValue(std::string_view number)
{
    bool negative = false;
    if (!number.empty() && (number.front() == '+' || number.front() == '-')) {
        negative = number.front() == '-';
        number.remove_prefix(1);
    }
    double v = 0;
    const auto r = std::from_chars(number.data(), number.data() + number.size(), v, std::chars_format::general);
    if (r.ec != std::errc() || !std::isfinite(v))
        return 0; // out of range either way: too large (not finite) or too small (0)
    return negative ? -v : v;
}

double TextToAmount(std::string_view text)
{
    std::string cleaned;
    cleaned.reserve(text.size());
    for (char c : text)
        if (c != ',' && c != ' ')
            cleaned.push_back(c);
    if (cleaned.empty())
        return 0;
    const std::size_t len = NumberPrefixLength(cleaned);
    if (len != cleaned.size())
        return 0;
    return NumberValue(cleaned);
}

double RoundToCentsByText(double x)
{
    return std::isfinite(x) ? ParseDecimal(FixedText(x, 2)) : 0.0;
}

double RoundToSevenPlacesByText(double x)
{
    return std::isfinite(x) ? ParseDecimal(FixedText(x, 7)) : 0.0;
}

double RoundToCents(double x)
{
    return RoundToPlaces(x, 2, 100.0, 4e13);
}

double RoundToSevenPlaces(double x)
{
    return RoundToPlaces(x, 7, 1e7, 4e8);
}

} // namespace quenmark
