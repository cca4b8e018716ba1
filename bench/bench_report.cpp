// Cost of the commissioning report of one unit whose 16 zones all use their
// DSP (16 curves), written whole to a file as the window and zorctl write it.
// The settings' file form (what a Save writes) is the baseline.
#include "qt_benchmark_main.h"
#include <benchmark/benchmark.h>

#include <QFileInfo>
#include <QTemporaryDir>

#include "report/settings_report.h"

namespace {

// A unit far from the defaults, every zone in one of the five modes that
// draw a curve.
UnitSettings busyUnit()
{
    UnitSettings s;
    s.holdAll();
    for (int z = 0; z < protocol::ZoneCount; ++z) {
        UnitSettings::Zone &zone = s.zones[z];
        zone.name = QStringLiteral("Zone room %1").arg(z + 1);
        zone.volume = -20 - z;
        zone.dspMode = 1 + z % 5;
        for (int b = 0; b < protocol::BandCount; ++b)
            zone.eq[b] = (b * 3 + z) % 21 - 10;
        zone.preset = 1 + z % protocol::PresetCount;
        zone.bass = z % 7 - 3;
        zone.treble = 3 - z % 7;
        zone.lowpass = 80 + 10 * z;
        zone.highpass = 100 + 50 * z;
    }
    for (int p = 0; p < protocol::PresetCount; ++p)
        for (int b = 0; b < protocol::BandCount; ++b)
            s.presets[p].eq[b] = (p + b) % 9 - 4;
    for (int g = 0; g < protocol::GroupCount; ++g)
        s.groups[g].members = quint16(0x1111u << (g % 4));
    return s;
}

const settings_report::Header header{QStringLiteral("Unit 10.0.0.7:23"), QDateTime::currentDateTime()};

} // namespace

static void BM_FileFormBaseline(benchmark::State &state)
{
    const UnitSettings settings = busyUnit();
    for (auto _ : state)
        benchmark::DoNotOptimize(settings_report::fingerprint(settings));
}
BENCHMARK(BM_FileFormBaseline)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

static void report(benchmark::State &state, const QString &name)
{
    const UnitSettings settings = busyUnit();
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    QString reason;
    for (auto _ : state)
        if (!settings_report::write(path, settings, header, &reason))
            state.SkipWithError(qPrintable(reason));
    state.counters["file_bytes"] = double(QFileInfo(path).size());
}

static void BM_ReportPdf16Curves(benchmark::State &state)
{
    report(state, QStringLiteral("report.pdf"));
}
BENCHMARK(BM_ReportPdf16Curves)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

static void BM_ReportHtml16Curves(benchmark::State &state)
{
    report(state, QStringLiteral("report.html"));
}
BENCHMARK(BM_ReportHtml16Curves)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

ZOR_QT_BENCHMARK_MAIN();
