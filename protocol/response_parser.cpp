// Reply lines from the unit (or a configuration file) update the window.
//
// The decoder decides which reply a line holds (the first reply pattern
// found, in table order); the reply's apply function then changes the
// widgets and the settings state. Nothing here sends a command.
#include "app/zor_config.h"
#include "protocol/apply_replies.h"
#include "protocol/core/line_framer.h"
#include "protocol/reply_targets.h"

#include <iterator>

namespace {

using protocol::Message;

struct ReplyHandler {
    Message message;
    replies::Apply apply;
};

// In reply order: entry i handles reply row i + 1.
constexpr ReplyHandler handlers[] = {
    {Message::ZoneVolume, replies::zoneVolume},
    {Message::ZoneSource, replies::zoneSource},
    {Message::ZoneUnmute, replies::zoneUnmute},
    {Message::ZoneMute, replies::zoneMute},
    {Message::SourceName, replies::sourceName},
    {Message::ZoneName, replies::zoneName},
    {Message::ZoneFixed, replies::zoneFixed},
    {Message::ZonePowerOff, replies::zonePowerOff},
    {Message::ZonePowerOnVolume, replies::zonePowerOnVolume},
    {Message::ZonePowerOn, replies::zonePowerOn},
    {Message::ZoneBalanceLeft, replies::zoneBalanceLeft},
    {Message::ZoneBalanceRight, replies::zoneBalanceRight},
    {Message::OutputLevelLeft, replies::outputLevelLeft},
    {Message::OutputLevelRight, replies::outputLevelRight},
    {Message::ZoneDspMode, replies::zoneDspMode},
    {Message::ZoneTone, replies::zoneTone},
    {Message::ZoneHighpass, replies::zoneHighpass},
    {Message::ZoneLowpass, replies::zoneLowpass},
    {Message::ZoneEqBand, replies::zoneEqBand},
    {Message::ZonePresetSelect, replies::zonePresetSelect},
    {Message::PresetName, replies::presetName},
    {Message::PresetEqBand, replies::presetEqBand},
    {Message::DhcpEnable, replies::dhcpEnable},
    {Message::SddpEnable, replies::sddpEnable},
    {Message::Gateway, replies::gateway},
    {Message::IpAddress, replies::ipAddress},
    {Message::NetworkMask, replies::networkMask},
    {Message::FpBrightness, replies::fpBrightness},
    {Message::FpSleep, replies::fpSleep},
    {Message::FpLock, replies::fpLock},
    {Message::FpIrLock, replies::fpIrLock},
    {Message::TriggerMode, replies::triggerMode},
    {Message::TriggerLevel, replies::triggerLevel},
    {Message::TriggerTime, replies::triggerTime},
    {Message::SerialResponses, replies::serialResponses},
    {Message::GroupAddZone, replies::groupAddZone},
    {Message::GroupRemoveZone, replies::groupRemoveZone},
    {Message::GroupName, replies::groupName},
    {Message::FavoriteZoneSource, replies::favoriteZoneSource},
    {Message::FavoriteName, replies::favoriteName},
    {Message::FavoriteZoneBypass, replies::favoriteZoneBypass},
};

constexpr bool handlersInReplyOrder()
{
    if (std::size(handlers) != static_cast<size_t>(protocol::ReplyRowCount))
        return false;
    for (int i = 0; i < protocol::ReplyRowCount; ++i) {
        if (static_cast<int>(handlers[i].message) != i)
            return false;
    }
    return true;
}
static_assert(handlersInReplyOrder(), "reply handlers out of reply order");

// Output levels change no setting of the window.
bool setsSetting(const protocol::DecodedReply &reply)
{
    return reply.message != Message::OutputLevelLeft && reply.message != Message::OutputLevelRight;
}

} // namespace

void zor_config::parseCommand(QByteArray line)
{
    const protocol::DecodedReply reply = protocol::decodeReply(line);
    if (!reply.recognised())
        return;
    if (!replyTargets)
        replyTargets = std::make_unique<ReplyTargets>(this);
    // The undo history never takes what a reply changed for a user's edit.
    const bool setting = setsSetting(reply);
    if (setting)
        beforeReply();
    replies::Context context{*this, *ui, *replyTargets, loadingFile};
    handlers[reply.row - 1].apply(context, reply);
    if (setting)
        afterReply(reply);
}

// Applies a command frame the window made itself as a file line is applied
// (a zone powered on keeps its volume), reading it as the one frame it is:
// a name holding text that looks like another reply stays a name.
void zor_config::applyStoredFrame(const QByteArray &frame)
{
    const std::optional<protocol::ParsedFrame> parsed = protocol::parseFrame(decodeUtf8UpToNul(frame));
    if (!parsed || int(parsed->id) >= protocol::ReplyRowCount)
        return;
    protocol::DecodedReply reply;
    reply.row = int(parsed->id) + 1;
    reply.message = parsed->id;
    const protocol::MessageDefinition &row = protocol::definition(parsed->id);
    reply.captureCount = row.fieldCount;
    for (int f = 0; f < row.fieldCount; ++f) {
        if (row.fields[f].kind == protocol::FieldKind::Number) {
            reply.value[f] = parsed->numbers[f];
            reply.text[f] = QString::number(parsed->numbers[f]);
        } else {
            reply.text[f] = parsed->texts[f];
        }
    }
    if (!replyTargets)
        replyTargets = std::make_unique<ReplyTargets>(this);
    replies::Context context{*this, *ui, *replyTargets, true};
    handlers[reply.row - 1].apply(context, reply);
}
