#include "cli/response_image.h"

#include "plot/response_drawing.h"
#include "plot/response_scale.h"

#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>

namespace response_image {

namespace {

constexpr int titleHeight = 24;

} // namespace

void draw(QPainter &painter, const UnitSettings &settings, int zone)
{
    painter.fillRect(0, 0, Width, Height + titleHeight, Qt::black);
    painter.setPen(response_scale::majorGridColor);
    painter.drawText(QRect(0, 0, Width, titleHeight), Qt::AlignCenter,
                     QStringLiteral("Zone %1: %2").arg(zone).arg(settings.zones[zone - 1].name));
    painter.save();
    painter.translate(0, titleHeight);
    response_drawing::draw(painter, settings, zone, response_drawing::screen());
    painter.restore();
}

bool writeSvg(const QString &path, const UnitSettings &settings, int zone, QString *reason)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *reason = file.errorString();
        return false;
    }
    QSvgGenerator svg;
    svg.setOutputDevice(&file);
    svg.setSize(QSize(Width, Height + titleHeight));
    svg.setViewBox(QRect(0, 0, Width, Height + titleHeight));
    svg.setTitle(settings.zones[zone - 1].name);
    svg.setDescription(QStringLiteral("Frequency response of zone %1").arg(zone));
    QPainter painter;
    if (!painter.begin(&svg)) {
        file.cancelWriting();
        *reason = QStringLiteral("cannot draw");
        return false;
    }
    draw(painter, settings, zone);
    painter.end();
    if (!file.commit()) {
        *reason = file.errorString();
        return false;
    }
    return true;
}

bool writePng(const QString &path, const UnitSettings &settings, int zone, QString *reason)
{
    QImage image(Width, Height + titleHeight, QImage::Format_RGB32);
    {
        QPainter painter(&image);
        draw(painter, settings, zone);
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *reason = file.errorString();
        return false;
    }
    if (!image.save(&file, "PNG")) {
        file.cancelWriting();
        *reason = QStringLiteral("cannot encode the picture");
        return false;
    }
    if (!file.commit()) {
        *reason = file.errorString();
        return false;
    }
    return true;
}

} // namespace response_image
