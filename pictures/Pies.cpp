#include "pictures/Pies.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <array>
#include <cmath>

namespace quenmark {

namespace {

constexpr std::array<QRgb, 5> kSliceColours{
    qRgb(0, 255, 255), // 1 aqua
    qRgb(255, 0, 0),   // 2 red
    qRgb(0, 255, 0),   // 3 lime
    qRgb(0, 0, 255),   // 4 blue
    qRgb(255, 255, 0), // 5 yellow
};

constexpr double kTwelveOClock = 90.0;

// The point at angle `deg` on the ellipse inscribed in `r` (angles as QPainter's arcs).
QPointF onEllipse(const QRectF& r, double deg)
{
    const double rad = deg * M_PI / 180.0;
    return {r.center().x() + r.width() / 2 * std::cos(rad), r.center().y() - r.height() / 2 * std::sin(rad)};
}

// The visible side of the rim between angles a < b (both on the front half):
// the top ellipse's arc, down the side, and back along the bottom ellipse.
QPainterPath rimBand(const QRectF& top, const QRectF& bottom, double a, double b)
{
    QPainterPath band;
    band.arcMoveTo(top, a);
    band.arcTo(top, a, b - a);
    band.lineTo(onEllipse(bottom, b));
    band.arcTo(bottom, b, a - b);
    band.closeSubpath();
    return band;
}

// Black numbers on light slices, white on dark ones.
QColor numberColour(const QColor& slice)
{
    return qGray(slice.rgb()) < 110 ? QColor(Qt::white) : QColor(Qt::black);
}

} // namespace

QColor PieSliceColour(int priority)
{
    const int i = ((std::max(priority, 1) - 1) % static_cast<int>(kSliceColours.size()));
    return QColor(kSliceColours[static_cast<std::size_t>(i)]);
}

QColor PieRimColour(int priority)
{
    const QColor c = PieSliceColour(priority);
    return QColor(qRound(c.red() / 2.0), qRound(c.green() / 2.0), qRound(c.blue() / 2.0));
}

std::vector<PieSlice> SnowballPieSlices(std::span<const int> payments, int stage)
{
    std::vector<PieSlice> slices;
    const int cards = static_cast<int>(payments.size());
    if (cards == 0)
        return slices;
    stage = std::clamp(stage, 1, cards);
    auto dollars = [&](int priority) {
        return std::max(payments[static_cast<std::size_t>(priority - 1)], 0);
    };

    double total = 0;
    for (int p = 1; p <= cards; ++p)
        total += dollars(p);
    if (total <= 0)
        return slices;

    // The paid-off cards' payments go to the card of this stage.
    int merged = 0;
    for (int p = 1; p <= stage; ++p)
        merged += dollars(p);

    // Clockwise from the start of slice 1, which ends at twelve o'clock.
    double angle = kTwelveOClock + 360.0 * dollars(1) / total;
    auto add = [&](int priority, int amount) {
        if (amount <= 0)
            return;
        const double span = -360.0 * amount / total;
        slices.push_back({priority, amount, angle, span});
        angle += span;
    };
    add(stage, merged);
    for (int p = stage + 1; p <= cards; ++p)
        add(p, dollars(p));
    return slices;
}

void DrawSnowballPie(QPainter& painter, const QRectF& bounds, std::span<const int> payments, int stage)
{
    const std::vector<PieSlice> slices = SnowballPieSlices(payments, stage);
    const double rim = std::max(2.0, bounds.height() * kPieRimShare);
    const QRectF top(bounds.left() + 0.5, bounds.top() + 0.5, bounds.width() - 1, bounds.height() - rim - 1);
    if (top.width() < 4 || top.height() < 4)
        return;
    const QRectF bottom = top.translated(0, rim);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QPen outline(Qt::black);
    outline.setWidthF(0); // one device pixel at any scale
    painter.setPen(outline);

    if (slices.empty()) {
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(top);
        painter.restore();
        return;
    }

    // The rim: the front half of the pie's side, 180 to 360 degrees and its
    // equivalents a turn away, in each slice's own colour at half brightness.
    for (const PieSlice& s : slices) {
        const double lo = s.startDeg + s.spanDeg;
        const double hi = s.startDeg;
        for (int turn = -2; turn <= 1; ++turn) {
            const double a = std::max(lo, 180.0 + 360.0 * turn);
            const double b = std::min(hi, 360.0 + 360.0 * turn);
            if (b - a > 0.01) {
                painter.setBrush(PieRimColour(s.priority));
                painter.drawPath(rimBand(top, bottom, a, b));
            }
        }
    }

    // The top face.
    for (const PieSlice& s : slices) {
        painter.setBrush(PieSliceColour(s.priority));
        if (slices.size() == 1) {
            painter.drawEllipse(top);
            continue;
        }
        QPainterPath wedge;
        wedge.moveTo(top.center());
        wedge.arcTo(top, s.startDeg, s.spanDeg);
        wedge.closeSubpath();
        painter.drawPath(wedge);
    }

    // The numbers, seven tenths of the way out along the middle of each slice.
    QFont font(QStringLiteral("Arial"));
    font.setBold(true);
    font.setPixelSize(std::max(6, qRound(top.height() * 0.26)));
    painter.setFont(font);
    const QRectF inner =
        top.adjusted(top.width() * 0.15, top.height() * 0.15, -top.width() * 0.15, -top.height() * 0.15);
    const QSizeF box(top.width() * 0.3, top.height() * 0.4);
    for (const PieSlice& s : slices) {
        const QPointF at = slices.size() == 1 ? top.center() : onEllipse(inner, s.startDeg + s.spanDeg / 2);
        painter.setPen(numberColour(PieSliceColour(s.priority)));
        painter.drawText(QRectF(at - QPointF(box.width() / 2, box.height() / 2), box), Qt::AlignCenter,
                         QString::number(s.priority));
    }
    painter.restore();
}

void DrawDownArrow(QPainter& painter, const QRectF& bounds, const QColor& colour)
{
    const double w = bounds.width();
    const double h = bounds.height();
    const QPointF o = bounds.topLeft();
    const QPolygonF arrow{{
        o + QPointF(0.32 * w, 0),
        o + QPointF(0.68 * w, 0),
        o + QPointF(0.68 * w, 0.5 * h),
        o + QPointF(w, 0.5 * h),
        o + QPointF(0.5 * w, h),
        o + QPointF(0, 0.5 * h),
        o + QPointF(0.32 * w, 0.5 * h),
    }};
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawPolygon(arrow);
    painter.restore();
}

} // namespace quenmark
