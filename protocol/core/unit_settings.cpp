#include "protocol/core/unit_settings.h"

#include "protocol/core/line_framer.h"
#include "protocol/core/reply_decoder.h"

#include <algorithm>

using protocol::BandCount;
using protocol::FavoriteCount;
using protocol::GroupCount;
using protocol::Message;
using protocol::PresetCount;
using protocol::SourceCount;
using protocol::ZoneCount;
using Kind = UnitSettings::Kind;
using Setting = UnitSettings::Setting;

namespace {

// Where the settings of each kind start in the numbering of all settings.
struct Offsets {
    int start[UnitSettings::KindCount + 1] = {};
    constexpr Offsets()
    {
        for (int k = 0; k < UnitSettings::KindCount; ++k)
            start[k + 1] = start[k] + UnitSettings::firstCount(Kind(k)) * UnitSettings::secondCount(Kind(k));
    }
};
constexpr Offsets offsets;
static_assert(offsets.start[UnitSettings::KindCount] == UnitSettings::SettingCount, "settings miscounted");

constexpr bool numbered(Kind kind)
{
    return UnitSettings::firstCount(kind) > 1;
}

} // namespace

int Setting::index() const
{
    const int k = int(kind);
    const int seconds = UnitSettings::secondCount(kind);
    return offsets.start[k] + (qMax(first, 1) - 1) * seconds + (qMax(second, 1) - 1);
}

Setting Setting::at(int index)
{
    int k = 0;
    while (k + 1 < UnitSettings::KindCount && offsets.start[k + 1] <= index)
        ++k;
    Setting s;
    s.kind = Kind(k);
    const int seconds = UnitSettings::secondCount(s.kind);
    const int within = index - offsets.start[k];
    s.first = numbered(s.kind) ? within / seconds + 1 : 0;
    s.second = seconds > 1 ? within % seconds + 1 : 0;
    return s;
}

QString Setting::page() const
{
    switch (kind) {
    case Kind::SourceName:
        return QStringLiteral("Source");
    case Kind::ZoneName:
    case Kind::ZoneVolume:
    case Kind::ZoneMute:
    case Kind::ZoneFixed:
    case Kind::ZonePower:
    case Kind::ZoneBalance:
    case Kind::ZonePowerOnVolume:
    case Kind::ZoneSource:
        return QStringLiteral("Zone");
    case Kind::ZoneDspMode:
    case Kind::ZoneEqBand:
    case Kind::ZonePreset:
    case Kind::ZoneTone:
    case Kind::ZoneLowpass:
    case Kind::ZoneHighpass:
    case Kind::PresetName:
    case Kind::PresetBand:
        return QStringLiteral("DSP");
    case Kind::GroupName:
    case Kind::GroupMember:
        return QStringLiteral("Groups");
    case Kind::FavoriteName:
    case Kind::FavoriteZone:
        return QStringLiteral("Favorites");
    default:
        return QStringLiteral("Network/Misc");
    }
}

