// Card month arithmetic: periodic rate, finance charge, least acceptable
// payment, the month step, the payoff run and the ledger row.
//
// One engine serves both calculators: the chapter-2 payoff calculator runs it
// with the default options, the chapter-7 extra-money calculator with
// PayoffOptions::extraMoneyCalculator(...).
//
// Every amount of a run is a whole number of cents, as on a statement, and
// every product is worked exactly in integers: balances, payments, interest and
// the totals are 64-bit cents, the periodic rate a whole number of
// ten-millionths. The dollar fields are filled from the cents, so money paid
// minus interest is the starting balance to the cent, a schedule's rows add up
// to the totals, and a paid-off balance is exactly 0.
#pragma once

#include <cstdint>

#include "core/Limits.h"

namespace quenmark {

// Dollars -> whole cents: RoundToCents (an exact half away from zero), with the
// magnitude held at kLargestAmount; non-finite -> 0.
std::int64_t ToCents(double dollars);

// Whole cents -> dollars: the double nearest to cents / 100.
inline double FromCents(std::int64_t cents)
{
    return static_cast<double>(cents) / 100;
}

// A periodic rate as a whole number of ten-millionths (0.0149167 -> 149167),
// held between 0 and 1 (a month's interest never exceeds the balance);
// non-finite -> 0.
std::int64_t RateTenMillionths(double periodicRate);

// balance x rate, rounded to the cent with an exact half away from zero, worked
// exactly: 210,000 cents x 149,167 ten-millionths = 3,132.507 -> 3,133 cents.
// Exact for every balance when 0 <= rate <= 10,000,000; a negative balance
// gives the negative of its magnitude's interest.
std::int64_t InterestCents(std::int64_t balanceCents, std::int64_t rateTenMillionths);

// APR (percent) -> monthly rate as a fraction, kept to seven decimals
// (17.9 -> 0.0149167; 30 -> 0.025).
double PeriodicRate(double apr);

// RoundToCents(balance x periodic rate): $2,100.00 x 0.0149167 -> 31.33.
// The balance is taken to cents and the rate to seven places first, then the
// product is exact (InterestCents).
double MonthlyFinanceCharge(double balance, double periodicRate);

// Which calculator asks: the chapter-7 one also guards APR 0 (see below).
enum class CalculatorKind { Payoff, ExtraMoney };

// The least first payment a calculator accepts.
// APR > 0: truncate(balance x (APR / 1200 + 0.001)) + 1, whole dollars, worked
//          exactly from the APR and the balance in cents, the APR / 1200
//          unrounded (2,100.00 at 17.9 -> 34.00; at 30 -> 55.00; 6,000.00 at
//          5 -> truncate(31) + 1 = 32.00).
// APR = 0: 1.00 for the payoff calculator. The extra-money calculator steps
//          month by month even at APR 0, so there, with a balance above 0, the
//          least payment is balance / 1200 rounded up to the cent (the debt is
//          paid within 100 years); with no balance 1.00.
// Non-finite or negative inputs count as 0; an APR above `highestApr` (the
// lessons' 30 unless the planner asks for its own) counts as `highestApr` and a
// balance above kLargestAmount as kLargestAmount, as in the run.
double MinimumAcceptablePayment(double apr, double balance, CalculatorKind kind = CalculatorKind::Payoff,
                                double highestApr = kLessonHighestApr);

// The payment suggested when APR is 0, a balance is owed and no payment was
// entered: RoundToCents(balance / 36) (2,100.00 -> 58.33), worked exactly in
// cents (3.78 / 36 = 0.105 -> 0.11); a negative balance counts as 0.
double ZeroRateSuggestedPayment(double balance);

// The amounts of a run in whole cents; PayoffState's dollar fields are these / 100.
struct PayoffCents
{
    std::int64_t Balance = 0;
    std::int64_t Payment = 0;
    std::int64_t MonthInterest = 0;
    std::int64_t PrincipalPaid = 0;
    std::int64_t TotalInterest = 0;
    std::int64_t TotalPaid = 0;
    std::int64_t AveragePayment = 0;
    std::int64_t StartingBalance = 0;
};

// State of one payoff run, readable by the progress receiver at every
// notification and when the run has returned (the dollar fields and Cents agree).
struct PayoffState
{
    double Balance = 0;         // still owed
    double Payment = 0;         // this month's payment
    double MonthInterest = 0;   // this month's finance charge
    std::int32_t MonthCount = 0;
    std::int32_t Years = 0;       // MonthCount / 12
    std::int32_t ExtraMonths = 0; // MonthCount % 12
    double PrincipalPaid = 0;
    double TotalInterest = 0;
    double TotalPaid = 0;
    double AveragePayment = 0;  // TotalPaid / MonthCount truncated to cents (0 when not computed)
    std::int32_t ProgressPercent = 0; // 0..100, share of StartingBalance repaid
    double StartingBalance = 0;
    double PaymentRatio = 0;    // first payment / starting balance
    bool StopRequested = false; // set from outside (during a yield) to end the run early
    PayoffCents Cents;          // the exact amounts behind the dollar fields
};

// Receives the run state after month 1, after every month whose count is a
// multiple of 7 (each followed by yield(), when the window lets pending input be
// processed, so a Stop click can set StopRequested), and once at the end.
class PayoffObserver
{
public:
    virtual ~PayoffObserver() = default;
    virtual void notify(const PayoffState& state) = 0;
    virtual void yield() {}
};

// How a run differs between the two calculators.
struct PayoffOptions
{
    bool runAtZeroApr = false;         // step month by month even at APR 0 (interest 0 each month)
    bool loanMode = false;             // from month 2 on pay the entered payment: no ratio, no floor
    double extraAmount = 0;            // added to every payment before the month step
    bool computeAverage = true;        // AveragePayment kept (chapter 7 shows none)
    bool notifyAtEndWhenStopped = true;// a stopped run still makes its last notification
    // The highest APR the run takes (a higher one counts as this): the lessons'
    // 30 %; the planner's card statements ask for kPlanHighestApr. Held to
    // 0 .. kPlanHighestApr.
    double highestApr = kLessonHighestApr;

