// Compare with Unit and Send Changes against the simulated unit (zor-unit-sim):
// the unit is read without changing the window, the differences are listed,
// Send Changes sends exactly their commands and leaves the unit equal to the
// window, and a unit that does not answer is reported.
#include <QtTest>
#include <QtWidgets>

#include "app/compare_dialog.h"
#include "app/zor_config.h"
#include "forms/zor_config_form.h"
#include "support/editor_test_helpers.h"
#include "support/message_box_closer.h"
#include "sim/unit_state.h"
#include "support/simulated_unit.h"

using namespace editortest;

namespace {

const int WaitMs = 15000;

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

UnitSettings readSettingsFile(const QString &path)
{
    UnitSettings settings;
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : file.readAll().split('\n'))
            settings.apply(line);
    }
    return settings;
}

bool connectWindow(zor_config &window, const SimulatedUnit &unit, bool serial)
{
    if (serial) {
        window.serialOpen(unit.serialPath);
        return window.serialPort.isOpen();
    }
    window.telnetOpen(unit.address());
    return QTest::qWaitFor([&window] { return window.tcpSocket->state() == QAbstractSocket::ConnectedState; },
                           WaitMs);
}

QStringList settingNames(const compare_dialog *dialog)
{
    QStringList names;
    for (int row = 0; row < dialog->table->topLevelItemCount(); ++row)
        names << dialog->table->topLevelItem(row)->text(1);
    return names;
}

QStringList strings(const QSignalSpy &spy)
{
    QStringList list;
    for (const QList<QVariant> &arguments : spy)
        list << arguments.at(0).toString();
    return list;
}

QStringList describe(const QVector<UnitSettings::Difference> &differences)
{
    QStringList names;
    for (const UnitSettings::Difference &d : differences)
        names << d.page + '|' + d.setting + '|' + d.current + '|' + d.wanted;
    return names;
}

} // namespace

class tst_compare : public QObject
{
    Q_OBJECT

private slots:
    // The unit starts from `unitFile`, the window loads `windowFile`; the
    // listed settings are spot checks of the dialog's rows.
    void sendChangesMakesTheUnitEqual_data()
    {
        QTest::addColumn<bool>("serial");
        QTest::addColumn<QByteArray>("unitFile");
        QTest::addColumn<QByteArray>("windowFile");
        QTest::addColumn<QStringList>("listed");

        const QByteArray window = "[VO3R-20]\n[NO2\"Kitchen\"]\n[EO4M3]\n[TO4B5T-3]\n[G2AO7]\n[FPL1]\n"
                                  "[NEP3\"Jazz\"]\n[F1AO5I9]\n[DHCP0]\n[IP10.0.0.7]\n";
        const QByteArray unit = "[NO2\"Lounge\"]\n[NI1\"Tuner\"]\n[CO6I4]\n[VO3R-20]\n[SLEEP2]\n";
        QTest::newRow("network, unit with names of its own")
            << false << unit << window
            << QStringList{"Zone 2 name", "Source 1 name", "Zone 4 DSP mode", "Group 2 member Zone 7"};
        QTest::newRow("serial, unit at its defaults")
            << true << QByteArray() << window + "[SERIAL1]\n"
            << QStringList{"Zone 3 volume", "Zone 2 name", "Preset 3 name"};
        // Zones that are fixed, muted, unmuted and off, one in every DSP
        // mode, and the static address or DHCP.
        const QByteArray zones = "[VO2F1]\n[VMO3]\n[POFFO4]\n[VUMO5]\n[VO5R-12]\n[EO6M1]\n[EO6B3L4]\n"
                                 "[EO7M2]\n[EO7P5]\n[EO8M3]\n[TO8B2T-2]\n[EO9M4]\n[EO9LP150]\n"
                                 "[EO10M5]\n[EO10HP5000]\n";
        const QByteArray unitZones = "[VUMO3]\n[EO6M2]\n[EO7M1]\n[EO8M3]\n[EO9LP80]\n[CO6I3]\n";
        QTest::newRow("every kind of zone, static address")
            << false << unitZones << zones + "[DHCP0]\n[IP10.0.0.9]\n"
            << QStringList{"Zone 2 fixed volume", "Zone 3 mute",      "Zone 4 power", "Zone 6 DSP mode",
                           "Zone 8 tone",         "Zone 10 DSP mode", "DHCP"};
        QTest::newRow("every kind of zone, DHCP")
            << false << unitZones + "[DHCP0]\n[IP10.0.0.5]\n"
            << zones + "[DHCP1]\n[IP10.0.0.9]\n"
            << QStringList{"Zone 5 volume", "Zone 7 DSP mode", "Zone 9 DSP mode", "DHCP"};
    }

