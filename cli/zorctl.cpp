#include "cli/zorctl.h"

#include <QFileInfo>
#include <QJsonDocument>

namespace zorctl {

QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

QTextStream &err()
{
    static QTextStream stream(stderr);
    return stream;
}

void error(const QString &text)
{
    err() << "zorctl: " << text << Qt::endl;
}

bool intOption(const Arguments &a, const QString &name, int min, int max, int fallback, int *result)
{
    if (!a.values.contains(name)) {
        *result = fallback;
        return true;
    }
    bool ok = false;
    const int v = a.value(name).toInt(&ok);
    if (!ok || v < min || v > max) {
        error(QStringLiteral("invalid value for --%1: %2").arg(name, a.value(name)));
        return false;
    }
    *result = v;
    return true;
}

int exitFor(UnitJob::Failure failure)
{
    return failure == UnitJob::None ? ExitOk : ExitUnreachable;
}

bool jobsOption(const Arguments &a, int *jobs)
{
    return intOption(a, QStringLiteral("jobs"), 1, 4096, 32, jobs);
}

bool isDirectoryOutput(const QString &output)
{
    return output.endsWith(QLatin1Char('/')) || QFileInfo(output).isDir();
}

void printJson(const QJsonArray &document)
{
    out() << QJsonDocument(document).toJson(QJsonDocument::Compact) << Qt::endl;
}

bool isFileArgument(const QString &text)
{
    const QFileInfo info(text);
    return info.isFile() || info.isDir() || text.endsWith(QLatin1String(".zor"), Qt::CaseInsensitive);
}

} // namespace zorctl
