// zorctl: back up, restore, compare, check, show and plot the settings of
// ZOR units from the command line, many units at once.

#include "cli/response_image.h"
#include "cli/settings_text.h"
#include "cli/unit_job.h"
#include "link/sddp.h"
#include "protocol/core/line_framer.h"
#include "protocol/core/messages.h"
#include "protocol/core/unit_settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QNetworkDatagram>
#include <QNetworkInterface>
#include <QSaveFile>
#include <QSet>
#include <QTextStream>
#include <QTimer>
#include <QUdpSocket>

#include <cstdio>
#include <functional>
#include <set>
#include <memory>
#include <unistd.h>

namespace {

constexpr int ExitOk = 0;
constexpr int ExitFinding = 1;
constexpr int ExitUsage = 2;
constexpr int ExitUnreachable = 3;

const char *const Version = "2.2";

QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

QTextStream &err()
{
    static QTextStream stream(stderr);
    return stream;
}

void error(const QString &text)
{
    err() << "zorctl: " << text << Qt::endl;
}

const char *const MainHelp =
    "Usage: zorctl COMMAND [OPTIONS] ARGUMENTS\n"
    "\n"
    "Back up, restore, compare, check, show and plot the settings of ZOR units.\n"
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
    "\n"
    "Many units: backup, restore and show take several targets, or --all to\n"
    "discover them first; --jobs N (default 32) bounds the open connections.\n"
    "\n"
    "A unit's settings are read whole or not at all: a unit that answers only\n"
    "some of them is an error, and nothing is written or compared.\n"
    "\n"
    "Exit status: 0 success, 1 difference, lint finding or settings that did not\n"
    "take, 2 usage error, 3 unit unreachable, not answering or answering only\n"
    "some of its settings.\n"
    "\n"
    "zorctl COMMAND --help describes one command; zorctl --version prints the version.\n";

QHash<QString, QString> commandHelp()
{
    const QString common =
        QStringLiteral("  --jobs N            at most N connections open at once (default 32)\n"
                       "  --all               discover the units first and use every one found\n"
                       "  --sddp-port N       UDP port the search goes to (default 1902)\n"
                       "  --sddp-address ADDR where the search goes (default the SDDP multicast group)\n"
                       "  --wait SECONDS      how long --all waits for answers (default 3)\n");
    return {
        {QStringLiteral("discover"),
         QStringLiteral(
             "Usage: zorctl discover [--wait SECONDS] [--json] [--sddp-port N] [--sddp-address ADDR]\n"
             "\n"
             "Sends one SDDP search and lists the address of every ZOR unit that\n"
             "answers within SECONDS (default 3), once each, sorted; --json prints a\n"
             "JSON array.\n")},
        {QStringLiteral("backup"),
         QStringLiteral("Usage: zorctl backup TARGET... -o FILE.ZOR|DIR/ [options]\n"
                        "\n"
                        "Reads every setting of each unit and writes it as a configuration file\n"
                        "the window loads. With several units -o names a directory (ending in /);\n"
                        "each file is named after the unit's address. A unit that does not answer\n"
                        "every setting within a minute fails (exit 3) and its file is not written:\n"
                        "an existing file stays as it was.\n"
                        "\n") +
             common},
        {QStringLiteral("restore"),
         QStringLiteral(
             "Usage: zorctl restore FILE.ZOR TARGET... [--changes-only] [--dry-run] [--no-verify] [options]\n"
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
             common},
        {QStringLiteral("diff"),
         QStringLiteral("Usage: zorctl diff A B\n"
                        "\n"
                        "A and B are files or targets. Prints each differing setting (page,\n"
                        "setting, A's value, B's value); exit 1 when they differ, 0 when equal.\n"
                        "Only the settings B holds and would send are compared: a file compares\n"
                        "what its lines set. A unit that answers only some settings: exit 3.\n")},
        {QStringLiteral("lint"),
         QStringLiteral("Usage: zorctl lint FILE.ZOR\n"
                        "\n"
                        "Prints every line that would not load, with its number and why: unknown\n"
                        "command, field out of range, bad name, a setting given twice. Exit 1 if any.\n")},
        {QStringLiteral("show"),
         QStringLiteral("Usage: zorctl show FILE.ZOR|TARGET... [--page PAGE] [options]\n"
                        "\n"
                        "Prints the settings page by page. PAGE is Source, Zone, DSP,\n"
                        "Network/Misc, Groups or Favorites.\n"
                        "\n") +
             common},
        {QStringLiteral("plot"),
         QStringLiteral("Usage: zorctl plot FILE.ZOR|TARGET --zone N -o OUT.png|OUT.svg\n"
                        "\n"
                        "Draws zone N's frequency response as the DSP page does, with the zone's\n"
                        "name as title. Only PNG is written.\n")},
    };
}

// Command line: positional arguments and --name [value] options.
struct Arguments {
    QStringList positional;
    QHash<QString, QString> values;
    QSet<QString> flags;
    QString problem;

    bool has(const QString &name) const { return flags.contains(name) || values.contains(name); }
    QString value(const QString &name, const QString &fallback = QString()) const
    {
        return values.value(name, fallback);
    }
};

Arguments parseArguments(const QStringList &list, const QSet<QString> &flagNames,
                         const QSet<QString> &valueNames)
{
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
        if (flagNames.contains(name) && !hasInline) {
            a.flags.insert(name);
        } else if (valueNames.contains(name)) {
            if (hasInline) {
                a.values.insert(name, inlineValue);
            } else if (i + 1 < list.size()) {
                a.values.insert(name, list.at(++i));
            } else {
                a.problem = QStringLiteral("option --%1 needs a value").arg(name);
                return a;
            }
        } else {
            a.problem = QStringLiteral("unknown option %1").arg(arg);
            return a;
        }
    }
    return a;
}

bool intOption(const Arguments &a, const QString &name, int min, int max, int fallback, int *result)
{
    if (!a.values.contains(name)) {
        *result = fallback;
        return true;
    }
    bool ok = false;
    const int v = a.value(name).toInt(&ok);
    if (!ok || v < min || v > max) {
        error(QStringLiteral("invalid value for --%1: %2").arg(name, a.value(name)));
        return false;
    }
    *result = v;
    return true;
}

// A configuration file read into a model, as the window loads it.
bool loadFile(const QString &path, UnitSettings *settings, QString *reason)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *reason = QStringLiteral("%1: %2").arg(path, file.errorString().toLower());
        return false;
    }
    int applied = 0;
    while (!file.atEnd())
        if (settings->apply(file.readLine()))
            ++applied;
    if (applied == 0) {
        *reason = QStringLiteral("%1: no settings found").arg(path);
        return false;
    }
    return true;
}

