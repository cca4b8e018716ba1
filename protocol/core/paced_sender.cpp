#include "protocol/core/paced_sender.h"

PacedSender::PacedSender(QObject *parent) : QObject(parent)
{
    pause.setSingleShot(true);
    // The pause is waited out in full, not up to 5% short as a coarse timer may.
    pause.setTimerType(Qt::PreciseTimer);
    connect(&pause, &QTimer::timeout, this, &PacedSender::emitNext);
}

void PacedSender::start(const QList<QByteArray> &commands, int pacingMs)
{
    pause.stop();
    ++generation;
    queue = commands;
    sentCount = 0;
    running = true;
    pause.setInterval(qMax(0, pacingMs));
    emitNext();
}

void PacedSender::emitNext()
{
    if (!running)
        return;
    if (sentCount >= queue.size()) {
        finish(Completed);
        return;
    }
    const quint64 mine = generation;
    const QByteArray command = queue.at(sentCount);
    ++sentCount;
    emit commandReady(command);
    // A slot may have cancelled, lost the link or restarted meanwhile.
    if (!running || mine != generation)
        return;
    emit progress(sentCount, int(queue.size()));
    if (!running || mine != generation)
        return;
    pause.start();
}

void PacedSender::cancel()
{
    if (running)
        finish(Cancelled);
}

void PacedSender::linkLost()
{
    if (running)
        finish(LinkLost);
}

void PacedSender::finish(Outcome outcome)
{
    pause.stop();
    running = false;
    emit finished(outcome);
}