QString Setting::name() const
{
    const auto zone = [this](const char *what) {
        return QStringLiteral("Zone %1 %2").arg(first).arg(QLatin1String(what));
    };
    switch (kind) {
    case Kind::SourceName:
        return QStringLiteral("Source %1 name").arg(first);
    case Kind::ZoneName:
        return zone("name");
    case Kind::ZoneVolume:
        return zone("volume");
    case Kind::ZoneMute:
        return zone("mute");
    case Kind::ZoneFixed:
        return zone("fixed volume");
    case Kind::ZonePower:
        return zone("power");
    case Kind::ZoneBalance:
        return zone("balance");
    case Kind::ZonePowerOnVolume:
        return zone("power-on volume");
    case Kind::ZoneSource:
        return zone("source");
    case Kind::ZoneDspMode:
        return zone("DSP mode");
    case Kind::ZoneEqBand:
        return QStringLiteral("Zone %1 EQ band %2").arg(first).arg(second);
    case Kind::ZonePreset:
        return zone("preset");
    case Kind::ZoneTone:
        return zone("tone");
    case Kind::ZoneLowpass:
        return zone("lowpass");
    case Kind::ZoneHighpass:
        return zone("highpass");
    case Kind::PresetName:
        return QStringLiteral("Preset %1 name").arg(first);
    case Kind::PresetBand:
        return QStringLiteral("Preset %1 band %2").arg(first).arg(second);
    case Kind::Dhcp:
        return QStringLiteral("DHCP");
    case Kind::Sddp:
        return QStringLiteral("SDDP");
    case Kind::IpAddress:
        return QStringLiteral("IP address");
    case Kind::NetworkMask:
        return QStringLiteral("Network mask");
    case Kind::Gateway:
        return QStringLiteral("Gateway");
    case Kind::Brightness:
        return QStringLiteral("Front panel brightness");
    case Kind::Sleep:
        return QStringLiteral("Front panel sleep");
    case Kind::IrLock:
        return QStringLiteral("Front panel IR disable");
    case Kind::PanelLock:
        return QStringLiteral("Front panel lock");
    case Kind::SerialResponses:
        return QStringLiteral("Serial responses");
    case Kind::TriggerMode:
        return QStringLiteral("Trigger mode");
    case Kind::TriggerTime:
        return QStringLiteral("Trigger time");
    case Kind::TriggerLevel:
        return QStringLiteral("Trigger level");
    case Kind::GroupName:
        return QStringLiteral("Group %1 name").arg(first);
    case Kind::GroupMember:
        return QStringLiteral("Group %1 member Zone %2").arg(first).arg(second);
    case Kind::FavoriteName:
        return QStringLiteral("Favorite %1 name").arg(first);
    case Kind::FavoriteZone:
        return QStringLiteral("Favorite %1 Zone %2 source").arg(first).arg(second);
    }
    return QString();
}

UnitSettings::UnitSettings()
{
    for (int s = 0; s < SourceCount; ++s)
        sourceNames[s] = QStringLiteral("Source Name %1").arg(s + 1);
    for (int z = 0; z < ZoneCount; ++z)
        zones[z].name = QStringLiteral("Zone Name %1").arg(z + 1);
    for (int p = 0; p < PresetCount; ++p)
        presets[p].name = QStringLiteral("Preset Name %1").arg(p + 1);
    for (int g = 0; g < GroupCount; ++g)
        groups[g].name = QStringLiteral("Group Name %1").arg(g + 1);
    for (int f = 0; f < FavoriteCount; ++f)
        favorites[f].name = QStringLiteral("Favorite Name %1").arg(f + 1);
}

UnitSettings UnitSettings::fromCommands(const QList<QByteArray> &commands)
{
    UnitSettings model;
    for (const QByteArray &command : commands)
        model.apply(command);
    return model;
}

bool UnitSettings::apply(const QByteArray &line, Origin origin)
{
    return apply(decodeUtf8UpToNul(line), origin);
}

bool UnitSettings::apply(const QString &text, Origin origin)
{
    const std::optional<protocol::ParsedFrame> frame = settingOfLine(text);
    return frame && apply(*frame, origin);
}

std::optional<protocol::ParsedFrame> UnitSettings::settingOfLine(const QString &text)
{
    const QString line = text.trimmed();
    if (auto frame = protocol::parseFrame(line))
        return frame;
    const protocol::DecodedReply reply = protocol::decodeReply(line);
    if (!reply.recognised())
        return std::nullopt;
    protocol::ParsedFrame frame;
    frame.id = reply.message;
    const protocol::MessageDefinition &row = protocol::definition(reply.message);
    for (int f = 0; f < row.fieldCount; ++f) {
        switch (row.fields[f].kind) {
        case protocol::FieldKind::Number:
            frame.numbers[f] = reply.value[f];
            break;
        case protocol::FieldKind::Name:
            // The window shows a received name without the characters that
            // would break a frame.
            frame.texts[f] = protocol::sanitizeName(reply.text[f]);
            break;
        default:
            frame.texts[f] = reply.text[f];
            break;
        }
    }
    return frame;
}

