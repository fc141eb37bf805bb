// The planner's arithmetic for one card: what a card statement's
// minimum-payment warning tells (paying only the minimum against the payment
// that clears the balance in 36 months). The plan itself is core/Plan.h, its
// files and schedules core/PlanCsv.h; both are included here for the planner.
// Pure functions, no I/O.
#pragma once

#include <cstdint>

#include "core/Plan.h"
#include "core/PlanCsv.h"

namespace quenmark {

// The least monthly payment that clears `balance` within `months` months of the
// cents ledger (interest to the cent each month, the payment cut to what is
// owed: the extra-money calculator's loan mode): the level-payment formula
// B x r / (1 - (1 + r)^-months) (B / months at APR 0) taken up to the cent, then
// raised a cent at a time while that ledger leaves a balance after `months`
// months. The APR counts at most kPlanHighestApr. 0 when nothing is owed.
double LevelPayment(double apr, double balance, std::int32_t months = 36);

// What a card statement's minimum-payment warning tells about a card.
struct CardDisclosure
{
    // The minimum-only run was made: the payment meets the payoff calculator's
    // least payment (always, with a minimum rule).
    bool minimumRan = false;
    // ... but paying only the minimum never pays the card off: above about 40 %
    // the statement's whole-dollar minimum can stop covering the interest, and
    // the balance goes round in circles (with a minimum rule: not paid off
    // within kSnowballMonthLimit months). The "minimum" figures are then 0.
    bool minimumNotPaidOff = false;
    double leastPayment = 0;        // MinimumAcceptablePayment at the planner's APR cap (0 with a minimum rule)
    std::int32_t minimumMonths = 0; // paying only the minimum
    double minimumInterest = 0;
    double minimumPaid = 0;
    double payment36 = 0;           // LevelPayment(apr, balance, 36)
    std::int32_t months36 = 0;      // months of the loan-mode run with payment36 (36, or fewer)
    double paid36 = 0;              // money paid by that run
    // Paying only the minimum already ends no later than month months36 and
    // costs no more than paid36: nothing is saved (saved36 is 0).
    bool alreadyFaster = false;
    double saved36 = 0;             // minimumPaid - paid36 when the minimum paid it off; never negative
};

// A card paying only the statement's declining minimum (the payoff
// calculator's run: the card's payment as a share of the balance, whole
// dollars, at least $15), at the APR given up to kPlanHighestApr. Reads
// nothing: the amounts are the corrected values of the boxes.
CardDisclosure DiscloseCard(double apr, double balance, double payment);
// A card of a plan: with a minimum rule, paying only what the rule asks
// (its payment left out, any promotion counted); without one, as above from its
// APR, balance and payment. The 36-month figures at the card's APR.
CardDisclosure DiscloseCard(const PlanCard& card);

} // namespace quenmark