// The file the window's Save writes: every Send All command on its own line.
bool saveFile(const QString &path, const UnitSettings &settings, QString *reason)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *reason = QStringLiteral("%1: %2").arg(path, file.errorString().toLower());
        return false;
    }
    for (const QByteArray &command : settings.sendAllCommands())
        file.write(command + '\n');
    if (!file.commit()) {
        *reason = QStringLiteral("%1: %2").arg(path, file.errorString().toLower());
        return false;
    }
    return true;
}

bool isFileArgument(const QString &text)
{
    return QFileInfo(text).isFile();
}

bool stderrIsTerminal()
{
    return ::isatty(STDERR_FILENO) == 1;
}

// One SDDP search; calls `done` with the sorted addresses after `waitMs`.
class Discovery : public QObject
{
public:
    Discovery(QHostAddress to, quint16 port, int waitMs, std::function<void(QStringList, QString)> done)
        : destination(std::move(to)), sddpPort(port), callback(std::move(done))
    {
        timer.setSingleShot(true);
        timer.setInterval(waitMs);
        connect(&timer, &QTimer::timeout, this,
                [this] { callback(QStringList(found.begin(), found.end()), QString()); });
        connect(&socket, &QUdpSocket::readyRead, this, [this] {
            while (socket.hasPendingDatagrams()) {
                const QNetworkDatagram datagram = socket.receiveDatagram();
                const QString address = sddp::unitAddress(datagram.data());
                if (!address.isEmpty())
                    found.insert(address);
            }
        });
    }

