// SDDP discovery: the search we send, the answers we list, and the network
// dialog around them. Nothing is sent beyond this machine: answers go to
// 127.0.0.1, to the port the dialog was given instead of the SDDP port (which
// a running utility or simulated unit may share), and the search is pointed
// at a local socket.
#include <QtTest>

#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QNetworkDatagram>
#include <QNetworkInterface>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QUdpSocket>

#include "app/zor_config.h"
#include "forms/zor_config_form.h"
#include "link/sddp.h"
#include "link/telnet_dialog.h"
#include "support/message_box_closer.h"

namespace {

const QByteArray ZorAnswer = "NOTIFY ALIVE SDDP/1.0\r\n"
                             "From: \"%1:1902\"\r\n"
                             "Host: \"ZOR-unit\"\r\n"
                             "Type: \"KX:ZOR\"\r\n";

QByteArray answerFrom(const char *address)
{
    return QString::fromLatin1(ZorAnswer).arg(QLatin1String(address)).toLatin1();
}

// The visible message box, if any.
QMessageBox *visibleBox()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        auto *box = qobject_cast<QMessageBox *>(widget);
        if (box && box->isVisible())
            return box;
    }
    return nullptr;
}

// Holds a UDP port exclusively and makes the discovery sockets of dialogs
// made meanwhile bind it, so that their bind fails.
class HeldDiscoveryPort
{
public:
    HeldDiscoveryPort()
    {
        if (holder.bind(QHostAddress::AnyIPv4, 0, QUdpSocket::DontShareAddress))
            telnet_dialog::setDiscoveryPort(holder.localPort());
    }
    ~HeldDiscoveryPort() { telnet_dialog::setDiscoveryPort(0); }
    bool held() const { return holder.state() == QAbstractSocket::BoundState; }

private:
    QUdpSocket holder;
};

QStringList rows(QListWidget *list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

} // namespace

class tst_sddp : public QObject
{
    Q_OBJECT

private:
    MessageBoxCloser *boxes = nullptr;
    telnet_dialog *dialog = nullptr;
    QUdpSocket sender;

    QListWidget *list() { return dialog->findChild<QListWidget *>(QStringLiteral("listWidget")); }
    QLineEdit *addressField() { return dialog->findChild<QLineEdit *>(QStringLiteral("lineEditIPAddress")); }

#define REQUIRE_LISTENING()                                                                                  \
    if (!dialog->isListening())                                                                              \
        QSKIP("The discovery socket could not bind or join the group here; answers cannot arrive.");

    // Delivers the datagrams to the dialog's socket, then a last answer from
    // 10.99.99.99; once that one is listed, every earlier one was handled.
    bool deliver(const QList<QByteArray> &datagrams)
    {
        for (const QByteArray &datagram : datagrams + QList<QByteArray>{answerFrom("10.99.99.99")}) {
            if (sender.writeDatagram(datagram, QHostAddress::LocalHost, dialog->discoveryPort()) !=
                datagram.size())
                return false;
        }
        return QTest::qWaitFor(
            [this] { return list()->count() > 0 && rows(list()).endsWith("10.99.99.99"); });
    }

private slots:
    void init()
    {
        boxes = new MessageBoxCloser(this);
        dialog = new telnet_dialog;
    }

    void cleanup()
    {
        delete dialog;
        delete boxes;
    }

    void searchDatagram_data()
    {
        QTest::addColumn<QString>("local");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("with an address") << "192.168.0.20"
                                         << QByteArray("SEARCH * SDDP/1.0\r\nFrom: \"192.168.0.20\"\r\n"
                                                       "Tran: 38359\r\nTimeout: 10\r\n");
        QTest::newRow("no address")
            << "" << QByteArray("SEARCH * SDDP/1.0\r\nFrom: \"\"\r\nTran: 38359\r\nTimeout: 10\r\n");
    }

    void searchDatagram()
    {
        QFETCH(QString, local);
        QFETCH(QByteArray, bytes);
        QCOMPARE(sddp::searchDatagram(local), bytes);
    }

    void localAddress_data()
    {
        QTest::addColumn<QStringList>("addresses");
        QTest::addColumn<QString>("local");
        QTest::newRow("loopback and IPv6 skipped")
            << QStringList{"127.0.0.1", "::1", "fe80::1", "10.0.0.5", "10.0.0.6"} << "10.0.0.5";
        QTest::newRow("only loopback") << QStringList{"127.0.0.1", "::1"} << "";
        QTest::newRow("none") << QStringList{} << "";
    }

    void localAddress()
    {
        QFETCH(QStringList, addresses);
        QFETCH(QString, local);
        QList<QHostAddress> hostAddresses;
        for (const QString &address : addresses)
            hostAddresses << QHostAddress(address);
        QCOMPARE(sddp::localAddress(hostAddresses), local);
    }

