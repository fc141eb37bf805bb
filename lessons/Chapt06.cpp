// Chapter 6's behaviour: which notebook pages, chart title and bar sets each
// page shows, and the pointer readouts of the two charts. Pages, charts and
// texts: Chapt06Pages.cpp; the figures: Chapt06Data.h.
#include "lessons/Chapt06.h"

#include <QLabel>
#include <QStackedWidget>

#include "common/BarChart.h"
#include "lessons/Chapt06Data.h"

namespace quenmark {

namespace {

// What arriving at a page shows. Pages are turned one at a time, so the state
// each page needs is the same whether Next or Back led to it.
struct PageStep
{
    int book1;    // Notebook1 page
    int chart;    // -1: no chart on this page
    int texts;    // page of the chart's text notebook (Notebook2 / Notebook3)
    TChapter_006::BarSets sets;
};

using Sets = TChapter_006::BarSets;
constexpr std::array<PageStep, 8> kSteps{{
    {0, -1, 0, Sets::Minimum},
    {1, -1, 0, Sets::Minimum},
    {2, TChapter_006::InterestChart, 0, Sets::Minimum},
    {2, TChapter_006::InterestChart, 1, Sets::Constant},
    {2, TChapter_006::InterestChart, 2, Sets::Both},
    {3, TChapter_006::PayoffChart, 0, Sets::Minimum},
    {3, TChapter_006::PayoffChart, 1, Sets::Constant},
    {3, TChapter_006::PayoffChart, 2, Sets::Both},
}};

} // namespace

TChapter_006::TChapter_006(QWidget* parent) : LessonFrame(chapterLook(6), parent)
{
    setWindowTitle(tr("Chapter 6"));
    buildPages();

    for (int chart : {InterestChart, PayoffChart}) {
        const ChartControls& c = m_charts[static_cast<std::size_t>(chart)];
        for (const auto& set : {c.minimum, c.constant})
            for (ChartBar* bar : set)
                connect(bar, &ChartBar::pointed, this, [this, chart](int index) { barPointed(chart, index); });
    }
    connect(new ChartZone(m_charts[InterestChart].panel), &ChartZone::moved, this,
            &TChapter_006::PanelGraphMouseMove);
    connect(new ChartZone(m_charts[PayoffChart].panel), &ChartZone::moved, this,
            &TChapter_006::PanelGraph01MouseMove);
}

TChapter_006::~TChapter_006() = default;

int TChapter_006::pageTotal() const
{
    return m_charts[InterestChart].texts->count() + m_charts[PayoffChart].texts->count() + 2;
}

void TChapter_006::showPage(int page, bool)
{
    if (page < 1 || page > static_cast<int>(kSteps.size()))
        return;
    const PageStep& step = kSteps[static_cast<std::size_t>(page - 1)];
    notebook()->setCurrentIndex(step.book1);
    if (step.chart < 0)
        return;
    ChartControls& c = m_charts[static_cast<std::size_t>(step.chart)];
    c.texts->setCurrentIndex(step.texts);
    const QString title = step.sets == BarSets::Minimum    ? tr("Minimum Payment Method")
                          : step.sets == BarSets::Constant ? tr("Constant Payment Method")
                                                           : tr("Minimum Pmt VS Constant Pmt");
    SetCentredTitle(c.title, title);
    showBarSets(c, step.sets);
}

void TChapter_006::showBarSets(ChartControls& c, BarSets sets)
{
    // Hide first, so the two sets never stand together on a one-set page.
    if (sets == BarSets::Minimum)
        ShowBarSet(c.constant, false);
    if (sets == BarSets::Constant)
        ShowBarSet(c.minimum, false);
    if (sets != BarSets::Constant)
        ShowBarSet(c.minimum, true);
    if (sets != BarSets::Minimum)
        ShowBarSet(c.constant, true);
}

void TChapter_006::resetForOpening()
{
    for (ChartControls& c : m_charts) {
        c.texts->setCurrentIndex(0);
        ShowBarSet(c.constant, false);
        c.arrow->pointAtRow(0);
    }
}

void TChapter_006::barPointed(int chart, int index)
{
    if ((chart != InterestChart && chart != PayoffChart) || index < 0 || index >= 10)
        return;
    ChartControls& c = m_charts[static_cast<std::size_t>(chart)];
    const int card = index % 5;
    const ChartBar* bar = index < 5 ? c.minimum[static_cast<std::size_t>(card)]
                                    : c.constant[static_cast<std::size_t>(card)];
    const int number = ch6::kCards[static_cast<std::size_t>(card)].number;
    c.arrow->pointAtRow(card + 1, tr("Card %1").arg(number));
    SetReadout(c.readout, c.values[static_cast<std::size_t>(index)], bar->colour());
}

void TChapter_006::clearChart(ChartControls& c)
{
    if (!c.arrow->isHidden())
        c.arrow->pointAtRow(0);
    ClearReadout(c.readout);
}

void TChapter_006::PanelGraphMouseMove()
{
    clearChart(m_charts[InterestChart]);
}

void TChapter_006::PanelGraph01MouseMove()
{
    clearChart(m_charts[PayoffChart]);
}

} // namespace quenmark