    void start()
    {
        // Like the network dialog: listen on the SDDP port, shared, in the
        // group, so that answers sent to the group arrive too. A search sent
        // to one address (or a port taken exclusively) uses a free port.
        const bool multicast = destination.isMulticast();
        const bool onSddpPort =
            multicast && socket.bind(QHostAddress(QHostAddress::AnyIPv4), sddpPort,
                                     QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint);
        if (onSddpPort)
            socket.joinMulticastGroup(destination);
        else if (!socket.bind(QHostAddress(QHostAddress::AnyIPv4), 0)) {
            QTimer::singleShot(0, this, [this] { callback({}, QStringLiteral("cannot open a UDP socket")); });
            return;
        }
        QList<QHostAddress> addresses;
        for (const QHostAddress &a : QNetworkInterface::allAddresses())
            addresses << a;
        QString local = sddp::localAddress(addresses);
        if (local.isEmpty())
            local = QStringLiteral("127.0.0.1");
        if (socket.writeDatagram(sddp::searchDatagram(local), destination, sddpPort) < 0) {
            QTimer::singleShot(0, this, [this] {
                callback({},
                         QStringLiteral("cannot send the search: %1").arg(socket.errorString().toLower()));
            });
            return;
        }
        timer.start();
    }

private:
    QHostAddress destination;
    quint16 sddpPort;
    std::function<void(QStringList, QString)> callback;
    QUdpSocket socket;
    QTimer timer;
    std::set<QString> found;
};

bool discoveryOptions(const Arguments &a, QHostAddress *to, int *port, int *waitMs)
{
    int waitSeconds = 3;
    if (!intOption(a, QStringLiteral("sddp-port"), 1, 65535, sddp::Port, port) ||
        !intOption(a, QStringLiteral("wait"), 0, 3600, 3, &waitSeconds))
        return false;
    *waitMs = waitSeconds * 1000;
    *to = sddp::multicastGroup();
    if (a.values.contains(QStringLiteral("sddp-address")) &&
        !to->setAddress(a.value(QStringLiteral("sddp-address")))) {
        error(QStringLiteral("invalid value for --sddp-address: %1")
                  .arg(a.value(QStringLiteral("sddp-address"))));
        return false;
    }
    return true;
}

int runDiscovered(const Arguments &a, const std::function<int(QStringList)> &then)
{
    QHostAddress to;
    int port = 0, waitMs = 0;
    if (!discoveryOptions(a, &to, &port, &waitMs))
        return ExitUsage;
    int status = ExitOk;
    Discovery discovery(to, quint16(port), waitMs, [&](QStringList units, QString problem) {
        if (!problem.isEmpty()) {
            error(problem);
            status = ExitUnreachable;
        } else {
            status = then(units);
        }
        QCoreApplication::exit(0);
    });
    discovery.start();
    QCoreApplication::exec();
    return status;
}

int discoverCommand(const Arguments &a)
{
    if (!a.positional.isEmpty()) {
        error(QStringLiteral("discover takes no arguments"));
        return ExitUsage;
    }
    return runDiscovered(a, [&](QStringList units) {
        if (a.has(QStringLiteral("json"))) {
            out() << QJsonDocument(QJsonArray::fromStringList(units)).toJson(QJsonDocument::Compact)
                  << Qt::endl;
        } else {
            for (const QString &unit : units)
                out() << unit << Qt::endl;
        }
        return ExitOk;
    });
}

// Runs one job per target, at most `jobs` at once; `each` sees every job as
// it ends. Returns when all have ended.
void runJobs(const QList<Target> &targets, int jobs, const std::function<void(UnitJob *)> &configure,
             const std::function<void(UnitJob *)> &each)
{
    if (targets.isEmpty())
        return;
    int next = 0, running = 0, ended = 0;
    const bool progress = stderrIsTerminal() && targets.size() > 1;
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

int exitFor(UnitJob::Failure failure)
{
    return failure == UnitJob::None ? ExitOk : ExitUnreachable;
}

// Targets from the arguments, or discovered with --all.
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
        if (!seen.contains(t.text)) {
            seen.insert(t.text);
            *targets << t;
        }
    }
    return true;
}

// The outcome of several units: one line each, then the worst exit status.
int summarise(const QList<QPair<QString, QString>> &results, bool many, int status)
{
    if (many)
        for (const auto &r : results)
            out() << r.first << ": " << r.second << Qt::endl;
    return status;
}