    void unitAddress_data()
    {
        QTest::addColumn<QByteArray>("datagram");
        QTest::addColumn<QString>("address");
        QTest::newRow("address with port") << answerFrom("192.168.0.50") << "192.168.0.50";
        QTest::newRow("From after Type")
            << QByteArray("Type: \"KX:ZOR\"\r\nFrom: \"10.1.2.3\"\r\n") << "10.1.2.3";
        QTest::newRow("other product type")
            << QByteArray("From: \"192.168.0.51:1902\"\r\nType: \"KX:ZAP\"\r\n") << "";
        QTest::newRow("no From header") << QByteArray("Type: \"KX:ZOR\"\r\n") << "";
        QTest::newRow("From with a host name")
            << QByteArray("Type: \"KX:ZOR\"\r\nFrom: \"unit.local\"\r\n") << "";
        QTest::newRow("type hidden behind a zero byte")
            << QByteArray("From: \"192.168.0.52\"\r\n") + '\0' + QByteArray("Type: \"KX:ZOR\"\r\n") << "";
        QTest::newRow("our own search") << sddp::searchDatagram(QStringLiteral("192.168.0.20")) << "";
        QTest::newRow("empty") << QByteArray() << "";
    }

    void unitAddress()
    {
        QFETCH(QByteArray, datagram);
        QFETCH(QString, address);
        QCOMPARE(sddp::unitAddress(datagram), address);
    }

    void answersListed_data()
    {
        QTest::addColumn<QList<QByteArray>>("answers");
        QTest::addColumn<QStringList>("listed");
        QTest::newRow("right type, address only")
            << QList<QByteArray>{answerFrom("192.168.0.50")} << QStringList{"192.168.0.50"};
        QTest::newRow("other type ignored")
            << QList<QByteArray>{QByteArray("From: \"192.168.0.51\"\r\nType: \"KX:ZAP\"\r\n")}
            << QStringList{};
        QTest::newRow("same unit twice")
            << QList<QByteArray>{answerFrom("192.168.0.50"), answerFrom("192.168.0.50")}
            << QStringList{"192.168.0.50", "192.168.0.50"};
        QTest::newRow("in order of arrival")
            << QList<QByteArray>{answerFrom("192.168.0.9"), QByteArray("junk"), answerFrom("192.168.0.7")}
            << QStringList{"192.168.0.9", "192.168.0.7"};
    }

    void answersListed()
    {
        REQUIRE_LISTENING();
        QFETCH(QList<QByteArray>, answers);
        QFETCH(QStringList, listed);
        QVERIFY(deliver(answers));
        QCOMPARE(rows(list()), listed + QStringList{"10.99.99.99"});
    }

    // Making a row current copies it into the address field; OK hands the
    // field's text on and closes the dialog.
    void rowChosenAndSent()
    {
        REQUIRE_LISTENING();
        QVERIFY(deliver({answerFrom("192.168.0.50")}));
        QCOMPARE(addressField()->text(), QStringLiteral("192.168.0.243"));
        list()->setCurrentRow(0);
        QCOMPARE(addressField()->text(), QStringLiteral("192.168.0.50"));

        QSignalSpy selected(dialog, &telnet_dialog::portIPSelected);
        QSignalSpy accepted(dialog, &QDialog::accepted);
        dialog->findChild<QPushButton *>(QStringLiteral("pushButtonOk"))->click();
        QCOMPARE(selected.count(), 1);
        QCOMPARE(selected.at(0).at(0).toString(), QStringLiteral("192.168.0.50"));
        QCOMPARE(accepted.count(), 1);
    }

    // Detect empties the list and sends the search as one datagram.
    void detectSendsSearch()
    {
        REQUIRE_LISTENING();
        QVERIFY(deliver({answerFrom("192.168.0.50")}));
        QUdpSocket target;
        QVERIFY(target.bind(QHostAddress(QHostAddress::LocalHost), 0));
        dialog->setSearchTarget(QHostAddress::LocalHost, target.localPort());
        dialog->findChild<QPushButton *>(QStringLiteral("pushButtonDetect"))->click();
        QCOMPARE(list()->count(), 0);
        QTRY_VERIFY(target.hasPendingDatagrams());
        QCOMPARE(target.receiveDatagram().data(),
                 sddp::searchDatagram(sddp::localAddress(QNetworkInterface::allAddresses())));
    }

    // A dialog of its own (no window) shows the box about a port that cannot
    // be bound as soon as the event loop runs; its construction (and so the
    // main window's) is not held up by it.
    void bindFailureReported()
    {
        delete dialog;
        dialog = nullptr;
        HeldDiscoveryPort port;
        QVERIFY(port.held());
        telnet_dialog blocked;
        QVERIFY(!blocked.isListening());
        QCOMPARE(blocked.discoveryPort(), quint16(0));
        QTRY_COMPARE(boxes->seen, QStringList{QStringLiteral("Error|Failed to bind SDDP socket.")});
    }

