#ifndef UNIT_STATE_H
#define UNIT_STATE_H

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Every setting of one simulated unit, and what the unit does with a command.
//
// The state starts at the values a freshly started utility shows. A setting
// command that the unit accepts changes exactly its own setting and is
// answered with that setting's reply line ("[VO3R-25]" -> "VO3R-25"); numbers
// come back in plain decimal ("[VO03R-05]" -> "VO3R-5"). A command with a value
// outside the protocol's range, an unknown or malformed frame, and a reply-only
// form change nothing and are not answered. Reply lines carry no line end; the
// transport adds CR LF.
//
// "[QX]" answers with every setting (see dump()); "[QOL]" with the output
// levels of all zones; "[VXR0]" sets every zone to 0 dB and answers the 16
// volume lines; "[EC]" has no answer and is reported so that the server drops
// its TCP connections.
class UnitState
{
public:
    static constexpr int Zones = 16;
    static constexpr int Sources = 16;
    static constexpr int Presets = 10;
    static constexpr int Bands = 10;
    static constexpr int Groups = 10;
    static constexpr int Favorites = 10;

    struct Zone {
        QString name;
        int volume = -40;
        bool fixed = false;
        bool muted = true;
        bool powered = true;
        int powerOnVolume = -40;
        int balance = 0; // -80 (left) .. 80 (right)
        int source = 1;  // 1..16
        int dspMode = 0; // 0 disabled, 1 EQ, 2 preset, 3 tone, 4 lowpass, 5 highpass
        int bass = 0;
        int treble = 0;
        int eq[Bands] = {};
        int preset = 1; // 1..10
        int lowpass = 100;
        int highpass = 100;
        bool operator==(const Zone &other) const;
    };
    struct Preset {
        QString name;
        int eq[Bands] = {};
        bool operator==(const Preset &other) const;
    };
    struct Group {
        QString name;
        quint16 members = 0; // bit z-1 for zone z
        bool operator==(const Group &other) const;
    };
    struct Favorite {
        QString name;
        int source[Zones] = {}; // 1..16, or 0 when the favorite leaves the zone alone
        bool operator==(const Favorite &other) const;
    };
    struct Settings {
        QString sourceNames[Sources];
        Zone zones[Zones];
        Preset presets[Presets];
        Group groups[Groups];
        Favorite favorites[Favorites];
        bool dhcp = true;
        bool sddp = true;
        QString ipAddress = QStringLiteral("192.168.0.13");
        QString networkMask = QStringLiteral("255.255.255.0");
        QString gateway = QStringLiteral("192.168.0.3");
        int brightness = 0; // dimming step 0..3, 0 brightest
        int sleep = 5;      // minutes
        bool panelLock = false;
        bool irLock = true;
        bool serialResponses = false;
        int triggerMode = 0;
        int triggerLevel = 20;
        int triggerTime = 5;
    };

    struct Outcome {
        bool accepted = false;      // the frame was a valid command
        bool networkCommit = false; // "[EC]": drop the TCP connections
        QList<QByteArray> replies;  // reply lines, without line ends
    };

    UnitState();

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
    // Loads a configuration file; false with a message when it cannot be read.
    bool loadFile(const QString &path, QString *error);

    const Settings &settings() const { return state; }
    bool serialResponses() const { return state.serialResponses; }

    // Settings that differ, one "mine | other" line per differing reply line.
    QStringList differences(const UnitState &other) const;
    // Compares every setting (not through the dump, so that a setting the dump
    // forgot still counts).
    bool operator==(const UnitState &other) const;
    bool operator!=(const UnitState &other) const { return !(*this == other); }

private:
    Settings state;
};

#endif // UNIT_STATE_H
