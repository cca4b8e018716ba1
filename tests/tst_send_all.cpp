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
    void pacingProgressAndCancel();
    void oneRunAtATime_data();
    void oneRunAtATime();
    void linkChangeStopsTheRun_data();
    void linkChangeStopsTheRun();
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
    QTRY_COMPARE(window.currentRun(), zor_config::Run::None);

    QCOMPARE(stamps.size(), 10); // stops after the command under way
    QVERIFY(lockedDuringRun);
    QCOMPARE(progress.first(), QStringLiteral("Sending 0 of 604"));
    QCOMPARE(progress.at(9), QStringLiteral("Sending 9 of 604"));
    for (int i = 1; i < stamps.size(); ++i)
        QVERIFY2(stamps[i] - stamps[i - 1] >= 50'000'000,
                 qPrintable(QStringLiteral("gap %1 ns").arg(stamps[i] - stamps[i - 1])));
    QCOMPARE(window.statusBar()->currentMessage(),
             QStringLiteral("Send All cancelled after 10 of 604 commands."));
    QVERIFY(window.ui->actionSendAll->isEnabled());
    QVERIFY(window.ui->actionReceiveAll->isEnabled());
    QVERIFY(window.ui->actionLoad->isEnabled());
    QVERIFY(window.ui->actionSave->isEnabled());
    QVERIFY(
        !window.findChild<QPushButton *>(QStringLiteral("pushButtonSendAllCancel"))->isVisibleTo(&window));
    QCOMPARE(window.ui->listViewGroup->currentIndex().row(), 4);
    QTRY_COMPARE(frames(peer.received).size(), 10);
}

void tst_send_all::oneRunAtATime_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("cancelled");
    QTest::newRow("Receive All") << "actionReceiveAll"
                                 << "Reading cancelled after 0 of 847 settings.";
    QTest::newRow("Compare") << "actionCompare"
                             << "Reading cancelled after 0 of 847 settings.";
    QTest::newRow("Send Changes") << "actionSendChanges"
                                  << "Reading cancelled after 0 of 847 settings.";
    QTest::newRow("Send All") << "actionSendAll"
                              << "Send All cancelled after 1 of 604 commands.";
}

// While a reading or a run lasts nothing else that talks to the unit can
// start, nor a file be loaded or saved; its Cancel button ends it.
void tst_send_all::oneRunAtATime()
{
    QFETCH(QString, action);
    QFETCH(QString, cancelled);
    zor_config window;
    Peer peer; // answers nothing
    QVERIFY(peer.connect(window));
    QTemporaryDir dir;
    QSignalSpy sent(&window, &zor_config::sendSentData);
    window.findChild<QAction *>(action)->trigger();
    QVERIFY(window.currentRun() != zor_config::Run::None);
    const int started = sent.count();

    const QList<QAction *> others{window.ui->actionReceiveAll, window.ui->actionSendAll,
                                  window.ui->actionCompare,    window.ui->actionSendChanges,
                                  window.ui->actionLoad,       window.ui->actionSave};
    for (QAction *other : others)
        QVERIFY2(!other->isEnabled(), qPrintable(other->objectName()));
    window.sendQueryAll();
    window.sendAll();
    window.compareWithUnit();
    window.sendChanges();
    QVERIFY(!window.saveConfiguration(dir.filePath("during.ZOR")));
    QVERIFY(!QFile::exists(dir.filePath("during.ZOR")));
    QCOMPARE(sent.count(), started);

    window.findChild<QPushButton *>(QStringLiteral("pushButtonSendAllCancel"))->click();
    QCOMPARE(window.currentRun(), zor_config::Run::None);
    QCOMPARE(window.statusBar()->currentMessage(), cancelled);
    for (QAction *other : others)
        QVERIFY2(other->isEnabled(), qPrintable(other->objectName()));
}

void tst_send_all::linkChangeStopsTheRun_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("stopped");
    QTest::newRow("Send All") << "actionSendAll"
                              << "Send All stopped: connection lost after 3 of 604 commands.";
    QTest::newRow("Receive All") << "actionReceiveAll"
                                 << "Reading stopped: connection lost after 2 of 847 settings.";
    QTest::newRow("Compare") << "actionCompare"
                             << "Reading stopped: connection lost after 2 of 847 settings.";
}

// Opening another link stops what runs on the old one, and says so.
void tst_send_all::linkChangeStopsTheRun()
{
    QFETCH(QString, action);
    QFETCH(QString, stopped);
    zor_config window;
    Peer peer;
    QVERIFY(peer.connect(window));
    MessageBoxCloser boxes;
    int commands = 0;
    connect(&window, &zor_config::sendSentData, this, [&](const QString &command) {
        ++commands;
        if (command == QLatin1String("[QX]"))
            peer.socket->write("VO1R-10\r\nVO2R-20\r\n");
        else if (commands == 3)
            window.serialOpen(QStringLiteral("/dev/zor-no-such-port")); // fails, closing the TCP link too
    });
    const QString reply = QStringLiteral("Receive from network: VO2R-20");
    window.findChild<QAction *>(action)->trigger();
    if (action != QLatin1String("actionSendAll")) {
        QTRY_COMPARE(window.statusBar()->currentMessage(), reply);
        window.serialOpen(QStringLiteral("/dev/zor-no-such-port"));
    }
    QTRY_COMPARE(window.currentRun(), zor_config::Run::None);
    QTRY_VERIFY(!boxes.seen.isEmpty());
    QCOMPARE(window.statusBar()->currentMessage(), stopped);
    // No link is open any more: the actions stay disabled after the run.
    QVERIFY(!window.ui->actionSendAll->isEnabled());
    QVERIFY(!window.ui->actionReceiveAll->isEnabled());
    QVERIFY(window.ui->actionLoad->isEnabled());
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
    QTRY_COMPARE_WITH_TIMEOUT(window.currentRun(), zor_config::Run::None, 30000);
    QTRY_VERIFY(!boxes.seen.isEmpty());

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