std::optional<Setting> UnitSettings::settingOf(const protocol::ParsedFrame &frame)
{
    const int *n = frame.numbers;
    const auto of = [](Kind kind, int first = 0, int second = 0) {
        return std::optional<Setting>(Setting{kind, first, second});
    };
    switch (frame.id) {
    case Message::ZoneVolume:
        return of(Kind::ZoneVolume, n[0]);
    case Message::ZoneSource:
        return of(Kind::ZoneSource, n[0]);
    case Message::ZoneUnmute:
    case Message::ZoneMute:
        return of(Kind::ZoneMute, n[0]);
    case Message::SourceName:
        return of(Kind::SourceName, n[0]);
    case Message::ZoneName:
        return of(Kind::ZoneName, n[0]);
    case Message::ZoneFixed:
        return of(Kind::ZoneFixed, n[0]);
    case Message::ZonePowerOff:
    case Message::ZonePowerOn:
        return of(Kind::ZonePower, n[0]);
    case Message::ZonePowerOnVolume:
        return of(Kind::ZonePowerOnVolume, n[0]);
    case Message::ZoneBalanceLeft:
    case Message::ZoneBalanceRight:
        return of(Kind::ZoneBalance, n[0]);
    case Message::ZoneDspMode:
        return of(Kind::ZoneDspMode, n[0]);
    case Message::ZoneTone:
        return of(Kind::ZoneTone, n[0]);
    case Message::ZoneHighpass:
        return of(Kind::ZoneHighpass, n[0]);
    case Message::ZoneLowpass:
        return of(Kind::ZoneLowpass, n[0]);
    case Message::ZoneEqBand:
        return of(Kind::ZoneEqBand, n[0], n[1]);
    case Message::ZonePresetSelect:
        return of(Kind::ZonePreset, n[0]);
    case Message::PresetName:
        return of(Kind::PresetName, n[0]);
    case Message::PresetEqBand:
        return of(Kind::PresetBand, n[0], n[1]);
    case Message::DhcpEnable:
        return of(Kind::Dhcp);
    case Message::SddpEnable:
        return of(Kind::Sddp);
    case Message::Gateway:
        return of(Kind::Gateway);
    case Message::IpAddress:
        return of(Kind::IpAddress);
    case Message::NetworkMask:
        return of(Kind::NetworkMask);
    case Message::FpBrightness:
        return of(Kind::Brightness);
    case Message::FpSleep:
        return of(Kind::Sleep);
    case Message::FpLock:
        return of(Kind::PanelLock);
    case Message::FpIrLock:
        return of(Kind::IrLock);
    case Message::TriggerMode:
        return of(Kind::TriggerMode);
    case Message::TriggerLevel:
        return of(Kind::TriggerLevel);
    case Message::TriggerTime:
        return of(Kind::TriggerTime);
    case Message::SerialResponses:
        return of(Kind::SerialResponses);
    case Message::GroupAddZone:
    case Message::GroupRemoveZone:
        return of(Kind::GroupMember, n[0], n[1]);
    case Message::GroupName:
        return of(Kind::GroupName, n[0]);
    case Message::FavoriteZoneSource:
    case Message::FavoriteZoneBypass:
        return of(Kind::FavoriteZone, n[0], n[1]);
    case Message::FavoriteName:
        return of(Kind::FavoriteName, n[0]);
    case Message::OutputLevelLeft:
    case Message::OutputLevelRight:
    case Message::AllZonesMax:
    case Message::QueryOutputLevels:
    case Message::NetworkCommit:
    case Message::QueryAll:
        break;
    }
    return std::nullopt; // not a setting
}

