#include "planner/BalanceChart.h"

#include <QAccessible>
#include <QAccessibleWidget>
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
#include "planner/ChartDrawing.h"
#include "planner/PlanText.h"

namespace quenmark {

namespace {

constexpr double kLeft = 78, kRight = 170, kTop = 34, kBottom = 60;

// The chart as a screen reader should hear it: a chart, named by its read-out,
// described by its summary.
class ChartAccessible : public QAccessibleWidget
{
public:
    explicit ChartAccessible(QWidget* w) : QAccessibleWidget(w, QAccessible::Chart) {}
};

QAccessibleInterface* ChartFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("quenmark::BalanceChart") && object && object->isWidgetType())
        return new ChartAccessible(static_cast<QWidget*>(object));
    return nullptr;
}

// At most this many cards are named in the chart's summary.
constexpr std::size_t kCardsSummarised = 12;

} // namespace

BalanceChart::BalanceChart(QWidget* parent)
    : QWidget(parent)
{
    static const bool factory = (QAccessible::installFactory(ChartFactory), true);
    (void)factory;
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

void BalanceChart::setPlan(std::shared_ptr<const PlanResult> plan, QStringList names, QDate firstMonth)
{
    if (plan == m_plan && names == m_names && firstMonth == m_firstMonth)
        return;
    m_plan = std::move(plan);
    m_names = std::move(names);
    m_firstMonth = firstMonth;
    m_months = m_plan ? m_plan->months : 0;
    m_start = 0;
    std::int64_t highest = 0;
    if (m_plan) {
        for (const PlanCardResult& c : m_plan->cards)
            m_start += c.startBalance;
        highest = m_start;
        for (int m = 1; m <= m_months; ++m)
            highest = std::max(highest, m_plan->schedule.owedAt(m));
    }
    const double top = FromCents(highest);
    m_yStep = top > 0 ? NiceStep(top, 5) : 1;
    m_yTop = top > 0 ? std::ceil(top / m_yStep) * m_yStep : 1;
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
    if (!m_plan || month < 0 || month > m_months || card >= m_plan->cards.size())
        return 0;
    return FromCents(month == 0 ? m_plan->cards[card].startBalance : m_plan->balanceAt(card, month));
}

double BalanceChart::totalAt(int month) const
{
    if (!m_plan || month < 0 || month > m_months)
        return 0;
    return FromCents(month == 0 ? m_start : m_plan->schedule.owedAt(month));
}

void BalanceChart::edgesAt(int month, std::vector<std::int64_t>& edges) const
{
    const std::vector<std::size_t>& priority = m_plan->priority;
    edges.resize(priority.size());
    std::int64_t owed = 0;
    if (month <= 0) {
        for (std::size_t k = 0; k < priority.size(); ++k)
            edges[k] = owed += m_plan->cards[priority[k]].startBalance;
        return;
    }
    // A month's rows follow the priority order; a card with no row owes nothing.
    const std::span<const PlanRow> rows = m_plan->schedule.month(month);
    std::size_t r = 0;
    for (std::size_t k = 0; k < priority.size(); ++k) {
        if (r < rows.size() && static_cast<std::size_t>(rows[r].card) == priority[k])
            owed += rows[r++].balance;
        edges[k] = owed;
    }
}

void BalanceChart::updateSummary()
{
    QString summary;
    if (!m_plan || m_plan->cards.empty() || m_start <= 0 || m_months <= 0) {
        summary = tr("No balances to show.");
    } else {
        const QString from = PlanText::money(m_start), to = PlanText::money(m_plan->schedule.owedAt(m_months));
        summary = m_months == 1 ? tr("The total owed goes from %1 to %2 in 1 month.").arg(from, to)
                                : tr("The total owed goes from %1 to %2 over %3 months.")
                                      .arg(from, to, QString::number(m_months));
        std::size_t told = 0, left = 0;
        for (const std::size_t i : m_plan->priority) {
            const int month = m_plan->cards[i].payoffMonth;
            if (month <= 0)
                continue;
            if (told++ < kCardsSummarised)
                summary += QLatin1Char(' ') +
                           tr("%1 is paid off in month %2.").arg(m_names.value(static_cast<int>(i)), QString::number(month));
            else
                ++left;
        }
        if (left > 0)
            summary += QLatin1Char(' ') + tr("%1 more cards are paid off after them.").arg(left);
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
    if (!m_plan || month < 0 || month > m_months || amount < 0)
        return -1;
    std::vector<std::int64_t> edges;
    edgesAt(month, edges);
    const double cents = amount * 100;
    std::int64_t below = 0;
    for (std::size_t k = 0; k < edges.size(); ++k) {
        if (edges[k] > below && cents >= static_cast<double>(below) && cents <= static_cast<double>(edges[k]))
            return static_cast<int>(m_plan->priority[k]);
        below = edges[k];
    }
    return -1;
}

void BalanceChart::setChanges(const PlanBudget& budget)
{
    std::vector<Mark> marks;
    for (const PledgeStep& step : budget.steps)
        marks.push_back({step.fromMonth, tr("pledge %1 from here").arg(PlanText::money(step.amount))});
    for (const OneOffSum& sum : budget.oneOffs)
        marks.push_back({sum.month, tr("%1 once").arg(PlanText::money(sum.amount))});
    std::stable_sort(marks.begin(), marks.end(), [](const Mark& a, const Mark& b) { return a.month < b.month; });
    const bool same = marks.size() == m_marks.size() &&
                      std::equal(marks.begin(), marks.end(), m_marks.begin(), [](const Mark& a, const Mark& b) {
                          return a.month == b.month && a.text == b.text;
                      });
    if (same)
        return;
    m_marks = std::move(marks);
    setCursorMonth(m_cursor);
    update();
}

QString BalanceChart::changesAt(int month) const
{
    QStringList words;
    for (const Mark& mark : m_marks)
        if (mark.month == month)
            words << mark.text;
    return words.join(QStringLiteral(", "));
}

void BalanceChart::setCursorMonth(int month, int cardUnderPointer)
{
    const QString before = m_readout;
    if (m_months <= 0 || month < 0) {
        m_cursor = -1;
        m_readout.clear();
    } else {
        m_cursor = std::min(month, m_months);
        const QString when = m_cursor == 0 ? tr("Today") : PlanText::monthAndDate(m_firstMonth, m_cursor);
        m_readout = tr("%1: %2 owed in all").arg(when, PlanText::money(totalAt(m_cursor)));
        // A card is named only when the pointer is on its band.
        if (cardUnderPointer >= 0)
            m_readout += tr("; %1 owes %2")
                             .arg(m_names.value(cardUnderPointer),
                                  PlanText::money(balanceAt(m_cursor, static_cast<std::size_t>(cardUnderPointer))));
        if (const QString changes = changesAt(m_cursor); !changes.isEmpty())
            m_readout += tr(" (%1)").arg(changes);
    }
    if (m_readout != before) {
        // The name changing is what a screen reader hears.
        setAccessibleName(m_readout.isEmpty() ? tr("Balance chart") : m_readout);
        emit readoutChanged(m_readout);
    }
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

// The plot's grid, then the bands (the card paid first at the bottom) and
// their rims in the pixels of the screen (DrawBands).
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
    const std::vector<std::size_t>& priority = m_plan->priority;
    ChartBands bands;
    bands.months = m_months;
    bands.height = plot.height() * m_layer.devicePixelRatio();
    bands.perCent = bands.height / (m_yTop * 100);
    bands.edgesAt = [this](int month, std::vector<std::int64_t>& edges) { edgesAt(month, edges); };
    for (std::size_t k = 0; k < priority.size(); ++k) {
        const QColor c = cardColour(k);
        bands.fill.push_back(c.rgb());
        // The pies' rims: the band's colour at half brightness.
        bands.rim.push_back(qRgb(c.red() / 2, c.green() / 2, c.blue() / 2));
        const int paidOff = m_plan->cards[priority[k]].payoffMonth;
        bands.lastMonth.push_back(paidOff > 0 ? paidOff : m_months);
    }
    DrawBands(m_layer, bands);
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

    if (!m_plan || m_months <= 0 || m_start <= 0) {
        p.fillRect(plot, colour::lightGrey);
        p.setPen(colour::maroon);
        p.drawText(plot, Qt::AlignCenter | Qt::TextWordWrap,
                   !m_plan || m_plan->cards.empty() ? tr("Add your cards to see their balances here.")
                                                    : tr("Nothing is owed."));
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
        p.drawText(QRectF(x - 40, plot.bottom() + 9 + fm.height(), 80, fm.height()), Qt::AlignHCenter | Qt::AlignTop,
                   PlanText::month(m_firstMonth, m));
    }
    paintMarks(p, plot, dx, fm);
    QFont caption = font();
    caption.setBold(true);
    p.setFont(caption);
    p.setPen(colour::maroon);
    p.drawText(QRectF(plot.left(), plot.bottom() + 10 + 2 * fm.height(), plot.width(), fm.height() + 4),
               Qt::AlignHCenter | Qt::AlignTop, tr("Months"));
    p.setFont(font());
    paintLegend(p, plot, fm);
    paintReadout(p, plot, fm);

    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect().adjusted(1, 1, -1, -1);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &p, this);
    }
}

