#include "planner/BalanceChart.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <algorithm>
#include <cmath>

#include "common/Layout.h"
#include "core/MoneyText.h"
#include "core/Payoff.h"
#include "planner/ScheduleModel.h"

namespace quenmark {

namespace {

constexpr double kLeft = 78, kRight = 170, kTop = 34, kBottom = 44;

// An amount on the amount axis: whole dollars.
QString AxisText(double amount)
{
    return QLatin1Char('$') + QString::fromStdString(AmountToText(amount)).section(QLatin1Char('.'), 0, 0);
}

QString Money(double v)
{
    return QLatin1Char('$') + QString::fromStdString(AmountToText(v));
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
inline QRgb Blend(QRgb pixel, QRgb colour, unsigned alpha)
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

} // namespace

BalanceChart::BalanceChart(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("BalanceChart"));
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName(tr("Balance chart"));
}

QColor BalanceChart::cardColour(std::size_t k)
{
    static const QColor colours[] = {
        {0, 255, 255}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 0}, // the pie slices
        colour::teal, colour::maroon, colour::green, {128, 0, 128}, {128, 128, 0}, {0, 0, 128}, {255, 128, 0},
    };
    return colours[k % std::size(colours)];
}

void BalanceChart::setPlan(std::shared_ptr<const PlanResult> plan, std::vector<std::size_t> priority,
                           std::vector<double> start, QStringList names, QDate firstMonth)
{
    m_plan = std::move(plan);
    m_priority = std::move(priority);
    m_names = std::move(names);
    m_firstMonth = firstMonth;
    m_cards = start.size();
    m_months = m_plan ? m_plan->months : 0;
    const auto stride = m_cards;
    m_balance.assign(static_cast<std::size_t>(m_months + 1) * stride, 0.0);
    std::copy(start.begin(), start.end(), m_balance.begin());
    if (m_plan)
        for (const PlanRow& r : m_plan->schedule.rows())
            if (r.month <= m_months && static_cast<std::size_t>(r.card) < stride)
                m_balance[static_cast<std::size_t>(r.month) * stride + static_cast<std::size_t>(r.card)] = FromCents(r.balance);
    m_total.assign(static_cast<std::size_t>(m_months + 1), 0.0);
    double highest = 0;
    for (int m = 0; m <= m_months; ++m) {
        double t = 0;
        for (std::size_t c = 0; c < stride; ++c)
            t += m_balance[static_cast<std::size_t>(m) * stride + c];
        m_total[static_cast<std::size_t>(m)] = t;
        highest = std::max(highest, t);
    }
    m_yStep = highest > 0 ? NiceStep(highest, 5) : 1;
    m_yTop = highest > 0 ? std::ceil(highest / m_yStep) * m_yStep : 1;
    m_layerValid = false;
    if (m_cursor > m_months || m_months == 0)
        m_cursor = -1;
    updateSummary();
    if (m_cursor >= 0)
        setCursorMonth(m_cursor);
    update();
}

double BalanceChart::balanceAt(int month, std::size_t card) const
{
    if (month < 0 || month > m_months || card >= m_cards)
        return 0;
    return m_balance[static_cast<std::size_t>(month) * m_cards + card];
}

double BalanceChart::totalAt(int month) const
{
    if (month < 0 || month > m_months)
        return 0;
    return m_total[static_cast<std::size_t>(month)];
}

void BalanceChart::updateSummary()
{
    QString summary;
    if (m_cards == 0 || m_total.empty() || m_total[0] <= 0) {
        summary = tr("No balances to show.");
    } else {
        summary = (m_months == 1 ? tr("The total owed goes from %1 to %2 in 1 month.")
                                 : tr("The total owed goes from %1 to %2 over %3 months."))
                      .arg(Money(m_total[0]), Money(m_total.back()), QString::number(m_months));
        for (std::size_t k = 0; k < m_priority.size(); ++k) {
            const std::size_t i = m_priority[k];
            const int month = m_plan && i < m_plan->cards.size() ? m_plan->cards[i].payoffMonth : 0;
            if (month > 0)
                summary += QLatin1Char(' ') + tr("%1 is paid off in month %2.").arg(m_names.value(static_cast<int>(i)), QString::number(month));
        }
    }
    // Told to a screen reader only when it changes.
    if (accessibleDescription() != summary)
        setAccessibleDescription(summary);
    if (m_cursor < 0 && accessibleName() != tr("Balance chart"))
        setAccessibleName(tr("Balance chart"));
}

