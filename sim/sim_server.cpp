#include "sim/sim_server.h"

#include "sim/pty_port.h"

#include <algorithm>

#include <QNetworkDatagram>
#include <QNetworkInterface>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTextStream>
#include <QUdpSocket>

namespace {

const QHostAddress sddpGroup(QStringLiteral("239.255.255.250"));

} // namespace

SimServer::SimServer(const SimOptions &options, QTextStream &out, QObject *parent)
    : QObject(parent), options(options), out(out), random(options.seed)
{
    clock.start();
}

SimServer::~SimServer()
{
    qDeleteAll(connections);
}

bool SimServer::start(QString *error)
{
    server = new QTcpServer(this);
    if (!server->listen(options.listenAddress, options.port)) {
        if (error) {
            *error = QStringLiteral("cannot listen on %1:%2: %3.")
                         .arg(options.listenAddress.toString())
                         .arg(options.port)
                         .arg(server->errorString());
            if (options.port < 1024)
                *error += QStringLiteral(" Ports below 1024 need privileges; try --port 2323.");
        }
        return false;
    }
    connect(server, &QTcpServer::newConnection, this, &SimServer::acceptConnections);
    out << "listening on " << server->serverAddress().toString() << ':' << server->serverPort() << Qt::endl;

    if (options.pty) {
        pty = new PtyPort(this);
        QString ptyError;
        if (!pty->open(&ptyError)) {
            if (error)
                *error = QStringLiteral("cannot create a pseudo-terminal: %1").arg(ptyError);
            return false;
        }
        serial = std::make_unique<Channel>();
        serial->timer.setSingleShot(true);
        connect(&serial->timer, &QTimer::timeout, this, [this] { sendDue(serial.get()); });
        connect(pty, &PtyPort::received, this,
                [this](const QByteArray &bytes) { receive(serial.get(), bytes); });
        out << "serial port " << pty->slavePath() << Qt::endl;
    }

    if (options.sddp) {
        // Bound to every address: a search the utility multicasts from this
        // host arrives addressed to the group, not to 127.0.0.1.
        sddp = new QUdpSocket(this);
        if (!sddp->bind(QHostAddress::AnyIPv4, options.sddpPort,
                        QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint)) {
            out << "SDDP: cannot bind UDP port " << options.sddpPort << " (" << sddp->errorString()
                << "); discovery is off" << Qt::endl;
        } else {
            joinSddpGroup();
            connect(sddp, &QUdpSocket::readyRead, this, &SimServer::readSddp);
            const QString scope = onLoopbackOnly() ? QStringLiteral("127.0.0.1") : QStringLiteral("0.0.0.0");
            out << "SDDP answering on udp " << scope << ':' << options.sddpPort << " as "
                << advertisedAddress() << Qt::endl;
        }
    }
    return true;
}

quint16 SimServer::tcpPort() const
{
    return server ? server->serverPort() : 0;
}

QString SimServer::ptyPath() const
{
    return pty ? pty->slavePath() : QString();
}

void SimServer::acceptConnections()
{
    while (QTcpSocket *socket = server->nextPendingConnection()) {
        auto *channel = new Channel;
        channel->socket = socket;
        channel->timer.setSingleShot(true);
        connections.append(channel);
        connect(&channel->timer, &QTimer::timeout, this, [this, channel] { sendDue(channel); });
        connect(socket, &QTcpSocket::readyRead, this, [this, channel] {
            if (channel->socket)
                receive(channel, channel->socket->readAll());
        });
        connect(socket, &QTcpSocket::disconnected, this, [this, channel] {
            channel->closing = true;
            connections.removeOne(channel);
            if (channel->socket)
                channel->socket->deleteLater();
            // The channel's timer may be the caller; delete it once control returns.
            QTimer::singleShot(0, this, [channel] { delete channel; });
        });
        if (options.verbose)
            out << "connection from " << socket->peerAddress().toString() << ':' << socket->peerPort()
                << Qt::endl;
    }
}