    static PayoffOptions payoffCalculator() { return {}; }
    static PayoffOptions extraMoneyCalculator(double extra, bool loan)
    {
        PayoffOptions o;
        o.runAtZeroApr = true;
        o.loanMode = loan;
        o.extraAmount = extra;
        o.computeAverage = false;
        o.notifyAtEndWhenStopped = false;
        return o;
    }
};

// One row of a ledger in whole cents.
struct LedgerCents
{
    std::int64_t openingBalance = 0;
    std::int64_t payment = 0;
    std::int64_t interest = 0;
    std::int64_t principal = 0;
    std::int64_t newBalance = 0;
};

// One row of the lesson tables; the dollar fields are `cents` / 100.
struct LedgerRow
{
    std::int32_t number = 0;
    double openingBalance = 0;
    double payment = 0;
    double interest = 0;
    double principal = 0;
    double newBalance = 0;
    LedgerCents cents;
};

// Receives every month of a run as a ledger row (the command-line tool's
// schedule). Called from the month loop, so it must be cheap.
class LedgerSink
{
public:
    virtual ~LedgerSink() = default;
    virtual void row(const LedgerRow& row) = 0;
};

// The no-interest payoff (APR 0, balance > 0, payment > 0), in whole cents:
// months = ceil(balance / payment), TotalInterest 0, TotalPaid = balance,
// AveragePayment = balance / months rounded to the cent (not truncated; an exact
// half away from zero, as the display rounds), ProgressPercent 100. No months
// are stepped. A month count beyond the 32-bit range is held at 2,147,483,647
// (the payment check keeps payments out of that range). No balance or no
// payment (less than half a cent): zero results. A balance above kLargestAmount
// counts as kLargestAmount.
PayoffState NoInterestPayoff(double balance, double payment);

// Months the engine steps at most; a run that reaches it, or whose balance
// grows past kLargestAmount (a payment below the interest), ends like a stopped
// run. Validated inputs end far earlier (about 30,000 months at the most) and
// never raise the balance. Together the two keep every total within 64 bits.
inline constexpr std::int32_t kMonthGuard = 1000000;

// The payoff run from APR (percent), starting balance and first payment. The
// caller has validated the inputs (0 <= APR <= options.highestApr, amounts >= 0,
// payment >= the least acceptable) and cleared state.StopRequested; the run fills `state`.
// Returns true when it ran to the end, false when it was stopped.
// The month loop allocates nothing and never waits.
// A balance of 0 (or less) is not run: zero results, ProgressPercent 100, no
// notification. Inputs outside the validated ranges are brought into them
// (non-finite -> 0, APR to 0..options.highestApr, amounts to 0..kLargestAmount, then to whole
// cents), so every state is finite.
// Month by month: interest = InterestCents(balance, rate); the payment is cut
// to the balance plus interest when it is more; from month 2 on a card's
// payment is balance x first payment / starting balance, worked exactly and
// rounded to whole dollars with an exact half to the even one, at least $15.
// APR 0 without options.runAtZeroApr is the no-interest payoff with one
// notification at the end. StopRequested is kept as the caller left
// it; the run tests it before every month after the first.
// `everyMonth`, when given, receives each stepped month as a ledger row.
bool RunPayoff(double apr, double balance, double firstPayment, const PayoffOptions& options,
               PayoffState& state, PayoffObserver* observer, LedgerSink* everyMonth = nullptr);

// interest = RoundToCents(opening x rate); principal = payment - interest;
// new balance = opening - principal; worked in whole cents as in the run (the
// amounts taken to cents, the rate to seven places).
LedgerRow MakeLedgerRow(std::int32_t number, double openingBalance, double payment, double periodicRate);

} // namespace quenmark
