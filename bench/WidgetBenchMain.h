// The main() of a widget benchmark: offscreen unless a platform is chosen, one
// application object, then every registered benchmark.
#pragma once

#include <QApplication>
#include <benchmark/benchmark.h>

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
