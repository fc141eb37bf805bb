// Card month arithmetic and the payoff run, in whole cents.
//
// Amounts enter as dollars, are taken to whole cents once, and every month is
// worked in 64-bit integers: interest is balance x rate (ten-millionths)
// rounded to the cent exactly, and a card's declining payment is the exact
// share balance x first payment / starting balance rounded to whole dollars.
// Nothing drifts: a paid-off balance is 0, not a millionth of a cent that
// would count as owing for one more month.
#include "core/Payoff.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/MoneyText.h"

namespace quenmark {

namespace {

constexpr std::int64_t kRateScale = 10000000; // ten-millionths in a whole
constexpr std::int64_t kFloorCents = 1500;    // the $15 floor of a card's payment

__extension__ typedef unsigned __int128 U128;

inline double Finite(double v)
{
    return std::isfinite(v) ? v : 0.0;
}

// Whole cents of an amount already brought into 0..kLargestAmount.
inline std::int64_t NonNegativeCents(double dollars)
{
    return std::max<std::int64_t>(ToCents(dollars), 0);
}

// The quotient of a division (remainder 0 <= r < divisor) rounded to the
// nearest whole number, an exact half to the even one.
inline std::int64_t NearestEven(std::int64_t quotient, std::int64_t remainder, std::int64_t divisor)
{
    const std::int64_t twice = 2 * remainder;
    if (twice > divisor || (twice == divisor && (quotient & 1) != 0))
        return quotient + 1;
    return quotient;
}

// balance x first / (100 x start) dollars (the card's share of the balance at
// the first month's ratio) rounded to whole dollars, an exact half to the even
// one. The product may pass 64 bits; the quotient stays far below (the run only
// asks while first < 1.09 x start).
inline std::int64_t ShareDollars(std::int64_t balance, std::int64_t first, std::int64_t start)
{
    const U128 product = static_cast<U128>(balance) * static_cast<U128>(first);
    const std::int64_t divisor = 100 * start;
    const auto quotient = static_cast<std::int64_t>(product / static_cast<U128>(divisor));
    const auto remainder = static_cast<std::int64_t>(product - static_cast<U128>(quotient) * static_cast<U128>(divisor));
    return NearestEven(quotient, remainder, divisor);
}

// TotalPaid / MonthCount truncated to whole cents (never rounded up).
inline std::int64_t TruncatedAverage(std::int64_t totalPaid, std::int32_t months)
{
    if (months <= 0 || totalPaid <= 0)
        return 0;
    return totalPaid / months;
}

// Nearest whole number (an exact half to the even one) of principal x 100 /
// starting balance, held to 0..100.
inline std::int32_t Percent(std::int64_t principalPaid, std::int64_t startingBalance)
{
    if (principalPaid <= 0 || startingBalance <= 0)
        return 0;
    if (principalPaid >= startingBalance)
        return 100;
    const std::int64_t scaled = principalPaid * 100; // below 100 x kLargestCents
    return static_cast<std::int32_t>(
        NearestEven(scaled / startingBalance, scaled % startingBalance, startingBalance));
}

// Inside the loop a full 100 is held at 99 until the run has ended.
inline std::int32_t LoopPercent(std::int64_t principalPaid, std::int64_t startingBalance)
{
    const std::int32_t p = Percent(principalPaid, startingBalance);
    return p == 100 ? 99 : p;
}

// The month count with its years and extra months.
inline void SetMonths(PayoffState& s, std::int32_t months)
{
    s.MonthCount = months;
    s.Years = months / 12;
    s.ExtraMonths = months % 12;
}

// The dollar fields from the cents.
void FillDollars(PayoffState& s)
{
    const PayoffCents& c = s.Cents;
    s.Balance = FromCents(c.Balance);
    s.Payment = FromCents(c.Payment);
    s.MonthInterest = FromCents(c.MonthInterest);
    s.PrincipalPaid = FromCents(c.PrincipalPaid);
    s.TotalInterest = FromCents(c.TotalInterest);
    s.TotalPaid = FromCents(c.TotalPaid);
    s.AveragePayment = FromCents(c.AveragePayment);
    s.StartingBalance = FromCents(c.StartingBalance);
}

LedgerRow RowFromCents(std::int32_t number, const LedgerCents& c)
{
    LedgerRow row;
    row.number = number;
    row.cents = c;
    row.openingBalance = FromCents(c.openingBalance);
    row.payment = FromCents(c.payment);
    row.interest = FromCents(c.interest);
    row.principal = FromCents(c.principal);
    row.newBalance = FromCents(c.newBalance);
    return row;
}

// The running amounts of a run, kept in locals while the months are stepped.
struct Month
{
    std::int64_t balance = 0;
    std::int64_t payment = 0;
    std::int64_t interest = 0;
    std::int64_t principalPaid = 0;
    std::int64_t totalInterest = 0;
    std::int64_t totalPaid = 0;
    std::int32_t count = 0;

