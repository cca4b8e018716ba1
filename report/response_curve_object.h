#ifndef RESPONSE_CURVE_OBJECT_H
#define RESPONSE_CURVE_OBJECT_H

#include "protocol/core/unit_settings.h"

#include <QObject>
#include <QString>
#include <QTextFormat>
#include <QTextObjectInterface>

// A zone's frequency response with its caption as one object in a text
// document, drawn by the painter the document is printed with: a PDF gets
// the curve as lines, not as a picture, and a page break never parts a
// curve from its caption. The object's format names the zone, its size and
// the height of its caption (two lines of the document's default font in
// bold and plain, and a gap).
class ResponseCurveObject : public QObject, public QTextObjectInterface
{
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)

public:
    static constexpr int Type = QTextFormat::UserObject + 1;
    static constexpr int ZoneProperty = QTextFormat::UserProperty + 1;
    static constexpr int CaptionHeightProperty = QTextFormat::UserProperty + 2;

    // `settings` must outlive every drawing.
    explicit ResponseCurveObject(const UnitSettings &settings, QObject *parent = nullptr);

    // The caption: "Zone 3 frequency response", then the zone's name and mode.
    static QString title(int zone);
    static QString detail(const UnitSettings &settings, int zone);
    // The curve alone, drawn for paper and scaled into `rect`.
    static void paint(QPainter &painter, const UnitSettings &settings, int zone, const QRectF &rect);

    QSizeF intrinsicSize(QTextDocument *document, int position, const QTextFormat &format) override;
    void drawObject(QPainter *painter, const QRectF &rect, QTextDocument *document, int position,
                    const QTextFormat &format) override;

private:
    const UnitSettings &settings;
};

#endif // RESPONSE_CURVE_OBJECT_H