int backupCommand(const Arguments &a)
{
    const QString output = a.value(QStringLiteral("output"));
    if (output.isEmpty()) {
        error(QStringLiteral("backup needs -o FILE.ZOR or -o DIR/"));
        return ExitUsage;
    }
    int jobs = 32, status = ExitOk;
    if (!intOption(a, QStringLiteral("jobs"), 1, 4096, 32, &jobs))
        return ExitUsage;
    QList<Target> targets;
    if (!collectTargets(a, a.positional, &targets, &status))
        return status;
    const bool toDirectory = output.endsWith(QLatin1Char('/')) || QFileInfo(output).isDir();
    if (targets.size() > 1 && !toDirectory) {
        error(QStringLiteral("several units need -o DIR/"));
        return ExitUsage;
    }
    if (toDirectory && !QDir().mkpath(output)) {
        error(QStringLiteral("%1: cannot create the directory").arg(output));
        return ExitUnreachable;
    }
    QList<QPair<QString, QString>> results;
    runJobs(
        targets, jobs, [](UnitJob *job) { job->readFirst = true; },
        [&](UnitJob *job) {
            QString reason = job->reason();
            if (job->succeeded()) {
                const QString path =
                    toDirectory ? QDir(output).filePath(job->target().fileStem() + QStringLiteral(".ZOR"))
                                : output;
                if (!saveFile(path, job->settings(), &reason)) {
                    error(reason);
                    results << qMakePair(job->target().name(), reason);
                    status = qMax(status, ExitUnreachable);
                    return;
                }
                results << qMakePair(job->target().name(), QStringLiteral("OK"));
                return;
            }
            error(QStringLiteral("%1: %2").arg(job->target().name(), reason));
            results << qMakePair(job->target().name(), reason);
            status = qMax(status, exitFor(job->failureKind()));
        });
    return summarise(results, targets.size() > 1, status);
}

void printDifferences(const QVector<UnitSettings::Difference> &diffs, const QString &aName,
                      const QString &bName)
{
    if (diffs.isEmpty())
        return;
    out() << "page\tsetting\t" << aName << "\t" << bName << Qt::endl;
    for (const UnitSettings::Difference &d : diffs)
        out() << d.page << "\t" << d.setting << "\t" << d.current << "\t" << d.wanted << Qt::endl;
}

int restoreCommand(const Arguments &a)
{
    if (a.positional.isEmpty()) {
        error(QStringLiteral("restore needs FILE.ZOR and a target"));
        return ExitUsage;
    }
    UnitSettings wanted;
    QString reason;
    if (!loadFile(a.positional.first(), &wanted, &reason)) {
        error(reason);
        return ExitUsage;
    }
    const QList<QByteArray> commands = wanted.sendAllCommands();
    const bool changesOnly = a.has(QStringLiteral("changes-only"));
    if (a.has(QStringLiteral("dry-run")) && !changesOnly) {
        for (const QByteArray &command : commands)
            out() << command << '\n';
        out() << Qt::flush;
        return ExitOk;
    }
    int jobs = 32, status = ExitOk;
    if (!intOption(a, QStringLiteral("jobs"), 1, 4096, 32, &jobs))
        return ExitUsage;
    QList<Target> targets;
    if (!collectTargets(a, a.positional.mid(1), &targets, &status))
        return status;
    const bool many = targets.size() > 1;
    const bool dryRun = a.has(QStringLiteral("dry-run"));
    const bool verify = !dryRun && !a.has(QStringLiteral("no-verify"));
    QList<QPair<QString, QString>> results;
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
            // The changes only from a complete reading, also when the link
            // was lost while sending them.
            QVector<UnitSettings::Difference> diffs;
            if (changesOnly && job->readComplete())
                diffs = dryRun ? job->settings().differences(wanted) : job->differences();
            const QVector<UnitSettings::Difference> &notTaken = job->notTaken();
            if (many && (!diffs.isEmpty() || !notTaken.isEmpty()))
                out() << "== " << job->target().name() << Qt::endl;
            printDifferences(diffs, QStringLiteral("unit"), QStringLiteral("file"));
            if (dryRun)
                for (const UnitSettings::Difference &d : diffs)
                    for (const QByteArray &command : d.commands)
                        out() << command << '\n';
            printDifferences(notTaken, QStringLiteral("unit"), QStringLiteral("file"));
            if (job->succeeded() && notTaken.isEmpty()) {
                results << qMakePair(job->target().name(),
                                     QStringLiteral("OK (%1 commands sent)").arg(job->commandsSent()));
                return;
            }
            QString reason = job->reason();
            if (job->succeeded())
                reason = notTaken.size() == 1
                             ? QStringLiteral("1 setting did not take")
                             : QStringLiteral("%1 settings did not take").arg(notTaken.size());
            error(QStringLiteral("%1: %2").arg(job->target().name(), reason));
            results << qMakePair(job->target().name(), reason);
            status = qMax(status, job->succeeded() ? ExitFinding : exitFor(job->failureKind()));
        });
    out() << Qt::flush;
    return summarise(results, many, status);
}

