// The window against the simulated unit (zor-unit-sim), over a loopback TCP
// connection and over the unit's pseudo-terminal serial port:
// - an edit reaches the unit's settings, and the unit's echo of it changes
//   nothing in the window and sends nothing back;
// - settings the unit holds (changed by another client, or loaded by the
//   unit at start) show in the window after Receive All, and reading the
//   whole unit sends nothing but the query.
// The unit's settings are read back through a connection of the test's own.
#include <QtTest>
#include <QtWidgets>

#include <algorithm>
#include <functional>

#include "app/zor_config.h"
#include "forms/zor_config_form.h"
#include "sim/unit_state.h"
#include "support/editor_test_helpers.h"
#include "support/message_box_closer.h"
#include "support/simulated_unit.h"
#include "support/window_picture.h"

using namespace editortest;

namespace {

const int WaitMs = 15000;

// A second connection to the unit, the test's own.
class SideClient
{
public:
    bool open(quint16 port)
    {
        socket.connectToHost(QHostAddress::LocalHost, port);
        return socket.waitForConnected(WaitMs);
    }

    // Sends the frames and returns the first `lines` reply lines.
    QList<QByteArray> exchange(const QByteArray &frames, int lines)
    {
        socket.write(frames);
        QElapsedTimer clock;
        clock.start();
        while (buffer.count('\n') < lines && clock.elapsed() < WaitMs) {
            socket.waitForReadyRead(100);
            buffer += socket.readAll();
        }
        QList<QByteArray> result;
        for (int i = 0; i < lines; ++i) {
            const int end = buffer.indexOf('\n');
            if (end < 0)
                break;
            result << buffer.left(end).trimmed();
            buffer.remove(0, end + 1);
        }
        return result;
    }

private:
    QTcpSocket socket;
    QByteArray buffer;
};

int dumpSize()
{
    return UnitState().dump().size();
}

// Everything the unit holds, read through a connection of the test's own.
bool readUnit(quint16 port, UnitState *unit)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    if (!socket.waitForConnected(WaitMs))
        return false;
    socket.write("[QX]");
    QByteArray bytes;
    QElapsedTimer clock;
    clock.start();
    while (bytes.count('\n') < dumpSize() && clock.elapsed() < WaitMs) {
        socket.waitForReadyRead(100);
        bytes += socket.readAll();
    }
    return unit->applyText(bytes) == dumpSize();
}

QStringList strings(const QSignalSpy &spy)
{
    QStringList list;
    for (const QList<QVariant> &arguments : spy)
        list << arguments.at(0).toString();
    return list;
}

