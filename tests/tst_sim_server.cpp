#include <QtTest>

#include "protocol/core/line_framer.h"
#include "protocol/core/reply_decoder.h"
#include "sim/unit_state.h"

#include <QElapsedTimer>
#include <QNetworkDatagram>
#include <QProcess>
#include <QSerialPort>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QUdpSocket>

#include <memory>

namespace {

// One zor-unit-sim process on a free loopback port.
class Sim
{
public:
    explicit Sim(QStringList arguments)
    {
        process.setProgram(QStringLiteral(ZOR_UNIT_SIM_PATH));
        process.setArguments(QStringList{"--port", "0"} + arguments);
        QObject::connect(&process, &QProcess::readyReadStandardOutput,
                         [this] { output += QString::fromUtf8(process.readAllStandardOutput()); });
        process.start();
    }
    ~Sim()
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(5000);
        }
    }

    // Waits until the simulator has printed a line matching `pattern`; returns capture 1.
    QString waitFor(const QString &pattern)
    {
        const QRegularExpression expression(pattern);
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < 10000) {
            const QRegularExpressionMatch match = expression.match(output);
            if (match.hasMatch())
                return match.captured(1);
            if (process.state() == QProcess::NotRunning)
                break;
            process.waitForReadyRead(100);
        }
        return QString();
    }
    quint16 port()
    {
        return quint16(waitFor(QStringLiteral("listening on 127\\.0\\.0\\.1:(\\d+)")).toUInt());
    }

    QProcess process;
    QString output;
};

// A client connection that collects reply lines.
class Client
{
public:
    bool connectTo(quint16 port)
    {
        QObject::connect(&socket, &QTcpSocket::readyRead, [this] {
            const LineFramer::Result result = framer.feed(socket.readAll());
            lines += result.lines;
        });
        socket.connectToHost(QHostAddress::LocalHost, port);
        return socket.waitForConnected(5000);
    }
    void send(const QByteArray &bytes)
    {
        socket.write(bytes);
        socket.flush();
    }

    QTcpSocket socket;
    LineFramer framer;
    QByteArrayList lines;
};

} // namespace

class tst_sim_server : public QObject
{
    Q_OBJECT

private slots:
    void tcpAnswers_data();
    void tcpAnswers();
    void connectionsShareOneUnit();
    void serialAnswersOnlyWithSerialResponses();
    void dropAfter();
    void networkCommitDropsConnections();
    void silentStillChangesState();
    void endedRightAfterListeningStillDumps();
    void delayedAnswer();
    void garbageKeepsRealLinesWhole();
    void loadsFileAtStart();
    void refusesBadArguments_data();
    void refusesBadArguments();
    void sddpAnswer();
};

void tst_sim_server::tcpAnswers_data()
{
    QTest::addColumn<QByteArrayList>("writes");
    QTest::addColumn<QByteArrayList>("expected");

    QTest::newRow("one command") << QByteArrayList{"[VO3R-25]"} << QByteArrayList{"VO3R-25"};
    QTest::newRow("frames back to back") << QByteArrayList{"[VO3R-25][VUMO3][NO3\"Kitchen\"]"}
                                         << QByteArrayList{"VO3R-25", "VUMO3", "NO3\"Kitchen\""};
    QTest::newRow("split across writes")
        << QByteArrayList{"[EO2B", "3L-4][SD", "1]"} << QByteArrayList{"EO2B3L-4", "SD1"};
    QTest::newRow("ignored frames answer nothing")
        << QByteArrayList{"[XYZ][VO3R-99][NO1\"\"]garbage\r\n[SD2]"} << QByteArrayList{"SD2"};
    QTest::newRow("canonical numbers") << QByteArrayList{"[VO03R-05]"} << QByteArrayList{"VO3R-5"};
    QTest::newRow("UTF-8 name") << QByteArrayList{"[NI1\"\xe6\x97\xa5\xe6\x9c\xac\"]"}
                                << QByteArrayList{"NI1\"\xe6\x97\xa5\xe6\x9c\xac\""};
    QTest::newRow("all zones to maximum")
        << QByteArrayList{"[VXR0]"}
        << QByteArrayList{"VO1R0", "VO2R0",  "VO3R0",  "VO4R0",  "VO5R0",  "VO6R0",  "VO7R0",  "VO8R0",
                          "VO9R0", "VO10R0", "VO11R0", "VO12R0", "VO13R0", "VO14R0", "VO15R0", "VO16R0"};
}