    void sendChangesMakesTheUnitEqual()
    {
        QFETCH(bool, serial);
        QFETCH(QByteArray, unitFile);
        QFETCH(QByteArray, windowFile);
        QFETCH(QStringList, listed);

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString unitPath = dir.filePath("unit.ZOR");
        const QString windowPath = dir.filePath("window.ZOR");
        const QString statePath = dir.filePath("state.ZOR");
        QVERIFY(writeFile(unitPath, unitFile) && writeFile(windowPath, windowFile));

        SimulatedUnit unit;
        QStringList arguments{"--dump-state-on-exit", statePath};
        if (serial)
            arguments << "--pty";
        if (!unitFile.isEmpty())
            arguments << unitPath;
        QVERIFY(unit.start(arguments));

        zor_config window;
        QVERIFY(window.loadConfiguration(windowPath));
        QVERIFY(!window.ui->actionCompare->isEnabled());
        QVERIFY(!window.ui->actionSendChanges->isEnabled());
        QVERIFY(connectWindow(window, unit, serial));
        QTRY_VERIFY(window.ui->actionSendAll->isEnabled());
        QVERIFY(window.ui->actionCompare->isEnabled());
        QVERIFY(window.ui->actionSendChanges->isEnabled());

        // Compare: the window stays as it was while the unit is read.
        const UnitSettings before = window.currentSettings();
        const QString zoneTwoName = window.ui->lineEditZoneNameN[2]->text();
        QSignalSpy sent(&window, &zor_config::sendSentData);
        window.ui->actionCompare->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(window.differencesDialog(), WaitMs);
        const QStringList query = serial ? QStringList{"[SERIAL1]", "[QX]"} : QStringList{"[QX]"};
        QCOMPARE(sentCommands(sent), query);
        QVERIFY2(window.currentSettings() == before,
                 qPrintable(describe(before.differences(window.currentSettings())).join('\n')));
        QCOMPARE(window.ui->lineEditZoneNameN[2]->text(), zoneTwoName);

        compare_dialog *dialog = window.differencesDialog();
        QVERIFY(!dialog->sendButton);
        const QStringList names = settingNames(dialog);
        for (const QString &name : listed)
            QVERIFY2(names.contains(name), qPrintable(name));
        // The zones' sources are the unit's live routing, never compared.
        QVERIFY(names.filter(QRegularExpression("^Zone \\d+ source$")).isEmpty());
        QCOMPARE(dialog->countLabel->text(), compare_dialog::countText(names.size()));
        QCOMPARE(dialog->table->topLevelItem(0)->checkState(0), Qt::Unchecked);
        dialog->close();
        QTRY_VERIFY(!window.differencesDialog());

        // Send Changes: every row ticked, the commands of the rows sent as
        // they are, under Send All's progress and lock.
        sent.clear();
        window.ui->actionSendChanges->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(window.differencesDialog(), WaitMs);
        dialog = window.differencesDialog();
        QCOMPARE(settingNames(dialog), names);
        for (int row = 0; row < dialog->table->topLevelItemCount(); ++row)
            QCOMPARE(dialog->table->topLevelItem(row)->checkState(0), Qt::Checked);
        const QList<QByteArray> commands = dialog->selectedCommands();
        sent.clear();
        QVERIFY(dialog->sendButton->isEnabled());
        QSignalSpy messages(window.statusBar(), &QStatusBar::messageChanged);
        dialog->sendButton->click();
        QVERIFY(!window.ui->actionLoad->isEnabled());
        QVERIFY(!window.ui->actionSendAll->isEnabled());
        QVERIFY(!window.ui->actionSendChanges->isEnabled());
        auto *progress = window.findChild<QLabel *>("labelSendAllProgress");
        QVERIFY(progress && progress->isVisibleTo(&window));
        QCOMPARE(progress->text(), QStringLiteral("Sending 1 of %1").arg(commands.size()));
        QTRY_COMPARE_WITH_TIMEOUT(window.currentRun(), zor_config::Run::None, WaitMs);
        // One change per setting, however many commands it took; then the
        // unit is read back.
        QVERIFY(strings(messages).contains(QStringLiteral("Sent %1 changes.").arg(names.size())));
        QCOMPARE(window.statusBar()->currentMessage(),
                 QStringLiteral("Verified: the unit holds every setting sent."));
        QStringList expected;
        for (const QByteArray &command : commands)
            expected << QString::fromUtf8(command);
        QCOMPARE(sentCommands(sent), expected + query);
        QVERIFY(window.ui->actionLoad->isEnabled());
        QVERIFY(window.ui->actionSendChanges->isEnabled());
        QVERIFY(!progress->isVisibleTo(&window));
        QVERIFY(window.currentSettings() == before);

        // A second Compare finds nothing.
        MessageBoxCloser boxes;
        window.ui->actionCompare->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(!boxes.seen.isEmpty(), WaitMs);
        QCOMPARE(boxes.seen, QStringList{"Compare with Unit|The unit matches the window."});
        QVERIFY(!window.differencesDialog());

        // The unit holds every setting of the window.
        unit.stop();
        QCOMPARE(describe(readSettingsFile(statePath).differences(before)), QStringList());
    }

