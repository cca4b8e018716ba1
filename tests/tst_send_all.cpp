#include <QtTest>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QStatusBar>
#include <QTcpServer>
#include <QTcpSocket>

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include "app/zor_config.h"
#include "forms/zor_config_form.h"
#include "support/editor_test_helpers.h"
#include "support/message_box_closer.h"
#include "support/simulated_unit.h"

namespace {

struct Peer {
    QTcpServer server;
    QTcpSocket *socket = nullptr;
    QByteArray received;

    bool connect(zor_config &window)
    {
        if (!server.listen(QHostAddress::LocalHost))
            return false;
        window.telnetOpen(QStringLiteral("127.0.0.1:%1").arg(server.serverPort()));
        if (!server.waitForNewConnection(5000) && !server.hasPendingConnections())
            return false;
        socket = server.nextPendingConnection();
        QObject::connect(socket, &QTcpSocket::readyRead, [this] { received += socket->readAll(); });
        return QTest::qWaitFor(
            [&window] { return window.tcpSocket->state() == QAbstractSocket::ConnectedState; }, 5000);
    }
};

QStringList frames(const QByteArray &stream)
{
    QStringList result;
    int start = 0;
    for (int end = stream.indexOf(']', start); end >= 0; end = stream.indexOf(']', start)) {
        result << QString::fromUtf8(stream.mid(start, end - start + 1));
        start = end + 1;
    }
    return result;
}

// Each zone's mute box, "1" for muted, zones 1 to 16.
QString muteBoxes(zor_config &window)
{
    QString boxes;
    for (int zone = 1; zone <= 16; ++zone)
        boxes += window.findChild<QCheckBox *>(QStringLiteral("checkBoxZoneMute_%1").arg(zone))->isChecked()
                     ? QLatin1Char('1')
                     : QLatin1Char('0');
    return boxes;
}

// Every field that sends what is typed in it when it is left.
QList<QLineEdit *> typedFields(zor_config &window)
{
    QList<QLineEdit *> fields;
    for (int n = 1; n <= 16; ++n)
        fields << window.findChild<QLineEdit *>(QStringLiteral("lineEditSourceName_%1").arg(n))
               << window.findChild<QLineEdit *>(QStringLiteral("lineEditZoneName_%1").arg(n));
    fields << window.ui->lineEditNetworkIP << window.ui->lineEditNetworkMask
           << window.ui->lineEditNetworkGateway;
    return fields;
}

// The master side of a pseudo-terminal whose slave side the window opens as
// its serial port; closing it hangs the line up.
struct Line {
    int master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    Line()
    {
        if (master >= 0 && grantpt(master) == 0 && unlockpt(master) == 0)
            slaveName = QString::fromLocal8Bit(ptsname(master));
    }
    ~Line() { hangUp(); }
    void hangUp()
    {
        if (master >= 0)
            ::close(master);
        master = -1;
    }
    QString slaveName;
};

} // namespace

class tst_send_all : public QObject
{
    Q_OBJECT

private slots:
    void receiveAllOverTcpSendsQueryOnly();
    void receiveAllOverSerialEnablesResponsesFirst();
    void sendAllSendsWhatASaveWrites();
    void pacingProgressAndCancel();
    void progressTotalIsWhatARunSends_data();
    void progressTotalIsWhatARunSends();
    void secondRunCannotInterleave();
    void linkChangesDuringRunShowAfterIt();
    void stoppedRunLeavesNoFieldMarked_data();
    void stoppedRunLeavesNoFieldMarked();
    void connectionLostStopsTheRun_data();
    void connectionLostStopsTheRun();
};

void tst_send_all::receiveAllOverTcpSendsQueryOnly()
{
    zor_config window;
    Peer peer;
    QVERIFY(peer.connect(window));
    QSignalSpy sent(&window, &zor_config::sendSentData);
    window.ui->actionReceiveAll->trigger();
    QCOMPARE(sent.count(), 1);
    QCOMPARE(sent.at(0).at(0).toString(), QStringLiteral("[QX]"));
    QTRY_COMPARE(peer.received, QByteArray("[QX]"));
}

