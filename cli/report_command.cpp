// zorctl report: the commissioning report of files and units, as PDF or HTML.
#include "cli/job_pool.h"
#include "cli/sources.h"
#include "cli/zorctl.h"
#include "report/settings_report.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

namespace zorctl {

int reportCommand(const Arguments &a)
{
    const QString output = a.value(QStringLiteral("output"));
    if (output.isEmpty()) {
        error(QStringLiteral("report needs -o OUT.pdf, -o OUT.html or -o DIR/"));
        return ExitUsage;
    }
    int jobs = 32, status = ExitOk;
    if (!jobsOption(a, &jobs))
        return ExitUsage;
    // A file or unit named twice is reported once.
    QVector<Source> sources;
    if (!namedSources(a, QStringLiteral("report"), &sources, &status))
        return status;

    const bool toDirectory = isDirectoryOutput(output);
    if (sources.size() > 1 && !toDirectory) {
        error(QStringLiteral("several reports need -o DIR/"));
        return ExitUsage;
    }
    if (!toDirectory && !settings_report::isHtmlName(output) &&
        !output.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)) {
        error(QStringLiteral("%1: the report is written as .pdf or .html").arg(output));
        return ExitUsage;
    }
    // In a directory, a unit's report is named as its backup, a file's after
    // the file; two reports may not claim one name.
    QVector<QString> paths;
    QHash<QString, QString> claimed;
    for (const Source &source : qAsConst(sources)) {
        const QString stem =
            source.isFile ? QFileInfo(source.name).completeBaseName() : source.target.fileStem();
        const QString path = toDirectory ? QDir(output).filePath(stem + QStringLiteral(".pdf")) : output;
        if (claimed.contains(path)) {
            error(QStringLiteral("%1 and %2 would both be reported in %3")
                      .arg(claimed.value(path), source.name, path));
            return ExitUsage;
        }
        claimed.insert(path, source.name);
        paths << path;
    }
    if (toDirectory && !QDir().mkpath(output)) {
        error(QStringLiteral("%1: cannot create the directory").arg(output));
        return ExitUsage;
    }

    readSources(&sources, jobs, false, &status);
    QStringList summary;
    for (int i = 0; i < sources.size(); ++i) {
        const Source &source = sources.at(i);
        QString result = source.error;
        if (result.isEmpty()) {
            const settings_report::Header header{
                source.isFile ? QStringLiteral("File %1").arg(QFileInfo(source.name).fileName())
                              : QStringLiteral("Unit %1").arg(source.name),
                QDateTime::currentDateTime()};
            QString reason;
            if (settings_report::write(paths.at(i), source.settings, header, &reason)) {
                result = QStringLiteral("OK");
            } else {
                result = QStringLiteral("%1: %2").arg(paths.at(i), reason);
                error(result);
                status = qMax(status, ExitUsage);
            }
        }
        summary << QStringLiteral("%1: %2").arg(source.name, result);
    }
    if (sources.size() > 1)
        for (const QString &line : qAsConst(summary))
            out() << line << Qt::endl;
    return status;
}

} // namespace zorctl
