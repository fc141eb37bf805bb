// Chapter 8's window: making and opening it, painting the pie page (five pies
// drawn by code), one pie drawn at two screen scales, and a pie walk of real
// pointer moves from Stage 1 to Stage 5 and back to a reset zone.
//
//   BM_Chapter8Open      create, show and release the chapter window; the counter
//                        is the resident memory it left behind over all visits
//   BM_PiePagePaint      paint the whole pie page once
//   BM_PieDraw/<scale>   one Stage 1 pie at its 119 x 66 size, at scale 1 and 2
//   BM_PieWalk           eleven pointer moves: the five pies, the gaps, a reset zone
#include <QApplication>
#include <QPainter>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>
#include <unistd.h>

#include "FakePlatform.h"
#include "lessons/Chapt08.h"
#include "pictures/Pies.h"
#include "WidgetBenchMain.h"

using namespace quenmark;

namespace {

std::unique_ptr<TChapter_008> openOnPiePage()
{
    auto w = std::make_unique<TChapter_008>();
    w->show();
    (void)QTest::qWaitForWindowExposed(w.get());
    auto* next = w->findChild<QPushButton*>(QStringLiteral("BtnNext"));
    while (w->currentPage() < 3)
        next->click();
    return w;
}

void BM_Chapter8Open(benchmark::State& st)
{
    FakePlatform fake;
    long before = 0;
    for (auto _ : st) {
        auto w = std::make_unique<TChapter_008>();
        w->show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(w.get());
        if (before == 0) // after the first visit has loaded fonts and styles
            before = residentKiB();
    }
    st.counters["grownKiB"] = static_cast<double>(residentKiB() - before);
}
BENCHMARK(BM_Chapter8Open)->Unit(benchmark::kMillisecond);

void BM_PiePagePaint(benchmark::State& st)
{
    FakePlatform fake;
    auto w = openOnPiePage();
    QWidget* page = w->notebook()->currentWidget();
    for (auto _ : st) {
        QPixmap shot = page->grab();
        benchmark::DoNotOptimize(shot.cacheKey());
    }
}
BENCHMARK(BM_PiePagePaint)->Unit(benchmark::kMillisecond);

void BM_PieDraw(benchmark::State& st)
{
    const int scale = static_cast<int>(st.range(0));
    QImage img(119 * scale, 66 * scale, QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(scale);
    for (auto _ : st) {
        img.fill(Qt::white);
        QPainter p(&img);
        DrawSnowballPie(p, QRectF(0, 0, 119, 66), TChapter_008::kPiePayments, 1);
    }
}
BENCHMARK(BM_PieDraw)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

void BM_PieWalk(benchmark::State& st)
{
    FakePlatform fake;
    auto w = openOnPiePage();
    QWidget* page = w->notebook()->currentWidget();
    const QPoint gaps[] = {{78, 213}, {149, 265}, {289, 265}, {430, 265}};
    auto moveTo = [&](QWidget* target, QPoint at) {
        QTest::mouseMove(w->windowHandle(), target->mapTo(w.get(), at));
    };
    for (auto _ : st) {
        for (int stage = 1; stage <= TChapter_008::kStages; ++stage) {
            auto* pie = w->findChild<QWidget*>(QStringLiteral("PieImage%1").arg(stage));
            moveTo(pie, pie->rect().center());
            if (stage < TChapter_008::kStages)
                moveTo(page, gaps[stage - 1]);
        }
        moveTo(page, {570, 318});      // the margin by Stage 5: the walk ends
        QApplication::processEvents(); // the repaints the walk asked for
    }
}
BENCHMARK(BM_PieWalk)->Unit(benchmark::kMillisecond);

} // namespace

QUENMARK_WIDGET_BENCHMARK_MAIN()