// One swatch per card in payoff order, as many as fit.
// The changes over time: a dashed line at the end of each month whose budget
// changes, with its words at the top of the plot.
void BalanceChart::paintMarks(QPainter& p, const QRectF& plot, double dx, const QFontMetrics& fm)
{
    QPen dashed(colour::maroon);
    dashed.setStyle(Qt::DashLine);
    int lastMonth = 0;
    double row = 0;
    for (const Mark& mark : m_marks) {
        if (mark.month < 1 || mark.month > m_months)
            continue;
        const double x = plot.left() + dx * (mark.month - 1);
        p.setPen(dashed);
        p.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        row = mark.month == lastMonth ? row + fm.height() : 0;
        lastMonth = mark.month;
        p.setPen(colour::maroon);
        p.drawText(QRectF(x + 3, plot.top() + 2 + row, plot.right() - x - 3, fm.height()),
                   Qt::AlignLeft | Qt::AlignTop, fm.elidedText(mark.text, Qt::ElideRight, int(plot.right() - x - 3)));
    }
}

void BalanceChart::paintLegend(QPainter& p, const QRectF& plot, const QFontMetrics& fm)
{
    const std::vector<std::size_t>& priority = m_plan->priority;
    const double lx = plot.right() + 14;
    double ly = plot.top();
    const double lineHeight = std::max(16, fm.height() + 2);
    for (std::size_t k = 0; k < priority.size(); ++k) {
        if (ly + 2 * lineHeight > height() - 4 && k + 1 < priority.size()) {
            p.setPen(colour::black);
            p.drawText(QRectF(lx, ly, kRight - 20, lineHeight), Qt::AlignLeft | Qt::AlignVCenter,
                       tr("and %1 more").arg(priority.size() - k));
            break;
        }
        const QColor c = cardColour(k);
        p.fillRect(QRectF(lx, ly + 3, 18, lineHeight - 6), c);
        p.setPen(QColor(c.red() / 2, c.green() / 2, c.blue() / 2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(lx, ly + 3, 18, lineHeight - 6));
        p.setPen(colour::black);
        p.drawText(QRectF(lx + 24, ly, kRight - 44, lineHeight), Qt::AlignLeft | Qt::AlignVCenter,
                   fm.elidedText(m_names.value(static_cast<int>(priority[k])), Qt::ElideRight, static_cast<int>(kRight - 44)));
        ly += lineHeight;
    }
}

// The read-out month: a dashed line and the read-out in a box.
void BalanceChart::paintReadout(QPainter& p, const QRectF& plot, const QFontMetrics& fm)
{
    if (m_cursor < 0)
        return;
    const double x = plot.left() + plot.width() / m_months * m_cursor;
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

} // namespace quenmark
