#ifndef RESPONSE_SCALE_H
#define RESPONSE_SCALE_H

// The scale of a frequency-response picture, shared by the DSP page's plot
// and the command line's image: where the curve is computed, where it stops,
// the grid lines, their colours and their labels.

#include <QColor>
#include <QString>

namespace response_scale {

constexpr int curvePoints = 64;
constexpr double curveStartHz = 33.0;
constexpr double curveEndHz = 20000.0;
// The curve stops where the response leaves the +-13 dB band of the grid.
constexpr double curveLimitDb = 13.0;

const QColor minorGridColor(50, 50, 50);
const QColor majorGridColor(125, 125, 125);

// Minor lines start at 33 Hz, where the curve starts.
constexpr double minorLines[] = {33,   400,   600,   700,   800,   900,   4000,  6000,  7000,  8000,
                                 9000, 11000, 12000, 13000, 14000, 15000, 16000, 17000, 18000, 19000};
constexpr double majorLines[] = {50, 100, 200, 300, 500, 1000, 2000, 3000, 5000, 10000, 20000};

// "50", "500", "1k", "20k".
inline QString frequencyLabel(double hertz)
{
    if (hertz < 1000)
        return QString::number(hertz, 'g', 6);
    return QString::number(hertz / 1000, 'g', 6) + QLatin1Char('k');
}

} // namespace response_scale

#endif // RESPONSE_SCALE_H
