// zorctl plot: a zone's frequency response as a picture or a drawing.
#include "cli/response_image.h"
#include "cli/sources.h"
#include "cli/zorctl.h"
#include "protocol/core/messages.h"

namespace zorctl {

int plotCommand(const Arguments &a)
{
    const QString output = a.value(QStringLiteral("output"));
    int zone = 0;
    if (a.positional.size() != 1 || output.isEmpty() || !a.values.contains(QStringLiteral("zone"))) {
        error(QStringLiteral("plot needs FILE.ZOR|TARGET --zone N -o OUT.png|OUT.svg"));
        return ExitUsage;
    }
    if (!intOption(a, QStringLiteral("zone"), 1, protocol::ZoneCount, 1, &zone))
        return ExitUsage;
    const bool svg = output.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive);
    if (!svg && !output.endsWith(QLatin1String(".png"), Qt::CaseInsensitive)) {
        error(QStringLiteral("%1: the picture is written as .png or .svg").arg(output));
        return ExitUsage;
    }
    QVector<Source> sources;
    int status = ExitOk;
    if (!parseSources(a.positional, &sources, &status))
        return status;
    readSources(&sources, 1, true, &status);
    if (!sources.first().error.isEmpty())
        return status;
    QString reason;
    const bool written = svg ? response_image::writeSvg(output, sources.first().settings, zone, &reason)
                             : response_image::writePng(output, sources.first().settings, zone, &reason);
    if (!written) {
        error(QStringLiteral("%1: %2").arg(output, reason));
        return ExitUsage;
    }
    return ExitOk;
}

} // namespace zorctl
