// Chapter 8's snowball schedule: several cards paid off together, in priority
// order, with a monthly pledge amount on top of the cards' own payments, in
// dollars with interest carried unrounded (the rule chapter 8's charts were
// drawn from). It is the plan's own month loop (core/Plan.h) run over an
// unrounded ledger; My Cards and the tool use the plan in whole cents.
//
// Each month every unpaid card first accrues interest (balance x the periodic
// rate, RoundToSevenPlaces(APR / 1200), carried unrounded), then receives its
// own payment (at most its balance). What is left of the month's budget (the
// pledge, the payments of cards already paid off, and whatever a card paid off
// this month did not need) goes to the unpaid cards in priority order, each up
// to its balance. The budget is the pledge plus the monthly payments of all the
// cards, paid off or not.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "core/Limits.h"

namespace quenmark {

struct SnowballCard
{
    double apr = 0;     // percent
    double balance = 0; // dollars
    double payment = 0; // the card's own monthly payment, dollars
};

// One card in one month while it owes (the month it is paid off included).
struct SnowballRow
{
    std::int32_t month = 0;  // 1-based
    std::int32_t card = 0;   // index into the cards as given (priority order)
    double payment = 0;      // everything paid to the card this month
    double interest = 0;     // this month's interest, unrounded
    double balance = 0;      // owed after the payment
};

struct SnowballPlan
{
    bool paidOff = false;         // every card paid off within the month limit
    std::int32_t months = 0;      // the month the last card was paid off (months stepped otherwise)
    double totalInterest = 0;     // all interest, unrounded
    std::vector<std::int32_t> payoffMonth; // per card as given; 0 while still owing
    std::int32_t firstOwing = -1; // not paid off: the first card in priority order still owing
    std::vector<SnowballRow> schedule;     // filled only when asked for
    bool neverEnds = false;       // not paid off because the money can never catch up with the
                                  // interest (not merely because the month limit came first)
    std::vector<double> balanceLeft;       // per card as given: still owed at the end (0 when paid off)
};

// Runs the schedule over `cards` (in priority order) with `pledge` a month.
// Ends when every card is paid off, or when a card can never be paid off, or at
// `monthLimit`; the result then names the first card still owing.
// Inputs are brought into range first: non-finite values count as 0, APRs lie
// in 0..30, amounts in 0..kLargestAmount (core/Payoff.h). A card that owes
// nothing at the start counts as paid off in month 0 (payoffMonth 0, no rows);
// its payment still belongs to the budget.
// A card can never be paid off when it is the first one owing, every card after
// it that still owes has a payment at or below its own interest (so no snowball
// is to come), and what it receives is at or below its interest: the plan then
// ends at once with neverEnds set, rather than stepping on to the month limit.
// The month loop allocates nothing beyond the schedule rows. A balance that
// grows past kLargestAmount ends the run as not paid off.
SnowballPlan RunSnowball(std::span<const SnowballCard> cards, double pledge, bool withSchedule = false,
                         std::int32_t monthLimit = kSnowballMonthLimit);

} // namespace quenmark
