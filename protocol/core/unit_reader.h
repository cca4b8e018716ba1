#ifndef PROTOCOL_UNIT_READER_H
#define PROTOCOL_UNIT_READER_H

// Reads a whole unit into a UnitSettings without touching any window.
//
// start() asks for the unit's settings (commandReady carries "[SERIAL1]" first
// on a serial link, then "[QX]"); the caller sends those commands and hands
// every received line or byte chunk back through feedLine or feedBytes. The
// reading is complete, and finished() is emitted, as soon as every setting a
// unit has (UnitSettings::SettingCount) has arrived at least once. Anything
// less is a failure, never a result: no line within firstReplyMs (NoReply),
// or quietMs after the last line, or overallMs after the start, with some
// settings still missing (Incomplete). A unit that keeps talking without
// completing its answer is given up on at overallMs. The waits are
// single-shot timers: nothing blocks.

#include "protocol/core/line_framer.h"
#include "protocol/core/unit_settings.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

class UnitReader : public QObject
{
    Q_OBJECT
public:
    enum Failure { NoReply, Incomplete };
    Q_ENUM(Failure)

    explicit UnitReader(QObject *parent = nullptr);
    int firstReplyMs = 5000; // no line within this: NoReply
    int quietMs = 1000;      // incomplete this long after the last line: Incomplete
    int overallMs = 60000;   // incomplete this long after the start: Incomplete

    // Emits commandReady("[SERIAL1]") first when `serial`, then
    // commandReady("[QX]"), and starts timing. A reading in progress starts
    // over with a fresh model.
    void start(bool serial);
    void feedLine(const QByteArray &line);   // one received line (line end optional)
    void feedBytes(const QByteArray &bytes); // raw bytes, framed with its own LineFramer
    // Stops without finished() or failed().
    void cancel();
    bool isRunning() const { return running; }
    // What the unit reported; it holds the settings received.
    const UnitSettings &settings() const { return model; }
    int linesReceived() const { return lines; }
    // Distinct settings received so far in this reading.
    int settingsReceived() const { return model.heldCount(); }
    // "The unit answered n of N settings." for this reading so far.
    QString incompleteText() const;
    // A reading over a serial link turns the unit's serial responses on: the
    // unit answers there only while they are. After a reading that checks a
    // write, this gives the unit back what `sent` holds for them: the model
    // read takes sent's value, so the reading's own change is not counted as
    // a setting that did not take, and the result is the command to send now
    // (none after a network reading, or when `sent` holds them on or not at
    // all).
    QList<QByteArray> takeBackSerialResponses(const UnitSettings &sent);

signals:
    void commandReady(const QByteArray &command);
    void finished(); // every setting has arrived
    void failed(UnitReader::Failure failure);

private:
    void stop();
    void fail(Failure failure);

    UnitSettings model;
    LineFramer framer;
    QTimer firstReplyTimer;
    QTimer quietTimer;
    QTimer overallTimer;
    int lines = 0;
    bool running = false;
    bool overSerial = false;
};

#endif // PROTOCOL_UNIT_READER_H
