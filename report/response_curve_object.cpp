#include "report/response_curve_object.h"

#include "plot/response_drawing.h"
#include "protocol/core/messages.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextDocument>

ResponseCurveObject::ResponseCurveObject(const UnitSettings &settings, QObject *parent)
    : QObject(parent), settings(settings)
{}

QString ResponseCurveObject::title(int zone)
{
    return QStringLiteral("Zone %1 frequency response").arg(zone);
}

QString ResponseCurveObject::detail(const UnitSettings &settings, int zone)
{
    const UnitSettings::Setting name{UnitSettings::Kind::ZoneName, zone, 0};
    return QStringLiteral("%1 \u00b7 %2")
        .arg(settings.holds(name) ? settings.zones[zone - 1].name : QStringLiteral("?"),
             settingtext::modeText(settings.zones[zone - 1].dspMode));
}

void ResponseCurveObject::paint(QPainter &painter, const UnitSettings &settings, int zone, const QRectF &rect)
{
    painter.save();
    painter.translate(rect.topLeft());
    painter.scale(rect.width() / response_drawing::Width, rect.height() / response_drawing::Height);
    response_drawing::draw(painter, settings, zone, response_drawing::paper());
    // A thin frame, so that the white plot area stands out on white paper.
    painter.setPen(QPen(QColor(140, 140, 140), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(0, 0, response_drawing::Width, response_drawing::Height));
    painter.restore();
}

QSizeF ResponseCurveObject::intrinsicSize(QTextDocument *, int, const QTextFormat &format)
{
    return QSizeF(format.doubleProperty(QTextFormat::ImageWidth),
                  format.doubleProperty(QTextFormat::ImageHeight));
}

void ResponseCurveObject::drawObject(QPainter *painter, const QRectF &rect, QTextDocument *document, int,
                                     const QTextFormat &format)
{
    const int zone = format.intProperty(ZoneProperty);
    if (zone < 1 || zone > protocol::ZoneCount)
        return;
    const double captionHeight = format.doubleProperty(CaptionHeightProperty);
    painter->save();
    QFont font = document->defaultFont();
    font.setBold(true);
    const QFontMetricsF metrics(font, painter->device());
    painter->setFont(font);
    painter->setPen(Qt::black);
    painter->drawText(QPointF(rect.left(), rect.top() + metrics.ascent()), title(zone));
    font.setBold(false);
    painter->setFont(font);
    painter->drawText(QPointF(rect.left(), rect.top() + metrics.lineSpacing() + metrics.ascent()),
                      detail(settings, zone));
    painter->restore();
    paint(*painter, settings, zone,
          QRectF(rect.left(), rect.top() + captionHeight, rect.width(), rect.height() - captionHeight));
}
