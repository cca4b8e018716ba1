#ifndef ZORCTL_ZORCTL_H
#define ZORCTL_ZORCTL_H

// What zorctl's commands share: exit codes, output, options and the
// commands themselves (one file per command or group of commands).

#include "cli/arguments.h"
#include "cli/unit_job.h"

#include <QJsonArray>
#include <QString>
#include <QTextStream>

namespace zorctl {

constexpr int ExitOk = 0;
constexpr int ExitFinding = 1;
constexpr int ExitUsage = 2; // also a local file that cannot be read or written
constexpr int ExitUnreachable = 3;

QTextStream &out();
QTextStream &err();
// "zorctl: TEXT" on standard error.
void error(const QString &text);

// An integer option within [min, max], `fallback` when it is not given.
// False (with the error printed) for any other value.
bool intOption(const Arguments &a, const QString &name, int min, int max, int fallback, int *result);
// --jobs: how many units at once, 1..4096, 32 when not given.
bool jobsOption(const Arguments &a, int *jobs);
// Whether -o names a directory (ends in "/" or is one) rather than a file.
bool isDirectoryOutput(const QString &output);
int exitFor(UnitJob::Failure failure);
// With --json: the document on standard output, alone.
void printJson(const QJsonArray &document);

// An argument naming a configuration file rather than a unit: an existing
// regular file, a directory (a file that cannot be read), or a name ending
// in .ZOR (in any case) that may not exist.
bool isFileArgument(const QString &text);

int discoverCommand(const Arguments &a);
int backupCommand(const Arguments &a);
int restoreCommand(const Arguments &a);
int diffCommand(const Arguments &a);
int lintCommand(const Arguments &a);
int showCommand(const Arguments &a);
int plotCommand(const Arguments &a);
int reportCommand(const Arguments &a);

} // namespace zorctl

#endif // ZORCTL_ZORCTL_H
