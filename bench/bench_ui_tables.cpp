// The table chapters 3, 4 and 5 driven for real on the platform
// QT_QPA_PLATFORM names (offscreen by default): creating and showing a
// window, paging through it and back, a highlight routine pair on a shown
// page, and chapter 3's table reloads. Prints resident memory before and
// after 300, 600 and 900 visits of the three chapters, then runs the benchmarks.
//
//   BM_TableChapterOpen/N     create, show and release chapter N's window
//   BM_TableChapterWalk/N     page 1 to the last page and back again
//   BM_HighlightPair          RestoreCardPercents + HighlightCardPercents, shown
//   BM_Chapter3Reload         Back 7 -> 6 (card table again, 12 rows) and Next 6 -> 7
#include <QApplication>
#include <QTest>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>
#include <unistd.h>

#include "FakePlatform.h"
#include "common/LessonFrame.h"
#include "lessons/Chapt04.h"
#include "lessons/Chapters.h"
#include "WidgetBenchMain.h"

using namespace quenmark;

namespace {

std::unique_ptr<LessonFrame> shown(int chapter)
{
    std::unique_ptr<LessonFrame> w(createChapterWindow(chapter, nullptr));
    w->show();
    (void)QTest::qWaitForWindowExposed(w.get());
    return w;
}

void BM_TableChapterOpen(benchmark::State& st)
{
    const int chapter = static_cast<int>(st.range(0));
    for (auto _ : st) {
        auto w = shown(chapter);
        benchmark::DoNotOptimize(w.get());
    }
}
BENCHMARK(BM_TableChapterOpen)->DenseRange(3, 5)->Unit(benchmark::kMillisecond);

void BM_TableChapterWalk(benchmark::State& st)
{
    auto w = shown(static_cast<int>(st.range(0)));
    int turns = 0;
    for (auto _ : st) {
        while (w->currentPage() < w->totalPageCount()) {
            w->BtnNextClick();
            ++turns;
        }
        while (w->currentPage() > 1) {
            w->BtnBackClick();
            ++turns;
        }
    }
    st.counters["page turns"] = benchmark::Counter(turns, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_TableChapterWalk)->DenseRange(3, 5)->Unit(benchmark::kMillisecond);

void BM_HighlightPair(benchmark::State& st)
{
    std::unique_ptr<TChapter_004> w = std::make_unique<TChapter_004>();
    w->show();
    (void)QTest::qWaitForWindowExposed(w.get());
    while (w->currentPage() < 8) // the card percent columns are shown highlighted
        w->BtnNextClick();
    for (auto _ : st) {
        w->highlighter().run(QStringLiteral("RestoreCardPercents"));
        w->highlighter().run(QStringLiteral("HighlightCardPercents"));
    }
}
BENCHMARK(BM_HighlightPair)->Unit(benchmark::kMicrosecond);

void BM_Chapter3Reload(benchmark::State& st)
{
    auto w = shown(3);
    while (w->currentPage() < 7)
        w->BtnNextClick();
    for (auto _ : st) {
        w->BtnBackClick();
        w->BtnNextClick();
    }
}
BENCHMARK(BM_Chapter3Reload)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    FakePlatform fake;

    shown(3).reset(); // fonts and styles loaded once
    std::printf("resident memory before the visits: %ld KiB\n", residentKiB());
    for (int round = 1; round <= 3; ++round) {
        for (int visit = 0; visit < 100; ++visit)
            for (int chapter : {3, 4, 5}) {
                auto w = shown(chapter);
                while (w->currentPage() < w->totalPageCount())
                    w->BtnNextClick();
            }
        QCoreApplication::processEvents();
        std::printf("resident memory after %d visits of chapters 3 to 5: %ld KiB\n", 300 * round, residentKiB());
    }

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
