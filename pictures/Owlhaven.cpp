#include "pictures/Owlhaven.h"

#include "common/Look.h"
#include "core/MoneyText.h"
#include "core/SampleCards.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace quenmark {

namespace {

// Colours of the pictured program: a calm blue window with white panels.
const QColor kFrame(54, 84, 130);
const QColor kTitleTop(70, 110, 170);
const QColor kTitleBottom(34, 64, 112);
const QColor kFace(236, 238, 242);
const QColor kEdge(128, 136, 150);
const QColor kInk(30, 36, 48);
const QColor kCaption(70, 80, 96);
const QColor kAccent(226, 146, 40);
const QColor kRowShade(232, 240, 250);

// The window's parts; the tour's zones lie over these.
constexpr std::array<QRect, kOwlhavenPartCount> kParts{{
    {6, 18, 55, 23},    // month selector
    {70, 18, 95, 23},   // strategy selector
    {174, 18, 47, 23},  // extra-money box
    {230, 18, 55, 23},  // plan selector
    {8, 50, 239, 95},   // debt list
    {254, 50, 31, 87},  // button column
    {22, 154, 103, 47}, // "Calculate Plan"
    {166, 154, 103, 47}, // "Print Schedule"
}};

QRectF part(OwlhavenPart p)
{
    return QRectF(kParts[static_cast<std::size_t>(p)]);
}

// A sunken white box with a caption above it (selectors and the amount box).
void field(QPainter& p, const QRectF& r, const QString& caption, const QString& value, bool dropDown)
{
    p.setFont(arialPx(7, true));
    p.setPen(kCaption);
    p.drawText(QRectF(r.left(), r.top(), r.width(), 8), Qt::AlignLeft | Qt::AlignVCenter, caption);
    const QRectF box(r.left(), r.top() + 9, r.width(), r.height() - 9);
    p.setPen(QPen(kEdge, 0.8));
    p.setBrush(Qt::white);
    p.drawRect(box);
    p.setFont(arialPx(8));
    p.setPen(kInk);
    QRectF text = box.adjusted(2, 0, dropDown ? -11 : -2, 0);
    p.drawText(text, (dropDown ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter, value);
    if (dropDown) {
        const QRectF arrow(box.right() - 10, box.top() + 1, 9, box.height() - 2);
        p.setPen(Qt::NoPen);
        p.setBrush(kFace);
        p.drawRect(arrow);
        QPainterPath tri;
        const QPointF c = arrow.center();
        tri.moveTo(c.x() - 2.5, c.y() - 1.2);
        tri.lineTo(c.x() + 2.5, c.y() - 1.2);
        tri.lineTo(c.x(), c.y() + 1.8);
        tri.closeSubpath();
        p.fillPath(tri, kInk);
    }
}

// A raised button face.
void buttonFace(QPainter& p, const QRectF& r, qreal radius)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, Qt::white);
    g.setColorAt(1, QColor(214, 220, 230));
    p.setPen(QPen(kEdge, 0.8));
    p.setBrush(g);
    p.drawRoundedRect(r, radius, radius);
}