// Opens the window's link to the unit. Over the serial port the user first
// ticks "Serial Enable", so that the unit answers there.
bool connectWindow(zor_config &window, SimulatedUnit &unit, const QString &transport)
{
    if (transport == QLatin1String("tcp")) {
        window.telnetOpen(QStringLiteral("127.0.0.1:%1").arg(unit.tcpPort));
        return QTest::qWaitFor(
            [&window] { return window.tcpSocket->state() == QAbstractSocket::ConnectedState; }, WaitMs);
    }
    window.serialOpen(unit.serialPath);
    if (!window.serialPort.isOpen())
        return false;
    QSignalSpy received(&window, &zor_config::sendReceivedData);
    click(window, window.ui->checkBoxSerial);
    QElapsedTimer clock;
    clock.start();
    while (!strings(received).contains(QStringLiteral("SERIAL1")) && clock.elapsed() < WaitMs)
        received.wait(100);
    return strings(received).contains(QStringLiteral("SERIAL1"));
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A unit far from the defaults on every page, as a configuration file the
// window itself wrote (so a window showing the same unit saves the same).
bool writeVariedUnitFile(const QString &path)
{
    QByteArray lines;
    for (int z = 1; z <= 16; ++z) {
        const QByteArray n = QByteArray::number(z);
        lines += "[NO" + n + "\"Room " + n + "\"]\n[NI" + n + "\"Input " + n + "\"]\n";
        lines += "[VO" + n + "R-" + QByteArray::number(2 * z) + "]\n";
        lines += "[BO" + n + (z % 2 ? "L" : "R") + QByteArray::number(z) + "]\n";
        lines += "[VPONO" + n + "L-" + QByteArray::number(20 + z) + "]\n";
        switch (z % 6) {
        case 1:
            lines += "[EO" + n + "B" + QByteArray::number(z % 10 + 1) + "L-4]\n";
            break;
        case 2:
            lines += "[EO" + n + "P" + QByteArray::number(z % 10 + 1) + "]\n";
            break;
        case 3:
            lines += "[TO" + n + "B5T-3]\n";
            break;
        case 4:
            lines += "[EO" + n + "LP180]\n";
            break;
        case 5:
            lines += "[EO" + n + "HP12000]\n";
            break;
        }
        lines += "[EO" + n + "M" + QByteArray::number(z % 6) + "]\n";
    }
    for (int p = 1; p <= 10; ++p) {
        const QByteArray n = QByteArray::number(p);
        lines +=
            "[NEP" + n + "\"Curve " + n + "\"]\n[EP" + n + "B" + n + "L" + QByteArray::number(p - 5) + "]\n";
        lines += "[NG" + n + "\"Area " + n + "\"]\n[G" + n + "AO" + QByteArray::number(p + 3) + "]\n";
        lines += "[NF" + n + "\"Scene " + n + "\"]\n[F" + n + "AO" + QByteArray::number(p) + "I" +
                 QByteArray::number(p + 2) + "]\n";
    }
    lines += "[POFFO6]\n[VMO9]\n[DHCP0]\n[IP10.1.2.3]\n[NM255.255.0.0]\n[GW10.1.0.1]\n[SD1]\n[SLEEP3]\n"
             "[FPL1]\n[IRL1]\n[TRIGMODE1]\n[TRIGLEVEL85]\n[TRIGTIME10]\n";
    QTemporaryDir dir;
    QFile commands(dir.filePath(QStringLiteral("commands.ZOR")));
    if (!commands.open(QIODevice::WriteOnly) || commands.write(lines) != lines.size())
        return false;
    commands.close();
    zor_config source;
    return source.loadConfiguration(commands.fileName()) && source.saveConfiguration(path);
}

QStringList simulatorArguments(const QString &transport)
{
    return transport == QLatin1String("serial") ? QStringList{"--pty"} : QStringList();
}

struct Edit {
    const char *name;
    std::function<void(zor_config &)> act;
    QStringList commands;
    std::function<QString(const UnitSettings &)> read;
    QString expected;
    // What the echo itself shows: the Troubleshooting page's source label
    // is filled only by the unit's answer.
    QString echoChanges = QString();
};

template <typename W> W *widget(zor_config &window, const char *name)
{
    return window.findChild<W *>(QLatin1String(name));
}

QString yes(bool b)
{
    return b ? QStringLiteral("true") : QStringLiteral("false");
}

const QVector<Edit> &edits()
{
    using S = UnitSettings;
    static const QVector<Edit> table = {
        {"zone volume",
         [](zor_config &w) {
             drag(widget<QSlider>(w, "sliderZoneVol_3"), {-20, -35});
         },
         {"[VO3R-35]"},
         [](const S &s) { return QString::number(s.zones[2].volume); },
         "-35"},
        {"zone unmute",
         [](zor_config &w) { click(w, widget<QCheckBox>(w, "checkBoxZoneMute_4")); },
         {"[VUMO4]"},
         [](const S &s) { return yes(s.zones[3].muted); },
         "false"},
        {"zone name in UTF-8",
         [](zor_config &w) {
             retypeAndReturn(widget<QLineEdit>(w, "lineEditZoneName_9"), QString::fromUtf8("K\xc3\xbc"
                                                                                           "che"));
         },
         {QString::fromUtf8("[NO9\"K\xc3\xbc"
                            "che\"]")},
         [](const S &s) { return s.zones[8].name; },
         QString::fromUtf8("K\xc3\xbc"
                           "che")},
        {"zone balance",
         [](zor_config &w) { widget<QSpinBox>(w, "spinBoxZoneBal_2")->setValue(-5); },
         {"[BO2L5]"},
         [](const S &s) { return QString::number(s.zones[1].balance); },
         "-5"},
        {"zone source",
         [](zor_config &w) { widget<QComboBox>(w, "comboBoxZoneSource_6")->setCurrentIndex(3); },
         {"[CO6I4]"},
         [](const S &s) { return QString::number(s.zones[5].source); },
         "4",
         "labelSourceZone_6.text=Source 4"},
        {"DSP mode",
         [](zor_config &w) { w.ui->comboBoxDSPMode->setCurrentIndex(Tone); },
         {"[EO1M3]"},
         [](const S &s) { return QString::number(s.zones[0].dspMode); },
         "3"},
        {"group member",
         [](zor_config &w) { click(w, widget<QCheckBox>(w, "checkBoxGroupZone_5")); },
         {"[G1AO5]"},
         [](const S &s) { return QString::number(s.groups[0].members); },
         "16"},
        {"favorite source",
         [](zor_config &w) { click(w, widget<QCheckBox>(w, "checkBoxFavoriteBypass_2")); },
         {"[F1AO2I1]"},
         [](const S &s) { return QString::number(s.favorites[0].source[1]); },
         "1"},
        {"front panel lock",
         [](zor_config &w) { click(w, w.ui->checkBoxFPLock); },
         {"[FPL1]"},
         [](const S &s) { return yes(s.panelLock); },
         "true"},
    };
    return table;
}

} // namespace

