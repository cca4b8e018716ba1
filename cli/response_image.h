#ifndef ZORCTL_RESPONSE_IMAGE_H
#define ZORCTL_RESPONSE_IMAGE_H

#include "protocol/core/unit_settings.h"

#include <QString>

class QPaintDevice;
class QPainter;

namespace response_image {

constexpr int Width = 560;
constexpr int Height = 300;

// The ten filter slots of a zone as the DSP page sets them for its mode.
// `zone` counts from 1.
void zoneFilters(const UnitSettings &settings, int zone, double coefficients[10][6]);

// Draws a zone's frequency response as the DSP page does (grid, labels,
// curve) into a Width x Height area, with the zone's name as title.
void draw(QPainter &painter, const UnitSettings &settings, int zone);

// Writes the picture to a .png file. False with a reason on failure.
bool writePng(const QString &path, const UnitSettings &settings, int zone, QString *reason);
// The same picture as an SVG drawing.
bool writeSvg(const QString &path, const UnitSettings &settings, int zone, QString *reason);

} // namespace response_image

#endif // ZORCTL_RESPONSE_IMAGE_H
