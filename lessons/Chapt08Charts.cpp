// Chapter 8's chart page, behaviour: the chart step, the bar readouts in the
// info boxes with the arrow at the card's row, and the chart backgrounds that
// clear them. The page layout: Chapt08ChartsPage.cpp; figures: Chapt08ChartsData.h.
#include "lessons/Chapt08Charts.h"

#include <QLabel>
#include <QStackedWidget>

#include "common/Announce.h"
#include "common/BarChart.h"
#include "common/Layout.h"
#include "lessons/Chapt08ChartsData.h"

namespace quenmark {

namespace {

bool validBox(int box)
{
    return box >= 1 && box <= 3;
}

QString dollars(int amount)
{
    return QStringLiteral("$%1").arg(amount);
}

} // namespace

SnowballCharts::SnowballCharts(QWidget* page) : QObject(page), m_page(page)
{
    build();
}

SnowballCharts::~SnowballCharts() = default;

void SnowballCharts::showChart(int pledge)
{
    if (pledge < 0 || pledge >= static_cast<int>(m_summary.size()))
        return;
    m_book->setCurrentIndex(pledge);
    bringToFront(pledge);
}

void SnowballCharts::bringToFront(int pledge)
{
    // The panels lie exactly on top of each other: the ones behind are hidden
    // too, so a screen reader reads only the total the page shows.
    for (std::size_t i = 0; i < m_summary.size(); ++i)
        m_summary[i]->setVisible(static_cast<int>(i) == pledge);
    m_summary[static_cast<std::size_t>(pledge)]->raise();
}

void SnowballCharts::resetForOpening()
{
    for (int box = 1; box <= 3; ++box)
        HideInfoBox(box);
    PointArrowAtRow(0);
    m_book->setCurrentIndex(0);
}

void SnowballCharts::SetInfoBoxColor(int box, const QColor& colour)
{
    if (!validBox(box))
        return;
    for (QLabel* panel : m_boxes[static_cast<std::size_t>(box - 1)])
        setCellColours(panel, colour, colour::white);
}

void SnowballCharts::ShowInfoBox(int box)
{
    if (!validBox(box))
        return;
    for (QLabel* panel : m_boxes[static_cast<std::size_t>(box - 1)])
        panel->show();
}

void SnowballCharts::HideInfoBox(int box)
{
    if (!validBox(box))
        return;
    for (QLabel* panel : m_boxes[static_cast<std::size_t>(box - 1)])
        panel->hide();
    m_boxBar[static_cast<std::size_t>(box - 1)] = -1;
}

bool SnowballCharts::infoBoxShowing(int box) const
{
    return validBox(box) && !m_boxes[static_cast<std::size_t>(box - 1)].front()->isHidden();
}

void SnowballCharts::PointArrowAtRow(int row)
{
    if (row < 0 || row > static_cast<int>(ch8::kPriorityCards.size()))
        return;
    const QString name =
        row > 0 ? tr("Card %1").arg(ch8::kPriorityCards[static_cast<std::size_t>(row - 1)].number) : QString();
    m_arrow->pointAtRow(row, name);
}

void SnowballCharts::barPointed(int index)
{
    if (index < 0 || index >= static_cast<int>(ch8::kBars.size()))
        return;
    const ch8::Bar& bar = ch8::kBars[static_cast<std::size_t>(index)];
    const int box = bar.chart + 1;
    // Nothing to do only when the box already shows this very bar and the
    // arrow marks its card: a fast move from one bar straight onto another
    // (even of the same colour) must show the other bar's payments, and the
    // arrow, which the three charts share, may have been moved or hidden on
    // another chart since this box was filled.
    if (infoBoxShowing(box) && m_boxBar[static_cast<std::size_t>(bar.chart)] == index && m_arrow->row() == bar.row)
        return;
    PointArrowAtRow(bar.row);
    SetInfoBoxColor(box, bar.kind == ch8::BarKind::PaymentOnly ? colour::teal : colour::darkBlue);
    const auto& panels = m_boxes[static_cast<std::size_t>(bar.chart)];
    panels[0]->setText(QString::number(bar.count));
    panels[2]->setText(dollars(bar.amount));
    panels[3]->setText(QStringLiteral("1"));
    panels[5]->setText(dollars(bar.lastAmount));
    ShowInfoBox(box);
    m_boxBar[static_cast<std::size_t>(bar.chart)] = index;
    QStringList said;
    if (bar.row > 0)
        said << tr("Card %1:").arg(ch8::kPriorityCards[static_cast<std::size_t>(bar.row - 1)].number);
    for (const QLabel* panel : panels)
        said << panel->text().simplified();
    announce(panels[0], said.join(QLatin1Char(' ')));
}

void SnowballCharts::chartBackgroundPointed(int chart)
{
    if (chart < 0 || chart >= static_cast<int>(ch8::kCharts.size()))
        return;
    if (infoBoxShowing(chart + 1))
        HideInfoBox(chart + 1);
    PointArrowAtRow(0);
}

} // namespace quenmark
