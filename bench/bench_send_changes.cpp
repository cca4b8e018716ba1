// Reading a unit into a model, the reading back that checks a write, Send
// Changes of a few settings and a full Send All, each against zor-unit-sim
// over loopback. A write ends with a reading back, so Send Changes and Send
// All are timed both to the end of their sending and to the checked result.
#include "qt_benchmark_main.h"
#include <benchmark/benchmark.h>

#include <QAction>
#include <QElapsedTimer>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTcpSocket>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include "app/compare_dialog.h"
#include "app/zor_config.h"
#include "forms/zor_config_form.h"
#include "protocol/core/messages.h"
#include "protocol/core/unit_reader.h"

namespace {

using Run = zor_config::Run;

constexpr int WaitMs = 60000;
// A full Send All is about 600 commands at 50 ms, then a reading back.
constexpr int RunWaitMs = 120000;

// A zor-unit-sim on a free loopback port; port 0 when it did not start.
class Simulator
{
public:
    Simulator()
    {
        process.start(QStringLiteral(ZOR_UNIT_SIM_PATH), {"--port", "0", "--no-sddp"});
        if (!process.waitForStarted() || !process.waitForReadyRead(5000))
            return;
        const QRegularExpression portPattern(QStringLiteral(":(\\d+)"));
        const QRegularExpressionMatch match =
            portPattern.match(QString::fromUtf8(process.readAllStandardOutput()));
        if (match.hasMatch())
            port = match.captured(1).toUShort();
    }
    ~Simulator()
    {
        process.terminate();
        if (!process.waitForFinished(5000))
            process.kill();
    }
    QProcess process;
    quint16 port = 0;
};

double secondsOn(const QElapsedTimer &clock)
{
    return clock.nsecsElapsed() / 1e9;
}

// Runs the event loop until `done` or the time is up. The loop sleeps until
// the next event (the wake timer bounds the sleep so the deadline is seen):
// the benchmark takes no CPU from the simulated unit while it waits.
bool waitFor(const std::function<bool()> &done, int timeoutMs = WaitMs)
{
    QElapsedTimer clock;
    clock.start();
    QTimer wake;
    wake.start(100);
    while (!done() && clock.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return done();
}

// The kinds of run a window went through, and when, in seconds on one clock.
struct RunTrace {
    struct Phase {
        Run run;
        double from;
        double to;
    };
    std::vector<Phase> phases;

    // Time spent in `run`, summed over its phases; 0 when it never ran.
    double secondsIn(Run run) const
    {
        double total = 0;
        for (const Phase &phase : phases)
            if (phase.run == run)
                total += phase.to - phase.from;
        return total;
    }
    // When the last phase of `run` ended; -1 when it never ran.
    double leftAt(Run run) const
    {
        double at = -1;
        for (const Phase &phase : phases)
            if (phase.run == run)
                at = phase.to;
        return at;
    }
    bool ran(Run run) const { return leftAt(run) >= 0; }
};

// Follows the window's run until it is None again, noting every change of
// kind against `clock`. The change is seen as soon as the event that caused
// it has been handled. False when the run does not end within RunWaitMs.
bool followRun(const zor_config &window, const QElapsedTimer &clock, RunTrace &trace)
{
    Run current = window.currentRun();
    double from = secondsOn(clock);
    QElapsedTimer deadline;
    deadline.start();
    QTimer wake;
    wake.start(100);
    while (current != Run::None && deadline.elapsed() < RunWaitMs) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        const Run now = window.currentRun();
        if (now != current) {
            const double at = secondsOn(clock);
            trace.phases.push_back({current, from, at});
            current = now;
            from = at;
        }
    }
    return current == Run::None;
}

bool verifiedMessage(zor_config &window)
{
    return window.statusBar()->currentMessage().startsWith(QStringLiteral("Verified"));
}

bool connectWindow(zor_config &window, quint16 port)
{
    window.telnetOpen(QStringLiteral("127.0.0.1:%1").arg(port));
    return waitFor([&window] { return window.ui->actionSendAll->isEnabled(); });
}

// Five settings on three pages, as the unit would report them: one set the
// unit starts with (a fresh unit's), one it does not.
QList<QByteArray> fiveSettings(bool edited)
{
    using protocol::Message;
    const auto line = [](Message id, const QVector<protocol::Field> &fields) {
        return protocol::replyLine(id, fields);
    };
    return {line(Message::ZoneName, {2, edited ? "Kitchen" : "Zone Name 2"}),
            line(Message::SourceName, {1, edited ? "Tuner" : "Source Name 1"}),
            line(Message::GroupName, {3, edited ? "Patio" : "Group Name 3"}),
            line(Message::FpSleep, {edited ? 2 : 5}), line(Message::TriggerLevel, {edited ? 85 : 20})};
}

// Medians of this run, the baselines of the ratios reported further down.
std::vector<double> readingSeconds;
std::vector<double> sendChangesSeconds;

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// The unit read into a model through a connection of its own.
void BM_ReadUnitIntoModel(benchmark::State &state)
{
    Simulator sim;
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, sim.port);
    if (!sim.port || !socket.waitForConnected(5000)) {
        state.SkipWithError("no connection to zor-unit-sim");
        return;
    }
    UnitReader reader;
    bool failed = false;
    QObject::connect(&reader, &UnitReader::commandReady, &socket,
                     [&socket](const QByteArray &c) { socket.write(c); });
    QObject::connect(&reader, &UnitReader::failed, [&failed] { failed = true; });
    QObject::connect(&socket, &QTcpSocket::readyRead, &reader, [&] { reader.feedBytes(socket.readAll()); });
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        reader.start(false);
        if (!waitFor([&reader] { return !reader.isRunning(); }) || failed) {
            state.SkipWithError("the reading did not complete");
            return;
        }
        const double seconds = secondsOn(clock);
        state.SetIterationTime(seconds);
        readingSeconds.push_back(seconds);
    }
    state.counters["lines"] = reader.linesReceived();
    state.counters["settings"] = reader.settingsReceived();
}
BENCHMARK(BM_ReadUnitIntoModel)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(5)
    ->Repetitions(5);

