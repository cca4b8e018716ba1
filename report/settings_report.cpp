#include "report/settings_report.h"

#include "plot/response_drawing.h"
#include "protocol/core/messages.h"
#include "report/response_curve_object.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QCryptographicHash>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QVector>

namespace settings_report {

namespace {

using Kind = UnitSettings::Kind;
using Setting = UnitSettings::Setting;

// A PDF's curves are placed as pictures with this scheme and then turned
// into objects that draw themselves (lines, not pixels).
const char *const CurveScheme = "zor-curve:";

// A4 printed at 300 dots per inch, margins in millimetres; the footer sits
// at the bottom of the printed area.
constexpr int Dpi = 300;
constexpr double LeftMm = 18, TopMm = 15, RightMm = 18, BottomMm = 10, FooterMm = 8;
// Curves in the HTML file, in CSS pixels; the pictures have twice as many
// pixels, for a sharp print.
constexpr int HtmlCurveWidth = 440;

const char *const BandCaptions[protocol::BandCount] = {"32 Hz", "64 Hz", "125 Hz", "250 Hz", "500 Hz",
                                                       "1 kHz", "2 kHz", "4 kHz",  "8 kHz",  "16 kHz"};
const QString Dash = QStringLiteral("\u2013");
const QString Member = QStringLiteral("\u25cf");
const QString NotSet = QStringLiteral("?");

QString esc(const QString &text)
{
    return text.toHtmlEscaped();
}

// Table borders and cell padding in CSS pixels (a 96th of an inch), which a
// document laid out for a printer scales to its dots.
constexpr int Border = 1;
constexpr int Padding = 4;

// Widths of a table's columns in per cent: two first, then `count` equal ones.
QVector<double> columns(double first, double second, int count)
{
    QVector<double> widths{first, second};
    for (int i = 0; i < count; ++i)
        widths << (100 - first - second) / count;
    return widths;
}

// Builds the document's HTML section by section.
class Writer
{
public:
    Writer(const UnitSettings &settings, const Header &header, bool pictures)
        : s(settings), header(header), pictures(pictures)
    {}
    QString document();

private:
    const UnitSettings &s;
    const Header &header;
    const bool pictures;
    // Whether a value was left out because the settings do not hold it.
    bool missing = false;

    bool holds(Kind kind, int first = 0, int second = 0) const { return s.holds({kind, first, second}); }
    // A value as the differences show it, or a mark that it is not set.
    QString value(Kind kind, int first = 0, int second = 0);
    QString mark(bool held, const QString &text);
    // The headers with their columns' widths in per cent of the table's.
    QString tableStart(const QStringList &headers, const QVector<double> &widths, int width = 100) const;
    static QString row(const QStringList &cells);
    QString zoneName(int zone) { return value(Kind::ZoneName, zone); }