class tst_end_to_end : public QObject
{
    Q_OBJECT

private slots:
    void editsReachTheUnit_data()
    {
        QTest::addColumn<QString>("transport");
        QTest::addColumn<int>("edit");
        for (const char *transport : {"tcp", "serial"}) {
            for (int i = 0; i < edits().size(); ++i)
                QTest::addRow("%s, %s", transport, edits()[i].name) << QString::fromLatin1(transport) << i;
        }
    }

    void editsReachTheUnit()
    {
        QFETCH(QString, transport);
        QFETCH(int, edit);
        const Edit &e = edits()[edit];
        MessageBoxCloser boxes;
        SimulatedUnit unit;
        QVERIFY(unit.start(simulatorArguments(transport)));
        zor_config window;
        window.show();
        QVERIFY(connectWindow(window, unit, transport));

        QSignalSpy sent(&window, &zor_config::sendSentData);
        QSignalSpy received(&window, &zor_config::sendReceivedData);
        e.act(window);
        QCOMPARE(strings(sent), e.commands);
        const Picture edited = pictureOf(window);

        // The unit echoes each command as its reply line.
        QStringList echoes;
        for (const QString &command : e.commands)
            echoes << command.mid(1, command.size() - 2);
        QTRY_COMPARE_WITH_TIMEOUT(strings(received), echoes, WaitMs);
        QCOMPARE(changes(edited, pictureOf(window)), e.echoChanges);
        QCOMPARE(strings(sent), e.commands);

        UnitState state;
        QVERIFY(readUnit(unit.tcpPort, &state));
        QCOMPARE(e.read(state.settings()), e.expected);
        QVERIFY2(boxes.seen.isEmpty(), qPrintable(boxes.seen.join(QLatin1Char('\n'))));
    }

