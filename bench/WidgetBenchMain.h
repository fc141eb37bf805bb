// What the widget benchmarks share: their main() (offscreen unless a platform
// is chosen, one application object, then every registered benchmark) and the
// process's resident memory.
#pragma once

#include <QApplication>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <unistd.h>

// Resident memory of this process in KiB (0 where /proc cannot be read).
inline long residentKiB()
{
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

#define QUENMARK_WIDGET_BENCHMARK_MAIN()                                 \
    int main(int argc, char** argv)                                      \
    {                                                                    \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))              \
            qputenv("QT_QPA_PLATFORM", "offscreen");                     \
        QApplication app(argc, argv);                                    \
        benchmark::Initialize(&argc, argv);                              \
        benchmark::RunSpecifiedBenchmarks();                             \
        benchmark::Shutdown();                                           \
        return 0;                                                        \
    }
