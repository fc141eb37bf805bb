// The chart pages driven for real on the platform QT_QPA_PLATFORM names
// (offscreen by default):
//
//   BM_Chapter6Create      creating and showing the chapter-6 window (both charts)
//   BM_SnowballPageCreate  building chapter 8's chart page (3 charts, 27 bars)
//   BM_Chapter6Readout     one pointer move onto a bar and one onto the background,
//                          each readout repainted at once
//   BM_SnowballReadout     the same on the $25 chart: info box and arrow
#include <QApplication>
#include <QTest>
#include <QWidget>
#include <benchmark/benchmark.h>
#include <memory>

#include "FakePlatform.h"
#include "lessons/Chapt06.h"
#include "lessons/Chapt08Charts.h"
#include "WidgetBenchMain.h"

using namespace quenmark;

namespace {

void BM_Chapter6Create(benchmark::State& st)
{
    FakePlatform fake;
    for (auto _ : st) {
        auto w = std::make_unique<TChapter_006>();
        w->show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(w.get());
    }
}
BENCHMARK(BM_Chapter6Create)->Unit(benchmark::kMillisecond);

void BM_SnowballPageCreate(benchmark::State& st)
{
    for (auto _ : st) {
        QWidget page;
        page.resize(578, 325);
        auto* charts = new SnowballCharts(&page);
        charts->showChart(0);
        page.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(charts);
    }
}
BENCHMARK(BM_SnowballPageCreate)->Unit(benchmark::kMillisecond);

// Alternating moves onto `bar` and onto an empty spot of its chart.
void moveAndBack(benchmark::State& st, QWidget* window, QWidget* bar, QWidget* chart, QPoint empty)
{
    QWindow* handle = window->windowHandle();
    const QPoint onBar = bar->mapTo(window, bar->rect().center());
    const QPoint onChart = chart->mapTo(window, empty);
    for (auto _ : st) {
        QTest::mouseMove(handle, onBar);
        QTest::mouseMove(handle, onChart);
    }
}

void BM_Chapter6Readout(benchmark::State& st)
{
    FakePlatform fake;
    TChapter_006 w;
    w.show();
    (void)QTest::qWaitForWindowExposed(&w);
    w.BtnNextClick();
    w.BtnNextClick();
    auto* chart = w.findChild<QWidget*>(QStringLiteral("PanelGraph"));
    moveAndBack(st, &w, chart->findChild<QWidget*>(QStringLiteral("Card1")), chart, QPoint(260, 100));
}
BENCHMARK(BM_Chapter6Readout)->Unit(benchmark::kMicrosecond);

void BM_SnowballReadout(benchmark::State& st)
{
    QWidget page;
    page.resize(578, 325);
    auto* charts = new SnowballCharts(&page);
    charts->showChart(0);
    page.show();
    (void)QTest::qWaitForWindowExposed(&page);
    auto* chart = page.findChild<QWidget*>(QStringLiteral("Panel1"));
    moveAndBack(st, &page, chart->findChild<QWidget*>(QStringLiteral("Panel30")), chart, QPoint(500, 100));
}
BENCHMARK(BM_SnowballReadout)->Unit(benchmark::kMicrosecond);

} // namespace

QUENMARK_WIDGET_BENCHMARK_MAIN()
