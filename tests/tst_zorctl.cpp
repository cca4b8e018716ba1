// The command line against simulated units: backups reproduce what a unit
// holds, restores bring it back, diff and lint report what they should.
#include <QtTest>

#include <QImage>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>
#include <QUdpSocket>

#include "protocol/core/unit_settings.h"
#include "sim/unit_state.h"
#include "support/json_path.h"
#include "support/simulated_unit.h"

namespace {

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

Run zorctl(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(ZORCTL_PATH), arguments);
    Run run;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished(5000);
        run.err = QStringLiteral("zorctl did not finish");
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

QByteArray fileOf(const UnitSettings &settings)
{
    QByteArray bytes;
    for (const QByteArray &command : settings.sendAllCommands())
        bytes += command + '\n';
    return bytes;
}

// A unit far from the defaults on every page. Serial responses are on, as
// reading over a serial link leaves them.
UnitSettings custom()
{
    UnitSettings s;
    s.holdAll();
    s.sourceNames[0] = QStringLiteral("Turntable");
    s.zones[1].name = QStringLiteral("Kitchen");
    s.zones[2].volume = -12;
    s.zones[2].muted = false;
    s.zones[3].balance = -30;
    s.zones[4].dspMode = UnitSettings::Tone;
    s.zones[4].bass = 4;
    s.zones[4].treble = -3;
    s.zones[5].dspMode = UnitSettings::Preset;
    s.zones[5].preset = 4;
    s.zones[6].dspMode = UnitSettings::Eq;
    s.zones[6].eq[2] = 6;
    s.zones[7].dspMode = UnitSettings::Lowpass;
    s.zones[7].lowpass = 120;
    s.presets[3].eq[2] = 5;
    s.presets[3].name = QStringLiteral("Speech");
    s.groups[1].members = 0x5;
    s.favorites[2].source[0] = 7;
    s.dhcp = false;
    s.ipAddress = QStringLiteral("10.0.0.7");
    s.serialResponses = true;
    s.triggerTime = 10;
    return s;
}

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return QString();
    return path;
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The frames a --verbose unit received, in order ("[QX]", "[VO3R-12]").
QStringList framesReceived(SimulatedUnit &unit)
{
    unit.stop();
    QStringList frames;
    const QStringList lines =
        QString::fromUtf8(unit.process.readAllStandardOutput()).split(QLatin1Char('\n'));
    for (const QString &line : lines)
        if (line.startsWith(QLatin1String("<- ")))
            frames << line.mid(3).section(QLatin1String("   ("), 0, 0); // without "   (ignored)"
    return frames;
}

} // namespace

class tst_zorctl : public QObject
{
    Q_OBJECT

private slots:
    void backupReproducesTheUnit_data()
    {
        QTest::addColumn<QStringList>("simOptions");
        QTest::addColumn<bool>("serial");
        QTest::newRow("tcp") << QStringList{} << false;
        QTest::newRow("tcp, garbage between replies") << QStringList{"--garbage"} << false;
        QTest::newRow("tcp, late answers") << QStringList{"--delay", "200"} << false;
        QTest::newRow("serial port") << QStringList{"--pty"} << true;
    }

    void backupReproducesTheUnit()
    {
        QFETCH(QStringList, simOptions);
        QFETCH(bool, serial);
        QTemporaryDir dir;
        const QByteArray expected = fileOf(custom());
        const QString loaded = writeFile(dir, QStringLiteral("custom.ZOR"), expected);
        SimulatedUnit unit;
        QVERIFY(unit.start(simOptions + QStringList{loaded}));
        const QString target = serial ? unit.serialPath : unit.address();
        const QString backup = dir.filePath(QStringLiteral("backup.ZOR"));
        const Run run = zorctl({"backup", target, "-o", backup});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QCOMPARE(readFile(backup), expected);
        QCOMPARE(run.out, QString()); // one unit: no summary
    }

    void restoreThenBackupRoundTrips_data()
    {
        QTest::addColumn<bool>("serial");
        QTest::addColumn<bool>("serialResponses");
        QTest::newRow("tcp") << false << true;
        QTest::newRow("serial port") << true << true;
        // Reading back over the port turns them on; they go back off.
        QTest::newRow("serial port, serial responses off") << true << false;
    }

