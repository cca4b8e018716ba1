#ifndef PTY_PORT_H
#define PTY_PORT_H

#include <QByteArray>
#include <QObject>
#include <QString>

class QSocketNotifier;

// A pseudo-terminal standing in for the unit's serial port. The utility opens
// slavePath() as its serial port; what it writes arrives here as received(),
// and write() sends bytes back to it. The terminal is raw (no echo, no line
// editing, no CR/LF translation). This side keeps the slave open too, so the
// port survives the utility closing and reopening it.
class PtyPort : public QObject
{
    Q_OBJECT

public:
    explicit PtyPort(QObject *parent = nullptr);
    ~PtyPort() override;

    // Creates the terminal; false with a message on failure.
    bool open(QString *error);
    QString slavePath() const { return path; }

    // Queues bytes for the reader. While nobody reads, at most MaxQueued bytes
    // wait; older ones are dropped, as on a serial line with no listener.
    void write(const QByteArray &bytes);

    static constexpr int MaxQueued = 64 * 1024;

signals:
    void received(const QByteArray &bytes);

private:
    void readMaster();
    void flush();

    int master = -1;
    int slave = -1;
    QString path;
    QByteArray outgoing;
    QSocketNotifier *readNotifier = nullptr;
    QSocketNotifier *writeNotifier = nullptr;
};

#endif // PTY_PORT_H