    // After Receive All the window holds what the unit holds.
    void receiveAllThenCompareMatches_data()
    {
        QTest::addColumn<bool>("serial");
        QTest::addColumn<int>("lines");
        QTest::newRow("network") << false << 847;
        QTest::newRow("serial, the answer to [SERIAL1] first") << true << 848;
    }

    void receiveAllThenCompareMatches()
    {
        QFETCH(bool, serial);
        QFETCH(int, lines);
        SimulatedUnit unit;
        QStringList arguments{QStringLiteral(ZOR_SOURCE_DIR "/demo/restaurant.ZOR")};
        if (serial)
            arguments << "--pty";
        QVERIFY(unit.start(arguments));
        zor_config window;
        QVERIFY(connectWindow(window, unit, serial));
        QTRY_VERIFY(window.ui->actionReceiveAll->isEnabled());
        window.ui->actionReceiveAll->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(window.currentRun(), zor_config::Run::None, WaitMs);
        QCOMPARE(window.statusBar()->currentMessage(),
                 QStringLiteral("Receive All: %1 lines received.").arg(lines));
        MessageBoxCloser boxes;
        window.ui->actionCompare->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(!boxes.seen.isEmpty(), WaitMs);
        QCOMPARE(boxes.seen, QStringList{"Compare with Unit|The unit matches the window."});
    }

