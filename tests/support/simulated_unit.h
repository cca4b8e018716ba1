#ifndef SIMULATED_UNIT_H
#define SIMULATED_UNIT_H

#include <QProcess>
#include <QString>
#include <QStringList>

// A zor-unit-sim process on a free loopback port, optionally with its
// pseudo-terminal serial port.
class SimulatedUnit
{
public:
    // Starts the unit with these extra options (always --port 0 --no-sddp);
    // true once it listens and, with --pty, has printed its serial port.
    bool start(const QStringList &extra = {});
    // Ends the unit (SIGTERM, so that --dump-state-on-exit writes its file).
    void stop();
    ~SimulatedUnit() { stop(); }

    QString address() const { return QStringLiteral("127.0.0.1:%1").arg(tcpPort); }

    QProcess process;
    quint16 tcpPort = 0;
    QString serialPath;
};

#endif // SIMULATED_UNIT_H
