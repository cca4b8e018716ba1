#include "sim/unit_state.h"

#include "protocol/core/line_framer.h"
#include "protocol/core/messages.h"
#include "sim/frame_splitter.h"

#include <QFile>

#include <algorithm>

using protocol::Field;
using protocol::Message;

namespace {

QByteArray reply(Message id, const QVector<Field> &fields)
{
    return protocol::replyLine(id, fields);
}

int levelOf(int volume)
{
    return (volume + 80) * 100 / 80;
}

} // namespace

UnitState::UnitState()
{
    for (int s = 0; s < Sources; ++s)
        state.sourceNames[s] = QStringLiteral("Source Name %1").arg(s + 1);
    for (int z = 0; z < Zones; ++z)
        state.zones[z].name = QStringLiteral("Zone Name %1").arg(z + 1);
    for (int p = 0; p < Presets; ++p)
        state.presets[p].name = QStringLiteral("Preset Name %1").arg(p + 1);
    for (int g = 0; g < Groups; ++g)
        state.groups[g].name = QStringLiteral("Group Name %1").arg(g + 1);
    for (int f = 0; f < Favorites; ++f)
        state.favorites[f].name = QStringLiteral("Favorite Name %1").arg(f + 1);
}

UnitState::Outcome UnitState::apply(const QByteArray &frame)
{
    Outcome outcome;
    const auto parsed = protocol::parseFrame(decodeUtf8UpToNul(frame));
    if (!parsed || !protocol::withinRanges(*parsed))
        return outcome;
    outcome.accepted = true;

    const int *n = parsed->numbers;
    const QString &text = parsed->texts[0];
    const QString &name = parsed->texts[1];
    // Indices on the wire count from 1.
    Zone &zone = state.zones[qBound(1, n[0], Zones) - 1];

    switch (parsed->id) {
    case Message::QueryAll:
        outcome.replies = dump();
        return outcome;
    case Message::QueryOutputLevels:
        outcome.replies = outputLevels();
        return outcome;
    case Message::AllZonesMax:
        for (int z = 0; z < Zones; ++z) {
            state.zones[z].volume = 0;
            outcome.replies.append(reply(Message::ZoneVolume, {z + 1, 0}));
        }
        return outcome;
    case Message::NetworkCommit:
        outcome.networkCommit = true;
        return outcome;
    case Message::ZoneVolume:
        zone.volume = n[1];
        break;
    case Message::ZoneSource:
        zone.source = n[1];
        break;
    case Message::ZoneUnmute:
        zone.muted = false;
        break;
    case Message::ZoneMute:
        zone.muted = true;
        break;
    case Message::SourceName:
        state.sourceNames[n[0] - 1] = name;
        break;
    case Message::ZoneName:
        zone.name = name;
        break;
    case Message::ZoneFixed:
        zone.fixed = n[1] == 1;
        break;
    case Message::ZonePowerOff:
        zone.powered = false;
        break;
    case Message::ZonePowerOnVolume:
        zone.powerOnVolume = n[1];
        break;
    case Message::ZonePowerOn:
        zone.powered = true;
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
        state.presets[n[0] - 1].name = name;
        break;
    case Message::PresetEqBand:
        state.presets[n[0] - 1].eq[n[1] - 1] = n[2];
        break;
    case Message::DhcpEnable:
        state.dhcp = n[0] == 1;
        break;
    case Message::SddpEnable:
        state.sddp = n[0] == 1;
        break;
    case Message::Gateway:
        state.gateway = text;
        break;
    case Message::IpAddress:
        state.ipAddress = text;
        break;
    case Message::NetworkMask:
        state.networkMask = text;
        break;
    case Message::FpBrightness:
        state.brightness = n[0];
        break;
    case Message::FpSleep:
        state.sleep = n[0];
        break;
    case Message::FpLock:
        state.panelLock = n[0] == 1;
        break;
    case Message::FpIrLock:
        state.irLock = n[0] == 1;
        break;
    case Message::TriggerMode:
        state.triggerMode = n[0];
        break;
    case Message::TriggerLevel:
        state.triggerLevel = n[0];
        break;
    case Message::TriggerTime:
        state.triggerTime = n[0];
        break;
    case Message::SerialResponses:
        state.serialResponses = n[0] == 1;
        break;
    case Message::GroupAddZone:
        state.groups[n[0] - 1].members |= quint16(1u << (n[1] - 1));
        break;
    case Message::GroupRemoveZone:
        state.groups[n[0] - 1].members &= quint16(~(1u << (n[1] - 1)));
        break;
    case Message::GroupName:
        state.groups[n[0] - 1].name = name;
        break;
    case Message::FavoriteZoneSource:
        state.favorites[n[0] - 1].source[n[1] - 1] = n[2];
        break;
    case Message::FavoriteName:
        state.favorites[n[0] - 1].name = name;
        break;
    case Message::FavoriteZoneBypass:
        state.favorites[n[0] - 1].source[n[1] - 1] = 0;
        break;
    case Message::OutputLevelLeft:
    case Message::OutputLevelRight:
        // Reply-only forms never parse as commands.
        outcome.accepted = false;
        return outcome;
    }
    // The echo is the canonical form of what was stored.
    const QByteArray frameText = protocol::rebuild(*parsed);
    outcome.replies.append(frameText.mid(1, frameText.size() - 2));
    return outcome;
}

