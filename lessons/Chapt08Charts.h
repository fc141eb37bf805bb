// Chapter 8, pages 7 to 9: the three snowball time charts ($25, $50 and $100 of
// pledge money) on one page of Notebook1, with the sorted card list and its
// arrow, the legend, the bars with their info boxes, and the three summary panels.
//
// The chapter window owns the page; this object builds everything on it and
// carries out the chart step of ShowChapterPage.
#pragma once

#include <QObject>

class QWidget;

namespace quenmark {

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

    // On opening: the three info boxes and the arrow hidden.
    void resetForOpening();

private:
    QWidget* m_page = nullptr;
};

} // namespace quenmark
