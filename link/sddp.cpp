#include "link/sddp.h"

#include <QRegularExpression>

#include "protocol/core/line_framer.h"

namespace sddp {

QHostAddress multicastGroup()
{
    return QHostAddress(QStringLiteral("239.255.255.250"));
}

QString localAddress(const QList<QHostAddress> &addresses)
{
    const QHostAddress loopback(QHostAddress::LocalHost);
    for (const QHostAddress &address : addresses) {
        if (address.protocol() == QAbstractSocket::IPv4Protocol && address != loopback)
            return address.toString();
    }
    return QString();
}

QByteArray searchDatagram(const QString &localAddress)
{
    const QString text = QStringLiteral("SEARCH * SDDP/1.0\r\n"
                                        "From: \"%1\"\r\n"
                                        "Tran: %2\r\n"
                                        "Timeout: %3\r\n")
                             .arg(localAddress)
                             .arg(Transaction)
                             .arg(Timeout);
    return text.toUtf8();
}

QString unitAddress(const QByteArray &datagram)
{
    static const QRegularExpression productType(QStringLiteral("Type: \"KX:ZOR\""));
    static const QRegularExpression from(
        QStringLiteral("From: \"([0-9]{1,3}\\.[0-9]{1,3}\\.[0-9]{1,3}\\.[0-9]{1,3})"));

    const QString text = decodeUtf8UpToNul(datagram);
    if (!productType.match(text).hasMatch())
        return QString();
    const QRegularExpressionMatch match = from.match(text);
    return match.hasMatch() ? match.captured(1) : QString();
}

} // namespace sddp
