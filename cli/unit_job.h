#ifndef ZORCTL_UNIT_JOB_H
#define ZORCTL_UNIT_JOB_H

#include "protocol/core/paced_sender.h"
#include "protocol/core/unit_reader.h"
#include "protocol/core/unit_settings.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <functional>

class QIODevice;

// Where a unit is reached: HOST[:PORT] (TCP, port 23 by default) or the path
// of a serial device (9600 8N1).
struct Target {
    QString text; // as given on the command line
    bool serial = false;
    QString host;
    quint16 port = 23;
    QString device;

    // False with a reason when `text` is neither form.
    static bool parse(const QString &text, Target *target, QString *reason);
    // How messages name the unit: "10.0.0.7:23" or the device path.
    QString name() const { return serial ? device : host + QLatin1Char(':') + QString::number(port); }
    // Two targets with the same key are one unit ("10.0.0.7" and
    // "10.0.0.7:23"; host names in any case).
    QString key() const { return serial ? device : name().toLower(); }
    // A file name built from the address ("10.0.0.7_23", "dev_ttyUSB0").
    QString fileStem() const;
};

// One unit's whole conversation: connect, optionally read every setting,
// optionally send a command list with the link's pacing and read the unit
// back to see what took, then close. A reading that does not bring every
// setting fails the job. Event driven; finished() is emitted exactly once.
class UnitJob : public QObject
{
    Q_OBJECT

public:
    // Stopped: beforeSending refused to let the commands go.
    enum Failure { None, Unreachable, NoReply, LinkLost, Stopped };

    UnitJob(const Target &target, QObject *parent = nullptr);
    ~UnitJob() override;

    bool readFirst = false;
    // Sent after the reading (when there is one). With `wanted` set, the
    // commands are the differences from the unit read to `wanted` instead.
    QList<QByteArray> commands;
    bool sendDifferencesTo = false;
    UnitSettings wanted;
    // After sending, read the unit back and compare it with what was sent.
    bool verify = false;
    // Asked once, after the reading and before the first command goes out
    // (never when there is nothing to send); false with a reason stops the
    // job without sending anything.
    std::function<bool(QString *reason)> beforeSending;
    int connectTimeoutMs = 10000;
    int firstReplyMs = 5000;
    int quietMs = 1000;

    void start();

    const Target &target() const { return where; }
    bool succeeded() const { return failure == None; }
    Failure failureKind() const { return failure; }
    const QString &reason() const { return why; }
    const UnitSettings &settings() const { return reader.settings(); }
    // Whether the reading before sending was complete (its settings are the unit's).
    bool readComplete() const { return firstReadDone; }
    const QVector<UnitSettings::Difference> &differences() const { return diffs; }
    // After a verified send: the settings sent that the unit read back does
    // not hold ("current" is the unit's value, "wanted" the one sent).
    const QVector<UnitSettings::Difference> &notTaken() const { return missed; }
    int commandsSent() const { return sender.sent(); }
    // The commands that went out, in order.
    QList<QByteArray> sentList() const { return sentCommands.mid(0, sender.sent()); }
    int commandsTotal() const { return sender.total(); }

signals:
    void finished(UnitJob *job);

private:
    void onConnected();
    void onBytes();
    void onReadDone();
    void onSendDone(PacedSender::Outcome outcome);
    void onReadBack();
    void write(const QByteArray &bytes);
    void lost(const QString &reason);
    void fail(Failure kind, const QString &reason);
    void finish();

    Target where;
    QPointer<QIODevice> device;
    UnitReader reader;
    PacedSender sender;
    QTimer connectTimer;
    QVector<UnitSettings::Difference> diffs;
    QVector<UnitSettings::Difference> missed;
    QList<QByteArray> sentCommands;
    Failure failure = None;
    QString why;
    bool sending = false;
    bool readingBack = false;
    bool firstReadDone = false;
    bool done = false;
};

#endif // ZORCTL_UNIT_JOB_H