bool UnitSettings::apply(const protocol::ParsedFrame &frame, Origin origin)
{
    const std::optional<Setting> setting = settingOf(frame);
    if (!setting || !protocol::withinRanges(frame))
        return false;

    const int *n = frame.numbers;
    const QString &address = frame.texts[0];
    const QString &name = frame.texts[1];
    // Every field is within its range here; indices on the wire count from 1.
    Zone &zone = zones[qBound(1, n[0], ZoneCount) - 1];

    switch (frame.id) {
    case Message::ZoneVolume:
        zone.volume = n[1];
        break;
    case Message::ZoneSource:
        zone.source = n[1];
        break;
    case Message::ZoneUnmute:
    case Message::ZoneMute:
        zone.muted = frame.id == Message::ZoneMute;
        break;
    case Message::SourceName:
        sourceNames[n[0] - 1] = name;
        break;
    case Message::ZoneName:
        zone.name = name;
        break;
    case Message::ZoneFixed:
        zone.fixed = n[1] == 1;
        if (zone.fixed) {
            // The unit holds a fixed zone at 0 dB, unmuted and powered.
            zone.volume = 0;
            zone.muted = false;
            zone.powered = true;
        }
        break;
    case Message::ZonePowerOff:
        zone.powered = false;
        break;
    case Message::ZonePowerOn:
        zone.powered = true;
        // A zone the unit powers on plays at its power-on volume; a file
        // holds the zone's own volume on a line of its own.
        if (origin == Origin::Reported && !zone.fixed)
            zone.volume = zone.powerOnVolume;
        break;
    case Message::ZonePowerOnVolume:
        zone.powerOnVolume = n[1];
        break;
    case Message::ZoneBalanceLeft:
        zone.balance = -n[1];
        break;
    case Message::ZoneBalanceRight:
        zone.balance = n[1];
        break;
    case Message::ZoneDspMode:
        zone.dspMode = n[1];
        break;
    case Message::ZoneTone:
        zone.bass = n[1];
        zone.treble = n[2];
        break;
    case Message::ZoneHighpass:
        zone.highpass = n[1];
        break;
    case Message::ZoneLowpass:
        zone.lowpass = n[1];
        break;
    case Message::ZoneEqBand:
        zone.eq[n[1] - 1] = n[2];
        break;
    case Message::ZonePresetSelect:
        zone.preset = n[1];
        break;
    case Message::PresetName:
        presets[n[0] - 1].name = name;
        break;
    case Message::PresetEqBand:
        presets[n[0] - 1].eq[n[1] - 1] = n[2];
        break;
    case Message::DhcpEnable:
        dhcp = n[0] == 1;
        break;
    case Message::SddpEnable:
        sddp = n[0] == 1;
        break;
    case Message::Gateway:
        gateway = address;
        break;
    case Message::IpAddress:
        ipAddress = address;
        break;
    case Message::NetworkMask:
        networkMask = address;
        break;
    case Message::FpBrightness:
        brightness = n[0];
        break;
    case Message::FpSleep:
        // The sleep slider has positions for 0, 1, 2 and 5 minutes only.
        sleep = n[0] >= 3 ? 5 : n[0];
        break;
    case Message::FpLock:
        panelLock = n[0] == 1;
        break;
    case Message::FpIrLock:
        irLock = n[0] == 1;
        break;
    case Message::TriggerMode:
        triggerMode = n[0];
        break;
    case Message::TriggerLevel:
        triggerLevel = n[0];
        break;
    case Message::TriggerTime:
        triggerTime = n[0];
        break;
    case Message::SerialResponses:
        serialResponses = n[0] == 1;
        break;
    case Message::GroupAddZone:
        groups[n[0] - 1].members |= quint16(1u << (n[1] - 1));
        break;
    case Message::GroupRemoveZone:
        groups[n[0] - 1].members &= quint16(~(1u << (n[1] - 1)));
        break;
    case Message::GroupName:
        groups[n[0] - 1].name = name;
        break;
    case Message::FavoriteZoneSource:
        favorites[n[0] - 1].source[n[1] - 1] = n[2];
        break;
    case Message::FavoriteName:
        favorites[n[0] - 1].name = name;
        break;
    case Message::FavoriteZoneBypass:
        favorites[n[0] - 1].source[n[1] - 1] = Bypass;
        break;
    default:
        return false; // settingOf names no setting for the others
    }
    held.set(size_t(setting->index()));
    return true;
}

