// zorctl: back up, restore, compare, check, show, plot and report the
// settings of ZOR units from the command line, many units at once.

#include "cli/arguments.h"
#include "cli/zorctl.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <memory>

using namespace zorctl;

namespace {

const char *const Version = "2.2";

} // namespace

int main(int argc, char *argv[])
{
    const QString name = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    // Text in a picture or a report needs the GUI module; everything else
    // runs headless.
    std::unique_ptr<QCoreApplication> application;
    if (name == QLatin1String("plot") || name == QLatin1String("report")) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        // Starting the GUI module may warn about the desktop session (no
        // XDG_RUNTIME_DIR for root); standard error keeps zorctl's own
        // messages, and the module's errors.
        static QtMessageHandler startUp = nullptr;
        startUp = qInstallMessageHandler(
            [](QtMsgType type, const QMessageLogContext &context, const QString &text) {
                if ((type == QtCriticalMsg || type == QtFatalMsg) && startUp)
                    startUp(type, context, text);
            });
        application = std::make_unique<QGuiApplication>(argc, argv);
        qInstallMessageHandler(startUp);
    } else {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName(QStringLiteral("zorctl"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(Version));

    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty()) {
        err() << mainHelp();
        return ExitUsage;
    }
    if (name == QLatin1String("--help") || name == QLatin1String("-h") || name == QLatin1String("help")) {
        out() << mainHelp();
        return ExitOk;
    }
    if (name == QLatin1String("--version")) {
        out() << "zorctl " << Version << Qt::endl;
        return ExitOk;
    }
    const Command *command = findCommand(name);
    if (!command) {
        error(QStringLiteral("unknown command %1 (see zorctl --help)").arg(name));
        return ExitUsage;
    }
    const QStringList rest = args.mid(1);
    if (rest.contains(QStringLiteral("--help")) || rest.contains(QStringLiteral("-h"))) {
        out() << command->help;
        return ExitOk;
    }
    const Arguments a = parseArguments(rest, *command);
    if (!a.problem.isEmpty()) {
        error(a.problem);
        return ExitUsage;
    }
    if (name == QLatin1String("discover"))
        return discoverCommand(a);
    if (name == QLatin1String("backup"))
        return backupCommand(a);
    if (name == QLatin1String("restore"))
        return restoreCommand(a);
    if (name == QLatin1String("diff"))
        return diffCommand(a);
    if (name == QLatin1String("lint"))
        return lintCommand(a);
    if (name == QLatin1String("show"))
        return showCommand(a);
    if (name == QLatin1String("report"))
        return reportCommand(a);
    return plotCommand(a);
}
