// Card month arithmetic: periodic rate, finance charge, least acceptable
// payment, the month step, the payoff run and the ledger row.
//
// One engine serves both calculators: the chapter-2 payoff calculator runs it
// with the default options, the chapter-7 extra-money calculator with
// PayoffOptions::extraMoneyCalculator(...).
#pragma once

#include <cstdint>

namespace quenmark {

// The largest amount the calculators accept (the amount boxes bring larger
// values down to it, and the payoff run does the same with what it is given).
inline constexpr double kLargestAmount = 999999999999.99;

// APR (percent) -> monthly rate as a fraction, kept to seven decimals
// (17.9 -> 0.0149167; 30 -> 0.025).
double PeriodicRate(double apr);

// RoundToCents(balance x periodic rate): $2,100.00 x 0.0149167 -> 31.33.
double MonthlyFinanceCharge(double balance, double periodicRate);

// Which calculator asks: the chapter-7 one also guards APR 0 (see below).
enum class CalculatorKind { Payoff, ExtraMoney };

// The least first payment a calculator accepts.
// APR > 0: truncate(balance x (APR / 1200 + 0.001)) + 1, rounded to cents
//          (2,100.00 at 17.9 -> 34.00; at 30 -> 55.00).
// APR = 0: 1.00 for the payoff calculator. The extra-money calculator steps
//          month by month even at APR 0, so there, with a balance above 0, the
//          least payment is balance / 1200 rounded up to the cent (the debt is
//          paid within 100 years); with no balance 1.00.
// Non-finite or negative inputs count as 0.
double MinimumAcceptablePayment(double apr, double balance, CalculatorKind kind = CalculatorKind::Payoff);

// The payment suggested when APR is 0, a balance is owed and no payment was
// entered: RoundToCents(balance / 36) (2,100.00 -> 58.33).
double ZeroRateSuggestedPayment(double balance);

// State of one payoff run, readable by the progress receiver at every notification.
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

// One row of the lesson tables.
struct LedgerRow
{
    std::int32_t number = 0;
    double openingBalance = 0;
    double payment = 0;
    double interest = 0;
    double principal = 0;
    double newBalance = 0;
};

// Receives every month of a run as a ledger row (the command-line tool's
// schedule). Called from the month loop, so it must be cheap.
class LedgerSink
{
public:
    virtual ~LedgerSink() = default;
    virtual void row(const LedgerRow& row) = 0;
};

// The no-interest payoff (APR 0, balance > 0, payment > 0): months = ceil(balance /
// payment), TotalInterest 0, TotalPaid = balance, AveragePayment = balance / months
// (not truncated), ProgressPercent 100. No months are stepped. A month count
// beyond the 32-bit range is held at 2,147,483,647 (the payment check keeps
// payments out of that range). No balance or no payment: zero results.
PayoffState NoInterestPayoff(double balance, double payment);

// Months the engine steps at most; a run that reaches it, or whose balance
// grows past 1,000 times kLargestAmount (a payment below the interest), ends
// like a stopped run. Validated inputs end far earlier (about 30,000 months at
// the most) and never raise the balance.
inline constexpr std::int32_t kMonthGuard = 1000000;

// The payoff run from APR (percent), starting balance and first payment. The
// caller has validated the inputs (0 <= APR <= 30, amounts >= 0, payment >= the
// least acceptable) and cleared state.StopRequested; the run fills `state`.
// Returns true when it ran to the end, false when it was stopped.
// The month loop allocates nothing and never waits.
// A balance of 0 (or less) is not run: zero results, ProgressPercent 100, no
// notification. Inputs outside the validated ranges are brought into them
// (non-finite -> 0, APR to 0..30, amounts to 0..kLargestAmount), so every
// state is finite. APR 0 without options.runAtZeroApr is the no-interest payoff
// with one notification at the end. StopRequested is kept as the caller left
// it; the run tests it before every month after the first.
// `everyMonth`, when given, receives each stepped month as a ledger row.
bool RunPayoff(double apr, double balance, double firstPayment, const PayoffOptions& options,
               PayoffState& state, PayoffObserver* observer, LedgerSink* everyMonth = nullptr);

// interest = RoundToCents(opening x rate); principal = payment - interest;
// new balance = opening - principal.
LedgerRow MakeLedgerRow(std::int32_t number, double openingBalance, double payment, double periodicRate);

} // namespace quenmark
