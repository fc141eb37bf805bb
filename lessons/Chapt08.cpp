// Chapter 8's behaviour: the page steps over the nine pages and the pie walk.
// Pages, texts, pies and zones: Chapt08Pages.cpp; the charts: Chapt08Charts.cpp.
#include "lessons/Chapt08.h"

#include <QFocusEvent>
#include <QPushButton>
#include <QStackedWidget>
#include <algorithm>

#include "common/Announce.h"
#include "lessons/Chapt08Charts.h"

namespace quenmark {

namespace {

constexpr const char* kFrameButtons[] = {"BtnQuit", "BtnContents", "BtnPrevChapt",
                                         "BtnBack", "BtnNext",     "BtnNextChapt"};
constexpr int kChartPage = 6;  // Notebook1's page of the three charts
constexpr int kFirstChart = 7; // CurrentPage of the $25 chart

} // namespace

TChapter_008::TChapter_008(QWidget* parent) : LessonFrame(chapterLook(8), parent)
{
    setWindowTitle(tr("Chapter 8"));
    m_ui = buildPages();
    m_charts = new SnowballCharts(m_ui.chartPage);

    // Every control with a pointer handler follows the pointer; its moves come
    // here through one event filter.
    auto follow = [this](QWidget* w, int stage) {
        if (!w)
            return;
        w->setMouseTracking(true);
        w->installEventFilter(this);
        m_pointerZones.insert(w, stage);
    };
    for (int stage = 1; stage <= kStages; ++stage)
        follow(m_ui.pies[static_cast<std::size_t>(stage - 1)].image, stage);
    for (QWidget* zone : m_ui.resetZones)
        follow(zone, 0);
    for (const char* name : kFrameButtons)
        follow(frameButton(name), 0);
}

TChapter_008::~TChapter_008()
{
    for (auto it = m_pointerZones.cbegin(); it != m_pointerZones.cend(); ++it)
        it.key()->removeEventFilter(this);
    m_pointerZones.clear();
}

void TChapter_008::showPage(int, bool)
{
    ShowChapterPage();
}

void TChapter_008::ShowChapterPage()
{
    const int page = std::clamp(CurrentPage, 1, kTotalPages);
    if (page < kFirstChart) {
        notebook()->setCurrentIndex(page - 1);
        if (page == 3)
            showStageText(0);
    } else {
        notebook()->setCurrentIndex(kChartPage);
        m_charts->showChart(page - kFirstChart);
    }
}

void TChapter_008::resetForOpening()
{
    StageOneVisited = false;
    showStageText(0);
    if (auto* charts = findChild<QStackedWidget*>(QStringLiteral("Notebook2")))
        charts->setCurrentIndex(0);
    m_charts->resetForOpening();
    LiftPie(0);
}

void TChapter_008::showStageText(int page)
{
    if (m_ui.notebook3->currentIndex() == page)
        return;
    m_ui.notebook3->setCurrentIndex(page);
    if (page > 0 && CurrentPage == 3)
        announce(m_ui.notebook3, shownWords(m_ui.notebook3->currentWidget()));
}

void TChapter_008::LiftPie(int stage)
{
    for (int s = 1; s <= kStages; ++s) {
        const Pie& pie = m_ui.pies[static_cast<std::size_t>(s - 1)];
        if (stage == 0 || (s != stage && !pie.frame->isHidden())) {
            pie.frame->hide();
            pie.shadow->hide();
        }
    }
}

void TChapter_008::PieImageMouseMove(int stage)
{
    if (stage < 1 || stage > kStages)
        return;
    if (stage == 1) {
        showStageText(1);
        StageOneVisited = true;
    }
    LiftPie(stage);
    if (!StageOneVisited)
        return; // the walk starts at Stage 1
    showStageText(stage);
    const Pie& pie = m_ui.pies[static_cast<std::size_t>(stage - 1)];
    if (pie.frame->isHidden()) {
        pie.frame->show();
        pie.shadow->show();
    }
}

void TChapter_008::PiePaintBox1MouseMove()
{
    endPieWalk();
}

void TChapter_008::BtnNextMouseMove()
{
    endPieWalk();
}

void TChapter_008::endPieWalk()
{
    StageOneVisited = false;
    LiftPie(0);
    showStageText(0);
}

bool TChapter_008::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseMove && type != QEvent::FocusIn)
        return LessonFrame::eventFilter(watched, event);
    const auto zone = m_pointerZones.constFind(watched);
    if (zone == m_pointerZones.cend())
        return LessonFrame::eventFilter(watched, event);
    const int stage = zone.value();
    if (type == QEvent::FocusIn) {
        // Tabbing onto a pie walks the pies from the keyboard.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (stage > 0 && (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason))
            PieImageMouseMove(stage);
    } else if (stage > 0) {
        PieImageMouseMove(stage);
    } else if (qobject_cast<QPushButton*>(watched)) {
        BtnNextMouseMove();
    } else {
        PiePaintBox1MouseMove();
    }
    return false; // the control still gets its move
}

} // namespace quenmark