void SimServer::receive(Channel *channel, const QByteArray &bytes)
{
    if (channel->closing)
        return;
    const QList<QByteArray> frames = channel->splitter.feed(bytes);
    for (const QByteArray &frame : frames) {
        if (channel->closing)
            return;
        const bool refused =
            !options.ignore.pattern().isEmpty() && options.ignore.match(QString::fromUtf8(frame)).hasMatch();
        UnitState::Outcome outcome;
        if (!refused)
            outcome = state.apply(frame);
        if (options.verbose)
            out << "<- " << frame
                << (refused            ? "   (ignored: --ignore)"
                    : outcome.accepted ? ""
                                       : "   (ignored)")
                << Qt::endl;
        // A unit that breaks off its whole answer after some lines.
        if (outcome.wholeAnswer && options.partialAnswer >= 0)
            outcome.replies = outcome.replies.mid(0, options.partialAnswer);
        answer(channel, outcome.replies);
        if (outcome.networkCommit) {
            dropAllConnections();
            return;
        }
        ++channel->frames;
        if (channel->socket && options.dropAfter > 0 && channel->frames >= options.dropAfter) {
            if (options.verbose)
                out << "dropping the connection after " << channel->frames << " frames" << Qt::endl;
            channel->closing = true;
            if (channel->queue.isEmpty())
                closeChannel(channel);
            return;
        }
    }
}

void SimServer::answer(Channel *channel, const QList<QByteArray> &lines)
{
    if (options.silent)
        return;
    // The serial port talks only while serial responses are on.
    if (!channel->socket && !state.serialResponses())
        return;
    for (const QByteArray &line : lines) {
        if (options.garbage && random.bounded(3) == 0)
            send(channel, garbageLine());
        if (options.verbose)
            out << "-> " << line << Qt::endl;
        send(channel, line + "\r\n");
    }
}

void SimServer::send(Channel *channel, const QByteArray &bytes)
{
    if (options.delayMs <= 0 && channel->queue.isEmpty()) {
        writeNow(channel, bytes);
        return;
    }
    // A client that keeps asking while answers are held back must not make
    // the unit hoard memory: past the bound the connection is dropped.
    if (channel->queue.size() >= MaxQueuedLines) {
        if (channel->socket)
            channel->socket->abort();
        else
            channel->queue.removeFirst();
        return;
    }
    channel->queue.append({clock.elapsed() + options.delayMs, bytes});
    if (!channel->timer.isActive())
        channel->timer.start(int(qMax<qint64>(0, channel->queue.first().first - clock.elapsed())));
}

void SimServer::sendDue(Channel *channel)
{
    const qint64 now = clock.elapsed();
    while (!channel->queue.isEmpty() && channel->queue.first().first <= now)
        writeNow(channel, channel->queue.takeFirst().second);
    if (!channel->queue.isEmpty())
        channel->timer.start(int(qMax<qint64>(0, channel->queue.first().first - now)));
    else if (channel->closing)
        closeChannel(channel);
}

void SimServer::writeNow(Channel *channel, const QByteArray &bytes)
{
    if (channel->socket) {
        // The same for a client that asks but never reads.
        if (channel->socket->bytesToWrite() > MaxUnreadBytes) {
            channel->socket->abort();
            return;
        }
        channel->socket->write(bytes);
    } else if (pty)
        pty->write(bytes);
}

void SimServer::closeChannel(Channel *channel)
{
    if (channel->socket)
        channel->socket->disconnectFromHost();
}

void SimServer::dropAllConnections()
{
    if (options.verbose)
        out << "network settings committed: dropping every TCP connection" << Qt::endl;
    const QList<Channel *> open = connections;
    for (Channel *channel : open) {
        channel->closing = true;
        channel->queue.clear();
        closeChannel(channel);
    }
}

// A line of junk: bytes that can spell no reply (no letters), sometimes far
// longer than any reply, always ended so that the real lines stay whole.
QByteArray SimServer::garbageLine()
{
    static const QByteArray plain = QByteArrayLiteral("0123456789!#$%&*+,-./:;<=>?@^_`{|}~ \t");
    const bool overlong = random.bounded(10) == 0;
    const int length = overlong ? 5000 + random.bounded(5000) : 1 + random.bounded(40);
    QByteArray junk;
    junk.reserve(length + 2);
    for (int i = 0; i < length; ++i) {
        const int pick = random.bounded(4);
        if (pick == 0)
            junk.append(char(0x80 + random.bounded(0x80))); // invalid or partial UTF-8
        else if (pick == 1 && random.bounded(8) == 0)
            junk.append('\0');
        else
            junk.append(plain.at(random.bounded(plain.size())));
    }
    return junk + "\r\n";
}

