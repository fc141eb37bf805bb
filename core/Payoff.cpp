// Card month arithmetic and the payoff run.
//
// Products and sums of the month step are formed in extended precision (long
// double, a 64-bit mantissa on x86) and stored as doubles before they are
// rounded, so that finance charges that fall on an exact half cent at high
// rates land on the same cent every time. Define QUENMARK_MONTH_STEP_DOUBLE to
// form them in plain double precision instead.
#include "core/Payoff.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/Strstuff.h"

namespace quenmark {

namespace {

#ifdef QUENMARK_MONTH_STEP_DOUBLE
using Wide = double;
#else
using Wide = long double;
#endif

inline double Mul(double a, double b)
{
    return static_cast<double>(static_cast<Wide>(a) * static_cast<Wide>(b));
}

inline double Add(double a, double b)
{
    return static_cast<double>(static_cast<Wide>(a) + static_cast<Wide>(b));
}

inline double Sub(double a, double b)
{
    return static_cast<double>(static_cast<Wide>(a) - static_cast<Wide>(b));
}

// a + b - c in one wide expression.
inline double AddDiff(double a, double b, double c)
{
    return static_cast<double>(static_cast<Wide>(a) + static_cast<Wide>(b) - static_cast<Wide>(c));
}

inline double Finite(double v)
{
    return std::isfinite(v) ? v : 0.0;
}

// Nearest whole number, an exact half to the even one (the default rounding mode).
inline double NearestWhole(double v)
{
    return std::nearbyint(v);
}

// TotalPaid / MonthCount truncated to cents, worked in whole cents so that an
// average of exactly 2,131.33 is not cut to 2,131.32 by the binary form of the
// amount (TotalPaid is a sum of cent amounts).
inline double TruncatedAverage(double totalPaid, std::int32_t months)
{
    if (months <= 0 || !(totalPaid > 0))
        return 0;
    if (totalPaid < 9e13) {
        const auto cents = static_cast<std::int64_t>(std::nearbyint(totalPaid * 100));
        return static_cast<double>(cents / months) / 100;
    }
    return std::trunc(totalPaid / months * 100) / 100;
}

inline std::int32_t Percent(double principalPaid, double startingBalance)
{
    const double p = NearestWhole(static_cast<double>(static_cast<Wide>(principalPaid) * 100 / startingBalance));
    if (!(p > 0))
        return 0;
    if (p >= 100)
        return 100;
    return static_cast<std::int32_t>(p);
}

// Inside the loop a full 100 is held at 99 until the run has ended.
inline std::int32_t LoopPercent(double principalPaid, double startingBalance)
{
    const std::int32_t p = Percent(principalPaid, startingBalance);
    return p == 100 ? 99 : p;
}

// One month: interest on the balance carried in, the payment capped at what is owed.
inline void MonthStep(PayoffState& s, double rate)
{
    s.MonthInterest = RoundToCents(Mul(s.Balance, rate));
    s.Balance = Add(s.Balance, s.MonthInterest);
    if (s.Payment >= s.Balance)
        s.Payment = s.Balance;
    s.Balance = Sub(s.Balance, s.Payment);
    s.PrincipalPaid = AddDiff(s.PrincipalPaid, s.Payment, s.MonthInterest);
    s.TotalInterest = Add(s.TotalInterest, s.MonthInterest);
    s.TotalPaid = Add(s.TotalPaid, s.Payment);
    ++s.MonthCount;
    s.Years = s.MonthCount / 12;
    s.ExtraMonths = s.MonthCount % 12;
}

inline void ReportMonth(LedgerSink* sink, const PayoffState& s, double opening)
{
    if (!sink)
        return;
    LedgerRow row;
    row.number = s.MonthCount;
    row.openingBalance = opening;
    row.payment = s.Payment;
    row.interest = s.MonthInterest;
    row.principal = Sub(s.Payment, s.MonthInterest);
    row.newBalance = s.Balance;
    sink->row(row);
}

} // namespace

double PeriodicRate(double apr)
{
    return RoundToSevenPlaces(Finite(apr) / 1200);
}

double MonthlyFinanceCharge(double balance, double periodicRate)
{
    return RoundToCents(Mul(Finite(balance), Finite(periodicRate)));
}

double MinimumAcceptablePayment(double apr, double balance, CalculatorKind kind)
{
    apr = Finite(apr);
    balance = Finite(balance);
    if (apr < 0)
        apr = 0;
    if (balance < 0)
        balance = 0;
    if (apr > 0) {
        // The unrounded monthly rate plus a tenth of a percent of the balance.
        const double monthlyRate = apr / 1200;
        const Wide share = static_cast<Wide>(balance) * (static_cast<Wide>(monthlyRate) + 0.001L);
        return RoundToCents(static_cast<double>(std::trunc(share)) + 1);
    }
    if (kind == CalculatorKind::ExtraMoney && balance > 0) {
        // balance / 1200 rounded up to the cent, worked in whole cents.
        const double cents = std::nearbyint(RoundToCents(balance) * 100);
        const double least = std::ceil(cents / 1200);
        return least / 100;
    }
    return 1.00;
}

double ZeroRateSuggestedPayment(double balance)
{
    return RoundToCents(Finite(balance) / 36);
}

PayoffState NoInterestPayoff(double balance, double payment)
{
    PayoffState s;
    balance = Finite(balance);
    payment = Finite(payment);
    s.StartingBalance = balance > 0 ? balance : 0;
    if (!(balance > 0) || !(payment > 0)) {
        s.ProgressPercent = balance > 0 ? 0 : 100;
        return s;
    }
    s.PaymentRatio = payment / balance;
    const double q = balance / payment;
    double months = std::trunc(q);
    if (q - months > 0)
        months += 1;
    constexpr double kMax = std::numeric_limits<std::int32_t>::max();
    if (!(months <= kMax))
        months = kMax;
    s.MonthCount = static_cast<std::int32_t>(months);
    s.Years = s.MonthCount / 12;
    s.ExtraMonths = s.MonthCount % 12;
    s.TotalInterest = 0;
    s.TotalPaid = balance;
    s.PrincipalPaid = balance;
    s.AveragePayment = balance / s.MonthCount;
    s.ProgressPercent = 100;
    s.Payment = payment;
    return s;
}

bool RunPayoff(double apr, double balance, double firstPayment, const PayoffOptions& options,
               PayoffState& state, PayoffObserver* observer, LedgerSink* everyMonth)
{
    const bool stopAtStart = state.StopRequested;
    state = PayoffState{};
    state.StopRequested = stopAtStart;

    apr = std::clamp(Finite(apr), 0.0, 30.0);
    balance = std::clamp(Finite(balance), 0.0, kLargestAmount);
    firstPayment = std::clamp(Finite(firstPayment), 0.0, kLargestAmount);
    const double extra = std::clamp(Finite(options.extraAmount), 0.0, kLargestAmount);

    if (!(balance > 0)) {
        state.ProgressPercent = 100;
        return true;
    }

    if (apr == 0 && !options.runAtZeroApr) {
        const bool stop = state.StopRequested;
        state = NoInterestPayoff(balance, firstPayment + extra);
        state.StopRequested = stop;
        if (!options.computeAverage)
            state.AveragePayment = 0;
        if (observer)
            observer->notify(state);
        return true;
    }

    state.StartingBalance = balance;
    state.Balance = balance;
    state.PaymentRatio = static_cast<double>(static_cast<Wide>(firstPayment) / balance);
    const double rate = PeriodicRate(apr);
    const double ratio = state.PaymentRatio;

    // Month 1: the first payment as entered (plus the extra amount).
    double opening = state.Balance;
    state.Payment = Add(firstPayment, extra);
    MonthStep(state, rate);
    ReportMonth(everyMonth, state, opening);
    if (options.computeAverage)
        state.AveragePayment = TruncatedAverage(state.TotalPaid, state.MonthCount);
    state.ProgressPercent = Percent(state.PrincipalPaid, balance);
    if (observer)
        observer->notify(state);

    bool guardReached = false;
    while (state.Balance > 0 && !state.StopRequested) {
        // Guards for callers that did not validate: a payment below the
        // interest lets the balance grow; validated runs never come near.
        if (state.MonthCount >= kMonthGuard || state.Balance > kLargestAmount * 1000) {
            guardReached = true;
            break;
        }
        opening = state.Balance;
        double payment;
        if (options.loanMode) {
            payment = firstPayment;
        } else {
            payment = NearestWhole(Mul(state.Balance, ratio));
            if (payment < 15)
                payment = 15.00;
        }
        state.Payment = extra > 0 ? Add(payment, extra) : payment;
        MonthStep(state, rate);
        ReportMonth(everyMonth, state, opening);
        // The average and the progress are only read at notifications and at
        // the end, so they are worked out there.
        if (state.MonthCount % 7 == 0 && observer) {
            if (options.computeAverage)
                state.AveragePayment = TruncatedAverage(state.TotalPaid, state.MonthCount);
            state.ProgressPercent = LoopPercent(state.PrincipalPaid, balance);
            observer->notify(state);
            observer->yield();
        }
    }

    state.Years = state.MonthCount / 12;
    state.ExtraMonths = state.MonthCount % 12;
    if (options.computeAverage)
        state.AveragePayment = TruncatedAverage(state.TotalPaid, state.MonthCount);
    const bool stopped = state.StopRequested || guardReached;
    if (!stopped)
        state.ProgressPercent = 100;
    else if (state.MonthCount > 1)
        state.ProgressPercent = LoopPercent(state.PrincipalPaid, balance);
    if (observer && (!stopped || options.notifyAtEndWhenStopped))
        observer->notify(state);
    return !stopped;
}

LedgerRow MakeLedgerRow(std::int32_t number, double openingBalance, double payment, double periodicRate)
{
    LedgerRow row;
    row.number = number;
    row.openingBalance = Finite(openingBalance);
    row.payment = Finite(payment);
    row.interest = MonthlyFinanceCharge(row.openingBalance, periodicRate);
    row.principal = Sub(row.payment, row.interest);
    row.newBalance = Sub(row.openingBalance, row.principal);
    return row;
}

} // namespace quenmark
