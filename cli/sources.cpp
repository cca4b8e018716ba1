#include "cli/sources.h"

#include "cli/job_pool.h"
#include "cli/settings_file.h"
#include "cli/zorctl.h"

#include <QFileInfo>
#include <QHash>
#include <QSet>

namespace zorctl {

bool parseSources(const QStringList &items, QVector<Source> *sources, int *status)
{
    sources->clear();
    for (const QString &item : items) {
        Source source;
        source.isFile = isFileArgument(item);
        if (source.isFile) {
            source.name = item;
            source.key = QFileInfo(item).absoluteFilePath();
        } else {
            QString reason;
            if (!Target::parse(item, &source.target, &reason)) {
                error(QStringLiteral("%1: %2").arg(item, reason));
                *status = ExitUsage;
                return false;
            }
            source.name = source.target.name();
            source.key = source.target.key();
        }
        sources->append(source);
    }
    return true;
}

bool namedSources(const Arguments &a, const QString &command, QVector<Source> *sources, int *status)
{
    QStringList items = a.positional;
    if (a.has(QStringLiteral("all"))) {
        QList<Target> targets;
        if (!collectTargets(a, {}, &targets, status))
            return false;
        for (const Target &t : targets)
            items << t.text;
    }
    if (items.isEmpty()) {
        error(QStringLiteral("%1 needs a file or a target").arg(command));
        *status = ExitUsage;
        return false;
    }
    QVector<Source> named;
    if (!parseSources(items, &named, status))
        return false;
    sources->clear();
    QSet<QString> seen;
    for (const Source &source : qAsConst(named)) {
        if (!seen.contains(source.key)) {
            seen.insert(source.key);
            sources->append(source);
        }
    }
    return true;
}

void readSources(QVector<Source> *sources, int jobs, bool allOrNothing, int *status)
{
    QList<Target> targets;
    QHash<QString, QList<int>> named; // unit key -> the sources naming it
    for (int i = 0; i < sources->size(); ++i) {
        Source &source = (*sources)[i];
        if (!source.isFile) {
            if (!named.contains(source.key))
                targets << source.target;
            named[source.key] << i;
            continue;
        }
        const settings_file::Reading file = settings_file::read(source.name);
        if (!file.error.isEmpty())
            source.error = file.error;
        else if (file.taken == 0)
            source.error = QStringLiteral("no settings found");
        else
            source.settings = file.settings;
        if (!source.error.isEmpty()) {
            error(QStringLiteral("%1: %2").arg(source.name, source.error));
            *status = qMax(*status, ExitUsage);
        }
    }
    if (allOrNothing && *status != ExitOk)
        return;
    runJobs(
        targets, jobs, [](UnitJob *job) { job->readFirst = true; },
        [&](UnitJob *job) {
            if (!job->succeeded()) {
                error(QStringLiteral("%1: %2").arg(job->target().name(), job->reason()));
                *status = qMax(*status, exitFor(job->failureKind()));
            }
            for (int i : named.value(job->target().key())) {
                if (job->succeeded())
                    (*sources)[i].settings = job->settings();
                else
                    (*sources)[i].error = job->reason();
            }
        });
}

} // namespace zorctl
