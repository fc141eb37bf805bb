// Pictures of the lesson pages of chapters 1 and 2: the card, the house and
// the car (photo-like, JPEG) and the repayment graph (PNG). Chapter 1's title
// page shows the splash screen's name picture (ShellArt.cpp).
#include "Artwork.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <vector>

namespace {

QFont arial(int px, bool bold = false)
{
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(px);
    f.setBold(bold);
    return f;
}

QImage canvas(int w, int h, const QColor& fill = Qt::white)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(fill);
    return img;
}

// A card face: blue-to-teal gradient, chip, number and name.
void drawCard(QPainter& p, const QRectF& r)
{
    QPainterPath shape;
    shape.addRoundedRect(r, r.height() * 0.08, r.height() * 0.08);
    QLinearGradient body(r.topLeft(), r.bottomRight());
    body.setColorAt(0, QColor(20, 50, 120));
    body.setColorAt(0.55, QColor(30, 110, 150));
    body.setColorAt(1, QColor(10, 40, 80));
    p.fillPath(shape, body);
    // A soft highlight across the top.
    QLinearGradient shine(r.topLeft(), QPointF(r.left(), r.center().y()));
    shine.setColorAt(0, QColor(255, 255, 255, 90));
    shine.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillPath(shape, shine);

    const double u = r.width() / 170.0;
    QRectF chip(r.left() + 16 * u, r.top() + 34 * u, 24 * u, 18 * u);
    QLinearGradient gold(chip.topLeft(), chip.bottomRight());
    gold.setColorAt(0, QColor(250, 220, 120));
    gold.setColorAt(1, QColor(180, 140, 40));
    p.setPen(QPen(QColor(120, 90, 20), 1));
    p.setBrush(gold);
    p.drawRoundedRect(chip, 3 * u, 3 * u);

    p.setPen(QColor(235, 240, 250));
    p.setFont(arial(qRound(12 * u), true));
    p.drawText(QRectF(r.left() + 14 * u, r.top() + 60 * u, r.width(), 18 * u), Qt::AlignLeft,
               QStringLiteral("4000  1234  5678  9010"));
    p.setFont(arial(qRound(9 * u)));
    p.drawText(QRectF(r.left() + 14 * u, r.top() + 82 * u, r.width(), 14 * u), Qt::AlignLeft,
               QStringLiteral("A. CARDHOLDER      EXP 12/99"));
    p.setFont(arial(qRound(13 * u), true));
    p.drawText(QRectF(r.left(), r.top() + 8 * u, r.width() - 12 * u, 18 * u), Qt::AlignRight,
               QStringLiteral("CREDIT"));
}

QImage card()
{
    QImage img = canvas(170, 108);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    drawCard(p, QRectF(0.5, 0.5, 169, 107));
    return img;
}

QImage house()
{
    QImage img = canvas(150, 104);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 104);
    sky.setColorAt(0, QColor(110, 170, 230));
    sky.setColorAt(1, QColor(220, 235, 250));
    p.fillRect(img.rect(), sky);
    QLinearGradient grass(0, 78, 0, 104);
    grass.setColorAt(0, QColor(90, 160, 70));
    grass.setColorAt(1, QColor(40, 110, 40));
    p.fillRect(QRect(0, 78, 150, 26), grass);
    // Walls, roof, door, windows.
    QLinearGradient wall(30, 0, 120, 0);
    wall.setColorAt(0, QColor(235, 220, 190));
    wall.setColorAt(1, QColor(200, 180, 150));
    p.setPen(QPen(QColor(90, 70, 50), 1));
    p.setBrush(wall);
    p.drawRect(QRectF(32, 46, 86, 40));
    QPainterPath roof;
    roof.moveTo(24, 48);
    roof.lineTo(75, 16);
    roof.lineTo(126, 48);
    roof.closeSubpath();
    QLinearGradient tiles(0, 16, 0, 48);
    tiles.setColorAt(0, QColor(170, 50, 40));
    tiles.setColorAt(1, QColor(110, 30, 25));
    p.setBrush(tiles);
    p.drawPath(roof);
    p.setBrush(QColor(110, 70, 40));
    p.drawRect(QRectF(68, 62, 14, 24));
    p.setBrush(QColor(170, 210, 240));
    p.drawRect(QRectF(42, 56, 16, 13));
    p.drawRect(QRectF(92, 56, 16, 13));
    p.setBrush(QColor(60, 120, 50));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(16, 74), 12, 16);
    p.drawEllipse(QPointF(136, 72), 10, 14);
    return img;
}

