// The pacing pause of Send All: what a wait costs in processor time and how
// far it runs past the time asked for. Baseline: a plain thread sleep.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <chrono>
#include <thread>

#include <sys/resource.h>

#include "app/zor_config.h"

namespace {

zor_config *window = nullptr;

double processCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval &t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Processor time used during the wait, in percent of one core.
void BM_Delay10sCpu(benchmark::State &state)
{
    for (auto _ : state) {
        const double cpuBefore = processCpuSeconds();
        QElapsedTimer wall;
        wall.start();
        window->delay(10000);
        const double wallSeconds = double(wall.nsecsElapsed()) / 1e9;
        state.counters["cpu_percent"] = 100.0 * (processCpuSeconds() - cpuBefore) / wallSeconds;
        state.counters["waited_ms"] = wallSeconds * 1000.0;
    }
}
BENCHMARK(BM_Delay10sCpu)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same with the event loop busy: a timer firing every millisecond stands
// in for a stream of replies being parsed during the pause.
void BM_Delay1sWithTraffic(benchmark::State &state)
{
    QTimer traffic;
    int ticks = 0;
    QObject::connect(&traffic, &QTimer::timeout, [&ticks] { ++ticks; });
    traffic.start(1);
    for (auto _ : state) {
        const double cpuBefore = processCpuSeconds();
        QElapsedTimer wall;
        wall.start();
        window->delay(1000);
        const double wallSeconds = double(wall.nsecsElapsed()) / 1e9;
        state.counters["cpu_percent"] = 100.0 * (processCpuSeconds() - cpuBefore) / wallSeconds;
    }
    state.counters["events_handled"] = ticks;
}
BENCHMARK(BM_Delay1sWithTraffic)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

template <typename Wait> void measureOvershoot(benchmark::State &state, Wait wait)
{
    double totalOvershootMs = 0;
    double worstOvershootMs = 0;
    for (auto _ : state) {
        QElapsedTimer wall;
        wall.start();
        wait();
        const double overshoot = double(wall.nsecsElapsed()) / 1e6 - 50.0;
        totalOvershootMs += overshoot;
        worstOvershootMs = std::max(worstOvershootMs, overshoot);
    }
    state.counters["overshoot_ms"] = totalOvershootMs / double(state.iterations());
    state.counters["worst_overshoot_ms"] = worstOvershootMs;
}

void BM_Delay50msOvershoot(benchmark::State &state)
{
    measureOvershoot(state, [] { window->delay(50); });
}
BENCHMARK(BM_Delay50msOvershoot)
    ->Iterations(40)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_Sleep50msOvershootBaseline(benchmark::State &state)
{
    measureOvershoot(state, [] { std::this_thread::sleep_for(std::chrono::milliseconds(50)); });
}
BENCHMARK(BM_Sleep50msOvershootBaseline)
    ->Iterations(40)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    zor_config mainWindow;
    window = &mainWindow;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