    // A unit that refuses a value without a word: the reading back after
    // Send Changes lists it, ticked, to be sent again.
    void settingThatDidNotTakeIsListed()
    {
        SimulatedUnit unit;
        QVERIFY(unit.start({"--ignore", "^\\[VO3R"}));
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath("window.ZOR"), "[VO3R-20]\n[NO2\"Kitchen\"]\n"));
        zor_config window;
        QVERIFY(window.loadConfiguration(dir.filePath("window.ZOR")));
        QVERIFY(connectWindow(window, unit, false));
        QTRY_VERIFY(window.ui->actionSendChanges->isEnabled());
        window.ui->actionSendChanges->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(window.differencesDialog(), WaitMs);
        QCOMPARE(settingNames(window.differencesDialog()), (QStringList{"Zone 2 name", "Zone 3 volume"}));
        window.differencesDialog()->sendButton->click();
        QTRY_COMPARE_WITH_TIMEOUT(window.currentRun(), zor_config::Run::None, WaitMs);
        compare_dialog *dialog = window.differencesDialog();
        QVERIFY(dialog);
        QCOMPARE(dialog->countLabel->text(), QStringLiteral("1 setting did not take"));
        QCOMPARE(settingNames(dialog), QStringList{"Zone 3 volume"});
        QCOMPARE(dialog->table->topLevelItem(0)->checkState(0), Qt::Checked);
        QVERIFY(dialog->sendButton && dialog->sendButton->isEnabled());
        QCOMPARE(dialog->selectedCommands(), QList<QByteArray>{"[VO3R-20]"});
    }

    // A run of 16 commands stopped by Cancel after the second command, or by
    // the unit closing the connection after `dropAfter` frames.
    void stoppedRun_data()
    {
        QTest::addColumn<int>("dropAfter");
        QTest::addColumn<QString>("report");
        QTest::newRow("cancelled") << 0 << "Send Changes cancelled after 2 of 16 commands.";
        QTest::newRow("connection lost")
            << 5 << "Send Changes stopped: connection lost after 5 of 16 commands.";
    }

    void stoppedRun()
    {
        QFETCH(int, dropAfter);
        QFETCH(QString, report);
        MessageBoxCloser boxes;
        SimulatedUnit unit;
        QVERIFY(
            unit.start(dropAfter ? QStringList{"--drop-after", QString::number(dropAfter)} : QStringList()));
        zor_config window;
        QVERIFY(connectWindow(window, unit, false));
        QTRY_VERIFY(window.ui->actionSendAll->isEnabled());
        QVector<UnitSettings::Difference> commands;
        for (int zone = 1; zone <= 16; ++zone)
            commands.append({"Zone", "volume", "", "", {protocol::zoneVolume(zone, -zone)}});
        QSignalSpy sent(&window, &zor_config::sendSentData);
        if (!dropAfter) {
            // The user clicks Cancel in the pause after the second command.
            connect(&window, &zor_config::sendSentData, this, [&window, &sent] {
                if (sent.count() == 2)
                    QTimer::singleShot(0, &window, [&window] {
                        window.findChild<QPushButton *>("pushButtonSendAllCancel")->click();
                    });
            });
        }
        QSignalSpy messages(window.statusBar(), &QStatusBar::messageChanged);
        window.sendSelectedChanges(commands);
        QTRY_VERIFY_WITH_TIMEOUT(window.ui->actionLoad->isEnabled(), WaitMs);
        // Reply lines arriving later take the status bar over.
        QVERIFY(strings(messages).contains(report));
        QCOMPARE(sent.count(), dropAfter ? dropAfter : 2);
    }

    // A reading without every setting is a failure: no differences.
    void unansweredReading_data()
    {
        QTest::addColumn<QStringList>("unitOptions");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("boxes");
        QTest::newRow("silent unit") << QStringList{"--silent"} << "No reply from the unit." << QStringList{};
        UnitState fresh;
        UnitSettings partial;
        for (const QByteArray &line : fresh.dump().mid(0, 150))
            partial.apply(line, UnitSettings::Origin::Reported);
        const QString answered =
            QStringLiteral("The unit answered %1 of 847 settings.").arg(partial.heldCount());
        QTest::newRow("unit that stops answering")
            << QStringList{"--partial-answer", "150"} << answered << QStringList{"Send Changes|" + answered};
    }

    void unansweredReading()
    {
        QFETCH(QStringList, unitOptions);
        QFETCH(QString, message);
        QFETCH(QStringList, boxes);
        SimulatedUnit unit;
        QVERIFY(unit.start(unitOptions));
        zor_config window;
        window.receiveAllFirstReplyMs = 300;
        window.receiveAllQuietMs = 300;
        QVERIFY(connectWindow(window, unit, false));
        QTRY_VERIFY(window.ui->actionCompare->isEnabled());
        MessageBoxCloser closer;
        window.ui->actionSendChanges->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(window.currentRun(), zor_config::Run::None, WaitMs);
        QCOMPARE(window.statusBar()->currentMessage(), message);
        QTRY_COMPARE(closer.seen, boxes);
        QVERIFY(!window.differencesDialog());
    }
};

QTEST_MAIN(tst_compare)
#include "tst_compare.moc"
