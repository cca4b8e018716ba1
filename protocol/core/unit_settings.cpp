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

bool UnitSettings::apply(const QByteArray &line)
{
    return apply(decodeUtf8UpToNul(line));
}

bool UnitSettings::apply(const QString &text)
{
    const std::optional<protocol::ParsedFrame> frame = settingOfLine(text);
    return frame && apply(*frame);
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
        if (row.fields[f].kind == protocol::FieldKind::Number)
            frame.numbers[f] = reply.value[f];
        else
            frame.texts[f] = reply.text[f];
    }
    return frame;
}

bool UnitSettings::apply(const protocol::ParsedFrame &frame)
{
    if (!protocol::withinRanges(frame))
        return false;

    const int *n = frame.numbers;
    const QString &address = frame.texts[0];
    const QString &name = frame.texts[1];
    // Every field is within its range here; indices on the wire count from 1.
    Zone &zone = zones[qBound(1, n[0], ZoneCount) - 1];

    switch (frame.id) {
    case Message::ZoneVolume:
        zone.volume = n[1];
        return true;
    case Message::ZoneSource:
        zone.source = n[1];
        return true;
    case Message::ZoneUnmute:
        zone.muted = false;
        return true;
    case Message::ZoneMute:
        zone.muted = true;
        return true;
    case Message::SourceName:
        sourceNames[n[0] - 1] = name;
        return true;
    case Message::ZoneName:
        zone.name = name;
        return true;
    case Message::ZoneFixed:
        zone.fixed = n[1] == 1;
        return true;
    case Message::ZonePowerOff:
        zone.powered = false;
        return true;
    case Message::ZonePowerOnVolume:
        zone.powerOnVolume = n[1];
        return true;
    case Message::ZonePowerOn:
        zone.powered = true;
        return true;
    case Message::ZoneBalanceLeft:
        zone.balance = -n[1];
        return true;
    case Message::ZoneBalanceRight:
        zone.balance = n[1];
        return true;
    case Message::ZoneDspMode:
        zone.dspMode = n[1];
        return true;
    case Message::ZoneTone:
        zone.bass = n[1];
        zone.treble = n[2];
        return true;
    case Message::ZoneHighpass:
        zone.highpass = n[1];
        return true;
    case Message::ZoneLowpass:
        zone.lowpass = n[1];
        return true;
    case Message::ZoneEqBand:
        zone.eq[n[1] - 1] = n[2];
        return true;
    case Message::ZonePresetSelect:
        zone.preset = n[1];
        return true;
    case Message::PresetName:
        presets[n[0] - 1].name = name;
        return true;
    case Message::PresetEqBand:
        presets[n[0] - 1].eq[n[1] - 1] = n[2];
        return true;
    case Message::DhcpEnable:
        dhcp = n[0] == 1;
        return true;
    case Message::SddpEnable:
        sddp = n[0] == 1;
        return true;
    case Message::Gateway:
        gateway = address;
        return true;
    case Message::IpAddress:
        ipAddress = address;
        return true;
    case Message::NetworkMask:
        networkMask = address;
        return true;
    case Message::FpBrightness:
        brightness = n[0];
        return true;
    case Message::FpSleep:
        sleep = n[0];
        return true;
    case Message::FpLock:
        panelLock = n[0] == 1;
        return true;
    case Message::FpIrLock:
        irLock = n[0] == 1;
        return true;
    case Message::TriggerMode:
        triggerMode = n[0];
        return true;
    case Message::TriggerLevel:
        triggerLevel = n[0];
        return true;
    case Message::TriggerTime:
        triggerTime = n[0];
        return true;
    case Message::SerialResponses:
        serialResponses = n[0] == 1;
        return true;
    case Message::GroupAddZone:
        groups[n[0] - 1].members |= quint16(1u << (n[1] - 1));
        return true;
    case Message::GroupRemoveZone:
        groups[n[0] - 1].members &= quint16(~(1u << (n[1] - 1)));
        return true;
    case Message::GroupName:
        groups[n[0] - 1].name = name;
        return true;
    case Message::FavoriteZoneSource:
        favorites[n[0] - 1].source[n[1] - 1] = n[2];
        return true;
    case Message::FavoriteName:
        favorites[n[0] - 1].name = name;
        return true;
    case Message::FavoriteZoneBypass:
        favorites[n[0] - 1].source[n[1] - 1] = Bypass;
        return true;
    case Message::OutputLevelLeft:
    case Message::OutputLevelRight:
    case Message::AllZonesMax:
    case Message::QueryOutputLevels:
    case Message::NetworkCommit:
    case Message::QueryAll:
        break;
    }
    return false; // not a setting
}