QByteArray UnitSettings::commandOf(const Setting &s) const
{
    const int a = s.first;
    const int b = s.second;
    const Zone &zone = zones[qBound(1, a, ZoneCount) - 1];
    switch (s.kind) {
    case Kind::SourceName:
        return protocol::sourceName(a, sourceNames[a - 1]);
    case Kind::ZoneName:
        return protocol::zoneName(a, zone.name);
    case Kind::ZoneVolume:
        return protocol::zoneVolume(a, zone.volume);
    case Kind::ZoneMute:
        return protocol::zoneMute(a, zone.muted);
    case Kind::ZoneFixed:
        return protocol::zoneFixed(a, zone.fixed);
    case Kind::ZonePower:
        return protocol::zonePower(a, zone.powered);
    case Kind::ZoneBalance:
        return protocol::zoneBalance(a, zone.balance);
    case Kind::ZonePowerOnVolume:
        return protocol::zonePowerOnVolume(a, zone.powerOnVolume);
    case Kind::ZoneSource:
        return protocol::zoneSource(a, zone.source);
    case Kind::ZoneDspMode:
        return protocol::zoneDspMode(a, zone.dspMode);
    case Kind::ZoneEqBand:
        return protocol::zoneEqBand(a, b, zone.eq[b - 1]);
    case Kind::ZonePreset:
        return protocol::zonePresetSelect(a, zone.preset);
    case Kind::ZoneTone:
        return protocol::zoneTone(a, zone.bass, zone.treble);
    case Kind::ZoneLowpass:
        return protocol::zoneLowpass(a, zone.lowpass);
    case Kind::ZoneHighpass:
        return protocol::zoneHighpass(a, zone.highpass);
    case Kind::PresetName:
        return protocol::presetName(a, presets[a - 1].name);
    case Kind::PresetBand:
        return protocol::presetEqBand(a, b, presets[a - 1].eq[b - 1]);
    case Kind::Dhcp:
        return protocol::dhcpEnable(dhcp);
    case Kind::Sddp:
        return protocol::sddpEnable(sddp);
    case Kind::IpAddress:
        return protocol::ipAddress(ipAddress);
    case Kind::NetworkMask:
        return protocol::networkMask(networkMask);
    case Kind::Gateway:
        return protocol::gateway(gateway);
    case Kind::Brightness:
        return protocol::fpBrightness(brightness);
    case Kind::Sleep:
        return protocol::fpSleep(sleep);
    case Kind::IrLock:
        return protocol::fpIrLock(irLock);
    case Kind::PanelLock:
        return protocol::fpLock(panelLock);
    case Kind::SerialResponses:
        return protocol::serialResponses(serialResponses);
    case Kind::TriggerMode:
        return protocol::triggerMode(triggerMode);
    case Kind::TriggerTime:
        return protocol::triggerTime(triggerTime);
    case Kind::TriggerLevel:
        return protocol::triggerLevel(triggerLevel);
    case Kind::GroupName:
        return protocol::groupName(a, groups[a - 1].name);
    case Kind::GroupMember:
        return protocol::groupZone(a, b, groups[a - 1].hasMember(b));
    case Kind::FavoriteName:
        return protocol::favoriteName(a, favorites[a - 1].name);
    case Kind::FavoriteZone: {
        const int source = favorites[a - 1].source[b - 1];
        return source == Bypass ? protocol::favoriteZoneBypass(a, b)
                                : protocol::favoriteZoneSource(a, b, source);
    }
    }
    return QByteArray();
}