// Reads files directly and targets through one job each.
bool readSources(const QStringList &items, int jobs, QList<UnitSettings> *models, QStringList *failures,
                 int *status)
{
    models->clear();
    for (int i = 0; i < items.size(); ++i)
        models->append(UnitSettings());
    QList<Target> targets;
    QList<int> targetIndex;
    for (int i = 0; i < items.size(); ++i) {
        QString reason;
        if (isFileArgument(items.at(i))) {
            if (!loadFile(items.at(i), &(*models)[i], &reason)) {
                error(reason);
                *failures << items.at(i);
                *status = qMax(*status, ExitUsage);
            }
            continue;
        }
        Target t;
        if (!Target::parse(items.at(i), &t, &reason)) {
            error(QStringLiteral("%1: %2").arg(items.at(i), reason));
            *status = ExitUsage;
            return false;
        }
        targets << t;
        targetIndex << i;
    }
    runJobs(
        targets, jobs, [](UnitJob *job) { job->readFirst = true; },
        [&](UnitJob *job) {
            for (int k = 0; k < targets.size(); ++k) {
                if (targets.at(k).text != job->target().text)
                    continue;
                if (job->succeeded()) {
                    (*models)[targetIndex.at(k)] = job->settings();
                } else {
                    error(QStringLiteral("%1: %2").arg(job->target().name(), job->reason()));
                    *failures << job->target().text;
                    *status = qMax(*status, exitFor(job->failureKind()));
                }
            }
        });
    return true;
}

int diffCommand(const Arguments &a)
{
    if (a.positional.size() != 2) {
        error(QStringLiteral("diff needs two files or targets"));
        return ExitUsage;
    }
    QList<UnitSettings> models;
    QStringList failures;
    int status = ExitOk;
    if (!readSources(a.positional, 2, &models, &failures, &status) || !failures.isEmpty())
        return status;
    const QVector<UnitSettings::Difference> diffs = models.at(0).differences(models.at(1));
    printDifferences(diffs, a.positional.at(0), a.positional.at(1));
    return diffs.isEmpty() ? ExitOk : ExitFinding;
}

// What makes two lines set the same setting: the message (both halves of a
// pair such as mute/unmute count as one) and its index fields.
QString settingKey(const protocol::ParsedFrame &frame)
{
    using protocol::Message;
    Message id = frame.id;
    int indexFields = protocol::definition(id).fieldCount - 1;
    switch (id) {
    case Message::ZoneUnmute:
        id = Message::ZoneMute;
        indexFields = 1;
        break;
    case Message::ZoneMute:
        indexFields = 1;
        break;
    case Message::ZonePowerOn:
        id = Message::ZonePowerOff;
        indexFields = 1;
        break;
    case Message::ZonePowerOff:
        indexFields = 1;
        break;
    case Message::ZoneBalanceRight:
        id = Message::ZoneBalanceLeft;
        break;
    case Message::GroupRemoveZone:
        id = Message::GroupAddZone;
        indexFields = 2;
        break;
    case Message::GroupAddZone:
        indexFields = 2;
        break;
    case Message::FavoriteZoneBypass:
        id = Message::FavoriteZoneSource;
        indexFields = 2;
        break;
    case Message::ZoneTone:
        indexFields = 1;
        break;
    default:
        break;
    }
    QString key = QString::number(int(id));
    for (int f = 0; f < indexFields; ++f)
        key += QLatin1Char(',') + QString::number(frame.numbers[f]);
    return key;
}

