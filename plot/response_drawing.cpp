#include "plot/response_drawing.h"

#include "plot/biquad.h"
#include "plot/response_scale.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace response_drawing {

namespace {

using namespace response_scale;

constexpr double logMinFrequency = 1.4771212547196624;  // log10(30)
constexpr double logFrequencySpan = 2.8239087409443187; // log10(20000) - log10(30)

} // namespace

Style screen()
{
    return {Qt::black, minorGridColor, majorGridColor, majorGridColor, minorGridColor, Qt::blue, 3, 12};
}

Style paper()
{
    return {Qt::white,
            QColor(205, 205, 205),
            QColor(140, 140, 140),
            QColor(60, 60, 60),
            QColor(60, 60, 60),
            Qt::black,
            2.5,
            14};
}

void zoneFilters(const UnitSettings &settings, int zone, double coefficients[10][6])
{
    static constexpr ushort bandHz[protocol::BandCount] = {32,   64,   125,  250,  500,
                                                           1000, 2000, 4000, 8000, 16000};
    const UnitSettings::Zone &z = settings.zones[zone - 1];
    biquad::ZoneFilterValues values;
    values.mode = z.dspMode;
    const int *eq = z.eq;
    if (z.dspMode == UnitSettings::Preset && z.preset >= 1 && z.preset <= protocol::PresetCount)
        eq = settings.presets[z.preset - 1].eq;
    std::copy(eq, eq + protocol::BandCount, values.bandGain);
    values.bass = z.bass;
    values.treble = z.treble;
    values.lowpass = z.lowpass;
    values.highpass = z.highpass;
    dsp_setting_struct filters[protocol::BandCount];
    if (!biquad::zoneFilters(values, bandHz, filters))
        std::fill(std::begin(filters), std::end(filters), biquad::bypassFilter());
    for (int slot = 0; slot < protocol::BandCount; ++slot)
        biquad::design(filters[slot], coefficients[slot]);
}

void draw(QPainter &painter, const UnitSettings &settings, int zone, const Style &style)
{
    painter.save();
    painter.fillRect(QRectF(0, 0, Width, Height), style.background);
    QFont font = painter.font();
    font.setPixelSize(style.labelPixels);
    painter.setFont(font);

    // The page's scene puts 0 dB at y = 0 and 30 Hz at x = 0; its view shows
    // the scene vertically centred.
    const double s = double(Height / 30);
    const double plotWidth = Width - 10;
    auto xOf = [plotWidth](double hertz) {
        return (std::log10(hertz) - logMinFrequency) / logFrequencySpan * plotWidth;
    };
    auto yOf = [s](double decibels) { return -decibels * s; };
    painter.translate(0, Height / 2.0);
    painter.setRenderHint(QPainter::Antialiasing, true);

    QPen pen(QBrush(style.minorGrid), 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(pen);
    for (double hertz : minorLines)
        painter.drawLine(QLineF(xOf(hertz), -15 * s, xOf(hertz), 13 * s));
    pen.setColor(style.majorGrid);
    const QFontMetricsF metrics(font);
    for (double hertz : majorLines) {
        const double x = xOf(hertz);
        painter.setPen(pen);
        painter.drawLine(QLineF(x, -15 * s, x, 15 * s));
        const QString label = frequencyLabel(hertz);
        painter.setPen(style.frequencyLabels);
        painter.drawText(QPointF(x - metrics.horizontalAdvance(label), 13.3 * s + metrics.ascent()), label);
    }
    pen.setColor(style.minorGrid);
    painter.setPen(pen);
    for (double decibels : {5.0, -5.0, 10.0, -10.0})
        painter.drawLine(QLineF(0, yOf(decibels), Width, yOf(decibels)));
    const struct {
        const char *text;
        double decibels;
    } levelLabels[] = {{"-5", -5}, {"+5", 5}, {"+10", 10}, {"-10", -10}, {"+15", 15}};
    painter.setPen(style.levelLabels);
    for (const auto &level : levelLabels)
        painter.drawText(QPointF(10, yOf(level.decibels) + metrics.ascent()),
                         QString::fromLatin1(level.text));
    pen.setColor(style.majorGrid);
    painter.setPen(pen);
    painter.drawLine(QLineF(0, 0, Width, 0));

    double coefficients[10][6];
    zoneFilters(settings, zone, coefficients);
    const std::vector<double> frequencies = biquad::logspace(curveStartHz, curveEndHz, curvePoints);
    const std::vector<double> levels = biquad::combinedLevels(coefficients, frequencies);
    painter.setPen(QPen(QBrush(style.curve), style.curveWidth, Qt::SolidLine, Qt::SquareCap, Qt::RoundJoin));
    // Written as "not inside" so that a level that is not a number ends the
    // curve like an infinite one, as on the page.
    for (int k = 0; k + 1 < curvePoints; ++k) {
        if (!(std::abs(levels[k]) < curveLimitDb && std::abs(levels[k + 1]) < curveLimitDb))
            continue;
        painter.drawLine(
            QLineF(xOf(frequencies[k]), yOf(levels[k]), xOf(frequencies[k + 1]), yOf(levels[k + 1])));
    }
    painter.restore();
}

} // namespace response_drawing
