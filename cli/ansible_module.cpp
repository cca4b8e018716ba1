// zor_unit: the Ansible module that makes a ZOR unit hold the settings of a
// configuration file. Ansible runs it with the path of a JSON file of
// arguments and reads one JSON object, the task's result, from its standard
// output. It reads the unit, sends only what differs from the file (nothing
// in check mode), reads the unit back to verify, and reports each
// difference.

#include "cli/result_json.h"
#include "cli/settings_file.h"
#include "cli/unit_job.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

#include <algorithm>
#include <cstdio>

namespace {

const char *const ModuleName = "zor_unit";

struct Options {
    Target target;
    QString src;
    bool backup = false;
    QString backupDir; // empty: beside src
    bool verify = true;
    int timeoutSeconds = 10;
    bool checkMode = false;
    bool diffMode = false;
};

// A boolean as a playbook may write it (true, yes, on, 1, ...).
bool boolOf(const QJsonValue &value, bool *result)
{
    if (value.isBool()) {
        *result = value.toBool();
        return true;
    }
    const QString text = value.isDouble() ? QString::number(value.toDouble()) : value.toString().toLower();
    static const QStringList yes{"yes", "on", "1", "true", "y", "t"};
    static const QStringList no{"no", "off", "0", "false", "n", "f"};
    if (!value.isDouble() && !value.isString())
        return false;
    if (yes.contains(text) || no.contains(text)) {
        *result = yes.contains(text);
        return true;
    }
    return false;
}

// A path as Ansible's path arguments take it: "~" is the home directory.
QString pathOf(const QString &text)
{
    if (text == QLatin1String("~") || text.startsWith(QLatin1String("~/")))
        return QDir::homePath() + text.mid(1);
    return text;
}

// The arguments, checked as Ansible checks a module's declared arguments.
bool parseOptions(const QJsonObject &args, Options *o, QString *problem)
{
    const QStringList supported{"backup", "backup_dir", "src", "target", "timeout", "verify"};
    QStringList unsupported;
    for (auto it = args.begin(); it != args.end(); ++it)
        if (!it.key().startsWith(QLatin1String("_ansible_")) && !supported.contains(it.key()))
            unsupported << it.key();
    if (!unsupported.isEmpty()) {
        std::sort(unsupported.begin(), unsupported.end());
        *problem =
            QStringLiteral("Unsupported parameters for (%1) module: %2. Supported parameters include: %3.")
                .arg(QLatin1String(ModuleName), unsupported.join(QStringLiteral(", ")),
                     supported.join(QStringLiteral(", ")));
        return false;
    }
    QStringList missing;
    for (const QString &required : {QStringLiteral("src"), QStringLiteral("target")})
        if (args.value(required).toString().isEmpty())
            missing << required;
    if (!missing.isEmpty()) {
        *problem = QStringLiteral("missing required arguments: %1").arg(missing.join(QStringLiteral(", ")));
        return false;
    }
    QString reason;
    if (!Target::parse(args.value(QStringLiteral("target")).toString(), &o->target, &reason)) {
        *problem =
            QStringLiteral("target %1: %2").arg(args.value(QStringLiteral("target")).toString(), reason);
        return false;
    }
    o->src = pathOf(args.value(QStringLiteral("src")).toString());
    o->backupDir = pathOf(args.value(QStringLiteral("backup_dir")).toString());
    const struct {
        const char *name;
        bool *value;
    } switches[] = {{"backup", &o->backup},
                    {"verify", &o->verify},
                    {"_ansible_check_mode", &o->checkMode},
                    {"_ansible_diff", &o->diffMode}};
    for (const auto &s : switches) {
        const QJsonValue value = args.value(QLatin1String(s.name));
        if (!value.isUndefined() && !value.isNull() && !boolOf(value, s.value)) {
            *problem = QStringLiteral("argument '%1' is not a boolean").arg(QLatin1String(s.name));
            return false;
        }
    }
    const QJsonValue timeout = args.value(QStringLiteral("timeout"));
    if (!timeout.isUndefined() && !timeout.isNull()) {
        bool ok = timeout.isDouble() && timeout.toDouble() == double(timeout.toInt());
        o->timeoutSeconds = ok ? timeout.toInt() : timeout.toString().toInt(&ok);
        if (!ok || o->timeoutSeconds < 1 || o->timeoutSeconds > 3600) {
            *problem = QStringLiteral("argument 'timeout' must be a whole number of seconds from 1 to 3600");
            return false;
        }
    }
    return true;
}

// The differing settings page by page, with the unit's values (`wanted`
// false) or the file's, as Ansible shows a diff.
QString differenceText(const QVector<UnitSettings::Difference> &diffs, bool wanted)
{
    QString text;
    QString page;
    for (const UnitSettings::Difference &d : diffs) {
        if (d.page != page) {
            page = d.page;
            text += QLatin1Char('[') + page + QStringLiteral("]\n");
        }
        text += d.setting + QStringLiteral(": ") + (wanted ? d.wanted : d.current) + QLatin1Char('\n');
    }
    return text;
}

// A new file in `dir` named after the unit and the time.
QString backupPath(const QString &dir, const Target &target)
{
    const QString stem =
        QDir(dir).filePath(target.fileStem() + QLatin1Char('.') +
                           QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")));
    QString path = stem + QStringLiteral(".ZOR");
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = stem + QStringLiteral("-%1.ZOR").arg(n);
    return path;
}

int finish(QJsonObject result)
{
    const bool failed = result.value(QStringLiteral("failed")).toBool();
    if (!result.contains(QStringLiteral("changed")))
        result.insert(QStringLiteral("changed"), false);
    QTextStream(stdout) << QJsonDocument(result).toJson(QJsonDocument::Compact) << Qt::endl;
    return failed ? 1 : 0;
}

int fail(const QString &message, QJsonObject result = {})
{
    result.insert(QStringLiteral("failed"), true);
    result.insert(QStringLiteral("msg"), message);
    return finish(result);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    if (argc != 2)
        return fail(
            QStringLiteral("%1 is an Ansible module: a playbook runs it, with the path of a JSON file "
                           "of arguments")
                .arg(QLatin1String(ModuleName)));
    QFile argsFile(QString::fromLocal8Bit(argv[1]));
    if (!argsFile.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot read the arguments %1: %2")
                        .arg(argsFile.fileName(), argsFile.errorString()));
    // Arguments are a few hundred bytes; nothing larger is taken.
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(argsFile.read(1 << 20), &parseError);
    if (!document.isObject())
        return fail(QStringLiteral("the arguments are not a JSON object: %1").arg(parseError.errorString()));
    Options o;
    QString problem;
    if (!parseOptions(document.object(), &o, &problem))
        return fail(problem);

    const QString unit = o.target.name();
    const settings_file::Reading file = settings_file::read(o.src);
    if (!file.error.isEmpty())
        return fail(QStringLiteral("%1: %2").arg(o.src, file.error));
    // A line the unit would never get is not left out silently.
    if (!file.findings.isEmpty())
        return fail(QStringLiteral("%1: %2 of its lines would not load, the first on line %3: %4")
                        .arg(o.src)
                        .arg(file.findings.size() + file.unlisted)
                        .arg(file.findings.first().line)
                        .arg(file.findings.first().message),
                    {{QStringLiteral("findings"), result_json::findings(file.findings)}});
    if (file.taken == 0)
        return fail(QStringLiteral("%1: no settings found").arg(o.src));

    UnitJob job(o.target);
    job.readFirst = true;
    job.wanted = file.settings;
    job.sendDifferencesTo = !o.checkMode;
    job.verify = o.verify;
    job.connectTimeoutMs = job.firstReplyMs = o.timeoutSeconds * 1000;
    QString backupFile;
    if (o.backup && !o.checkMode) {
        job.beforeSending = [&](QString *reason) {
            const QString dir = o.backupDir.isEmpty() ? QFileInfo(o.src).absolutePath() : o.backupDir;
            const QString path = backupPath(dir, o.target);
            if (!QDir().mkpath(dir))
                *reason = QStringLiteral("cannot create the directory %1").arg(dir);
            else if (!settings_file::save(path, job.settings(), reason))
                *reason = QStringLiteral("cannot write the backup %1: %2").arg(path, *reason);
            else
                reason->clear();
            if (!reason->isEmpty())
                return false;
            backupFile = path;
            return true;
        };
    }
    QObject::connect(&job, &UnitJob::finished, &application, [] { QCoreApplication::exit(0); });
    job.start();
    QCoreApplication::exec();

    const QVector<UnitSettings::Difference> diffs = !job.readComplete() ? QVector<UnitSettings::Difference>()
                                                    : o.checkMode ? job.settings().differences(file.settings)
                                                                  : job.differences();
    QList<QByteArray> commands = job.sentList();
    if (o.checkMode)
        for (const UnitSettings::Difference &d : diffs)
            commands += d.commands;
    QJsonObject result{{QStringLiteral("target"), unit},
                       {QStringLiteral("changed"), o.checkMode ? !diffs.isEmpty() : job.commandsSent() > 0},
                       {QStringLiteral("differences"), result_json::differences(diffs)},
                       {QStringLiteral("commands"), result_json::commands(commands)}};
    if (!backupFile.isEmpty())
        result.insert(QStringLiteral("backup_file"), backupFile);
    if (o.diffMode && job.readComplete())
        result.insert(QStringLiteral("diff"),
                      QJsonObject{{QStringLiteral("before"), differenceText(diffs, false)},
                                  {QStringLiteral("after"), differenceText(diffs, true)},
                                  {QStringLiteral("before_header"), unit},
                                  {QStringLiteral("after_header"), o.src}});
    if (!job.succeeded())
        return fail(QStringLiteral("%1: %2").arg(unit, job.reason()), result);
    const QVector<UnitSettings::Difference> &notTaken = job.notTaken();
    if (!notTaken.isEmpty()) {
        result.insert(QStringLiteral("not_taken"), result_json::differences(notTaken));
        return fail(notTaken.size() == 1
                        ? QStringLiteral("%1: 1 setting did not take").arg(unit)
                        : QStringLiteral("%1: %2 settings did not take").arg(unit).arg(notTaken.size()),
                    result);
    }
    const int count = diffs.size();
    const QString settings =
        count == 1 ? QStringLiteral("1 setting") : QStringLiteral("%1 settings").arg(count);
    if (count == 0)
        result.insert(QStringLiteral("msg"), QStringLiteral("%1 holds the settings of %2").arg(unit, o.src));
    else if (o.checkMode)
        result.insert(QStringLiteral("msg"), QStringLiteral("%1: %2 would change").arg(unit, settings));
    else
        result.insert(QStringLiteral("msg"),
                      QStringLiteral("%1: %2 changed%3")
                          .arg(unit, settings, o.verify ? QStringLiteral(" and read back") : QString()));
    return finish(result);
}
