#include "cli/discovery.h"

#include "cli/zorctl.h"
#include "link/sddp.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QNetworkDatagram>
#include <QNetworkInterface>

namespace zorctl {

Discovery::Discovery(QHostAddress to, quint16 port, int waitMs,
                     std::function<void(QStringList, QString)> done)
    : destination(std::move(to)), sddpPort(port), callback(std::move(done))
{
    timer.setSingleShot(true);
    timer.setInterval(waitMs);
    connect(&timer, &QTimer::timeout, this,
            [this] { callback(QStringList(found.begin(), found.end()), QString()); });
    connect(&socket, &QUdpSocket::readyRead, this, [this] {
        while (socket.hasPendingDatagrams()) {
            const QNetworkDatagram datagram = socket.receiveDatagram();
            const QString address = sddp::unitAddress(datagram.data());
            if (!address.isEmpty())
                found.insert(address);
        }
    });
}

void Discovery::start()
{
    // Like the network dialog: listen on the SDDP port, shared, in the
    // group, so that answers sent to the group arrive too. A search sent
    // to one address (or a port taken exclusively) uses a free port.
    const bool multicast = destination.isMulticast();
    const bool onSddpPort = multicast && socket.bind(QHostAddress(QHostAddress::AnyIPv4), sddpPort,
                                                     QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint);
    if (onSddpPort)
        socket.joinMulticastGroup(destination);
    else if (!socket.bind(QHostAddress(QHostAddress::AnyIPv4), 0)) {
        QTimer::singleShot(0, this, [this] { callback({}, QStringLiteral("cannot open a UDP socket")); });
        return;
    }
    QList<QHostAddress> addresses;
    for (const QHostAddress &a : QNetworkInterface::allAddresses())
        addresses << a;
    QString local = sddp::localAddress(addresses);
    if (local.isEmpty())
        local = QStringLiteral("127.0.0.1");
    if (socket.writeDatagram(sddp::searchDatagram(local), destination, sddpPort) < 0) {
        QTimer::singleShot(0, this, [this] {
            callback({}, QStringLiteral("cannot send the search: %1").arg(socket.errorString().toLower()));
        });
        return;
    }
    timer.start();
}

namespace {

bool discoveryOptions(const Arguments &a, QHostAddress *to, int *port, int *waitMs)
{
    int waitSeconds = 3;
    if (!intOption(a, QStringLiteral("sddp-port"), 1, 65535, sddp::Port, port) ||
        !intOption(a, QStringLiteral("wait"), 0, 3600, 3, &waitSeconds))
        return false;
    *waitMs = waitSeconds * 1000;
    *to = sddp::multicastGroup();
    if (a.values.contains(QStringLiteral("sddp-address")) &&
        !to->setAddress(a.value(QStringLiteral("sddp-address")))) {
        error(QStringLiteral("invalid value for --sddp-address: %1")
                  .arg(a.value(QStringLiteral("sddp-address"))));
        return false;
    }
    return true;
}

} // namespace

int runDiscovered(const Arguments &a, const std::function<int(QStringList)> &then)
{
    QHostAddress to;
    int port = 0, waitMs = 0;
    if (!discoveryOptions(a, &to, &port, &waitMs))
        return ExitUsage;
    int status = ExitOk;
    Discovery discovery(to, quint16(port), waitMs, [&](QStringList units, QString problem) {
        if (!problem.isEmpty()) {
            error(problem);
            status = ExitUnreachable;
        } else {
            status = then(units);
        }
        QCoreApplication::exit(0);
    });
    discovery.start();
    QCoreApplication::exec();
    return status;
}

int discoverCommand(const Arguments &a)
{
    if (!a.positional.isEmpty()) {
        error(QStringLiteral("discover takes no arguments"));
        return ExitUsage;
    }
    return runDiscovered(a, [&](QStringList units) {
        if (a.has(QStringLiteral("json"))) {
            printJson(QJsonArray::fromStringList(units));
        } else {
            for (const QString &unit : units)
                out() << unit << Qt::endl;
        }
        return ExitOk;
    });
}

} // namespace zorctl