    QString titleBlock();
    QString sources();
    QString zones();
    QString dsp();
    QString dspValues(int zone);
    QString curves();
    QString curve(int zone);
    QString presets();
    QString panel();
    QString groups();
    QString favorites();
};

QString Writer::value(Kind kind, int first, int second)
{
    return mark(holds(kind, first, second), esc(s.valueText({kind, first, second})));
}

QString Writer::mark(bool held, const QString &text)
{
    if (held)
        return text;
    missing = true;
    return NotSet;
}

QString Writer::tableStart(const QStringList &headers, const QVector<double> &widths, int width) const
{
    QString html = QStringLiteral("<table class=\"grid\" width=\"%1%\" border=\"%2\" cellspacing=\"0\" "
                                  "cellpadding=\"%3\"><thead><tr>")
                       .arg(width)
                       .arg(Border)
                       .arg(Padding);
    for (int i = 0; i < headers.size(); ++i)
        html += QStringLiteral("<th width=\"%1%\">%2</th>").arg(widths.value(i)).arg(headers.at(i));
    return html + QStringLiteral("</tr></thead>");
}

QString Writer::row(const QStringList &cells)
{
    QString html = QStringLiteral("<tr>");
    for (const QString &cell : cells)
        html += QStringLiteral("<td>%1</td>").arg(cell);
    return html + QStringLiteral("</tr>");
}

QString Writer::titleBlock()
{
    const auto fact = [](const QString &name, const QString &text) {
        return QStringLiteral("<tr><td><b>%1</b></td><td>%2</td></tr>").arg(name, text);
    };
    QString html = QStringLiteral("<h1>ZOR Setup Report</h1><table class=\"facts\" cellspacing=\"0\" "
                                  "cellpadding=\"%1\">")
                       .arg(Padding);
    html += fact(QStringLiteral("Settings of"), esc(header.subject));
    html +=
        fact(QStringLiteral("Date"), esc(header.created.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss t"))));
    html += fact(QStringLiteral("Utility"),
                 QStringLiteral("ZOR Setup Utility %1").arg(QLatin1String(UtilityVersion)));
    html += fact(QStringLiteral("SHA-256"), QStringLiteral("<code>%1</code>").arg(fingerprint(s)));
    html += QStringLiteral("</table><p class=\"note\">The SHA-256 is that of the settings as a .ZOR file "
                           "holds them: the bytes a Save of these settings writes, as does "
                           "<i>zorctl backup</i> of a unit holding them. The zones' sources are not "
                           "part of a saved file, nor of this report.</p>");
    if (missing)
        html += QStringLiteral("<p class=\"note\">These settings are not complete: a value marked %1 is "
                               "not set by them.</p>")
                    .arg(NotSet);
    return html;
}

QString Writer::sources()
{
    constexpr int half = protocol::SourceCount / 2;
    QString html =
        QStringLiteral("<h2>Sources</h2>") + tableStart({QStringLiteral("Source"), QStringLiteral("Name"),
                                                         QStringLiteral("Source"), QStringLiteral("Name")},
                                                        {10, 40, 10, 40});
    for (int i = 1; i <= half; ++i)
        html += row({QString::number(i), value(Kind::SourceName, i), QString::number(i + half),
                     value(Kind::SourceName, i + half)});
    return html + QStringLiteral("</table>");
}

QString Writer::zones()
{
    QString html = QStringLiteral("<h2>Zones</h2>") +
                   tableStart({QStringLiteral("Zone"), QStringLiteral("Name"), QStringLiteral("Volume"),
                               QStringLiteral("Mute"), QStringLiteral("Fixed"), QStringLiteral("Balance"),
                               QStringLiteral("Power"), QStringLiteral("Power-on volume")},
                              {7, 25, 11, 9, 9, 11, 9, 19});
    for (int z = 1; z <= protocol::ZoneCount; ++z)
        html += row({QString::number(z), zoneName(z), value(Kind::ZoneVolume, z), value(Kind::ZoneMute, z),
                     value(Kind::ZoneFixed, z), value(Kind::ZoneBalance, z), value(Kind::ZonePower, z),
                     value(Kind::ZonePowerOnVolume, z)});
    return html + QStringLiteral("</table>");
}

// What the zone's DSP mode uses, and nothing else.
QString Writer::dspValues(int zone)
{
    if (!holds(Kind::ZoneDspMode, zone))
        return QString();
    const UnitSettings::Zone &z = s.zones[zone - 1];
    switch (z.dspMode) {
    case UnitSettings::Eq: {
        QStringList bands;
        for (int b = 1; b <= protocol::BandCount; ++b)
            bands << QStringLiteral("%1: %2").arg(QLatin1String(BandCaptions[b - 1]),
                                                  value(Kind::ZoneEqBand, zone, b));
        return bands.join(QStringLiteral(", "));
    }
    case UnitSettings::Preset: {
        QString text = value(Kind::ZonePreset, zone);
        if (holds(Kind::ZonePreset, zone) && z.preset >= 1 && z.preset <= protocol::PresetCount &&
            holds(Kind::PresetName, z.preset))
            text += QStringLiteral(" (%1)").arg(esc(s.presets[z.preset - 1].name));
        return text;
    }
    case UnitSettings::Tone:
        return value(Kind::ZoneTone, zone);
    case UnitSettings::Lowpass:
        return QStringLiteral("cut-off ") + value(Kind::ZoneLowpass, zone);
    case UnitSettings::Highpass:
        return QStringLiteral("cut-off ") + value(Kind::ZoneHighpass, zone);
    default:
        return Dash;
    }
}

QString Writer::dsp()
{
    QString html = QStringLiteral("<h2>DSP</h2>") +
                   tableStart({QStringLiteral("Zone"), QStringLiteral("Name"), QStringLiteral("Mode"),
                               QStringLiteral("What the mode uses")},
                              {7, 18, 11, 64});
    for (int z = 1; z <= protocol::ZoneCount; ++z)
        html += row({QString::number(z), zoneName(z), value(Kind::ZoneDspMode, z), dspValues(z)});
    return html + QStringLiteral("</table>") + curves();
}

// Zones whose mode draws a curve: every mode but Disabled.
QVector<int> curveZones(const UnitSettings &s)
{
    QVector<int> zones;
    for (int z = 1; z <= protocol::ZoneCount; ++z)
        if (s.holds({Kind::ZoneDspMode, z, 0}) && s.zones[z - 1].dspMode != UnitSettings::Disabled)
            zones << z;
    return zones;
}

// A PDF's curve object draws its caption itself.
QString Writer::curve(int zone)
{
    if (!pictures)
        return QStringLiteral("<p><img src=\"%1%2\"></p>").arg(QLatin1String(CurveScheme)).arg(zone);
    const QString html =
        QStringLiteral("<p><b>%1</b><br>%2</p>")
            .arg(ResponseCurveObject::title(zone), esc(ResponseCurveObject::detail(s, zone)));
    const int width = HtmlCurveWidth, height = width * response_drawing::Height / response_drawing::Width;
    // Grey levels are all a curve for paper has: one byte a pixel.
    QImage image(2 * width, 2 * height, QImage::Format_Grayscale8);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        ResponseCurveObject::paint(painter, s, zone, QRectF(0, 0, image.width(), image.height()));
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return html + QStringLiteral("<p><img src=\"data:image/png;base64,%1\" width=\"%2\" height=\"%3\" "
                                 "alt=\"Zone %4 frequency response\"></p>")
                      .arg(QString::fromLatin1(png.toBase64()))
                      .arg(width)
                      .arg(height)
                      .arg(zone);
}

QString Writer::curves()
{
    const QVector<int> zones = curveZones(s);
    if (zones.isEmpty())
        return QStringLiteral("<p>Every zone's DSP is disabled: there is no curve to draw.</p>");
    QString html =
        QStringLiteral(
            "<h3>Frequency responses</h3>"
            "<p class=\"note\">Each zone whose DSP is in use, drawn as the DSP page draws it: 30 Hz to "
            "20 kHz across (labels in Hz), -15 dB to +15 dB up (lines every 5 dB, the darker one at "
            "0 dB); the curve stops where the response leaves \u00b113 dB.</p>"
            "<table class=\"curves\" width=\"100%\" cellspacing=\"0\" cellpadding=\"%1\">")
            .arg(Padding);
    for (int i = 0; i < zones.size(); i += 2) {
        html += QStringLiteral("<tr><td width=\"50%\">") + curve(zones.at(i)) +
                QStringLiteral("</td><td width=\"50%\">");
        if (i + 1 < zones.size())
            html += curve(zones.at(i + 1));
        html += QStringLiteral("</td></tr>");
    }
    return html + QStringLiteral("</table>");
}

QString Writer::presets()
{
    QStringList headers{QStringLiteral("Preset"), QStringLiteral("Name")};
    for (const char *caption : BandCaptions)
        headers << QLatin1String(caption);
    QString html = QStringLiteral("<h2>Presets</h2><p class=\"note\">Band gains in dB.</p>") +
                   tableStart(headers, columns(10, 17, protocol::BandCount));
    for (int p = 1; p <= protocol::PresetCount; ++p) {
        QStringList cells{QString::number(p), value(Kind::PresetName, p)};
        for (int b = 1; b <= protocol::BandCount; ++b)
            cells << mark(holds(Kind::PresetBand, p, b), QString::number(s.presets[p - 1].eq[b - 1]));
        html += row(cells);
    }
    return html + QStringLiteral("</table>");
}

QString Writer::panel()
{
    QString html = QStringLiteral("<h2>Network, front panel, serial and trigger</h2>") +
                   tableStart({QStringLiteral("Setting"), QStringLiteral("Value")}, {50, 50}, 70);
    const Kind kinds[] = {Kind::Dhcp,        Kind::IpAddress,       Kind::NetworkMask, Kind::Gateway,
                          Kind::Sddp,        Kind::Brightness,      Kind::Sleep,       Kind::IrLock,
                          Kind::PanelLock,   Kind::SerialResponses, Kind::TriggerMode, Kind::TriggerTime,
                          Kind::TriggerLevel};
    const bool dhcpOn = holds(Kind::Dhcp) && s.dhcp;
    for (Kind kind : kinds) {
        QString text = value(kind);
        const bool address = kind == Kind::IpAddress || kind == Kind::NetworkMask || kind == Kind::Gateway;
        if (address && dhcpOn && holds(kind))
            text += QStringLiteral(" (used with DHCP off)");
        html += row({esc(Setting{kind, 0, 0}.name()), text});
    }
    return html + QStringLiteral("</table>");
}

QString Writer::groups()
{
    QStringList legend;
    for (int z = 1; z <= protocol::ZoneCount; ++z)
        legend << QStringLiteral("%1 %2").arg(z).arg(zoneName(z));
    QStringList headers{QStringLiteral("Group"), QStringLiteral("Name")};
    for (int z = 1; z <= protocol::ZoneCount; ++z)
        headers << QString::number(z);
    QString html = QStringLiteral("<h2>Groups</h2><p class=\"note\">Columns are zones: %1. %2 marks a "
                                  "zone that belongs to the group.</p>")
                       .arg(legend.join(QStringLiteral(" \u00b7 ")), Member) +
                   tableStart(headers, columns(11, 17, protocol::ZoneCount));
    for (int g = 1; g <= protocol::GroupCount; ++g) {
        QStringList cells{QString::number(g), value(Kind::GroupName, g)};
        for (int z = 1; z <= protocol::ZoneCount; ++z)
            cells << mark(holds(Kind::GroupMember, g, z), s.groups[g - 1].hasMember(z) ? Member : QString());
        html += row(cells);
    }
    return html + QStringLiteral("</table>");
}

QString Writer::favorites()
{
    QStringList headers{QStringLiteral("Favorite"), QStringLiteral("Name")};
    for (int z = 1; z <= protocol::ZoneCount; ++z)
        headers << QString::number(z);
    QString html = QStringLiteral("<h2>Favorites</h2><p class=\"note\">Columns are zones, as above. A "
                                  "number is the source the favorite selects for the zone (see Sources); "
                                  "%1 leaves the zone as it is (bypass).</p>")
                       .arg(Dash) +
                   tableStart(headers, columns(11, 17, protocol::ZoneCount));
    for (int f = 1; f <= protocol::FavoriteCount; ++f) {
        QStringList cells{QString::number(f), value(Kind::FavoriteName, f)};
        for (int z = 1; z <= protocol::ZoneCount; ++z) {
            const int source = s.favorites[f - 1].source[z - 1];
            cells << mark(holds(Kind::FavoriteZone, f, z),
                          source == UnitSettings::Bypass ? Dash : QString::number(source));
        }
        html += row(cells);
    }
    return html + QStringLiteral("</table>");
}

QString Writer::document()
{
    // The sections first: the title block says whether a value was missing.
    const QString body = sources() + zones() + dsp() + presets() + panel() + groups() + favorites();
    const QString title = QStringLiteral("ZOR Setup Report: ") + esc(header.subject);
    return QStringLiteral(
               "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>%1</title><style>\n"
               "@page { size: A4; margin: 15mm 18mm; }\n"
               "body { font-family: 'DejaVu Sans', sans-serif; font-size: 9pt; color: #000; "
               "background-color: #fff; }\n"
               "h1 { font-size: 18pt; margin-bottom: 4pt; }\n"
               "h2 { font-size: 13pt; margin-top: 14pt; margin-bottom: 4pt; }\n"
               "h3 { font-size: 10pt; margin-top: 10pt; margin-bottom: 2pt; }\n"
               "table.grid { border-collapse: collapse; border-color: #808080; border-style: solid; }\n"
               "th { background-color: #e0e0e0; text-align: left; }\n"
               "td { vertical-align: top; }\n"
               "code { font-family: 'DejaVu Sans Mono', monospace; }\n"
               "p.note { font-size: 8pt; color: #333; margin-top: 2pt; margin-bottom: 4pt; }\n"
               "table.curves td { page-break-inside: avoid; }\n"
               "</style></head><body>\n")
               .arg(title) +
           titleBlock() + body + QStringLiteral("</body></html>\n");
}

// Turns the curve pictures of a PDF's document into curve objects of this
// size below a caption of this height.
void placeCurves(QTextDocument &document, const QSizeF &size, double captionHeight)
{
    struct Place {
        int position;
        QTextCharFormat format;
    };
    QVector<Place> places;
    const QString scheme = QLatin1String(CurveScheme);
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QTextCharFormat format = fragment.charFormat();
            if (!format.isImageFormat() || !format.toImageFormat().name().startsWith(scheme))
                continue;
            const int zone = format.toImageFormat().name().mid(scheme.size()).toInt();
            format.setObjectType(ResponseCurveObject::Type);
            format.setProperty(ResponseCurveObject::ZoneProperty, zone);
            format.setProperty(QTextFormat::ImageWidth, size.width());
            format.setProperty(QTextFormat::ImageHeight, captionHeight + size.height());
            format.setProperty(ResponseCurveObject::CaptionHeightProperty, captionHeight);
            for (int i = 0; i < fragment.length(); ++i)
                places.append({fragment.position() + i, format});
        }
    }
    for (const Place &place : qAsConst(places)) {
        QTextCursor cursor(&document);
        cursor.setPosition(place.position);
        cursor.setPosition(place.position + 1, QTextCursor::KeepAnchor);
        cursor.setCharFormat(place.format);
    }
}

} // namespace

QByteArray fileForm(const UnitSettings &settings)
{
    QByteArray bytes;
    for (const QByteArray &command : settings.sendAllCommands())
        bytes += command + '\n';
    return bytes;
}

QString fingerprint(const UnitSettings &settings)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(fileForm(settings), QCryptographicHash::Sha256).toHex());
}

