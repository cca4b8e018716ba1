// Source and zone editors: each user edit becomes one command.
#include "app/zor_config.h"
#include "protocol/reply_targets.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QStringListModel>

#include "editors/editor_support.h"
#include "protocol/core/messages.h"

using editors::isNumberIn;
using editors::memberNumber;

namespace {

using protocol::ZoneCount;

const QRegularExpression &sourceNamePattern()
{
    static const QRegularExpression pattern(QStringLiteral("lineEditSourceName_([0-9]{1,2})"));
    return pattern;
}

const QRegularExpression &zoneNamePattern()
{
    static const QRegularExpression pattern(QStringLiteral("lineEditZoneName_([0-9]{1,2})"));
    return pattern;
}

// Marks the name field that sent textEdited as typed in.
void markTyped(const QObject *field, const QRegularExpression &pattern, bool (&typed)[ZoneCount])
{
    const int number = memberNumber(field, pattern);
    if (isNumberIn(number, ZoneCount))
        typed[number - 1] = true;
}

// On editingFinished of a name field: the field itself (looked up again by
// its object name) when the user typed in it since its last send, else null.
// The typed mark is cleared in every case, so a second Return or a visit
// without typing sends nothing.
QLineEdit *takeTypedField(const QObject *window, const QObject *field, const QRegularExpression &pattern,
                          bool (&typed)[ZoneCount], int &number)
{
    number = memberNumber(field, pattern);
    if (!isNumberIn(number, ZoneCount) || !typed[number - 1])
        return nullptr;
    typed[number - 1] = false;
    return window->findChild<QLineEdit *>(field->objectName());
}

// A name field left empty sends nothing: it shows again the name the window
// holds for it (the row of its names model: what was last sent or received).
// True when the field was empty and has been given that name back.
bool restoreEmptiedField(QLineEdit *field, const QStringListModel &names, int number)
{
    if (editors::isSendableName(field->text()))
        return false;
    const QString held = names.index(number - 1, 0).data(Qt::EditRole).toString();
    editors::setSilently(field, [&held](QLineEdit *edit) { edit->setText(held); });
    return true;
}

} // namespace

void zor_config::sliderZoneVolChange(int value)
{
    static const QRegularExpression pattern(QStringLiteral("sliderZoneVol_([0-9]{1,2})"));
    const int zone = memberNumber(sender(), pattern);
    if (zone < 1)
        return;
    sendCommand(protocol::zoneVolume(zone, value));
    // A volume change unmutes the zone in the unit; show it without sending
    // an unmute command of our own.
    editors::setSilently(numberedWidgets().checkBoxZoneMute.byNumber(zone),
                         [](QCheckBox *mute) { mute->setChecked(false); });
}

void zor_config::checkBoxZoneMuteChange(bool checked)
{
    static const QRegularExpression pattern(QStringLiteral("checkBoxZoneMute_([0-9]{1,2})"));
    const int zone = memberNumber(sender(), pattern);
    if (zone < 1)
        return;
    sendCommand(protocol::zoneMute(zone, checked));
}

// Only the command: the unit's reply locks the zone's other controls.
void zor_config::checkBoxZoneFixChange(bool checked)
{
    static const QRegularExpression pattern(QStringLiteral("checkBoxZoneFix_([0-9]{1,2})"));
    const int zone = memberNumber(sender(), pattern);
    if (zone >= 1)
        sendCommand(protocol::zoneFixed(zone, checked));
}

void zor_config::comboBoxZoneSourceChange(int index)
{
    static const QRegularExpression pattern(QStringLiteral("comboBoxZoneSource_([0-9]{1,2})"));
    const int zone = memberNumber(sender(), pattern);
    if (zone >= 1 && index >= 0)
        sendCommand(protocol::zoneSource(zone, index + 1));
}

void zor_config::checkBoxZonePowerChange(bool checked)
{
    static const QRegularExpression pattern(QStringLiteral("checkBoxZonePower_([0-9]{1,2})"));
    const int zone = memberNumber(sender(), pattern);
    if (zone >= 1)
        sendCommand(protocol::zonePower(zone, checked));
}

void zor_config::spinBoxZonePOnVolChange(int value)
{
    static const QRegularExpression pattern(QStringLiteral("spinBoxZonePOnVol_([0-9]{1,2})"));
    const int zone = memberNumber(sender(), pattern);
    if (zone >= 1)
        sendCommand(protocol::zonePowerOnVolume(zone, value));
}

void zor_config::spinBoxZoneBalChange(int value)
{
    static const QRegularExpression pattern(QStringLiteral("spinBoxZoneBal_([0-9]{1,2})"));
    const int zone = memberNumber(sender(), pattern);
    if (zone >= 1)
        sendCommand(protocol::zoneBalance(zone, value));
}

void zor_config::lineEditSourceNameChangeFlag()
{
    markTyped(sender(), sourceNamePattern(), sourceNameChanged);
}

void zor_config::lineEditSourceNameChange()
{
    int source = 0;
    QLineEdit *field = takeTypedField(this, sender(), sourceNamePattern(), sourceNameChanged, source);
    if (!field || restoreEmptiedField(field, sourceNamesModel, source))
        return;
    const QString name = field->text();
    sendCommand(protocol::sourceName(source, name));
    // Every zone and favorite source combo shows this model.
    sourceNamesModel.setData(sourceNamesModel.index(source - 1, 0), name, Qt::EditRole);
}

void zor_config::lineEditZoneNameChangeFlag()
{
    markTyped(sender(), zoneNamePattern(), zoneNameChanged);
}

void zor_config::lineEditZoneNameChange()
{
    int zone = 0;
    QLineEdit *field = takeTypedField(this, sender(), zoneNamePattern(), zoneNameChanged, zone);
    if (!field || restoreEmptiedField(field, zoneNamesModel, zone))
        return;
    const QString name = field->text();
    sendCommand(protocol::zoneName(zone, name));
    // The DSP page's zone list shows the model; the Groups page labels its
    // member boxes with the zone names.
    zoneNamesModel.setData(zoneNamesModel.index(zone - 1, 0), name, Qt::EditRole);
    if (auto *member = numberedWidgets().checkBoxGroupZone.byNumber(zone))
        member->setText(name);
}
