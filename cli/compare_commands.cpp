// zorctl diff, show and lint: comparing and reading settings, checking files.
#include "cli/job_pool.h"
#include "cli/result_json.h"
#include "cli/settings_file.h"
#include "cli/settings_text.h"
#include "cli/sources.h"
#include "cli/zorctl.h"

#include <QJsonObject>

namespace zorctl {

namespace {

QJsonValue errorValue(const QString &reason)
{
    return reason.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(reason);
}

} // namespace

int diffCommand(const Arguments &a)
{
    if (a.positional.size() != 2) {
        error(QStringLiteral("diff needs two files or targets"));
        return ExitUsage;
    }
    QVector<Source> sources;
    int status = ExitOk;
    if (!parseSources(a.positional, &sources, &status))
        return status;
    readSources(&sources, 2, true, &status);
    const Source &first = sources.at(0), &second = sources.at(1);
    const bool read = first.error.isEmpty() && second.error.isEmpty();
    const QVector<UnitSettings::Difference> diffs =
        read ? first.settings.differences(second.settings) : QVector<UnitSettings::Difference>();
    if (read)
        status = diffs.isEmpty() ? ExitOk : ExitFinding;
    if (a.has(QStringLiteral("json"))) {
        const QString problem = !first.error.isEmpty()    ? first.name + QStringLiteral(": ") + first.error
                                : !second.error.isEmpty() ? second.name + QStringLiteral(": ") + second.error
                                                          : QString();
        // The first argument is the target, the second the file it is held
        // against, as restore and the module hold a unit against a file.
        printJson(QJsonArray{QJsonObject{{QStringLiteral("target"), first.name},
                                         {QStringLiteral("file"), second.name},
                                         {QStringLiteral("ok"), read},
                                         {QStringLiteral("error"), errorValue(problem)},
                                         {QStringLiteral("differences"), result_json::differences(diffs)}}});
        return status;
    }
    if (!diffs.isEmpty()) {
        out() << "page\tsetting\t" << a.positional.at(0) << "\t" << a.positional.at(1) << Qt::endl;
        for (const UnitSettings::Difference &d : diffs)
            out() << d.page << "\t" << d.setting << "\t" << d.current << "\t" << d.wanted << Qt::endl;
    }
    return status;
}

int lintCommand(const Arguments &a)
{
    if (a.positional.size() != 1) {
        error(QStringLiteral("lint needs one file"));
        return ExitUsage;
    }
    const QString path = a.positional.first();
    const settings_file::Reading file = settings_file::read(path);
    if (!file.error.isEmpty())
        error(QStringLiteral("%1: %2").arg(path, file.error));
    if (a.has(QStringLiteral("json"))) {
        printJson(
            QJsonArray{QJsonObject{{QStringLiteral("target"), path},
                                   {QStringLiteral("ok"), file.error.isEmpty() && file.findings.isEmpty()},
                                   {QStringLiteral("error"), errorValue(file.error)},
                                   {QStringLiteral("findings"), result_json::findings(file.findings)},
                                   {QStringLiteral("unlisted"), file.unlisted}}});
    } else {
        for (const settings_file::Finding &finding : file.findings)
            out() << path << ":" << finding.line << ": " << finding.message << Qt::endl;
        if (file.unlisted > 0)
            out() << path << ": " << file.unlisted << " more lines not taken" << Qt::endl;
    }
    if (!file.error.isEmpty())
        return ExitUsage;
    return file.findings.isEmpty() ? ExitOk : ExitFinding;
}

int showCommand(const Arguments &a)
{
    QString page;
    if (a.values.contains(QStringLiteral("page"))) {
        for (const QString &p : settings_text::pages())
            if (p.compare(a.value(QStringLiteral("page")), Qt::CaseInsensitive) == 0 ||
                p.section(QLatin1Char('/'), 0, 0)
                        .compare(a.value(QStringLiteral("page")), Qt::CaseInsensitive) == 0)
                page = p;
        if (page.isEmpty()) {
            error(
                QStringLiteral("unknown page %1 (pages: %2)")
                    .arg(a.value(QStringLiteral("page")), settings_text::pages().join(QStringLiteral(", "))));
            return ExitUsage;
        }
    }
    int jobs = 32, status = ExitOk;
    if (!jobsOption(a, &jobs))
        return ExitUsage;
    // A file or unit named twice is shown once.
    QVector<Source> sources;
    if (!namedSources(a, QStringLiteral("show"), &sources, &status))
        return status;
    readSources(&sources, jobs, false, &status);

    const bool many = sources.size() > 1;
    QJsonArray entries;
    for (const Source &source : qAsConst(sources)) {
        QJsonArray settings;
        if (many && source.error.isEmpty() && !a.has(QStringLiteral("json")))
            out() << "== " << source.name << Qt::endl;
        QString current;
        for (const settings_text::Line &line : settings_text::lines(source.settings)) {
            if (!source.error.isEmpty() || (!page.isEmpty() && line.page != page))
                continue;
            settings.append(QJsonObject{{QStringLiteral("page"), line.page},
                                        {QStringLiteral("setting"), line.setting},
                                        {QStringLiteral("value"), line.value}});
            if (a.has(QStringLiteral("json")))
                continue;
            if (line.page != current) {
                current = line.page;
                out() << "[" << current << "]" << Qt::endl;
            }
            out() << line.text() << Qt::endl;
        }
        entries.append(QJsonObject{{QStringLiteral("target"), source.name},
                                   {QStringLiteral("ok"), source.error.isEmpty()},
                                   {QStringLiteral("error"), errorValue(source.error)},
                                   {QStringLiteral("settings"), settings}});
    }
    if (a.has(QStringLiteral("json")))
        printJson(entries);
    else if (many)
        for (const Source &source : qAsConst(sources))
            out() << source.name << ": "
                  << (source.error.isEmpty() ? QStringLiteral("OK") : QStringLiteral("failed")) << Qt::endl;
    return status;
}

} // namespace zorctl