    void unitSettingsShowAfterReceiveAll_data()
    {
        QTest::addColumn<QString>("transport");
        QTest::addColumn<QByteArray>("unitFile");
        QTest::addColumn<QByteArray>("otherClient");
        QTest::addColumn<QStringList>("expected");

        struct Row {
            const char *name;
            QByteArray file;
            QByteArray other;
            QStringList expected;
        };
        const QVector<Row> rows = {
            {"volume", {}, "[VO7R-12]", {"sliderZoneVol_7.value=-12", "labelZoneVol_7.text=-12"}},
            {"source name",
             {},
             "[NI4\"Phono\"]",
             {"lineEditSourceName_4.text=Phono", "sourceNamesModel[3]=Phono"}},
            {"equaliser of the zone on show",
             {},
             "[EO1B2L6][EO1M1]",
             {"zoneDsp[0].mode=1", "comboBoxDSPMode.currentIndex=1", "frameDSPEQ.disabled=false",
              "sliderDSPEQ_2.value=6", "labelDSPEQVal_2.text=6"}},
            {"tone of a zone not on show",
             {},
             "[TO4B3T-2][EO4M3]",
             {"zoneDsp[3].mode=3", "zoneDsp[3].bass=3", "zoneDsp[3].treble=-2",
              "comboBoxDSPMode.currentIndex=0"}},
            {"group member", {}, "[G2AO3]", {"groupZones[1]=4"}},
            {"favorite",
             {},
             "[F1AO5I7]",
             {"favoriteSource[0][4]=6", "checkBoxFavoriteBypass_5.checked=false",
              "comboBoxFavoriteSource_5.currentIndex=6", "comboBoxFavoriteSource_5.disabled=false"}},
            {"fixed zone",
             {},
             "[VO5R-20][VO5F1]",
             {"checkBoxZoneFix_5.checked=true", "sliderZoneVol_5.value=0", "sliderZoneVol_5.disabled=true",
              "checkBoxZoneMute_5.disabled=true"}},
            {"zone off",
             {},
             "[POFFO6]",
             {"checkBoxZonePower_6.checked=false", "sliderZoneVol_6.disabled=true"}},
            {"static address",
             {},
             "[DHCP0][IP10.0.0.9]",
             {"checkBoxNetworkDHCP.checked=false", "groupBoxNetworkStatic.disabled=false",
              "lineEditNetworkIP.text=10.0.0.9"}},
            {"file loaded by the unit",
             "[NO2\"Den\"]\n[TRIGMODE1]\n[TRIGLEVEL60]\n[SD2]\n",
             {},
             {"lineEditZoneName_2.text=Den", "zoneNamesModel[1]=Den", "comboBoxTriggerMode.currentIndex=1",
              "groupBoxTriggerSettings.disabled=false", "sliderTriggerLevel.value=60",
              "labelTriggerModeLevelVal.text=60 mVRMS", "sliderFPBrightness.value=1",
              "labelFPBrightnessPercent.text=50%"}},
        };
        for (const char *transport : {"tcp", "serial"}) {
            for (const Row &row : rows)
                QTest::addRow("%s, %s", transport, row.name)
                    << QString::fromLatin1(transport) << row.file << row.other << row.expected;
        }
    }

    void unitSettingsShowAfterReceiveAll()
    {
        QFETCH(QString, transport);
        QFETCH(QByteArray, unitFile);
        QFETCH(QByteArray, otherClient);
        QFETCH(QStringList, expected);
        MessageBoxCloser boxes;
        QTemporaryDir dir;
        QStringList arguments = simulatorArguments(transport);
        if (!unitFile.isEmpty()) {
            QFile file(dir.filePath(QStringLiteral("unit.ZOR")));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(unitFile) == unitFile.size());
            arguments << file.fileName();
        }
        SimulatedUnit unit;
        QVERIFY(unit.start(arguments));

        zor_config window;
        window.show();
        QVERIFY(connectWindow(window, unit, transport));
        if (!otherClient.isEmpty()) {
            SideClient other;
            QVERIFY(other.open(unit.tcpPort));
            const int frames = otherClient.count('[');
            QCOMPARE(other.exchange(otherClient, frames).size(), frames);
        }
        // Another client's changes reach nobody else: the window does not
        // show them until it asks.
        const Picture before = pictureOf(window);
        QVERIFY(std::any_of(expected.cbegin(), expected.cend(), [&before](const QString &entry) {
            const QStringList keyValue = entry.split(QLatin1Char('='));
            return before.value(keyValue[0]) != keyValue[1];
        }));

