// What the balance chart draws with: its axis steps and texts, and smooth rims
// written straight into the pixels of an image.
#pragma once

#include <QColor>
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

class QImage;
class QPolygonF;

namespace quenmark {

// An amount on the amount axis: whole dollars ("$1,500").
QString AxisText(double amount);
// 1, 2 or 5 times a power of ten, so that about `ticks` steps cover `top`.
double NiceStep(double top, int ticks);
// The months between two ticks of the month axis (1, 3, 6, 12, ... 240).
int MonthStep(int months);
// Source-over of an opaque colour covering `alpha` / 255 of a premultiplied pixel.
QRgb Blend(QRgb pixel, QRgb colour, unsigned alpha);
// A smooth line `width` pixels wide through the points of `line` (in the
// image's pixels): along its major axis each pixel column (or row) gets the
// share of each pixel across that the line covers, and every pixel of a joint
// is drawn once. This is what a one-pixel pen draws with antialiasing, at a
// small part of its cost when thousands of points are drawn.
void DrawRim(QImage& image, const QPolygonF& line, QRgb colour, double width);

// Stacked bands over months, as the balance chart draws them.
struct ChartBands
{
    int months = 0;
    double height = 0;  // the plot's height in the image's pixels
    double perCent = 0; // pixels per cent owed
    // The upper edge of every band at the end of `month` (0: before month 1),
    // in cents counted from the bottom.
    std::function<void(int month, std::vector<std::int64_t>& edges)> edgesAt;
    std::vector<QRgb> fill, rim;
    std::vector<int> lastMonth; // the month a band's rim ends (its card paid off)
};

// The bands of `bands` over the whole of `image`, one value per pixel column
// and band (the month's edges interpolated at the column's centre). Each band
// fills, column by column, the pixels whose centres lie between its lower and
// upper edge (as a polygon is filled without antialiasing); its upper edge is
// then drawn smooth in its rim colour, one pixel wide on the screen's scale,
// up to its last month, when the band gets a pixel tall somewhere (the rims of
// thinner bands would only hide their neighbours).
void DrawBands(QImage& image, const ChartBands& bands);

} // namespace quenmark
