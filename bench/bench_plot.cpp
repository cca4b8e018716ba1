// Cost of redrawing the response plot, the work done on every DSP slider
// release and every DSP reply from the unit. The response math alone is the
// baseline; the scene work is the rest.
#include "qt_benchmark_main.h"
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QGraphicsView>

#include <complex>

#include "plot/biquad.h"
#include "plot/dsp.h"

namespace {

const quint16 bandFrequencies[10] = {32, 64, 125, 250, 500, 1000, 2000, 4000, 8000, 16000};

qint8 bandGain(int band)
{
    return qint8(band % 2 ? 6 : -6);
}

void fullEq(dsp &plot)
{
    for (int band = 0; band < 10; ++band)
        plot.setFilter(band, {5, bandFrequencies[band], bandGain(band)});
}

} // namespace

// Baseline: the response of ten peaking slots at the 64 curve points, no scene.
static void BM_ResponseMathOnly(benchmark::State &state)
{
    double coefficients[10][6];
    for (int band = 0; band < 10; ++band)
        biquad::peaking(bandGain(band), bandFrequencies[band], coefficients[band]);
    for (auto _ : state) {
        const std::vector<double> frequencies = biquad::logspace(33, 20000, 64);
        double sum = 0;
        for (double hertz : frequencies) {
            const double omega = biquad::normalizedAngularFrequency(hertz);
            const std::complex<double> zInverse = std::polar(1.0, -omega);
            const std::complex<double> zInverse2 = std::polar(1.0, -2.0 * omega);
            std::complex<double> combined = biquad::response(coefficients[0], zInverse, zInverse2);
            for (int slot = 1; slot < 10; ++slot)
                combined *= biquad::response(coefficients[slot], zInverse, zInverse2);
            sum += std::abs(combined);
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_ResponseMathOnly)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

// One redraw as the window does it: the event loop runs between two edits
// (not timed), so the scene's deferred bookkeeping is done as in use.
static void BM_CombineAndPlotFullEq(benchmark::State &state)
{
    QGraphicsView view;
    view.resize(800, 300);
    dsp plot(&view);
    fullEq(plot);
    plot.combineAndPlot();
    for (auto _ : state) {
        plot.combineAndPlot();
        benchmark::DoNotOptimize(plot.segmentItems[0]);
        state.PauseTiming();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_CombineAndPlotFullEq)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

// Ten redraws with no event loop in between, as when several DSP replies
// arrive in one read; time is per burst of ten.
static void BM_CombineAndPlotBurstOf10(benchmark::State &state)
{
    QGraphicsView view;
    view.resize(800, 300);
    dsp plot(&view);
    fullEq(plot);
    plot.combineAndPlot();
    for (auto _ : state) {
        for (int i = 0; i < 10; ++i)
            plot.combineAndPlot();
        benchmark::DoNotOptimize(plot.segmentItems[0]);
        state.PauseTiming();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_CombineAndPlotBurstOf10)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

static void BM_SetFilterPeaking(benchmark::State &state)
{
    QGraphicsView view;
    dsp plot(&view);
    qint8 gain = -10;
    for (auto _ : state) {
        plot.setFilter(5, {5, 1000, gain});
        gain = qint8(gain == 10 ? -10 : gain + 1);
        benchmark::DoNotOptimize(plot.coefficients[5][0]);
    }
}
BENCHMARK(BM_SetFilterPeaking)->Unit(benchmark::kNanosecond)->Repetitions(5)->ReportAggregatesOnly(true);

static void BM_ViewResized(benchmark::State &state)
{
    QGraphicsView view;
    view.resize(800, 300);
    dsp plot(&view);
    for (auto _ : state) {
        plot.viewResized(&view);
        benchmark::DoNotOptimize(plot.pixelsPerDb);
        state.PauseTiming();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ViewResized)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

ZOR_QT_BENCHMARK_MAIN()
