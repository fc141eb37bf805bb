// The snowball pies: tilted three-dimensional pie charts of a month's card
// payments, one numbered slice per payoff priority, with a rim at half
// brightness showing the pie's thickness. At stage s the cards of priorities
// 1 to s-1 are paid off and their slices are merged into slice s.
//
// Drawn by code at whatever size and device pixel ratio they are painted at.
#pragma once

#include <QColor>
#include <QRectF>
#include <span>
#include <vector>

class QPainter;

namespace quenmark {

struct PieSlice
{
    int priority = 1;    // 1-based, the number drawn on the slice
    int dollars = 0;     // the monthly payment it stands for (merged payments included)
    double startDeg = 0; // angles as QPainter counts them: 0 at three o'clock, counter-clockwise
    double spanDeg = 0;  // negative: seen from above the slices run clockwise
};

// The slices of `stage` (1 to payments.size()) for `payments` in priority order.
// Slice 1 ends and slice 2 begins at twelve o'clock; then 3, 4... clockwise.
// A slice with no money is left out; no money at all gives no slices.
std::vector<PieSlice> SnowballPieSlices(std::span<const int> payments, int stage);

// Slice colours by priority: 1 aqua, 2 red, 3 lime, 4 blue, 5 yellow (then again).
QColor PieSliceColour(int priority);
// The rim of a slice: its colour at half brightness.
QColor PieRimColour(int priority);

// Draws the pie of `stage` filling `bounds` (the rim takes the lowest part).
void DrawSnowballPie(QPainter& painter, const QRectF& bounds, std::span<const int> payments, int stage);

// The rim's share of a pie's height; the top face is the rest.
inline constexpr double kPieRimShare = 0.2;

// A small arrow pointing down, filling `bounds`.
void DrawDownArrow(QPainter& painter, const QRectF& bounds, const QColor& colour);

} // namespace quenmark
