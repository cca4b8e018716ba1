#include "protocol/core/messages.h"

#include <QStringList>
#include <QRegularExpression>
#include <QVector>

namespace protocol {

namespace {

constexpr FieldDefinition num(int min, int max, int step = 1)
{
    return {FieldKind::Number, min, max, step};
}
constexpr FieldDefinition zone = {FieldKind::Number, 1, 16, 1};
constexpr FieldDefinition source = {FieldKind::Number, 1, 16, 1};
constexpr FieldDefinition ten = {FieldKind::Number, 1, 10, 1}; // preset, band, group, favorite
constexpr FieldDefinition flag = {FieldKind::Number, 0, 1, 1};
constexpr FieldDefinition volume = {FieldKind::Number, -80, 0, 1};
constexpr FieldDefinition name = {FieldKind::Name, 1, 16, 1};
constexpr FieldDefinition address = {FieldKind::Address, 0, 255, 1};

// The dotted quad of the address replies.
#define ZOR_QUAD "([0-9]{1,3}\\.[0-9]{1,3}\\.[0-9]{1,3}\\.[0-9]{1,3})"

// clang-format off
// id, name, command form, reply pattern, reply only, field count, fields
constexpr MessageDefinition table[MessageCount] = {
    {Message::ZoneVolume, "zone volume", "[VO{}R{}]", "VO([0-9]{1,2})R(-?[0-9]{1,2})", false, 2, {zone, volume}},
    {Message::ZoneSource, "zone source", "[CO{}I{}]", "CO([0-9]{1,2})I([0-9]{1,2})", false, 2, {zone, source}},
    {Message::ZoneUnmute, "zone unmute", "[VUMO{}]", "VUMO([0-9]{1,2})", false, 1, {zone}},
    {Message::ZoneMute, "zone mute", "[VMO{}]", "VMO([0-9]{1,2})", false, 1, {zone}},
    {Message::SourceName, "source name", "[NI{}\"{}\"]", "NI([0-9]{1,2})\"(.{1,16})\"", false, 2, {source, name}},
    {Message::ZoneName, "zone name", "[NO{}\"{}\"]", "NO([0-9]{1,2})\"(.{1,16})\"", false, 2, {zone, name}},
    {Message::ZoneFixed, "zone fixed", "[VO{}F{}]", "VO([0-9]{1,2})F([0-1])", false, 2, {zone, flag}},
    {Message::ZonePowerOff, "zone power off", "[POFFO{}]", "POFFO([0-9]{1,2})", false, 1, {zone}},
    {Message::ZonePowerOnVolume, "zone power-on volume", "[VPONO{}L{}]", "VPONO([0-9]{1,2})L(-?[0-9]{1,2})", false, 2, {zone, volume}},
    {Message::ZonePowerOn, "zone power on", "[PONO{}]", "PONO([0-9]{1,2})", false, 1, {zone}},
    {Message::ZoneBalanceLeft, "zone balance left", "[BO{}L{}]", "BO([0-9]{1,2})L(-?[0-9]{1,2})", false, 2, {zone, num(1, 80)}},
    {Message::ZoneBalanceRight, "zone balance right", "[BO{}R{}]", "BO([0-9]{1,2})R(-?[0-9]{1,2})", false, 2, {zone, num(0, 80)}},
    {Message::OutputLevelLeft, "output level left", "[O{}L{}]", "O([0-9]{1,2})L([0-9]{1,3})", true, 2, {zone, num(0, 999)}},
    {Message::OutputLevelRight, "output level right", "[O{}R{}]", "O([0-9]{1,2})R([0-9]{1,3})", true, 2, {zone, num(0, 999)}},
    {Message::ZoneDspMode, "zone DSP mode", "[EO{}M{}]", "EO([0-9]{1,2})M([0-5])", false, 2, {zone, num(0, 5)}},
    {Message::ZoneTone, "zone tone", "[TO{}B{}T{}]", "TO([0-9]{1,2})B(-?[0-9]{1,2})T(-?[0-9]{1,2})", false, 3, {zone, num(-12, 12), num(-12, 12)}},
    {Message::ZoneHighpass, "zone highpass", "[EO{}HP{}]", "EO([0-9]{1,2})HP([0-9]{1,5})", false, 2, {zone, num(100, 20000)}},
    {Message::ZoneLowpass, "zone lowpass", "[EO{}LP{}]", "EO([0-9]{1,2})LP([0-9]{1,3})", false, 2, {zone, num(40, 240)}},
    {Message::ZoneEqBand, "zone EQ band", "[EO{}B{}L{}]", "EO([0-9]{1,2})B([0-9]{1,2})L(-?[0-9]{1,2})", false, 3, {zone, ten, num(-10, 10)}},
    {Message::ZonePresetSelect, "zone preset select", "[EO{}P{}]", "EO([0-9]{1,2})P([0-9]{1,2})", false, 2, {zone, ten}},
    {Message::PresetName, "preset name", "[NEP{}\"{}\"]", "NEP([0-9]{1,2})\"(.{1,16})\"", false, 2, {ten, name}},
    {Message::PresetEqBand, "preset EQ band", "[EP{}B{}L{}]", "EP([0-9]{1,2})B([0-9]{1,2})L(-?[0-9]{1,2})", false, 3, {ten, ten, num(-10, 10)}},
    {Message::DhcpEnable, "DHCP enable", "[DHCP{}]", "DHCP([0-1])", false, 1, {flag}},
    {Message::SddpEnable, "SDDP enable", "[SDDP{}]", "SDDP([0-1])", false, 1, {flag}},
    {Message::Gateway, "gateway", "[GW{}]", "GW" ZOR_QUAD, false, 1, {address}},
    {Message::IpAddress, "IP address", "[IP{}]", "IP" ZOR_QUAD, false, 1, {address}},
    {Message::NetworkMask, "network mask", "[NM{}]", "NM" ZOR_QUAD, false, 1, {address}},
    {Message::FpBrightness, "front panel brightness", "[SD{}]", "SD([0-3])", false, 1, {num(0, 3)}},
    {Message::FpSleep, "front panel sleep", "[SLEEP{}]", "SLEEP([0-5])", false, 1, {num(0, 5)}},
    {Message::FpLock, "front panel lock", "[FPL{}]", "FPL([0-1])", false, 1, {flag}},
    {Message::FpIrLock, "front panel IR lock", "[IRL{}]", "IRL([0-1])", false, 1, {flag}},
    {Message::TriggerMode, "trigger mode", "[TRIGMODE{}]", "TRIGMODE([0-2])", false, 1, {num(0, 2)}},
    {Message::TriggerLevel, "trigger level", "[TRIGLEVEL{}]", "TRIGLEVEL([0-9]{2,3})", false, 1, {num(20, 200)}},
    {Message::TriggerTime, "trigger time", "[TRIGTIME{}]", "TRIGTIME([0-9]{1,2})", false, 1, {num(5, 15, 5)}},
    {Message::SerialResponses, "serial responses", "[SERIAL{}]", "SERIAL([0-1])", false, 1, {flag}},
    {Message::GroupAddZone, "group add zone", "[G{}AO{}]", "G([0-9]{1,2})AO([0-9]{1,2})", false, 2, {ten, zone}},
    {Message::GroupRemoveZone, "group remove zone", "[G{}RO{}]", "G([0-9]{1,2})RO([0-9]{1,2})", false, 2, {ten, zone}},
    {Message::GroupName, "group name", "[NG{}\"{}\"]", "NG([0-9]{1,2})\"(.{1,16})\"", false, 2, {ten, name}},
    {Message::FavoriteZoneSource, "favorite zone source", "[F{}AO{}I{}]", "F([0-9]{1,2})AO([0-9]{1,2})I([0-9]{1,2})", false, 3, {ten, zone, source}},
    {Message::FavoriteName, "favorite name", "[NF{}\"{}\"]", "NF([0-9]{1,2})\"(.{1,16})\"", false, 2, {ten, name}},
    {Message::FavoriteZoneBypass, "favorite zone bypass", "[F{}RO{}]", "F([0-9]{1,2})RO([0-9]{1,2})", false, 2, {ten, zone}},
    {Message::AllZonesMax, "all zones to maximum", "[VXR0]", nullptr, false, 0, {}},
    {Message::QueryOutputLevels, "query output levels", "[QOL]", nullptr, false, 0, {}},
    {Message::NetworkCommit, "network commit", "[EC]", nullptr, false, 0, {}},
    {Message::QueryAll, "query all", "[QX]", nullptr, false, 0, {}},
};
// clang-format on

#undef ZOR_QUAD

// The table is indexed by the message's value; a row out of place would
// silently turn one message into another.
constexpr bool tableInOrder()
{
    for (int i = 0; i < MessageCount; ++i) {
        if (static_cast<int>(table[i].id) != i)
            return false;
        if ((i < ReplyRowCount) != (table[i].reply != nullptr))
            return false;
    }
    return true;
}
static_assert(tableInOrder(), "message table out of order");

// A command form cut at its "{}" placeholders: literal pieces around the fields.
struct FrameReader {
    QRegularExpression anchored;
    QString prefix; // literal text before the first field, e.g. "[VO"
};

QString fieldPattern(FieldKind kind)
{
    switch (kind) {
    case FieldKind::Number:
        return QStringLiteral("(-?[0-9]{1,9})");
    case FieldKind::Name:
        return QStringLiteral("(.*)");
    case FieldKind::Address:
        return QStringLiteral("([0-9]{1,3}\\.[0-9]{1,3}\\.[0-9]{1,3}\\.[0-9]{1,3})");
    case FieldKind::None:
        break;
    }
    return QString();
}

const QVector<FrameReader> &frameReaders()
{
    static const QVector<FrameReader> readers = [] {
        QVector<FrameReader> list(MessageCount);
        for (int i = 0; i < MessageCount; ++i) {
            const MessageDefinition &row = table[i];
            if (row.replyOnly)
                continue;
            const QStringList pieces = QString::fromLatin1(row.command).split(QStringLiteral("{}"));
            QString pattern = QStringLiteral("\\A");
            for (int p = 0; p < pieces.size(); ++p) {
                pattern += QRegularExpression::escape(pieces[p]);
                if (p + 1 < pieces.size())
                    pattern += fieldPattern(row.fields[p].kind);
            }
            pattern += QStringLiteral("\\z");
            list[i].anchored.setPattern(pattern);
            list[i].anchored.setPatternOptions(QRegularExpression::DotMatchesEverythingOption);
            list[i].anchored.optimize();
            list[i].prefix = pieces.first();
        }
        return list;
    }();
    return readers;
}

bool validAddress(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char('.'));
    if (parts.size() != 4)
        return false;
    for (const QString &part : parts) {
        bool ok = false;
        const int value = part.toInt(&ok);
        if (part.isEmpty() || part.size() > 3 || !ok || value < 0 || value > 255)
            return false;
    }
    return true;
}

} // namespace

