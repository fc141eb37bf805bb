// Chapter 8's chart page, layout: the sorted card list with its arrow, the
// instruction, the three summary panels, and Notebook2 with one time chart per
// pledge amount (axes, months, row labels, legend, bars, info box).
#include "lessons/Chapt08Charts.h"

#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QStackedWidget>
#include <cmath>

#include "common/BarChart.h"
#include "common/Layout.h"
#include "common/PageText.h"
#include "core/MoneyText.h"
#include "lessons/Chapt08ChartsData.h"

namespace quenmark {

namespace {

constexpr Words kWords{"quenmark::SnowballCharts"};

// ---- the card list --------------------------------------------------------------------
constexpr CardListColumn kListColumns[] = {
    {QT_TRANSLATE_NOOP("quenmark::SnowballCharts", "Name"), 18, 50, Qt::AlignLeft},
    {QT_TRANSLATE_NOOP("quenmark::SnowballCharts", "APR"), 70, 44, Qt::AlignRight},
    {QT_TRANSLATE_NOOP("quenmark::SnowballCharts", "Balance"), 118, 70, Qt::AlignRight},
    {QT_TRANSLATE_NOOP("quenmark::SnowballCharts", "Payment"), 192, 60, Qt::AlignRight},
};
constexpr int kListHeadY = 3;
constexpr int kListFirstRow = 21;
constexpr int kListRowStep = 14;
constexpr int kArrowX = 4;
constexpr int kArrowFirstTop = 25;

// ---- the summary panels -----------------------------------------------------------------
constexpr QRect kSummaryRect{342, 14, 176, 44};
const QColor kSummaryColours[] = {QColor(128, 128, 128), colour::teal, colour::maroon};

// ---- one chart (positions inside the chart panel) ---------------------------------------
constexpr QRect kChartRect{15, 7, 529, 190};
constexpr QPoint kTitlePos{19, 14};
constexpr int kAxisY = 156;
constexpr int kTickXs[] = {98, 136, 173, 210, 247, 285, 322, 359, 396, 434, 471, 508};
constexpr int kRowLabelYs[] = {68, 85, 102, 119, 136};
constexpr int kPledgeBarTops[] = {69, 84, 101, 118, 135};
constexpr int kOnlyBarTops[] = {0, 88, 105, 122, 139}; // row 1 has no teal bar
constexpr int kPledgeBarHeight = 11;
constexpr int kOnlyBarHeight = 7;

struct BoxPanel
{
    int x;
    int width;
};
constexpr BoxPanel kBoxColumns[] = {{210, 33}, {242, 91}, {332, 41}};
constexpr int kBoxLineYs[] = {7, 26};
constexpr int kBoxHeight = 20;

// A black block that belongs to the chart background.
void block(QWidget* panel, const QRect& rect)
{
    makeCell(panel, shadowSpec(rect));
}

QLabel* backgroundText(QWidget* panel, const QRect& rect, const QString& text, int px, bool bold,
                       const QColor& fg, Qt::Alignment align)
{
    QLabel* l = makeCell(panel, textCell("", rect, text, px, bold, fg, align | Qt::AlignVCenter));
    PassPointerThrough(l);
    return l;
}

QString barSpoken(const ch8::Bar& bar)
{
    const ch8::PledgeChart& chart = ch8::kCharts[static_cast<std::size_t>(bar.chart)];
    const int card = ch8::kPriorityCards[static_cast<std::size_t>(bar.row - 1)].number;
    return kWords("$%1 pledge, Card %2, %3 payments of $%4, then 1 payment of $%5")
        .arg(chart.pledge)
        .arg(card)
        .arg(bar.count)
        .arg(bar.amount)
        .arg(bar.lastAmount);
}

QString barDescription(const ch8::Bar& bar)
{
    return (bar.kind == ch8::BarKind::PaymentOnly ? kWords("Payment only, months %1 to %2")
                                                  : kWords("Payment plus pledge, months %1 to %2"))
        .arg(bar.firstMonth)
        .arg(bar.lastMonth);
}

} // namespace

void SnowballCharts::build()
{
    QWidget* page = m_page;

    // The sorted card list: heads, five rows (balances in whole dollars), the arrow.
    QList<QStringList> cells;
    for (const ch8::PriorityCard& card : ch8::kPriorityCards)
        cells.append({tr("Card %1").arg(card.number), QString::number(card.apr, 'f', 1) + QStringLiteral("%"),
                      QStringLiteral("$") + QString::fromStdString(AmountToText(std::round(card.balance))),
                      QStringLiteral("$") + QString::fromStdString(AmountToText(card.payment))});
    const auto rows = MakeCardList(page, "quenmark::SnowballCharts", kListColumns, cells, kListHeadY, kListFirstRow,
                                   kListRowStep, 11);
    for (qsizetype r = 0; r < rows.size(); ++r)
        for (qsizetype i = 0; i < rows[r].size(); ++i)
            rows[r][i]->setObjectName(QStringLiteral("List%1_%2").arg(kListFirstRow + r * kListRowStep).arg(i));
    m_arrow = new RowArrow(page, QStringLiteral("Arrow1"), kArrowX, kArrowFirstTop, kListRowStep);

    makeCell(page, textCell("Instruction", {320, 74, 250, 32},
                            tr("Move the cursor over the graph bars to see the payment amounts."), 11, true,
                            colour::maroon, Qt::AlignLeft | Qt::AlignTop, true));

    // The three summary panels, stacked over one shadow.
    makeCell(page, shadowSpec(kSummaryRect.translated(3, 3)));
    for (std::size_t i = 0; i < ch8::kCharts.size(); ++i) {
        const ch8::PledgeChart& chart = ch8::kCharts[i];
        QLabel* panel = makeCell(page, {.name = chart.summary,
                                        .rect = kSummaryRect,
                                        .background = kSummaryColours[i],
                                        .kind = CellKind::Panel});
        const QString lines[] = {
            tr("Payment Snowballing With"),
            tr("$%1 Pledge Money").arg(chart.pledge),
            tr("Total Interest Paid  $%1").arg(QString::fromStdString(CountToText(chart.totalInterest))),
        };
        for (int k = 0; k < 3; ++k) {
            QLabel* l = makeCell(panel, textCell("", {1, 1 + 14 * k, kSummaryRect.width() - 2, 14}, lines[k], 11, true,
                                                 k == 2 ? colour::yellow : colour::white, Qt::AlignCenter));
            l->setObjectName(QStringLiteral("%1Line%2").arg(QLatin1String(chart.summary)).arg(k + 1));
        }
        panel->setAccessibleName(QStringList(std::begin(lines), std::end(lines)).join(QStringLiteral(", ")));
        m_summary[i] = panel;
    }
    // At first the $25 panel lies in front.
    bringToFront(0);

    // Notebook2: one chart per page.
    m_book = new QStackedWidget(page);
    m_book->setObjectName(QStringLiteral("Notebook2"));
    m_book->setGeometry(8, 112, 561, 208);
    std::array<QFrame*, 3> panels{};
    for (std::size_t i = 0; i < ch8::kCharts.size(); ++i)
        panels[i] = buildChart(i);
    for (int chart = 0; chart < 3; ++chart)
        connect(new ChartZone(panels[static_cast<std::size_t>(chart)]), &ChartZone::moved, this,
                [this, chart] { chartBackgroundPointed(chart); });
}

// One time chart on its own page of Notebook2: axes, months, row labels,
// legend, bars and the info box.
QFrame* SnowballCharts::buildChart(std::size_t i)
{
    const ch8::PledgeChart& chart = ch8::kCharts[i];
    auto* bookPage = new QWidget(m_book);
    bookPage->setObjectName(QStringLiteral("Chart%1Page").arg(chart.pledge));
    setBackground(bookPage, colour::white);
    m_book->addWidget(bookPage);

    makeCell(bookPage, shadowSpec(kChartRect.translated(3, 3)));
    auto* panel = new QFrame(bookPage);
    panel->setObjectName(QLatin1String(chart.panel));
    panel->setGeometry(kChartRect);
    panel->setFrameStyle(QFrame::Box | QFrame::Plain);
    panel->setLineWidth(1);
    setBackground(panel, colour::lightGrey);
    panel->setAccessibleName(tr("Time chart, $%1 pledge money").arg(chart.pledge));

    QLabel* title = makeCell(panel, textCell("", QRect(kTitlePos, QSize(10, 16)),
                                             tr(" $%1 Pledge Money ").arg(chart.pledge), 13, true));
    title->setObjectName(QStringLiteral("%1Title").arg(QLatin1String(chart.panel)));
    title->adjustSize();

    // Axes, ticks and their labels, the rows: all chart background.
    block(panel, {61, 63, 3, kAxisY + 3 - 63});
    block(panel, {64, kAxisY, 447, 3});
    int month = 5;
    for (int x : kTickXs) {
        block(panel, {x, 158, 3, 9});
        backgroundText(panel, {x + 1 - 12, 169, 24, 13}, QString::number(month), 11, false, colour::black,
                       Qt::AlignHCenter);
        month += 5;
    }
    backgroundText(panel, {39, 166, 46, 16}, tr("Months"), 11, true, colour::maroon, Qt::AlignLeft);
    for (std::size_t r = 0; r < ch8::kPriorityCards.size(); ++r) {
        QLabel* l = backgroundText(panel, {15, kRowLabelYs[r], 40, 13},
                                   tr("Card %1").arg(ch8::kPriorityCards[r].number), 11, false,
                                   colour::black, Qt::AlignLeft);
        l->setObjectName(QStringLiteral("%1Row%2").arg(QLatin1String(chart.panel)).arg(r + 1));
        block(panel, {55, kRowLabelYs[r] + 5, 7, 3});
    }

    // Legend (background too; only the title and the info box keep the pointer to themselves).
    makeCell(panel, {.rect = {421, 6, 23, 11}, .background = colour::darkBlue, .kind = CellKind::Shadow});
    backgroundText(panel, {448, 4, 78, 15}, tr("= Pmt + Pledge"), 11, false, colour::black,
                   Qt::AlignLeft);
    makeCell(panel, {.rect = {421, 23, 23, 7}, .background = colour::teal, .kind = CellKind::Shadow});
    backgroundText(panel, {448, 19, 78, 15}, tr("= Pmt Only"), 11, false, colour::black, Qt::AlignLeft);

    // The bars of this chart, in table order (row by row, left to right).
    for (std::size_t b = 0; b < ch8::kBars.size(); ++b) {
        const ch8::Bar& bar = ch8::kBars[b];
        if (bar.chart != static_cast<int>(i))
            continue;
        const bool only = bar.kind == ch8::BarKind::PaymentOnly;
        const int top = only ? kOnlyBarTops[bar.row - 1] : kPledgeBarTops[bar.row - 1];
        auto* widget = new ChartBar(panel, QLatin1String(bar.name),
                                    {bar.left, top, bar.width, only ? kOnlyBarHeight : kPledgeBarHeight},
                                    only ? colour::teal : colour::darkBlue, static_cast<int>(b), barSpoken(bar));
        widget->setAccessibleDescription(barDescription(bar));
        connect(widget, &ChartBar::pointed, this, &SnowballCharts::barPointed);
    }

    // The info box: count, title, amount; twice. Hidden until a bar is pointed at.
    auto& box = m_boxes[i];
    for (int line = 0; line < 2; ++line) {
        const QString titles[] = {tr("Payments of"), tr("Payment  of")};
        for (int col = 0; col < 3; ++col) {
            // Plain text: "Payment  of" keeps its two blanks.
            QLabel* l = makeCell(panel, {.rect = {kBoxColumns[col].x, kBoxLineYs[line],
                                                  kBoxColumns[col].width, kBoxHeight},
                                         .text = col == 1 ? titles[line] : QString(),
                                         .background = colour::teal,
                                         .foreground = colour::white,
                                         .fontPx = 12,
                                         .bold = true,
                                         .kind = CellKind::Panel});
            static const char* const kNames[] = {"Num", "Title", "Pmt"};
            l->setObjectName(QStringLiteral("%1%2").arg(QLatin1String(kNames[col])).arg(
                2 * static_cast<int>(i) + line + 1, 2, 10, QLatin1Char('0')));
            l->hide();
            box[static_cast<std::size_t>(3 * line + col)] = l;
        }
    }
    return panel;
}

} // namespace quenmark
