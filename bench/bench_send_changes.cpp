// Reading a unit into a model, and Send Changes of a few settings against a
// full Send All, side by side against zor-unit-sim over loopback.
#include "qt_benchmark_main.h"
#include <benchmark/benchmark.h>

#include <QAction>
#include <QElapsedTimer>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QTreeWidget>

#include <algorithm>
#include <memory>
#include <vector>

#include "app/compare_dialog.h"
#include "app/zor_config.h"
#include "forms/zor_config_form.h"
#include "protocol/core/messages.h"
#include "protocol/core/unit_reader.h"

namespace {

constexpr int WaitMs = 60000;

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

bool waitFor(const std::function<bool()> &done)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < WaitMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
    return done();
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

std::vector<double> sendChangesSeconds;

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
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
    QObject::connect(&reader, &UnitReader::commandReady, &socket,
                     [&socket](const QByteArray &c) { socket.write(c); });
    QObject::connect(&socket, &QTcpSocket::readyRead, &reader, [&] { reader.feedBytes(socket.readAll()); });
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        reader.start(false);
        if (!waitFor([&reader] { return !reader.isRunning(); })) {
            state.SkipWithError("the reading did not end");
            return;
        }
        state.SetIterationTime(clock.nsecsElapsed() / 1e9);
    }
    state.counters["lines"] = reader.linesReceived();
    state.counters["settings"] = reader.settingsReceived();
}
BENCHMARK(BM_ReadUnitIntoModel)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(5)
    ->Repetitions(5);

// The window differs from the unit in five settings; Send Changes, the
// reading of the unit included, makes them equal. Each iteration sets the
// window to the other of the two sets, so it always has five to send.
void BM_SendChangesFiveSettings(benchmark::State &state)
{
    Simulator sim;
    zor_config window;
    if (!sim.port || !connectWindow(window, sim.port)) {
        state.SkipWithError("no connection to zor-unit-sim");
        return;
    }
    bool edited = false;
    int differences = 0;
    for (auto _ : state) {
        edited = !edited;
        for (const QByteArray &line : fiveSettings(edited))
            window.parseCommand(line);
        QElapsedTimer clock;
        clock.start();
        window.sendChanges();
        if (!waitFor([&window] { return window.differencesDialog() != nullptr; })) {
            state.SkipWithError("no differences listed");
            return;
        }
        compare_dialog *dialog = window.differencesDialog();
        differences = dialog->table->topLevelItemCount();
        dialog->sendButton->click();
        if (!waitFor([&window] { return window.ui->actionLoad->isEnabled(); })) {
            state.SkipWithError("Send Changes did not end");
            return;
        }
        const double seconds = clock.nsecsElapsed() / 1e9;
        state.SetIterationTime(seconds);
        sendChangesSeconds.push_back(seconds);
    }
    state.counters["differences"] = differences;
}
BENCHMARK(BM_SendChangesFiveSettings)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(4)
    ->Repetitions(3);

// The full Send All the same window would otherwise need; the ratio is
// against the median Send Changes measured above in this run.
void BM_SendAllBaseline(benchmark::State &state)
{
    Simulator sim;
    zor_config window;
    if (!sim.port || !connectWindow(window, sim.port)) {
        state.SkipWithError("no connection to zor-unit-sim");
        return;
    }
    for (const QByteArray &line : fiveSettings(true))
        window.parseCommand(line);
    double wall = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        window.sendAll();
        wall = clock.nsecsElapsed() / 1e9;
        state.SetIterationTime(wall);
    }
    const double changes = median(sendChangesSeconds);
    state.counters["send_changes_median_s"] = changes;
    state.counters["ratio"] = changes > 0 ? wall / changes : 0;
}
BENCHMARK(BM_SendAllBaseline)->Unit(benchmark::kSecond)->UseManualTime()->Iterations(1)->Repetitions(1);

} // namespace

ZOR_QT_BENCHMARK_MAIN()
