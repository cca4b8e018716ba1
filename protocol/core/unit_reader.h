#ifndef PROTOCOL_UNIT_READER_H
#define PROTOCOL_UNIT_READER_H

// Reads a whole unit into a UnitSettings without touching any window.
//
// start() asks for the unit's settings (commandReady carries "[SERIAL1]" first
// on a serial link, then "[QX]"); the caller sends those commands and hands
// every received line or byte chunk back through feedLine or feedBytes. The
// reading is finished as soon as every setting that a [QX] answer reports has
// arrived at least once, or quietMs after the last line when some never come;
// it fails when no line at all arrives within firstReplyMs. Both waits are
// single-shot timers: nothing blocks.

#include "protocol/core/line_framer.h"
#include "protocol/core/unit_settings.h"

#include <QByteArray>
#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>

class UnitReader : public QObject
{
    Q_OBJECT
public:
    explicit UnitReader(QObject *parent = nullptr);
    int firstReplyMs = 5000; // no line within this: failed("No reply from the unit.")
    int quietMs = 1000;      // done this long after the last line

    // The number of distinct settings a [QX] answer reports.
    static int settingCount();

    // Emits commandReady("[SERIAL1]") first when `serial`, then
    // commandReady("[QX]"), and starts timing. A reading in progress starts
    // over with a fresh model.
    void start(bool serial);
    void feedLine(const QByteArray &line);   // one received line (line end optional)
    void feedBytes(const QByteArray &bytes); // raw bytes, framed with its own LineFramer
    // Stops without finished() or failed().
    void cancel();
    bool isRunning() const { return running; }
    const UnitSettings &settings() const { return model; }
    int linesReceived() const { return lines; }
    // Distinct settings seen so far in this reading.
    int settingsReceived() const { return seen.size(); }

signals:
    void commandReady(const QByteArray &command);
    void finished();                    // every setting has arrived, or quietMs after the last line
    void failed(const QString &reason); // "No reply from the unit."

private:
    void stop();
    void onFirstReplyTimeout();
    void onQuiet();

    UnitSettings model;
    LineFramer framer;
    QSet<quint32> seen;
    QTimer firstReplyTimer;
    QTimer quietTimer;
    int lines = 0;
    bool running = false;
};

#endif // PROTOCOL_UNIT_READER_H
