// Chapter 6, "The Effect of Multiple Credit Cards": an overview, the five sample
// cards, and two bar charts (interest cost and payoff time per card), each
// shown for minimum payments, constant payments and both side by side. Moving
// the pointer over a bar (or tabbing to it) reads its value out above the bars
// and points an arrow at the card in the table beside the chart.
#pragma once

#include <QString>
#include <array>

#include "common/LessonFrame.h"

class QFrame;
class QLabel;
class QStackedWidget;

namespace quenmark {

class ChartBar;
class RowArrow;

class TChapter_006 : public LessonFrame
{
    Q_OBJECT
public:
    explicit TChapter_006(QWidget* parent = nullptr);
    ~TChapter_006() override;

    enum Chart { InterestChart = 0, PayoffChart = 1 };
    enum class BarSets { Minimum, Constant, Both };

public slots:
    // The twenty bar handlers (Card1..Card5, Loan1..Loan5 on the interest chart,
    // Card01..Card05, Loan01..Loan05 on the payoff chart) are this one over the
    // chart's bar table: index 0..4 the minimum bars, 5..9 the constant bars.
    void barPointed(int chart, int index);
    // The pointer over a chart's background, value-axis labels or card labels.
    void PanelGraphMouseMove();
    void PanelGraph01MouseMove();

protected:
    int pageTotal() const override;
    void showPage(int page, bool forward) override;
    void resetForOpening() override;

private:
    struct ChartControls
    {
        QFrame* panel = nullptr;        // PanelGraph / PanelGraph01
        QLabel* title = nullptr;        // Title1 / Title01
        QLabel* readout = nullptr;      // LabelValue / LabelTime
        RowArrow* arrow = nullptr;      // Arrow1 / Arrow01
        QStackedWidget* texts = nullptr; // Notebook2 / Notebook3
        std::array<ChartBar*, 5> minimum{};
        std::array<ChartBar*, 5> constant{};
        std::array<QString, 10> values;  // what each bar reads out, in bar order
    };

    // Chapt06Pages.cpp: the four pages, the two charts and their texts.
    void buildPages();
    ChartControls buildChartPage(QWidget* page, Chart chart);

    void showBarSets(ChartControls& c, BarSets sets);
    void clearChart(ChartControls& c);

    std::array<ChartControls, 2> m_charts;
};

} // namespace quenmark