    // Interest on the balance carried in, the payment cut to what is owed.
    void step(std::int64_t rate)
    {
        interest = InterestCents(balance, rate);
        balance += interest;
        if (payment >= balance)
            payment = balance;
        balance -= payment;
        principalPaid += payment - interest;
        totalInterest += interest;
        totalPaid += payment;
        ++count;
    }
};

inline void ReportMonth(LedgerSink* sink, const Month& m, std::int64_t opening)
{
    if (!sink)
        return;
    LedgerCents c;
    c.openingBalance = opening;
    c.payment = m.payment;
    c.interest = m.interest;
    c.principal = m.payment - m.interest;
    c.newBalance = m.balance;
    sink->row(RowFromCents(m.count, c));
}

// Writes the run so far into `state` (its StopRequested and ProgressPercent are left as they are).
void Publish(PayoffState& state, const Month& m, bool withAverage)
{
    PayoffCents& c = state.Cents;
    c.Balance = m.balance;
    c.Payment = m.payment;
    c.MonthInterest = m.interest;
    c.PrincipalPaid = m.principalPaid;
    c.TotalInterest = m.totalInterest;
    c.TotalPaid = m.totalPaid;
    c.AveragePayment = withAverage ? TruncatedAverage(m.totalPaid, m.count) : 0;
    SetMonths(state, m.count);
    FillDollars(state);
}

PayoffState NoInterestCents(std::int64_t balance, std::int64_t payment)
{
    PayoffState s;
    s.Cents.StartingBalance = std::max<std::int64_t>(balance, 0);
    if (balance <= 0 || payment <= 0) {
        s.ProgressPercent = balance > 0 ? 0 : 100;
        FillDollars(s);
        return s;
    }
    s.PaymentRatio = FromCents(payment) / FromCents(balance);
    constexpr std::int64_t kMaxMonths = std::numeric_limits<std::int32_t>::max();
    const std::int64_t months = std::min(balance / payment + (balance % payment != 0 ? 1 : 0), kMaxMonths);
    SetMonths(s, static_cast<std::int32_t>(months));
    s.Cents.TotalPaid = balance;
    s.Cents.PrincipalPaid = balance;
    s.Cents.AveragePayment = (2 * balance + months) / (2 * months); // an exact half goes up
    s.Cents.Payment = payment;
    s.ProgressPercent = 100;
    FillDollars(s);
    return s;
}

} // namespace

std::int64_t ToCents(double dollars)
{
    const double held = std::clamp(Finite(dollars), -kLargestAmount, kLargestAmount);
    return std::llround(RoundToCents(held) * 100);
}

std::int64_t RateTenMillionths(double periodicRate)
{
    const double held = std::clamp(Finite(periodicRate), 0.0, 1.0);
    return std::llround(RoundToSevenPlaces(held) * static_cast<double>(kRateScale));
}

std::int64_t InterestCents(std::int64_t balanceCents, std::int64_t rateTenMillionths)
{
    if (balanceCents < 0)
        return -InterestCents(-balanceCents, rateTenMillionths);
    // balance = q x 10^7 + r, so balance x rate = q x rate x 10^7 + r x rate:
    // both parts stay within 64 bits for any balance.
    const std::int64_t q = balanceCents / kRateScale;
    const std::int64_t r = balanceCents % kRateScale;
    return q * rateTenMillionths + (r * rateTenMillionths + kRateScale / 2) / kRateScale;
}

double PeriodicRate(double apr)
{
    return RoundToSevenPlaces(Finite(apr) / 1200);
}

double MonthlyFinanceCharge(double balance, double periodicRate)
{
    return FromCents(InterestCents(ToCents(balance), RateTenMillionths(periodicRate)));
}

double MinimumAcceptablePayment(double apr, double balance, CalculatorKind kind, double highestApr)
{
    const std::int64_t highest = ToCents(std::clamp(Finite(highestApr), 0.0, kPlanHighestApr));
    const std::int64_t aprCents = std::clamp<std::int64_t>(ToCents(apr), 0, highest);
    const std::int64_t balanceCents = NonNegativeCents(balance);
    if (aprCents > 0) {
        // balance x (APR / 1200 + 0.001) = balance cents x (APR cents + 120) / 12,000,000
        // dollars, the APR / 1200 unrounded; truncated to whole dollars, plus one.
        const std::int64_t dollars = balanceCents * (aprCents + 120) / 12000000 + 1;
        return static_cast<double>(dollars);
    }
    if (kind == CalculatorKind::ExtraMoney && balanceCents > 0) {
        // balance / 1200 rounded up to the cent.
        return FromCents((balanceCents + 1199) / 1200);
    }
    return 1.00;
}

double ZeroRateSuggestedPayment(double balance)
{
    // balance / 36 to the cent, an exact half up, in whole cents.
    return FromCents((2 * NonNegativeCents(balance) + 36) / 72);
}

PayoffState NoInterestPayoff(double balance, double payment)
{
    return NoInterestCents(NonNegativeCents(balance), NonNegativeCents(payment));
}

bool RunPayoff(double apr, double balance, double firstPayment, const PayoffOptions& options,
               PayoffState& state, PayoffObserver* observer, LedgerSink* everyMonth)
{
    const bool stopAtStart = state.StopRequested;
    state = PayoffState{};
    state.StopRequested = stopAtStart;

    apr = std::clamp(Finite(apr), 0.0, std::clamp(Finite(options.highestApr), 0.0, kPlanHighestApr));
    const std::int64_t start = NonNegativeCents(balance);
    const std::int64_t first = NonNegativeCents(firstPayment);
    const std::int64_t extra = NonNegativeCents(options.extraAmount);

    if (start <= 0) {
        state.ProgressPercent = 100;
        return true;
    }

    if (apr == 0 && !options.runAtZeroApr) {
        const bool stop = state.StopRequested;
        state = NoInterestCents(start, first + extra);
        state.StopRequested = stop;
        if (!options.computeAverage) {
            state.Cents.AveragePayment = 0;
            state.AveragePayment = 0;
        }
        if (observer)
            observer->notify(state);
        return true;
    }

    state.Cents.StartingBalance = start;
    state.StartingBalance = FromCents(start);
    state.PaymentRatio = FromCents(first) / FromCents(start);
    const std::int64_t rate = RateTenMillionths(PeriodicRate(apr));
    const bool withAverage = options.computeAverage;

    // Month 1: the first payment as entered (plus the extra amount).
    Month m;
    m.balance = start;
    m.payment = first + extra;
    std::int64_t opening = m.balance;
    m.step(rate);
    ReportMonth(everyMonth, m, opening);
    Publish(state, m, withAverage);
    state.ProgressPercent = Percent(m.principalPaid, start);
    if (observer)
        observer->notify(state);

    bool guardReached = false;
    while (m.balance > 0 && !state.StopRequested) {
        // Guards for callers that did not validate: a payment below the
        // interest lets the balance grow; validated runs never come near.
        if (m.count >= kMonthGuard || m.balance > kLargestCents) {
            guardReached = true;
            break;
        }
        opening = m.balance;
        std::int64_t payment = first;
        if (!options.loanMode) {
            // A card's payment: the first month's share of the balance before
            // this month's interest, in whole dollars, at least $15. (The loop
            // only runs when month 1 left something owing, so first < 1.09 x start.)
            payment = std::max(100 * ShareDollars(m.balance, first, start), kFloorCents);
        }
        m.payment = payment + extra;
        m.step(rate);
        ReportMonth(everyMonth, m, opening);
        // The other fields are only read at notifications and at the end, so
        // they are written there.
        if (m.count % 7 == 0 && observer) {
            Publish(state, m, withAverage);
            state.ProgressPercent = LoopPercent(m.principalPaid, start);
            observer->notify(state);
            observer->yield();
        }
    }

    Publish(state, m, withAverage);
    const bool stopped = state.StopRequested || guardReached;
    if (!stopped)
        state.ProgressPercent = 100;
    else if (m.count > 1)
        state.ProgressPercent = LoopPercent(m.principalPaid, start);
    if (observer && (!stopped || options.notifyAtEndWhenStopped))
        observer->notify(state);
    return !stopped;
}

LedgerRow MakeLedgerRow(std::int32_t number, double openingBalance, double payment, double periodicRate)
{
    LedgerCents c;
    c.openingBalance = ToCents(openingBalance);
    c.payment = ToCents(payment);
    c.interest = InterestCents(c.openingBalance, RateTenMillionths(periodicRate));
    c.principal = c.payment - c.interest;
    c.newBalance = c.openingBalance - c.principal;
    return RowFromCents(number, c);
}

} // namespace quenmark
