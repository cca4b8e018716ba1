#include "protocol/core/unit_reader.h"

#include "protocol/core/messages.h"
#include "protocol/core/reply_decoder.h"

#include <optional>

using protocol::Message;

namespace {

// Replies that report the same setting in two forms (mute and unmute, power
// on and off, balance left and right, a group member added or removed, a
// favorite's zone given a source or bypassed) count as one setting.
Message settingOf(Message id)
{
    switch (id) {
    case Message::ZoneUnmute:
        return Message::ZoneMute;
    case Message::ZonePowerOff:
        return Message::ZonePowerOn;
    case Message::ZoneBalanceLeft:
        return Message::ZoneBalanceRight;
    case Message::GroupRemoveZone:
        return Message::GroupAddZone;
    case Message::FavoriteZoneBypass:
        return Message::FavoriteZoneSource;
    default:
        return id;
    }
}

// How many leading number fields name the setting (zone, band, preset,
// group, favorite) rather than carry its value.
int indexFields(Message id)
{
    switch (id) {
    case Message::ZoneEqBand:
    case Message::PresetEqBand:
    case Message::GroupAddZone:
    case Message::FavoriteZoneSource:
        return 2;
    case Message::DhcpEnable:
    case Message::SddpEnable:
    case Message::Gateway:
    case Message::IpAddress:
    case Message::NetworkMask:
    case Message::FpBrightness:
    case Message::FpSleep:
    case Message::FpLock:
    case Message::FpIrLock:
    case Message::TriggerMode:
    case Message::TriggerLevel:
    case Message::TriggerTime:
    case Message::SerialResponses:
        return 0;
    default:
        return 1;
    }
}

quint32 keyOf(const protocol::ParsedFrame &frame)
{
    const Message setting = settingOf(frame.id);
    const int indices = indexFields(setting);
    quint32 key = quint32(static_cast<int>(setting)) << 16;
    if (indices >= 1)
        key |= quint32(frame.numbers[0] & 0xff) << 8;
    if (indices >= 2)
        key |= quint32(frame.numbers[1] & 0xff);
    return key;
}

// A line read as UnitSettings::apply reads it.
std::optional<protocol::ParsedFrame> frameOf(const QByteArray &line)
{
    return UnitSettings::settingOfLine(decodeUtf8UpToNul(line));
}

} // namespace

int UnitReader::settingCount()
{
    using namespace protocol;
    const int perZone = 8 /* name, power-on volume, fixed, power, volume, mute, balance, source */
                        + 5 /* tone, high-pass, low-pass, preset, DSP mode */ + BandCount;
    const int network = 5, frontPanel = 4, serial = 1, trigger = 3;
    return SourceCount + ZoneCount * perZone + PresetCount * (1 + BandCount) + network + frontPanel + serial +
           trigger + GroupCount * (1 + ZoneCount) + FavoriteCount * (1 + ZoneCount);
}

UnitReader::UnitReader(QObject *parent) : QObject(parent)
{
    firstReplyTimer.setSingleShot(true);
    quietTimer.setSingleShot(true);
    connect(&firstReplyTimer, &QTimer::timeout, this, &UnitReader::onFirstReplyTimeout);
    connect(&quietTimer, &QTimer::timeout, this, &UnitReader::onQuiet);
}

void UnitReader::start(bool serial)
{
    stop();
    model = UnitSettings();
    framer = LineFramer();
    seen.clear();
    lines = 0;
    running = true;
    firstReplyTimer.start(firstReplyMs);
    if (serial)
        emit commandReady(protocol::command(Message::SerialResponses, {1}));
    // A receiver of the first command may have cancelled the reading.
    if (running)
        emit commandReady(protocol::command(Message::QueryAll));
}

void UnitReader::feedLine(const QByteArray &line)
{
    if (!running || line.trimmed().isEmpty())
        return;
    ++lines;
    firstReplyTimer.stop();
    quietTimer.start(quietMs);

    const auto frame = frameOf(line);
    if (!frame || !model.apply(*frame))
        return;
    seen.insert(keyOf(*frame));
    if (seen.size() >= settingCount()) {
        stop();
        emit finished();
    }
}

void UnitReader::feedBytes(const QByteArray &bytes)
{
    if (!running)
        return;
    const LineFramer::Result result = framer.feed(bytes);
    for (const QByteArray &line : result.lines) {
        if (!running)
            break;
        feedLine(line);
    }
}

void UnitReader::cancel()
{
    stop();
}

void UnitReader::stop()
{
    running = false;
    firstReplyTimer.stop();
    quietTimer.stop();
}

void UnitReader::onFirstReplyTimeout()
{
    if (!running)
        return;
    stop();
    emit failed(tr("No reply from the unit."));
}

void UnitReader::onQuiet()
{
    if (!running)
        return;
    stop();
    emit finished();
}