        QSignalSpy sent(&window, &zor_config::sendSentData);
        QSignalSpy received(&window, &zor_config::sendReceivedData);
        window.ui->actionReceiveAll->trigger();
        const QStringList query =
            transport == QLatin1String("serial") ? QStringList{"[SERIAL1]", "[QX]"} : QStringList{"[QX]"};
        QCOMPARE(strings(sent), query);
        const int lines = dumpSize() + (transport == QLatin1String("serial") ? 1 : 0);
        QTRY_COMPARE_WITH_TIMEOUT(received.count(), lines, WaitMs);
        // Parsing the whole unit sent nothing.
        QCOMPARE(strings(sent), query);

        const Picture shown = pictureOf(window);
        for (const QString &entry : expected) {
            const QStringList keyValue = entry.split(QLatin1Char('='));
            QCOMPARE(shown.value(keyValue[0]), keyValue[1]);
        }
        QVERIFY2(boxes.seen.isEmpty(), qPrintable(boxes.seen.join(QLatin1Char('\n'))));
    }

    void receiveAllReports_data()
    {
        QTest::addColumn<QStringList>("unitOptions");
        QTest::addColumn<int>("firstReplyMs");
        QTest::addColumn<QString>("report");
        QTest::addColumn<int>("linesAfterReport");

        const QString all = QStringLiteral("Receive All: %1 lines received.").arg(dumpSize());
        const QString none = QStringLiteral("No reply from the unit.");
        QTest::newRow("answering unit") << QStringList() << 5000 << all << dumpSize();
        QTest::newRow("late unit") << QStringList{"--delay", "200"} << 5000 << all << dumpSize();
        QTest::newRow("silent unit") << QStringList{"--silent"} << 1500 << none << 0;
        // Answers that come after the report are still taken in.
        QTest::newRow("unit later than the wait")
            << QStringList{"--delay", "1500"} << 300 << none << dumpSize();
        UnitSettings partial;
        for (const QByteArray &line : UnitState().dump().mid(0, 150))
            partial.apply(line, UnitSettings::Origin::Reported);
        QTest::newRow("unit that stops answering")
            << QStringList{"--partial-answer", "150"} << 5000
            << QStringLiteral("Receive All: The unit answered %1 of 847 settings.").arg(partial.heldCount())
            << 150;
    }

    // After Receive All the status bar tells how many lines the unit sent,
    // once every setting is in, or that it did not answer at all.
    void receiveAllReports()
    {
        QFETCH(QStringList, unitOptions);
        QFETCH(int, firstReplyMs);
        QFETCH(QString, report);
        QFETCH(int, linesAfterReport);
        MessageBoxCloser boxes;
        SimulatedUnit unit;
        QVERIFY(unit.start(unitOptions));
        zor_config window;
        window.show();
        QVERIFY(connectWindow(window, unit, QStringLiteral("tcp")));
        QCOMPARE(window.receiveAllFirstReplyMs, 5000);
        QCOMPARE(window.receiveAllQuietMs, 1000);
        window.receiveAllFirstReplyMs = firstReplyMs;

        QSignalSpy received(&window, &zor_config::sendReceivedData);
        QElapsedTimer clock;
        clock.start();
        window.ui->actionReceiveAll->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(window.statusBar()->currentMessage(), report, WaitMs);
        if (received.isEmpty()) {
            QVERIFY(clock.elapsed() >= firstReplyMs);
        } else {
            // Told the moment the last setting is in, or once the unit has
            // gone quiet without sending them all.
            QCOMPARE(received.count(), linesAfterReport);
        }
        QTRY_COMPARE_WITH_TIMEOUT(received.count(), linesAfterReport, WaitMs);
        if (report != window.statusBar()->currentMessage())
            QVERIFY(
                window.statusBar()->currentMessage().startsWith(QStringLiteral("Receive from network: ")));
        QVERIFY2(boxes.seen.isEmpty(), qPrintable(boxes.seen.join(QLatin1Char('\n'))));
    }

    void receiveAllDespiteFaults_data()
    {
        QTest::addColumn<QStringList>("unitOptions");
        QTest::newRow("clean unit") << QStringList();
        QTest::newRow("garbage between replies") << QStringList{"--garbage"};
        QTest::newRow("other garbage") << QStringList{"--garbage", "--seed", "7"};
        QTest::newRow("late replies") << QStringList{"--delay", "200"};
        QTest::newRow("late replies and garbage")
            << QStringList{"--delay", "200", "--garbage", "--seed", "3"};
    }

    // Junk lines from the unit, or answers held back, change nothing of what
    // Receive All shows: afterwards the window holds exactly the unit's
    // settings, and it has sent nothing but the query.
    void receiveAllDespiteFaults()
    {
        QFETCH(QStringList, unitOptions);
        MessageBoxCloser boxes;
        QTemporaryDir dir;
        const QString unitFile = dir.filePath(QStringLiteral("unit.ZOR"));
        QVERIFY(writeVariedUnitFile(unitFile));
        SimulatedUnit unit;
        QVERIFY(unit.start(unitOptions << unitFile));

        zor_config window;
        window.show();
        QVERIFY(connectWindow(window, unit, QStringLiteral("tcp")));
        QSignalSpy sent(&window, &zor_config::sendSentData);
        QSignalSpy received(&window, &zor_config::sendReceivedData);
        window.ui->actionReceiveAll->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(
            window.statusBar()->currentMessage().startsWith(QStringLiteral("Receive All: ")), WaitMs);
        QCOMPARE(strings(sent), QStringList{"[QX]"});
        // The junk did reach the window.
        QCOMPARE(received.count() > dumpSize(), unitOptions.contains(QStringLiteral("--garbage")));

        const QString shown = dir.filePath(QStringLiteral("window.ZOR"));
        QVERIFY(window.saveConfiguration(shown));
        QCOMPARE(fileBytes(shown).split('\n'), fileBytes(unitFile).split('\n'));
        QVERIFY2(boxes.seen.isEmpty(), qPrintable(boxes.seen.join(QLatin1Char('\n'))));
    }

    // Send All leaves each zone of the unit muted as the window's box shows
    // it, and the boxes as they were.
    void sendAllKeepsEachZonesMute()
    {
        MessageBoxCloser boxes;
        QTemporaryDir dir;
        // The unit starts with zone 5 playing and zone 3 muted.
        QFile file(dir.filePath(QStringLiteral("unit.ZOR")));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("[VUMO5]\n[VMO3]\n") > 0);
        file.close();
        SimulatedUnit unit;
        QVERIFY(unit.start({file.fileName()}));

        zor_config window;
        widget<QCheckBox>(window, "checkBoxZoneMute_3")->setChecked(false);
        QVERIFY(widget<QCheckBox>(window, "checkBoxZoneMute_5")->isChecked());
        QVERIFY(connectWindow(window, unit, QStringLiteral("tcp")));
        QSignalSpy sent(&window, &zor_config::sendSentData);
        window.ui->actionSendAll->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(window.currentRun(), zor_config::Run::None, 60000);
        QCOMPARE(sent.count(), 604 + 1); // and the query that reads the unit back
        QCOMPARE(window.statusBar()->currentMessage(),
                 QStringLiteral("Verified: the unit holds every setting sent."));
        QVERIFY(strings(sent).contains(QStringLiteral("[VMO5]")));

        UnitState state;
        QVERIFY(readUnit(unit.tcpPort, &state));
        QVERIFY(state.settings().zones[4].muted);
        QVERIFY(!state.settings().zones[2].muted);
        QVERIFY(widget<QCheckBox>(window, "checkBoxZoneMute_5")->isChecked());
        QVERIFY(!widget<QCheckBox>(window, "checkBoxZoneMute_3")->isChecked());
        QVERIFY2(boxes.seen.isEmpty(), qPrintable(boxes.seen.join(QLatin1Char('\n'))));
    }
};

QTEST_MAIN(tst_end_to_end)
#include "tst_end_to_end.moc"