void tst_sim_server::tcpAnswers()
{
    QFETCH(QByteArrayList, writes);
    QFETCH(QByteArrayList, expected);
    Sim sim({"--no-sddp"});
    const quint16 port = sim.port();
    QVERIFY(port != 0);
    Client client;
    QVERIFY(client.connectTo(port));
    for (const QByteArray &bytes : writes)
        client.send(bytes);
    QTRY_COMPARE(client.lines.size(), expected.size());
    QCOMPARE(client.lines, expected);
    // Nothing more was on its way: a further command's answer comes next.
    client.send("[FPL1]");
    QTRY_COMPARE(client.lines.size(), expected.size() + 1);
    QCOMPARE(client.lines.last(), QByteArray("FPL1"));
}

void tst_sim_server::connectionsShareOneUnit()
{
    Sim sim({"--no-sddp"});
    const quint16 port = sim.port();
    Client first;
    Client second;
    QVERIFY(first.connectTo(port));
    QVERIFY(second.connectTo(port));
    first.send("[VO5R-10][NG2\"Upstairs\"]");
    QTRY_COMPARE(first.lines.size(), 2);

    second.send("[QX]");
    const int expected = UnitState().dump().size();
    QTRY_COMPARE(second.lines.size(), expected);
    QVERIFY(second.lines.contains("VO5R-10"));
    QVERIFY(second.lines.contains("NG2\"Upstairs\""));
    // Only the asking connection gets the answer.
    QCOMPARE(first.lines.size(), 2);
}

void tst_sim_server::serialAnswersOnlyWithSerialResponses()
{
    Sim sim({"--no-sddp", "--pty"});
    QVERIFY(sim.port() != 0);
    const QString path = sim.waitFor(QStringLiteral("serial port (\\S+)"));
    QVERIFY2(!path.isEmpty(), qPrintable(sim.output));

    QSerialPort serial;
    serial.setPortName(path);
    QVERIFY2(serial.open(QIODevice::ReadWrite), qPrintable(serial.errorString()));
    serial.setBaudRate(QSerialPort::Baud9600);
    LineFramer framer;
    QByteArrayList lines;
    connect(&serial, &QSerialPort::readyRead, this, [&] { lines += framer.feed(serial.readAll()).lines; });

    // Serial responses are off at start: the volume is set but not answered,
    // so the first line to come is the answer to [SERIAL1].
    serial.write("[VO1R-5]");
    serial.write("[SERIAL1]");
    QTRY_VERIFY(!lines.isEmpty());
    QCOMPARE(lines.first(), QByteArray("SERIAL1"));

    serial.write("[QX]");
    QTRY_VERIFY(lines.contains("F10RO16"));
    QVERIFY(lines.contains("VO1R-5"));

    // A TCP connection sees the same unit.
    Client client;
    QVERIFY(client.connectTo(sim.port()));
    client.send("[SERIAL0][SD3]");
    QTRY_COMPARE(client.lines.size(), 2);
    lines.clear();
    serial.write("[SD2]");
    serial.write("[SERIAL1]");
    QTRY_VERIFY(!lines.isEmpty());
    QCOMPARE(lines.first(), QByteArray("SERIAL1"));
}

void tst_sim_server::dropAfter()
{
    Sim sim({"--no-sddp", "--drop-after", "2"});
    Client client;
    QVERIFY(client.connectTo(sim.port()));
    QSignalSpy closed(&client.socket, &QTcpSocket::disconnected);
    client.send("[SD1][SD2][SD3]");
    QVERIFY(closed.wait(5000));
    QCOMPARE(client.lines, (QByteArrayList{"SD1", "SD2"}));

    // The unit itself keeps running and kept only what it read.
    Client next;
    QVERIFY(next.connectTo(sim.port()));
    next.send("[QX]");
    QTRY_VERIFY(next.lines.contains("SD2"));
}