void tst_send_all::receiveAllOverSerialEnablesResponsesFirst()
{
    int master = -1, slave = -1;
    char name[256] = {};
    QVERIFY(openpty(&master, &slave, name, nullptr, nullptr) == 0);
    struct termios raw;
    tcgetattr(slave, &raw);
    cfmakeraw(&raw);
    tcsetattr(slave, TCSANOW, &raw);

    zor_config window;
    MessageBoxCloser boxes;
    window.serialOpen(QString::fromLocal8Bit(name));
    QVERIFY2(window.serialPort.isOpen(), qPrintable(boxes.seen.join(';')));
    QSignalSpy sent(&window, &zor_config::sendSentData);
    window.sendQueryAll();
    QCOMPARE(sent.count(), 2);
    QCOMPARE(sent.at(0).at(0).toString(), QStringLiteral("[SERIAL1]"));
    QCOMPARE(sent.at(1).at(0).toString(), QStringLiteral("[QX]"));
    window.serialPort.waitForBytesWritten(1000);

    QByteArray bytes;
    fcntl(master, F_SETFL, O_NONBLOCK);
    QTRY_VERIFY([&] {
        char buffer[64];
        const ssize_t n = read(master, buffer, sizeof buffer);
        if (n > 0)
            bytes.append(buffer, int(n));
        return bytes.size() >= 13;
    }());
    QCOMPARE(bytes, QByteArray("[SERIAL1][QX]"));
    window.serialPort.close();
    ::close(slave);
    ::close(master);
}

