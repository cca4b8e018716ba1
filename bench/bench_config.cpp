// Saving and loading configuration files, and Send All to the simulated unit.
#include "qt_benchmark_main.h"
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTcpSocket>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>

#include "app/zor_config.h"

namespace {

double processCpuSeconds()
{
    struct rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// A window whose every zone uses its DSP, so that a save writes a full file.
void fillWindow(zor_config &window)
{
    for (int z = 0; z < 16; ++z) {
        window.zoneDsp[z].mode = Eq;
        for (int b = 0; b < 10; ++b)
            window.zoneDsp[z].eq[b] = (z + b) % 21 - 10;
    }
    for (int g = 0; g < 10; ++g)
        window.groupZones[g] = quint16(0x5555u << (g % 2));
    for (int f = 0; f < 10; ++f)
        for (int z = 0; z < 16; ++z)
            window.favoriteSource[f][z] = (f + z) % 16;
}

void BM_SaveFullWindow(benchmark::State &state)
{
    QTemporaryDir dir;
    zor_config window;
    fillWindow(window);
    const QString path = dir.filePath(QStringLiteral("full.ZOR"));
    for (auto _ : state) {
        benchmark::DoNotOptimize(window.saveConfiguration(path));
        QCoreApplication::processEvents(); // the console takes the lines in
    }
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    state.counters["lines"] = file.readAll().count('\n');
}
BENCHMARK(BM_SaveFullWindow)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);

void BM_LoadFullFile(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("full.ZOR"));
    {
        zor_config source;
        fillWindow(source);
        source.saveConfiguration(path);
    }
    zor_config window;
    for (auto _ : state) {
        benchmark::DoNotOptimize(window.loadConfiguration(path));
        QCoreApplication::processEvents(); // the console takes the lines in
    }
}
BENCHMARK(BM_LoadFullFile)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);

// Send All over loopback to zor-unit-sim: sendAll() starts the run and
// returns; the time is the sending, until the run leaves SendAll (after the
// pause that follows the last command). Counters: the commands sent in that
// time, the wall time against commands x 50 ms, the process's CPU time in
// that time against the wall time, and the reading back that follows
// (verify_s, and whether the window reported every setting as taken).
void BM_SendAllToSimulatedUnit(benchmark::State &state)
{
    using Run = zor_config::Run;
    QProcess sim;
    sim.start(QStringLiteral(ZOR_UNIT_SIM_PATH), {"--port", "0", "--no-sddp"});
    if (!sim.waitForStarted() || !sim.waitForReadyRead(5000)) {
        state.SkipWithError("zor-unit-sim did not start");
        return;
    }
    const QRegularExpression portPattern(QStringLiteral(":(\\d+)"));
    const QRegularExpressionMatch match = portPattern.match(QString::fromUtf8(sim.readAllStandardOutput()));
    if (!match.hasMatch()) {
        state.SkipWithError("zor-unit-sim printed no port");
        return;
    }
    zor_config window;
    fillWindow(window);
    window.telnetOpen(QStringLiteral("127.0.0.1:") + match.captured(1));
    // The connection comes up while the event loop runs. The waits here
    // sleep until the next event (the wake timer bounds the sleep), so the
    // CPU time measured is the window's work, not the waiting.
    QTimer wake;
    wake.start(100);
    QElapsedTimer connecting;
    connecting.start();
    while (window.tcpSocket->state() != QAbstractSocket::ConnectedState && connecting.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    if (window.tcpSocket->state() != QAbstractSocket::ConnectedState) {
        state.SkipWithError("no connection to zor-unit-sim");
        return;
    }
    // The commands of the sending, and the shortest and longest pause
    // between two of them: the unit needs its 50 ms after each.
    int commands = 0;
    QElapsedTimer sinceCommand;
    double shortestGap = 0, longestGap = 0;
    QObject::connect(&window, &zor_config::sendSentData, [&] {
        if (window.currentRun() != Run::SendAll)
            return;
        if (commands > 0) {
            const double gap = sinceCommand.nsecsElapsed() / 1e6;
            shortestGap = commands == 1 ? gap : std::min(shortestGap, gap);
            longestGap = std::max(longestGap, gap);
        }
        sinceCommand.start();
        ++commands;
    });
    double wall = 0, cpu = 0, verify = 0;
    bool verified = false;
    for (auto _ : state) {
        commands = 0;
        shortestGap = longestGap = 0;
        QElapsedTimer clock;
        clock.start();
        const double cpuStart = processCpuSeconds();
        window.sendAll();
        if (window.currentRun() != Run::SendAll) {
            state.SkipWithError("sendAll() started no run");
            return;
        }
        while (window.currentRun() == Run::SendAll && clock.elapsed() < 120000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        wall = clock.nsecsElapsed() / 1e9;
        cpu = processCpuSeconds() - cpuStart;
        if (window.currentRun() == Run::SendAll) {
            state.SkipWithError("Send All did not end");
            return;
        }
        state.SetIterationTime(wall);
        // The reading back is not part of the sending; it is waited for
        // untimed so the next Send All finds the window idle.
        state.PauseTiming();
        while (window.currentRun() != Run::None && clock.elapsed() < 180000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        verify = clock.nsecsElapsed() / 1e9 - wall;
        const bool ended = window.currentRun() == Run::None;
        verified = window.statusBar()->currentMessage().startsWith(QStringLiteral("Verified"));
        state.ResumeTiming();
        if (!ended) {
            state.SkipWithError("the reading back after Send All did not end");
            return;
        }
    }
    state.counters["commands"] = commands;
    state.counters["wall_vs_paced"] = commands ? wall / (commands * 0.050) : 0;
    state.counters["cpu_share"] = wall > 0 ? cpu / wall : 0;
    state.counters["min_gap_ms"] = shortestGap;
    state.counters["max_gap_ms"] = longestGap;
    state.counters["verify_s"] = verify;
    state.counters["verified"] = verified;
    sim.terminate();
    sim.waitForFinished();
}
BENCHMARK(BM_SendAllToSimulatedUnit)
    ->Unit(benchmark::kSecond)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(2);

} // namespace

ZOR_QT_BENCHMARK_MAIN()