QRectF BalanceChart::plotRect() const
{
    // Room on the left for the widest amount on the axis.
    const double left = std::max(kLeft, fontMetrics().horizontalAdvance(AxisText(m_yTop)) + 16.0);
    return QRectF(left, kTop, std::max(10.0, width() - left - kRight), std::max(10.0, height() - kTop - kBottom));
}

QPoint BalanceChart::pointFor(int month, double amount) const
{
    const QRectF p = plotRect();
    const double x = p.left() + p.width() * (m_months > 0 ? static_cast<double>(month) / m_months : 0);
    const double y = p.bottom() - p.height() * amount / m_yTop;
    return QPointF(x, y).toPoint();
}

int BalanceChart::monthAtX(double x) const
{
    const QRectF p = plotRect();
    if (m_months <= 0)
        return -1;
    const double m = std::round((x - p.left()) / p.width() * m_months);
    return static_cast<int>(std::clamp(m, 0.0, static_cast<double>(m_months)));
}

int BalanceChart::cardAt(int month, double amount) const
{
    double below = 0;
    for (std::size_t i : m_priority) {
        const double b = balanceAt(month, i);
        if (b > 0 && amount >= below && amount <= below + b)
            return static_cast<int>(i);
        below += b;
    }
    return -1;
}

void BalanceChart::setCursorMonth(int month, int cardUnderPointer)
{
    if (m_months <= 0 || month < 0) {
        m_cursor = -1;
        m_readout.clear();
        setAccessibleName(tr("Balance chart"));
        update();
        return;
    }
    m_cursor = std::min(month, m_months);
    const QString when = m_cursor == 0 ? tr("Today") : tr("Month %1 (%2)").arg(QString::number(m_cursor), PlanMonthText(m_firstMonth, m_cursor));
    m_readout = tr("%1: %2 owed in all").arg(when, Money(totalAt(m_cursor)));
    int card = cardUnderPointer;
    if (card < 0) // the card the snowball goes to: the first one still owing
        for (std::size_t i : m_priority)
            if (balanceAt(m_cursor, i) > 0) {
                card = static_cast<int>(i);
                break;
            }
    if (card >= 0)
        m_readout += tr("; %1 owes %2").arg(m_names.value(card), Money(balanceAt(m_cursor, static_cast<std::size_t>(card))));
    setAccessibleName(m_readout);
    update();
}

void BalanceChart::mouseMoveEvent(QMouseEvent* event)
{
    const QRectF p = plotRect();
    const QPointF pos = event->position();
    if (!p.adjusted(-4, -4, 4, 4).contains(pos) || m_months <= 0) {
        if (m_cursor >= 0)
            setCursorMonth(-1);
        return;
    }
    const int month = monthAtX(pos.x());
    const double amount = (p.bottom() - pos.y()) / p.height() * m_yTop;
    setCursorMonth(month, cardAt(month, amount));
}

void BalanceChart::leaveEvent(QEvent* event)
{
    if (!hasFocus())
        setCursorMonth(-1);
    QWidget::leaveEvent(event);
}

