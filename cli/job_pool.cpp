#include "cli/job_pool.h"

#include "cli/discovery.h"
#include "cli/zorctl.h"

#include <QCoreApplication>
#include <QSet>

#include <unistd.h>

namespace zorctl {

bool collectTargets(const Arguments &a, const QStringList &given, QList<Target> *targets, int *status)
{
    QStringList texts = given;
    if (a.has(QStringLiteral("all"))) {
        *status = runDiscovered(a, [&](QStringList units) {
            texts += units;
            return ExitOk;
        });
        if (*status != ExitOk)
            return false;
        if (texts.isEmpty()) {
            error(QStringLiteral("no units found"));
            *status = ExitUnreachable;
            return false;
        }
    }
    if (texts.isEmpty()) {
        error(QStringLiteral("no target given"));
        *status = ExitUsage;
        return false;
    }
    QSet<QString> seen;
    for (const QString &text : texts) {
        Target t;
        QString reason;
        if (!Target::parse(text, &t, &reason)) {
            error(QStringLiteral("%1: %2").arg(text, reason));
            *status = ExitUsage;
            return false;
        }
        if (!seen.contains(t.key())) {
            seen.insert(t.key());
            *targets << t;
        }
    }
    return true;
}

void runJobs(const QList<Target> &targets, int jobs, const std::function<void(UnitJob *)> &configure,
             const std::function<void(UnitJob *)> &each)
{
    if (targets.isEmpty())
        return;
    int next = 0, running = 0, ended = 0;
    const bool progress = ::isatty(STDERR_FILENO) == 1 && targets.size() > 1;
    std::function<void()> launch = [&] {
        while (running < jobs && next < targets.size()) {
            auto *job = new UnitJob(targets.at(next++));
            configure(job);
            ++running;
            QObject::connect(job, &UnitJob::finished, job, [&](UnitJob *finished) {
                --running;
                ++ended;
                each(finished);
                finished->deleteLater();
                if (progress)
                    err() << "\r" << ended << "/" << targets.size() << " units done" << Qt::flush;
                if (ended == targets.size()) {
                    if (progress)
                        err() << Qt::endl;
                    QCoreApplication::exit(0);
                } else {
                    launch();
                }
            });
            job->start();
        }
    };
    launch();
    QCoreApplication::exec();
}

} // namespace zorctl
