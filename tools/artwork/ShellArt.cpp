// The shell's artwork: the product-name picture of the splash screen, the award
// and edition badges, the goodbye signature, the small icons of the stand-by
// screen and the update reminder, and the program icon.
#include "Artwork.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>
#include <cmath>

namespace {

const QColor kNavy(0, 64, 128);
const QColor kMaroon(128, 0, 0);
const QColor kGold(212, 170, 40);

QFont arial(int px, bool bold = true, bool italic = false)
{
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(px);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

QImage canvas(int w, int h, const QColor& fill)
{
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(fill);
    return img;
}

// A stack of three cards, used in the splash picture and the icon.
void drawCards(QPainter& p, const QRectF& box)
{
    const QColor colours[] = {QColor(0, 128, 128), kMaroon, kNavy};
    for (int i = 0; i < 3; ++i) {
        p.save();
        p.translate(box.center());
        p.rotate(-14 + 12 * i);
        const QRectF card(-box.width() / 2, -box.height() / 2, box.width(), box.height());
        p.setPen(QPen(Qt::black, qMax(1.0, box.width() / 80)));
        p.setBrush(colours[i]);
        p.drawRoundedRect(card, box.width() / 14, box.width() / 14);
        p.setPen(Qt::NoPen);
        p.setBrush(kGold);
        p.drawRoundedRect(QRectF(card.left() + card.width() * 0.1, card.top() + card.height() * 0.32,
                                 card.width() * 0.18, card.height() * 0.22),
                          2, 2);
        p.setBrush(QColor(255, 255, 255, 160));
        p.drawRect(QRectF(card.left() + card.width() * 0.1, card.top() + card.height() * 0.7,
                          card.width() * 0.7, card.height() * 0.07));
        p.restore();
    }
}

QImage splashName()
{
    QImage img = canvas(307, 239, Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    drawCards(p, QRectF(103, 14, 100, 64));
    // The name, with a soft shadow.
    p.setFont(arial(52));
    const QRect nameRect(0, 96, 307, 70);
    p.setPen(QColor(180, 190, 210));
    p.drawText(nameRect.translated(3, 3), Qt::AlignCenter, QStringLiteral("Quenmark"));
    p.setPen(kNavy);
    p.drawText(nameRect, Qt::AlignCenter, QStringLiteral("Quenmark"));
    p.setPen(QPen(kMaroon, 3));
    p.drawLine(40, 170, 267, 170);
    p.setFont(arial(17, true, true));
    p.setPen(kMaroon);
    p.drawText(QRect(0, 178, 307, 26), Qt::AlignCenter, QStringLiteral("Credit Card Debt Tutorial"));
    p.setFont(arial(13, false));
    p.setPen(Qt::black);
    p.drawText(QRect(0, 206, 307, 22), Qt::AlignCenter, QStringLiteral("how debt grows and how it is paid off"));
    return img;
}

QImage awardBadge()
{
    QImage img = canvas(84, 84, Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // Rosette edge.
    QPainterPath star;
    const QPointF c(42, 42);
    for (int i = 0; i < 48; ++i) {
        const double r = (i % 2) ? 37.5 : 41.5;
        const double a = i * M_PI / 24;
        const QPointF pt(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
        if (i == 0)
            star.moveTo(pt);
        else
            star.lineTo(pt);
    }
    star.closeSubpath();
    p.setPen(QPen(QColor(120, 90, 10), 1));
    p.setBrush(kGold);
    p.drawPath(star);
    QRadialGradient g(c, 34, QPointF(34, 32));
    g.setColorAt(0, QColor(250, 230, 150));
    g.setColorAt(1, QColor(200, 150, 30));
    p.setBrush(g);
    p.drawEllipse(c, 34, 34);
    // The inner ring, wide enough that the three words sit inside it with room
    // to spare: each line is centred on the badge and kept clear of the ring.
    constexpr double kRing = 30;
    p.setPen(QPen(kMaroon, 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, kRing, kRing);
    p.setPen(kMaroon);
    struct Line
    {
        const char* word;
        int px;
        double centreY; // of the line, from the badge's centre
    };
    const Line lines[] = {{"AWARD", 10, -12}, {"OF", 9, 0}, {"MERIT", 10, 12}};
    for (const Line& line : lines) {
        const QString word = QString::fromLatin1(line.word);
        // The largest size up to the line's own at which the word clears the
        // ring by 2 pixels at each end (half the ring's chord at the line's
        // farther edge, less the pen).
        QFont font = arial(line.px);
        for (;;) {
            const QFontMetricsF m(font);
            const double edge = std::abs(line.centreY) + m.capHeight() / 2;
            const double halfChord = std::sqrt(kRing * kRing - edge * edge) - 1;
            if (m.horizontalAdvance(word) / 2 + 2 <= halfChord || font.pixelSize() <= 6)
                break;
            font.setPixelSize(font.pixelSize() - 1);
        }
        p.setFont(font);
        const QFontMetricsF metrics(font);
        const double width = metrics.horizontalAdvance(word);
        const double baseline = c.y() + line.centreY + metrics.capHeight() / 2;
        p.drawText(QPointF(c.x() - width / 2, baseline), word);
    }
    return img;
}

QImage editionBadge()
{
    QImage img = canvas(134, 88, QColor(192, 192, 192));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    // A gold frame around a navy field.
    QLinearGradient frame(0, 0, 134, 88);
    frame.setColorAt(0, QColor(245, 215, 110));
    frame.setColorAt(1, QColor(150, 110, 20));
    p.fillRect(QRect(0, 0, 134, 88), frame);
    QLinearGradient field(0, 6, 0, 82);
    field.setColorAt(0, QColor(20, 60, 130));
    field.setColorAt(1, QColor(0, 20, 70));
    p.fillRect(QRect(6, 6, 122, 76), field);
    p.setPen(QColor(245, 215, 110));
    p.drawRect(QRectF(8.5, 8.5, 117, 71));
    p.setFont(arial(14));
    p.drawText(QRect(6, 12, 122, 18), Qt::AlignCenter, QStringLiteral("Anniversary"));
    p.setFont(arial(14));
    p.drawText(QRect(6, 29, 122, 18), Qt::AlignCenter, QStringLiteral("Edition"));
    p.setPen(Qt::white);
    p.setFont(arial(18));
    p.drawText(QRect(6, 50, 122, 24), Qt::AlignCenter, QStringLiteral("Quenmark"));
    return img;
}

QImage signature()
{
    QImage img = canvas(170, 44, Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    // A hand-drawn looking flourish under slanted initials.
    path.moveTo(6, 34);
    path.cubicTo(14, 4, 22, 4, 24, 30);
    path.cubicTo(26, 6, 36, 4, 40, 30);
    path.cubicTo(44, 40, 52, 20, 58, 26);
    path.cubicTo(62, 32, 66, 18, 74, 24);
    path.cubicTo(80, 30, 86, 8, 92, 14);
    path.cubicTo(96, 20, 92, 34, 100, 30);
    path.cubicTo(108, 26, 112, 18, 120, 24);
    path.cubicTo(128, 30, 134, 20, 140, 22);
    path.cubicTo(150, 26, 158, 36, 166, 30);
    p.setPen(QPen(QColor(10, 30, 110), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
    p.drawLine(QPointF(20, 40), QPointF(150, 38));
    return img;
}

QImage hourglassIcon()
{
    QImage img = canvas(32, 32, Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::white, 2));
    p.drawLine(7, 3, 25, 3);
    p.drawLine(7, 29, 25, 29);
    QPainterPath glass;
    glass.moveTo(9, 4);
    glass.lineTo(23, 4);
    glass.lineTo(17, 16);
    glass.lineTo(23, 28);
    glass.lineTo(9, 28);
    glass.lineTo(15, 16);
    glass.closeSubpath();
    p.setPen(QPen(Qt::white, 1.5));
    p.setBrush(QColor(255, 255, 255, 60));
    p.drawPath(glass);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(240, 200, 80));
    QPolygonF sand;
    sand << QPointF(11, 27) << QPointF(21, 27) << QPointF(16, 20);
    p.drawPolygon(sand);
    p.drawRect(QRectF(15.3, 16, 1.4, 6));
    return img;
}

QImage reminderIcon()
{
    QImage img = canvas(32, 32, Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // A calendar page with an exclamation mark.
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 6.5, 23, 22));
    p.setBrush(kMaroon);
    p.drawRect(QRectF(4.5, 6.5, 23, 6));
    p.setBrush(Qt::black);
    p.drawRect(QRectF(9, 3, 2, 6));
    p.drawRect(QRectF(21, 3, 2, 6));
    p.setPen(Qt::NoPen);
    p.setBrush(kMaroon);
    p.drawRect(QRectF(14.5, 14, 3, 9));
    p.drawEllipse(QPointF(16, 25.5), 1.7, 1.7);
    return img;
}

QImage programIcon()
{
    QImage img = canvas(128, 128, Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    QLinearGradient bg(0, 0, 0, 128);
    bg.setColorAt(0, QColor(30, 90, 160));
    bg.setColorAt(1, QColor(0, 40, 90));
    p.setBrush(bg);
    p.drawRoundedRect(QRectF(4, 4, 120, 120), 20, 20);
    drawCards(p, QRectF(26, 20, 76, 48));
    p.setFont(arial(64));
    p.setPen(Qt::white);
    p.drawText(QRect(0, 58, 128, 66), Qt::AlignCenter, QStringLiteral("Q"));
    return img;
}

} // namespace

QUENMARK_ARTWORK(splash_name, "splash_name.png", splashName);
QUENMARK_ARTWORK(award_badge, "award_badge.png", awardBadge);
QUENMARK_ARTWORK(edition_badge, "edition_badge.jpg", editionBadge);
QUENMARK_ARTWORK(goodbye_signature, "goodbye_signature.png", signature);
QUENMARK_ARTWORK(standby_icon, "standby_icon.png", hourglassIcon);
QUENMARK_ARTWORK(stale_icon, "stale_icon.png", reminderIcon);
QUENMARK_ARTWORK(program_icon, "quenmark.png", programIcon);
