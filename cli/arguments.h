#ifndef ZORCTL_ARGUMENTS_H
#define ZORCTL_ARGUMENTS_H

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

namespace zorctl {

// One command's arguments: positional ones and --name [value] options.
struct Arguments {
    QStringList positional;
    QHash<QString, QString> values;
    QSet<QString> flags;
    QString problem; // a usage error, empty when the arguments parsed

    bool has(const QString &name) const { return flags.contains(name) || values.contains(name); }
    QString value(const QString &name, const QString &fallback = QString()) const
    {
        return values.value(name, fallback);
    }
};

// A command, its help and the options it takes.
struct Command {
    QString name;
    QString help;
    QSet<QString> flags;  // --name
    QSet<QString> values; // --name VALUE (-o is --output)
};

const char *mainHelp();
// Nothing for a name that is no command.
const Command *findCommand(const QString &name);
// An option that the command does not take is a usage error.
Arguments parseArguments(const QStringList &list, const Command &command);

} // namespace zorctl

#endif // ZORCTL_ARGUMENTS_H
