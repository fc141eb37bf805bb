// The fixed figures of chapter 8's three snowball time charts: the five sample
// cards in payoff order, and for $25, $50 and $100 of pledge money the bars
// (months each covers, the payments they stand for, in whole dollars) and the
// total interest. Plain data, no Qt, so a core test can derive every figure
// from the snowball schedule. The pie page and the card table of page 6 are
// drawn from the same cards.
#pragma once

#include <array>

#include "core/SampleCards.h"

namespace quenmark::ch8 {

// The sample cards in payoff order (priority 1 to 5), highest APR first. (The
// list shows the balances in whole dollars.)
using PriorityCard = SampleCard;
inline constexpr std::array<PriorityCard, 5> kPriorityCards = [] {
    std::array<PriorityCard, 5> cards{};
    for (std::size_t i = 0; i < cards.size(); ++i)
        cards[i] = kSampleCards[static_cast<std::size_t>(kHighestAprFirst[i] - 1)];
    return cards;
}();

// The cards' own monthly payments in priority order, whole dollars: the slices
// of the Stage 1 snowball pie.
constexpr std::array<int, kPriorityCards.size()> PriorityPayments()
{
    std::array<int, kPriorityCards.size()> payments{};
    for (std::size_t i = 0; i < payments.size(); ++i)
        payments[i] = static_cast<int>(kPriorityCards[i].payment);
    return payments;
}

struct PledgeChart
{
    int pledge;         // dollars a month
    int totalInterest;  // whole dollars
    int months;         // when the last card is paid off
    const char* panel;  // the chart panel's name
    const char* summary; // the summary panel's name
};

inline constexpr std::array<PledgeChart, 3> kCharts{{
    {25, 3294, 57, "Panel1", "Pledge25Panel"},
    {50, 2620, 47, "Panel36", "Pledge50Panel"},
    {100, 1884, 35, "Panel65", "Pledge100Panel"},
}};

enum class BarKind {
    PaymentOnly,      // teal: the card's own payment
    PaymentAndPledge, // dark blue: the payment plus the snowball
};

// One bar: `count` payments of `amount` in months firstMonth..lastMonth - 1,
// then one payment of `lastAmount` in lastMonth.
struct Bar
{
    const char* name;
    int chart; // index into kCharts
    int row;   // priority row 1..5
    BarKind kind;
    int left;  // pixels inside the chart panel
    int width;
    int firstMonth;
    int lastMonth;
    int count;
    int amount;
    int lastAmount;
};

inline constexpr BarKind kOnly = BarKind::PaymentOnly;
inline constexpr BarKind kPledge = BarKind::PaymentAndPledge;

// By chart, then row; in a row the teal bar before the dark blue one.
inline constexpr std::array<Bar, 27> kBars{{
    {"Panel26", 0, 1, kPledge, 64, 156, 1, 21, 20, 44, 41},
    {"Panel28", 0, 2, kOnly, 64, 156, 1, 21, 20, 32, 35},
    {"Panel30", 0, 2, kPledge, 220, 164, 22, 43, 21, 76, 56},
    {"Panel29", 0, 3, kOnly, 64, 320, 1, 43, 42, 17, 37},
    {"Panel32", 0, 3, kPledge, 384, 60, 44, 51, 7, 93, 1},
    {"Panel31", 0, 4, kOnly, 64, 380, 1, 51, 50, 53, 145},
    {"Panel34", 0, 4, kPledge, 444, 22, 52, 54, 2, 146, 88},
    {"Panel33", 0, 5, kOnly, 64, 402, 1, 54, 53, 37, 95},
    {"Panel35", 0, 5, kPledge, 466, 23, 55, 57, 2, 183, 73},

    {"Panel56", 1, 1, kPledge, 64, 97, 1, 13, 12, 69, 31},
    {"Panel57", 1, 2, kOnly, 64, 97, 1, 13, 12, 32, 70},
    {"Panel59", 1, 2, kPledge, 161, 127, 14, 30, 16, 101, 2},
    {"Panel58", 1, 3, kOnly, 64, 224, 1, 30, 29, 17, 116},
    {"Panel61", 1, 3, kPledge, 288, 44, 31, 36, 5, 118, 52},
    {"Panel60", 1, 4, kOnly, 64, 268, 1, 36, 35, 53, 119},
    {"Panel63", 1, 4, kPledge, 332, 52, 37, 43, 6, 171, 40},
    {"Panel62", 1, 5, kOnly, 64, 320, 1, 43, 42, 37, 168},
    {"Panel64", 1, 5, kPledge, 384, 30, 44, 47, 3, 208, 79},

    {"Panel85", 2, 1, kPledge, 64, 52, 1, 7, 6, 119, 106},
    {"Panel86", 2, 2, kOnly, 64, 52, 1, 7, 6, 32, 45},
    {"Panel88", 2, 2, kPledge, 116, 82, 8, 18, 10, 151, 121},
    {"Panel87", 2, 3, kOnly, 64, 134, 1, 18, 17, 17, 47},
    {"Panel90", 2, 3, kPledge, 198, 38, 19, 23, 4, 168, 97},
    {"Panel89", 2, 4, kOnly, 64, 172, 1, 23, 22, 53, 124},
    {"Panel92", 2, 4, kPledge, 236, 52, 24, 30, 6, 221, 200},
    {"Panel91", 2, 5, kOnly, 64, 224, 1, 30, 29, 37, 58},
    {"Panel93", 2, 5, kPledge, 288, 37, 31, 35, 4, 258, 139},
}};

// Time axis: month m ends at about kMonthZeroX + kPixelsPerMonth * m.
inline constexpr int kMonthZeroX = 64;
inline constexpr double kPixelsPerMonth = 447.0 / 60.0;

} // namespace quenmark::ch8