// Why a frame's fields would be refused, empty when they are all fine.
QString fieldProblem(const protocol::ParsedFrame &frame)
{
    const protocol::MessageDefinition &def = protocol::definition(frame.id);
    for (int f = 0; f < def.fieldCount; ++f) {
        const protocol::FieldDefinition &field = def.fields[f];
        switch (field.kind) {
        case protocol::FieldKind::Number: {
            const int v = frame.numbers[f];
            if (v < field.min || v > field.max || (v - field.min) % field.step != 0)
                return QStringLiteral("%1: field %2 (%3) out of range %4..%5%6")
                    .arg(QString::fromLatin1(def.name))
                    .arg(f + 1)
                    .arg(v)
                    .arg(field.min)
                    .arg(field.max)
                    .arg(field.step > 1 ? QStringLiteral(" in steps of %1").arg(field.step) : QString());
            break;
        }
        case protocol::FieldKind::Name: {
            const QString &name = frame.texts[f];
            if (name.size() > protocol::NameMaxLength)
                return QStringLiteral("%1: name longer than %2 characters")
                    .arg(QString::fromLatin1(def.name))
                    .arg(protocol::NameMaxLength);
            if (name.isEmpty())
                return QStringLiteral("%1: empty name").arg(QString::fromLatin1(def.name));
            for (const QChar c : name)
                if (protocol::isForbiddenNameChar(c))
                    return QStringLiteral("%1: name holds a character that is not allowed (U+%2)")
                        .arg(QString::fromLatin1(def.name))
                        .arg(c.unicode(), 4, 16, QLatin1Char('0'));
            break;
        }
        default:
            break;
        }
    }
    if (!protocol::withinRanges(frame))
        return QStringLiteral("%1: field out of range").arg(QString::fromLatin1(def.name));
    return QString();
}

int lintCommand(const Arguments &a)
{
    if (a.positional.size() != 1) {
        error(QStringLiteral("lint needs one file"));
        return ExitUsage;
    }
    QFile file(a.positional.first());
    if (!file.open(QIODevice::ReadOnly)) {
        error(QStringLiteral("%1: %2").arg(file.fileName(), file.errorString().toLower()));
        return ExitUsage;
    }
    const QString name = a.positional.first();
    QHash<QString, QPair<int, QString>> firstSeen; // key -> line number, line text
    int findings = 0;
    int number = 0;
    while (!file.atEnd()) {
        ++number;
        const QString line = decodeUtf8UpToNul(file.readLine()).trimmed();
        if (line.isEmpty())
            continue;
        auto report = [&](const QString &why) {
            out() << name << ":" << number << ": " << why << Qt::endl;
            ++findings;
        };
        const std::optional<protocol::ParsedFrame> frame = protocol::parseFrame(line);
        if (!frame) {
            report(QStringLiteral("unknown command: %1").arg(line.left(60)));
            continue;
        }
        if (protocol::replyRow(frame->id) == 0) {
            report(QStringLiteral("%1 is not a setting").arg(line));
            continue;
        }
        const QString problem = fieldProblem(*frame);
        if (!problem.isEmpty()) {
            report(problem);
            continue;
        }
        const QString key = settingKey(*frame);
        const auto seen = firstSeen.constFind(key);
        if (seen != firstSeen.constEnd()) {
            // Send All writes a Tone zone's tone line twice, identically.
            if (!(frame->id == protocol::Message::ZoneTone && seen->second == line))
                report(QStringLiteral("%1 given twice (first on line %2)")
                           .arg(QString::fromLatin1(protocol::definition(frame->id).name))
                           .arg(seen->first));
            continue;
        }
        firstSeen.insert(key, qMakePair(number, line));
    }
    return findings > 0 ? ExitFinding : ExitOk;
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
    if (!intOption(a, QStringLiteral("jobs"), 1, 4096, 32, &jobs))
        return ExitUsage;
    QStringList items = a.positional;
    if (a.has(QStringLiteral("all"))) {
        QList<Target> targets;
        if (!collectTargets(a, {}, &targets, &status))
            return status;
        for (const Target &t : targets)
            items << t.text;
    }
    if (items.isEmpty()) {
        error(QStringLiteral("show needs a file or a target"));
        return ExitUsage;
    }
    QList<UnitSettings> models;
    QStringList failures;
    if (!readSources(items, jobs, &models, &failures, &status))
        return status;
    for (int i = 0; i < items.size(); ++i) {
        if (failures.contains(items.at(i)))
            continue;
        if (items.size() > 1)
            out() << "== " << items.at(i) << Qt::endl;
        QString current;
        for (const auto &line : settings_text::lines(models.at(i))) {
            if (!page.isEmpty() && line.first != page)
                continue;
            if (line.first != current) {
                current = line.first;
                out() << "[" << current << "]" << Qt::endl;
            }
            out() << line.second << Qt::endl;
        }
    }
    if (items.size() > 1)
        for (const QString &item : items)
            out() << item << ": "
                  << (failures.contains(item) ? QStringLiteral("failed") : QStringLiteral("OK")) << Qt::endl;
    return status;
}

