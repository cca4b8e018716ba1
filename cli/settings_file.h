#ifndef ZORCTL_SETTINGS_FILE_H
#define ZORCTL_SETTINGS_FILE_H

#include "protocol/core/unit_settings.h"

#include <QString>
#include <QVector>

class QIODevice;

// Reading and writing configuration files (.ZOR) for the command line and
// the Ansible module, line by line as the window's Load reads them.
namespace settings_file {

// A line that the window's Load would not take, and why.
struct Finding {
    int line = 0; // counted from 1
    QString message;
};

// The findings kept of one file: a disk image picked by mistake has a
// finding on nearly every line, and memory stays bounded whatever it holds.
constexpr int MaxFindings = 1000;

struct Reading {
    UnitSettings settings;     // holds what the lines taken set
    int taken = 0;             // lines that set a setting
    QVector<Finding> findings; // every other line that is not blank, the first MaxFindings of them
    int unlisted = 0;          // findings beyond those
    QString error;             // the file could not be opened or read to its end
};

// Reads every line as the window's Load does: a line it takes sets its
// setting (a later line for the same setting wins, as in the window); a line
// it would not take is a finding with the reason (too long, no setting, not
// a setting, a field out of range).
Reading read(const QString &path);
Reading read(QIODevice *device);

// Writes the file the window's Save writes (every Send All command of what
// the model holds, one per line), replacing `path` only when complete.
bool save(const QString &path, const UnitSettings &settings, QString *reason);

} // namespace settings_file

#endif // ZORCTL_SETTINGS_FILE_H
