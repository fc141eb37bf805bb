// Soak: 1,000 chapter visits in one process through the real chapter loop
// (stand-by screen, chapter window shown modally, every page turned by Next,
// Next Chapter, 9 wrapping round to 1), with the resident memory after a walk
// through all nine chapters and then every 100 visits, and the heap's own
// figures beside it (bytes in use, bytes held) to tell growth from
// fragmentation. Then the time of one visit as a benchmark.
//
//   bench_ui_soak [--visits N] [--soak-only] [benchmark options]
//
// Offscreen unless a display is set: `xvfb-run -a build/bench/bench_ui_soak`
// measures under X11.
#include "common/LessonFrame.h"
#include "lessons/Chapters.h"
#include "shell/ContentsScreen.h"
#include "shell/Startup.h"
#include "FakePlatform.h"
#include "ModalDriver.h"
#include "PageWalk.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <malloc.h>
#include <unistd.h>

using namespace quenmark;

namespace {

double residentMiB()
{
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

void report(const char* when, int visits)
{
    const struct mallinfo2 m = mallinfo2();
    std::printf("%-28s visits %5d  resident %6.1f MiB  heap in use %6.1f MiB  heap held %6.1f MiB\n", when, visits,
                residentMiB(), double(m.uordblks + m.hblkhd) / (1024.0 * 1024.0),
                double(m.arena + m.hblkhd) / (1024.0 * 1024.0));
    std::fflush(stdout);
}

// Runs the chapter loop from the chapter shown last for `count` visits: each
// visit turns every page by Next and leaves by Next Chapter (chapter 9 by
// result 6, which the loop turns into chapter 1); the last leaves by Contents.
int g_visits = 0;
void visits(TChapter_000* contents, int count)
{
    test::ModalDriver driver;
    for (int i = 0; i < count; ++i) {
        const bool last = i == count - 1;
        driver.add([&driver, last](QWidget* modal) {
            auto* frame = qobject_cast<LessonFrame*>(modal);
            if (!frame)
                return driver.fail(QStringLiteral("not a chapter: ") + modal->objectName());
            ++g_visits;
            test::forEachPageByNext(frame, [](int) { return true; });
            if (last)
                driver.click(frame, QStringLiteral("BtnContents"));
            else if (frame->chapterNumber() == 9)
                QMetaObject::invokeMethod(frame, [frame] { frame->done(LessonFrame::ResultNextChapter); },
                                          Qt::QueuedConnection);
            else
                driver.click(frame, QStringLiteral("BtnNextChapt"));
        });
    }
    driver.start();
    contents->RunChapterLoop();
    driver.stop();
    if (driver.failed())
        std::fprintf(stderr, "soak: %s\n", qPrintable(driver.failure()));
}

// One visit of chapter N without the loop: create, show, every page, release.
void BM_ChapterVisit(benchmark::State& state)
{
    const int chapter = static_cast<int>(state.range(0));
    for (auto _ : state) {
        LessonFrame* w = createChapterWindow(chapter, nullptr);
        w->show();
        test::forEachPageByNext(w, [](int) { return true; });
        w->hide();
        delete w;
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_ChapterVisit)->DenseRange(1, 9)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    int total = 1000;
    bool soakOnly = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--visits") == 0 && i + 1 < argc)
            total = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "--soak-only") == 0)
            soakOnly = true;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication app(argc, argv);
    FakePlatform fake;
    fake.date = QDate(2009, 1, 1); // no update reminder
    auto contents = StartUp();
    QCoreApplication::processEvents();
    std::printf("platform: %s\n", qPrintable(QGuiApplication::platformName()));
    report("after start-up", 0);

    contents->CurrentChapter = 1;
    visits(contents.get(), 9);
    report("after all nine chapters", g_visits);
    while (g_visits < total) {
        const int step = std::min(100 - g_visits % 100, total - g_visits);
        visits(contents.get(), step);
        report("", g_visits);
    }

    if (!soakOnly) {
        // Drop our own arguments before Google Benchmark reads the rest.
        int kept = 1;
        for (int i = 1; i < argc; ++i) {
            if (std::strcmp(argv[i], "--visits") == 0) {
                ++i;
                continue;
            }
            if (std::strcmp(argv[i], "--soak-only") != 0)
                argv[kept++] = argv[i];
        }
        argc = kept;
        benchmark::Initialize(&argc, argv);
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
    }
    contents.reset();
    return 0;
}