namespace settingtext {

QString onOff(bool on)
{
    return on ? QStringLiteral("On") : QStringLiteral("Off");
}

QString decibels(int db)
{
    return QStringLiteral("%1 dB").arg(db);
}

QString balanceText(int balance)
{
    if (balance < 0)
        return QStringLiteral("%1 left").arg(-balance);
    if (balance > 0)
        return QStringLiteral("%1 right").arg(balance);
    return QStringLiteral("centre");
}

QString modeText(int mode)
{
    static const char *const names[] = {"Disabled", "EQ", "Preset", "Tone", "Lowpass", "Highpass"};
    return mode >= 0 && mode < 6 ? QString::fromLatin1(names[mode]) : QString::number(mode);
}

QString toneText(int bass, int treble)
{
    return QStringLiteral("bass %1 dB, treble %2 dB").arg(bass).arg(treble);
}

QString triggerModeText(int mode)
{
    static const char *const names[] = {"Wired IR", "Trigger", "Trigger + Serial"};
    return mode >= 0 && mode < 3 ? QString::fromLatin1(names[mode]) : QString::number(mode);
}

QString favoriteSourceText(int source)
{
    return source == UnitSettings::Bypass ? QStringLiteral("Bypass")
                                          : QStringLiteral("Source %1").arg(source);
}

} // namespace settingtext

QString UnitSettings::valueText(const Setting &s) const
{
    using namespace settingtext;
    const int a = s.first;
    const int b = s.second;
    const Zone &zone = zones[qBound(1, a, ZoneCount) - 1];
    const auto hertz = [](int hz) { return QStringLiteral("%1 Hz").arg(hz); };
    switch (s.kind) {
    case Kind::SourceName:
        return sourceNames[a - 1];
    case Kind::ZoneName:
        return zone.name;
    case Kind::ZoneVolume:
        return decibels(zone.volume);
    case Kind::ZoneMute:
        return onOff(zone.muted);
    case Kind::ZoneFixed:
        return onOff(zone.fixed);
    case Kind::ZonePower:
        return onOff(zone.powered);
    case Kind::ZoneBalance:
        return balanceText(zone.balance);
    case Kind::ZonePowerOnVolume:
        return decibels(zone.powerOnVolume);
    case Kind::ZoneSource:
        return QStringLiteral("Source %1").arg(zone.source);
    case Kind::ZoneDspMode:
        return modeText(zone.dspMode);
    case Kind::ZoneEqBand:
        return decibels(zone.eq[b - 1]);
    case Kind::ZonePreset:
        return QStringLiteral("Preset %1").arg(zone.preset);
    case Kind::ZoneTone:
        return toneText(zone.bass, zone.treble);
    case Kind::ZoneLowpass:
        return hertz(zone.lowpass);
    case Kind::ZoneHighpass:
        return hertz(zone.highpass);
    case Kind::PresetName:
        return presets[a - 1].name;
    case Kind::PresetBand:
        return decibels(presets[a - 1].eq[b - 1]);
    case Kind::Dhcp:
        return onOff(dhcp);
    case Kind::Sddp:
        return onOff(sddp);
    case Kind::IpAddress:
        return ipAddress;
    case Kind::NetworkMask:
        return networkMask;
    case Kind::Gateway:
        return gateway;
    case Kind::Brightness:
        return QStringLiteral("%1%").arg(100 - 25 * brightness);
    case Kind::Sleep:
        return QStringLiteral("%1 Minute(s)").arg(sleep);
    case Kind::IrLock:
        return onOff(irLock);
    case Kind::PanelLock:
        return onOff(panelLock);
    case Kind::SerialResponses:
        return onOff(serialResponses);
    case Kind::TriggerMode:
        return triggerModeText(triggerMode);
    case Kind::TriggerTime:
        return QStringLiteral("%1 Minutes").arg(triggerTime);
    case Kind::TriggerLevel:
        return QStringLiteral("%1 mVRMS").arg(triggerLevel);
    case Kind::GroupName:
        return groups[a - 1].name;
    case Kind::GroupMember:
        return groups[a - 1].hasMember(b) ? QStringLiteral("Member") : QStringLiteral("Not a member");
    case Kind::FavoriteName:
        return favorites[a - 1].name;
    case Kind::FavoriteZone:
        return favoriteSourceText(favorites[a - 1].source[b - 1]);
    }
    return QString();
}