const MessageDefinition &definition(Message id)
{
    return table[static_cast<int>(id)];
}

int replyRow(Message id)
{
    const int index = static_cast<int>(id);
    return index < ReplyRowCount ? index + 1 : 0;
}

Message messageOfRow(int row)
{
    return static_cast<Message>(row - 1);
}

QString Field::toWire() const
{
    return isTextField ? sanitizeName(str) : QString::number(value);
}

bool isForbiddenNameChar(QChar c)
{
    const ushort u = c.unicode();
    return u == '"' || u == '[' || u == ']' || u < 0x20 || (u >= 0x7F && u <= 0x9F) || u == 0x2028 ||
           u == 0x2029;
}

QString sanitizeName(const QString &text)
{
    QString clean;
    clean.reserve(text.size());
    for (const QChar c : text) {
        if (!isForbiddenNameChar(c))
            clean.append(c);
    }
    return clean;
}

namespace {

QByteArray buildFrame(Message id, const Field *fields, int count)
{
    const MessageDefinition &row = definition(id);
    if (count != row.fieldCount)
        return QByteArray();
    // Every text field of every command is inserted here, and only here, so no
    // name can reach the wire without being cleaned.
    QString frame;
    const Field *field = fields;
    for (const char *p = row.command; *p; ++p) {
        if (p[0] == '{' && p[1] == '}') {
            frame += (field++)->toWire();
            ++p;
        } else {
            frame += QLatin1Char(*p);
        }
    }
    return frame.toUtf8();
}

} // namespace

