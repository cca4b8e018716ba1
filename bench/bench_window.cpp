#include <benchmark/benchmark.h>

#include <QApplication>

#include "app/zor_config.h"

static void BM_ConstructAndShow(benchmark::State &state)
{
    for (auto _ : state) {
        zor_config window;
        window.show();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(&window);
    }
}
BENCHMARK(BM_ConstructAndShow)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