namespace {

// One step of a Send All: a setting and the commands that send it. A step
// that a governing setting decides on (a zone's DSP parameters on its mode,
// the static address on DHCP) names the step of that setting.
struct Step {
    Setting setting;
    QList<QByteArray> commands;
    int governor = -1; // index of the governing step, -1 for none
};

bool modeUses(int mode, Kind kind)
{
    switch (kind) {
    case Kind::ZoneEqBand:
        return mode == UnitSettings::Eq;
    case Kind::ZonePreset:
        return mode == UnitSettings::Preset;
    case Kind::ZoneTone:
        return mode == UnitSettings::Tone;
    case Kind::ZoneLowpass:
        return mode == UnitSettings::Lowpass;
    case Kind::ZoneHighpass:
        return mode == UnitSettings::Highpass;
    default:
        return false;
    }
}

// The steps of a Send All of the settings `m` holds, in Send All order.
QVector<Step> sendAllSteps(const UnitSettings &m)
{
    QVector<Step> steps;
    steps.reserve(UnitSettings::SettingCount);
    const auto add = [&](Kind kind, int first = 0, int second = 0, int governor = -1, int times = 1) {
        const Setting s{kind, first, second};
        if (!m.holds(s))
            return -1;
        const QByteArray command = m.commandOf(s);
        QList<QByteArray> commands;
        for (int t = 0; t < times; ++t)
            commands << command;
        steps.append({s, commands, governor});
        return int(steps.size()) - 1;
    };

    for (int s = 1; s <= SourceCount; ++s)
        add(Kind::SourceName, s);
    for (int z = 1; z <= ZoneCount; ++z)
        add(Kind::ZoneName, z);
    for (int z = 1; z <= ZoneCount; ++z)
        add(Kind::ZoneVolume, z);
    // The window's zone rows hold mute, fixed and power in this order.
    for (int z = 1; z <= ZoneCount; ++z) {
        add(Kind::ZoneMute, z);
        add(Kind::ZoneFixed, z);
        add(Kind::ZonePower, z);
    }
    for (int z = 1; z <= ZoneCount; ++z) {
        add(Kind::ZoneBalance, z);
        add(Kind::ZonePowerOnVolume, z);
    }
    // A zone's mode, then what the mode uses; without the mode, whatever
    // parameters are held.
    for (int z = 1; z <= ZoneCount; ++z) {
        const int mode = add(Kind::ZoneDspMode, z);
        const int dspMode = m.zones[z - 1].dspMode;
        const auto param = [&](Kind kind, int band = 0) {
            if (mode < 0)
                add(kind, z, band);
            else if (modeUses(dspMode, kind))
                // The window sends the tone once for the bass and once for the treble.
                add(kind, z, band, mode, kind == Kind::ZoneTone ? 2 : 1);
        };
        for (int b = 1; b <= BandCount; ++b)
            param(Kind::ZoneEqBand, b);
        param(Kind::ZonePreset);
        param(Kind::ZoneTone);
        param(Kind::ZoneLowpass);
        param(Kind::ZoneHighpass);
    }
    for (int p = 1; p <= PresetCount; ++p) {
        add(Kind::PresetName, p);
        for (int b = 1; b <= BandCount; ++b)
            add(Kind::PresetBand, p, b);
    }
    const int dhcp = add(Kind::Dhcp);
    add(Kind::Sddp);
    // The static address only while the unit does not take one by DHCP.
    if (dhcp < 0 || !m.dhcp) {
        for (const Kind kind : {Kind::IpAddress, Kind::NetworkMask, Kind::Gateway})
            add(kind, 0, 0, dhcp);
    }
    for (const Kind kind : {Kind::Brightness, Kind::Sleep, Kind::IrLock, Kind::PanelLock,
                            Kind::SerialResponses, Kind::TriggerMode, Kind::TriggerTime, Kind::TriggerLevel})
        add(kind);
    for (int g = 1; g <= GroupCount; ++g) {
        add(Kind::GroupName, g);
        for (int z = 1; z <= ZoneCount; ++z)
            add(Kind::GroupMember, g, z);
    }
    for (int f = 1; f <= FavoriteCount; ++f) {
        add(Kind::FavoriteName, f);
        for (int z = 1; z <= ZoneCount; ++z)
            add(Kind::FavoriteZone, f, z);
    }
    return steps;
}

} // namespace

