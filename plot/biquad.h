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

// The level in dB of ten filter records in a row at each frequency (Hz):
// the curve the DSP page draws, and every picture of it.
std::vector<double> combinedLevels(const double (&coefficients)[10][6],
                                   const std::vector<double> &frequencies);

// count values evenly spaced in log10 from start to end. The offset is
// accumulated by repeated addition, so the last value may differ from end in
// its last bits. count <= 0 gives an empty vector.
std::vector<double> logspace(double start, double end, int count);

// What the DSP page draws for each DSP mode, decided here alone: the EQ and
// preset modes draw a peaking band per slot, tone a treble shelf in slot 0 and
// a bass shelf in slot 1, low-pass and high-pass one filter in slot 0; the
// slots a mode does not use stay in bypass.
constexpr quint16 trebleShelfHz = 3000;
constexpr quint16 bassShelfHz = 200;
constexpr int trebleSlot = 0;
constexpr int bassSlot = 1;
constexpr int passSlot = 0;

inline dsp_setting_struct bandFilter(quint16 centreHz, int gain)
{
    return {Peaking, centreHz, static_cast<qint8>(gain)};
}
inline dsp_setting_struct trebleFilter(int gain)
{
    return {HighShelf, trebleShelfHz, static_cast<qint8>(gain)};
}
inline dsp_setting_struct bassFilter(int gain)
{
    return {LowShelf, bassShelfHz, static_cast<qint8>(gain)};
}
inline dsp_setting_struct lowpassFilter(int hertz)
{
    return {LowPass, static_cast<quint16>(hertz), 0};
}
inline dsp_setting_struct highpassFilter(int hertz)
{
    return {HighPass, static_cast<quint16>(hertz), 0};
}
inline dsp_setting_struct bypassFilter()
{
    return {Bypass, 0, 0};
}

// The settings of one zone that the plot draws from. Mode numbers are those
// of the DSP mode box: 0 disabled, 1 EQ, 2 preset, 3 tone, 4 low-pass,
// 5 high-pass.
struct ZoneFilterValues {
    int mode = 0;
    int bandGain[10] = {};
    int bass = 0;
    int treble = 0;
    int lowpass = 100;
    int highpass = 100;
};

// The ten filter slots a zone draws; false for a mode outside 0..5, which
// draws nothing new.
bool zoneFilters(const ZoneFilterValues &zone, const ushort bandFrequency[10], dsp_setting_struct out[10]);

} // namespace biquad

#endif // BIQUAD_H