QList<QByteArray> UnitState::dump() const
{
    QList<QByteArray> lines;
    for (int s = 0; s < Sources; ++s)
        lines << reply(Message::SourceName, {s + 1, state.sourceNames[s]});
    for (int z = 0; z < Zones; ++z)
        lines << reply(Message::ZoneName, {z + 1, state.zones[z].name});

    // Per zone: a listening window sets the slider from the power-on volume
    // when the zone powers on, and locks it when the zone is fixed, so the
    // volume comes after power, and fixed on comes last.
    for (int z = 0; z < Zones; ++z) {
        const Zone &zone = state.zones[z];
        const int number = z + 1;
        lines << reply(Message::ZonePowerOnVolume, {number, zone.powerOnVolume});
        if (!zone.fixed)
            lines << reply(Message::ZoneFixed, {number, 0});
        lines << reply(zone.powered ? Message::ZonePowerOn : Message::ZonePowerOff, {number});
        lines << reply(Message::ZoneVolume, {number, zone.volume});
        lines << reply(zone.muted ? Message::ZoneMute : Message::ZoneUnmute, {number});
        if (zone.fixed)
            lines << reply(Message::ZoneFixed, {number, 1});
        lines << (zone.balance < 0 ? reply(Message::ZoneBalanceLeft, {number, -zone.balance})
                                   : reply(Message::ZoneBalanceRight, {number, zone.balance}));
        lines << reply(Message::ZoneSource, {number, zone.source});
    }

    for (int p = 0; p < Presets; ++p) {
        lines << reply(Message::PresetName, {p + 1, state.presets[p].name});
        for (int b = 0; b < Bands; ++b)
            lines << reply(Message::PresetEqBand, {p + 1, b + 1, state.presets[p].eq[b]});
    }
    // The mode last: a window showing this zone reloads its page from it.
    for (int z = 0; z < Zones; ++z) {
        const Zone &zone = state.zones[z];
        const int number = z + 1;
        lines << reply(Message::ZoneTone, {number, zone.bass, zone.treble});
        lines << reply(Message::ZoneHighpass, {number, zone.highpass});
        lines << reply(Message::ZoneLowpass, {number, zone.lowpass});
        for (int b = 0; b < Bands; ++b)
            lines << reply(Message::ZoneEqBand, {number, b + 1, zone.eq[b]});
        lines << reply(Message::ZonePresetSelect, {number, zone.preset});
        lines << reply(Message::ZoneDspMode, {number, zone.dspMode});
    }

    lines << reply(Message::DhcpEnable, {state.dhcp ? 1 : 0});
    lines << reply(Message::SddpEnable, {state.sddp ? 1 : 0});
    lines << reply(Message::IpAddress, {state.ipAddress});
    lines << reply(Message::NetworkMask, {state.networkMask});
    lines << reply(Message::Gateway, {state.gateway});
    lines << reply(Message::FpBrightness, {state.brightness});
    lines << reply(Message::FpSleep, {state.sleep});
    lines << reply(Message::FpIrLock, {state.irLock ? 1 : 0});
    lines << reply(Message::FpLock, {state.panelLock ? 1 : 0});
    lines << reply(Message::SerialResponses, {state.serialResponses ? 1 : 0});
    lines << reply(Message::TriggerMode, {state.triggerMode});
    lines << reply(Message::TriggerTime, {state.triggerTime});
    lines << reply(Message::TriggerLevel, {state.triggerLevel});

    for (int g = 0; g < Groups; ++g) {
        const Group &group = state.groups[g];
        lines << reply(Message::GroupName, {g + 1, group.name});
        for (int z = 0; z < Zones; ++z) {
            const bool member = group.members & (1u << z);
            lines << reply(member ? Message::GroupAddZone : Message::GroupRemoveZone, {g + 1, z + 1});
        }
    }
    for (int f = 0; f < Favorites; ++f) {
        const Favorite &favorite = state.favorites[f];
        lines << reply(Message::FavoriteName, {f + 1, favorite.name});
        for (int z = 0; z < Zones; ++z) {
            const int source = favorite.source[z];
            lines << (source == 0 ? reply(Message::FavoriteZoneBypass, {f + 1, z + 1})
                                  : reply(Message::FavoriteZoneSource, {f + 1, z + 1, source}));
        }
    }
    return lines;
}