// One Send Changes of the five settings on a fresh unit and window: the
// window differs from the unit in exactly those, and all rows stay ticked.
struct SendChangesResult {
    bool ok = false;
    const char *error = "";
    RunTrace trace;   // ChangesReading, then SendChanges and Verify
    double total = 0; // sendChanges() to the checked result
    int differences = 0;
    bool verified = false;
};

SendChangesResult sendChangesOnce()
{
    SendChangesResult result;
    Simulator sim;
    zor_config window;
    if (!sim.port || !connectWindow(window, sim.port)) {
        result.error = "no connection to zor-unit-sim";
        return result;
    }
    for (const QByteArray &line : fiveSettings(true))
        window.parseCommand(line);
    QElapsedTimer clock;
    clock.start();
    window.sendChanges();
    if (!followRun(window, clock, result.trace)) {
        result.error = "the reading of Send Changes did not end";
        return result;
    }
    compare_dialog *dialog = window.differencesDialog();
    if (!dialog || !dialog->isVisible() || !dialog->sendButton) {
        result.error = "no differences listed";
        return result;
    }
    result.differences = dialog->table->topLevelItemCount();
    dialog->sendButton->click();
    if (window.currentRun() != Run::SendChanges) {
        result.error = "Send Selected started no sending";
        return result;
    }
    if (!followRun(window, clock, result.trace)) {
        result.error = "Send Changes did not end";
        return result;
    }
    result.total = secondsOn(clock);
    result.verified = verifiedMessage(window);
    if (!result.trace.ran(Run::Verify)) {
        result.error = "Send Changes read nothing back";
        return result;
    }
    result.ok = true;
    return result;
}

