#ifndef ZORCTL_DISCOVERY_H
#define ZORCTL_DISCOVERY_H

#include "cli/arguments.h"

#include <QHostAddress>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <QUdpSocket>

#include <functional>
#include <set>

namespace zorctl {

// One SDDP search; calls `done` with the sorted addresses after `waitMs`, or
// with a problem when the search cannot be sent.
class Discovery : public QObject
{
public:
    Discovery(QHostAddress to, quint16 port, int waitMs, std::function<void(QStringList, QString)> done);
    void start();

private:
    QHostAddress destination;
    quint16 sddpPort;
    std::function<void(QStringList, QString)> callback;
    QUdpSocket socket;
    QTimer timer;
    std::set<QString> found;
};

// Searches as the options say (--sddp-port, --sddp-address, --wait) and
// returns what `then` returns for the units found, or an exit status for a
// usage error or a search that could not be sent.
int runDiscovered(const Arguments &a, const std::function<int(QStringList)> &then);

} // namespace zorctl

#endif // ZORCTL_DISCOVERY_H