    void restoreThenBackupRoundTrips()
    {
        QFETCH(bool, serial);
        QFETCH(bool, serialResponses);
        QTemporaryDir dir;
        UnitSettings settings = custom();
        settings.serialResponses = serialResponses;
        const QByteArray wanted = fileOf(settings);
        const QString file = writeFile(dir, QStringLiteral("wanted.ZOR"), wanted);
        SimulatedUnit unit;
        QVERIFY(unit.start({"--pty"}));
        const QString target = serial ? unit.serialPath : unit.address();
        const Run restore = zorctl({"restore", file, target});
        QVERIFY2(restore.exitCode == 0, qPrintable(restore.err));
        const QString backup = dir.filePath(QStringLiteral("back.ZOR"));
        const Run run = zorctl({"backup", unit.address(), "-o", backup});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QCOMPARE(readFile(backup), wanted);
    }

    // The unit starts at `custom()` and the file is `custom()` edited, or the
    // lines given. `frames`: what the unit receives, the reading back included.
    void restoreSends_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QStringList>("frames");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("printed"); // standard output, then standard error
        const QStringList changesOnly{"--changes-only"};
        const QString header = "page\tsetting\tunit\tfile\n";
        QTest::newRow("dry run: the file's commands, nothing sent")
            << QStringList{"--dry-run"} << "" << QStringList{} << 0 << QString::fromUtf8(fileOf(custom()));
        QTest::newRow("nothing differs: nothing sent or read back")
            << changesOnly << "" << QStringList{"[QX]"} << 0 << "";
        QTest::newRow("a volume and a name")
            << changesOnly << "volume name" << QStringList{"[QX]", "[NO2\"Lounge\"]", "[VO3R-20]", "[QX]"}
            << 0 << header + "Zone\tZone 2 name\tKitchen\tLounge\nZone\tZone 3 volume\t-12 dB\t-20 dB\n";
        // Highpass uses its own filter only; one row for the mode and what comes with it.
        QTest::newRow("a new DSP mode brings what it uses")
            << changesOnly << "highpass" << QStringList{"[QX]", "[EO8M5]", "[EO8HP250]", "[QX]"} << 0
            << header + "DSP\tZone 8 DSP mode\tLowpass\tHighpass\n";
        const QString three = "[VO3R-20]\n[NO2\"Lounge\"]\n[EO8M5]\n";
        const QStringList threeSent{"[NO2\"Lounge\"]", "[VO3R-20]", "[EO8M5]"};
        QTest::newRow("a file of three lines")
            << QStringList{} << three << threeSent + QStringList{"[QX]"} << 0 << "";
        QTest::newRow("not read back") << QStringList{"--no-verify"} << three << threeSent << 0 << "";
        QTest::newRow("a unit refusing zone 3's volume")
            << QStringList{"--ignore", "^\\[VO3R"} << three << threeSent + QStringList{"[QX]"} << 1
            << header + "Zone\tZone 3 volume\t-12 dB\t-20 dB\nzorctl: UNIT: 1 setting did not take\n";
    }

    void restoreSends()
    {
        QFETCH(QStringList, options);
        QFETCH(QString, edit);
        QFETCH(QStringList, frames);
        QFETCH(int, exitCode);
        QFETCH(QString, printed);
        QTemporaryDir dir;
        const QString start = writeFile(dir, QStringLiteral("start.ZOR"), fileOf(custom()));
        UnitSettings wanted = custom();
        if (edit.contains(QLatin1String("volume")))
            wanted.zones[2].volume = -20;
        if (edit.contains(QLatin1String("name")))
            wanted.zones[1].name = QStringLiteral("Lounge");
        if (edit.contains(QLatin1String("highpass"))) {
            wanted.zones[7].dspMode = UnitSettings::Highpass;
            wanted.zones[7].highpass = 250;
        }
        const QString file = writeFile(dir, QStringLiteral("wanted.ZOR"),
                                       edit.startsWith(QLatin1Char('[')) ? edit.toUtf8() : fileOf(wanted));
        // --ignore is the simulated unit's.
        const bool refusing = options.startsWith(QStringLiteral("--ignore"));
        SimulatedUnit unit;
        QVERIFY(unit.start(QStringList{"--verbose", start} + (refusing ? options : QStringList{})));
        const Run run =
            zorctl(QStringList{"restore", file, unit.address()} + (refusing ? QStringList{} : options));
        QCOMPARE(run.exitCode, exitCode);
        QCOMPARE(run.out + run.err, QString(printed).replace(QLatin1String("UNIT"), unit.address()));
        QCOMPARE(framesReceived(unit), frames);
    }

    // In `arguments` UNIT is the unit's address, FILE and SHORT files of the
    // custom unit and of three lines, OUT a new file and OLD one that exists:
    // neither is written.
    void unitFailures_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("simOptions");
        QTest::addColumn<bool>("stopped");
        QTest::addColumn<QString>("message"); // the line on standard error after "zorctl: UNIT: "
        const QStringList backup{"backup", "UNIT", "-o", "OUT"};
        const QStringList restore{"restore", "FILE", "UNIT"};
        const QStringList restoreShort{"restore", "SHORT", "UNIT"};
        QTest::newRow("backup, connection refused")
            << backup << QStringList{} << true << "connection refused";
        QTest::newRow("backup, silent unit")
            << backup << QStringList{"--silent"} << false << "no reply from the unit";
        QTest::newRow("restore, connection refused")
            << restore << QStringList{} << true << "connection refused";
        QTest::newRow("restore, dropped midway")
            << restore << QStringList{"--drop-after", "20"} << false
            << QStringLiteral("connection closed by the unit after 20 of %1 commands")
                   .arg(custom().sendAllCommands().size());
        // A unit may answer on 127.0.0.1:23 beside the tests (a simulated
        // unit started by hand or by CI); nothing listens on 127.0.0.2.
        QTest::newRow("backup, default port") << QStringList{"backup", "127.0.0.2", "-o", "OUT"}
                                              << QStringList{} << true << "connection refused";

        // A unit breaking off its answer: no result from what did arrive.
        const QStringList partial{"--partial-answer", "150"};
        UnitSettings answered;
        for (const QByteArray &line : UnitState().dump().mid(0, 150))
            answered.apply(line, UnitSettings::Origin::Reported);
        const QString incomplete = QStringLiteral("the unit answered %1 of %2 settings")
                                       .arg(answered.heldCount())
                                       .arg(UnitSettings::SettingCount);
        QTest::newRow("backup, partial answer") << backup << partial << false << incomplete;
        QTest::newRow("backup over a file, partial answer")
            << QStringList{"backup", "UNIT", "-o", "OLD"} << partial << false << incomplete;
        QTest::newRow("diff, partial answer")
            << QStringList{"diff", "FILE", "UNIT"} << partial << false << incomplete;
        QTest::newRow("restore --changes-only, partial answer")
            << restoreShort + QStringList{"--changes-only"} << partial << false << incomplete;
        QTest::newRow("restore, partial answer when read back")
            << restoreShort << partial << false << "cannot read the unit back: " + incomplete;
        QTest::newRow("report, partial answer")
            << QStringList{"report", "UNIT", "-o", "REPORT"} << partial << false << incomplete;
    }

    void unitFailures()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, simOptions);
        QFETCH(bool, stopped);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString file = writeFile(dir, QStringLiteral("wanted.ZOR"), fileOf(custom()));
        const QString shortFile =
            writeFile(dir, QStringLiteral("short.ZOR"), "[VO3R-20]\n[NO2\"Lounge\"]\n[EO8M5]\n");
        const QString old = writeFile(dir, QStringLiteral("old.ZOR"), "[VO1R-10]\n");
        SimulatedUnit unit;
        QVERIFY(unit.start(simOptions));
        if (stopped)
            unit.stop();
        const QHash<QString, QString> stand{{"UNIT", unit.address()},
                                            {"FILE", file},
                                            {"SHORT", shortFile},
                                            {"OUT", dir.filePath("b.ZOR")},
                                            {"REPORT", dir.filePath("b.pdf")},
                                            {"OLD", old}};
        for (QString &argument : arguments)
            argument = stand.value(argument, argument);
        const Run run = zorctl(arguments);
        QCOMPARE(run.exitCode, 3);
        // The unit as zorctl names it: with the port it was given or 23.
        const QString named = arguments.contains(unit.address()) ? unit.address() : "127.0.0.2:23";
        QCOMPARE(run.err, QStringLiteral("zorctl: %1: %2\n").arg(named, message));
        QCOMPARE(run.out, QString());
        QVERIFY(!QFile::exists(dir.filePath("b.ZOR")));
        QVERIFY(!QFile::exists(dir.filePath("b.pdf")));
        QCOMPARE(readFile(old), QByteArray("[VO1R-10]\n"));
    }

    void diff_data()
    {
        QTest::addColumn<QByteArray>("a");
        QTest::addColumn<QByteArray>("b");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("lines"); // after the header
        const QByteArray base = fileOf(custom());
        UnitSettings other = custom();
        other.zones[2].volume = -30;
        other.groups[1].members = 0x4;
        QTest::newRow("equal") << base << base << 0 << QStringList{};
        QTest::newRow("two pages differ")
            << base << fileOf(other) << 1
            << QStringList{"Zone\tZone 3 volume\t-12 dB\t-30 dB",
                           "Groups\tGroup 2 member Zone 1\tMember\tNot a member"};
        // What a file does not set is not compared.
        QTest::newRow("a file of one line")
            << base << QByteArray("[VO3R-20]\n") << 1 << QStringList{"Zone\tZone 3 volume\t-12 dB\t-20 dB"};
    }

    void diff()
    {
        QFETCH(QByteArray, a);
        QFETCH(QByteArray, b);
        QFETCH(int, exitCode);
        QFETCH(QStringList, lines);
        QTemporaryDir dir;
        const QString aPath = writeFile(dir, QStringLiteral("a.ZOR"), a);
        const QString bPath = writeFile(dir, QStringLiteral("b.ZOR"), b);
        const Run run = zorctl({"diff", aPath, bPath});
        QCOMPARE(run.exitCode, exitCode);
        QStringList got = run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        if (exitCode == 0) {
            QCOMPARE(got, QStringList{});
            return;
        }
        QVERIFY(got.size() >= 2);
        QCOMPARE(got.takeFirst(), QStringLiteral("page\tsetting\t%1\t%2").arg(aPath, bPath));
        for (const QString &line : lines)
            QVERIFY2(got.contains(line), qPrintable(got.join(QLatin1Char('\n'))));
        if (!lines.isEmpty())
            QCOMPARE(got.size(), lines.size());
    }

    // The unit's zone sources and the parameters of DSP modes it does not
    // use are never sent, so never compared: a backup matches its unit.
    void backupDiffAndRestoreAgree()
    {
        QTemporaryDir dir;
        const QByteArray unused = "[CO1I4]\n[CO3I9]\n[TO1B2T2]\n[EO5B3L4]\n[EO5LP150]\n";
        const QString start =
            writeFile(dir, QStringLiteral("start.ZOR"),
                      readFile(QStringLiteral(ZOR_SOURCE_DIR "/demo/restaurant.ZOR")) + unused);
        const QString other = writeFile(dir, QStringLiteral("other.ZOR"), fileOf(custom()));
        const QString backup = dir.filePath(QStringLiteral("backup.ZOR"));
        SimulatedUnit unit;
        QVERIFY(unit.start({"--verbose", start}));
        const QList<QStringList> steps{{"backup", unit.address(), "-o", backup},
                                       {"diff", backup, unit.address()},
                                       {"restore", backup, unit.address(), "--changes-only"},
                                       {"restore", other, unit.address(), "--changes-only"},
                                       {"diff", other, unit.address()}};
        for (const QStringList &step : steps) {
            const Run run = zorctl(step);
            QVERIFY2(run.exitCode == 0, qPrintable(step.join(' ') + '\n' + run.err));
            QVERIFY2(run.out.isEmpty() == (step != steps.at(3)), qPrintable(step.join(' ') + '\n' + run.out));
        }
        // Restoring the backup sent nothing; restoring the other file only
        // commands of its own.
        const QStringList fileCommands =
            zorctl({"restore", other, unit.address(), "--dry-run"}).out.split(QLatin1Char('\n'));
        const QStringList frames = framesReceived(unit);
        QCOMPARE(frames.mid(0, 4), (QStringList{"[QX]", "[QX]", "[QX]", "[QX]"}));
        QVERIFY(frames.size() > 6);
        for (const QString &command : frames.mid(4))
            QVERIFY2(command == QLatin1String("[QX]") || fileCommands.contains(command), qPrintable(command));
    }

    // --json prints one document and nothing else on standard output. In
    // arguments and checks UNIT is the unit (STEM its file name), FILE the
    // custom unit's file, SHORT a file of three lines, BAD one with an
    // unknown line, DIR a directory. A check is "path=value" (see jsonAt).
    void json_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("checks");
        QTest::newRow("backup") << QStringList{"backup", "UNIT", "-o", "DIR/", "--json"} << 0
                                << QStringList{"#=1", "0/target=UNIT", "0/ok=true", "0/error=null",
                                               "0/file=DIR/STEM.ZOR"};
        QTest::newRow("backup, a unit not reached")
            << QStringList{"backup", "127.0.0.2:9", "-o", "DIR/", "--json"} << 3
            << QStringList{"0/ok=false", "0/error=connection refused", "0/file=null"};
        QTest::newRow("restore --changes-only")
            << QStringList{"restore", "SHORT", "UNIT", "--changes-only", "--json"} << 0
            << QStringList{"0/ok=true",
                           "0/changed=true",
                           "0/differences=[3]",
                           "0/differences/0/setting=Zone 2 name",
                           "0/differences/0/unit=Kitchen",
                           "0/differences/0/file=Lounge",
                           "0/commands/0=[NO2\"Lounge\"]",
                           "0/not_taken=[0]"};
        QTest::newRow("restore, two targets naming one unit")
            << QStringList{"restore", "SHORT", "127.0.0.2", "127.0.0.2:23", "--dry-run", "--json"} << 0
            << QStringList{"#=1", "0/target=127.0.0.2:23", "0/changed=false", "0/commands=[3]"};
        QTest::newRow("restore --dry-run without a target")
            << QStringList{"restore", "SHORT", "--dry-run", "--json"} << 0
            << QStringList{"#=1", "0/target=null", "0/commands=[3]"};
        QTest::newRow("diff") << QStringList{"diff", "FILE", "SHORT", "--json"} << 1
                              << QStringList{"0/target=FILE",
                                             "0/file=SHORT",
                                             "0/ok=true",
                                             "0/differences=[3]",
                                             "0/differences/1/unit=-12 dB",
                                             "0/differences/1/file=-20 dB"};
        QTest::newRow("show, a unit named twice")
            << QStringList{"show", "UNIT", "UNIT", "--page", "network", "--json"} << 0
            << QStringList{"#=1", "0/target=UNIT", "0/settings/1/setting=IP address",
                           "0/settings/1/value=10.0.0.7"};
        QTest::newRow("lint") << QStringList{"lint", "BAD", "--json"} << 1
                              << QStringList{"0/target=BAD", "0/ok=false", "0/findings=[1]",
                                             "0/findings/0/line=2",
                                             "0/findings/0/message=unknown command: hello"};
    }

    void json()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QStringList, checks);
        QTemporaryDir dir;
        SimulatedUnit unit;
        QVERIFY(unit.start({writeFile(dir, QStringLiteral("custom.ZOR"), fileOf(custom()))}));
        const QHash<QString, QString> stand{
            {"UNIT", unit.address()},
            {"STEM", QStringLiteral("127.0.0.1_%1").arg(unit.tcpPort)},
            {"FILE", dir.filePath("custom.ZOR")},
            {"SHORT", writeFile(dir, "short.ZOR", "[VO3R-20]\n[NO2\"Lounge\"]\n[EO8M5]\n")},
            {"BAD", writeFile(dir, "bad.ZOR", "[VO3R-20]\nhello\n")},
            {"DIR", dir.filePath("out")}};
        const auto replaced = [&](QString text) {
            for (auto it = stand.begin(); it != stand.end(); ++it)
                text.replace(it.key(), it.value());
            return text;
        };
        for (QString &argument : arguments)
            argument = replaced(argument);
        const Run run = zorctl(arguments);
        QCOMPARE(run.exitCode, exitCode);
        QJsonParseError parsed;
        const QJsonValue document = QJsonDocument::fromJson(run.out.toUtf8(), &parsed).array();
        QVERIFY2(parsed.error == QJsonParseError::NoError, qPrintable(run.out));
        for (const QString &check : checks)
            QCOMPARE(jsonAt(document, check.section('=', 0, 0)), replaced(check.section('=', 1)));
    }

    void lint_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("findings"); // "line: start of the reason"
        QTest::newRow("a saved file with a Tone zone") << fileOf(custom()) << QStringList{};
        QTest::newRow("unknown command") << QByteArray("[VO1R-10]\n[XYZ1]\nhello\n")
                                         << QStringList{"2: unknown command", "3: unknown command"};
        QTest::newRow("blank lines are fine") << QByteArray("\n[VO1R-10]\n\n") << QStringList{};
        QTest::newRow("field out of range")
            << QByteArray("[VO1R-90]\n[VO17R-10]\n[TRIGTIME7]\n")
            << QStringList{"1: zone volume: field 2", "2: zone volume: field 1", "3: trigger time: field 1"};
        QTest::newRow("name too long")
            << QByteArray("[NO1\"Seventeen chars!!\"]\n") << QStringList{"1: zone name: name longer than 16"};
        QTest::newRow("name with a control character")
            << QByteArray("[NI2\"Tab\there\"]\n") << QStringList{"1: source name: name holds a character"};
        // Lint reports exactly the lines the window's Load would not take.
        QTest::newRow("a setting given twice loads, the later line wins")
            << QByteArray("[VO1R-10]\n[VMO1]\n[VO1R-20]\n[VUMO1]\n") << QStringList{};
        QTest::newRow("a bare reply line loads") << QByteArray("VO3R-25\r\n") << QStringList{};
        QTest::newRow("a line longer than 4096 bytes")
            << QByteArray("[VO1R-10]\n[VO3R-25]") + QByteArray(4096, ' ') + "\n[SD2]"
            << QStringList{"2: line longer than 4096 bytes"};
        QTest::newRow("a query is not a setting")
            << QByteArray("[QX]\n") << QStringList{"1: [QX] is not a setting"};
        QTest::newRow("a CR inside a name")
            << QByteArray("[NO2\"Lo\rnge\"]\r\n") << QStringList{"1: zone name: name holds a character"};
        QStringList first1000;
        for (int line = 1; line <= 1000; ++line)
            first1000 << QStringLiteral("%1: unknown command").arg(line);
        QTest::newRow("findings beyond the first 1000 are counted")
            << QByteArray("x\n").repeated(1003) << first1000 + QStringList{" 3 more lines not taken"};
    }

    void lint()
    {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, findings);
        QTemporaryDir dir;
        const QString path = writeFile(dir, QStringLiteral("x.ZOR"), content);
        const Run run = zorctl({"lint", path});
        QCOMPARE(run.exitCode, findings.isEmpty() ? 0 : 1);
        const QStringList got = run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(got.size(), findings.size());
        for (int i = 0; i < findings.size(); ++i)
            QVERIFY2(got.at(i).startsWith(path + QLatin1Char(':') + findings.at(i)), qPrintable(got.at(i)));
    }

    void show_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QStringList>("absent");
        QTest::newRow("every page in tab order") << QStringList{} << 0
                                                 << QStringList{"[Source]",
                                                                "Source 1 name: Turntable",
                                                                "[Zone]",
                                                                "Zone 3 volume: -12 dB",
                                                                "[DSP]",
                                                                "Zone 5 DSP mode: Tone",
                                                                "Zone 5 tone: bass 4 dB, treble -3 dB",
                                                                "[Network/Misc]",
                                                                "IP address: 10.0.0.7",
                                                                "[Groups]",
                                                                "Group 2 zones: 1 3",
                                                                "[Favorites]",
                                                                "Favorite 3 zone 1: Source 7"}
                                                 << QStringList{};
        QTest::newRow("one page") << QStringList{"--page", "dsp"} << 0
                                  << QStringList{"[DSP]", "Zone 8 lowpass: 120 Hz", "Preset 4 name: Speech"}
                                  << QStringList{"[Zone]", "[Source]", "Turntable"};
        QTest::newRow("unknown page")
            << QStringList{"--page", "Mixer"} << 2 << QStringList{} << QStringList{"["};
    }

    void show()
    {
        QFETCH(QStringList, options);
        QFETCH(int, exitCode);
        QFETCH(QStringList, present);
        QFETCH(QStringList, absent);
        QTemporaryDir dir;
        const QString file = writeFile(dir, QStringLiteral("a.ZOR"), fileOf(custom()));
        const Run run = zorctl(QStringList{"show", file} + options);
        QCOMPARE(run.exitCode, exitCode);
        const QStringList lines = run.out.split(QLatin1Char('\n'));
        int last = -1;
        for (const QString &line : present) {
            const int at = lines.indexOf(line);
            QVERIFY2(at > last, qPrintable(line));
            last = at;
        }
        for (const QString &text : absent)
            QVERIFY2(!run.out.contains(text), qPrintable(text));
    }

    void plot_data()
    {
        QTest::addColumn<int>("zone");
        QTest::addColumn<int>("curveRowOffset"); // where the curve crosses 1 kHz, from the 0 dB line
        QTest::newRow("flat zone") << 1 << 0;
        QTest::newRow("EQ band 3 raised") << 7 << 0;
        QTest::newRow("lowpass at 120 Hz cuts 1 kHz below the grid") << 8 << -1;
    }

    void plot()
    {
        QFETCH(int, zone);
        QFETCH(int, curveRowOffset);
        QTemporaryDir dir;
        const QString file = writeFile(dir, QStringLiteral("a.ZOR"), fileOf(custom()));
        const QString png = dir.filePath(QStringLiteral("z.png"));
        const Run run = zorctl({"plot", file, "--zone", QString::number(zone), "-o", png});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QImage image;
        QVERIFY(image.load(png));
        QVERIFY(image.width() > 100 && image.height() > 100);
        // Find the curve's colour in the column of 1 kHz.
        int blueRows = 0;
        for (int y = 0; y < image.height(); ++y) {
            const QColor c = image.pixelColor(image.width() / 2, y);
            if (c.blue() > 200 && c.red() < 80 && c.green() < 80)
                ++blueRows;
        }
        if (curveRowOffset < 0)
            QCOMPARE(blueRows, 0);
        else
            QVERIFY(blueRows > 0);

        // The same drawing as SVG, with the curve in the plot's blue.
        const QString svgPath = dir.filePath(QStringLiteral("z.svg"));
        const Run svg = zorctl({"plot", file, "--zone", "1", "-o", svgPath});
        QCOMPARE(svg.exitCode, 0);
        QFile svgFile(svgPath);
        QVERIFY(svgFile.open(QIODevice::ReadOnly));
        const QByteArray drawing = svgFile.readAll();
        QVERIFY(drawing.startsWith("<?xml"));
        QVERIFY(drawing.contains("<svg"));
        QVERIFY(drawing.contains("#0000ff"));
        const Run other = zorctl({"plot", file, "--zone", "1", "-o", dir.filePath("z.gif")});
        QCOMPARE(other.exitCode, 2);
    }

    void manyUnits()
    {
        QTemporaryDir dir;
        const QString file = writeFile(dir, QStringLiteral("a.ZOR"), fileOf(custom()));
        SimulatedUnit units;
        QVERIFY(units.start({"--units", "3", file}));
        SimulatedUnit gone;
        QVERIFY(gone.start());
        gone.stop();
        QStringList targets;
        for (int i = 0; i < 3; ++i)
            targets << QStringLiteral("127.0.0.1:%1").arg(units.tcpPort + i);
        const QString out = dir.filePath(QStringLiteral("backups/"));
        const Run run =
            zorctl(QStringList{"backup"} + targets + QStringList{gone.address(), "-o", out, "--jobs", "2"});
        QCOMPARE(run.exitCode, 3);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(readFile(out + QStringLiteral("127.0.0.1_%1.ZOR").arg(units.tcpPort + i)),
                     fileOf(custom()));
            QVERIFY2(run.out.contains(targets.at(i) + QStringLiteral(": OK")), qPrintable(run.out));
        }
        QVERIFY2(run.out.contains(gone.address() + QStringLiteral(": connection refused")),
                 qPrintable(run.out));
    }

    void discover_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("output");
        QTest::newRow("one line per unit") << QStringList{} << "127.0.0.1\n";
        QTest::newRow("json") << QStringList{"--json"} << "[\"127.0.0.1\"]\n";
    }

    void discover()
    {
        QFETCH(QStringList, options);
        QFETCH(QString, output);
        quint16 sddpPort = 0;
        {
            QUdpSocket probe;
            QVERIFY(probe.bind(QHostAddress(QHostAddress::LocalHost), 0));
            sddpPort = probe.localPort();
        }
        // Two units in one process answer from the same address: listed once.
        QProcess sim;
        sim.start(QStringLiteral(ZOR_UNIT_SIM_PATH),
                  {"--port", "0", "--units", "2", "--sddp-port", QString::number(sddpPort)});
        QVERIFY(sim.waitForStarted(5000));
        QString simOutput;
        QTRY_VERIFY_WITH_TIMEOUT((simOutput += QString::fromUtf8(sim.readAllStandardOutput()),
                                  simOutput.count(QStringLiteral("listening on")) == 2),
                                 15000);
        QVERIFY2(simOutput.contains(QLatin1String("SDDP answering")), qPrintable(simOutput));
        const Run run = zorctl(QStringList{"discover", "--sddp-address", "127.0.0.1", "--sddp-port",
                                           QString::number(sddpPort), "--wait", "1"} +
                               options);
        sim.terminate();
        QVERIFY(sim.waitForFinished(5000));
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, output);
    }

    void usage_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("shown"); // on standard output after exit 0, else on standard error
        const QString demo = QStringLiteral(ZOR_SOURCE_DIR "/demo/restaurant.ZOR");
        QTest::newRow("no command") << QStringList{} << 2 << "Usage: zorctl COMMAND";
        QTest::newRow("unknown command") << QStringList{"frobnicate"} << 2 << "unknown command frobnicate";
        QTest::newRow("unknown option")
            << QStringList{"lint", "--bogus", "x"} << 2 << "unknown option --bogus";
        QTest::newRow("an option the command does not take")
            << QStringList{"diff", "--jobs", "5", demo, demo} << 2 << "zorctl: diff does not take --jobs\n";
        QTest::newRow("backup without -o") << QStringList{"backup", "127.0.0.1"} << 2 << "backup needs -o";
        QTest::newRow("a file that does not exist is no host")
            << QStringList{"diff", "missing.ZOR", "127.0.0.2"} << 2
            << "zorctl: missing.ZOR: No such file or directory\n";
        QTest::newRow("a directory is a file that cannot be read")
            << QStringList{"show", QStringLiteral(ZOR_SOURCE_DIR "/demo")} << 2 << "/demo: ";
        QTest::newRow("restore from a file that does not exist")
            << QStringList{"restore", "missing.zor", "127.0.0.2"} << 2
            << "zorctl: missing.zor: No such file or directory\n";
        QTest::newRow("a dry run checks its targets")
            << QStringList{"restore", demo, "no target!", "--dry-run"} << 2
            << "zorctl: no target!: not a HOST[:PORT] or a serial device path\n";
        QTest::newRow("a picture that cannot be written")
            << QStringList{"plot", demo, "--zone", "1", "-o", "/proc/zor-none/z.svg"} << 2
            << "zorctl: /proc/zor-none/z.svg: ";
        QTest::newRow("a report that cannot be written")
            << QStringList{"report", demo, "-o", "/proc/zor-none/r.pdf"} << 2
            << "zorctl: /proc/zor-none/r.pdf: ";
        QTest::newRow("a report is PDF or HTML") << QStringList{"report", demo, "-o", "r.txt"} << 2
                                                 << "r.txt: the report is written as .pdf or .html";
        QTest::newRow("several reports need a directory")
            << QStringList{"report", demo, "127.0.0.2", "-o", "r.pdf"} << 2 << "several reports need -o DIR/";
        QTest::newRow("help") << QStringList{"--help"} << 0
                              << "2 usage error or a local file that cannot be read or written";
        QTest::newRow("command help") << QStringList{"restore", "--help"} << 0 << "--changes-only";
        QTest::newRow("plot help tells of SVG") << QStringList{"plot", "--help"} << 0 << "an SVG drawing";
        QTest::newRow("version") << QStringList{"--version"} << 0 << "zorctl 2.2\n";
    }

    void usage()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, shown);
        const Run run = zorctl(arguments);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2((exitCode == 0 ? run.out : run.err).contains(shown), qPrintable(run.out + run.err));
    }
};

QTEST_GUILESS_MAIN(tst_zorctl)
#include "tst_zorctl.moc"