// Send Changes of five settings: the time is from sendChanges() to the
// checked result; without_verify_s ends when the last change has gone out
// (the run leaves SendChanges), verify_s is the reading back.
void BM_SendChangesFiveSettings(benchmark::State &state)
{
    SendChangesResult result;
    for (auto _ : state) {
        result = sendChangesOnce();
        if (!result.ok) {
            state.SkipWithError(result.error);
            return;
        }
        state.SetIterationTime(result.total);
        sendChangesSeconds.push_back(result.total);
    }
    state.counters["differences"] = result.differences;
    state.counters["reading_s"] = result.trace.secondsIn(Run::ChangesReading);
    state.counters["sending_s"] = result.trace.secondsIn(Run::SendChanges);
    state.counters["without_verify_s"] = result.trace.leftAt(Run::SendChanges);
    state.counters["verify_s"] = result.trace.secondsIn(Run::Verify);
    state.counters["verified"] = result.verified;
}
BENCHMARK(BM_SendChangesFiveSettings)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(7);

// The verification alone: from the moment the last command of a write has
// had its pause (the run turns from SendChanges to Verify) to the checked
// result; the ratio is against the median reading measured above.
void BM_VerificationAlone(benchmark::State &state)
{
    SendChangesResult result;
    for (auto _ : state) {
        result = sendChangesOnce();
        if (!result.ok) {
            state.SkipWithError(result.error);
            return;
        }
        state.SetIterationTime(result.trace.secondsIn(Run::Verify));
    }
    const double reading = median(readingSeconds);
    state.counters["reading_median_s"] = reading;
    state.counters["vs_reading"] = reading > 0 ? result.trace.secondsIn(Run::Verify) / reading : 0;
    state.counters["verified"] = result.verified;
}
BENCHMARK(BM_VerificationAlone)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(7);

// A full Send All from a window that differs from a fresh unit in the five
// settings. The time is from sendAll() to the checked result (with its
// verification); without_verify_s ends when the run leaves SendAll, after
// the pause that follows the last command; verify_s is the difference. The
// ratio is against the median Send Changes measured above in this run.
void BM_SendAllWithAndWithoutVerification(benchmark::State &state)
{
    Simulator sim;
    zor_config window;
    if (!sim.port || !connectWindow(window, sim.port)) {
        state.SkipWithError("no connection to zor-unit-sim");
        return;
    }
    for (const QByteArray &line : fiveSettings(true))
        window.parseCommand(line);
    int commands = 0;
    QObject::connect(&window, &zor_config::sendSentData, [&commands, &window] {
        if (window.currentRun() == Run::SendAll)
            ++commands;
    });
    RunTrace trace;
    double total = 0;
    for (auto _ : state) {
        commands = 0;
        trace = RunTrace();
        QElapsedTimer clock;
        clock.start();
        window.sendAll();
        if (window.currentRun() != Run::SendAll) {
            state.SkipWithError("sendAll() started no run");
            return;
        }
        if (!followRun(window, clock, trace)) {
            state.SkipWithError("Send All did not end");
            return;
        }
        total = secondsOn(clock);
        if (!trace.ran(Run::Verify)) {
            state.SkipWithError("Send All read nothing back");
            return;
        }
        state.SetIterationTime(total);
    }
    const double withoutVerify = trace.leftAt(Run::SendAll);
    const double changes = median(sendChangesSeconds);
    state.counters["commands"] = commands;
    state.counters["without_verify_s"] = withoutVerify;
    state.counters["verify_s"] = trace.secondsIn(Run::Verify);
    state.counters["verify_share"] = total > 0 ? trace.secondsIn(Run::Verify) / total : 0;
    state.counters["send_changes_median_s"] = changes;
    state.counters["vs_send_changes"] = changes > 0 ? total / changes : 0;
    state.counters["verified"] = verifiedMessage(window);
}
BENCHMARK(BM_SendAllWithAndWithoutVerification)
    ->Unit(benchmark::kSecond)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(3);

} // namespace

ZOR_QT_BENCHMARK_MAIN()
