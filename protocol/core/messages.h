#ifndef PROTOCOL_MESSAGES_H
#define PROTOCOL_MESSAGES_H

// The unit's wire protocol in one table: every message, its command form, its
// reply pattern and the ranges of its fields. Builders, the reply decoder, the
// simulated unit and the tests all read this table; nothing else spells a
// mnemonic or a reply pattern.
//
// Command form: the frame with "{}" for each field, in field order, e.g.
// "[VO{}R{}]"; text fields sit between the quotes of the form ("[NO{}\"{}\"]").
// Fixed literals have no "{}" ("[QX]"). A reply line has the shape of its
// command without the brackets. The output levels are replies only: their form
// gives the shape of the reply and is never sent as a command.
//
// Reply pattern: a regular expression found anywhere in a reply line; its
// captures are the message's fields, in the same order. Every reply pattern is
// literal capital letters followed by a capture that starts with a digit, which
// the decoder uses as a cheap prefilter.
//
// The messages with a reply pattern come first, in the order the response
// parser tries them (row 1 = first tried); a line holding two replies is taken
// as the one whose pattern comes first here. The output level patterns come
// after balance and power-on volume: "[BO3L5]" contains "O3L5" and
// "[VPONO3L0]" contains "O3L0", and both must be read as what they are.

#include <QByteArray>
#include <QString>
#include <QVector>

#include <initializer_list>
#include <optional>

namespace protocol {

// The unit's counts, numbered from 1 on the wire and in widget names.
constexpr int SourceCount = 16;
constexpr int ZoneCount = 16;
constexpr int BandCount = 10;
constexpr int PresetCount = 10;
constexpr int GroupCount = 10;
constexpr int FavoriteCount = 10;
// A name holds 1 to this many characters.
constexpr int NameMaxLength = 16;

// In parser order; the value of a message with a reply pattern is its row - 1.
enum class Message {
    ZoneVolume,         // row 1
    ZoneSource,         // row 2
    ZoneUnmute,         // row 3
    ZoneMute,           // row 4
    SourceName,         // row 5
    ZoneName,           // row 6
    ZoneFixed,          // row 7
    ZonePowerOff,       // row 8
    ZonePowerOnVolume,  // row 9
    ZonePowerOn,        // row 10
    ZoneBalanceLeft,    // row 11
    ZoneBalanceRight,   // row 12
    OutputLevelLeft,    // row 13
    OutputLevelRight,   // row 14
    ZoneDspMode,        // row 15
    ZoneTone,           // row 16
    ZoneHighpass,       // row 17
    ZoneLowpass,        // row 18
    ZoneEqBand,         // row 19
    ZonePresetSelect,   // row 20
    PresetName,         // row 21
    PresetEqBand,       // row 22
    DhcpEnable,         // row 23
    SddpEnable,         // row 24
    Gateway,            // row 25
    IpAddress,          // row 26
    NetworkMask,        // row 27
    FpBrightness,       // row 28
    FpSleep,            // row 29
    FpLock,             // row 30
    FpIrLock,           // row 31
    TriggerMode,        // row 32
    TriggerLevel,       // row 33
    TriggerTime,        // row 34
    SerialResponses,    // row 35
    GroupAddZone,       // row 36
    GroupRemoveZone,    // row 37
    GroupName,          // row 38
    FavoriteZoneSource, // row 39
    FavoriteName,       // row 40
    FavoriteZoneBypass, // row 41
    // Commands without a reply of their own.
    AllZonesMax,
    QueryOutputLevels,
    NetworkCommit,
    QueryAll,
};

constexpr int MessageCount = static_cast<int>(Message::QueryAll) + 1;
constexpr int ReplyRowCount = 41;
constexpr int MaxFields = 3;

enum class FieldKind {
    None,    // unused slot
    Number,  // decimal integer, optional leading "-"
    Name,    // text between double quotes, 1..16 characters in a reply
    Address, // dotted quad
};

// What a field may hold on the unit's side. Numbers: min..max in steps of
// `step` counted from min. Names: minimum..maximum length in characters.
struct FieldDefinition {
    FieldKind kind = FieldKind::None;
    int min = 0;
    int max = 0;
    int step = 1;
};

struct MessageDefinition {
    Message id;
    const char *name;    // "zone volume"
    const char *command; // "[VO{}R{}]", "[QX]"
    const char *reply;   // regular expression, or nullptr for a command without reply
    bool replyOnly;      // the unit sends it, the utility never does
    int fieldCount;
    FieldDefinition fields[MaxFields];
};

const MessageDefinition &definition(Message id);
// Row 1..41 of a message with a reply pattern, 0 for the others.
int replyRow(Message id);
// The message of reply row 1..41.
Message messageOfRow(int row);

// One field of a command: an integer or a text.
class Field
{
public:
    Field() = default;
    Field(int number) : value(number) {}
    Field(const QString &text) : isTextField(true), str(text) {}
    Field(const char *utf8) : isTextField(true), str(QString::fromUtf8(utf8)) {}

