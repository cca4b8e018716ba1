#include "plot/biquad.h"

#include <cmath>

namespace biquad {

namespace {

struct Terms {
    double c; // cos(w0)
    double s; // sin(w0)
};

Terms terms(quint16 frequency)
{
    const double w0 = static_cast<double>(frequency) * twoPi / sampleRate;
    return {std::cos(w0), std::sin(w0)};
}

void store(double *out, double a0, double a1, double a2, double b0, double b1, double b2)
{
    out[A0] = a0;
    out[A1] = a1;
    out[A2] = a2;
    out[B0] = b0;
    out[B1] = b1;
    out[B2] = b2;
    normalize(out);
}

// Shelf and peaking gain: the peak or shelf gain in linear terms is A squared.
double amplitude(qint8 gain)
{
    return std::pow(10.0, static_cast<double>(gain) / 40.0);
}

} // namespace

void bypass(double *out)
{
    store(out, 1.0, 0.0, 0.0, 1.0, 0.0, 0.0);
}

void high_pass(quint16 frequency, double *out)
{
    const Terms t = terms(frequency);
    const double alpha = t.s / passFilterRoot2;
    store(out, 1.0 + alpha, -2.0 * t.c, 1.0 - alpha, (1.0 + t.c) / 2.0, -(1.0 + t.c), (1.0 + t.c) / 2.0);
}

void low_pass(quint16 frequency, double *out)
{
    const Terms t = terms(frequency);
    const double alpha = t.s / passFilterRoot2;
    store(out, 1.0 + alpha, -2.0 * t.c, 1.0 - alpha, (1.0 - t.c) / 2.0, 1.0 - t.c, (1.0 - t.c) / 2.0);
}

void high_shelf(qint8 gain, quint16 frequency, double *out)
{
    const Terms t = terms(frequency);
    const double alpha = t.s / 2.0;
    const double A = amplitude(gain);
    const double root = 2.0 * std::sqrt(A) * alpha;
    store(out, (A + 1.0) - (A - 1.0) * t.c + root, 2.0 * ((A - 1.0) - (A + 1.0) * t.c),
          (A + 1.0) - (A - 1.0) * t.c - root, A * ((A + 1.0) + (A - 1.0) * t.c + root),
          -2.0 * A * ((A - 1.0) + (A + 1.0) * t.c), A * ((A + 1.0) + (A - 1.0) * t.c - root));
}

void low_shelf(qint8 gain, quint16 frequency, double *out)
{
    const Terms t = terms(frequency);
    const double alpha = t.s / 2.0;
    const double A = amplitude(gain);
    const double root = 2.0 * std::sqrt(A) * alpha;
    store(out, (A + 1.0) + (A - 1.0) * t.c + root, -2.0 * ((A - 1.0) + (A + 1.0) * t.c),
          (A + 1.0) + (A - 1.0) * t.c - root, A * ((A + 1.0) - (A - 1.0) * t.c + root),
          2.0 * A * ((A - 1.0) - (A + 1.0) * t.c), A * ((A + 1.0) - (A - 1.0) * t.c - root));
}

void peaking(qint8 gain, quint16 frequency, double *out)
{
    const Terms t = terms(frequency);
    const double alpha = t.s / 2.0;
    const double A = amplitude(gain);
    store(out, 1.0 + alpha / A, -2.0 * t.c, 1.0 - alpha / A, 1.0 + alpha * A, -2.0 * t.c, 1.0 - alpha * A);
}

void normalize(double *coefficients)
{
    const double a0 = coefficients[A0];
    for (int i = A1; i < CoefficientCount; ++i)
        coefficients[i] /= a0;
    coefficients[A0] = 1.0;
}

bool design(dsp_setting_struct setting, double *out)
{
    switch (setting.type) {
    case Bypass:
        bypass(out);
        return true;
    case HighPass:
        high_pass(setting.frequency, out);
        return true;
    case HighShelf:
        high_shelf(setting.gain, setting.frequency, out);
        return true;
    case LowPass:
        low_pass(setting.frequency, out);
        return true;
    case LowShelf:
        low_shelf(setting.gain, setting.frequency, out);
        return true;
    case Peaking:
        peaking(setting.gain, setting.frequency, out);
        return true;
    default:
        return false;
    }
}

std::complex<double> response(const double *coefficients, std::complex<double> zInverse,
                              std::complex<double> zInverse2)
{
    const std::complex<double> numerator =
        coefficients[B0] + coefficients[B1] * zInverse + coefficients[B2] * zInverse2;
    const std::complex<double> denominator =
        coefficients[A0] + coefficients[A1] * zInverse + coefficients[A2] * zInverse2;
    return numerator / denominator;
}

std::complex<double> response(const double *coefficients, double omega)
{
    return response(coefficients, std::polar(1.0, -omega), std::polar(1.0, -2.0 * omega));
}

std::vector<double> combinedLevels(const double (&coefficients)[10][6],
                                   const std::vector<double> &frequencies)
{
    std::vector<double> levels;
    levels.reserve(frequencies.size());
    // e^{-i w} and e^{-2 i w} of every point serve all ten records.
    for (const double hertz : frequencies) {
        const double omega = normalizedAngularFrequency(hertz);
        const std::complex<double> zInverse = std::polar(1.0, -omega);
        const std::complex<double> zInverse2 = std::polar(1.0, -2.0 * omega);
        std::complex<double> combined = response(coefficients[0], zInverse, zInverse2);
        for (int slot = 1; slot < 10; ++slot)
            combined *= response(coefficients[slot], zInverse, zInverse2);
        levels.push_back(20.0 * std::log10(std::hypot(combined.real(), combined.imag())));
    }
    return levels;
}

std::vector<double> logspace(double start, double end, int count)
{
    std::vector<double> values;
    if (count <= 0)
        return values;
    values.reserve(static_cast<size_t>(count));
    const double a = std::log10(start);
    const double step = count > 1 ? (std::log10(end) - a) / (count - 1) : 0.0;
    double offset = 0.0;
    for (int i = 0; i < count; ++i) {
        values.push_back(std::pow(10.0, a + offset));
        offset += step;
    }
    return values;
}

bool zoneFilters(const ZoneFilterValues &zone, const ushort bandFrequency[10], dsp_setting_struct out[10])
{
    if (zone.mode < 0 || zone.mode > 5)
        return false;
    for (int slot = 0; slot < 10; ++slot)
        out[slot] = bypassFilter();
    switch (zone.mode) {
    case 1: // EQ
    case 2: // preset: the bands show the preset's gains
        for (int slot = 0; slot < 10; ++slot)
            out[slot] = bandFilter(bandFrequency[slot], zone.bandGain[slot]);
        break;
    case 3:
        out[trebleSlot] = trebleFilter(zone.treble);
        out[bassSlot] = bassFilter(zone.bass);
        break;
    case 4:
        out[passSlot] = lowpassFilter(zone.lowpass);
        break;
    case 5:
        out[passSlot] = highpassFilter(zone.highpass);
        break;
    default:
        break;
    }
    return true;
}

} // namespace biquad
