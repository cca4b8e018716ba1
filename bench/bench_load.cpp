// Loading a large file picked by mistake: 1 GiB of log lines, one very long
// line and disk-image bytes, with no setting in it. The load must end in the
// "No settings found" box without holding the file in memory: the peak
// resident size (VmHWM, which also counts mapped file pages) may grow by at
// most 32 MB.
#include "qt_benchmark_main.h"
#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryFile>
#include <QTextStream>

#include "app/zor_config.h"
#include "support/message_box_closer.h"

namespace {

constexpr qint64 MiB = 1024 * 1024;
constexpr qint64 FileSize = 1024 * MiB;
constexpr double AllowedGrowthMB = 32;

// A field of /proc/self/status in MB ("VmHWM", "VmRSS"); -1 if unreadable.
double statusMB(const QByteArray &field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
        if (line.startsWith(field + ':'))
            return line.mid(field.size() + 1).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return -1;
}

// Starts a new peak: VmHWM drops to the present resident size.
void resetPeak()
{
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    if (refs.open(QIODevice::WriteOnly))
        refs.write("5");
}

// One MiB: log lines, then a line of 256 KiB, then bytes of a disk image
// (zeros and bytes above 0x7f, none of which can form a setting).
QByteArray block()
{
    QByteArray bytes;
    bytes.reserve(MiB);
    for (int n = 0; bytes.size() < MiB / 2; ++n)
        bytes += QByteArray("Dec  8 02:19:16 host kernel: [") + QByteArray::number(n) +
                 "] eth0: link up, 1000 Mbps, full duplex\n";
    bytes += QByteArray(256 * 1024, '=') + '\n';
    for (int n = 0; bytes.size() < MiB; ++n)
        bytes += n % 4096 < 2048 ? '\0' : char(0x80 + n % 128);
    bytes.truncate(MiB);
    return bytes;
}

void BM_LoadHugeFileWithoutSettings(benchmark::State &state)
{
    QTemporaryFile file(QStringLiteral("/tmp/zor-bench-load-XXXXXX.ZOR"));
    if (!file.open()) {
        state.SkipWithError("cannot create the file in /tmp");
        return;
    }
    const QByteArray oneMiB = block();
    for (qint64 written = 0; written < FileSize; written += MiB) {
        if (file.write(oneMiB) != MiB) {
            state.SkipWithError("cannot write the file in /tmp (1 GiB needed)");
            return;
        }
    }
    file.close();

    zor_config window;
    MessageBoxCloser boxes;
    const QString expected =
        QStringLiteral("Error|No settings found in ") + file.fileName() + QLatin1Char('.');
    double growth = 0;
    bool loaded = true;
    for (auto _ : state) {
        boxes.seen.clear();
        resetPeak();
        const double before = statusMB("VmRSS");
        loaded = window.loadConfiguration(file.fileName());
        growth = statusMB("VmHWM") - before;
    }
    state.counters["VmHWM_growth_MB"] = growth;
    state.counters["file_MB"] = double(FileSize) / MiB;
    state.SetBytesProcessed(state.iterations() * FileSize);
    if (loaded || boxes.seen != QStringList{expected})
        state.SkipWithError("the load did not end in the \"No settings found\" box");
    else if (growth > AllowedGrowthMB)
        state.SkipWithError("peak resident memory grew by more than 32 MB");
}
BENCHMARK(BM_LoadHugeFileWithoutSettings)->Unit(benchmark::kSecond)->Iterations(1)->Repetitions(3);

} // namespace

ZOR_QT_BENCHMARK_MAIN()
