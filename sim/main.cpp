// zor-unit-sim: a stand-in for the amplifier, speaking the unit's protocol
// over TCP and a pseudo-terminal and answering SDDP searches.

#include "sim/sim_server.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>
#include <QSocketNotifier>
#include <QTextStream>

#include <csignal>
#include <memory>
#include <vector>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
}

// SIGTERM and SIGINT end the event loop normally, so that the state can be
// written out on the way.
void quitOnSignals(QCoreApplication &application)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0)
        return;
    auto *notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &application);
    QObject::connect(notifier, &QSocketNotifier::activated, &application, [&application] {
        char byte;
        [[maybe_unused]] const ssize_t got = ::read(signalPipe[0], &byte, 1);
        application.quit();
    });
    struct sigaction action {
    };
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGINT, &action, nullptr);
}

bool writeState(const UnitState &unit, const QString &path, QTextStream &err)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        err << "cannot write " << path << ": " << file.errorString() << Qt::endl;
        return false;
    }
    for (const QByteArray &line : unit.dump())
        file.write('[' + line + "]\n");
    if (!file.commit()) {
        err << "cannot write " << path << ": " << file.errorString() << Qt::endl;
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zor-unit-sim"));
    QTextStream out(stdout);
    QTextStream err(stderr);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("A simulated ZOR amplifier unit for demos and tests.\n"
                       "\n"
                       "It holds every setting of one unit, starting at the utility's defaults,\n"
                       "and answers each accepted command with its reply line (CR LF ended).\n"
                       "[QX] answers with every setting; [QOL] with output levels; [VXR0] sets\n"
                       "all zones to 0 dB; [EC] drops every TCP connection. All TCP connections\n"
                       "talk to the same unit, so a second connection sending [QX] reads the\n"
                       "state without disturbing the first. The serial port (--pty) answers\n"
                       "only while serial responses are on ([SERIAL1]).\n"
                       "\n"
                       "By default the unit listens on 127.0.0.1 only and answers the SDDP\n"
                       "searches of programs on this host alone: a search multicast to the\n"
                       "discovery group is answered on the loopback interface's group, which\n"
                       "reaches every program here sharing the discovery port (the utility's\n"
                       "network dialog among them); a search sent to 127.0.0.1 directly is\n"
                       "answered directly. With --listen 0.0.0.0 it joins the discovery group\n"
                       "on the default interface and answers searches from the network as a\n"
                       "unit does, straight to the searcher.\n"
                       "\n"
                       "Lines on standard output start with what they report: \"listening on\n"
                       "ADDR:PORT\", \"serial port PATH\", \"SDDP answering on ...\"."));
    parser.addHelpOption();
    const QCommandLineOption portOption({QStringLiteral("p"), QStringLiteral("port")},
                                        QStringLiteral("TCP port (default 23; 0 picks a free port)."),
                                        QStringLiteral("N"), QStringLiteral("23"));
    const QCommandLineOption listenOption(QStringLiteral("listen"),
                                          QStringLiteral("Address to listen on (default 127.0.0.1)."),
                                          QStringLiteral("ADDR"), QStringLiteral("127.0.0.1"));
    const QCommandLineOption ptyOption(
        QStringLiteral("pty"), QStringLiteral("Also offer a pseudo-terminal as the unit's serial port "
                                              "and print its path."));
    const QCommandLineOption noSddpOption(QStringLiteral("no-sddp"),
                                          QStringLiteral("Do not answer SDDP searches."));
    const QCommandLineOption sddpPortOption(QStringLiteral("sddp-port"),
                                            QStringLiteral("UDP port for SDDP searches (default 1902). Tests "
                                                           "running side by side use a port of their own."),
                                            QStringLiteral("N"), QStringLiteral("1902"));
    const QCommandLineOption dropOption(QStringLiteral("drop-after"),
                                        QStringLiteral("Close each TCP connection after N frames."),
                                        QStringLiteral("N"));
    const QCommandLineOption silentOption(QStringLiteral("silent"),
                                          QStringLiteral("Accept commands but never answer."));
    const QCommandLineOption garbageOption(QStringLiteral("garbage"),
                                           QStringLiteral("Mix lines of random bytes and overlong lines into "
                                                          "the replies."));
    const QCommandLineOption seedOption(QStringLiteral("seed"),
                                        QStringLiteral("Seed of the --garbage bytes (default 1)."),
                                        QStringLiteral("N"), QStringLiteral("1"));
    const QCommandLineOption ignoreOption(
        QStringLiteral("ignore"),
        QStringLiteral("Neither apply nor answer command frames matching the regular expression REGEX\n"
                       "(matched against the frame, brackets included: '^\\[VO3R' refuses zone 3's\n"
                       "volume), as a unit that silently refuses a value."),
        QStringLiteral("REGEX"));
    const QCommandLineOption partialOption(
        QStringLiteral("partial-answer"),
        QStringLiteral("Answer [QX] with only the first N lines of the answer, then nothing."),
        QStringLiteral("N"));
    const QCommandLineOption delayOption(
        QStringLiteral("delay"), QStringLiteral("Answer MS milliseconds late."), QStringLiteral("MS"));
    const QCommandLineOption dumpOption(QStringLiteral("dump-state-on-exit"),
                                        QStringLiteral("On exit (also on SIGTERM or SIGINT) write every "
                                                       "setting to FILE as a configuration file."),
                                        QStringLiteral("FILE"));
    const QCommandLineOption verboseOption({QStringLiteral("v"), QStringLiteral("verbose")},
                                           QStringLiteral("Print every frame received and line sent."));
    const QCommandLineOption unitsOption(
        QStringLiteral("units"),
        QStringLiteral("Run N independent units on N consecutive TCP ports from --port (each with its own\n"
                       "settings, loaded from the file given; with --port 0 each picks a free port).\n"
                       "Only the first answers SDDP searches; with --dump-state-on-exit unit K\n"
                       "(from 1) writes FILE.K when N > 1."),
        QStringLiteral("N"), QStringLiteral("1"));
    parser.addOptions({portOption, listenOption, ptyOption, noSddpOption, sddpPortOption, dropOption,
                       silentOption, garbageOption, seedOption, delayOption, ignoreOption, partialOption,
                       dumpOption, verboseOption, unitsOption});
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QStringLiteral("A configuration file (.ZOR) to load at start."),
                                 QStringLiteral("[file]"));
    parser.process(application);

    auto number = [&](const QCommandLineOption &option, int min, int max, int fallback) {
        if (!parser.isSet(option) && parser.value(option).isEmpty())
            return fallback;
        bool ok = false;
        const int value = parser.value(option).toInt(&ok);
        if (!ok || value < min || value > max) {
            err << "invalid value for --" << option.names().last() << ": " << parser.value(option)
                << Qt::endl;
            std::exit(2);
        }
        return value;
    };

    SimOptions options;
    options.port = quint16(number(portOption, 0, 65535, 23));
    if (!options.listenAddress.setAddress(parser.value(listenOption))) {
        err << "invalid address for --listen: " << parser.value(listenOption) << Qt::endl;
        return 2;
    }
    options.pty = parser.isSet(ptyOption);
    options.sddp = !parser.isSet(noSddpOption);
    options.sddpPort = quint16(number(sddpPortOption, 1, 65535, 1902));
    options.dropAfter = number(dropOption, 1, 1 << 30, 0);
    options.silent = parser.isSet(silentOption);
    options.garbage = parser.isSet(garbageOption);
    options.seed = quint32(number(seedOption, 0, 1 << 30, 1));
    options.delayMs = number(delayOption, 0, 600000, 0);
    options.verbose = parser.isSet(verboseOption);
    options.partialAnswer = number(partialOption, 0, 1 << 30, -1);
    if (parser.isSet(ignoreOption)) {
        options.ignore.setPattern(parser.value(ignoreOption));
        if (!options.ignore.isValid() || options.ignore.pattern().isEmpty()) {
            err << "invalid regular expression for --ignore: " << parser.value(ignoreOption) << Qt::endl;
            return 2;
        }
        options.ignore.optimize();
    }

    // Before anything is announced: whoever starts the unit may end it as
    // soon as it reports that it listens, and must still get its state dump.
    quitOnSignals(application);

    const int unitCount = number(unitsOption, 1, 1000, 1);
    if (options.port != 0 && int(options.port) + unitCount - 1 > 65535) {
        err << "--units " << unitCount << " does not fit above port " << options.port << Qt::endl;
        return 2;
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        err << "only one configuration file can be loaded" << Qt::endl;
        return 2;
    }

    // Every unit holds its own settings and listens on its own port.
    std::vector<std::unique_ptr<SimServer>> servers;
    for (int i = 0; i < unitCount; ++i) {
        SimOptions unitOptions = options;
        // With --port 0 the first unit picks a free port and the others follow it.
        const int first = options.port != 0 ? options.port : (i == 0 ? 0 : servers.front()->tcpPort());
        if (first != 0 && first + i > 65535) {
            err << "--units " << unitCount << " does not fit above port " << first << Qt::endl;
            return 2;
        }
        unitOptions.port = quint16(first == 0 ? 0 : first + i);
        unitOptions.sddp = options.sddp && i == 0;
        servers.push_back(std::make_unique<SimServer>(unitOptions, out));
        SimServer &server = *servers.back();
        if (!files.isEmpty()) {
            QString error;
            if (!server.unit().loadFile(files.first(), &error)) {
                err << error << Qt::endl;
                return 1;
            }
            if (i == 0)
                out << "loaded " << files.first() << Qt::endl;
        }
        QString error;
        if (!server.start(&error)) {
            err << error << Qt::endl;
            return 1;
        }
    }
    const int status = application.exec();

    if (parser.isSet(dumpOption)) {
        for (int i = 0; i < unitCount; ++i) {
            const QString path = unitCount == 1
                                     ? parser.value(dumpOption)
                                     : parser.value(dumpOption) + QLatin1Char('.') + QString::number(i + 1);
            if (!writeState(servers[size_t(i)]->unit(), path, err))
                return 1;
        }
    }
    return status;
}
