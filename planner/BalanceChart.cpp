#include "planner/BalanceChart.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <algorithm>
#include <cmath>

#include "common/Layout.h"
#include "core/Strstuff.h"
#include "planner/ScheduleModel.h"

namespace quenmark {

namespace {

constexpr double kLeft = 78, kRight = 170, kTop = 34, kBottom = 44;

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

void BalanceChart::setPlan(std::shared_ptr<const SnowballPlan> plan, std::vector<std::size_t> priority,
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
        for (const SnowballRow& r : m_plan->schedule)
            if (r.month <= m_months && static_cast<std::size_t>(r.card) < stride)
                m_balance[static_cast<std::size_t>(r.month) * stride + static_cast<std::size_t>(r.card)] = r.balance;
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
            const int month = m_plan && i < m_plan->payoffMonth.size() ? m_plan->payoffMonth[i] : 0;
            if (month > 0)
                summary += QLatin1Char(' ') + tr("%1 is paid off in month %2.").arg(m_names.value(static_cast<int>(i)), QString::number(month));
        }
    }
    setAccessibleDescription(summary);
    if (m_cursor < 0)
        setAccessibleName(tr("Balance chart"));
}

QRectF BalanceChart::plotRect() const
{
    return QRectF(kLeft, kTop, std::max(10.0, width() - kLeft - kRight), std::max(10.0, height() - kTop - kBottom));
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

    p.fillRect(plot, colour::lightGrey);
    p.setFont(font());

    if (m_months <= 0 || m_total.empty() || m_total[0] <= 0) {
        p.setPen(colour::maroon);
        p.drawText(plot, Qt::AlignCenter | Qt::TextWordWrap,
                   m_cards == 0 ? tr("Add your cards to see their balances here.") : tr("Nothing is owed."));
        return;
    }

    // The grid and the amount axis.
    const QFontMetrics fm(font());
    p.setPen(QPen(QColor(180, 180, 180), 1));
    for (double v = 0; v <= m_yTop + m_yStep / 2; v += m_yStep) {
        const double y = plot.bottom() - plot.height() * v / m_yTop;
        p.setPen(QPen(QColor(190, 190, 190), 1));
        p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        p.setPen(colour::black);
        p.drawText(QRectF(0, y - 10, plot.left() - 8, 20), Qt::AlignRight | Qt::AlignVCenter,
                   QLatin1Char('$') + QString::fromStdString(AmountToText(v)).section(QLatin1Char('.'), 0, 0));
    }

    // The bands, the card paid first at the bottom, each filled between its
    // lower and upper edge without antialiasing (fifty cards over decades stay
    // quick to paint), then the upper edges drawn smooth in the colours at half
    // brightness (the pies' rims).
    const double dx = plot.width() / m_months;
    auto y = [&](double amount) { return plot.bottom() - plot.height() * amount / m_yTop; };
    std::vector<double> below(static_cast<std::size_t>(m_months + 1), 0.0);
    QPolygonF lower;
    lower.reserve(m_months + 1);
    for (int m = 0; m <= m_months; ++m)
        lower << QPointF(plot.left() + dx * m, plot.bottom());
    std::vector<QPolygonF> edges(m_priority.size());
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    for (std::size_t k = 0; k < m_priority.size(); ++k) {
        const std::size_t card = m_priority[k];
        // Once the card is paid off its band has no height: draw it up to there.
        int last = m_months;
        while (last > 0 && balanceAt(last - 1, card) <= 0)
            --last;
        QPolygonF& upper = edges[k];
        upper.reserve(last + 1);
        for (int m = 0; m <= m_months; ++m) {
            double& b = below[static_cast<std::size_t>(m)];
            b += balanceAt(m, card);
            if (m <= last)
                upper << QPointF(plot.left() + dx * m, y(b));
        }
        QPolygonF band = upper;
        band.reserve(2 * (last + 1));
        for (int m = last; m >= 0; --m)
            band << lower[m];
        p.setBrush(cardColour(k));
        p.drawPolygon(band);
        for (int m = 0; m <= m_months; ++m)
            lower[m].setY(y(below[static_cast<std::size_t>(m)]));
    }
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setBrush(Qt::NoBrush);
    for (std::size_t k = 0; k < edges.size(); ++k) {
        const QColor c = cardColour(k);
        p.setPen(QPen(QColor(c.red() / 2, c.green() / 2, c.blue() / 2), 1));
        p.drawPolyline(edges[k]);
    }

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
        const QRectF box = fm.boundingRect(m_readout).adjusted(-6, -3, 6, 3);
        QRectF at(plot.left() + 6, plot.top() + 6, box.width(), box.height());
        if (at.right() > width() - 4)
            at.moveRight(width() - 4);
        p.fillRect(at, colour::darkBlue);
        p.setPen(colour::white);
        p.drawText(at, Qt::AlignCenter, m_readout);
    }

    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect().adjusted(1, 1, -1, -1);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &p, this);
    }
}

} // namespace quenmark