void tst_sim_server::networkCommitDropsConnections()
{
    Sim sim({"--no-sddp"});
    Client first;
    Client second;
    QVERIFY(first.connectTo(sim.port()));
    QVERIFY(second.connectTo(sim.port()));
    QSignalSpy firstClosed(&first.socket, &QTcpSocket::disconnected);
    QSignalSpy secondClosed(&second.socket, &QTcpSocket::disconnected);
    first.send("[IP10.0.0.9][EC]");
    QVERIFY(firstClosed.count() > 0 || firstClosed.wait(5000));
    QVERIFY(secondClosed.count() > 0 || secondClosed.wait(5000));
    QCOMPARE(first.lines, QByteArrayList{"IP10.0.0.9"});

    Client again;
    QVERIFY(again.connectTo(sim.port()));
    again.send("[QX]");
    QTRY_VERIFY(again.lines.contains("IP10.0.0.9"));
}

void tst_sim_server::silentStillChangesState()
{
    QTemporaryDir dir;
    const QString dump = dir.filePath(QStringLiteral("state.ZOR"));
    Sim sim({"--no-sddp", "--silent", "--dump-state-on-exit", dump});
    Client client;
    QVERIFY(client.connectTo(sim.port()));
    // A silent unit never answers, but [EC] still drops the connection, and
    // it is read after the frames before it.
    QSignalSpy closed(&client.socket, &QTcpSocket::disconnected);
    client.send("[SD1][QX][TRIGTIME15][EC]");
    QVERIFY(closed.count() > 0 || closed.wait(5000));
    sim.process.terminate();
    QVERIFY(sim.process.waitForFinished(5000));
    QCOMPARE(sim.process.exitCode(), 0);
    QVERIFY(client.lines.isEmpty());
    QVERIFY(client.framer.pending().isEmpty());

    UnitState kept;
    QString error;
    QVERIFY2(kept.loadFile(dump, &error), qPrintable(error));
    QCOMPARE(kept.settings().brightness, 1);
    QCOMPARE(kept.settings().triggerTime, 15);
}

// Whoever starts the unit may end it the moment it reports that it listens;
// the state is written all the same. A few runs, since the window is short.
void tst_sim_server::endedRightAfterListeningStillDumps()
{
    QTemporaryDir dir;
    for (int run = 0; run < 8; ++run) {
        const QString dump = dir.filePath(QStringLiteral("state%1.ZOR").arg(run));
        Sim sim({"--no-sddp", "--dump-state-on-exit", dump});
        QVERIFY(sim.port() != 0);
        sim.process.terminate();
        QVERIFY(sim.process.waitForFinished(5000));
        QCOMPARE(sim.process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(sim.process.exitCode(), 0);
        QFile written(dump);
        QVERIFY2(written.open(QIODevice::ReadOnly), qPrintable(QStringLiteral("run %1: no dump").arg(run)));
        QVERIFY(written.readAll().contains("[SD"));
    }
}

void tst_sim_server::delayedAnswer()
{
    Sim sim({"--no-sddp", "--delay", "300"});
    Client client;
    QVERIFY(client.connectTo(sim.port()));
    QElapsedTimer timer;
    timer.start();
    client.send("[SD1][SD2]");
    QTRY_COMPARE(client.lines.size(), 2);
    QVERIFY(timer.elapsed() >= 300);
    QCOMPARE(client.lines, (QByteArrayList{"SD1", "SD2"}));
}

void tst_sim_server::garbageKeepsRealLinesWhole()
{
    Sim sim({"--no-sddp", "--garbage", "--seed", "5"});
    Client client;
    QVERIFY(client.connectTo(sim.port()));
    client.send("[QX]");
    QTRY_VERIFY_WITH_TIMEOUT(client.lines.contains("F10RO16"), 10000);

    const QList<QByteArray> expected = UnitState().dump();
    QByteArrayList recognised;
    int junk = 0;
    for (const QByteArray &line : client.lines) {
        if (protocol::decodeReply(line).recognised())
            recognised << line;
        else
            ++junk;
    }
    QCOMPARE(recognised, expected);
    QVERIFY(junk > 0);
}

void tst_sim_server::loadsFileAtStart()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("start.ZOR"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[NI4\"Tuner\"]\n[EO2M1]\n[EO2B10L9]\n");
    file.close();

    Sim sim({"--no-sddp", path});
    Client client;
    QVERIFY(client.connectTo(sim.port()));
    client.send("[QX]");
    QTRY_VERIFY(client.lines.contains("F10RO16"));
    QVERIFY(client.lines.contains("NI4\"Tuner\""));
    QVERIFY(client.lines.contains("EO2M1"));
    QVERIFY(client.lines.contains("EO2B10L9"));
}

void tst_sim_server::refusesBadArguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("port not a number") << QStringList{"--port", "abc"} << 2;
    QTest::newRow("port too large") << QStringList{"--port", "70000"} << 2;
    QTest::newRow("bad delay") << QStringList{"--delay=-1"} << 2;
    QTest::newRow("bad listen address") << QStringList{"--listen", "nowhere"} << 2;
    QTest::newRow("bad --ignore expression") << QStringList{"--ignore", "(VO"} << 2;
    QTest::newRow("bad --partial-answer") << QStringList{"--partial-answer=-1"} << 2;
    QTest::newRow("missing file") << QStringList{"--port", "0", "/nonexistent/unit.ZOR"} << 1;
}

