// zorctl backup and restore: reading units into files and files into units.
#include "cli/job_pool.h"
#include "cli/result_json.h"
#include "cli/settings_file.h"
#include "cli/zorctl.h"

#include <QDir>
#include <QHash>
#include <QJsonObject>
#include <QVector>

namespace zorctl {

namespace {

QJsonValue errorValue(const QString &reason)
{
    return reason.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(reason);
}

// One line per unit, in the order the units were given, then the worst exit
// status. Nothing is printed for a single unit or with --json.
int summarise(const QVector<QString> &results, const QList<Target> &targets, bool print, int status)
{
    if (print && targets.size() > 1)
        for (int i = 0; i < targets.size(); ++i)
            out() << targets.at(i).name() << ": " << results.at(i) << Qt::endl;
    return status;
}

QHash<QString, int> positions(const QList<Target> &targets)
{
    QHash<QString, int> at;
    for (int i = 0; i < targets.size(); ++i)
        at.insert(targets.at(i).key(), i);
    return at;
}

void printDifferences(const QVector<UnitSettings::Difference> &diffs)
{
    if (diffs.isEmpty())
        return;
    out() << "page\tsetting\tunit\tfile" << Qt::endl;
    for (const UnitSettings::Difference &d : diffs)
        out() << d.page << "\t" << d.setting << "\t" << d.current << "\t" << d.wanted << Qt::endl;
}

} // namespace

int backupCommand(const Arguments &a)
{
    const QString output = a.value(QStringLiteral("output"));
    if (output.isEmpty()) {
        error(QStringLiteral("backup needs -o FILE.ZOR or -o DIR/"));
        return ExitUsage;
    }
    int jobs = 32, status = ExitOk;
    if (!jobsOption(a, &jobs))
        return ExitUsage;
    QList<Target> targets;
    if (!collectTargets(a, a.positional, &targets, &status))
        return status;
    const bool toDirectory = isDirectoryOutput(output);
    if (targets.size() > 1 && !toDirectory) {
        error(QStringLiteral("several units need -o DIR/"));
        return ExitUsage;
    }
    if (toDirectory && !QDir().mkpath(output)) {
        error(QStringLiteral("%1: cannot create the directory").arg(output));
        return ExitUsage;
    }
    const bool json = a.has(QStringLiteral("json"));
    const QHash<QString, int> at = positions(targets);
    QVector<QString> results(targets.size());
    QJsonArray entries;
    for (const Target &t : targets)
        entries.append(QJsonObject{{QStringLiteral("target"), t.name()}});
    runJobs(
        targets, jobs, [](UnitJob *job) { job->readFirst = true; },
        [&](UnitJob *job) {
            const int i = at.value(job->target().key());
            QString reason = job->reason();
            QString written;
            if (job->succeeded()) {
                const QString path =
                    toDirectory ? QDir(output).filePath(job->target().fileStem() + QStringLiteral(".ZOR"))
                                : output;
                if (settings_file::save(path, job->settings(), &reason)) {
                    written = path;
                } else {
                    reason = QStringLiteral("%1: %2").arg(path, reason);
                    error(reason);
                    status = qMax(status, ExitUsage);
                }
            } else {
                error(QStringLiteral("%1: %2").arg(job->target().name(), reason));
                status = qMax(status, exitFor(job->failureKind()));
            }
            results[i] = written.isEmpty() ? reason : QStringLiteral("OK");
            QJsonObject entry = entries.at(i).toObject();
            entry.insert(QStringLiteral("ok"), !written.isEmpty());
            entry.insert(QStringLiteral("error"), errorValue(written.isEmpty() ? reason : QString()));
            entry.insert(QStringLiteral("file"), written.isEmpty() ? QJsonValue() : QJsonValue(written));
            entries[i] = entry;
        });
    if (json)
        printJson(entries);
    return summarise(results, targets, !json, status);
}

int restoreCommand(const Arguments &a)
{
    if (a.positional.isEmpty()) {
        error(QStringLiteral("restore needs FILE.ZOR and a target"));
        return ExitUsage;
    }
    const QString path = a.positional.first();
    const settings_file::Reading file = settings_file::read(path);
    if (!file.error.isEmpty() || file.taken == 0) {
        error(QStringLiteral("%1: %2").arg(path, file.error.isEmpty() ? QStringLiteral("no settings found")
                                                                      : file.error));
        return ExitUsage;
    }
    const UnitSettings &wanted = file.settings;
    const QList<QByteArray> commands = wanted.sendAllCommands();
    const bool changesOnly = a.has(QStringLiteral("changes-only"));
    const bool dryRun = a.has(QStringLiteral("dry-run"));
    const bool verify = !dryRun && !a.has(QStringLiteral("no-verify"));
    const bool json = a.has(QStringLiteral("json"));
    int jobs = 32, status = ExitOk;
    if (!jobsOption(a, &jobs))
        return ExitUsage;
    // A dry run checks the targets it is given before printing; it may be
    // given none.
    QList<Target> targets;
    const bool anyTarget = a.positional.size() > 1 || a.has(QStringLiteral("all"));
    if ((anyTarget || !dryRun || changesOnly) && !collectTargets(a, a.positional.mid(1), &targets, &status))
        return status;

    QJsonArray entries;
    const auto entry = [&](const QJsonValue &target) {
        return QJsonObject{{QStringLiteral("target"), target},
                           {QStringLiteral("ok"), true},
                           {QStringLiteral("changed"), false},
                           {QStringLiteral("error"), QJsonValue()},
                           {QStringLiteral("commands"), result_json::commands(commands)},
                           {QStringLiteral("differences"), QJsonArray()},
                           {QStringLiteral("not_taken"), QJsonArray()}};
    };
    for (const Target &t : targets)
        entries.append(entry(t.name()));
    // A dry run without targets prints the file's commands, for no unit.
    if (targets.isEmpty())
        entries.append(entry(QJsonValue()));
    if (dryRun && !changesOnly) {
        if (json) {
            printJson(entries);
        } else {
            for (const QByteArray &command : commands)
                out() << command << '\n';
            out() << Qt::flush;
        }
        return ExitOk;
    }

    const bool many = targets.size() > 1;
    const QHash<QString, int> at = positions(targets);
    QVector<QString> results(targets.size());
    runJobs(
        targets, jobs,
        [&](UnitJob *job) {
            if (changesOnly) {
                job->readFirst = true;
                job->sendDifferencesTo = !dryRun;
                job->wanted = wanted;
            } else {
                job->commands = commands;
            }
            job->verify = verify;
        },
        [&](UnitJob *job) {
            const int i = at.value(job->target().key());
            // The changes only from a complete reading, also when the link
            // was lost while sending them.
            QVector<UnitSettings::Difference> diffs;
            if (changesOnly && job->readComplete())
                diffs = dryRun ? job->settings().differences(wanted) : job->differences();
            QList<QByteArray> wouldSend;
            for (const UnitSettings::Difference &d : qAsConst(diffs))
                wouldSend += d.commands;
            const QVector<UnitSettings::Difference> &notTaken = job->notTaken();
            if (!json) {
                if (many && (!diffs.isEmpty() || !notTaken.isEmpty()))
                    out() << "== " << job->target().name() << Qt::endl;
                printDifferences(diffs);
                if (dryRun)
                    for (const QByteArray &command : qAsConst(wouldSend))
                        out() << command << '\n';
                printDifferences(notTaken);
            }
            QString reason = job->reason();
            if (job->succeeded() && !notTaken.isEmpty())
                reason = notTaken.size() == 1
                             ? QStringLiteral("1 setting did not take")
                             : QStringLiteral("%1 settings did not take").arg(notTaken.size());
            const bool ok = reason.isEmpty();
            if (ok) {
                results[i] = QStringLiteral("OK (%1 commands sent)").arg(job->commandsSent());
            } else {
                error(QStringLiteral("%1: %2").arg(job->target().name(), reason));
                results[i] = reason;
                status = qMax(status, job->succeeded() ? ExitFinding : exitFor(job->failureKind()));
            }
            QJsonObject entry = entries.at(i).toObject();
            entry.insert(QStringLiteral("ok"), ok);
            entry.insert(QStringLiteral("changed"), job->commandsSent() > 0);
            entry.insert(QStringLiteral("error"), errorValue(reason));
            entry.insert(QStringLiteral("commands"),
                         result_json::commands(dryRun ? wouldSend : job->sentList()));
            entry.insert(QStringLiteral("differences"), result_json::differences(diffs));
            entry.insert(QStringLiteral("not_taken"), result_json::differences(notTaken));
            entries[i] = entry;
        });
    if (json)
        printJson(entries);
    else
        out() << Qt::flush;
    return summarise(results, targets, !json, status);
}

} // namespace zorctl