QList<QByteArray> UnitState::outputLevels() const
{
    QList<QByteArray> lines;
    for (int z = 0; z < Zones; ++z) {
        const Zone &zone = state.zones[z];
        int left = 0;
        int right = 0;
        if (zone.powered && !zone.muted) {
            const int level = levelOf(zone.fixed ? 0 : zone.volume);
            left = zone.balance > 0 ? level * (80 - zone.balance) / 80 : level;
            right = zone.balance < 0 ? level * (80 + zone.balance) / 80 : level;
        }
        lines << reply(Message::OutputLevelLeft, {z + 1, left});
        lines << reply(Message::OutputLevelRight, {z + 1, right});
    }
    return lines;
}

int UnitState::applyText(const QByteArray &text)
{
    int accepted = 0;
    FrameSplitter splitter;
    for (const QByteArray &rawLine : text.split('\n')) {
        const QByteArray line = rawLine.trimmed();
        if (line.isEmpty())
            continue;
        // Frames in a configuration file; a bare line is a reply of a dump.
        const QList<QByteArray> frames =
            line.contains('[') ? splitter.feed(line + '\n') : QList<QByteArray>{'[' + line + ']'};
        for (const QByteArray &frame : frames) {
            if (apply(frame).accepted)
                ++accepted;
        }
    }
    return accepted;
}

bool UnitState::loadFile(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return false;
    }
    // A configuration file is a few kilobytes; refuse anything absurd rather
    // than read it all into memory.
    constexpr qint64 limit = 16 * 1024 * 1024;
    if (file.size() > limit) {
        if (error)
            *error = QStringLiteral("%1 is too large for a configuration file").arg(path);
        return false;
    }
    applyText(file.readAll());
    return true;
}

namespace {

template <typename T, int N> bool sameArray(const T (&a)[N], const T (&b)[N])
{
    return std::equal(a, a + N, b);
}

} // namespace

bool UnitState::Zone::operator==(const Zone &b) const
{
    const Zone &a = *this;
    return a.name == b.name && a.volume == b.volume && a.fixed == b.fixed && a.muted == b.muted &&
           a.powered == b.powered && a.powerOnVolume == b.powerOnVolume && a.balance == b.balance &&
           a.source == b.source && a.dspMode == b.dspMode && a.bass == b.bass && a.treble == b.treble &&
           sameArray(a.eq, b.eq) && a.preset == b.preset && a.lowpass == b.lowpass &&
           a.highpass == b.highpass;
}

bool UnitState::Preset::operator==(const Preset &b) const
{
    return name == b.name && sameArray(eq, b.eq);
}

bool UnitState::Group::operator==(const Group &b) const
{
    return name == b.name && members == b.members;
}

bool UnitState::Favorite::operator==(const Favorite &b) const
{
    return name == b.name && sameArray(source, b.source);
}

bool UnitState::operator==(const UnitState &other) const
{
    const Settings &a = state;
    const Settings &b = other.state;
    return sameArray(a.sourceNames, b.sourceNames) && sameArray(a.zones, b.zones) &&
           sameArray(a.presets, b.presets) && sameArray(a.groups, b.groups) &&
           sameArray(a.favorites, b.favorites) && a.dhcp == b.dhcp && a.sddp == b.sddp &&
           a.ipAddress == b.ipAddress && a.networkMask == b.networkMask && a.gateway == b.gateway &&
           a.brightness == b.brightness && a.sleep == b.sleep && a.panelLock == b.panelLock &&
           a.irLock == b.irLock && a.serialResponses == b.serialResponses && a.triggerMode == b.triggerMode &&
           a.triggerLevel == b.triggerLevel && a.triggerTime == b.triggerTime;
}

QStringList UnitState::differences(const UnitState &other) const
{
    const QList<QByteArray> mine = dump();
    const QList<QByteArray> theirs = other.dump();
    QStringList lines;
    for (int i = 0; i < qMax(mine.size(), theirs.size()); ++i) {
        const QByteArray a = mine.value(i);
        const QByteArray b = theirs.value(i);
        if (a != b)
            lines << QString::fromUtf8(a + " | " + b);
    }
    return lines;
}
