// The month loop behind every plan, written once over a ledger policy:
//  - CentsLedger: whole cents in 64-bit integers, interest rounded to the cent
//    each month (My Cards, the tool's plans);
//  - UnroundedLedger: dollars in doubles, interest carried unrounded and a
//    balance below half a cent paid with the month's payment (chapter 8's
//    charts were drawn from this schedule).
// Internal to core/: included by Plan.cpp and Snowball.cpp only.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>
#include <vector>

#include "core/Limits.h"
#include "core/Payoff.h"

namespace quenmark::engine {

struct CentsLedger
{
    using Money = std::int64_t;
    using Rate = std::int64_t; // ten-millionths
    static constexpr Money kLargest = kLargestCents;

    // balance x rate to the cent, an exact half away from zero (balance >= 0).
    static Money interest(Money balance, Rate rate)
    {
        // One division while the product fits (balances below about $110
        // billion at the highest rate); the exact split beyond.
        if (balance < (std::int64_t{1} << 43))
            return (balance * rate + 5000000) / 10000000;
        return InterestCents(balance, rate);
    }
    // percent (hundredths of a percent, <= 10,000) of a balance to the cent,
    // half away from zero.
    static Money percentOf(Money balance, std::int32_t percent) { return (balance * percent + 5000) / 10000; }
    static constexpr bool kDust = false;
    static bool isDust(Money) { return false; }
    // Saturating sum (totals of absurd plans may pass 64 bits).
    static void add(Money& total, Money x)
    {
        if (__builtin_add_overflow(total, x, &total))
            total = std::numeric_limits<Money>::max();
    }
    // With a percent minimum (no interest added): percent x (balance + interest)
    // stays at or below the interest at this and every larger balance.
    // r - q(1 + r) = D / 10^11 with D below, and x(r - q(1 + r)) > q / 2 suffices.
    static bool percentStaysBelowInterest(Money balance, Rate rate, std::int32_t percent)
    {
        const std::int64_t d = rate * 10000 - std::int64_t{percent} * (10000000 + rate);
        if (d <= 0)
            return false;
        __extension__ typedef __int128 I128;
        return static_cast<I128>(balance) * d > static_cast<I128>(percent) * 5000000;
    }
};

struct UnroundedLedger
{
    using Money = double;
    using Rate = double;
    static constexpr Money kLargest = kLargestAmount;

    static Money interest(Money balance, Rate rate) { return balance * rate; }
    static Money percentOf(Money balance, std::int32_t percent) { return balance * percent / 10000; }
    // Less than half a cent left, because interest is carried unrounded: paid
    // with this month's payment, as a statement would show it, instead of a
    // month of $0.00.
    static constexpr bool kDust = true;
    static bool isDust(Money balance) { return balance > 0 && balance < 0.005; }
    static void add(Money& total, Money x) { total += x; }
    static bool percentStaysBelowInterest(Money balance, Rate rate, std::int32_t percent)
    {
        const double q = percent / 10000.0;
        const double d = rate - q * (1 + rate);
        return d > 0 && balance * d > q;
    }
};

// One card in priority order: its terms (already in range) and its running figures.
template <class L>
struct Card
{
    using Money = typename L::Money;
    using Rate = typename L::Rate;
    Money balance{};
    Money payment{};
    Money minFloor{};
    Rate rate{};
    Rate promoRate{};
    std::int32_t promoMonths = 0;
    std::int32_t minPercent = 0;
    bool hasMinimum = false;
    bool plusInterest = false;
    bool stuck = false; // alone: never paid off (found by the shortcut)
    std::int32_t given = 0;
    std::int32_t payoffMonth = 0;
    std::size_t row = 0; // this month's schedule row
    Money interestSum{};
    Money paidSum{};

