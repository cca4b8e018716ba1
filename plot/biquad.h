#ifndef BIQUAD_H
#define BIQUAD_H

// Biquad filter designs for the response plot of the DSP page. Pure math: no
// widgets, no scene. Every design writes six doubles in the order
// a0, a1, a2, b0, b1, b2 for H(z) = (b0 + b1 z^-1 + b2 z^-2) / (a0 + a1 z^-1 + a2 z^-2),
// normalised so that a0 is exactly 1.0. The unit runs at a fixed 48 kHz.

#include <QtGlobal>

#include <complex>
#include <vector>

// One filter setting handed to the plot.
struct dsp_setting_struct {
    quint8 type;       // 0 bypass, 1 high-pass, 2 high shelf, 3 low-pass, 4 low shelf, 5 peaking
    quint16 frequency; // corner, shelf or centre frequency in whole Hz
    qint8 gain;        // whole dB, shelves and peaking only
};

namespace biquad {

// Positions in a coefficient record.
enum Coefficient { A0 = 0, A1, A2, B0, B1, B2, CoefficientCount };

// Filter type codes of dsp_setting_struct::type.
enum Type : quint8 { Bypass = 0, HighPass = 1, HighShelf = 2, LowPass = 3, LowShelf = 4, Peaking = 5 };

constexpr double sampleRate = 48000.0;
constexpr double twoPi = 6.283185307179586;
// sqrt(2) as the unit's firmware writes it; gives Q = 1/sqrt(2) for the pass filters.
constexpr double passFilterRoot2 = 1.414213562373095;

void bypass(double *out);
void high_pass(quint16 frequency, double *out);
void low_pass(quint16 frequency, double *out);
void high_shelf(qint8 gain, quint16 frequency, double *out);
void low_shelf(qint8 gain, quint16 frequency, double *out);
void peaking(qint8 gain, quint16 frequency, double *out);

// Divides a1, a2, b0, b1, b2 by a0 and sets a0 to 1.0.
void normalize(double *coefficients);

// Designs the filter a setting describes into out. A type above 5 is not a
// filter: out is left untouched and false is returned.
bool design(dsp_setting_struct setting, double *out);

// Angular frequency in radians per sample of a frequency in Hz at 48 kHz.
inline double normalizedAngularFrequency(double hertz)
{
    return hertz * twoPi / sampleRate;
}

// H(e^{i omega}) of one coefficient record.
std::complex<double> response(const double *coefficients, double omega);

// The same, with e^{-i omega} already at hand (the plot evaluates ten records
// at the same frequencies).
std::complex<double> response(const double *coefficients, std::complex<double> zInverse,
                              std::complex<double> zInverse2);

// count values evenly spaced in log10 from start to end. The offset is
// accumulated by repeated addition, so the last value may differ from end in
// its last bits. count <= 0 gives an empty vector.
std::vector<double> logspace(double start, double end, int count);

} // namespace biquad

#endif // BIQUAD_H
