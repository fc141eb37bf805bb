// Reading the calculators' amount boxes and checking the payment before a run.
// Shared by both calculators and by the command-line tool: the window code
// only shows what these return.
#pragma once

#include <string>
#include <string_view>

#include "core/Payoff.h"

namespace quenmark {

enum class AmountBox { Apr, Balance, Payment };

// kLargestAmount (core/Payoff.h): the largest amount a box accepts; larger
// values are brought down to it.

struct BoxReading
{
    double value = 0;     // the value to store (cents, >= 0, finite, APR <= 30)
    std::string text;     // what the box shows now: two decimals, no separators ("17.90")
    bool aprCapped = false;        // the APR was above 30 and is now 30
    std::string information;      // the information message to show (empty when none)
};

// Empty reads as 0.00. A leading "$", blanks and "," are ignored, then the
// longest numeric prefix is read (so "2,100" -> 2100, "17.9%" -> 17.9). Text
// that is no finite number (letters, "1e999", "nan") reads as 0. The value is
// rounded to cents, a negative value becomes 0, amounts above kLargestAmount
// become kLargestAmount, and an APR above 30 becomes 30 with the information
// message "The Annual Percentage Rate you entered of 45.00% is too high. ...".
BoxReading ReadAmountBox(std::string_view text, AmountBox box);

// Outcome of the payment check made at every "Calculate" after the boxes are read.
struct PaymentCheck
{
    enum class Outcome {
        Run,              // go on and run with `payment`
        RaisedToMinimum,  // payment was below the least acceptable: corrected, nothing runs
        ZeroRateSuggested // APR 0, balance > 0, payment 0: suggested payment, nothing runs
    };
    Outcome outcome = Outcome::Run;
    double payment = 0;          // the payment to store
    std::string paymentText;     // the payment box's new text (two decimals)
    std::string error;           // the error message to show (empty when Run)
    double minimumAcceptable = 0;
};

// paymentBoxText is the payment box's text as it stands after reading
// (two decimals); the message quotes it.
// Order: APR > 0: a payment below MinimumAcceptablePayment is raised to it.
// APR 0 with a balance: a payment of 0 becomes ZeroRateSuggestedPayment (the
// message quotes "$0.00"); then the extra-money calculator raises a payment
// below MinimumAcceptablePayment(0, balance, ExtraMoney), and the payoff
// calculator a payment so small that the month count would pass 2,147,483,647
// (balance / 2,147,483,647 rounded up to the cent), each with the payment
// message. No balance at APR 0: nothing to check. The least acceptable payment
// counts the APR up to `highestApr` (the lessons' 30; the planner's card
// statements ask for kPlanHighestApr).
PaymentCheck CheckPayment(double apr, double balance, double payment, std::string_view paymentBoxText,
                          CalculatorKind kind, double highestApr = kLessonHighestApr);

} // namespace quenmark
