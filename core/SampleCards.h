// The five sample cards the lessons follow (chapters 6, 7 and 8) and that My
// Cards starts with on a first run: each card's APR, balance and first monthly
// payment, in card order.
#pragma once

#include <array>

namespace quenmark {

struct SampleCard
{
    int number;     // "Card 1" .. "Card 5"
    double apr;     // percent
    double balance; // dollars
    double payment; // first monthly payment, dollars
};

inline constexpr std::array<SampleCard, 5> kSampleCards{{
    {1, 19.8, 1543.68, 32.00},
    {2, 17.9, 2100.00, 53.00},
    {3, 12.9, 1784.32, 37.00},
    {4, 19.8, 832.91, 17.00},
    {5, 21.0, 765.72, 19.00},
}};

// The card numbers in the order the cards are paid off: highest APR first; of
// the two at 19.8 %, Card 1 before Card 4.
inline constexpr std::array<int, 5> kHighestAprFirst{5, 1, 4, 2, 3};

} // namespace quenmark