QByteArray command(Message id, std::initializer_list<Field> fields)
{
    if (definition(id).replyOnly)
        return QByteArray();
    return buildFrame(id, fields.begin(), static_cast<int>(fields.size()));
}

QByteArray command(Message id, const QVector<Field> &fields)
{
    if (definition(id).replyOnly)
        return QByteArray();
    return buildFrame(id, fields.constData(), fields.size());
}

QByteArray replyLine(Message id, const QVector<Field> &fields)
{
    if (!definition(id).reply)
        return QByteArray();
    const QByteArray frame = buildFrame(id, fields.constData(), fields.size());
    return frame.isEmpty() ? frame : frame.mid(1, frame.size() - 2);
}

std::optional<ParsedFrame> parseFrame(const QString &frame)
{
    if (frame.size() < 3 || frame.front() != QLatin1Char('[') || frame.back() != QLatin1Char(']'))
        return std::nullopt;
    const QVector<FrameReader> &readers = frameReaders();
    for (int i = 0; i < MessageCount; ++i) {
        const FrameReader &reader = readers[i];
        if (reader.prefix.isEmpty() || !frame.startsWith(reader.prefix))
            continue;
        const QRegularExpressionMatch match = reader.anchored.match(frame);
        if (!match.hasMatch())
            continue;
        ParsedFrame parsed;
        parsed.id = table[i].id;
        for (int f = 0; f < table[i].fieldCount; ++f) {
            const QString captured = match.captured(f + 1);
            if (table[i].fields[f].kind == FieldKind::Number)
                parsed.numbers[f] = captured.toInt();
            else
                parsed.texts[f] = captured;
        }
        return parsed;
    }
    return std::nullopt;
}

