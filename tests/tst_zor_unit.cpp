// The Ansible module zor_unit: run as Ansible runs it against a simulated
// unit, and the example playbook run by ansible-playbook against 20 units.
#include <QtTest>

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "protocol/core/unit_settings.h"
#include "support/json_path.h"
#include "support/simulated_unit.h"

namespace {

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() ? path : QString();
}

// A unit away from the defaults: zone 2 named, zone 3 at -12 dB, zone 8 lowpass.
QByteArray unitFile()
{
    UnitSettings s;
    s.holdAll();
    s.zones[1].name = QStringLiteral("Kitchen");
    s.zones[2].volume = -12;
    s.zones[7].dspMode = UnitSettings::Lowpass;
    QByteArray bytes;
    for (const QByteArray &command : s.sendAllCommands())
        bytes += command + '\n';
    return bytes;
}

// Runs the module with `arguments` as Ansible does; its result, or an empty
// object when it printed no JSON object.
QJsonObject runModule(const QTemporaryDir &dir, const QJsonObject &arguments)
{
    const QString argsPath = writeFile(dir.filePath("args"), QJsonDocument(arguments).toJson());
    QProcess module;
    module.start(QStringLiteral(ZOR_UNIT_PATH), {argsPath});
    if (!module.waitForFinished(60000))
        module.kill();
    const QJsonObject result = QJsonDocument::fromJson(module.readAllStandardOutput()).object();
    return module.exitCode() == (result.value("failed").toBool() ? 1 : 0) ? result : QJsonObject();
}

} // namespace

class tst_zor_unit : public QObject
{
    Q_OBJECT

private slots:
    // The unit starts at unitFile(). In the arguments (JSON) and the checks
    // UNIT is the unit, SHORT a file of three changes, BAD one with a line
    // that would not load, DIR a new directory. `msg` is the start of the
    // result's msg; `unitChanged` whether the unit holds other settings after.
    void module_data()
    {
        QTest::addColumn<QStringList>("simOptions");
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<bool>("unitChanged");
        QTest::addColumn<QString>("msg");
        QTest::addColumn<QStringList>("checks"); // "path=value", see jsonAt
        const QString unit = R"("target": "UNIT", )";
        QTest::newRow("the changes sent and read back")
            << QStringList{} << unit + R"("src": "SHORT")" << true << "UNIT: 3 settings changed and read back"
            << QStringList{"changed=true",
                           "failed=null",
                           "differences=[3]",
                           "commands/0=[NO2\"Lounge\"]",
                           "differences/2/setting=Zone 8 DSP mode",
                           "differences/2/unit=Lowpass"};
        QTest::newRow("check mode and diff")
            << QStringList{} << unit + R"("src": "SHORT", "_ansible_check_mode": true, "_ansible_diff": true)"
            << false << "UNIT: 3 settings would change"
            << QStringList{"changed=true",
                           "commands=[3]",
                           "diff/before=[Zone]\nZone 2 name: Kitchen\nZone 3 volume: -12 dB\n[DSP]\n"
                           "Zone 8 DSP mode: Lowpass\n",
                           "diff/after=[Zone]\nZone 2 name: Lounge\nZone 3 volume: -20 dB\n[DSP]\n"
                           "Zone 8 DSP mode: Highpass\n",
                           "diff/before_header=UNIT",
                           "diff/after_header=SHORT"};
        QTest::newRow("a backup first, booleans as a playbook writes them")
            << QStringList{}
            << unit + R"("src": "SHORT", "backup": "yes", "backup_dir": "DIR", "verify": "no")" << true
            << "UNIT: 3 settings changed" << QStringList{"changed=true", "msg=UNIT: 3 settings changed"};
        QTest::newRow("a backup that cannot be written stops the change")
            << QStringList{} << unit + R"("src": "SHORT", "backup": true, "backup_dir": "/proc/zor-none")"
            << false << "UNIT: cannot create the directory /proc/zor-none"
            << QStringList{"failed=true", "changed=false"};
        QTest::newRow("a unit answering part of its settings")
            << QStringList{"--partial-answer", "150"} << unit + R"("src": "SHORT", "timeout": "3")" << false
            << "UNIT: the unit answered " << QStringList{"failed=true", "changed=false"};
        QTest::newRow("a setting that did not take")
            << QStringList{"--ignore", "^\\[VO3R"} << unit + R"("src": "SHORT")" << true
            << "UNIT: 1 setting did not take"
            << QStringList{"failed=true", "changed=true", "not_taken/0/setting=Zone 3 volume",
                           "not_taken/0/unit=-12 dB", "not_taken/0/file=-20 dB"};
        QTest::newRow("a file line that would not load")
            << QStringList{} << unit + R"("src": "BAD")" << false
            << "BAD: 1 of its lines would not load, the first on line 2: unknown command: hello"
            << QStringList{"failed=true", "findings/0/line=2"};
        QTest::newRow("an unsupported parameter")
            << QStringList{} << unit + R"("src": "SHORT", "colour": "red", "_ansible_verbosity": 0)" << false
            << "Unsupported parameters for (zor_unit) module: colour. Supported parameters include: backup, "
               "backup_dir, src, target, timeout, verify."
            << QStringList{"failed=true"};
    }

