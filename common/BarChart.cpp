#include "common/BarChart.h"

#include "common/Announce.h"

#include "common/Layout.h"


#include <QCoreApplication>
#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygonF>

namespace quenmark {

ChartBar::ChartBar(QWidget* chart, const QString& objectName, const QRect& rect, const QColor& colour, int index,
                   const QString& spokenName)
    : QWidget(chart)
    , m_colour(colour)
    , m_index(index)
{
    setObjectName(objectName);
    setGeometry(rect);
    setMouseTracking(true);
    // Not in the Tab chain: the keyboard comes to the chart, then the arrow keys to its bars.
    setFocusPolicy(Qt::NoFocus);
    setAccessibleName(spokenName);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ChartBar::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), m_colour);
    if (hasFocus()) {
        // A dotted outline in black or white, whichever stands out on the bar.
        const bool light = m_colour.lightness() > 128;
        QPen pen(light ? Qt::black : Qt::white, 1, Qt::DotLine);
        p.setPen(pen);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void ChartBar::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
    emit pointed(m_index);
}

void ChartBar::keyPressEvent(QKeyEvent* event)
{
    int step = 0;
    switch (event->key()) {
    case Qt::Key_Right:
    case Qt::Key_Down: step = 1; break;
    case Qt::Key_Left:
    case Qt::Key_Up: step = -1; break;
    default: QWidget::keyPressEvent(event); return;
    }
    if (ChartBar* next = NeighbourBar(parentWidget(), this, step))
        next->setFocus(Qt::OtherFocusReason);
    event->accept();
}

void ChartBar::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
    emit pointed(m_index);
}

void ChartBar::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}

void ShowBarSet(std::span<ChartBar* const> bars, bool shown)
{
    if (bars.empty() || bars.front()->isHidden() != shown)
        return;
    for (ChartBar* bar : bars)
        bar->setVisible(shown);
}

ChartBar* NeighbourBar(QWidget* chart, const ChartBar* from, int step)
{
    if (!chart)
        return nullptr;
    QList<ChartBar*> bars = chart->findChildren<ChartBar*>(Qt::FindDirectChildrenOnly);
    bars.removeIf([from](ChartBar* b) { return b != from && b->isHidden(); });
    if (bars.isEmpty())
        return nullptr;
    if (!from)
        return step > 0 ? bars.front() : bars.back();
    const qsizetype at = bars.indexOf(const_cast<ChartBar*>(from)) + step;
    return at >= 0 && at < bars.size() ? bars[at] : nullptr;
}

ChartZone::ChartZone(QFrame* panel) : QObject(panel), m_panel(panel)
{
    panel->setMouseTracking(true);
    panel->setFocusPolicy(Qt::TabFocus);
    if (panel->accessibleDescription().isEmpty())
        panel->setAccessibleDescription(tr("Use the arrow keys to read the bars one by one."));
    panel->installEventFilter(this);
}

bool ChartZone::eventFilter(QObject*, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseMove:
        // Taken here: the move goes no further up than the chart.
        event->accept();
        emit moved();
        return true;
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const int step = (key == Qt::Key_Right || key == Qt::Key_Down) ? 1
                         : (key == Qt::Key_Left || key == Qt::Key_Up) ? -1
                                                                      : 0;
        if (step == 0)
            return false;
        if (ChartBar* bar = NeighbourBar(m_panel, nullptr, step))
            bar->setFocus(Qt::OtherFocusReason);
        return true;
    }
    case QEvent::FocusIn:
        // A wider frame shows where the keyboard is.
        m_frameStyle = m_panel->frameStyle();
        m_lineWidth = m_panel->lineWidth();
        m_panel->setFrameStyle(QFrame::Box | QFrame::Plain);
        m_panel->setLineWidth(2);
        return false;
    case QEvent::FocusOut:
        m_panel->setFrameStyle(m_frameStyle);
        m_panel->setLineWidth(m_lineWidth);
        return false;
    default:
        return false;
    }
}

void PassPointerThrough(QWidget* w)
{
    w->setAttribute(Qt::WA_TransparentForMouseEvents);
}

RowArrow::RowArrow(QWidget* parent, const QString& objectName, int x, int firstTop, int step, const QColor& colour)
    : QWidget(parent)
    , m_colour(colour)
    , m_firstTop(firstTop)
    , m_step(step)
{
    setObjectName(objectName);
    setGeometry(x, firstTop, 11, 7);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void RowArrow::pointAtRow(int row, const QString& rowName)
{
    m_row = row > 0 ? row : 0;
    if (m_row == 0) {
        hide();
        return;
    }
    move(x(), m_firstTop + m_step * (m_row - 1));
    setAccessibleName(rowName.isEmpty() ? QString() : tr("Arrow at %1").arg(rowName));
    show();
}

void RowArrow::paintEvent(QPaintEvent*)
{
    // A shaft of 3 pixels and a head of 7 that ends in a point at the right.
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(m_colour);
    p.drawRect(QRectF(0, 2, 6, 3));
    p.drawPolygon(QPolygonF({QPointF(5, 0), QPointF(11, 3.5), QPointF(5, 7)}));
}

QList<QList<QLabel*>> MakeCardList(QWidget* parent, const char* context, std::span<const CardListColumn> columns,
                                   std::span<const QStringList> cells, int headY, int firstRow, int step, int px)
{
    for (const CardListColumn& c : columns)
        makeCell(parent, textCell("", {c.x, headY, c.width, step + 2}, QCoreApplication::translate(context, c.head), px,
                                  true, colour::maroon, c.align | Qt::AlignVCenter));
    QList<QList<QLabel*>> rows;
    int y = firstRow;
    for (const QStringList& card : cells) {
        QList<QLabel*>& row = rows.emplace_back();
        for (std::size_t i = 0; i < columns.size() && i < static_cast<std::size_t>(card.size()); ++i) {
            const CardListColumn& c = columns[i];
            row.append(makeCell(parent, textCell("", {c.x, y, c.width, step}, card[static_cast<qsizetype>(i)], px,
                                                 i == 0, colour::black, c.align | Qt::AlignVCenter)));
        }
        y += step;
    }
    return rows;
}

void SetCentredTitle(QLabel* title, const QString& text)
{
    title->setText(text);
    title->adjustSize();
    const int parentWidth = title->parentWidget() ? title->parentWidget()->width() : title->width();
    title->move(parentWidth / 2 - title->width() / 2, title->y());
}

void SetReadout(QLabel* readout, const QString& text, const QColor& colour)
{
    QPalette pal = readout->palette();
    pal.setColor(QPalette::WindowText, colour);
    readout->setPalette(pal);
    readout->setText(text);
    readout->repaint();
    announce(readout, text);
}

void ClearReadout(QLabel* readout)
{
    if (readout->text().isEmpty())
        return;
    readout->clear();
    readout->repaint();
}

} // namespace quenmark