bool withinRanges(const ParsedFrame &frame)
{
    const MessageDefinition &row = definition(frame.id);
    for (int f = 0; f < row.fieldCount; ++f) {
        const FieldDefinition &field = row.fields[f];
        switch (field.kind) {
        case FieldKind::Number: {
            const int value = frame.numbers[f];
            if (value < field.min || value > field.max || (value - field.min) % field.step != 0)
                return false;
            break;
        }
        case FieldKind::Name: {
            const QString &text = frame.texts[f];
            const int characters = text.toUcs4().size();
            if (characters < field.min || characters > field.max)
                return false;
            for (const QChar c : text) {
                if (isForbiddenNameChar(c))
                    return false;
            }
            break;
        }
        case FieldKind::Address:
            if (!validAddress(frame.texts[f]))
                return false;
            break;
        case FieldKind::None:
            break;
        }
    }
    return true;
}

QByteArray rebuild(const ParsedFrame &frame)
{
    const MessageDefinition &row = definition(frame.id);
    QVector<Field> fields;
    for (int f = 0; f < row.fieldCount; ++f) {
        if (row.fields[f].kind == FieldKind::Number)
            fields.append(Field(frame.numbers[f]));
        else
            fields.append(Field(frame.texts[f]));
    }
    return command(frame.id, fields);
}

} // namespace protocol
