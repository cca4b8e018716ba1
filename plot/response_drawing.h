#ifndef RESPONSE_DRAWING_H
#define RESPONSE_DRAWING_H

// A zone's frequency response drawn with a QPainter as the DSP page's plot
// draws it: the same curve points, filters, limits, grid lines and labels on
// the same scale (plot/response_scale.h). Pictures, drawings and printed
// reports draw with it; only the colours may differ (paper wants a dark
// curve on white).

#include "protocol/core/unit_settings.h"

#include <QColor>

class QPainter;

namespace response_drawing {

// The drawing's own size; a painter scaled to any other size draws the same.
constexpr int Width = 560;
constexpr int Height = 300;

struct Style {
    QColor background;
    QColor minorGrid;
    QColor majorGrid; // also the 0 dB line
    QColor frequencyLabels;
    QColor levelLabels;
    QColor curve;
    double curveWidth;
    int labelPixels; // height of the labels' font
};

// The DSP page's colours: a blue curve on black.
Style screen();
// For paper: a black curve on white between grey lines, readable when
// printed in black and white.
Style paper();

// The ten filter slots of a zone as the DSP page sets them for its mode.
// `zone` counts from 1.
void zoneFilters(const UnitSettings &settings, int zone, double coefficients[10][6]);

// Draws grid, labels and curve of the zone's response into the Width x
// Height area at the painter's origin. The painter's state is kept.
void draw(QPainter &painter, const UnitSettings &settings, int zone, const Style &style);

} // namespace response_drawing

#endif // RESPONSE_DRAWING_H