int plotCommand(const Arguments &a)
{
    const QString output = a.value(QStringLiteral("output"));
    int zone = 0;
    if (a.positional.size() != 1 || output.isEmpty() || !a.values.contains(QStringLiteral("zone"))) {
        error(QStringLiteral("plot needs FILE.ZOR|TARGET --zone N -o OUT.png|OUT.svg"));
        return ExitUsage;
    }
    if (!intOption(a, QStringLiteral("zone"), 1, protocol::ZoneCount, 1, &zone))
        return ExitUsage;
    const bool svg = output.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive);
    if (!svg && !output.endsWith(QLatin1String(".png"), Qt::CaseInsensitive)) {
        error(QStringLiteral("%1: the picture is written as .png or .svg").arg(output));
        return ExitUsage;
    }
    QList<UnitSettings> models;
    QStringList failures;
    int status = ExitOk;
    if (!readSources(a.positional, 1, &models, &failures, &status) || !failures.isEmpty())
        return status;
    QString reason;
    const bool written = svg ? response_image::writeSvg(output, models.first(), zone, &reason)
                             : response_image::writePng(output, models.first(), zone, &reason);
    if (!written) {
        error(reason);
        return ExitUnreachable;
    }
    return ExitOk;
}

} // namespace

int main(int argc, char *argv[])
{
    const QString command = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    // Text in a picture needs the GUI module; everything else runs headless.
    std::unique_ptr<QCoreApplication> application;
    if (command == QLatin1String("plot")) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        application = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName(QStringLiteral("zorctl"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(Version));

    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty()) {
        err() << MainHelp;
        return ExitUsage;
    }
    if (command == QLatin1String("--help") || command == QLatin1String("-h") ||
        command == QLatin1String("help")) {
        out() << MainHelp;
        return ExitOk;
    }
    if (command == QLatin1String("--version")) {
        out() << "zorctl " << Version << Qt::endl;
        return ExitOk;
    }
    const QHash<QString, QString> helps = commandHelp();
    if (!helps.contains(command)) {
        error(QStringLiteral("unknown command %1 (see zorctl --help)").arg(command));
        return ExitUsage;
    }
    const QStringList rest = args.mid(1);
    if (rest.contains(QStringLiteral("--help")) || rest.contains(QStringLiteral("-h"))) {
        out() << helps.value(command);
        return ExitOk;
    }
    const QSet<QString> flags{QStringLiteral("json"), QStringLiteral("changes-only"),
                              QStringLiteral("dry-run"), QStringLiteral("no-verify"), QStringLiteral("all")};
    const QSet<QString> values{QStringLiteral("wait"),        QStringLiteral("output"),
                               QStringLiteral("jobs"),        QStringLiteral("page"),
                               QStringLiteral("zone"),        QStringLiteral("sddp-port"),
                               QStringLiteral("sddp-address")};
    const Arguments a = parseArguments(rest, flags, values);
    if (!a.problem.isEmpty()) {
        error(a.problem);
        return ExitUsage;
    }
    if (command == QLatin1String("discover"))
        return discoverCommand(a);
    if (command == QLatin1String("backup"))
        return backupCommand(a);
    if (command == QLatin1String("restore"))
        return restoreCommand(a);
    if (command == QLatin1String("diff"))
        return diffCommand(a);
    if (command == QLatin1String("lint"))
        return lintCommand(a);
    if (command == QLatin1String("show"))
        return showCommand(a);
    return plotCommand(a);
}