bool isHtmlName(const QString &path)
{
    return path.endsWith(QLatin1String(".html"), Qt::CaseInsensitive) ||
           path.endsWith(QLatin1String(".htm"), Qt::CaseInsensitive);
}

QString html(const UnitSettings &settings, const Header &header)
{
    return Writer(settings, header, true).document();
}

bool writePdf(QIODevice *device, const UnitSettings &settings, const Header &header, QString *reason)
{
    QPdfWriter writer(device);
    writer.setResolution(Dpi);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(LeftMm, TopMm, RightMm, BottomMm), QPageLayout::Millimeter));
    writer.setTitle(QStringLiteral("ZOR Setup Report: ") + header.subject);
    writer.setCreator(QStringLiteral("ZOR Setup Utility %1").arg(QLatin1String(UtilityVersion)));
    const QRect area = writer.pageLayout().paintRectPixels(Dpi);
    const double millimetre = Dpi / 25.4;
    const QSizeF body(area.width(), area.height() - FooterMm * millimetre);

    // Laid out for the PDF itself, so that lengths in the HTML are its dots.
    QTextDocument document;
    document.setUseDesignMetrics(true);
    document.setDocumentMargin(0);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(9);
    // No ligatures: "Office" is found and copied as typed, not as "O\ufb03ce".
    font.setStyleStrategy(QFont::PreferNoShaping);
    document.setDefaultFont(font);
    ResponseCurveObject curves(settings);
    document.documentLayout()->registerHandler(ResponseCurveObject::Type, &curves);
    document.setHtml(Writer(settings, header, false).document());
    const double curveWidth = body.width() * 0.47;
    const QFontMetricsF captionLine(QFont(font, &writer), &writer);
    placeCurves(document, QSizeF(curveWidth, curveWidth * response_drawing::Height / response_drawing::Width),
                2.4 * captionLine.lineSpacing());
    // Laid out whole only now, with the curves in place: a layout changed
    // piecemeal inside tables can lose the blocks after them.
    document.documentLayout()->setPaintDevice(&writer);
    document.setPageSize(body);

    QPainter painter;
    if (!painter.begin(&writer)) {
        *reason = QStringLiteral("cannot draw the document");
        return false;
    }
    const int pages = document.pageCount();
    const QString shortPrint = fingerprint(settings).left(12);
    QFont footerFont = font;
    footerFont.setPointSizeF(7.5);
    for (int page = 0; page < pages; ++page) {
        if (page > 0 && !writer.newPage()) {
            *reason = QStringLiteral("cannot start page %1").arg(page + 1);
            painter.end();
            return false;
        }
        const QRectF clip(0, page * body.height(), body.width(), body.height());
        painter.save();
        painter.translate(0, -clip.top());
        painter.setClipRect(clip);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = clip;
        context.palette.setColor(QPalette::Text, Qt::black);
        document.documentLayout()->draw(&painter, context);
        painter.restore();

        // Every page says what it belongs to and where it is.
        const QRectF footer(0, area.height() - (FooterMm - 3) * millimetre, body.width(),
                            (FooterMm - 3) * millimetre);
        painter.setPen(QPen(QColor(128, 128, 128), 2));
        painter.drawLine(QPointF(0, footer.top() - millimetre),
                         QPointF(body.width(), footer.top() - millimetre));
        painter.setPen(Qt::black);
        painter.setFont(footerFont);
        painter.drawText(footer, Qt::AlignLeft | Qt::AlignVCenter,
                         QStringLiteral("ZOR Setup Report \u00b7 %1 \u00b7 SHA-256 %2\u2026")
                             .arg(header.subject, shortPrint));
        painter.drawText(footer, Qt::AlignRight | Qt::AlignVCenter,
                         QStringLiteral("Page %1 of %2").arg(page + 1).arg(pages));
    }
    if (!painter.end()) {
        *reason = QStringLiteral("cannot finish the document");
        return false;
    }
    return true;
}

bool write(const QString &path, const UnitSettings &settings, const Header &header, QString *reason)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *reason = file.errorString();
        return false;
    }
    bool written = true;
    if (isHtmlName(path)) {
        const QByteArray bytes = html(settings, header).toUtf8();
        written = file.write(bytes) == bytes.size();
        if (!written)
            *reason = file.errorString();
    } else {
        written = writePdf(&file, settings, header, reason);
    }
    if (!written) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        *reason = file.errorString();
        return false;
    }
    return true;
}

} // namespace settings_report
