#ifndef UNIT_STATE_H
#define UNIT_STATE_H

#include "protocol/core/unit_settings.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// What one simulated unit does with a command; its settings are a
// UnitSettings.
//
// The settings start at the values a freshly started utility shows. A setting
// command that the unit accepts changes exactly its own setting and is
// answered with that setting's reply line ("[VO3R-25]" -> "VO3R-25"); numbers
// come back in plain decimal ("[VO03R-05]" -> "VO3R-5"). A command with a value
// outside the protocol's range, an unknown or malformed frame, and a reply-only
// form change nothing and are not answered. A zone made fixed is put at 0 dB,
// unmuted and powered, and plays at 0 dB while it stays fixed. Reply lines
// carry no line end; the transport adds CR LF.
//
// "[QX]" answers with every setting (see dump()); "[QOL]" with the output
// levels of all zones; "[VXR0]" sets every zone to 0 dB and answers the 16
// volume lines; "[EC]" has no answer and is reported so that the server drops
// its TCP connections.
class UnitState
{
public:
    struct Outcome {
        bool accepted = false;      // the frame was a valid command
        bool networkCommit = false; // "[EC]": drop the TCP connections
        bool wholeAnswer = false;   // "[QX]": the replies are every setting
        QList<QByteArray> replies;  // reply lines, without line ends
    };

    // A unit holds every setting from the start, at the utility's defaults.
    UnitState() { state.holdAll(); }

    // Applies one bracketed frame.
    Outcome apply(const QByteArray &frame);

    // Every setting as reply lines. Replayed into a fresh state (each line in
    // brackets) it gives an identical state. The lines of one zone come in an
    // order that leaves a listening window showing what the unit holds.
    QList<QByteArray> dump() const;
    // "O<z>L<n>" and "O<z>R<n>" for every zone, 0..100: 0 while a zone is off
    // or muted, rising with its volume, the balance taking from the other side.
    QList<QByteArray> outputLevels() const;

    // Applies text: lines holding bracketed frames (a configuration file) or
    // bare reply lines (a dump). Returns the number of accepted commands.
    int applyText(const QByteArray &text);
    // Loads a configuration file line by line as the window's Load does;
    // false with a message when it cannot be read.
    bool loadFile(const QString &path, QString *error);

    const UnitSettings &settings() const { return state; }
    bool serialResponses() const { return state.serialResponses; }

    // Settings that differ, one "setting: mine | other" line each.
    QStringList differences(const UnitState &other) const;
    // Compares every setting (not through the dump, so that a setting the dump
    // forgot still counts).
    bool operator==(const UnitState &other) const { return state == other.state; }
    bool operator!=(const UnitState &other) const { return !(*this == other); }

private:
    UnitSettings state;
};

#endif // UNIT_STATE_H