void debtList(QPainter& p, const QRectF& r)
{
    p.setPen(QPen(kEdge, 0.8));
    p.setBrush(Qt::white);
    p.drawRect(r);
    const qreal cols[] = {r.left() + 4, r.left() + 70, r.left() + 132, r.left() + 178};
    const qreal widths[] = {62, 56, 38, 56};
    const qreal rowH = 13;
    // Header.
    const QRectF header(r.left() + 0.5, r.top() + 0.5, r.width() - 1, rowH);
    p.fillRect(header, kFrame);
    p.setFont(arialPx(7, true));
    p.setPen(Qt::white);
    const char* heads[] = {"Creditor", "Balance", "APR %", "Payment"};
    for (int c = 0; c < 4; ++c)
        p.drawText(QRectF(cols[c], header.top(), widths[c], rowH), (c == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter,
                   QString::fromLatin1(heads[c]));
    p.setFont(arialPx(8));
    qreal y = header.bottom();
    int i = 0;
    // The sample cards in the order they are paid off.
    for (const int number : kHighestAprFirst) {
        const SampleCard& card = kSampleCards[static_cast<std::size_t>(number - 1)];
        const QRectF line(r.left() + 0.5, y, r.width() - 1, rowH);
        if (i % 2 == 1)
            p.fillRect(line, kRowShade);
        if (i == 0) // the debt being paid first
            p.fillRect(QRectF(line.left(), line.top(), 2.5, line.height()), kAccent);
        p.setPen(kInk);
        const QString cells[] = {
            QStringLiteral("Card %1").arg(card.number), QString::fromStdString(AmountToText(card.balance)),
            QString::number(card.apr, 'f', 1), QString::fromStdString(AmountToText(card.payment))};
        for (int c = 0; c < 4; ++c)
            p.drawText(QRectF(cols[c], y, widths[c], rowH),
                       (c == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter, cells[c]);
        y += rowH;
        ++i;
    }
    // Totals under a rule.
    p.setPen(QPen(kEdge, 0.6));
    p.drawLine(QPointF(r.left() + 3, y + 1.5), QPointF(r.right() - 3, y + 1.5));
    p.setFont(arialPx(8, true));
    p.setPen(kInk);
    p.drawText(QRectF(cols[0], y + 2, widths[0], rowH), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Total"));
    p.drawText(QRectF(cols[1], y + 2, widths[1], rowH), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("7,026.63"));
    p.drawText(QRectF(cols[3], y + 2, widths[3], rowH), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("158.00"));
}

void buttonColumn(QPainter& p, const QRectF& r)
{
    // Four small square buttons: add, edit, remove, move.
    const qreal side = 18;
    const qreal gap = (r.height() - 4 * side) / 3;
    for (int i = 0; i < 4; ++i) {
        const QRectF b(r.left() + (r.width() - side) / 2, r.top() + i * (side + gap), side, side);
        buttonFace(p, b, 2);
        const QPointF c = b.center();
        p.setPen(QPen(i == 2 ? QColor(170, 40, 40) : kFrame, 1.8, Qt::SolidLine, Qt::RoundCap));
        switch (i) {
        case 0: // add
            p.drawLine(QPointF(c.x() - 4, c.y()), QPointF(c.x() + 4, c.y()));
            p.drawLine(QPointF(c.x(), c.y() - 4), QPointF(c.x(), c.y() + 4));
            break;
        case 1: // edit: a pencil
            p.drawLine(QPointF(c.x() - 4, c.y() + 4), QPointF(c.x() + 4, c.y() - 4));
            p.setPen(QPen(kAccent, 1.8, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(c.x() + 2.5, c.y() - 2.5), QPointF(c.x() + 4, c.y() - 4));
            break;
        case 2: // remove
            p.drawLine(QPointF(c.x() - 4, c.y()), QPointF(c.x() + 4, c.y()));
            break;
        default: // move up / down
            p.drawLine(QPointF(c.x(), c.y() - 5), QPointF(c.x(), c.y() + 5));
            p.drawLine(QPointF(c.x() - 3, c.y() - 2), QPointF(c.x(), c.y() - 5));
            p.drawLine(QPointF(c.x() + 3, c.y() - 2), QPointF(c.x(), c.y() - 5));
            p.drawLine(QPointF(c.x() - 3, c.y() + 2), QPointF(c.x(), c.y() + 5));
            p.drawLine(QPointF(c.x() + 3, c.y() + 2), QPointF(c.x(), c.y() + 5));
            break;
        }
    }
}

void bigButton(QPainter& p, const QRectF& r, const QString& words, bool calculate)
{
    buttonFace(p, r, 4);
    // Icon on the left.
    const QRectF icon(r.left() + 8, r.center().y() - 11, 22, 22);
    if (calculate) {
        p.setPen(QPen(kFrame, 1));
        p.setBrush(QColor(200, 214, 236));
        p.drawRoundedRect(icon, 2, 2);
        p.setBrush(QColor(90, 160, 90));
        p.drawRect(QRectF(icon.left() + 3, icon.top() + 3, 16, 5));
        p.setBrush(Qt::white);
        for (int row = 0; row < 2; ++row)
            for (int col = 0; col < 3; ++col)
                p.drawRect(QRectF(icon.left() + 3 + col * 5.5, icon.top() + 10.5 + row * 5, 4, 3.5));
    } else {
        p.setPen(QPen(kFrame, 1));
        p.setBrush(QColor(200, 214, 236));
        p.drawRect(QRectF(icon.left(), icon.top() + 7, 22, 10));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(icon.left() + 4, icon.top() + 1, 14, 7));
        p.drawRect(QRectF(icon.left() + 4, icon.top() + 14, 14, 8));
        p.setPen(QPen(kEdge, 0.6));
        p.drawLine(QPointF(icon.left() + 6, icon.top() + 17), QPointF(icon.left() + 16, icon.top() + 17));
        p.drawLine(QPointF(icon.left() + 6, icon.top() + 19.5), QPointF(icon.left() + 14, icon.top() + 19.5));
    }
    p.setFont(arialPx(9, true));
    p.setPen(kInk);
    p.drawText(QRectF(icon.right() + 4, r.top(), r.right() - icon.right() - 8, r.height()),
               Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, words);
}

void owl(QPainter& p, const QRectF& r)
{
    // A round owl: body, two big eyes, beak, ear tufts.
    const QPointF c = r.center();
    const qreal s = r.height();
    QPainterPath body;
    body.addEllipse(QRectF(c.x() - 0.42 * s, c.y() - 0.36 * s, 0.84 * s, 0.82 * s));
    QPainterPath ears;
    ears.moveTo(c.x() - 0.36 * s, c.y() - 0.22 * s);
    ears.lineTo(c.x() - 0.40 * s, c.y() - 0.50 * s);
    ears.lineTo(c.x() - 0.14 * s, c.y() - 0.32 * s);
    ears.moveTo(c.x() + 0.36 * s, c.y() - 0.22 * s);
    ears.lineTo(c.x() + 0.40 * s, c.y() - 0.50 * s);
    ears.lineTo(c.x() + 0.14 * s, c.y() - 0.32 * s);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(120, 86, 52));
    g.setColorAt(1, QColor(78, 52, 30));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(body.united(ears));
    for (int side : {-1, 1}) {
        const QPointF eye(c.x() + side * 0.19 * s, c.y() - 0.06 * s);
        p.setBrush(QColor(250, 236, 200));
        p.drawEllipse(eye, 0.16 * s, 0.16 * s);
        p.setBrush(kAccent);
        p.drawEllipse(eye, 0.09 * s, 0.09 * s);
        p.setBrush(QColor(20, 20, 20));
        p.drawEllipse(eye, 0.045 * s, 0.045 * s);
    }
    QPainterPath beak;
    beak.moveTo(c.x() - 0.05 * s, c.y() + 0.08 * s);
    beak.lineTo(c.x() + 0.05 * s, c.y() + 0.08 * s);
    beak.lineTo(c.x(), c.y() + 0.19 * s);
    beak.closeSubpath();
    p.setBrush(kAccent);
    p.drawPath(beak);
}

// Scales the painter so that `design` pixels fill `target`.
void fitTo(QPainter& p, const QRectF& target, QSize design)
{
    p.translate(target.topLeft());
    p.scale(target.width() / design.width(), target.height() / design.height());
}

} // namespace

const std::array<QRect, kOwlhavenPartCount>& OwlhavenPartRects()
{
    static const std::array<QRect, kOwlhavenPartCount> parts = kParts;
    return parts;
}

void PaintOwlhavenLogo(QPainter& p, const QRectF& target)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    fitTo(p, target, kOwlhavenLogoSize);
    owl(p, QRectF(2, 4, 52, 50));
    p.setFont(arialPx(38, true));
    p.setPen(kTitleBottom);
    p.drawText(QRectF(60, 0, 260, 40), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Owlhaven"));
    p.setFont(arialPx(13, true));
    p.setPen(kAccent);
    p.drawText(QRectF(62, 38, 310, 16), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Rapid Debt Reduction Software"));
    // Four falling bars with an arrow over them: a debt going down.
    const qreal heights[] = {40, 30, 19, 9};
    for (int i = 0; i < 4; ++i) {
        const QRectF bar(292 + i * 19, 50 - heights[i], 13, heights[i]);
        QLinearGradient g(bar.topLeft(), bar.topRight());
        g.setColorAt(0, kTitleTop);
        g.setColorAt(1, kTitleBottom);
        p.fillRect(bar, g);
    }
    p.setPen(QPen(kAccent, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(290, 4), QPointF(362, 32));
    p.drawLine(QPointF(362, 32), QPointF(351, 34));
    p.drawLine(QPointF(362, 32), QPointF(355, 23));
    p.restore();
}

void PaintOwlhavenScreen(QPainter& p, const QRectF& target)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    fitTo(p, target, kOwlhavenScreenSize);
    const QRectF all(0, 0, kOwlhavenScreenSize.width(), kOwlhavenScreenSize.height());

    // Window frame, face and title bar.
    p.fillRect(all, kFrame);
    p.fillRect(all.adjusted(2, 13, -2, -2), kFace);
    QLinearGradient title(0, 0, 0, 13);
    title.setColorAt(0, kTitleTop);
    title.setColorAt(1, kTitleBottom);
    p.fillRect(QRectF(0, 0, all.width(), 13), title);
    owl(p, QRectF(3, 1.5, 11, 11));
    p.setFont(arialPx(8, true));
    p.setPen(Qt::white);
    p.drawText(QRectF(17, 0, 200, 13), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Owlhaven - My Debt Plan"));
    for (int i = 0; i < 3; ++i) {
        const QRectF b(all.width() - 36 + i * 11, 2.5, 9, 8);
        p.setPen(QPen(QColor(220, 228, 240), 0.8));
        p.setBrush(i == 2 ? QColor(190, 70, 60) : kTitleTop);
        p.drawRect(b);
    }

    // The row of selectors and the amount box.
    field(p, part(OwlhavenPart::MonthSelector), QStringLiteral("Start Month"), QStringLiteral("Jan 2025"), true);
    field(p, part(OwlhavenPart::StrategySelector), QStringLiteral("Strategy"), QStringLiteral("Highest Rate First"),
          true);
    field(p, part(OwlhavenPart::ExtraMoneyBox), QStringLiteral("Extra $"), QStringLiteral("50.00"), false);
    field(p, part(OwlhavenPart::PlanSelector), QStringLiteral("Plan"), QStringLiteral("Plan A"), true);

    debtList(p, part(OwlhavenPart::DebtList));
    buttonColumn(p, part(OwlhavenPart::ButtonColumn));
    bigButton(p, part(OwlhavenPart::CalculateButton), QStringLiteral("Calculate Plan"), true);
    bigButton(p, part(OwlhavenPart::ScheduleButton), QStringLiteral("Print Schedule"), false);

    // Status line.
    const QRectF status(2, all.height() - 13, all.width() - 4, 11);
    p.fillRect(status, QColor(220, 224, 232));
    p.setFont(arialPx(7));
    p.setPen(kCaption);
    p.drawText(status.adjusted(4, 0, -4, 0), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("5 debts    Debt free in 47 months"));
    p.restore();
}

OwlhavenPicture::OwlhavenPicture(Kind kind, QWidget* parent)
    : QWidget(parent)
    , m_kind(kind)
{
    resize(sizeHint());
}

QSize OwlhavenPicture::sizeHint() const
{
    return m_kind == Kind::Logo ? kOwlhavenLogoSize : kOwlhavenScreenSize;
}

void OwlhavenPicture::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (m_kind == Kind::Logo)
        PaintOwlhavenLogo(p, rect());
    else
        PaintOwlhavenScreen(p, rect());
}

} // namespace quenmark
