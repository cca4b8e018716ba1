// The device link of the main window: command routing, the TCP and serial
// transports against local peers, connection indications and errors.
#include <QtTest>

#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <unistd.h>

#include "app/zor_config.h"
#include "forms/zor_config_form.h"
#include "support/message_box_closer.h"
#include "support/simulated_unit.h"

namespace {

// The master side of a pseudo-terminal; the window opens the slave side as
// its serial port.
class PseudoTerminal
{
public:
    PseudoTerminal()
    {
        master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (master >= 0 && grantpt(master) == 0 && unlockpt(master) == 0)
            slaveName = QString::fromLocal8Bit(ptsname(master));
    }
    ~PseudoTerminal() { hangUp(); }
    void hangUp()
    {
        if (master >= 0)
            ::close(master);
        master = -1;
    }
    bool write(const QByteArray &bytes)
    {
        return ::write(master, bytes.constData(), bytes.size()) == bytes.size();
    }
    // Everything the window has written so far.
    QByteArray read()
    {
        char chunk[512];
        for (ssize_t n; (n = ::read(master, chunk, sizeof chunk)) > 0;)
            received.append(chunk, int(n));
        return received;
    }

    int master = -1;
    QString slaveName;
    QByteArray received;
};

// A loopback listener that never accepts: its queue of established
// connections (one entry for a backlog of 0) is filled by a connection of its
// own, so the kernel drops every further connection request unanswered.
class FullListener
{
public:
    FullListener()
    {
        listener = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (listener < 0 || ::bind(listener, reinterpret_cast<sockaddr *>(&address), length) != 0 ||
            ::listen(listener, 0) != 0 ||
            ::getsockname(listener, reinterpret_cast<sockaddr *>(&address), &length) != 0)
            return;
        filler = ::socket(AF_INET, SOCK_STREAM, 0);
        if (filler >= 0 && ::connect(filler, reinterpret_cast<sockaddr *>(&address), length) == 0)
            port = ntohs(address.sin_port);
    }
    ~FullListener()
    {
        for (const int fd : {filler, listener})
            if (fd >= 0)
                ::close(fd);
    }
    QString address() const { return QStringLiteral("127.0.0.1:%1").arg(port); }

    int listener = -1;
    int filler = -1;
    quint16 port = 0;
};

QString statusMessage(zor_config &window)
{
    return window.ui->statusBar->currentMessage();
}

QString receivedPane(zor_config &window)
{
    QCoreApplication::processEvents(); // the console adds lines when the event loop runs
    return window.consoleWindow->findChild<QPlainTextEdit *>(QStringLiteral("plainTextEditReceived"))
        ->toPlainText();
}

} // namespace

class tst_link : public QObject
{
    Q_OBJECT

private:
    MessageBoxCloser *boxes = nullptr;
    zor_config *window = nullptr;
    QTcpServer *server = nullptr;
    QString serverAddress;

    // Connects the window to the local server and returns the server's side
    // once the window has the connection up.
    QTcpSocket *connectPeer()
    {
        window->telnetOpen(serverAddress);
        if (!server->waitForNewConnection(5000))
            return nullptr;
        QTcpSocket *peer = server->nextPendingConnection();
        const bool up = QTest::qWaitFor(
            [this] { return window->tcpSocket->state() == QAbstractSocket::ConnectedState; }, 5000);
        return up ? peer : nullptr;
    }

private slots:
    void init()
    {
        boxes = new MessageBoxCloser(this);
        window = new zor_config;
        // The form makes the connection actions checkable and disables
        // Receive All and Send All; be sure of it whatever form is linked in.
        window->ui->actionSerial->setCheckable(true);
        window->ui->actionTelnet->setCheckable(true);
        window->ui->actionReceiveAll->setEnabled(false);
        window->ui->actionSendAll->setEnabled(false);
        server = new QTcpServer(this);
        QVERIFY(server->listen(QHostAddress::LocalHost));
        serverAddress = QStringLiteral("127.0.0.1:%1").arg(server->serverPort());
    }

