#ifndef ZORCTL_JOB_POOL_H
#define ZORCTL_JOB_POOL_H

#include "cli/arguments.h"
#include "cli/unit_job.h"

#include <QList>
#include <QStringList>

#include <functional>

namespace zorctl {

// The units to work on: the targets given, and with --all every unit a
// search finds; targets naming the same unit count once. False with the exit
// status set (and the error printed) for a target that is neither form, or
// when there is none.
bool collectTargets(const Arguments &a, const QStringList &given, QList<Target> *targets, int *status);

// Runs one job per target, at most `jobs` at once; `configure` sets each job
// up before it starts and `each` sees every job as it ends. Returns when all
// have ended. Progress goes to standard error when it is a terminal.
void runJobs(const QList<Target> &targets, int jobs, const std::function<void(UnitJob *)> &configure,
             const std::function<void(UnitJob *)> &each);

} // namespace zorctl

#endif // ZORCTL_JOB_POOL_H
