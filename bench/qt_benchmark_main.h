#ifndef QT_BENCHMARK_MAIN_H
#define QT_BENCHMARK_MAIN_H

// main() for a benchmark that needs widgets: an offscreen QApplication
// around Google Benchmark's runner.

#include <QApplication>
#include <benchmark/benchmark.h>

#define ZOR_QT_BENCHMARK_MAIN()                                                                              \
    int main(int argc, char **argv)                                                                          \
    {                                                                                                        \
        qputenv("QT_QPA_PLATFORM", "offscreen");                                                             \
        QApplication application(argc, argv);                                                                \
        benchmark::Initialize(&argc, argv);                                                                  \
        benchmark::RunSpecifiedBenchmarks();                                                                 \
        benchmark::Shutdown();                                                                               \
        return 0;                                                                                            \
    }

#endif // QT_BENCHMARK_MAIN_H
