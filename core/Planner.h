// The payoff planner's arithmetic on top of the snowball schedule: the payoff
// orders, the side-by-side comparison, a card statement's payoff figures, and
// the plan file (cards as CSV) and schedule CSV texts. Pure functions, no I/O.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/Snowball.h"

namespace quenmark {

enum class PlanOrder {
    HighestApr,    // highest APR first; equal APRs keep the cards' given order
    LowestBalance, // lowest balance first; equal balances keep the given order
    Given          // the cards' own order
};

// The cards' indices in payoff priority order.
std::vector<std::size_t> PriorityOrder(std::span<const SnowballCard> cards, PlanOrder order);

// The snowball schedule with the cards paid in `order`. Everything in the
// result refers to the cards as given: payoffMonth, balanceLeft and
// firstOwing (the first card in priority order still owing) by their given
// index, and so do the schedule rows' `card`, which within a month follow the
// priority order.
SnowballPlan RunPlan(std::span<const SnowballCard> cards, PlanOrder order, double pledge, bool withSchedule = false,
                     std::int32_t monthLimit = kSnowballMonthLimit);
// The same with an explicit priority (a permutation of the card indices).
SnowballPlan RunPlanInPriority(std::span<const SnowballCard> cards, std::span<const std::size_t> priority,
                               double pledge, bool withSchedule = false,
                               std::int32_t monthLimit = kSnowballMonthLimit);

// No snowball and no pledge: every card on its own payment, alone. months is
// the latest payoff; firstOwing the first card in given order not paid off.
SnowballPlan RunEachAlone(std::span<const SnowballCard> cards, std::int32_t monthLimit = kSnowballMonthLimit);

// The three orders with the pledge, and each card alone without it.
struct PlanComparison
{
    SnowballPlan highestApr;
    SnowballPlan lowestBalance;
    SnowballPlan given;
    SnowballPlan alone;

    const SnowballPlan& plan(PlanOrder order) const;
    // Interest saved against paying each card alone, in cents-rounded dollars
    // (0 unless both plans end).
    double interestSaved(const SnowballPlan& plan) const;
};
PlanComparison ComparePlans(std::span<const SnowballCard> cards, double pledge);
// The same, taking the plan of one order as already run (with or without its
// schedule, which the comparison does not keep) instead of running it again.
PlanComparison ComparePlans(std::span<const SnowballCard> cards, double pledge, PlanOrder known,
                            const SnowballPlan& knownPlan);

// This card's monthly interest as its statement would show it:
// RoundToCents(balance x periodic rate).
double MonthlyInterest(const SnowballCard& card);
// Whether the card's own payment can never pay it off alone: at or below the
// interest the schedule charges on its balance (balance x periodic rate).
bool PaymentNeverPaysOff(const SnowballCard& card);

// The level monthly payment that clears `balance` in `months` months:
// B x r / (1 - (1 + r)^-months) with r the periodic rate, rounded up to the
// cent (B / months rounded up at APR 0). 0 when nothing is owed.
double LevelPayment(double apr, double balance, std::int32_t months = 36);

// What a card statement's minimum-payment warning tells about a card.
struct CardDisclosure
{
    // The payment meets the payoff calculator's least payment, so the
    // minimum-only run was made (the other "minimum" fields are valid).
    bool minimumRan = false;
    double leastPayment = 0;        // MinimumAcceptablePayment (payoff calculator)
    std::int32_t minimumMonths = 0; // paying only the declining minimum, from the card's payment
    double minimumInterest = 0;
    double minimumPaid = 0;
    double payment36 = 0;           // LevelPayment(apr, balance, 36)
    std::int32_t months36 = 0;      // months of the loan-mode run with payment36 (36, or fewer)
    double paid36 = 0;              // money paid by that run
    double saved36 = 0;             // minimumPaid - paid36, both to the cent (valid with minimumRan)
};
// Reads nothing: the amounts are the corrected values of the boxes.
CardDisclosure DiscloseCard(double apr, double balance, double payment);

// ---- plan files: cards as CSV ------------------------------------------------------

struct PlanFileCard
{
    std::string name;
    SnowballCard card;
    std::string information; // the APR correction message, when the APR was above 30
};

struct PlanFile
{
    std::vector<PlanFileCard> cards;
    std::int32_t errorLine = 0; // 0: the file was read; otherwise the line at fault (1-based)
    std::string error;          // what is wrong with that line
};

// Reads a plan file: the header "name,apr,balance,payment" (any case, blanks
// around fields allowed, a UTF-8 byte order mark skipped) and one card a line.
// Fields may be quoted with '"' ("" inside for a quote), so "$2,100.00" can
// stand in a field. Blank lines are skipped. The amounts are read like the
// calculators' boxes (ReadAmountBox). An empty name becomes "Card N" (N the
// card's number in the file). A line with other than four fields, an
// unterminated quote, a missing header, or a card beyond kMostPlanCards is an
// error naming the line.
PlanFile ParsePlanCsv(std::string_view text);

// One CSV field: quoted (with "" for a quote) when it holds a comma, a quote,
// a line break, or blanks at either end.
std::string CsvField(std::string_view text);

// `text` as a spreadsheet cell that is never a formula: a text starting with
// "=", "+", "-", "@", a tab or a carriage return gets a leading apostrophe.
std::string SpreadsheetText(std::string_view text);

// "month,card,payment,interest,balance" and one line per row of the plan's
// schedule: the card's name (never a formula) and plain two-decimal amounts.
// `names` by given index.
void AppendScheduleCsv(std::string& out, const SnowballPlan& plan, std::span<const std::string> names);

} // namespace quenmark
