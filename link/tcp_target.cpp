#include "link/tcp_target.h"

TcpTarget TcpTarget::fromText(const QString &text)
{
    TcpTarget target;
    const QString trimmed = text.trimmed();
    // Only a single colon separates a port: an IPv6 literal has several and
    // is taken whole, with the default port.
    if (trimmed.count(QLatin1Char(':')) != 1) {
        target.host = trimmed;
        target.valid = true;
        return target;
    }
    const int colon = trimmed.indexOf(QLatin1Char(':'));
    target.host = trimmed.left(colon).trimmed();
    const QString portText = trimmed.mid(colon + 1).trimmed();
    bool digitsOnly = !portText.isEmpty() && portText.size() <= 5;
    for (const QChar c : portText)
        digitsOnly = digitsOnly && c >= QLatin1Char('0') && c <= QLatin1Char('9');
    const uint port = digitsOnly ? portText.toUInt() : 0;
    if (port >= 1 && port <= 65535) {
        target.port = static_cast<quint16>(port);
        target.valid = !target.host.isEmpty();
    }
    return target;
}