    Rate rateIn(std::int32_t month) const { return month <= promoMonths ? promoRate : rate; }
    // Whether the rate stays as it is from `month` on.
    bool rateSettled(std::int32_t month) const { return month > promoMonths || promoRate == rate; }
    // The minimum rule's figure on `after`, the balance after this month's `interest`.
    Money minimum(Money after, Money interest) const
    {
        const Money part = L::percentOf(after, minPercent) + (plusInterest ? interest : Money{});
        return std::max(minFloor, part);
    }
    // This month's own payment before the cap.
    Money ownBeforeCap(Money after, Money interest) const
    {
        return hasMinimum ? std::max(payment, minimum(after, interest)) : payment;
    }
};

// A month index pair: from `month` on, or in `month`, `amount`.
template <class L>
struct MonthAmount
{
    std::int32_t month = 0;
    typename L::Money amount{};
};

// The budget beyond the cards' payments, sorted by month: pledge steps (one per
// month, the one in force from that month) and one-off sums (one per month,
// added up).
template <class L>
struct Budget
{
    typename L::Money pledge{};
    std::vector<MonthAmount<L>> steps;
    std::vector<MonthAmount<L>> oneOffs;
};

// Where the rows go (schedule kept), or nothing.
template <class L, class Row>
struct Rows
{
    std::vector<Row>* rows = nullptr;
    std::vector<std::uint32_t>* starts = nullptr;     // first row of each month, and one past the last
    std::vector<typename L::Money>* owed = nullptr;   // all owed at the end of each month (0: start)
};

struct End
{
    std::int32_t months = 0;
    bool neverEnds = false; // the shortcut found that the money can never catch up
    bool tooLarge = false;  // a balance passed the largest amount
};

// The card's own payment (after the cap) and interest for `month` on its present balance.
template <class L>
inline void OwnAndInterest(const Card<L>& c, std::int32_t month, typename L::Money& own, typename L::Money& interest)
{
    interest = L::interest(c.balance, c.rateIn(month));
    const typename L::Money after = c.balance + interest;
    own = std::min(c.ownBeforeCap(after, interest), after);
}

// The card's own payment does not exceed its interest now, nor at any balance
// it can come to at the same rate (its balance then never goes down).
template <class L>
inline bool StaysAtOrBelowInterest(const Card<L>& c, std::int32_t month, typename L::Money own, typename L::Money interest)
{
    if (own > interest)
        return false;
    if (!c.hasMinimum || c.minPercent == 0)
        return true;
    // With the interest added the payment is never below it: at or below it
    // means equal, so the balance stays as it is, and so does everything else.
    if (c.plusInterest)
        return true;
    return L::percentStaysBelowInterest(c.balance, c.rateIn(month), c.minPercent);
}

// From `month` on nothing changes (the budget is `budget`), and: every owing
// card after the first pays at most its interest and keeps doing so as
// balances grow, and what reaches the first one (its own payment, or the
// budget less the others' own payments) does not exceed its interest. Every
// balance then only grows, and so does every interest and every own payment.
template <class L>
bool NeverEnds(std::span<const Card<L>> cards, std::span<const std::uint32_t> active, std::int32_t month,
               typename L::Money budget)
{
    using Money = typename L::Money;
    Money others{};
    for (std::size_t i = 1; i < active.size(); ++i) {
        const Card<L>& c = cards[active[i]];
        Money own{}, interest{};
        OwnAndInterest(c, month, own, interest);
        if (!StaysAtOrBelowInterest(c, month, own, interest))
            return false;
        others += own;
    }
    const Card<L>& first = cards[active[0]];
    Money own{}, interest{};
    OwnAndInterest(first, month, own, interest);
    return StaysAtOrBelowInterest(first, month, own, interest) && budget - others <= interest;
}

// Sets aside (stuck) the cards that can never be paid off alone from `month` on.
template <class L>
void SetAsideStuck(std::span<Card<L>> cards, std::vector<std::uint32_t>& active, std::int32_t month)
{
    std::size_t kept = 0;
    for (const std::uint32_t k : active) {
        Card<L>& c = cards[k];
        typename L::Money own{}, interest{};
        OwnAndInterest(c, month, own, interest);
        if (c.rateSettled(month) && StaysAtOrBelowInterest(c, month, own, interest))
            c.stuck = true;
        else
            active[kept++] = k;
    }
    active.resize(kept);
}

// What the months start from: the budget's base (every card's month-1 own
// payment before the cap), what is owed, the pledge after the last change and
// the first month from which the budget and every rate stay as they are.
template <class L>
struct Opening
{
    typename L::Money base{};
    typename L::Money owed{};
    typename L::Money finalPledge{};
    std::int32_t quietFrom = 1;
};

template <class L>
Opening<L> Open(std::span<Card<L>> cards, const Budget<L>& budget, std::vector<std::uint32_t>& active)
{
    Opening<L> o;
    active.clear();
    for (std::size_t k = 0; k < cards.size(); ++k) {
        Card<L>& c = cards[k];
        if (c.balance > 0) {
            active.push_back(static_cast<std::uint32_t>(k));
            const auto interest = L::interest(c.balance, c.rateIn(1));
            o.base += c.ownBeforeCap(c.balance + interest, interest);
            o.owed += c.balance;
            if (!c.rateSettled(1))
                o.quietFrom = std::max(o.quietFrom, c.promoMonths + 1);
        } else {
            o.base += c.payment;
        }
    }
    o.finalPledge = budget.pledge;
    for (const auto& s : budget.steps) {
        o.quietFrom = std::max(o.quietFrom, s.month);
        o.finalPledge = s.amount;
    }
    for (const auto& one : budget.oneOffs)
        o.quietFrom = std::max(o.quietFrom, one.month + 1);
    return o;
}

// What a month's own payments came to.
template <class L>
struct OwnPaid
{
    typename L::Money sum{};        // the own payments
    typename L::Money owedAfter{};  // what the cards still owe after them
    bool past = false;              // some balance above the largest amount
    std::size_t stepped = 0;        // cards charged this month
};

// Interest, then each card's own payment, at most what it owes. Alone, a card
// that can never be paid off is set aside instead; a card its own payment pays
// off leaves the list.
template <class L, class Row>
OwnPaid<L> PayOwn(std::span<Card<L>> cards, std::vector<std::uint32_t>& active, std::int32_t month, bool snowball,
                  const Rows<L, Row>& out, bool keepRows, typename L::Money& totalInterest)
{
    OwnPaid<L> paid;
    std::size_t kept = 0;
    for (std::size_t i = 0; i < active.size(); ++i) {
        const std::uint32_t k = active[i];
        Card<L>& c = cards[k];
        const auto interest = L::interest(c.balance, c.rateIn(month));
        const auto after = c.balance + interest;
        auto own = c.ownBeforeCap(after, interest);
        if (own > after)
            own = after;
        if (!snowball && c.rateSettled(month) && StaysAtOrBelowInterest(c, month, own, interest)) {
            c.stuck = true;
            continue;
        }
        ++paid.stepped;
        c.balance = after - own;
        c.interestSum += interest;
        c.paidSum += own;
        L::add(totalInterest, interest);
        paid.sum += own;
        if (keepRows) {
            c.row = out.rows->size();
            out.rows->push_back(Row{month, c.given, own, interest, c.balance});
        }
        if (c.balance <= 0) {
            c.payoffMonth = month;
            continue;
        }
        paid.owedAfter += c.balance;
        paid.past = paid.past || c.balance > L::kLargest;
        active[kept++] = k;
    }
    active.resize(kept);
    return paid;
}

// The rest of the budget in priority order, each card up to what it owes:
// only the first cards are reached (all of them with the unrounded ledger,
// whose dust any card may leave). Returns what it paid.
template <class L, class Row>
typename L::Money PayRest(std::span<Card<L>> cards, std::vector<std::uint32_t>& active, std::int32_t month,
                          typename L::Money left, const Rows<L, Row>& out, bool keepRows)
{
    using Money = typename L::Money;
    Money extraPaid{};
    std::size_t reached = 0;
    std::size_t kept = 0;
    for (; reached < active.size(); ++reached) {
        if (!L::kDust && !(left > 0))
            break;
        const std::uint32_t k = active[reached];
        Card<L>& c = cards[k];
        Money more{};
        if (left > 0) {
            more = std::min(left, c.balance);
            c.balance -= more;
            left -= more;
        }
        if (L::isDust(c.balance)) {
            more += c.balance;
            left -= c.balance;
            c.balance = 0;
        }
        if (more != Money{}) {
            c.paidSum += more;
            extraPaid += more;
            if (keepRows) {
                Row& r = (*out.rows)[c.row];
                r.payment += more;
                r.balance = c.balance;
            }
        }
        if (c.balance <= 0)
            c.payoffMonth = month;
        else
            active[kept++] = k;
    }
    if (kept < reached)
        active.erase(active.begin() + static_cast<std::ptrdiff_t>(kept),
                     active.begin() + static_cast<std::ptrdiff_t>(reached));
    return extraPaid;
}

// Runs the months. `cards` in priority order; `active` is scratch (reserved
// for every card). With `snowball` false each card pays only its own payment
// (each card alone: the budget is not read, no rows are kept) and a card that
// can never be paid off is set aside (stuck) as soon as that is certain.
// Allocates nothing but the rows, which the caller may reserve.
template <class L, class Row>
End Run(std::span<Card<L>> cards, const Budget<L>& budget, bool snowball, std::int32_t monthLimit,
        std::vector<std::uint32_t>& active, const Rows<L, Row>& out, typename L::Money& totalInterest,
        typename L::Money& totalPaid)
{
    using Money = typename L::Money;
    const bool keepRows = snowball && out.rows;
    End end;
    const Opening<L> opening = Open(cards, budget, active);
    if (keepRows) {
        if (out.owed)
            out.owed->push_back(opening.owed);
        if (out.starts)
            out.starts->push_back(0);
    }

    const std::int32_t limit = std::max<std::int32_t>(monthLimit, 0);
    std::int32_t month = 0;
    std::size_t step = 0, oneOff = 0;
    Money pledge = budget.pledge;
    while (!active.empty()) {
        const std::int32_t next = month + 1;
        if (snowball && next >= opening.quietFrom &&
            NeverEnds<L>(cards, active, next, opening.base + opening.finalPledge)) {
            end.neverEnds = true;
            break;
        }
        if (month >= limit) {
            if (!snowball)
                SetAsideStuck(cards, active, next);
            break;
        }
        month = next;

        Money monthBudget{};
        if (snowball) {
            while (step < budget.steps.size() && budget.steps[step].month <= month)
                pledge = budget.steps[step++].amount;
            monthBudget = opening.base + pledge;
            while (oneOff < budget.oneOffs.size() && budget.oneOffs[oneOff].month <= month) {
                if (budget.oneOffs[oneOff].month == month)
                    monthBudget += budget.oneOffs[oneOff].amount;
                ++oneOff;
            }
        }

        const OwnPaid<L> own = PayOwn(cards, active, month, snowball, out, keepRows, totalInterest);
        if (own.stepped == 0) {
            // Every card left was set aside before this month.
            --month;
            break;
        }
        const Money left = snowball && monthBudget > own.sum ? monthBudget - own.sum : Money{};
        const Money extraPaid = PayRest(cards, active, month, left, out, keepRows);
        L::add(totalPaid, own.sum);
        L::add(totalPaid, extraPaid);
        if (keepRows) {
            if (out.owed)
                out.owed->push_back(own.owedAfter - extraPaid);
            if (out.starts)
                out.starts->push_back(static_cast<std::uint32_t>(out.rows->size()));
        }
        if (own.past)
            for (const std::uint32_t k : active)
                end.tooLarge = end.tooLarge || cards[k].balance > L::kLargest;
        if (end.tooLarge)
            break;
    }
    end.months = month;
    return end;
}

} // namespace quenmark::engine
