// Chapter 8, pages 7 to 9: the three snowball time charts ($25, $50 and $100 of
// pledge money) on one page of Notebook1, with the sorted card list and its
// arrow, the legend, the bars with their info boxes, and the three summary panels.
//
// The chapter window owns the page; this object builds everything on it and
// carries out the chart step of ShowChapterPage.
#pragma once

#include <QColor>
#include <QObject>
#include <array>

class QFrame;
class QLabel;
class QStackedWidget;
class QWidget;

namespace quenmark {

class RowArrow;

class SnowballCharts : public QObject
{
    Q_OBJECT
public:
    // Builds the chart page's controls on `page` (Notebook1 page 6, 578 x 325).
    explicit SnowballCharts(QWidget* page);
    ~SnowballCharts() override;

    // The chart step for pages 7, 8, 9 (pledge 0: $25, 1: $50, 2: $100): Notebook2
    // to that chart and the matching summary panel to the front. Showing
    // Notebook1's page 6 itself is the chapter's part.
    void showChart(int pledge);

    // On opening: the three info boxes and the arrow hidden, Notebook2 on its
    // first chart.
    void resetForOpening();

    // Info box 1, 2 or 3 (of the $25, $50, $100 chart): the background of its
    // six panels; showing and hiding them.
    void SetInfoBoxColor(int box, const QColor& colour);
    void ShowInfoBox(int box);
    void HideInfoBox(int box);
    bool infoBoxShowing(int box) const;
    // Row 0 hides Arrow1; rows 1 to 5 put it at the card's row of the list and show it.
    void PointArrowAtRow(int row);

public slots:
    // The 27 bar handlers (Panel26 .. Panel93) are this one over the bar table
    // (index into ch8::kBars).
    void barPointed(int bar);
    // The background handlers of the three charts (Panel1, Panel36, Panel65).
    void chartBackgroundPointed(int chart);

private:
    static constexpr int kBoxPanels = 6; // count, title, amount; twice
    void build();
    QFrame* buildChart(std::size_t chart);
    // The summary panel of chart `pledge` in front of the other two.
    void bringToFront(int pledge);

    QWidget* m_page = nullptr;
    QStackedWidget* m_book = nullptr; // Notebook2
    RowArrow* m_arrow = nullptr;      // Arrow1
    std::array<QWidget*, 3> m_summary{};
    std::array<std::array<QLabel*, kBoxPanels>, 3> m_boxes{};
    std::array<int, 3> m_boxBar{-1, -1, -1}; // the bar each info box shows; -1: none
};

} // namespace quenmark
