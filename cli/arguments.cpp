#include "cli/arguments.h"

#include <QVector>

namespace zorctl {

namespace {

const char *const MainHelp =
    "Usage: zorctl COMMAND [OPTIONS] ARGUMENTS\n"
    "\n"
    "Back up, restore, compare, check, show, plot and report the settings of ZOR\n"
    "units.\n"
    "A TARGET is HOST[:PORT] (TCP, port 23 by default) or a serial device path\n"
    "(9600 8N1). A FILE is a configuration file (.ZOR).\n"
    "\n"
    "Commands:\n"
    "  discover [--wait SECONDS] [--json]            list the units that answer a search\n"
    "  backup TARGET... -o FILE.ZOR|DIR/             read units into configuration files\n"
    "  restore FILE.ZOR TARGET... [--changes-only] [--dry-run] [--no-verify]\n"
    "                                                send a file's settings to units\n"
    "                                                and check that they took\n"
    "  diff A B                                      settings that differ (files or targets)\n"
    "  lint FILE.ZOR                                 lines that would not load\n"
    "  show FILE.ZOR|TARGET... [--page PAGE]         the settings as readable text\n"
    "  plot FILE.ZOR|TARGET --zone N -o OUT.png|OUT.svg a zone's frequency response\n"
    "  report FILE.ZOR|TARGET... -o OUT.pdf|OUT.html|DIR/\n"
    "                                                every setting on paper, with the\n"
    "                                                DSP curves (commissioning report)\n"
    "\n"
    "Many units: backup, restore, show and report take several targets, or --all\n"
    "to discover them first; --jobs N (default 32) bounds the open connections.\n"
    "Targets that name the same unit (10.0.0.7 and 10.0.0.7:23) are one unit.\n"
    "\n"
    "A unit's settings are read whole or not at all: a unit that answers only\n"
    "some of them is an error, and nothing is written or compared.\n"
    "\n"
    "--json (discover, backup, restore, diff, lint, show) prints one JSON\n"
    "document on standard output and nothing else there; see zorctl(1).\n"
    "\n"
    "Exit status: 0 success, 1 differences, lint findings or settings that did\n"
    "not take, 2 usage error or a local file that cannot be read or written,\n"
    "3 a unit unreachable, silent or answering only some of its settings.\n"
    "\n"
    "zorctl COMMAND --help describes one command; zorctl --version prints the version.\n";

const char *const ManyUnitsHelp =
    "  --jobs N            at most N connections open at once (default 32)\n"
    "  --all               discover the units first and use every one found\n"
    "  --sddp-port N       UDP port the search goes to (default 1902)\n"
    "  --sddp-address ADDR where the search goes (default the SDDP multicast group)\n"
    "  --wait SECONDS      how long --all waits for answers (default 3)\n";

QVector<Command> makeCommands()
{
    const QSet<QString> many{QStringLiteral("jobs"), QStringLiteral("sddp-port"),
                             QStringLiteral("sddp-address"), QStringLiteral("wait")};
    const QString json = QStringLiteral("json"), all = QStringLiteral("all");
    const QString manyHelp = QString::fromLatin1(ManyUnitsHelp);
    return {
        {QStringLiteral("discover"),
         QStringLiteral(
             "Usage: zorctl discover [--wait SECONDS] [--json] [--sddp-port N] [--sddp-address ADDR]\n"
             "\n"
             "Sends one SDDP search and lists the address of every ZOR unit that\n"
             "answers within SECONDS (default 3), once each, sorted; --json prints a\n"
             "JSON array of the addresses.\n"),
         {json},
         {QStringLiteral("wait"), QStringLiteral("sddp-port"), QStringLiteral("sddp-address")}},
        {QStringLiteral("backup"),
         QStringLiteral("Usage: zorctl backup TARGET... -o FILE.ZOR|DIR/ [--json] [options]\n"
                        "\n"
                        "Reads every setting of each unit and writes it as a configuration file\n"
                        "the window loads. With several units -o names a directory (ending in /);\n"
                        "each file is named after the unit's address. A unit that does not answer\n"
                        "every setting within a minute fails (exit 3) and its file is not written:\n"
                        "an existing file stays as it was. A file that cannot be written: exit 2.\n"
                        "\n") +
             manyHelp,
         {json, all},
         many + QSet<QString>{QStringLiteral("output")}},
        {QStringLiteral("restore"),
         QStringLiteral(
             "Usage: zorctl restore FILE.ZOR TARGET... [--changes-only] [--dry-run] [--no-verify] [--json]\n"
             "                      [options]\n"
             "\n"
             "Sends the settings the file holds to each unit, 50 ms apart, then reads the\n"
             "unit back: settings that did not take are listed as diff lists them (page,\n"
             "setting, unit, file) and the exit status is 1; a unit that cannot be read\n"
             "back gives 3.\n"
             "  --changes-only  read the unit first, print what differs, send only that\n"
             "                  (nothing differs: nothing is sent or checked)\n"
             "  --dry-run       print the commands that would be sent; send nothing\n"
             "  --no-verify     do not read the unit back\n"
             "\n") +
             manyHelp,
         {json, all, QStringLiteral("changes-only"), QStringLiteral("dry-run"), QStringLiteral("no-verify")},
         many},
        {QStringLiteral("diff"),
         QStringLiteral("Usage: zorctl diff A B [--json]\n"
                        "\n"
                        "A and B are files or targets. Prints each differing setting (page,\n"
                        "setting, A's value, B's value); exit 1 when they differ, 0 when equal.\n"
                        "Only the settings B holds and would send are compared: a file compares\n"
                        "what its lines set. A unit that answers only some settings: exit 3.\n"),
         {json},
         {}},
        {QStringLiteral("lint"),
         QStringLiteral("Usage: zorctl lint FILE.ZOR [--json]\n"
                        "\n"
                        "Prints every line that the window's Load would not take, with its number\n"
                        "and why: longer than 4096 bytes, no setting in it, not a setting, a field\n"
                        "out of range, a bad name. Exit 1 if any.\n"),
         {json},
         {}},
        {QStringLiteral("show"),
         QStringLiteral("Usage: zorctl show FILE.ZOR|TARGET... [--page PAGE] [--json] [options]\n"
                        "\n"
                        "Prints the settings page by page. PAGE is Source, Zone, DSP,\n"
                        "Network/Misc, Groups or Favorites.\n"
                        "\n") +
             manyHelp,
         {json, all},
         many + QSet<QString>{QStringLiteral("page")}},
        {QStringLiteral("plot"),
         QStringLiteral("Usage: zorctl plot FILE.ZOR|TARGET --zone N -o OUT.png|OUT.svg\n"
                        "\n"
                        "Draws zone N's frequency response as the DSP page does, with the zone's\n"
                        "name as title: a PNG picture or an SVG drawing, by the name's ending.\n"
                        "The file is replaced only once it is written whole.\n"),
         {},
         {QStringLiteral("zone"), QStringLiteral("output")}},
        {QStringLiteral("report"),
         QStringLiteral("Usage: zorctl report FILE.ZOR|TARGET... -o OUT.pdf|OUT.html|DIR/ [options]\n"
                        "\n"
                        "Writes the commissioning report of a file or a unit: a title block with\n"
                        "the SHA-256 of the settings as a saved file holds them, then sources,\n"
                        "zones, DSP with the frequency response of every zone whose DSP is in use,\n"
                        "presets, network, front panel, serial and trigger settings, groups and\n"
                        "favorites. A4 pages as PDF, or one self-contained HTML file when OUT ends\n"
                        "in .html. With several files or units -o names a directory (ending in /)\n"
                        "and each gets a PDF, a unit's named as backup names its file\n"
                        "(10.0.0.7_23.pdf), a file's after the file. A unit that does not answer\n"
                        "every setting fails (exit 3) and gets no report; a report that cannot be\n"
                        "written: exit 2. A report replaces its file only once written whole.\n"
                        "\n") +
             manyHelp,
         {all},
         many + QSet<QString>{QStringLiteral("output")}},
    };
}

const QVector<Command> &commands()
{
    static const QVector<Command> list = makeCommands();
    return list;
}

} // namespace

const char *mainHelp()
{
    return MainHelp;
}

const Command *findCommand(const QString &name)
{
    for (const Command &command : commands())
        if (command.name == name)
            return &command;
    return nullptr;
}

Arguments parseArguments(const QStringList &list, const Command &command)
{
    // Whether some other command takes the option: then this one does not.
    const auto known = [](const QString &name) {
        for (const Command &c : commands())
            if (c.flags.contains(name) || c.values.contains(name))
                return true;
        return false;
    };
    Arguments a;
    for (int i = 0; i < list.size(); ++i) {
        QString arg = list.at(i);
        if (arg == QLatin1String("-o"))
            arg = QStringLiteral("--output");
        if (!arg.startsWith(QLatin1String("--")) || arg == QLatin1String("--")) {
            a.positional << arg;
            continue;
        }
        QString name = arg.mid(2);
        QString inlineValue;
        const int eq = name.indexOf(QLatin1Char('='));
        const bool hasInline = eq >= 0;
        if (hasInline) {
            inlineValue = name.mid(eq + 1);
            name = name.left(eq);
        }
        if (command.flags.contains(name)) {
            if (hasInline) {
                a.problem = QStringLiteral("option --%1 takes no value").arg(name);
                return a;
            }
            a.flags.insert(name);
        } else if (command.values.contains(name)) {
            if (hasInline) {
                a.values.insert(name, inlineValue);
            } else if (i + 1 < list.size()) {
                a.values.insert(name, list.at(++i));
            } else {
                a.problem = QStringLiteral("option --%1 needs a value").arg(name);
                return a;
            }
        } else if (known(name)) {
            a.problem = QStringLiteral("%1 does not take --%2").arg(command.name, name);
            return a;
        } else {
            a.problem = QStringLiteral("unknown option %1").arg(arg);
            return a;
        }
    }
    return a;
}

} // namespace zorctl
