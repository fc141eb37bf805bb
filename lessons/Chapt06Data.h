// Chapter 6's fixed figures: the five sample cards, what each costs in interest
// and how many months it takes, paid with minimum payments (the payment falls
// with the balance) and with constant payments (the first payment kept), and
// the bar heights of the two charts. Plain data, no Qt, so a core test can
// check every figure against the payoff engine.
#pragma once

#include <array>

#include "core/SampleCards.h"

namespace quenmark::ch6 {

struct Card
{
    int number;            // "Card 1" .. "Card 5"
    double apr;            // percent
    double balance;        // dollars
    double payment;        // first monthly payment, dollars
    double interestMinimum;  // total interest, minimum payments
    double interestConstant; // total interest, constant payments
    int monthsMinimum;       // payments until paid off, minimum payments
    int monthsConstant;      // the same, constant payments
    // Bar heights in pixels: interest minimum, interest constant, months
    // minimum, months constant.
    std::array<int, 4> heights;
};

// What each sample card costs and takes, in card order.
struct CardFigures
{
    double interestMinimum;
    double interestConstant;
    int monthsMinimum;
    int monthsConstant;
    std::array<int, 4> heights;
};
inline constexpr std::array<CardFigures, kSampleCards.size()> kFigures{{
    {3936.39, 1564.17, 277, 98, {197, 78, 185, 65}},
    {2487.89, 1100.63, 183, 61, {124, 55, 122, 41}},
    {1444.01, 744.09, 159, 69, {72, 37, 106, 46}},
    {1192.51, 883.71, 133, 101, {60, 44, 89, 67}},
    {836.20, 572.26, 103, 71, {42, 29, 69, 47}},
}};

// The sample cards with their figures.
inline constexpr std::array<Card, kSampleCards.size()> kCards = [] {
    std::array<Card, kSampleCards.size()> cards{};
    for (std::size_t i = 0; i < cards.size(); ++i) {
        const SampleCard& c = kSampleCards[i];
        const CardFigures& f = kFigures[i];
        cards[i] = {c.number,           c.apr,           c.balance,        c.payment, f.interestMinimum,
                    f.interestConstant, f.monthsMinimum, f.monthsConstant, f.heights};
    }
    return cards;
}();

// The value axis spans 200 pixels: $4,000 of interest, 300 months of payoff time.
inline constexpr double kDollarsPerPixel = 20.0;
inline constexpr double kMonthsPerPixel = 1.5;
inline constexpr int kAxisY = 222; // every bar stands on it

} // namespace quenmark::ch6
