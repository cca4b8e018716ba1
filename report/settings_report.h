#ifndef SETTINGS_REPORT_H
#define SETTINGS_REPORT_H

// The commissioning report: every setting of a unit, a file or the window on
// A4 pages (PDF) or in one self-contained HTML file, with the frequency
// response of every zone whose DSP is in use, drawn as the DSP page draws it.
// The window's File > Export Report... and `zorctl report` write it.
//
// A report names exactly one configuration: its title block holds the
// SHA-256 of the settings in file form, the bytes that a Save of them (or
// `zorctl backup` of a unit holding them) writes.

#include "protocol/core/unit_settings.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

class QIODevice;

namespace settings_report {

// The utility's version, as the window's title and zorctl --version give it.
constexpr char UtilityVersion[] = "2.2";

// What a report describes and when it was made.
struct Header {
    QString subject; // "Unit 10.0.0.7:23", "File lobby.ZOR", ...
    QDateTime created;
};

// The settings in file form: every command of their Send All followed by a
// line feed, as a Save writes them.
QByteArray fileForm(const UnitSettings &settings);
// SHA-256 of the file form, 64 lower-case hexadecimal digits.
QString fingerprint(const UnitSettings &settings);

// Names ending in .html or .htm (in any case) are HTML reports.
bool isHtmlName(const QString &path);

// The report as one HTML document, its curves embedded as PNG pictures.
QString html(const UnitSettings &settings, const Header &header);

// The report as a PDF document of A4 pages written to `device`. False with a
// reason when it could not be written.
bool writePdf(QIODevice *device, const UnitSettings &settings, const Header &header, QString *reason);

// Writes the report to `path`, as HTML when the name says so and as PDF
// otherwise, replacing the file only once it is written whole.
bool write(const QString &path, const UnitSettings &settings, const Header &header, QString *reason);

} // namespace settings_report

#endif // SETTINGS_REPORT_H
