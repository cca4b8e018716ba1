#ifndef SDDP_H
#define SDDP_H

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QString>

// Simple Device Discovery Protocol: the search we multicast and the answers
// of units that we list in the network dialog.
namespace sddp {

constexpr quint16 Port = 1902;
constexpr int Transaction = 38359;
constexpr int Timeout = 10;
// Most rows the network dialog keeps; a flood of answers cannot grow it further.
constexpr int MaxListedUnits = 256;

QHostAddress multicastGroup();

// The address we announce in the search: the first IPv4 address that is not
// 127.0.0.1, in the order given, as dotted decimal; empty when there is none.
QString localAddress(const QList<QHostAddress> &addresses);

// The search datagram: four CR LF terminated lines, UTF-8.
QByteArray searchDatagram(const QString &localAddress);

// The unit address announced by an answer of a ZOR unit, without any port;
// an empty string when the datagram is of another product type or carries no
// dotted-decimal From header.
QString unitAddress(const QByteArray &datagram);

} // namespace sddp

#endif // SDDP_H