    // In the utility the box waits for the main window and comes up over it:
    // a box over a dialog that is never shown could hide behind the window it
    // blocks. It can still be dismissed.
    void startupErrorOverMainWindow()
    {
        delete boxes;
        boxes = nullptr;
        HeldDiscoveryPort port;
        QVERIFY(port.held());
        zor_config window;
        QVERIFY(!window.telnetDialog.isListening());
        QCoreApplication::processEvents();
        QCOMPARE(visibleBox(), nullptr);

        window.show();
        QTRY_VERIFY(visibleBox() != nullptr);
        QMessageBox *box = visibleBox();
        QCOMPARE(box->text(), QStringLiteral("Failed to bind SDDP socket."));
        QCOMPARE(box->windowTitle(), QStringLiteral("Error"));
        QCOMPARE(box->parentWidget(), &window);
        QVERIFY(box->windowHandle() && window.windowHandle());
        QCOMPARE(box->windowHandle()->transientParent(), window.windowHandle());
        QCOMPARE(box->windowModality(), Qt::ApplicationModal);

        boxes = new MessageBoxCloser(this);
        QTRY_COMPARE(boxes->seen, QStringList{QStringLiteral("Error|Failed to bind SDDP socket.")});
        QTRY_COMPARE(visibleBox(), nullptr);
        QCOMPARE(window.findChildren<QMessageBox *>().size(), 0);
    }

    // A window whose discovery socket is bound shows no box.
    void noBoxWhenBound()
    {
        zor_config window;
        QVERIFY(window.telnetDialog.discoveryPort() != 0);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCoreApplication::processEvents();
        QCOMPARE(boxes->seen, QStringList{});
    }

    // A flood of answers cannot grow the list without bound.
    void listIsCapped()
    {
        REQUIRE_LISTENING();
        QList<QByteArray> flood;
        for (int i = 0; i < sddp::MaxListedUnits + 20; ++i)
            flood << answerFrom("192.168.1.1");
        for (const QByteArray &datagram : flood)
            QCOMPARE(sender.writeDatagram(datagram, QHostAddress::LocalHost, dialog->discoveryPort()),
                     qint64(datagram.size()));
        QUdpSocket *socket = dialog->findChild<QUdpSocket *>();
        QTRY_COMPARE(list()->count(), sddp::MaxListedUnits);
        QTRY_VERIFY(!socket->hasPendingDatagrams());
        QCOMPARE(list()->count(), sddp::MaxListedUnits);
    }

    // The whole road on this host: a simulated unit sharing the window's
    // discovery port answers the window's search, its row holds the address
    // alone, and OK connects to it. The search goes to the discovery group, so
    // the test runs only where the group stays on loopback (make test runs the
    // suite in such a network namespace).
    void detectFindsSimulatedUnit()
    {
        for (const QNetworkInterface &interface : QNetworkInterface::allInterfaces()) {
            if ((interface.flags() & QNetworkInterface::IsUp) &&
                !(interface.flags() & QNetworkInterface::IsLoopBack))
                QSKIP("A search here would leave this host; run it in a loopback-only network namespace.");
        }
        zor_config window;
        telnet_dialog &network = window.telnetDialog;
        if (!network.isListening())
            QSKIP("The discovery socket could not bind or join the group here.");
        const quint16 port = network.discoveryPort();
        network.setSearchTarget(sddp::multicastGroup(), port);

        // The unit's own port 23 where it may be bound (root in a namespace of
        // its own), any free port otherwise.
        QProcess unit;
        quint16 tcpPort = 0;
        for (const char *tcp : {"23", "0"}) {
            unit.start(QStringLiteral(ZOR_UNIT_SIM_PATH),
                       {QStringLiteral("--port"), QLatin1String(tcp), QStringLiteral("--sddp-port"),
                        QString::number(port)});
            QVERIFY(unit.waitForStarted());
            QByteArray out;
            while (!out.contains("SDDP answering") && unit.waitForReadyRead(5000))
                out += unit.readAllStandardOutput();
            const int at = out.indexOf("listening on 127.0.0.1:");
            if (at >= 0) {
                tcpPort = quint16(out.mid(at + 23, out.indexOf('\n', at) - at - 23).trimmed().toUInt());
                break;
            }
            unit.waitForFinished(5000);
        }
        QVERIFY2(tcpPort != 0, "the simulated unit did not start");
        auto stopUnit = qScopeGuard([&unit] {
            unit.terminate();
            unit.waitForFinished(5000);
        });

        network.findChild<QPushButton *>(QStringLiteral("pushButtonDetect"))->click();
        auto *found = network.findChild<QListWidget *>(QStringLiteral("listWidget"));
        QTRY_COMPARE(rows(found), QStringList{QStringLiteral("127.0.0.1")});

        found->setCurrentRow(0);
        QLineEdit *address = network.findChild<QLineEdit *>(QStringLiteral("lineEditIPAddress"));
        QCOMPARE(address->text(), QStringLiteral("127.0.0.1"));
        if (tcpPort != 23)
            address->setText(address->text() + QLatin1Char(':') + QString::number(tcpPort));
        network.findChild<QPushButton *>(QStringLiteral("pushButtonOk"))->click();
        QTRY_COMPARE(window.statusLabel.text(), address->text());
        QVERIFY(window.ui->actionTelnet->isChecked());
        QVERIFY(boxes->seen.isEmpty());
    }
};

QTEST_MAIN(tst_sddp)
#include "tst_sddp.moc"
