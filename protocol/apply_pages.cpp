// Replies about the unit as a whole (network, front panel, serial responses,
// trigger jack) and about groups and favorites. Group and favorite replies
// are stored for every group and favorite; the page shows them only for the
// one selected. Their numbers are read as numbers, so "G03AO05" is group 3,
// zone 5.
#include "protocol/apply_replies.h"

#include "app/zor_config.h"
#include "forms/zor_config_form.h"
#include "protocol/core/messages.h"
#include "protocol/reply_targets.h"

namespace replies {

namespace {

using protocol::FavoriteCount;
using protocol::GroupCount;
using protocol::SourceCount;
using protocol::ZoneCount;

void setMember(Context &c, const Reply &r, bool member)
{
    const int group = r.value[0];
    const int zone = r.value[1];
    if (!inRange(group, 1, GroupCount) || !inRange(zone, 1, ZoneCount))
        return;
    const ushort bit = static_cast<ushort>(1u << (zone - 1));
    ushort &zones = c.window.groupZones[group - 1];
    zones = member ? static_cast<ushort>(zones | bit) : static_cast<ushort>(zones & ~bit);
    if (group != currentNumber(c.ui.listViewGroup))
        return;
    if (QCheckBox *box = c.targets.checkBoxGroupZone.byNumber(zone))
        setCheckedSilently(box, member);
}

} // namespace

void dhcpEnable(Context &c, const Reply &r)
{
    const bool dhcp = r.value[0] == 1;
    setCheckedSilently(c.ui.checkBoxNetworkDHCP, dhcp);
    c.ui.groupBoxNetworkStatic->setEnabled(!dhcp);
}

void sddpEnable(Context &c, const Reply &r)
{
    setCheckedSilently(c.ui.checkBoxNetworkSDDP, r.value[0] == 1);
}

void gateway(Context &c, const Reply &r)
{
    setTextSilently(c.ui.lineEditNetworkGateway, r.text[0]);
}

void ipAddress(Context &c, const Reply &r)
{
    setTextSilently(c.ui.lineEditNetworkIP, r.text[0]);
}

void networkMask(Context &c, const Reply &r)
{
    setTextSilently(c.ui.lineEditNetworkMask, r.text[0]);
}

void fpBrightness(Context &c, const Reply &r)
{
    // The unit counts dimming steps (0 brightest); the slider counts up.
    setValueSilently(c.ui.sliderFPBrightness, 3 - r.value[0]);
    c.ui.labelFPBrightnessPercent->setText(QString::number(100 - 25 * r.value[0]) + QLatin1Char('%'));
}

void fpSleep(Context &c, const Reply &r)
{
    // Positions 0..3 stand for 0, 1, 2 and 5 minutes: 5 lands on position 3.
    setValueSilently(c.ui.sliderFPSleep, r.value[0]);
    c.ui.labelFPSleepTime->setText(r.text[0] + text(" Minute(s)"));
}

void fpLock(Context &c, const Reply &r)
{
    setCheckedSilently(c.ui.checkBoxFPLock, r.value[0] == 1);
}

void fpIrLock(Context &c, const Reply &r)
{
    setCheckedSilently(c.ui.checkBoxFPIR, r.value[0] == 1);
}

void triggerMode(Context &c, const Reply &r)
{
    QComboBox *mode = c.ui.comboBoxTriggerMode;
    setSilently(mode, [&] { mode->setCurrentIndex(r.value[0]); });
    // Wired IR has no trigger settings.
    c.ui.groupBoxTriggerSettings->setEnabled(r.value[0] != 0);
}

void triggerLevel(Context &c, const Reply &r)
{
    setValueSilently(c.ui.sliderTriggerLevel, r.value[0]);
    c.ui.labelTriggerModeLevelVal->setText(r.text[0] + text(" mVRMS"));
}

void triggerTime(Context &c, const Reply &r)
{
    setValueSilently(c.ui.sliderTriggerTime, r.value[0]);
    c.ui.labelTriggerModeTimeVal->setText(r.text[0] + text(" Minutes"));
}

void serialResponses(Context &c, const Reply &r)
{
    setCheckedSilently(c.ui.checkBoxSerial, r.value[0] == 1);
}

void groupAddZone(Context &c, const Reply &r)
{
    setMember(c, r, true);
}

void groupRemoveZone(Context &c, const Reply &r)
{
    setMember(c, r, false);
}

void groupName(Context &c, const Reply &r)
{
    renameSilently(c.window.groupNamesModel, r.value[0] - 1, r.text[1], c.ui.listViewGroup);
}

void favoriteZoneSource(Context &c, const Reply &r)
{
    const int favorite = r.value[0];
    const int zone = r.value[1];
    const int source = r.value[2];
    if (!inRange(favorite, 1, FavoriteCount) || !inRange(zone, 1, ZoneCount) ||
        !inRange(source, 1, SourceCount))
        return;
    c.window.favoriteSource[favorite - 1][zone - 1] = source - 1;
    if (favorite != currentNumber(c.ui.listViewFavorites))
        return;
    QCheckBox *bypass = c.targets.checkBoxFavoriteBypass.byNumber(zone);
    if (!bypass)
        return;
    setCheckedSilently(bypass, false);
    if (QComboBox *combo = c.targets.comboBoxFavoriteSource.byNumber(zone)) {
        setSilently(combo, [&] { combo->setCurrentIndex(source - 1); });
        combo->setEnabled(true);
    }
}

void favoriteName(Context &c, const Reply &r)
{
    renameSilently(c.window.favoriteNamesModel, r.value[0] - 1, r.text[1], c.ui.listViewFavorites);
}

void favoriteZoneBypass(Context &c, const Reply &r)
{
    const int favorite = r.value[0];
    const int zone = r.value[1];
    if (!inRange(favorite, 1, FavoriteCount) || !inRange(zone, 1, ZoneCount))
        return;
    c.window.favoriteSource[favorite - 1][zone - 1] = FavoriteBypass;
    if (favorite != currentNumber(c.ui.listViewFavorites))
        return;
    QCheckBox *bypass = c.targets.checkBoxFavoriteBypass.byNumber(zone);
    if (!bypass)
        return;
    setCheckedSilently(bypass, true);
    if (QComboBox *combo = c.targets.comboBoxFavoriteSource.byNumber(zone))
        combo->setEnabled(false);
}

} // namespace replies
