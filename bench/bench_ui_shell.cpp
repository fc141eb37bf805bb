// Shell timings and memory: process start to splash painted, end of the splash
// wait to contents screen ready, chapter window creation, resident memory
// after start-up and after walking the nine chapters, CPU time in the waits.
//
//   bench_ui_shell                 the measurements, then the benchmarks
//   bench_ui_shell --walk N        only walk all nine chapters N times (for
//                                  valgrind / heaptrack runs)
#include "common/LessonFrame.h"
#include "lessons/Chapters.h"
#include "shell/ContentsScreen.h"
#include "common/Platform.h"
#include "shell/Splash.h"
#include "shell/Startup.h"
#include "FakePlatform.h"
#include "ModalDriver.h"
#include "WidgetBenchMain.h"

#include <QApplication>
#include <QTest>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

using namespace quenmark;

namespace {

double monotonicMs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

double cpuMs()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3 + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e3;
}

// Child: the program's first steps up to the splash painted; prints the moment.
int splashChild(int argc, char** argv)
{
    QApplication app(argc, argv);
    TSplashScreen splash;
    splash.showAndPaint();
    std::printf("%.3f\n", monotonicMs());
    return 0;
}

double processStartToSplash(const char* self)
{
    int pipeFd[2];
    if (pipe(pipeFd) != 0)
        return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFd[1], 1);
    posix_spawn_file_actions_addclose(&actions, pipeFd[0]);
    char arg0[] = "bench_ui_shell";
    char arg1[] = "--splash-child";
    char* args[] = {arg0, arg1, nullptr};
    const double start = monotonicMs();
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, self, &actions, nullptr, args, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFd[1]);
    char buf[64] = {};
    const ssize_t n = rc == 0 ? read(pipeFd[0], buf, sizeof buf - 1) : -1;
    close(pipeFd[0]);
    int status = 0;
    if (rc == 0)
        waitpid(pid, &status, 0);
    return n > 0 ? std::atof(buf) - start : -1;
}

// Walks chapters 1..9 with Next Chapter (from each chapter's last page), `times` times.
void walkChapters(TChapter_000* contents, int times)
{
    for (int t = 0; t < times; ++t) {
        test::ModalDriver driver;
        for (int i = 0; i < 9; ++i) {
            driver.add([&driver, i](QWidget* modal) {
                auto* frame = qobject_cast<LessonFrame*>(modal);
                if (!frame)
                    return driver.fail(QStringLiteral("not a chapter"));
                while (frame->currentPage() < frame->totalPageCount())
                    frame->BtnNextClick();
                driver.click(frame, i < 8 ? QStringLiteral("BtnNextChapt") : QStringLiteral("BtnContents"));
            });
        }
        driver.start();
        contents->CurrentChapter = 1;
        contents->RunChapterLoop();
        driver.stop();
        if (driver.failed())
            std::fprintf(stderr, "walk failed: %s\n", qPrintable(driver.failure()));
    }
}

void BM_ChapterWindowCreation(benchmark::State& state)
{
    const int chapter = static_cast<int>(state.range(0));
    for (auto _ : state) {
        LessonFrame* w = createChapterWindow(chapter, nullptr);
        benchmark::DoNotOptimize(w);
        delete w;
    }
}
BENCHMARK(BM_ChapterWindowCreation)->DenseRange(1, 9)->Unit(benchmark::kMicrosecond);

void BM_ChapterWindowCreateAndShow(benchmark::State& state)
{
    const int chapter = static_cast<int>(state.range(0));
    for (auto _ : state) {
        LessonFrame* w = createChapterWindow(chapter, nullptr);
        w->show();
        QCoreApplication::processEvents();
        delete w;
    }
}
BENCHMARK(BM_ChapterWindowCreateAndShow)->DenseRange(1, 9, 4)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--splash-child") == 0)
        return splashChild(argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    int walks = -1;
    if (argc > 2 && std::strcmp(argv[1], "--walk") == 0)
        walks = std::atoi(argv[2]);

    if (walks < 0) {
        double best = 1e9, sum = 0;
        for (int i = 0; i < 5; ++i) {
            const double ms = processStartToSplash("/proc/self/exe");
            best = std::min(best, ms);
            sum += ms;
        }
        std::printf("process start to splash painted: best %.1f ms, mean %.1f ms (5 runs)\n", best, sum / 5);
    }

    QApplication app(argc, argv);
    FakePlatform fake;
    fake.date = QDate(2009, 1, 1); // no update reminder in measurements
    double waitReturned = 0;
    fake.onWait = [&](std::uint64_t) { waitReturned = monotonicMs(); };
    auto contents = StartUp();
    if (!QTest::qWaitForWindowExposed(contents.get()))
        std::fprintf(stderr, "contents screen not exposed\n");
    const double ready = monotonicMs();
    fake.onWait = nullptr;
    if (walks >= 0) {
        walkChapters(contents.get(), walks);
        contents.reset();
        return 0;
    }
    std::printf("end of splash wait to contents screen ready: %.1f ms\n", ready - waitReturned);
    QCoreApplication::processEvents();
    std::printf("resident memory after start-up: %ld KiB\n", residentKiB());
    walkChapters(contents.get(), 1);
    std::printf("resident memory after 1 walk through nine chapters: %ld KiB\n", residentKiB());
    walkChapters(contents.get(), 9);
    std::printf("resident memory after 10 walks: %ld KiB\n", residentKiB());
    walkChapters(contents.get(), 10);
    std::printf("resident memory after 20 walks: %ld KiB\n", residentKiB());

    // CPU used while the real platform holds the thread (splash-length wait).
    setPlatform(nullptr);
    const double cpu0 = cpuMs();
    const double t0 = monotonicMs();
    platform().waitUntil(platform().tickMs() + 2000);
    std::printf("2000 ms wait: %.1f ms wall, %.2f ms CPU\n", monotonicMs() - t0, cpuMs() - cpu0);
    const double cpu1 = cpuMs();
    platform().waitUntil(platform().tickMs() + 1000);
    std::printf("1000 ms wait: %.2f ms CPU\n", cpuMs() - cpu1);
    setPlatform(&fake);

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    contents.reset();
    return 0;
}
