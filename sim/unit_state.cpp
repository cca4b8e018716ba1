#include "sim/unit_state.h"

#include "protocol/core/config_file_reader.h"
#include "protocol/core/line_framer.h"
#include "protocol/core/messages.h"
#include "sim/frame_splitter.h"

#include <QFile>

using protocol::Field;
using protocol::Message;

namespace {

constexpr int Sources = protocol::SourceCount;
constexpr int Zones = protocol::ZoneCount;
constexpr int Presets = protocol::PresetCount;
constexpr int Bands = protocol::BandCount;
constexpr int Groups = protocol::GroupCount;
constexpr int Favorites = protocol::FavoriteCount;
using Zone = UnitSettings::Zone;
using Group = UnitSettings::Group;
using Favorite = UnitSettings::Favorite;

QByteArray reply(Message id, const QVector<Field> &fields)
{
    return protocol::replyLine(id, fields);
}

int levelOf(int volume)
{
    return (volume + 80) * 100 / 80;
}

} // namespace

UnitState::Outcome UnitState::apply(const QByteArray &frame)
{
    Outcome outcome;
    const auto parsed = protocol::parseFrame(decodeUtf8UpToNul(frame));
    if (!parsed || !protocol::withinRanges(*parsed))
        return outcome;
    outcome.accepted = true;

    switch (parsed->id) {
    case Message::QueryAll:
        outcome.replies = dump();
        outcome.wholeAnswer = true;
        return outcome;
    case Message::QueryOutputLevels:
        outcome.replies = outputLevels();
        return outcome;
    case Message::AllZonesMax:
        for (int z = 1; z <= Zones; ++z) {
            state.apply(protocol::zoneVolume(z, 0));
            outcome.replies.append(reply(Message::ZoneVolume, {z, 0}));
        }
        return outcome;
    case Message::NetworkCommit:
        outcome.networkCommit = true;
        return outcome;
    default:
        break;
    }
    // Every other command is a setting; reply-only forms never parse as
    // commands.
    if (!state.apply(*parsed)) {
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

    // Per zone: a listening window (and a model reading the unit) puts a
    // zone made fixed at 0 dB, unmuted and powered, and a zone powering on at
    // its power-on volume, so fixed comes first and the volume and mute
    // after power.
    for (int z = 0; z < Zones; ++z) {
        const Zone &zone = state.zones[z];
        const int number = z + 1;
        lines << reply(Message::ZonePowerOnVolume, {number, zone.powerOnVolume});
        lines << reply(Message::ZoneFixed, {number, zone.fixed ? 1 : 0});
        lines << reply(zone.powered ? Message::ZonePowerOn : Message::ZonePowerOff, {number});
        lines << reply(Message::ZoneVolume, {number, zone.volume});
        lines << reply(zone.muted ? Message::ZoneMute : Message::ZoneUnmute, {number});
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
            lines << (source == UnitSettings::Bypass
                          ? reply(Message::FavoriteZoneBypass, {f + 1, z + 1})
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
    // Line by line as the window loads a file: the same lines set the same
    // settings, and an overlong line is passed over, never held in memory.
    ConfigFileReader reader(&file);
    for (ConfigFileReader::Line line; reader.next(&line);)
        if (line.whole)
            state.apply(line.bytes);
    if (reader.failed()) {
        if (error)
            *error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

QStringList UnitState::differences(const UnitState &other) const
{
    QStringList lines;
    for (const UnitSettings::Difference &difference : state.differences(other.state))
        lines << QStringLiteral("%1: %2 | %3").arg(difference.setting, difference.current, difference.wanted);
    return lines;
}
