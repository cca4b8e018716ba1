#ifndef ZORCTL_RESPONSE_IMAGE_H
#define ZORCTL_RESPONSE_IMAGE_H

#include "plot/response_drawing.h"
#include "protocol/core/unit_settings.h"

#include <QString>

class QPaintDevice;
class QPainter;

namespace response_image {

constexpr int Width = response_drawing::Width;
constexpr int Height = response_drawing::Height;

// Draws a zone's frequency response in the DSP page's colours
// (response_drawing) into a Width x Height area below a title band holding
// the zone's name.
void draw(QPainter &painter, const UnitSettings &settings, int zone);

// Writes the picture to a .png file, replacing it only once it is written
// whole. False with a reason on failure.
bool writePng(const QString &path, const UnitSettings &settings, int zone, QString *reason);
// The same picture as an SVG drawing.
bool writeSvg(const QString &path, const UnitSettings &settings, int zone, QString *reason);

} // namespace response_image

#endif // ZORCTL_RESPONSE_IMAGE_H
