// The device link: writing commands, receiving reply lines, opening and
// closing the serial and TCP transports.
#include "app/zor_config.h"

void zor_config::sendCommand(QByteArray input) { emit sendSentData(decodeUtf8UpToNul(input)); }
void zor_config::serialCheck() {}
void zor_config::serialOpen(QString port_name) { Q_UNUSED(port_name); }
void zor_config::serialReadData() {}
void zor_config::telnetCheck() {}
void zor_config::telnetOpen(QString ip_address) { Q_UNUSED(ip_address); }
void zor_config::telnetReadData() {}
void zor_config::telnetSocketError(QAbstractSocket::SocketError) {}
void zor_config::delay(int ms) { Q_UNUSED(ms); }
void zor_config::handleReceivedLines(const QList<QByteArray> &lines, bool overflowed, const char *statusPrefix)
{
    Q_UNUSED(lines);
    Q_UNUSED(overflowed);
    Q_UNUSED(statusPrefix);
}