void tst_sim_server::refusesBadArguments()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QProcess process;
    process.start(QStringLiteral(ZOR_UNIT_SIM_PATH), arguments + QStringList{"--no-sddp"});
    QVERIFY(process.waitForFinished(10000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), exitCode);
    QVERIFY(!process.readAllStandardError().isEmpty());
}

void tst_sim_server::sddpAnswer()
{
    // A port of its own rather than 1902, which other tests running at the
    // same time use for the utility's own discovery socket.
    QUdpSocket searcher;
    QVERIFY(searcher.bind(QHostAddress(QHostAddress::LocalHost), 0));
    quint16 sddpPort = 0;
    {
        QUdpSocket probe;
        QVERIFY(probe.bind(QHostAddress(QHostAddress::LocalHost), 0));
        sddpPort = probe.localPort();
    }
    Sim sim({"--sddp-port", QString::number(sddpPort)});
    const quint16 port = sim.port();
    QVERIFY(port != 0);
    const QString bound = sim.waitFor(QStringLiteral("(SDDP answering|SDDP: cannot bind)"));
    if (bound != QLatin1String("SDDP answering"))
        QSKIP("no UDP port for SDDP available here");

    const QByteArray search = "SEARCH * SDDP/1.0\r\nFrom: \"127.0.0.1\"\r\nTran: 38359\r\nTimeout: 10\r\n";
    QCOMPARE(searcher.writeDatagram(search, QHostAddress::LocalHost, sddpPort), qint64(search.size()));
    QTRY_VERIFY_WITH_TIMEOUT(searcher.hasPendingDatagrams(), 5000);
    const QNetworkDatagram answer = searcher.receiveDatagram();
    const QString text = QString::fromUtf8(answer.data());

    QVERIFY(text.startsWith(QStringLiteral("NOTIFY ALIVE SDDP/1.0\r\n")));
    QVERIFY(text.contains(QStringLiteral("Type: \"KX:ZOR\"\r\n")));
    QVERIFY(text.contains(QStringLiteral("Host: \"zor-sim\"\r\n")));
    QVERIFY(text.contains(QStringLiteral("Primary-Proxy: \"")));
    QVERIFY(text.contains(QStringLiteral("From: \"127.0.0.1:%1\"\r\n").arg(port)));
    // What a discovering utility takes out of it: the address alone.
    const QRegularExpressionMatch from =
        QRegularExpression(QStringLiteral("From: \"([0-9]{1,3}\\.[0-9]{1,3}\\.[0-9]{1,3}\\.[0-9]{1,3})"))
            .match(text);
    QCOMPARE(from.captured(1), QStringLiteral("127.0.0.1"));

    // A datagram that is not a search gets no answer; the next search does.
    searcher.writeDatagram("NOTIFY ALIVE SDDP/1.0\r\n", QHostAddress::LocalHost, sddpPort);
    searcher.writeDatagram(search, QHostAddress::LocalHost, sddpPort);
    QTRY_VERIFY_WITH_TIMEOUT(searcher.hasPendingDatagrams(), 5000);
    QVERIFY(searcher.receiveDatagram().data().startsWith("NOTIFY ALIVE SDDP/1.0"));
}

QTEST_GUILESS_MAIN(tst_sim_server)
#include "tst_sim_server.moc"
