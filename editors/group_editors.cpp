// Group and favorite editors. The pages show the group or favorite selected
// in their list; each edit updates the state and sends one command, and a row
// change refills the page from the state without sending.
#include "app/zor_config.h"
#include "protocol/reply_targets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QListView>

#include "editors/editor_support.h"
#include "forms/zor_config_form.h"
#include "protocol/core/messages.h"

using editors::isNumberIn;
using editors::memberNumber;
using editors::setSilently;

namespace {

using protocol::FavoriteCount;
using protocol::GroupCount;
using protocol::ZoneCount;

// The 0-based row of the list's current item, or -1 when it has none or it
// lies outside the state arrays.
int currentRow(const QListView *list, int count)
{
    const int row = list->currentIndex().row();
    return row >= 0 && row < count ? row : -1;
}

} // namespace

void zor_config::listViewGroupChange(QModelIndex model_index)
{
    const int group = model_index.row();
    if (group < 0 || group >= GroupCount)
        return;
    ui->nameGroupMembers(group + 1);
    for (int zone = 1; zone <= ZoneCount; ++zone) {
        const bool member = groupZones[group] & (1u << (zone - 1));
        setSilently(numberedWidgets().checkBoxGroupZone.byNumber(zone),
                    [member](QCheckBox *box) { box->setChecked(member); });
    }
}

void zor_config::checkBoxGroupZoneChange(bool checked)
{
    static const QRegularExpression pattern(QStringLiteral("checkBoxGroupZone_([0-9]{1,2})"));
    const int zone = memberNumber(sender(), pattern);
    const int group = currentRow(ui->listViewGroup, GroupCount);
    if (!isNumberIn(zone, ZoneCount) || group < 0)
        return;
    const ushort bit = ushort(1u << (zone - 1));
    groupZones[group] = checked ? ushort(groupZones[group] | bit) : ushort(groupZones[group] & ~bit);
    sendCommand(protocol::groupZone(group + 1, zone, checked));
}

// The in-place editor refuses an empty name; one set from code is not sent
// either.
void zor_config::groupNamesModelChange(QModelIndex model)
{
    if (!model.isValid())
        return;
    const QString name = model.data(Qt::DisplayRole).toString();
    if (editors::isSendableName(name))
        sendCommand(protocol::groupName(model.row() + 1, name));
}

void zor_config::listViewFavoriteChange(QModelIndex model_index)
{
    const int favorite = model_index.row();
    if (favorite < 0 || favorite >= FavoriteCount)
        return;
    ui->nameFavoriteMembers(favorite + 1);
    for (int zone = 1; zone <= ZoneCount; ++zone) {
        auto *bypass = numberedWidgets().checkBoxFavoriteBypass.byNumber(zone);
        if (!bypass)
            continue;
        const int source = favoriteSource[favorite][zone - 1];
        const bool bypassed = source == FavoriteBypass;
        // Blocked, the form's bypass-to-combo connection stays quiet, so the
        // combo is set here.
        setSilently(bypass, [bypassed](QCheckBox *box) { box->setChecked(bypassed); });
        setSilently(numberedWidgets().comboBoxFavoriteSource.byNumber(zone),
                    [bypassed, source](QComboBox *combo) {
                        combo->setDisabled(bypassed);
                        combo->setCurrentIndex(bypassed ? 0 : source);
                    });
    }
}

void zor_config::checkBoxFavoriteBypassChange(bool checked)
{
    static const QRegularExpression pattern(QStringLiteral("checkBoxFavoriteBypass_([0-9]{1,2})"));
    const int zone = memberNumber(sender(), pattern);
    const int favorite = currentRow(ui->listViewFavorites, FavoriteCount);
    if (!isNumberIn(zone, ZoneCount) || favorite < 0)
        return;
    auto *combo = numberedWidgets().comboBoxFavoriteSource.byNumber(zone);
    if (!combo)
        return;
    combo->setDisabled(checked);
    if (checked) {
        favoriteSource[favorite][zone - 1] = FavoriteBypass;
        sendCommand(protocol::favoriteZoneBypass(favorite + 1, zone));
        return;
    }
    // Clearing the bypass assigns whatever source the combo shows.
    const int source = qMax(combo->currentIndex(), 0);
    favoriteSource[favorite][zone - 1] = source;
    sendCommand(protocol::favoriteZoneSource(favorite + 1, zone, source + 1));
}

void zor_config::comboBoxFavoriteSourceChange(int index)
{
    static const QRegularExpression pattern(QStringLiteral("comboBoxFavoriteSource_([0-9]{1,2})"));
    const int zone = memberNumber(sender(), pattern);
    const int favorite = currentRow(ui->listViewFavorites, FavoriteCount);
    if (!isNumberIn(zone, ZoneCount) || favorite < 0 || index < 0)
        return;
    favoriteSource[favorite][zone - 1] = index;
    sendCommand(protocol::favoriteZoneSource(favorite + 1, zone, index + 1));
}

void zor_config::favoriteNamesModelChange(QModelIndex model)
{
    if (!model.isValid())
        return;
    const QString name = model.data(Qt::DisplayRole).toString();
    if (editors::isSendableName(name))
        sendCommand(protocol::favoriteName(model.row() + 1, name));
}