QList<QByteArray> UnitSettings::sendAllCommands() const
{
    QList<QByteArray> list;
    for (const Step &step : sendAllSteps(*this))
        list += step.commands;
    return list;
}

QVector<UnitSettings::Difference> UnitSettings::differences(const UnitSettings &wanted) const
{
    const QVector<Step> steps = sendAllSteps(wanted);
    // A governing setting that differs is sent with the steps it governs,
    // which are then not listed on their own.
    QVector<bool> listed(steps.size(), false);
    QVector<Difference> list;
    for (int i = 0; i < steps.size(); ++i) {
        const Step &step = steps[i];
        if (step.governor >= 0 && listed[step.governor])
            continue;
        const Setting &s = step.setting;
        const QByteArray command = wanted.commandOf(s);
        if (holds(s) && commandOf(s) == command)
            continue;
        listed[i] = true;
        Difference d{s.page(),
                     s.name(),
                     holds(s) ? valueText(s) : QStringLiteral("(not set)"),
                     wanted.valueText(s),
                     {command}};
        for (int j = i + 1; j < steps.size(); ++j) {
            if (steps[j].governor == i)
                d.commands += steps[j].commands;
        }
        list.append(d);
    }
    return list;
}

namespace {

template <typename T, int N> bool sameArray(const T (&a)[N], const T (&b)[N])
{
    return std::equal(a, a + N, b);
}

} // namespace

bool UnitSettings::Zone::operator==(const Zone &b) const
{
    const Zone &a = *this;
    return a.name == b.name && a.volume == b.volume && a.fixed == b.fixed && a.muted == b.muted &&
           a.powered == b.powered && a.powerOnVolume == b.powerOnVolume && a.balance == b.balance &&
           a.source == b.source && a.dspMode == b.dspMode && a.bass == b.bass && a.treble == b.treble &&
           sameArray(a.eq, b.eq) && a.preset == b.preset && a.lowpass == b.lowpass &&
           a.highpass == b.highpass;
}

bool UnitSettings::PresetEq::operator==(const PresetEq &b) const
{
    return name == b.name && sameArray(eq, b.eq);
}

bool UnitSettings::Group::operator==(const Group &b) const
{
    return name == b.name && members == b.members;
}

bool UnitSettings::Favorite::operator==(const Favorite &b) const
{
    return name == b.name && sameArray(source, b.source);
}

bool UnitSettings::operator==(const UnitSettings &b) const
{
    const UnitSettings &a = *this;
    return a.held == b.held && sameArray(a.sourceNames, b.sourceNames) && sameArray(a.zones, b.zones) &&
           sameArray(a.presets, b.presets) && sameArray(a.groups, b.groups) &&
           sameArray(a.favorites, b.favorites) && a.dhcp == b.dhcp && a.sddp == b.sddp &&
           a.ipAddress == b.ipAddress && a.networkMask == b.networkMask && a.gateway == b.gateway &&
           a.brightness == b.brightness && a.sleep == b.sleep && a.panelLock == b.panelLock &&
           a.irLock == b.irLock && a.serialResponses == b.serialResponses && a.triggerMode == b.triggerMode &&
           a.triggerLevel == b.triggerLevel && a.triggerTime == b.triggerTime;
}