void tst_send_all::sendAllSendsWhatASaveWrites()
{
    QTemporaryDir dir;
    zor_config window;
    window.zoneDsp[2].mode = Tone;
    window.zoneDsp[2].bass = 4;
    window.zoneDsp[2].treble = -2;
    window.groupZones[1] = 0x8001;
    window.favoriteSource[3][6] = 5;
    window.findChild<QCheckBox *>(QStringLiteral("checkBoxZoneMute_3"))->setChecked(false);
    const QString mutes = muteBoxes(window);
    QCOMPARE(mutes, QStringLiteral("1101111111111111"));
    QVERIFY(window.saveConfiguration(dir.filePath("expected.ZOR")));
    QCOMPARE(muteBoxes(window), mutes);
    QFile file(dir.filePath("expected.ZOR"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QStringList expected = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    QVERIFY(expected.contains(QStringLiteral("[VUMO3]")) && expected.contains(QStringLiteral("[VMO5]")));

    Peer peer;
    QVERIFY(peer.connect(window));
    QElapsedTimer clock;
    clock.start();
    window.ui->actionSendAll->trigger();
    const qint64 elapsed = clock.elapsed();
    QTRY_COMPARE(frames(peer.received), expected);
    QVERIFY(elapsed >= 50LL * expected.size());
    QCOMPARE(muteBoxes(window), mutes);
    // Rows noted before the run are current again.
    QCOMPARE(window.ui->listViewDSPZone->currentIndex().row(), 0);
    QCOMPARE(window.ui->listViewGroup->currentIndex().row(), 0);
    QCOMPARE(window.ui->listViewFavorites->currentIndex().row(), 0);
}

void tst_send_all::pacingProgressAndCancel()
{
    zor_config window;
    Peer peer;
    QVERIFY(peer.connect(window));
    window.ui->listViewGroup->setCurrentIndex(window.groupNamesModel.index(4, 0));

    QList<qint64> stamps;
    QStringList progress;
    bool lockedDuringRun = true;
    QElapsedTimer clock;
    clock.start();
    connect(&window, &zor_config::sendSentData, this, [&] {
        stamps << clock.nsecsElapsed();
        // A reply shown in the status bar must not hide the progress.
        window.ui->statusBar->showMessage(QStringLiteral("Receive from network: VO1R-40"));
        auto *label = window.findChild<QLabel *>(QStringLiteral("labelSendAllProgress"));
        progress << (label && label->isVisibleTo(&window) ? label->text() : QString());
        lockedDuringRun = lockedDuringRun && !window.ui->actionSendAll->isEnabled() &&
                          !window.ui->actionReceiveAll->isEnabled() && !window.ui->actionLoad->isEnabled() &&
                          !window.ui->actionSave->isEnabled();
        if (stamps.size() == 10) {
            auto *cancel = window.findChild<QPushButton *>(QStringLiteral("pushButtonSendAllCancel"));
            QVERIFY(cancel && cancel->isVisibleTo(&window));
            cancel->click();
        }
    });
    window.sendAll();

    QCOMPARE(stamps.size(), 10); // stops after the command under way
    QVERIFY(lockedDuringRun);
    QCOMPARE(progress.first(), QStringLiteral("Sending 0 of 604"));
    QCOMPARE(progress.at(9), QStringLiteral("Sending 9 of 604"));
    for (int i = 1; i < stamps.size(); ++i)
        QVERIFY2(stamps[i] - stamps[i - 1] >= 50'000'000,
                 qPrintable(QStringLiteral("gap %1 ns").arg(stamps[i] - stamps[i - 1])));
    QVERIFY(window.ui->actionSendAll->isEnabled());
    QVERIFY(window.ui->actionReceiveAll->isEnabled());
    QVERIFY(window.ui->actionLoad->isEnabled());
    QVERIFY(window.ui->actionSave->isEnabled());
    QVERIFY(
        !window.findChild<QPushButton *>(QStringLiteral("pushButtonSendAllCancel"))->isVisibleTo(&window));
    QCOMPARE(window.ui->listViewGroup->currentIndex().row(), 4);
    QTRY_COMPARE(frames(peer.received).size(), 10);
}

void tst_send_all::progressTotalIsWhatARunSends_data()
{
    QTest::addColumn<QStringList>("replies"); // what the window has been told before the run
    QTest::newRow("fresh window") << QStringList{};
    QTest::newRow("a zone in every DSP mode, static address")
        << QStringList{"EO1M1", "EO2M2", "EO3M3", "EO4M4", "EO5M5", "DHCP0", "IP10.0.0.9"};
    QTest::newRow("DHCP on again") << QStringList{"EO7M1", "DHCP0", "DHCP1"};
}

// The progress counts the commands that a run sends, which are the lines a
// save of the same window writes.
void tst_send_all::progressTotalIsWhatARunSends()
{
    QFETCH(QStringList, replies);
    QTemporaryDir dir;
    zor_config window;
    for (const QString &reply : replies)
        window.parseCommand(reply.toUtf8());
    QVERIFY(window.saveConfiguration(dir.filePath("run.ZOR")));
    QFile file(dir.filePath("run.ZOR"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const int lines = file.readAll().count('\n');

    Peer peer;
    QVERIFY(peer.connect(window));
    QString firstProgress;
    connect(&window, &zor_config::sendSentData, this, [&] {
        if (!firstProgress.isNull())
            return;
        firstProgress = window.findChild<QLabel *>(QStringLiteral("labelSendAllProgress"))->text();
        window.findChild<QPushButton *>(QStringLiteral("pushButtonSendAllCancel"))->click();
    });
    window.sendAll();
    QCOMPARE(firstProgress, QStringLiteral("Sending 0 of %1").arg(lines));
}

void tst_send_all::secondRunCannotInterleave()
{
    zor_config window;
    int nested = 0;
    QTemporaryDir dir;
    bool saveRefused = false;
    connect(&window, &zor_config::sendSentData, this, [&] {
        if (++nested == 3) {
            window.sendAll(); // a second start during a pause does nothing
            window.sendQueryAll();
            saveRefused = !window.saveConfiguration(dir.filePath("during.ZOR"));
            window.findChild<QPushButton *>(QStringLiteral("pushButtonSendAllCancel"))->click();
        }
    });
    window.sendAll();
    QVERIFY(saveRefused);
    QVERIFY(!QFile::exists(dir.filePath("during.ZOR")));
    // Three commands of the run plus the Receive All query made by hand.
    QCOMPARE(nested, 4);
}

void tst_send_all::linkChangesDuringRunShowAfterIt()
{
    zor_config window;
    Peer peer;
    QVERIFY(peer.connect(window));
    MessageBoxCloser boxes;
    int commands = 0;
    bool enabledDuringRun = false;
    connect(&window, &zor_config::sendSentData, this, [&] {
        if (++commands == 3)
            window.serialOpen(QStringLiteral("/dev/zor-no-such-port")); // fails, closing the TCP link too
        if (commands == 4) {
            enabledDuringRun =
                window.ui->actionSendAll->isEnabled() || window.ui->actionReceiveAll->isEnabled();
            window.findChild<QPushButton *>(QStringLiteral("pushButtonSendAllCancel"))->click();
        }
    });
    window.sendAll();
    QCOMPARE(commands, 4);
    QVERIFY(!enabledDuringRun);
    QTRY_VERIFY(!boxes.seen.isEmpty());
    // No link is open any more: the actions stay disabled after the run.
    QVERIFY(!window.ui->actionSendAll->isEnabled());
    QVERIFY(!window.ui->actionReceiveAll->isEnabled());
    QVERIFY(window.ui->actionLoad->isEnabled());
}

void tst_send_all::stoppedRunLeavesNoFieldMarked_data()
{
    QTest::addColumn<bool>("dhcp");
    QTest::addColumn<QString>("typedBefore");
    QTest::addColumn<QString>("cancelAt");
    QTest::addColumn<QStringList>("sentOnLeaving");
    QTest::newRow("in the source names") << true << QString() << "[NI3\"Source Name 3\"]" << QStringList();
    QTest::newRow("in the zone names") << true << QString() << "[NO2\"Zone Name 2\"]" << QStringList();
    QTest::newRow("in the addresses") << false << QString() << "[IP192.168.0.13]" << QStringList();
    // What the user typed before the run, in a field the run did not reach,
    // is still sent when the field is left.
    QTest::newRow("zone name typed before") << true << "lineEditZoneName_9"
                                            << "[NI3\"Source Name 3\"]" << QStringList{"[NO9\"Den\"]"};
}

// A stopped run leaves no field marked as typed in: leaving a field that
// nobody typed in afterwards sends nothing.
void tst_send_all::stoppedRunLeavesNoFieldMarked()
{
    QFETCH(bool, dhcp);
    QFETCH(QString, typedBefore);
    QFETCH(QString, cancelAt);
    QFETCH(QStringList, sentOnLeaving);
    zor_config window;
    window.ui->checkBoxNetworkDHCP->setChecked(dhcp);
    if (!typedBefore.isEmpty()) {
        auto *field = window.findChild<QLineEdit *>(typedBefore);
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        editortest::typeText(field, QStringLiteral("Den"));
    }
    QString last;
    connect(&window, &zor_config::sendSentData, this, [&](const QString &command) {
        last = command;
        if (command == cancelAt)
            window.findChild<QPushButton *>(QStringLiteral("pushButtonSendAllCancel"))->click();
    });
    window.sendAll();
    QCOMPARE(last, cancelAt);

    QSignalSpy sent(&window, &zor_config::sendSentData);
    for (QLineEdit *field : typedFields(window))
        emit field->editingFinished();
    QCOMPARE(editortest::sentCommands(sent), sentOnLeaving);

    // Typing still marks a field.
    sent.clear();
    editortest::retypeAndReturn(window.findChild<QLineEdit *>(QStringLiteral("lineEditSourceName_7")),
                                QStringLiteral("Tape"));
    QCOMPARE(editortest::sentCommands(sent), QStringList{"[NI7\"Tape\"]"});
}

void tst_send_all::connectionLostStopsTheRun_data()
{
    QTest::addColumn<QString>("transport");
    QTest::addColumn<int>("dropAfter");
    QTest::addColumn<QString>("box");
    QTest::newRow("unit closes in the names") << "tcp" << 5 << "^Error\\|TCP socket error 1\\.$";
    QTest::newRow("unit closes in the volumes") << "tcp" << 40 << "^Error\\|TCP socket error 1\\.$";
    QTest::newRow("serial line hung up") << "serial" << 5 << "^Error\\|Serial port error \\d+\\.$";
}

// The run stops once the link has gone, reported once, and says so.
void tst_send_all::connectionLostStopsTheRun()
{
    QFETCH(QString, transport);
    QFETCH(int, dropAfter);
    QFETCH(QString, box);
    MessageBoxCloser boxes;
    zor_config window;
    SimulatedUnit unit;
    Line line;
    int commands = 0;
    int commandsWhenLost = -1;
    if (transport == QLatin1String("tcp")) {
        QVERIFY(unit.start({"--drop-after", QString::number(dropAfter)}));
        window.telnetOpen(unit.address());
        QTRY_VERIFY(window.tcpSocket->state() == QAbstractSocket::ConnectedState);
        connect(window.tcpSocket, &QAbstractSocket::errorOccurred, this, [&] {
            if (commandsWhenLost < 0)
                commandsWhenLost = commands;
        });
    } else {
        window.serialOpen(line.slaveName);
        QVERIFY(window.serialPort.isOpen());
        connect(&window.serialPort, &QSerialPort::errorOccurred, this,
                [&](QSerialPort::SerialPortError error) {
                    if (error != QSerialPort::NoError && commandsWhenLost < 0)
                        commandsWhenLost = commands;
                });
    }
    connect(&window, &zor_config::sendSentData, this, [&] {
        if (++commands == dropAfter && transport == QLatin1String("serial"))
            line.hangUp();
    });

    window.ui->actionSendAll->trigger();

    QCOMPARE(boxes.seen.size(), 1);
    QVERIFY2(QRegularExpression(box).match(boxes.seen.first()).hasMatch(), qPrintable(boxes.seen.first()));
    // Nothing was sent once the loss was seen; it cannot be seen before the
    // command that caused it.
    QVERIFY(commandsWhenLost >= dropAfter);
    QCOMPARE(commands, commandsWhenLost);
    QCOMPARE(window.ui->statusBar->currentMessage(),
             QStringLiteral("Send All stopped: connection lost after %1 of 604 commands.").arg(commands));
    QCOMPARE(window.statusLabel.text(), QStringLiteral("No Connection"));
    QVERIFY(window.ui->actionLoad->isEnabled());
    QVERIFY(window.ui->actionSave->isEnabled());
    // As after a link error outside a run: the two keep their enabled state.
    QVERIFY(window.ui->actionSendAll->isEnabled());
    QVERIFY(window.ui->actionReceiveAll->isEnabled());
    QVERIFY(
        !window.findChild<QPushButton *>(QStringLiteral("pushButtonSendAllCancel"))->isVisibleTo(&window));
}

QTEST_MAIN(tst_send_all)
#include "tst_send_all.moc"
