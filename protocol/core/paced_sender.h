#ifndef PACED_SENDER_H
#define PACED_SENDER_H

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QTimer>

// Hands out a command list one command at a time with a pause after each, so
// the unit has time to act on a command before the next one arrives. Driven by
// a single-shot timer: no nested event loop, safe to cancel from any slot.
class PacedSender : public QObject
{
    Q_OBJECT

public:
    explicit PacedSender(QObject *parent = nullptr);

    // The pause a unit needs between two commands on a link (a file needs none).
    static constexpr int LinkPacingMs = 50;

    enum Outcome { Completed, Cancelled, LinkLost };
    Q_ENUM(Outcome)

    // Emits commandReady(commands[0]) at once, then each next one pacingMs
    // after the previous; finished(Completed) follows the pause after the last.
    // An empty list finishes at once. A running send is abandoned silently.
    void start(const QList<QByteArray> &commands, int pacingMs = LinkPacingMs);
    // Stops after the command already emitted; finished(Cancelled).
    void cancel();
    // Stops now, nothing more is emitted; finished(LinkLost).
    void linkLost();

    bool isRunning() const { return running; }
    int sent() const { return sentCount; }
    int total() const { return int(queue.size()); }

signals:
    void commandReady(const QByteArray &command);
    void progress(int sent, int total);
    void finished(PacedSender::Outcome outcome);

private:
    void emitNext();
    void finish(Outcome outcome);

    QList<QByteArray> queue;
    QTimer pause;
    int sentCount = 0;
    bool running = false;
    quint64 generation = 0; // tells a restarted send from the one a slot belongs to
};

#endif // PACED_SENDER_H