    void cleanup()
    {
        delete window;
        delete server;
        delete boxes;
    }

    void routing_data()
    {
        QTest::addColumn<bool>("connected");
        QTest::addColumn<bool>("saving");
        QTest::newRow("nothing open") << false << false;
        QTest::newRow("connected") << true << false;
        QTest::newRow("saving, nothing open") << false << true;
        QTest::newRow("saving while connected") << true << true;
    }

    // While a save runs every command becomes one line of the file and
    // nothing goes to the unit; the console shows every command in any case.
    void routing()
    {
        QFETCH(bool, connected);
        QFETCH(bool, saving);
        QTcpSocket *peer = connected ? connectPeer() : nullptr;
        QVERIFY(!connected || peer);
        QTemporaryDir dir;
        window->configFile.setFileName(dir.filePath(QStringLiteral("out.ZOR")));
        if (saving)
            QVERIFY(window->configFile.open(QIODevice::WriteOnly));

        QSignalSpy sent(window, &zor_config::sendSentData);
        const QList<QByteArray> commands{"[VO3R-35]",
                                         "[SN1K\xc3\xbc"
                                         "che]",
                                         "[QX]"};
        for (const QByteArray &command : commands)
            window->sendCommand(command);

        QCOMPARE(sent.count(), 3);
        QCOMPARE(sent.at(1).at(0).toString(), QString::fromUtf8("[SN1K\xc3\xbc"
                                                                "che]"));
        if (saving) {
            QVERIFY(window->configFile.commit());
            QFile file(window->configFile.fileName());
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), commands.join('\n') + '\n');
        }
        if (connected) {
            // The peer's first bytes show whether anything came before.
            window->sendCommand("[MARK]");
            QByteArray got;
            QTRY_COMPARE(got += peer->readAll(), saving ? QByteArray("[MARK]") : commands.join() + "[MARK]");
        }
    }

    void tcpOpens()
    {
        window->ui->actionTelnet->setChecked(true); // as the menu leaves it
        QVERIFY(connectPeer());
        QCOMPARE(window->statusLabel.text(), serverAddress);
        QCOMPARE(statusMessage(*window),
                 QStringLiteral("Opened network connection to %1.").arg(serverAddress));
        QVERIFY(window->ui->actionTelnet->isChecked());
        QVERIFY(!window->ui->actionSerial->isChecked());
        QVERIFY(window->ui->actionReceiveAll->isEnabled());
        QVERIFY(window->ui->actionSendAll->isEnabled());
        QVERIFY(boxes->seen.isEmpty());
    }

    void tcpFails_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("message");
        QTest::newRow("refused") << QString() << "Error|TCP socket error 0.";
        QTest::newRow("not accepted in time") << "full"
                                              << "Error|TCP socket error 5.";
        QTest::newRow("port not a number") << "127.0.0.1:telnet"
                                           << "Error|TCP socket error 2.";
        QTest::newRow("port zero") << "127.0.0.1:0"
                                   << "Error|TCP socket error 2.";
        QTest::newRow("port too large") << "127.0.0.1:65536"
                                        << "Error|TCP socket error 2.";
        QTest::newRow("no host before port") << ":23"
                                             << "Error|TCP socket error 2.";
        QTest::newRow("empty address") << ""
                                       << "Error|TCP socket error 2.";
    }

    void tcpFails()
    {
        QFETCH(QString, address);
        QFETCH(QString, message);
        FullListener full;
        if (address.isNull()) {
            address = serverAddress;
            server->close(); // nobody listens there any more
        } else if (address == QLatin1String("full")) {
            QVERIFY(full.port != 0);
            address = full.address();
            window->connectTimeoutMs = 300;
        }
        window->ui->actionTelnet->setChecked(true);
        window->telnetOpen(address);
        QTRY_COMPARE(boxes->seen, QStringList{message});
        QCOMPARE(window->statusLabel.text(), QStringLiteral("No Connection"));
        QVERIFY(!window->ui->actionTelnet->isChecked());
        QVERIFY(!window->tcpSocket->isOpen());
        QCOMPARE(statusMessage(*window), QString());
        QVERIFY(!window->ui->actionReceiveAll->isEnabled());
    }

    // The connection comes up in the background: the window keeps handling
    // events, and says what it is doing, until the attempt ends.
    void connectKeepsWindowResponsive()
    {
        FullListener full;
        QVERIFY(full.port != 0);
        window->connectTimeoutMs = 1000;
        int ticksWhileConnecting = 0;
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, [this, &ticksWhileConnecting, &full] {
            if (statusMessage(*window) == QStringLiteral("Connecting to %1...").arg(full.address()))
                ++ticksWhileConnecting;
        });
        ticker.start(20);
        QElapsedTimer clock;
        clock.start();

        window->telnetOpen(full.address());
        QCOMPARE(statusMessage(*window), QStringLiteral("Connecting to %1...").arg(full.address()));
        QCOMPARE(window->statusLabel.text(), QStringLiteral("No Connection"));
        QVERIFY(boxes->seen.isEmpty());

        QTRY_COMPARE(boxes->seen, QStringList{QStringLiteral("Error|TCP socket error 5.")});
        QVERIFY(clock.elapsed() >= window->connectTimeoutMs);
        QVERIFY2(ticksWhileConnecting >= 10, qPrintable(QString::number(ticksWhileConnecting)));
        QCOMPARE(window->statusLabel.text(), QStringLiteral("No Connection"));
        QVERIFY(!window->ui->actionTelnet->isChecked());
    }

    void abandonedConnect_data()
    {
        QTest::addColumn<QString>("then");
        QTest::newRow("another network address") << "network";
        QTest::newRow("a serial port") << "serial";
        QTest::newRow("window closed") << "close";
    }

    // Choosing another link, or closing the window, while a connection is
    // still coming up drops that attempt without a word from it.
    void abandonedConnect()
    {
        QFETCH(QString, then);
        FullListener full;
        QVERIFY(full.port != 0);
        window->connectTimeoutMs = 300;
        window->show();
        window->telnetOpen(full.address());
        // Fires after the abandoned attempt's time limit would have.
        bool limitPassed = false;
        QTimer::singleShot(3 * window->connectTimeoutMs, [&limitPassed] { limitPassed = true; });

        SimulatedUnit unit;
        PseudoTerminal pty;
        QString label;
        if (then == QLatin1String("network")) {
            QVERIFY(unit.start());
            window->telnetOpen(unit.address());
            label = unit.address();
            QTRY_COMPARE(statusMessage(*window),
                         QStringLiteral("Opened network connection to %1.").arg(unit.address()));
        } else if (then == QLatin1String("serial")) {
            window->serialOpen(pty.slaveName);
            label = pty.slaveName;
        } else {
            window->close();
            label = QStringLiteral("No Connection");
        }
        QTRY_VERIFY(limitPassed);

        QVERIFY2(boxes->seen.isEmpty(), qPrintable(boxes->seen.join('\n')));
        QCOMPARE(window->statusLabel.text(), label);
        QCOMPARE(window->ui->actionTelnet->isChecked(), then == QLatin1String("network"));
        QCOMPARE(window->ui->actionSerial->isChecked(), then == QLatin1String("serial"));
        QCOMPARE(window->serialPort.isOpen(), then == QLatin1String("serial"));
        QCOMPARE(window->tcpSocket->state() == QAbstractSocket::ConnectedState,
                 then == QLatin1String("network"));
        if (then == QLatin1String("network")) {
            // The link is the unit's: it answers a query.
            QSignalSpy received(window, &zor_config::sendReceivedData);
            window->sendCommand("[SD2]");
            QTRY_VERIFY(received.count() >= 1);
            QCOMPARE(received.at(0).at(0).toString(), QStringLiteral("SD2"));
        }
    }

    void tcpRemoteClose()
    {
        QTcpSocket *peer = connectPeer();
        QVERIFY(peer);
        peer->close();
        QTRY_COMPARE(boxes->seen, QStringList{QStringLiteral("Error|TCP socket error 1.")});
        QCOMPARE(window->statusLabel.text(), QStringLiteral("No Connection"));
        QVERIFY(!window->ui->actionTelnet->isChecked());
        QVERIFY(!window->tcpSocket->isOpen());
        // Receive All and Send All keep their state, and so does the message.
        QVERIFY(window->ui->actionReceiveAll->isEnabled());
        QVERIFY(statusMessage(*window).startsWith(QStringLiteral("Opened network connection to")));
    }

    void tcpReceives_data()
    {
        QTest::addColumn<QList<QByteArray>>("chunks");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("one reply") << QList<QByteArray>{"VO3R-35\r\n"} << QStringList{"VO3R-35"};
        QTest::newRow("two replies in one write")
            << QList<QByteArray>{"VO1R-10\nVO2R-20\n"} << QStringList{"VO1R-10", "VO2R-20"};
        QTest::newRow("reply split over writes")
            << QList<QByteArray>{"VO1", "R-10\r", "\nVO2R-20\n"} << QStringList{"VO1R-10", "VO2R-20"};
        QTest::newRow("empty line") << QList<QByteArray>{"\r\n"} << QStringList{""};
        QTest::newRow("zero byte inside")
            << QList<QByteArray>{QByteArray("AB\0CD\n", 6)} << QStringList{"AB"};
        QTest::newRow("UTF-8 name") << QList<QByteArray>{"SN1K\xc3\xbc"
                                                         "che\n"}
                                    << QStringList{QString::fromUtf8("SN1K\xc3\xbc"
                                                                     "che")};
    }

    // Every line goes to the console and the status bar, once and in order.
    void tcpReceives()
    {
        QFETCH(QList<QByteArray>, chunks);
        QFETCH(QStringList, lines);
        QTcpSocket *peer = connectPeer();
        QVERIFY(peer);
        QSignalSpy received(window, &zor_config::sendReceivedData);
        for (const QByteArray &chunk : chunks) {
            peer->write(chunk);
            QVERIFY(peer->waitForBytesWritten(5000));
        }
        QTRY_COMPARE(received.count(), lines.size());
        QStringList got;
        for (const QList<QVariant> &args : received)
            got << args.at(0).toString();
        QCOMPARE(got, lines);
        QCOMPARE(statusMessage(*window), QStringLiteral("Receive from network: ") + lines.last());
        QCOMPARE(receivedPane(*window), lines.join('\n'));
    }

    // A peer that never ends its line cannot grow the buffer without bound;
    // the link keeps working and the next line is handled.
    void tcpOverlongLine()
    {
        QTcpSocket *peer = connectPeer();
        QVERIFY(peer);
        QSignalSpy received(window, &zor_config::sendReceivedData);
        peer->write(QByteArray(4096, 'x'));
        QTRY_COMPARE(receivedPane(*window), QStringLiteral("(discarded 4096 bytes without a line end)"));
        peer->write("VO1R-10\n");
        QTRY_COMPARE(received.count(), 1);
        QCOMPARE(received.at(0).at(0).toString(), QStringLiteral("VO1R-10"));
        QVERIFY(window->tcpSocket->isOpen());
    }

    // The start of a line from a closed connection must not stick to the
    // first line of the next one.
    void reopenDropsPartialLine()
    {
        QTcpSocket *peer = connectPeer();
        QVERIFY(peer);
        QSignalSpy received(window, &zor_config::sendReceivedData);
        peer->write("VO1R-1\nVO2R");
        QTRY_COMPARE(received.count(), 1);
        QTcpSocket *second = connectPeer();
        QVERIFY(second);
        second->write("VO3R-3\n");
        QTRY_COMPARE(received.count(), 2);
        QCOMPARE(received.at(1).at(0).toString(), QStringLiteral("VO3R-3"));
    }

    // Receive All's answer may come in bits: the report waits until the
    // unit has been quiet for the whole interval, counting every line.
    void receiveAllWaitsForQuiet()
    {
        QTcpSocket *peer = connectPeer();
        QVERIFY(peer);
        window->receiveAllQuietMs = 600;
        window->ui->actionReceiveAll->trigger();
        // One line every 300 ms: the unit is never quiet for 600 ms until
        // the last one is in; four settings are not a whole answer.
        QList<QByteArray> lines{"VO1R-10\r\n", "VO2R-20\r\n", "VO3R-30\r\n", "VO4R-40\r\n"};
        QStringList shownMeanwhile;
        QTimer pace;
        connect(&pace, &QTimer::timeout, [&] {
            if (lines.isEmpty())
                return;
            shownMeanwhile << statusMessage(*window);
            peer->write(lines.takeFirst());
        });
        pace.start(300);
        QTRY_COMPARE_WITH_TIMEOUT(statusMessage(*window),
                                  QStringLiteral("Receive All: The unit answered 4 of 847 settings."), 10000);
        QVERIFY(lines.isEmpty());
        for (const QString &message : shownMeanwhile)
            QVERIFY2(!message.startsWith(QStringLiteral("Receive All:")), qPrintable(message));
    }

    void serialLink()
    {
        PseudoTerminal pty;
        QVERIFY(!pty.slaveName.isEmpty());
        QTcpSocket *peer = connectPeer();
        QVERIFY(peer);

        window->serialOpen(pty.slaveName);
        QVERIFY(boxes->seen.isEmpty());
        QCOMPARE(window->statusLabel.text(), pty.slaveName);
        QCOMPARE(statusMessage(*window), QStringLiteral("Opened serial port %1.").arg(pty.slaveName));
        QVERIFY(window->ui->actionSerial->isChecked());
        QVERIFY(!window->ui->actionTelnet->isChecked());
        QVERIFY(window->ui->actionSendAll->isEnabled());
        // Opening the serial port closed the network connection.
        QVERIFY(!window->tcpSocket->isOpen());
        QTRY_COMPARE(peer->state(), QAbstractSocket::UnconnectedState);

        window->sendCommand("[VO3R-35]");
        window->sendCommand("[QX]");
        QTRY_COMPARE(pty.read(), QByteArray("[VO3R-35][QX]"));

        QSignalSpy received(window, &zor_config::sendReceivedData);
        QVERIFY(pty.write("VO3R-35\r\nVO4"));
        QVERIFY(pty.write("R-1\n"));
        QTRY_COMPARE(received.count(), 2);
        QCOMPARE(received.at(1).at(0).toString(), QStringLiteral("VO4R-1"));
        QCOMPARE(statusMessage(*window), QStringLiteral("Receive from serial: VO4R-1"));
    }

    // The adapter going away (here: the other end of the line hangs up) is
    // reported and closes the port instead of leaving a dead link open.
    void serialHangUp()
    {
        PseudoTerminal pty;
        window->serialOpen(pty.slaveName);
        QVERIFY(window->serialPort.isOpen());
        pty.hangUp();
        QTRY_COMPARE(boxes->seen.size(), 1);
        QVERIFY2(QRegularExpression(QStringLiteral("^Error\\|Serial port error \\d+\\.$"))
                     .match(boxes->seen.first())
                     .hasMatch(),
                 qPrintable(boxes->seen.first()));
        QVERIFY(!window->serialPort.isOpen());
        QVERIFY(!window->ui->actionSerial->isChecked());
        QCOMPARE(window->statusLabel.text(), QStringLiteral("No Connection"));
    }

    void serialOpenNames_data()
    {
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<bool>("opens");
        QTest::newRow("as listed") << QString() << true;
        // Busy when the list was read, free now: the port itself is opened.
        QTest::newRow("marked busy") << " - BUSY!" << true;
        QTest::newRow("no such port") << "-missing" << false;
    }

    void serialOpenNames()
    {
        QFETCH(QString, suffix);
        QFETCH(bool, opens);
        PseudoTerminal pty;
        QTcpSocket *peer = connectPeer();
        QVERIFY(peer);
        window->serialOpen(pty.slaveName + suffix);
        const QString name = opens ? pty.slaveName : pty.slaveName + suffix;
        QCOMPARE(window->serialPort.isOpen(), opens);
        QCOMPARE(window->statusLabel.text(), opens ? name : QStringLiteral("No Connection"));
        QCOMPARE(boxes->seen,
                 opens ? QStringList()
                       : QStringList{QStringLiteral("Error|Failed to open serial port %1.").arg(name)});
        QCOMPARE(window->ui->actionSerial->isChecked(), opens);
        QVERIFY(!window->ui->actionTelnet->isChecked());
        QCOMPARE(window->ui->actionReceiveAll->isEnabled(), opens);
        QCOMPARE(window->ui->actionSendAll->isEnabled(), opens);
        QVERIFY(!window->tcpSocket->isOpen());
    }

    // The port list is read again when the dialog opens; a device path
    // typed into it survives that and is what OK opens.
    void serialDialogTypedPath()
    {
        PseudoTerminal pty;
        auto *combo = window->serialDialog.findChild<QComboBox *>(QStringLiteral("comboBox"));
        QVERIFY(combo->isEditable());
        combo->setEditText(pty.slaveName);
        window->serialDialog.show();
        QCOMPARE(combo->currentText(), pty.slaveName);
        QSignalSpy accepted(&window->serialDialog, &QDialog::accepted);
        window->serialDialog.findChild<QPushButton *>(QStringLiteral("pushButtonOk"))->click();
        QCOMPARE(accepted.count(), 1);
        QVERIFY(window->serialPort.isOpen());
        QCOMPARE(window->statusLabel.text(), pty.slaveName);
        QCOMPARE(combo->findText(pty.slaveName), -1); // typing adds no entry
    }

    void cancelResyncs_data()
    {
        QTest::addColumn<bool>("serialDialog");
        QTest::addColumn<QString>("open");
        QTest::newRow("serial cancelled, nothing open") << true << "";
        QTest::newRow("serial cancelled, serial open") << true << "serial";
        QTest::newRow("serial cancelled, network open") << true << "network";
        QTest::newRow("network cancelled, nothing open") << false << "";
        QTest::newRow("network cancelled, network open") << false << "network";
        QTest::newRow("network cancelled, serial open") << false << "serial";
    }

    // Choosing the action toggles its check mark before the dialog opens;
    // cancelling puts it back to the state of the link and changes nothing else.
    void cancelResyncs()
    {
        QFETCH(bool, serialDialog);
        QFETCH(QString, open);
        PseudoTerminal pty;
        if (open == QLatin1String("serial"))
            window->serialOpen(pty.slaveName);
        if (open == QLatin1String("network"))
            QVERIFY(connectPeer());
        const QString label = window->statusLabel.text();

        QAction *action = serialDialog ? window->ui->actionSerial : window->ui->actionTelnet;
        action->toggle();
        if (serialDialog)
            window->serialCheck();
        else
            window->telnetCheck();

        QCOMPARE(action->isChecked(),
                 serialDialog ? open == QLatin1String("serial") : open == QLatin1String("network"));
        QCOMPARE(window->serialPort.isOpen(), open == QLatin1String("serial"));
        QCOMPARE(window->tcpSocket->isOpen(), open == QLatin1String("network"));
        QCOMPARE(window->statusLabel.text(), label);
    }

    // Waiting lets events through and lasts at least as long as asked.
    void delayWaits_data()
    {
        QTest::addColumn<int>("ms");
        QTest::newRow("0 ms") << 0;
        QTest::newRow("1 ms") << 1;
        QTest::newRow("25 ms") << 25;
        QTest::newRow("120 ms") << 120;
    }

    void delayWaits()
    {
        QFETCH(int, ms);
        bool posted = false;
        QObject context; // the call dies with the test if delay never ran it
        QTimer::singleShot(0, &context, [&posted] { posted = true; });
        QElapsedTimer clock;
        clock.start();
        window->delay(ms);
        QVERIFY(clock.elapsed() >= ms);
        QCOMPARE(posted, ms > 0);
    }
};

QTEST_MAIN(tst_link)
#include "tst_link.moc"
