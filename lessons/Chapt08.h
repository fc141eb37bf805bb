// Chapter 8, "Maximizing the Use of Your Money": payment snowballing taught with
// five pies that the user walks through with the mouse pointer, pledge money on
// three text pages, and the three snowball charts (Chapt08Charts) on pages 7 to 9.
#pragma once

#include "common/LessonFrame.h"
#include "lessons/Chapt08ChartsData.h"

#include <QHash>
#include <array>

class QStackedWidget;

namespace quenmark {

class SnowballCharts;

class TChapter_008 : public LessonFrame
{
    Q_OBJECT
public:
    explicit TChapter_008(QWidget* parent = nullptr);
    ~TChapter_008() override;

    static constexpr int kTotalPages = 9;
    static constexpr int kStages = 5;
    // The five sample cards' monthly payments in payoff priority order (highest
    // APR first): the slices of the Stage 1 pie, whole dollars.
    static constexpr std::array<int, kStages> kPiePayments = ch8::PriorityPayments();

    bool stageOneVisited() const { return StageOneVisited; }

public slots:
    // Shows the notebook pages that belong to CurrentPage (1 to 9).
    void ShowChapterPage();
    // The pointer on the picture of pie `stage` (1 to 5): PieImage1MouseMove..PieImage5MouseMove.
    void PieImageMouseMove(int stage);
    // The pointer on a reset zone (PiePaintBox1, PiePaintBox2, PaintBox1, PaintBox2, Notebook3).
    void PiePaintBox1MouseMove();
    // The pointer on one of the six frame buttons: the same reset.
    void BtnNextMouseMove();
    // Lowers every lifted pie other than `stage`; stage 0 lowers all five.
    void LiftPie(int stage);

protected:
    int pageTotal() const override { return kTotalPages; }
    void showPage(int page, bool forward) override;
    void resetForOpening() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Pie
    {
        QWidget* panel = nullptr;  // PieNPanel
        QWidget* image = nullptr;  // PieImageN
        QWidget* frame = nullptr;  // PieNShadow1: the black outline
        QWidget* shadow = nullptr; // PieNShadow2: the drop shadow
    };
    struct Controls
    {
        QStackedWidget* notebook3 = nullptr;
        std::array<Pie, kStages> pies;
        QList<QWidget*> resetZones; // PiePaintBox1, PiePaintBox2, PaintBox1, PaintBox2, Notebook3
        QWidget* chartPage = nullptr;
    };

    // Chapt08Pages.cpp: the pages, their texts, the pies and the zones.
    Controls buildPages();
    void showStageText(int page);
    void endPieWalk();

    Controls m_ui;
    SnowballCharts* m_charts = nullptr;
    // Each control whose pointer moves this chapter follows: pie stage 1 to 5, or 0 for a reset zone.
    QHash<QObject*, int> m_pointerZones;
    bool StageOneVisited = false;
};

} // namespace quenmark
