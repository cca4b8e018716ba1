#ifndef PROTOCOL_UNIT_SETTINGS_H
#define PROTOCOL_UNIT_SETTINGS_H

// Every setting of one unit as plain data.
//
// A model starts at the values a freshly started window shows. It takes reply
// lines and configuration file lines through the message table and the reply
// decoder (apply), gives back the command list of a Send All in its exact
// order (sendAllCommands), and compares itself with another model
// (differences, operator==).
//
// Values are kept as they travel on the wire: indices count from 1 (a zone's
// source 1..16, its preset 1..10), the front panel brightness is the dimming
// step (0 is the brightest), the sleep time is in minutes, a favorite's zone
// holds its source 1..16 or Bypass.

#include "protocol/core/messages.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVector>

#include <optional>

class UnitSettings
{
public:
    // A favorite's zone entry that leaves the zone alone.
    static constexpr int Bypass = 0;

    enum DspMode { Disabled = 0, Eq = 1, Preset = 2, Tone = 3, Lowpass = 4, Highpass = 5 };

    struct Zone {
        QString name;
        int volume = -40;
        bool fixed = false;
        bool muted = true;
        bool powered = true;
        int powerOnVolume = -40;
        int balance = 0; // -80 (left) .. 80 (right)
        int source = 1;  // 1..16
        int dspMode = Disabled;
        int bass = 0;
        int treble = 0;
        int eq[protocol::BandCount] = {};
        int preset = 1; // 1..10
        int lowpass = 100;
        int highpass = 100;
        bool operator==(const Zone &other) const;
        bool operator!=(const Zone &other) const { return !(*this == other); }
    };
    struct PresetEq {
        QString name;
        int eq[protocol::BandCount] = {};
        bool operator==(const PresetEq &other) const;
    };
    struct Group {
        QString name;
        quint16 members = 0; // bit z-1 for zone z
        bool hasMember(int zone) const { return members & (1u << (zone - 1)); }
        bool operator==(const Group &other) const;
    };
    struct Favorite {
        QString name;
        int source[protocol::ZoneCount] = {}; // 1..16, or Bypass
        bool operator==(const Favorite &other) const;
    };

    // One setting that differs between two models: a.differences(b) lists,
    // for the unit holding a, what it holds (`current`), what b holds
    // (`wanted`) and the commands that make it hold b's value.
    struct Difference {
        QString page;    // the window's tab title: "Zone", "DSP", ...
        QString setting; // "Zone 3 volume", "Preset 2 band 7", ...
        QString current;
        QString wanted;
        QList<QByteArray> commands;
    };

    QString sourceNames[protocol::SourceCount];
    Zone zones[protocol::ZoneCount];
    PresetEq presets[protocol::PresetCount];
    Group groups[protocol::GroupCount];
    Favorite favorites[protocol::FavoriteCount];
    bool dhcp = true;
    bool sddp = true;
    QString ipAddress = QStringLiteral("192.168.0.13");
    QString networkMask = QStringLiteral("255.255.255.0");
    QString gateway = QStringLiteral("192.168.0.3");
    int brightness = 0; // dimming step 0..3, 0 brightest
    int sleep = 5;      // minutes: 0, 1, 2 or 5
    bool panelLock = false;
    bool irLock = true;
    bool serialResponses = false;
    int triggerMode = 0;
    int triggerLevel = 20; // mV RMS
    int triggerTime = 5;   // minutes

    UnitSettings();

    // Applies one reply line or configuration file line (UTF-8 up to the
    // first zero byte, white space around it ignored). A line that is one
    // whole command frame is read as that frame, so a name holding text that
    // looks like another reply stays a name; any other line is searched for a
    // reply as the window's parser does. Returns true when the line reported a
    // setting within its range and the model took it; lines of other kinds
    // (output levels, queries, unknown text) and values out of range change
    // nothing and give false.
    bool apply(const QByteArray &line);
    bool apply(const QString &line);
    // How apply reads a line: one whole command frame, or else the first
    // reply found in it; nothing for a line holding neither. The fields are
    // not checked against their ranges here.
    static std::optional<protocol::ParsedFrame> settingOfLine(const QString &line);
    // Applies a command frame already read by protocol::parseFrame.
    bool apply(const protocol::ParsedFrame &frame);

    // The commands of a Send All (and the lines of a saved file), in order.
    QList<QByteArray> sendAllCommands() const;
    // A zone's DSP as Send All sends it: the mode line, then what the mode
    // uses. `zone` counts from 1.
    QList<QByteArray> dspCommands(int zone) const;

    // The settings in which `other` differs, in Send All order (the zones'
    // sources, which Send All leaves alone, close the Zone page). Think of
    // this model as the unit and `other` as the window: the commands are what
    // brings the unit to the window's settings.
    // - A new DSP mode comes with what it uses, as Send All sends it (the mode
    //   line, then its bands, preset, tone or filter); the parameters it sends
    //   are not listed again. Parameters the new mode does not use, and those
    //   of an unchanged mode, are listed one by one.
    // - The static address follows the DHCP rule: switching to static sends
    //   the DHCP line and all three address lines; while `other` takes its
    //   address by DHCP the address is not compared.
    // - Group members are one difference per zone (add or remove); favorites
    //   one per zone (source or bypass).
    // Applying every command to this model makes it equal to `other` (the
    // static address aside while `other` has DHCP on).
    QVector<Difference> differences(const UnitSettings &other) const;

    // Every setting counts, the static addresses included while DHCP is on.
    bool operator==(const UnitSettings &other) const;
    bool operator!=(const UnitSettings &other) const { return !(*this == other); }
};

// Setting values as readable text, as the differences and the command line
// show them.
namespace settingtext {
QString onOff(bool on);
QString decibels(int db);
QString balanceText(int balance);
QString modeText(int mode);
QString toneText(int bass, int treble);
QString triggerModeText(int mode);
QString favoriteSourceText(int source);
} // namespace settingtext

#endif // PROTOCOL_UNIT_SETTINGS_H