bool SimServer::onLoopbackOnly() const
{
    return options.listenAddress.isLoopback();
}

// A unit on loopback joins the discovery group on the loopback interface
// only, so that its answers to searches from this host stay on this host; one
// listening on the network joins it on the default interface, as a real unit.
void SimServer::joinSddpGroup()
{
    if (!onLoopbackOnly()) {
        if (!sddp->joinMulticastGroup(sddpGroup))
            out << "SDDP: cannot join " << sddpGroup.toString() << " (" << sddp->errorString() << ')'
                << Qt::endl;
        return;
    }
    for (const QNetworkInterface &interface : QNetworkInterface::allInterfaces()) {
        if (!(interface.flags() & QNetworkInterface::IsLoopBack) ||
            !(interface.flags() & QNetworkInterface::IsUp))
            continue;
        if (!sddp->joinMulticastGroup(sddpGroup, interface))
            out << "SDDP: cannot join " << sddpGroup.toString() << " on " << interface.name() << " ("
                << sddp->errorString() << ')' << Qt::endl;
        sddp->setMulticastInterface(interface);
        return;
    }
}

// Whether a datagram came from a program on this host.
static bool isLocalAddress(const QHostAddress &address)
{
    // A host whose only interface is loopback sends from 0.0.0.0.
    if (address.isLoopback() || address.isEqual(QHostAddress(QHostAddress::AnyIPv4)))
        return true;
    const QList<QHostAddress> own = QNetworkInterface::allAddresses();
    return std::any_of(own.cbegin(), own.cend(), [&](const QHostAddress &a) { return a.isEqual(address); });
}

void SimServer::readSddp()
{
    while (sddp->hasPendingDatagrams()) {
        const QNetworkDatagram datagram = sddp->receiveDatagram(64 * 1024);
        const QByteArray data = datagram.data();
        if (!data.startsWith("SEARCH * SDDP/1.0") || !state.settings().sddp)
            continue;
        const bool local = isLocalAddress(datagram.senderAddress());
        if (onLoopbackOnly() && !local)
            continue; // a unit on loopback is not on the network
        QByteArray tran;
        for (const QByteArray &line : data.split('\n')) {
            if (line.startsWith("Tran:"))
                tran = line.mid(5).trimmed();
        }
        QByteArray answer = "NOTIFY ALIVE SDDP/1.0\r\n";
        answer += "From: \"" + advertisedAddress().toUtf8() + ':' + QByteArray::number(tcpPort()) + "\"\r\n";
        answer += "Host: \"zor-sim\"\r\n";
        if (!tran.isEmpty())
            answer += "Tran: " + tran.left(32) + "\r\n";
        answer += "Max-Age: 1800\r\n";
        answer += "Type: \"KX:ZOR\"\r\n";
        answer += "Primary-Proxy: \"zor_amplifier\"\r\n";
        answer += "Proxies: \"zor_amplifier\"\r\n";
        answer += "Manufacturer: \"ZOR\"\r\n";
        answer += "Model: \"zor-unit-sim\"\r\n";
        const quint16 port = quint16(datagram.senderPort());
        if (local && datagram.destinationAddress() == sddpGroup && onLoopbackOnly()) {
            // The searcher shares its port with other programs on this host
            // (the utility binds it shared), and a datagram sent to one
            // address and port reaches only one of them: the group reaches
            // every one, on the loopback interface.
            sddp->writeDatagram(answer, sddpGroup, port);
        } else {
            sddp->writeDatagram(answer, datagram.senderAddress(), port);
        }
        if (options.verbose)
            out << "SDDP search from " << datagram.senderAddress().toString() << " answered" << Qt::endl;
    }
}

QString SimServer::advertisedAddress() const
{
    const QHostAddress &listen = options.listenAddress;
    if (listen != QHostAddress::AnyIPv4 && listen != QHostAddress::Any)
        return listen.toString();
    for (const QHostAddress &address : QNetworkInterface::allAddresses()) {
        if (address.protocol() == QAbstractSocket::IPv4Protocol && !address.isLoopback())
            return address.toString();
    }
    return QStringLiteral("127.0.0.1");
}
