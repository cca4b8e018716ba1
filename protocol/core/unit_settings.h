#ifndef PROTOCOL_UNIT_SETTINGS_H
#define PROTOCOL_UNIT_SETTINGS_H

// Every setting of one unit as plain data, and which of them it holds.
//
// A model starts at the values a freshly started window shows and holds no
// setting: a line that sets a setting gives it its value and makes the model
// hold it. A model read from a file holds exactly what the file's lines set,
// one read from a unit what the unit reported; the window's model and a
// simulated unit hold every setting (holdAll).
//
// The model applies reply lines and file lines with the rules of the
// window's parser (apply), gives back the command list of a Send All of what
// it holds, in its exact order (sendAllCommands), and lists the settings in
// which another model differs (differences).
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

#include <bitset>
#include <optional>

// The kinds of a unit's settings and how many there are of each.
namespace unitsetting {

enum class Kind : quint8 {
    SourceName,
    ZoneName,
    ZoneVolume,
    ZoneMute,
    ZoneFixed,
    ZonePower,
    ZoneBalance,
    ZonePowerOnVolume,
    ZoneSource,
    ZoneDspMode,
    ZoneEqBand,
    ZonePreset,
    ZoneTone,
    ZoneLowpass,
    ZoneHighpass,
    PresetName,
    PresetBand,
    Dhcp,
    Sddp,
    IpAddress,
    NetworkMask,
    Gateway,
    Brightness,
    Sleep,
    IrLock,
    PanelLock,
    SerialResponses,
    TriggerMode,
    TriggerTime,
    TriggerLevel,
    GroupName,
    GroupMember,
    FavoriteName,
    FavoriteZone,
};
constexpr int KindCount = int(Kind::FavoriteZone) + 1;
// How far `first` and `second` run for settings of a kind (1 where the
// kind has no such number).
constexpr int firstCount(Kind kind)
{
    switch (kind) {
    case Kind::SourceName:
        return protocol::SourceCount;
    case Kind::PresetName:
    case Kind::PresetBand:
        return protocol::PresetCount;
    case Kind::GroupName:
    case Kind::GroupMember:
        return protocol::GroupCount;
    case Kind::FavoriteName:
    case Kind::FavoriteZone:
        return protocol::FavoriteCount;
    default:
        return kind < Kind::PresetName ? protocol::ZoneCount : 1;
    }
}
constexpr int secondCount(Kind kind)
{
    switch (kind) {
    case Kind::ZoneEqBand:
    case Kind::PresetBand:
        return protocol::BandCount;
    case Kind::GroupMember:
    case Kind::FavoriteZone:
        return protocol::ZoneCount;
    default:
        return 1;
    }
}
constexpr int countSettings()
{
    int count = 0;
    for (int k = 0; k < KindCount; ++k)
        count += firstCount(Kind(k)) * secondCount(Kind(k));
    return count;
}
constexpr int SettingCount = countSettings();

} // namespace unitsetting

class UnitSettings
{
public:
    // A favorite's zone entry that leaves the zone alone.
    static constexpr int Bypass = 0;

    enum DspMode { Disabled = 0, Eq = 1, Preset = 2, Tone = 3, Lowpass = 4, Highpass = 5 };

    // One setting of a unit: what it is, and the zone, source, preset, group
    // or favorite (`first`) and the band or zone within it (`second`) it
    // belongs to, counted from 1. Two replies that report one setting in two
    // forms (mute and unmute, balance left and right, a member added or
    // removed) name the same setting.
    using Kind = unitsetting::Kind;
    static constexpr int KindCount = unitsetting::KindCount;
    static constexpr int firstCount(Kind kind) { return unitsetting::firstCount(kind); }
    static constexpr int secondCount(Kind kind) { return unitsetting::secondCount(kind); }
    // How many settings a unit has: one per line of its whole answer to [QX].
    static constexpr int SettingCount = unitsetting::SettingCount;

    struct Setting {
        Kind kind = Kind::SourceName;
        int first = 0;
        int second = 0;