    bool isText() const { return isTextField; }
    int number() const { return value; }
    const QString &text() const { return str; }
    // The field as it is written into a frame: numbers in plain decimal,
    // texts with the characters that could break the framing removed.
    QString toWire() const;

private:
    bool isTextField = false;
    int value = 0;
    QString str;
};

// True for the characters that a name must not carry onto the wire: the double
// quote and the brackets (they would end the frame and let the rest of the
// name be read as another command) and control characters (C0, DEL, C1, and
// the line and paragraph separators, which would split a line in a file).
bool isForbiddenNameChar(QChar c);
// The text with exactly those characters removed.
QString sanitizeName(const QString &text);

// Builds the frame of a message in UTF-8, with no terminator. Numbers are
// written with QString::number; text fields pass through sanitizeName. Returns
// an empty array for a reply-only message or when the number of fields does
// not fit the command form.
QByteArray command(Message id, std::initializer_list<Field> fields = {});
QByteArray command(Message id, const QVector<Field> &fields);
// The reply line of a message as the unit sends it: the frame without its
// brackets ("VO3R-25", "O3L50"). Empty for a command without reply.
QByteArray replyLine(Message id, const QVector<Field> &fields);

// A command frame read back into its message and fields (the unit's side).
struct ParsedFrame {
    Message id = Message::QueryAll;
    int numbers[MaxFields] = {0, 0, 0}; // Number fields
    QString texts[MaxFields];           // Name and Address fields
};

// Recognises a complete frame "[...]" by the command forms (anchored, the whole
// text must be one frame; reply-only forms are not commands). No range checks:
// see withinRanges.
std::optional<ParsedFrame> parseFrame(const QString &frame);
// True when every field lies within its FieldDefinition: numbers in range and step,
// names of allowed length without forbidden characters, addresses of four
// parts 0..255.
bool withinRanges(const ParsedFrame &frame);
// The frame rebuilt from its fields ("[VO03R-05]" reads back as "[VO3R-5]").
QByteArray rebuild(const ParsedFrame &frame);

// Convenience builders: thin wrappers over command().
inline QByteArray zoneVolume(int zone, int db)
{
    return command(Message::ZoneVolume, {zone, db});
}
inline QByteArray zoneFixed(int zone, bool on)
{
    return command(Message::ZoneFixed, {zone, on ? 1 : 0});
}
inline QByteArray zoneMute(int zone, bool muted)
{
    return command(muted ? Message::ZoneMute : Message::ZoneUnmute, {zone});
}
inline QByteArray zonePower(int zone, bool on)
{
    return command(on ? Message::ZonePowerOn : Message::ZonePowerOff, {zone});
}
inline QByteArray zonePowerOnVolume(int zone, int db)
{
    return command(Message::ZonePowerOnVolume, {zone, db});
}
// A balance below 0 is sent as its magnitude to the left, 0 and above to the right.
inline QByteArray zoneBalance(int zone, int balance)
{
    return balance < 0 ? command(Message::ZoneBalanceLeft, {zone, -balance})
                       : command(Message::ZoneBalanceRight, {zone, balance});
}
inline QByteArray zoneSource(int zone, int source)
{
    return command(Message::ZoneSource, {zone, source});
}
inline QByteArray zoneName(int zone, const QString &name)
{
    return command(Message::ZoneName, {zone, name});
}
inline QByteArray sourceName(int source, const QString &name)
{
    return command(Message::SourceName, {source, name});
}
inline QByteArray zoneDspMode(int zone, int mode)
{
    return command(Message::ZoneDspMode, {zone, mode});
}
inline QByteArray zoneTone(int zone, int bass, int treble)
{
    return command(Message::ZoneTone, {zone, bass, treble});
}
inline QByteArray zoneHighpass(int zone, int hz)
{
    return command(Message::ZoneHighpass, {zone, hz});
}
inline QByteArray zoneLowpass(int zone, int hz)
{
    return command(Message::ZoneLowpass, {zone, hz});
}
inline QByteArray zoneEqBand(int zone, int band, int db)
{
    return command(Message::ZoneEqBand, {zone, band, db});
}
inline QByteArray zonePresetSelect(int zone, int preset)
{
    return command(Message::ZonePresetSelect, {zone, preset});
}
inline QByteArray presetName(int preset, const QString &name)
{
    return command(Message::PresetName, {preset, name});
}
inline QByteArray presetEqBand(int preset, int band, int db)
{
    return command(Message::PresetEqBand, {preset, band, db});
}
inline QByteArray groupZone(int group, int zone, bool member)
{
    return command(member ? Message::GroupAddZone : Message::GroupRemoveZone, {group, zone});
}
inline QByteArray groupName(int group, const QString &name)
{
    return command(Message::GroupName, {group, name});
}
inline QByteArray favoriteZoneSource(int favorite, int zone, int source)
{
    return command(Message::FavoriteZoneSource, {favorite, zone, source});
}
inline QByteArray favoriteZoneBypass(int favorite, int zone)
{
    return command(Message::FavoriteZoneBypass, {favorite, zone});
}
inline QByteArray favoriteName(int favorite, const QString &name)
{
    return command(Message::FavoriteName, {favorite, name});
}
inline QByteArray dhcpEnable(bool on)
{
    return command(Message::DhcpEnable, {on ? 1 : 0});
}
inline QByteArray sddpEnable(bool on)
{
    return command(Message::SddpEnable, {on ? 1 : 0});
}
inline QByteArray ipAddress(const QString &address)
{
    return command(Message::IpAddress, {address});
}
inline QByteArray networkMask(const QString &address)
{
    return command(Message::NetworkMask, {address});
}
inline QByteArray gateway(const QString &address)
{
    return command(Message::Gateway, {address});
}
inline QByteArray fpBrightness(int step)
{
    return command(Message::FpBrightness, {step});
}
inline QByteArray fpSleep(int minutes)
{
    return command(Message::FpSleep, {minutes});
}
inline QByteArray fpLock(bool on)
{
    return command(Message::FpLock, {on ? 1 : 0});
}
inline QByteArray fpIrLock(bool on)
{
    return command(Message::FpIrLock, {on ? 1 : 0});
}
inline QByteArray serialResponses(bool on)
{
    return command(Message::SerialResponses, {on ? 1 : 0});
}
inline QByteArray triggerMode(int mode)
{
    return command(Message::TriggerMode, {mode});
}
inline QByteArray triggerLevel(int millivolts)
{
    return command(Message::TriggerLevel, {millivolts});
}
inline QByteArray triggerTime(int minutes)
{
    return command(Message::TriggerTime, {minutes});
}
inline QByteArray allZonesMax()
{
    return command(Message::AllZonesMax);
}
inline QByteArray queryOutputLevels()
{
    return command(Message::QueryOutputLevels);
}
inline QByteArray networkCommit()
{
    return command(Message::NetworkCommit);
}
inline QByteArray queryAll()
{
    return command(Message::QueryAll);
}

} // namespace protocol

#endif // PROTOCOL_MESSAGES_H