namespace {

QByteArray favoriteCommand(int favorite, int zone, int source)
{
    return source == UnitSettings::Bypass ? protocol::favoriteZoneBypass(favorite, zone)
                                          : protocol::favoriteZoneSource(favorite, zone, source);
}

} // namespace

QList<QByteArray> UnitSettings::dspCommands(int number) const
{
    const Zone &zone = zones[number - 1];
    QList<QByteArray> list{protocol::zoneDspMode(number, zone.dspMode)};
    switch (zone.dspMode) {
    case Eq:
        for (int b = 0; b < BandCount; ++b)
            list << protocol::zoneEqBand(number, b + 1, zone.eq[b]);
        break;
    case Preset:
        list << protocol::zonePresetSelect(number, zone.preset);
        break;
    case Tone:
        // The window sends the tone once for the bass and once for the treble.
        list << protocol::zoneTone(number, zone.bass, zone.treble)
             << protocol::zoneTone(number, zone.bass, zone.treble);
        break;
    case Lowpass:
        list << protocol::zoneLowpass(number, zone.lowpass);
        break;
    case Highpass:
        list << protocol::zoneHighpass(number, zone.highpass);
        break;
    default:
        break;
    }
    return list;
}

QList<QByteArray> UnitSettings::sendAllCommands() const
{
    QList<QByteArray> list;
    for (int s = 0; s < SourceCount; ++s)
        list << protocol::sourceName(s + 1, sourceNames[s]);
    for (int z = 0; z < ZoneCount; ++z)
        list << protocol::zoneName(z + 1, zones[z].name);
    for (int z = 0; z < ZoneCount; ++z)
        list << protocol::zoneVolume(z + 1, zones[z].volume);
    // The window's zone rows hold mute, fixed and power in this order.
    for (int z = 0; z < ZoneCount; ++z) {
        list << protocol::zoneMute(z + 1, zones[z].muted) << protocol::zoneFixed(z + 1, zones[z].fixed)
             << protocol::zonePower(z + 1, zones[z].powered);
    }
    for (int z = 0; z < ZoneCount; ++z) {
        list << protocol::zoneBalance(z + 1, zones[z].balance)
             << protocol::zonePowerOnVolume(z + 1, zones[z].powerOnVolume);
    }
    for (int z = 0; z < ZoneCount; ++z)
        list << dspCommands(z + 1);
    for (int p = 0; p < PresetCount; ++p) {
        list << protocol::presetName(p + 1, presets[p].name);
        for (int b = 0; b < BandCount; ++b)
            list << protocol::presetEqBand(p + 1, b + 1, presets[p].eq[b]);
    }
    list << protocol::dhcpEnable(dhcp) << protocol::sddpEnable(sddp);
    // The static address only while the unit does not take one by DHCP.
    if (!dhcp)
        list << protocol::ipAddress(ipAddress) << protocol::networkMask(networkMask)
             << protocol::gateway(gateway);
    list << protocol::fpBrightness(brightness) << protocol::fpSleep(sleep) << protocol::fpIrLock(irLock)
         << protocol::fpLock(panelLock) << protocol::serialResponses(serialResponses)
         << protocol::triggerMode(triggerMode) << protocol::triggerTime(triggerTime)
         << protocol::triggerLevel(triggerLevel);
    for (int g = 0; g < GroupCount; ++g) {
        list << protocol::groupName(g + 1, groups[g].name);
        for (int z = 0; z < ZoneCount; ++z)
            list << protocol::groupZone(g + 1, z + 1, groups[g].hasMember(z + 1));
    }
    for (int f = 0; f < FavoriteCount; ++f) {
        list << protocol::favoriteName(f + 1, favorites[f].name);
        for (int z = 0; z < ZoneCount; ++z)
            list << favoriteCommand(f + 1, z + 1, favorites[f].source[z]);
    }
    return list;
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

using namespace settingtext;

namespace {

const QString SourcePage = QStringLiteral("Source");
const QString ZonePage = QStringLiteral("Zone");
const QString DspPage = QStringLiteral("DSP");
const QString NetworkPage = QStringLiteral("Network/Misc");
const QString GroupsPage = QStringLiteral("Groups");
const QString FavoritesPage = QStringLiteral("Favorites");

// Collects differences in Send All order.
class DifferenceList
{
public:
    template <typename T, typename Text>
    void compare(const QString &page, const QString &setting, const T &current, const T &wanted, Text text,
                 const QList<QByteArray> &commands)
    {
        if (current != wanted)
            list.append({page, setting, text(current), text(wanted), commands});
    }
    void add(const QString &page, const QString &setting, const QString &current, const QString &wanted,
             const QList<QByteArray> &commands)
    {
        list.append({page, setting, current, wanted, commands});
    }
    QVector<UnitSettings::Difference> list;
};

const auto asText = [](const QString &text) { return text; };

} // namespace

QVector<UnitSettings::Difference> UnitSettings::differences(const UnitSettings &other) const
{
    DifferenceList d;
    for (int s = 0; s < SourceCount; ++s) {
        d.compare(SourcePage, QStringLiteral("Source %1 name").arg(s + 1), sourceNames[s],
                  other.sourceNames[s], asText, {protocol::sourceName(s + 1, other.sourceNames[s])});
    }

    const auto zoneSetting = [](int z, const char *what) {
        return QStringLiteral("Zone %1 %2").arg(z + 1).arg(QLatin1String(what));
    };
    for (int z = 0; z < ZoneCount; ++z)
        d.compare(ZonePage, zoneSetting(z, "name"), zones[z].name, other.zones[z].name, asText,
                  {protocol::zoneName(z + 1, other.zones[z].name)});
    for (int z = 0; z < ZoneCount; ++z)
        d.compare(ZonePage, zoneSetting(z, "volume"), zones[z].volume, other.zones[z].volume, decibels,
                  {protocol::zoneVolume(z + 1, other.zones[z].volume)});
    for (int z = 0; z < ZoneCount; ++z) {
        const Zone &mine = zones[z];
        const Zone &want = other.zones[z];
        d.compare(ZonePage, zoneSetting(z, "mute"), mine.muted, want.muted, onOff,
                  {protocol::zoneMute(z + 1, want.muted)});
        d.compare(ZonePage, zoneSetting(z, "fixed volume"), mine.fixed, want.fixed, onOff,
                  {protocol::zoneFixed(z + 1, want.fixed)});
        d.compare(ZonePage, zoneSetting(z, "power"), mine.powered, want.powered, onOff,
                  {protocol::zonePower(z + 1, want.powered)});
    }
    for (int z = 0; z < ZoneCount; ++z) {
        d.compare(ZonePage, zoneSetting(z, "balance"), zones[z].balance, other.zones[z].balance, balanceText,
                  {protocol::zoneBalance(z + 1, other.zones[z].balance)});
        d.compare(ZonePage, zoneSetting(z, "power-on volume"), zones[z].powerOnVolume,
                  other.zones[z].powerOnVolume, decibels,
                  {protocol::zonePowerOnVolume(z + 1, other.zones[z].powerOnVolume)});
    }
    // Not part of Send All, but a setting of the unit all the same.
    for (int z = 0; z < ZoneCount; ++z)
        d.compare(ZonePage, zoneSetting(z, "source"), zones[z].source, other.zones[z].source,
                  [](int source) { return QStringLiteral("Source %1").arg(source); },
                  {protocol::zoneSource(z + 1, other.zones[z].source)});

    for (int z = 0; z < ZoneCount; ++z) {
        const Zone &mine = zones[z];
        const Zone &want = other.zones[z];
        const int number = z + 1;
        // A new mode is sent with what it uses, as Send All sends it; those
        // parameters need no line of their own.
        int covered = -1;
        if (mine.dspMode != want.dspMode) {
            d.add(DspPage, zoneSetting(z, "DSP mode"), modeText(mine.dspMode), modeText(want.dspMode),
                  other.dspCommands(number));
            covered = want.dspMode;
        }
        if (covered != Eq) {
            for (int b = 0; b < BandCount; ++b)
                d.compare(DspPage, QStringLiteral("Zone %1 EQ band %2").arg(number).arg(b + 1), mine.eq[b],
                          want.eq[b], decibels, {protocol::zoneEqBand(number, b + 1, want.eq[b])});
        }
        if (covered != Preset)
            d.compare(DspPage, zoneSetting(z, "preset"), mine.preset, want.preset,
                      [](int preset) { return QStringLiteral("Preset %1").arg(preset); },
                      {protocol::zonePresetSelect(number, want.preset)});
        if (covered != Tone && (mine.bass != want.bass || mine.treble != want.treble))
            d.add(DspPage, zoneSetting(z, "tone"), toneText(mine.bass, mine.treble),
                  toneText(want.bass, want.treble), {protocol::zoneTone(number, want.bass, want.treble)});
        const auto hertz = [](int hz) { return QStringLiteral("%1 Hz").arg(hz); };
        if (covered != Lowpass)
            d.compare(DspPage, zoneSetting(z, "lowpass"), mine.lowpass, want.lowpass, hertz,
                      {protocol::zoneLowpass(number, want.lowpass)});
        if (covered != Highpass)
            d.compare(DspPage, zoneSetting(z, "highpass"), mine.highpass, want.highpass, hertz,
                      {protocol::zoneHighpass(number, want.highpass)});
    }
    for (int p = 0; p < PresetCount; ++p) {
        d.compare(DspPage, QStringLiteral("Preset %1 name").arg(p + 1), presets[p].name,
                  other.presets[p].name, asText, {protocol::presetName(p + 1, other.presets[p].name)});
        for (int b = 0; b < BandCount; ++b)
            d.compare(DspPage, QStringLiteral("Preset %1 band %2").arg(p + 1).arg(b + 1), presets[p].eq[b],
                      other.presets[p].eq[b], decibels,
                      {protocol::presetEqBand(p + 1, b + 1, other.presets[p].eq[b])});
    }

    // The static address counts only while the unit does not take one by
    // DHCP; switching to static sends all three lines, as Send All does.
    if (dhcp != other.dhcp) {
        QList<QByteArray> commands{protocol::dhcpEnable(other.dhcp)};
        if (!other.dhcp)
            commands << protocol::ipAddress(other.ipAddress) << protocol::networkMask(other.networkMask)
                     << protocol::gateway(other.gateway);
        d.add(NetworkPage, QStringLiteral("DHCP"), onOff(dhcp), onOff(other.dhcp), commands);
    }
    d.compare(NetworkPage, QStringLiteral("SDDP"), sddp, other.sddp, onOff,
              {protocol::sddpEnable(other.sddp)});
    if (!dhcp && !other.dhcp) {
        d.compare(NetworkPage, QStringLiteral("IP address"), ipAddress, other.ipAddress, asText,
                  {protocol::ipAddress(other.ipAddress)});
        d.compare(NetworkPage, QStringLiteral("Network mask"), networkMask, other.networkMask, asText,
                  {protocol::networkMask(other.networkMask)});
        d.compare(NetworkPage, QStringLiteral("Gateway"), gateway, other.gateway, asText,
                  {protocol::gateway(other.gateway)});
    }
    d.compare(NetworkPage, QStringLiteral("Front panel brightness"), brightness, other.brightness,
              [](int step) { return QStringLiteral("%1%").arg(100 - 25 * step); },
              {protocol::fpBrightness(other.brightness)});
    d.compare(NetworkPage, QStringLiteral("Front panel sleep"), sleep, other.sleep,
              [](int minutes) { return QStringLiteral("%1 Minute(s)").arg(minutes); },
              {protocol::fpSleep(other.sleep)});
    d.compare(NetworkPage, QStringLiteral("Front panel IR disable"), irLock, other.irLock, onOff,
              {protocol::fpIrLock(other.irLock)});
    d.compare(NetworkPage, QStringLiteral("Front panel lock"), panelLock, other.panelLock, onOff,
              {protocol::fpLock(other.panelLock)});
    d.compare(NetworkPage, QStringLiteral("Serial responses"), serialResponses, other.serialResponses, onOff,
              {protocol::serialResponses(other.serialResponses)});
    d.compare(NetworkPage, QStringLiteral("Trigger mode"), triggerMode, other.triggerMode, triggerModeText,
              {protocol::triggerMode(other.triggerMode)});
    d.compare(NetworkPage, QStringLiteral("Trigger time"), triggerTime, other.triggerTime,
              [](int minutes) { return QStringLiteral("%1 Minutes").arg(minutes); },
              {protocol::triggerTime(other.triggerTime)});
    d.compare(NetworkPage, QStringLiteral("Trigger level"), triggerLevel, other.triggerLevel,
              [](int millivolts) { return QStringLiteral("%1 mVRMS").arg(millivolts); },
              {protocol::triggerLevel(other.triggerLevel)});

    const auto membership = [](bool member) {
        return member ? QStringLiteral("Member") : QStringLiteral("Not a member");
    };
    for (int g = 0; g < GroupCount; ++g) {
        d.compare(GroupsPage, QStringLiteral("Group %1 name").arg(g + 1), groups[g].name,
                  other.groups[g].name, asText, {protocol::groupName(g + 1, other.groups[g].name)});
        for (int z = 1; z <= ZoneCount; ++z)
            d.compare(GroupsPage, QStringLiteral("Group %1 member Zone %2").arg(g + 1).arg(z),
                      groups[g].hasMember(z), other.groups[g].hasMember(z), membership,
                      {protocol::groupZone(g + 1, z, other.groups[g].hasMember(z))});
    }
    for (int f = 0; f < FavoriteCount; ++f) {
        d.compare(FavoritesPage, QStringLiteral("Favorite %1 name").arg(f + 1), favorites[f].name,
                  other.favorites[f].name, asText, {protocol::favoriteName(f + 1, other.favorites[f].name)});
        for (int z = 0; z < ZoneCount; ++z)
            d.compare(FavoritesPage, QStringLiteral("Favorite %1 Zone %2 source").arg(f + 1).arg(z + 1),
                      favorites[f].source[z], other.favorites[f].source[z], favoriteSourceText,
                      {favoriteCommand(f + 1, z + 1, other.favorites[f].source[z])});
    }
    return d.list;
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
    return sameArray(a.sourceNames, b.sourceNames) && sameArray(a.zones, b.zones) &&
           sameArray(a.presets, b.presets) && sameArray(a.groups, b.groups) &&
           sameArray(a.favorites, b.favorites) && a.dhcp == b.dhcp && a.sddp == b.sddp &&
           a.ipAddress == b.ipAddress && a.networkMask == b.networkMask && a.gateway == b.gateway &&
           a.brightness == b.brightness && a.sleep == b.sleep && a.panelLock == b.panelLock &&
           a.irLock == b.irLock && a.serialResponses == b.serialResponses && a.triggerMode == b.triggerMode &&
           a.triggerLevel == b.triggerLevel && a.triggerTime == b.triggerTime;
}