void BalanceChart::keyPressEvent(QKeyEvent* event)
{
    if (m_months <= 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    const int now = m_cursor < 0 ? 0 : m_cursor;
    int to = -2;
    switch (event->key()) {
    case Qt::Key_Right:
        to = m_cursor < 0 ? 0 : now + 1;
        break;
    case Qt::Key_Left:
        to = m_cursor < 0 ? 0 : now - 1;
        break;
    case Qt::Key_PageDown:
        to = now + 12;
        break;
    case Qt::Key_PageUp:
        to = now - 12;
        break;
    case Qt::Key_Home:
        to = 0;
        break;
    case Qt::Key_End:
        to = m_months;
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    setCursorMonth(std::clamp(to, 0, m_months));
}

// The plot's grid, the bands (the card paid first at the bottom) and their
// rims, in the pixels of the screen. Each band fills, column by column, the
// pixels whose centres lie between its lower and upper edge (as a polygon is
// filled without antialiasing); its upper edge is then drawn smooth in the
// band's colour at half brightness (the pies' rims), one pixel wide on the
// screen's scale.
void BalanceChart::paintLayer(const QRectF& plot)
{
    m_layer.fill(colour::lightGrey);
    {
        QPainter p(&m_layer);
        p.translate(-plot.topLeft());
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(QPen(QColor(190, 190, 190), 1));
        for (double v = 0; v <= m_yTop + m_yStep / 2; v += m_yStep) {
            const double y = plot.bottom() - plot.height() * v / m_yTop;
            p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        }
    }

    // The upper edge of every band at every month, in the layer's pixels.
    const qreal ratio = m_layer.devicePixelRatio();
    const std::size_t bands = m_priority.size(), points = static_cast<std::size_t>(m_months) + 1;
    const double height = plot.height() * ratio, step = plot.width() * ratio / m_months;
    std::vector<double> edge(bands * points);
    for (std::size_t m = 0; m < points; ++m) {
        double owed = 0;
        for (std::size_t k = 0; k < bands; ++k) {
            owed += balanceAt(static_cast<int>(m), m_priority[k]);
            edge[k * points + m] = height - height * owed / m_yTop;
        }
    }

    const int w = m_layer.width(), h = m_layer.height();
    const qsizetype stride = m_layer.bytesPerLine() / 4;
    QRgb* const bits = reinterpret_cast<QRgb*>(m_layer.bits());
    std::vector<QRgb> fill(bands);
    for (std::size_t k = 0; k < bands; ++k)
        fill[k] = cardColour(k).rgb();
    for (int c = 0; c < w; ++c) {
        const double at = (c + 0.5) / step;
        const auto m = std::min(static_cast<std::size_t>(at), points - 2);
        const double f = at - static_cast<double>(m);
        double below = height;
        for (std::size_t k = 0; k < bands; ++k) {
            const double* e = &edge[k * points + m];
            const double top = e[0] + (e[1] - e[0]) * f;
            // The rows whose centres lie in [top, below).
            const int from = std::max(0, static_cast<int>(std::ceil(top - 0.5)));
            const int to = std::min(h, static_cast<int>(std::ceil(below - 0.5)));
            for (int r = from; r < to; ++r)
                bits[r * stride + c] = fill[k];
            below = std::min(below, top);
        }
    }

    for (std::size_t k = 0; k < bands; ++k) {
        // Once the card is paid off its band has no height: its rim ends there.
        const std::size_t card = m_priority[k];
        int last = m_months;
        while (last > 0 && balanceAt(last - 1, card) <= 0)
            --last;
        QPolygonF rim(last + 1);
        for (int m = 0; m <= last; ++m)
            rim[m] = QPointF(step * m, edge[k * points + static_cast<std::size_t>(m)]);
        const QColor c = cardColour(k);
        DrawRim(m_layer, rim, qRgb(c.red() / 2, c.green() / 2, c.blue() / 2), ratio);
    }
}

void BalanceChart::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), colour::white);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF plot = plotRect();

    QFont titleFont = font();
    titleFont.setBold(true);
    p.setFont(titleFont);
    p.setPen(colour::black);
    p.drawText(QRectF(plot.left(), 6, plot.width(), 22), Qt::AlignLeft | Qt::AlignVCenter,
               tr("What each card owes, month by month"));

    p.setFont(font());

    if (m_months <= 0 || m_total.empty() || m_total[0] <= 0) {
        p.fillRect(plot, colour::lightGrey);
        p.setPen(colour::maroon);
        p.drawText(plot, Qt::AlignCenter | Qt::TextWordWrap,
                   m_cards == 0 ? tr("Add your cards to see their balances here.") : tr("Nothing is owed."));
        return;
    }

    // The amount axis; the grid, the bands and their rims lie in the plot's layer.
    const QFontMetrics fm(font());
    p.setPen(colour::black);
    for (double v = 0; v <= m_yTop + m_yStep / 2; v += m_yStep) {
        const double y = plot.bottom() - plot.height() * v / m_yTop;
        p.drawText(QRectF(0, y - 10, plot.left() - 8, 20), Qt::AlignRight | Qt::AlignVCenter, AxisText(v));
    }
    // The screen's pixel density, or that of the picture the chart is rendered into.
    const qreal ratio = std::max(p.device()->devicePixelRatioF(), p.paintEngine()->paintDevice()->devicePixelRatioF());
    const QSize layerSize = (plot.size() * ratio).toSize();
    if (m_layer.size() != layerSize || m_layer.devicePixelRatio() != ratio) {
        m_layer = QImage(layerSize, QImage::Format_ARGB32_Premultiplied);
        m_layer.setDevicePixelRatio(ratio);
        m_layerValid = false;
    }
    if (!m_layerValid) {
        paintLayer(plot);
        m_layerValid = true;
    }
    p.drawImage(plot.topLeft(), m_layer);
    const double dx = plot.width() / m_months;

    // The axes and the month ticks, as on the lesson charts.
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    p.setBrush(colour::black);
    p.drawRect(QRectF(plot.left() - 3, plot.top(), 3, plot.height() + 3));
    p.drawRect(QRectF(plot.left() - 3, plot.bottom(), plot.width() + 3, 3));
    const int step = MonthStep(m_months);
    p.setPen(colour::black);
    for (int m = step; m <= m_months; m += step) {
        const double x = plot.left() + dx * m;
        p.fillRect(QRectF(x - 1, plot.bottom() + 3, 3, 6), colour::black);
        p.drawText(QRectF(x - 30, plot.bottom() + 9, 60, fm.height()), Qt::AlignHCenter | Qt::AlignTop,
                   QString::number(m));
    }
    QFont caption = font();
    caption.setBold(true);
    p.setFont(caption);
    p.setPen(colour::maroon);
    p.drawText(QRectF(plot.left(), plot.bottom() + 10 + fm.height(), plot.width(), fm.height() + 4),
               Qt::AlignHCenter | Qt::AlignTop, tr("Months"));
    p.setFont(font());

    // The legend: one swatch per card in payoff order, as many as fit.
    const double lx = plot.right() + 14;
    double ly = plot.top();
    const double lineHeight = std::max(16, fm.height() + 2);
    for (std::size_t k = 0; k < m_priority.size(); ++k) {
        if (ly + 2 * lineHeight > height() - 4 && k + 1 < m_priority.size()) {
            p.setPen(colour::black);
            p.drawText(QRectF(lx, ly, kRight - 20, lineHeight), Qt::AlignLeft | Qt::AlignVCenter,
                       tr("and %1 more").arg(m_priority.size() - k));
            break;
        }
        const QColor c = cardColour(k);
        p.fillRect(QRectF(lx, ly + 3, 18, lineHeight - 6), c);
        p.setPen(QColor(c.red() / 2, c.green() / 2, c.blue() / 2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(lx, ly + 3, 18, lineHeight - 6));
        p.setPen(colour::black);
        p.drawText(QRectF(lx + 24, ly, kRight - 44, lineHeight), Qt::AlignLeft | Qt::AlignVCenter,
                   fm.elidedText(m_names.value(static_cast<int>(m_priority[k])), Qt::ElideRight, static_cast<int>(kRight - 44)));
        ly += lineHeight;
    }

    // The read-out month.
    if (m_cursor >= 0) {
        const double x = plot.left() + dx * m_cursor;
        p.setPen(QPen(colour::darkBlue, 1, Qt::DashLine));
        p.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        // As much of the read-out as the plot's width takes (a screen reader gets it all).
        const QString text = fm.elidedText(m_readout, Qt::ElideRight, std::max(40, static_cast<int>(plot.width()) - 24));
        const QRectF box = fm.boundingRect(text).adjusted(-6, -3, 6, 3);
        QRectF at(plot.left() + 6, plot.top() + 6, box.width(), box.height());
        if (at.right() > width() - 4)
            at.moveRight(width() - 4);
        p.fillRect(at, colour::darkBlue);
        p.setPen(colour::white);
        p.drawText(at, Qt::AlignCenter, text);
    }

    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect().adjusted(1, 1, -1, -1);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &p, this);
    }
}

} // namespace quenmark
