#include "planner/ChartDrawing.h"

#include <QImage>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

#include "core/MoneyText.h"

namespace quenmark {

// An amount on the amount axis: whole dollars.
QString AxisText(double amount)
{
    return QLatin1Char('$') + QString::fromStdString(AmountToText(amount)).section(QLatin1Char('.'), 0, 0);
}

// 1, 2 or 5 times a power of ten, so that about `ticks` steps cover `top`.
double NiceStep(double top, int ticks)
{
    const double raw = top / ticks;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0, 10.0})
        if (m * power >= raw)
            return m * power;
    return 10 * power;
}

// Source-over of an opaque colour covering `alpha` / 255 of a premultiplied
// pixel: two channels at a time, each divided by 255 with rounding.
QRgb Blend(QRgb pixel, QRgb colour, unsigned alpha)
{
    const unsigned rest = 255 - alpha;
    unsigned rb = (colour & 0xff00ffu) * alpha + (pixel & 0xff00ffu) * rest;
    rb = ((rb + ((rb >> 8) & 0xff00ffu) + 0x800080u) >> 8) & 0xff00ffu;
    unsigned ag = ((colour >> 8) & 0xff00ffu) * alpha + ((pixel >> 8) & 0xff00ffu) * rest;
    ag = (ag + ((ag >> 8) & 0xff00ffu) + 0x800080u) & 0xff00ff00u;
    return ag | rb;
}

// A smooth line `width` pixels wide through the points of `line` (in the
// image's pixels): along its major axis each pixel column (or row) gets the
// share of each pixel across that the line covers, and every pixel of a joint
// is drawn once. This is what a one-pixel pen draws with antialiasing, at a
// small part of its cost when thousands of points are drawn.
void DrawRim(QImage& image, const QPolygonF& line, QRgb colour, double width)
{
    const int w = image.width(), h = image.height();
    const qsizetype stride = image.bytesPerLine() / 4;
    QRgb* const bits = reinterpret_cast<QRgb*>(image.bits());
    for (qsizetype i = 0; i + 1 < line.size(); ++i) {
        const QPointF a = line[i], b = line[i + 1];
        const bool lastSegment = i + 2 == line.size();
        const bool xMajor = std::abs(b.x() - a.x()) >= std::abs(b.y() - a.y());
        const double a0 = xMajor ? a.x() : a.y(), b0 = xMajor ? b.x() : b.y();
        const double a1 = xMajor ? a.y() : a.x(), b1 = xMajor ? b.y() : b.x();
        if (a0 == b0)
            continue;
        const double slope = (b1 - a1) / (b0 - a0);
        // The pixels whose centres lie from a up to b, b itself only at the end.
        double from = 0, to = 0;
        if (a0 < b0) {
            from = std::ceil(a0 - 0.5);
            to = lastSegment ? std::floor(b0 - 0.5) : std::ceil(b0 - 0.5) - 1;
        } else {
            from = lastSegment ? std::ceil(b0 - 0.5) : std::floor(b0 - 0.5) + 1;
            to = std::floor(a0 - 0.5);
        }
        const int along = xMajor ? w : h, across = xMajor ? h : w;
        const int first = static_cast<int>(std::max(from, 0.0));
        const int end = static_cast<int>(std::min(to, along - 1.0));
        for (int c = first; c <= end; ++c) {
            const double centre = a1 + (c + 0.5 - a0) * slope;
            const double lo = centre - width / 2, hi = centre + width / 2;
            // Truncation is the floor here: lo is not negative where it is used.
            for (int r = lo > 0 ? static_cast<int>(lo) : 0; r < hi && r < across; ++r) {
                const double covered = std::min(hi, r + 1.0) - std::max(lo, static_cast<double>(r));
                const auto alpha = static_cast<unsigned>(covered * 255 + 0.5);
                if (alpha == 0)
                    continue;
                QRgb& pixel = xMajor ? bits[r * stride + c] : bits[c * stride + r];
                pixel = alpha >= 255 ? colour : Blend(pixel, colour, alpha);
            }
        }
    }
}

int MonthStep(int months)
{
    for (int step : {1, 3, 6, 12, 24, 60, 120, 240})
        if (months / step <= 12)
            return step;
    return 240;
}

void DrawBands(QImage& image, const ChartBands& bands)
{
    const std::size_t n = bands.fill.size();
    const int w = image.width(), h = image.height();
    if (n == 0 || bands.months <= 0 || w <= 0 || h <= 0)
        return;
    const double height = bands.height, step = w / static_cast<double>(bands.months);
    const qsizetype stride = image.bytesPerLine() / 4;
    QRgb* const bits = reinterpret_cast<QRgb*>(image.bits());
    // The lowest row whose centre lies above the plot's bottom.
    const int bottomRow = std::min(h, static_cast<int>(std::ceil(height - 0.5))) - 1;

    // Each band's height above the bottom in every pixel column (column by
    // column), and how tall the band gets.
    std::vector<float> ups(n * static_cast<std::size_t>(w));
    std::vector<float> tallest(n, 0.f);
    std::vector<std::int64_t> a, b;
    int loaded = -1;
    for (int c = 0; c < w; ++c) {
        const double at = (c + 0.5) / step;
        const int m = std::min(static_cast<int>(at), bands.months - 1);
        const double f = at - m;
        if (m != loaded) {
            if (m == loaded + 1 && loaded >= 0)
                a.swap(b);
            else
                bands.edgesAt(m, a);
            bands.edgesAt(m + 1, b);
            loaded = m;
        }
        // Rows from the bottom up: a row goes to the first band whose upper
        // edge lies at or above its centre.
        int r = bottomRow;
        double need = height - (r + 0.5), highest = 0;
        float* const up = ups.data() + static_cast<std::size_t>(c) * n;
        for (std::size_t k = 0; k < n; ++k) {
            const double owed = static_cast<double>(a[k]) + static_cast<double>(b[k] - a[k]) * f;
            const double v = owed * bands.perCent;
            up[k] = static_cast<float>(v);
            while (r >= 0 && v >= need) {
                bits[r * stride + c] = bands.fill[k];
                --r;
                need += 1;
            }
            tallest[k] = std::max(tallest[k], static_cast<float>(v - highest));
            highest = std::max(highest, v);
        }
    }

    // The rims, from the first month's edge to the last month's.
    const double ratio = image.devicePixelRatio();
    std::vector<std::int64_t> edges;
    for (std::size_t k = 0; k < n; ++k) {
        if (tallest[k] < 1.f)
            continue;
        const int last = std::clamp(bands.lastMonth[k], 1, bands.months);
        const double end = std::min(last * step, static_cast<double>(w));
        QPolygonF rim;
        rim.reserve(w + 2);
        bands.edgesAt(0, edges);
        rim << QPointF(0, height - static_cast<double>(edges[k]) * bands.perCent);
        for (int c = 0; c < w && c + 0.5 < end; ++c)
            rim << QPointF(c + 0.5, height - ups[static_cast<std::size_t>(c) * n + k]);
        bands.edgesAt(last, edges);
        rim << QPointF(end, height - static_cast<double>(edges[k]) * bands.perCent);
        DrawRim(image, rim, bands.rim[k], ratio);
    }
}

} // namespace quenmark
