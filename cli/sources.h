#ifndef ZORCTL_SOURCES_H
#define ZORCTL_SOURCES_H

#include "cli/arguments.h"
#include "cli/unit_job.h"
#include "protocol/core/unit_settings.h"

#include <QString>
#include <QStringList>
#include <QVector>

namespace zorctl {

// A file or a unit whose settings a command reads (diff, show, plot).
struct Source {
    QString name; // the file as given, or the unit as HOST:PORT
    QString key;  // the same for two arguments naming one file or one unit
    bool isFile = false;
    Target target;
    UnitSettings settings;
    QString error; // empty once the settings were read
};

// The sources the arguments name. False, with the error printed and the exit
// status set, for an argument that is neither a file nor a target.
bool parseSources(const QStringList &items, QVector<Source> *sources, int *status);
// The sources of a command that takes several (show, report): the
// arguments, and with --all the units discovered, each file or unit once
// however often it is named. False, with the error printed and the exit
// status set, when there is none or an argument is neither a file nor a
// target; `command` names the command in the message.
bool namedSources(const Arguments &a, const QString &command, QVector<Source> *sources, int *status);
// Reads every file, then every unit once however often it is named, at most
// `jobs` at a time. A source that cannot be read gets its error (printed)
// and raises the exit status: 2 for a file, 3 for a unit. With `allOrNothing`
// no unit is contacted once a file cannot be read.
void readSources(QVector<Source> *sources, int jobs, bool allOrNothing, int *status);

} // namespace zorctl

#endif // ZORCTL_SOURCES_H
