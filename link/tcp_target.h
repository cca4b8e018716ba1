#ifndef TCP_TARGET_H
#define TCP_TARGET_H

#include <QString>

// Where a network connection goes, read from the address the user typed:
// "host" means port 23 of host, "host:port" names the port as well.
struct TcpTarget {
    static constexpr quint16 DefaultPort = 23;

    QString host;
    quint16 port = DefaultPort;
    // False when the text names a port that is not a number from 1 to 65535.
    bool valid = false;

    static TcpTarget fromText(const QString &text);
};

#endif // TCP_TARGET_H
