// Reading the amount boxes and checking the payment before a run.
#include "core/AmountReader.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "core/MoneyText.h"

namespace quenmark {

namespace {


const char kPaymentProblem[] = "There's a problem with the payment you entered.\n\n$";
const char kTooLow[] = " is too low and will never pay off this debt.  It will automatically be adjusted to $";

std::string PaymentMessage(std::string_view enteredText, double newPayment)
{
    std::string m = kPaymentProblem;
    m.append(enteredText);
    m += kTooLow;
    m += PlainTwoDecimals(newPayment);
    m += ".";
    return m;
}

// The value a box's text stands for, before the corrections: blanks and ","
// dropped, a "$" before the number (after an optional sign) skipped, then the
// longest numeric prefix read; no number or no finite number reads as 0.
double BoxValue(std::string_view text)
{
    std::string cleaned;
    cleaned.reserve(text.size());
    for (char c : text)
        if (c != ',' && c != ' ')
            cleaned.push_back(c);
    std::string_view rest(cleaned);
    char sign = 0;
    if (!rest.empty() && (rest.front() == '+' || rest.front() == '-')) {
        sign = rest.front();
        rest.remove_prefix(1);
    }
    if (!rest.empty() && rest.front() == '$')
        rest.remove_prefix(1);
    if (sign == 0 && !rest.empty() && (rest.front() == '+' || rest.front() == '-')) {
        sign = rest.front();
        rest.remove_prefix(1);
    }
    if (!rest.empty() && (rest.front() == '+' || rest.front() == '-'))
        return 0; // a second sign: no number
    const std::size_t len = NumberPrefixLength(rest);
    if (len == 0)
        return 0;
    const double v = NumberValue(rest.substr(0, len));
    return sign == '-' ? -v : v;
}

// At APR 0 the payoff calculator counts the months as balance / payment; the
// least payment that keeps that count within a 32-bit month count.
double LeastCountablePayment(double balance)
{
    constexpr std::int64_t kMaxMonths = std::numeric_limits<std::int32_t>::max();
    const std::int64_t cents = ToCents(balance);
    return FromCents((cents + kMaxMonths - 1) / kMaxMonths);
}

} // namespace

BoxReading ReadAmountBox(std::string_view text, AmountBox box)
{
    BoxReading r;
    double v = BoxValue(text);
    if (!std::isfinite(v))
        v = 0;
    if (v > kLargestAmount)
        v = kLargestAmount;
    if (v < 0)
        v = 0;
    v = RoundToCents(v);
    if (box == AmountBox::Apr && v > kLessonHighestApr) {
        r.aprCapped = true;
        r.information = "The Annual Percentage Rate you entered of " + PlainTwoDecimals(v) +
                        "% is too high.\n\nThe Annual Percentage Rate will automatically be adjusted to 30.00%.\n";
        v = kLessonHighestApr;
    }
    r.value = v;
    r.text = PlainTwoDecimals(v);
    return r;
}

PaymentCheck CheckPayment(double apr, double balance, double payment, std::string_view paymentBoxText,
                          CalculatorKind kind, double highestApr)
{
    auto clean = [](double v) { return std::isfinite(v) && v > 0 ? v : 0.0; };
    apr = clean(apr);
    balance = clean(balance);
    payment = clean(payment);

    PaymentCheck c;
    c.payment = payment;
    c.paymentText = PlainTwoDecimals(payment);
    c.minimumAcceptable = MinimumAcceptablePayment(apr, balance, kind, highestApr);

    if (apr > 0) {
        if (payment < c.minimumAcceptable) {
            c.outcome = PaymentCheck::Outcome::RaisedToMinimum;
            c.error = PaymentMessage(paymentBoxText, c.minimumAcceptable);
            c.payment = c.minimumAcceptable;
            c.paymentText = PlainTwoDecimals(c.payment);
        }
        return c;
    }

    if (balance <= 0)
        return c; // nothing is owed: nothing to check
    if (payment == 0) {
        const double suggested = ZeroRateSuggestedPayment(balance);
        c.outcome = PaymentCheck::Outcome::ZeroRateSuggested;
        c.error = PaymentMessage("0.00", suggested);
        c.payment = suggested;
        c.paymentText = PlainTwoDecimals(suggested);
        c.minimumAcceptable = suggested;
        return c;
    }
    const double least =
        kind == CalculatorKind::ExtraMoney ? c.minimumAcceptable : LeastCountablePayment(balance);
    if (payment < least) {
        c.outcome = PaymentCheck::Outcome::RaisedToMinimum;
        c.error = PaymentMessage(paymentBoxText, least);
        c.payment = least;
        c.paymentText = PlainTwoDecimals(least);
        c.minimumAcceptable = least;
    }
    return c;
}

} // namespace quenmark
