#ifndef SIM_SERVER_H
#define SIM_SERVER_H

#include "sim/frame_splitter.h"
#include "sim/unit_state.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTimer>

#include <memory>

class PtyPort;
class QTcpServer;
class QTcpSocket;
class QTextStream;
class QUdpSocket;

// How the simulated unit runs; see main.cpp for the command line.
struct SimOptions {
    QHostAddress listenAddress = QHostAddress(QHostAddress::LocalHost);
    quint16 port = 23;
    bool pty = false;
    bool sddp = true;
    quint16 sddpPort = 1902;
    int dropAfter = 0; // close a TCP connection after this many frames (0: never)
    bool silent = false;
    bool garbage = false;
    quint32 seed = 1;
    int delayMs = 0;
    bool verbose = false;
    // Command frames matching this (an empty pattern matches none) are
    // neither applied nor answered, as by a unit silently refusing a value.
    QRegularExpression ignore;
    int partialAnswer = -1; // answer [QX] with only this many lines (-1: all)
};

// The simulated unit on its transports: a TCP server (every connection talks
// to the same unit), optionally a pseudo-terminal as its serial port, and an
// SDDP responder. TCP connections are always answered; the serial port only
// while the unit's serial responses are on. Replies end in CR LF.
class SimServer : public QObject
{
    Q_OBJECT

public:
    explicit SimServer(const SimOptions &options, QTextStream &out, QObject *parent = nullptr);
    ~SimServer() override;

    // Opens every transport asked for and prints where it listens. False with
    // a message when the TCP port or the pseudo-terminal cannot be opened;
    // SDDP trouble only prints a warning.
    bool start(QString *error);

    // Bounds on what waits for a slow or absent reader of one connection.
    static constexpr int MaxQueuedLines = 100000;
    static constexpr qint64 MaxUnreadBytes = 8 * 1024 * 1024;

    UnitState &unit() { return state; }
    quint16 tcpPort() const;
    QString ptyPath() const;

private:
    struct Channel {
        QPointer<QTcpSocket> socket; // null for the serial port
        FrameSplitter splitter;
        int frames = 0;
        bool closing = false;
        QList<QPair<qint64, QByteArray>> queue; // due time, bytes
        QTimer timer;
    };

    void acceptConnections();
    void receive(Channel *channel, const QByteArray &bytes);
    void answer(Channel *channel, const QList<QByteArray> &lines);
    void send(Channel *channel, const QByteArray &bytes);
    void sendDue(Channel *channel);
    void writeNow(Channel *channel, const QByteArray &bytes);
    void closeChannel(Channel *channel);
    void dropAllConnections();
    QByteArray garbageLine();

    void readSddp();
    void joinSddpGroup();
    bool onLoopbackOnly() const;
    QString advertisedAddress() const;

    SimOptions options;
    QTextStream &out;
    UnitState state;
    QTcpServer *server = nullptr;
    QList<Channel *> connections;
    PtyPort *pty = nullptr;
    std::unique_ptr<Channel> serial;
    QUdpSocket *sddp = nullptr;
    QRandomGenerator random;
    QElapsedTimer clock;
};

#endif // SIM_SERVER_H