    void module()
    {
        QFETCH(QStringList, simOptions);
        QFETCH(QString, arguments);
        QFETCH(bool, unitChanged);
        QFETCH(QString, msg);
        QFETCH(QStringList, checks);
        QTemporaryDir dir;
        const QString start = writeFile(dir.filePath("unit.ZOR"), unitFile());
        SimulatedUnit unit;
        QVERIFY(unit.start(simOptions + QStringList{start}));
        const QHash<QString, QString> stand{
            {"UNIT", unit.address()},
            {"SHORT", writeFile(dir.filePath("short.ZOR"), "[VO3R-20]\n[NO2\"Lounge\"]\n[EO8M5]\n")},
            {"BAD", writeFile(dir.filePath("bad.ZOR"), "[VO3R-20]\nhello\n")},
            {"DIR", dir.filePath("backups")}};
        const auto replaced = [&](QString text) {
            for (const char *key : {"UNIT", "SHORT", "BAD", "DIR"})
                text.replace(key, stand.value(key));
            return text;
        };
        const QJsonObject result =
            runModule(dir, QJsonDocument::fromJson(replaced("{" + arguments + "}").toUtf8()).object());
        QVERIFY2(result.value("msg").toString().startsWith(replaced(msg)),
                 qPrintable(QJsonDocument(result).toJson()));
        for (const QString &check : checks)
            QCOMPARE(jsonAt(result, check.section('=', 0, 0)), replaced(check.section('=', 1)));
        // A backup holds the unit as it was.
        if (result.contains("backup_file"))
            QCOMPARE(readFile(result.value("backup_file").toString()), unitFile());
        // Whether the unit still holds what it started with.
        const QJsonObject after =
            runModule(dir, {{"target", unit.address()}, {"src", start}, {"_ansible_check_mode", true}});
        QCOMPARE(after.value("changed").toBool(), unitChanged);
    }

    // The example playbook and inventory against 20 simulated units: a check
    // with --diff reports what would change and changes nothing (one unit,
    // unreachable, fails alone), the first run changes all 20, the second none.
    void playbook()
    {
        const QString ansible = QStandardPaths::findExecutable("ansible-playbook");
        if (ansible.isEmpty())
            QFAIL("ansible-playbook not found (Debian's ansible-core; make test installs it)");
        QTemporaryDir dir;
        const QString examples = QStringLiteral(ZOR_SOURCE_DIR "/examples/ansible");
        SimulatedUnit units;
        QVERIFY(units.start({"--units", "20"}));
        QStringList hosts;
        const QRegularExpression host("^ {8}([a-z0-9-]+): \\{zor_target:",
                                      QRegularExpression::MultilineOption);
        for (auto it = host.globalMatch(readFile(examples + "/inventory.yml")); it.hasNext();)
            hosts << it.next().captured(1);
        QCOMPARE(hosts.size(), 20);
        // Each of the example's hosts aimed at a simulated unit, or at none.
        const auto aim = [&](const QString &unreachable) {
            QByteArray yaml = "all:\n  hosts:\n";
            for (int i = 0; i < hosts.size(); ++i)
                yaml += QStringLiteral("    %1: {zor_target: '127.0.0.%2'}\n")
                            .arg(hosts[i],
                                 hosts[i] == unreachable ? "2:9" : "1:" + QString::number(units.tcpPort + i))
                            .toUtf8();
            return writeFile(dir.filePath("units.yml"), yaml);
        };
        QVERIFY(QDir(dir.path()).mkpath("library") &&
                QFile::link(ZOR_UNIT_PATH, dir.filePath("library/zor_unit")));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("ANSIBLE_CONFIG", writeFile(dir.filePath("ansible.cfg"), ""));
        for (const char *name : {"ANSIBLE_HOME", "ANSIBLE_LOCAL_TEMP", "ANSIBLE_REMOTE_TEMP"})
            environment.insert(name, dir.filePath("ansible"));
        environment.insert("ANSIBLE_LIBRARY", dir.filePath("library"));
        environment.insert("ANSIBLE_NOCOLOR", "1");
        // What a run printed: its recap counts the hosts changed and failed.
        const auto play = [&](const QStringList &options) {
            QProcess process;
            process.setProcessEnvironment(environment);
            process.setWorkingDirectory(dir.path());
            process.start(ansible,
                          QStringList{"-i", examples + "/inventory.yml", "-i", dir.filePath("units.yml"),
                                      examples + "/site.yml", "-f", "20", "-e", "ansible_connection=local",
                                      "-e", "zor_backup_dir=" + dir.filePath("backups")} +
                              options);
            if (!process.waitForFinished(120000))
                process.kill();
            return QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
        };
        const auto hostsWith = [](const QString &printed, const char *count) {
            return printed.count(QRegularExpression(QStringLiteral(" %1=[1-9]").arg(count)));
        };

        QVERIFY(!aim(hosts.last()).isEmpty());
        const QString check = play({"--check", "--diff"});
        QVERIFY2(hostsWith(check, "changed") == 19 && hostsWith(check, "failed") == 1, qPrintable(check));
        QVERIFY(check.contains(
            QRegularExpression("fatal: \\[" + hosts.last() +
                               "\\]: FAILED! => \\{.*\"msg\": \"127.0.0.2:9: connection refused\"")));
        QCOMPARE(check.count("+Source 1 name: Streamer\n"), 12);
        QVERIFY(!aim(QString()).isEmpty());
        const QString first = play({});
        QVERIFY2(hostsWith(first, "changed") == 20 && hostsWith(first, "failed") == 0, qPrintable(first));
        QCOMPARE(QDir(dir.filePath("backups")).entryList(QDir::Files).size(), 20);
        const QString second = play({});
        QVERIFY2(hostsWith(second, "changed") == 0 && hostsWith(second, "failed") == 0, qPrintable(second));
    }
};

QTEST_GUILESS_MAIN(tst_zor_unit)
#include "tst_zor_unit.moc"
