#include "support/simulated_unit.h"

#include <QElapsedTimer>
#include <QRegularExpression>

bool SimulatedUnit::start(const QStringList &extra)
{
    process.start(QStringLiteral(ZOR_UNIT_SIM_PATH), QStringList{"--port", "0", "--no-sddp"} + extra);
    if (!process.waitForStarted(5000))
        return false;
    const bool wantPty = extra.contains(QStringLiteral("--pty"));
    const QRegularExpression listening(QStringLiteral("listening on [0-9.]+:(\\d+)"));
    const QRegularExpression serial(QStringLiteral("serial port (\\S+)"));
    QString output;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 15000 && process.state() == QProcess::Running) {
        process.waitForReadyRead(100);
        output += QString::fromUtf8(process.readAllStandardOutput());
        const QRegularExpressionMatch port = listening.match(output);
        const QRegularExpressionMatch path = serial.match(output);
        if (port.hasMatch())
            tcpPort = port.captured(1).toUShort();
        if (path.hasMatch())
            serialPath = path.captured(1);
        if (tcpPort != 0 && (!wantPty || !serialPath.isEmpty()))
            return true;
    }
    return false;
}

void SimulatedUnit::stop()
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(5000))
        process.kill();
}
