// Start-up cost of the main window: constructing it (form, dialogs, plot,
// models, wiring) and showing it once, offscreen. A bare QMainWindow shown
// the same way is the baseline. The process's peak resident set size
// (VmHWM) is reported as a counter after the runs.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QMainWindow>

#include <memory>

#include "app/zor_config.h"
#include "forms/zor_config_form.h"

namespace {

// Peak resident set size of this process in MiB, or -1 if unknown.
double peakRssMiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    // Files under /proc report size 0, so read until the end rather than
    // relying on atEnd().
    const QList<QByteArray> lines = status.readAll().split('\n');
    for (const QByteArray &line : lines) {
        if (line.startsWith("VmHWM:")) {
            const QList<QByteArray> fields = line.mid(6).simplified().split(' ');
            bool ok = false;
            const double kiB = fields.value(0).toDouble(&ok);
            return ok ? kiB / 1024.0 : -1;
        }
    }
    return -1;
}

template <typename Window> void constructAndShow(benchmark::State &state)
{
    for (auto _ : state) {
        auto window = std::make_unique<Window>();
        window->show();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(window.get());

        state.PauseTiming();
        window.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
    state.counters["peak_rss_MiB"] = peakRssMiB();
}

// The form alone, built into a bare main window.
class FormOnlyWindow : public QMainWindow
{
public:
    FormOnlyWindow() { form.setupUi(this); }
    Ui_zor_config form;
};

// The offscreen platform warns on every shown window that it cannot pass
// size hints on; that says nothing about the program.
QtMessageHandler standardHandler = nullptr;

void quietOffscreenWarnings(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (!message.contains(QLatin1String("propagateSizeHints")))
        standardHandler(type, context, message);
}

void BM_BareMainWindow(benchmark::State &state)
{
    constructAndShow<QMainWindow>(state);
}

void BM_FormOnly(benchmark::State &state)
{
    constructAndShow<FormOnlyWindow>(state);
}

void BM_ConstructAndShow(benchmark::State &state)
{
    constructAndShow<zor_config>(state);
}

} // namespace

BENCHMARK(BM_BareMainWindow)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_FormOnly)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_ConstructAndShow)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    standardHandler = qInstallMessageHandler(quietOffscreenWarnings);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