QImage car()
{
    QImage img = canvas(150, 104);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 104);
    sky.setColorAt(0, QColor(240, 200, 150));
    sky.setColorAt(1, QColor(250, 240, 220));
    p.fillRect(img.rect(), sky);
    p.fillRect(QRect(0, 80, 150, 24), QColor(80, 80, 85));
    p.fillRect(QRect(0, 90, 150, 2), QColor(230, 230, 200));

    QPainterPath body;
    body.moveTo(12, 76);
    body.lineTo(14, 60);
    body.lineTo(40, 56);
    body.lineTo(56, 38);
    body.lineTo(100, 38);
    body.lineTo(118, 56);
    body.lineTo(138, 60);
    body.lineTo(140, 76);
    body.closeSubpath();
    QLinearGradient paint(0, 38, 0, 78);
    paint.setColorAt(0, QColor(220, 40, 40));
    paint.setColorAt(0.5, QColor(170, 20, 20));
    paint.setColorAt(1, QColor(100, 10, 10));
    p.setPen(QPen(QColor(60, 0, 0), 1));
    p.setBrush(paint);
    p.drawPath(body);
    p.setBrush(QColor(180, 215, 240));
    QPainterPath glass;
    glass.moveTo(46, 56);
    glass.lineTo(60, 42);
    glass.lineTo(96, 42);
    glass.lineTo(110, 56);
    glass.closeSubpath();
    p.drawPath(glass);
    p.drawLine(QPointF(78, 42), QPointF(78, 56));
    for (double x : {40.0, 112.0}) {
        QRadialGradient tyre(QPointF(x, 78), 12);
        tyre.setColorAt(0, QColor(160, 160, 160));
        tyre.setColorAt(0.5, QColor(40, 40, 40));
        tyre.setColorAt(1, QColor(10, 10, 10));
        p.setBrush(tyre);
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(x, 78), 11, 11);
    }
    return img;
}

// Balance month by month for $2100 at 17.9 %, first payment $53: the card's
// payment follows the balance (53/2100 of it, whole dollars, at least $15);
// the loan pays $53 every month.
std::vector<double> balances(bool loan)
{
    const double rate = 0.0149167;
    const double ratio = 53.0 / 2100.0;
    std::vector<double> out{2100.0};
    double balance = 2100.0;
    double payment = 53.0;
    while (balance > 0 && out.size() < 400) {
        if (out.size() > 1 && !loan)
            payment = std::max(15.0, std::nearbyint(balance * ratio));
        balance += std::round(balance * rate * 100.0) / 100.0;
        balance -= std::min(payment, balance);
        out.push_back(balance);
    }
    return out;
}

QImage graph()
{
    constexpr int w = 360, h = 280;
    QImage img = canvas(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF plot(52, 34, 290, 200);
    p.fillRect(plot, QColor(248, 248, 240));
    p.setFont(arial(13, true));
    p.setPen(QColor(0, 0, 64));
    p.drawText(QRectF(0, 4, w, 24), Qt::AlignCenter, QStringLiteral("$2100 at 17.9%, first payment $53"));

    const double maxMonths = 192, maxBalance = 2200;
    auto at = [&](double month, double balance) {
        return QPointF(plot.left() + month / maxMonths * plot.width(),
                       plot.bottom() - balance / maxBalance * plot.height());
    };
    p.setFont(arial(10));
    for (int m = 0; m <= 180; m += 36) {
        p.setPen(QColor(210, 210, 210));
        p.drawLine(at(m, 0), at(m, maxBalance));
        p.setPen(Qt::black);
        p.drawText(QRectF(at(m, 0).x() - 20, plot.bottom() + 4, 40, 14), Qt::AlignCenter, QString::number(m));
    }
    for (int b = 0; b <= 2000; b += 500) {
        p.setPen(QColor(210, 210, 210));
        p.drawLine(at(0, b), at(maxMonths, b));
        p.setPen(Qt::black);
        p.drawText(QRectF(0, at(0, b).y() - 7, plot.left() - 4, 14), Qt::AlignRight | Qt::AlignVCenter,
                   QStringLiteral("$%1").arg(b));
    }
    p.setPen(QPen(Qt::black, 1));
    p.drawRect(plot);
    p.drawText(QRectF(plot.left(), plot.bottom() + 20, plot.width(), 16), Qt::AlignCenter,
               QStringLiteral("Months"));

    const struct
    {
        bool loan;
        QColor colour;
        const char* label;
    } lines[] = {{false, QColor(128, 0, 0), "Credit card: 183 months"}, {true, QColor(0, 128, 0), "Loan: 61 months"}};
    int legendY = 44;
    for (const auto& line : lines) {
        const std::vector<double> b = balances(line.loan);
        QPainterPath path(at(0, b[0]));
        for (size_t m = 1; m < b.size(); ++m)
            path.lineTo(at(double(m), b[m]));
        p.setPen(QPen(line.colour, 2.5));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
        p.drawLine(QPointF(170, legendY + 7), QPointF(196, legendY + 7));
        p.setPen(Qt::black);
        p.setFont(arial(11, true));
        p.fillRect(QRectF(200, legendY, 138, 14), QColor(248, 248, 240));
        p.drawText(QRectF(200, legendY, 140, 14), Qt::AlignLeft | Qt::AlignVCenter,
                   QString::fromLatin1(line.label));
        legendY += 16;
    }
    return img;
}

} // namespace

QUENMARK_ARTWORK(ch1_card, "ch1_card.jpg", card);
QUENMARK_ARTWORK(ch1_house, "ch1_house.jpg", house);
QUENMARK_ARTWORK(ch1_car, "ch1_car.jpg", car);
QUENMARK_ARTWORK(ch1_graph, "ch1_graph.png", graph);
