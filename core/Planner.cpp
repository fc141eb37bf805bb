// A card statement's figures.
#include "core/Planner.h"

#include <algorithm>
#include <cmath>

#include "core/MoneyText.h"
#include "core/Payoff.h"

namespace quenmark {

namespace {

double Finite(double x)
{
    return std::isfinite(x) ? x : 0;
}

// Whether `payment` clears `balance` within `months` months of the cents ledger.
bool Clears(std::int64_t balance, std::int64_t rate, std::int64_t payment, std::int32_t months)
{
    for (std::int32_t m = 0; m < months && balance > 0; ++m) {
        balance += InterestCents(balance, rate);
        balance -= std::min(payment, balance);
    }
    return balance == 0;
}

// The least payment (cents) that clears within `months`.
std::int64_t LevelCents(std::int32_t aprHundredths, std::int64_t balance, std::int32_t months)
{
    const std::int64_t rate = PlanRate(aprHundredths);
    std::int64_t start = 0;
    if (rate == 0) {
        start = balance / months + (balance % months != 0 ? 1 : 0);
    } else {
        const double r = static_cast<double>(rate) / 1e7;
        const double cents = static_cast<double>(balance) * r / (1 - std::pow(1 + r, -static_cast<double>(months)));
        // Up to the cent; a figure within a millionth of a cent of one counts as
        // on it (the ledger below decides).
        start = static_cast<std::int64_t>(std::ceil(cents - 1e-6));
    }
    start = std::clamp<std::int64_t>(start, 1, balance);
    if (Clears(balance, rate, start, months))
        return start;
    // Raised a cent at a time until it clears: a larger payment never leaves
    // more owing, so the least one that clears is found by halving between
    // `start` (does not clear) and everything owed after month 1 (clears at once).
    std::int64_t low = start, high = balance + InterestCents(balance, rate);
    while (high - low > 1) {
        const std::int64_t mid = low + (high - low) / 2;
        (Clears(balance, rate, mid, months) ? high : low) = mid;
    }
    return high;
}

std::int32_t AprHundredths(double apr)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(ToCents(apr), 0, kPlanHighestAprHundredths));
}

// Stops a run whose balance comes back to a value it had: the declining
// minimum's next month depends on the balance alone, so the run would go round
// that circle for ever. Brent's cycle finding over the balances the run
// reports every seventh month.
class CircleWatch : public PayoffObserver
{
public:
    // `run`: the state the run fills, whose StopRequested this sets.
    explicit CircleWatch(PayoffState& run) : m_run(run) {}
    void notify(const PayoffState& state) override
    {
        const std::int64_t balance = state.Cents.Balance;
        if (state.MonthCount < 7 || balance <= 0)
            return;
        if (balance == m_saved) {
            m_run.StopRequested = true;
            return;
        }
        if (m_steps == m_power) {
            m_saved = balance;
            m_power *= 2;
            m_steps = 0;
        }
        ++m_steps;
    }

private:
    std::int64_t m_saved = -1;
    std::int64_t m_power = 1, m_steps = 0;
    PayoffState& m_run;
};

PayoffOptions LoanMode()
{
    PayoffOptions o = PayoffOptions::extraMoneyCalculator(0, true);
    o.highestApr = kPlanHighestApr;
    return o;
}

// The 36-month figures and the comparison with the minimum-only run.
void Finish(CardDisclosure& d, double apr, double balance)
{
    d.payment36 = LevelPayment(apr, balance, 36);
    if (d.payment36 > 0) {
        PayoffState s;
        RunPayoff(apr, balance, d.payment36, LoanMode(), s, nullptr);
        d.months36 = s.MonthCount;
        d.paid36 = s.TotalPaid;
    }
    if (!d.minimumRan || d.minimumNotPaidOff || !(balance > 0))
        return;
    const std::int64_t saved = ToCents(d.minimumPaid) - ToCents(d.paid36);
    d.alreadyFaster = d.minimumMonths <= d.months36 && saved <= 0;
    d.saved36 = d.alreadyFaster ? 0 : FromCents(std::max<std::int64_t>(saved, 0));
}

} // namespace

double LevelPayment(double apr, double balance, std::int32_t months)
{
    const std::int64_t cents = std::clamp<std::int64_t>(ToCents(balance), 0, kLargestCents);
    if (cents <= 0 || months <= 0)
        return 0;
    return FromCents(LevelCents(AprHundredths(apr), cents, months));
}

CardDisclosure DiscloseCard(double apr, double balance, double payment)
{
    CardDisclosure d;
    apr = FromCents(AprHundredths(Finite(apr)));
    balance = std::clamp(Finite(balance), 0.0, kLargestAmount);
    payment = std::clamp(Finite(payment), 0.0, kLargestAmount);
    d.leastPayment = MinimumAcceptablePayment(apr, balance, CalculatorKind::Payoff, kPlanHighestApr);
    // The payoff calculator's rules: at APR 0 any payment above 0 runs (as the
    // no-interest payoff); otherwise at least the least acceptable payment.
    d.minimumRan = !(balance > 0) || (apr == 0 ? payment > 0 : payment >= d.leastPayment);
    if (d.minimumRan) {
        PayoffState s;
        PayoffOptions o = PayoffOptions::payoffCalculator();
        o.highestApr = kPlanHighestApr;
        CircleWatch watch(s);
        if (RunPayoff(apr, balance, payment, o, s, &watch)) {
            d.minimumMonths = s.MonthCount;
            d.minimumInterest = s.TotalInterest;
            d.minimumPaid = s.TotalPaid;
        } else {
            d.minimumNotPaidOff = true;
        }
    }
    Finish(d, apr, balance);
    return d;
}

CardDisclosure DiscloseCard(const PlanCard& card)
{
    const double apr = FromCents(std::clamp<std::int32_t>(card.apr, 0, kPlanHighestAprHundredths));
    const double balance = FromCents(std::clamp<std::int64_t>(card.balance, 0, kLargestCents));
    if (!card.hasMinimum)
        return DiscloseCard(apr, balance, FromCents(std::clamp<std::int64_t>(card.payment, 0, kLargestCents)));
    CardDisclosure d;
    PlanCard minimumOnly = card;
    minimumOnly.payment = 0;
    const PlanResult alone = RunEachAlone(std::span<const PlanCard>(&minimumOnly, 1));
    d.minimumRan = true;
    d.minimumNotPaidOff = !alone.paidOff;
    if (alone.paidOff) {
        d.minimumMonths = alone.months;
        d.minimumInterest = FromCents(alone.totalInterest);
        d.minimumPaid = FromCents(alone.totalPaid);
    }
    Finish(d, apr, balance);
    return d;
}

} // namespace quenmark
