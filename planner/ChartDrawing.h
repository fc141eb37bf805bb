// What the balance chart draws with: its axis steps and texts, and smooth rims
// written straight into the pixels of an image.
#pragma once

#include <QColor>
#include <QString>

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

} // namespace quenmark
