// The snowball schedule: interest first, each card's own payment, then the rest
// of the month's budget to the unpaid cards in priority order.
#include "core/Snowball.h"

#include <algorithm>
#include <cmath>

#include "core/Payoff.h"
#include "core/MoneyText.h"

namespace quenmark {

namespace {

// Half a cent: a balance below it shows as $0.00.
constexpr double kDust = 0.005;

double Amount(double x)
{
    if (!std::isfinite(x) || x < 0)
        return 0;
    return std::min(x, kLargestAmount);
}

double Apr(double x)
{
    if (!std::isfinite(x) || x < 0)
        return 0;
    return std::min(x, kLessonHighestApr);
}

// The money can never catch up with the interest: `first` is the first card
// still owing, no card after it can pay itself off, and what `first` receives
// does not exceed its interest. Nothing changes that in later months: every
// balance involved only grows, and so does every interest.
bool NeverEnds(std::size_t first, const std::vector<double>& balance, const std::vector<double>& rate,
               const std::vector<double>& payment, double budget)
{
    double reaching = budget;
    for (std::size_t j = first + 1; j < balance.size(); ++j) {
        if (balance[j] <= 0)
            continue; // paid off: its payment is already part of the budget
        if (payment[j] > balance[j] * rate[j])
            return false;
        reaching -= payment[j];
    }
    return reaching <= balance[first] * rate[first];
}

} // namespace

SnowballPlan RunSnowball(std::span<const SnowballCard> cards, double pledge, bool withSchedule,
                         std::int32_t monthLimit)
{
    const std::size_t n = cards.size();
    SnowballPlan plan;
    plan.payoffMonth.assign(n, 0);
    plan.balanceLeft.assign(n, 0);

    std::vector<double> balance(n), rate(n), payment(n);
    std::vector<char> owes(n);        // the card owes something at the start of this month
    std::vector<std::size_t> row(n);  // its schedule row this month
    double budget = Amount(pledge);
    // Money of the budget that no card's own payment takes: the pledge plus the
    // payments of the cards already paid off.
    double freed = budget;
    std::size_t owing = 0;
    for (std::size_t i = 0; i < n; ++i) {
        balance[i] = Amount(cards[i].balance);
        rate[i] = RoundToSevenPlaces(Apr(cards[i].apr) / 1200);
        payment[i] = Amount(cards[i].payment);
        budget += payment[i];
        owes[i] = balance[i] > 0;
        if (owes[i])
            ++owing;
        else
            freed += payment[i];
    }
    std::size_t first = 0; // no card before it owes
    while (first < n && !owes[first])
        ++first;

    if (withSchedule && owing > 0)
        plan.schedule.reserve(std::min<std::size_t>(owing * 64, std::size_t{1} << 16));

    std::int32_t month = 0;
    const std::int32_t limit = std::max<std::int32_t>(monthLimit, 0);
    while (owing > 0) {
        if (NeverEnds(first, balance, rate, payment, budget)) {
            plan.neverEnds = true;
            break;
        }
        if (month >= limit)
            break;
        ++month;

        // Interest, then each card's own payment, at most what it owes.
        double left = freed;
        for (std::size_t i = first; i < n; ++i) {
            if (!owes[i])
                continue;
            const double interest = balance[i] * rate[i];
            plan.totalInterest += interest;
            balance[i] += interest;
            const double paid = std::min(payment[i], balance[i]);
            balance[i] -= paid;
            left += payment[i] - paid;
            if (withSchedule) {
                row[i] = plan.schedule.size();
                plan.schedule.push_back({month, static_cast<std::int32_t>(i), paid, interest, balance[i]});
            }
        }
        // The rest of the budget in priority order, each card up to what it owes.
        for (std::size_t i = first; i < n; ++i) {
            if (!owes[i])
                continue;
            if (left > 0 && balance[i] > 0) {
                const double more = std::min(left, balance[i]);
                balance[i] -= more;
                left -= more;
                if (withSchedule) {
                    plan.schedule[row[i]].payment += more;
                    plan.schedule[row[i]].balance = balance[i];
                }
            }
            if (balance[i] > 0 && balance[i] < kDust) {
                // Less than half a cent left, because interest is carried
                // unrounded: it is paid with this month's payment, as a
                // statement would show it, instead of a month of $0.00.
                if (withSchedule) {
                    plan.schedule[row[i]].payment += balance[i];
                    plan.schedule[row[i]].balance = 0;
                }
                left -= balance[i];
                balance[i] = 0;
            }
            if (balance[i] <= 0) {
                owes[i] = 0;
                plan.payoffMonth[i] = month;
                freed += payment[i];
                --owing;
            }
        }
        while (first < n && !owes[first])
            ++first;
    }

    plan.months = month;
    plan.paidOff = owing == 0;
    if (!plan.paidOff) {
        plan.firstOwing = static_cast<std::int32_t>(first);
        for (std::size_t i = 0; i < n; ++i)
            plan.balanceLeft[i] = owes[i] ? balance[i] : 0;
    }
    return plan;
}

} // namespace quenmark