        // 0 .. SettingCount - 1.
        int index() const;
        static Setting at(int index);
        // The window's tab title ("Zone", "DSP", ...) and the setting's name
        // ("Zone 3 volume", "Preset 2 band 7", ...).
        QString page() const;
        QString name() const;
        bool operator==(const Setting &other) const
        {
            return kind == other.kind && first == other.first && second == other.second;
        }
    };
    // Where a line comes from. A unit that reports a zone powering on has
    // given it its power-on volume; a stored line (a file, a command) sets
    // exactly its own setting.
    enum class Origin { Stored, Reported };

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
    // The settings of a model that applied every command in turn (stored
    // lines): it holds exactly the settings they set.
    static UnitSettings fromCommands(const QList<QByteArray> &commands);

    // Applies one reply line or configuration file line (UTF-8 up to the
    // first zero byte, white space around it ignored) as the window's parser
    // does. A line that is one whole command frame is read as that frame, so
    // a name holding text that looks like another reply stays a name; any
    // other line is searched for a reply as the window's parser does, and a
    // name in it is cleaned as the window cleans it. Returns true when the
    // line reported a setting within its range and the model took it: it
    // holds that setting from then on. Lines of other kinds (output levels,
    // queries, unknown text) and values out of range change nothing and give
    // false.
    //
    // The window's rules: a zone made fixed is at 0 dB, unmuted and powered;
    // a zone the unit reports powering on (Origin::Reported) takes its
    // power-on volume unless it is fixed; a sleep time the slider cannot show
    // (3 or 4 minutes) is held as 5 minutes, where the slider puts it.
    bool apply(const QByteArray &line, Origin origin = Origin::Stored);
    bool apply(const QString &line, Origin origin = Origin::Stored);
    // How apply reads a line: one whole command frame, or else the first
    // reply found in it; nothing for a line holding neither. The fields are
    // not checked against their ranges here.
    static std::optional<protocol::ParsedFrame> settingOfLine(const QString &line);
    // Applies a command frame already read by protocol::parseFrame.
    bool apply(const protocol::ParsedFrame &frame, Origin origin = Origin::Stored);
    // The setting a frame sets; nothing for a frame of a message that sets
    // none (queries, output levels).
    static std::optional<Setting> settingOf(const protocol::ParsedFrame &frame);

    bool holds(const Setting &setting) const { return held.test(size_t(setting.index())); }
    int heldCount() const { return int(held.count()); }
    bool holdsAll() const { return held.all(); }
    // Holds every setting at its current value.
    void holdAll() { held.set(); }

    // The commands of a Send All of the settings the model holds (for a model
    // holding every setting: the lines of a saved file), in Send All order.
    // A zone's DSP parameters go with its mode: while the model holds the
    // mode, only those the mode uses are sent; likewise the static address
    // only while the model does not hold DHCP on.
    QList<QByteArray> sendAllCommands() const;
    // The command that sets one setting to this model's value.
    QByteArray commandOf(const Setting &setting) const;
    // This model's value of one setting as the differences show it.
    QString valueText(const Setting &setting) const;

    // The settings of `wanted`'s Send All that this model does not hold at
    // wanted's value, in Send All order: exactly what `wanted` would send and
    // holds, so the zones' sources (which Send All leaves alone) and the
    // parameters of a DSP mode that a zone does not use are never listed.
    // Think of this model as the unit and `wanted` as the window or a file:
    // the commands are what brings the unit to wanted's settings, and each is
    // one that wanted's Send All sends.
    // - A new DSP mode comes with what it uses, as Send All sends it (the mode
    //   line, then its bands, preset, tone or filter); those parameters are
    //   not listed again.
    // - Switching to a static address sends the DHCP line and the three
    //   address lines; while `wanted` takes its address by DHCP the address
    //   is not compared.
    // - Group members are one difference per zone (add or remove); favorites
    //   one per zone (source or bypass).
    QVector<Difference> differences(const UnitSettings &wanted) const;

    // Every value and what is held count.
    bool operator==(const UnitSettings &other) const;
    bool operator!=(const UnitSettings &other) const { return !(*this == other); }

private:
    std::bitset<SettingCount> held;
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
