// Replies about zones and sources: the Zone and Source pages and the level
// bars and source labels of the Troubleshooting page. Widgets are named by
// the digits of the reply as they stand, so "VO03R-20" names no widget.
#include "protocol/apply_replies.h"

#include "app/zor_config.h"
#include "protocol/reply_targets.h"

namespace replies {

namespace {

void setMuted(Context &c, const Reply &r, bool muted)
{
    if (QCheckBox *mute = c.targets.checkBoxZoneMute.byText(r.text[0]))
        setCheckedSilently(mute, muted);
}

void setBalance(Context &c, const Reply &r, int balance)
{
    if (QSpinBox *spinBox = c.targets.spinBoxZoneBal.byText(r.text[0]))
        setValueSilently(spinBox, balance);
}

// A progress bar ignores a value outside its range, so an out-of-range level
// leaves the bar as it was.
void setLevel(QProgressBar *bar, int level)
{
    if (bar)
        bar->setValue(level);
}

} // namespace

void zoneVolume(Context &c, const Reply &r)
{
    QSlider *slider = c.targets.sliderZoneVol.byText(r.text[0]);
    if (!slider)
        return;
    setValueSilently(slider, r.value[1]);
    // The label shows the reply's own digits ("-05"), not the slider's value.
    if (QLabel *label = c.targets.labelZoneVol.byText(r.text[0]))
        label->setText(r.text[1]);
}

void zoneSource(Context &c, const Reply &r)
{
    // An index outside the combo selects nothing.
    if (QComboBox *combo = c.targets.comboBoxZoneSource.byText(r.text[0]))
        setSilently(combo, [&] { combo->setCurrentIndex(r.value[1] - 1); });
    if (QLabel *label = c.targets.labelSourceZone.byText(r.text[0]))
        label->setText(text("Source ") + r.text[1]);
}

void zoneUnmute(Context &c, const Reply &r)
{
    setMuted(c, r, false);
}

void zoneMute(Context &c, const Reply &r)
{
    setMuted(c, r, true);
}

// A name field cannot hold the characters that would break a command frame;
// the field, the lists and the captions all show the name the field can hold.
QString displayedName(const QString &received)
{
    return protocol::sanitizeName(received);
}

void sourceName(Context &c, const Reply &r)
{
    QLineEdit *edit = c.targets.lineEditSourceName.byText(r.text[0]);
    const QString name = displayedName(r.text[1]);
    if (!edit || name.isEmpty())
        return;
    setSilently(edit, [&] { edit->setText(name); });
    QStringListModel &model = c.window.sourceNamesModel;
    model.setData(model.index(r.value[0] - 1, 0), name, Qt::EditRole);
}

void zoneName(Context &c, const Reply &r)
{
    QLineEdit *edit = c.targets.lineEditZoneName.byText(r.text[0]);
    const QString name = displayedName(r.text[1]);
    if (!edit || name.isEmpty())
        return;
    setSilently(edit, [&] { edit->setText(name); });
    QStringListModel &model = c.window.zoneNamesModel;
    model.setData(model.index(r.value[0] - 1, 0), name, Qt::EditRole);
    if (QCheckBox *member = c.targets.checkBoxGroupZone.byText(r.text[0]))
        member->setText(name);
}

void zoneFixed(Context &c, const Reply &r)
{
    QCheckBox *fix = c.targets.checkBoxZoneFix.byText(r.text[0]);
    if (!fix)
        return;
    const bool fixed = r.value[1] == 1;
    setCheckedSilently(fix, fixed);

    QSlider *slider = c.targets.sliderZoneVol.byText(r.text[0]);
    QCheckBox *mute = c.targets.checkBoxZoneMute.byText(r.text[0]);
    QCheckBox *power = c.targets.checkBoxZonePower.byText(r.text[0]);
    if (fixed) {
        // The unit holds a fixed zone at 0 dB, unmuted and powered.
        if (slider) {
            setValueSilently(slider, 0);
            if (QLabel *label = c.targets.labelZoneVol.byText(r.text[0]))
                label->setText(QStringLiteral("0"));
        }
        if (mute)
            setCheckedSilently(mute, false);
        if (power)
            setCheckedSilently(power, true);
    }
    for (QWidget *control :
         {static_cast<QWidget *>(slider), static_cast<QWidget *>(mute), static_cast<QWidget *>(power)}) {
        if (control)
            control->setEnabled(!fixed);
    }
}

void zonePowerOff(Context &c, const Reply &r)
{
    QCheckBox *power = c.targets.checkBoxZonePower.byText(r.text[0]);
    if (!power)
        return;
    setCheckedSilently(power, false);
    if (QSlider *slider = c.targets.sliderZoneVol.byText(r.text[0]))
        slider->setEnabled(false);
    if (QCheckBox *mute = c.targets.checkBoxZoneMute.byText(r.text[0]))
        mute->setEnabled(false);
}

void zonePowerOnVolume(Context &c, const Reply &r)
{
    if (QSpinBox *spinBox = c.targets.spinBoxZonePOnVol.byText(r.text[0]))
        setValueSilently(spinBox, r.value[1]);
}

void zonePowerOn(Context &c, const Reply &r)
{
    QCheckBox *power = c.targets.checkBoxZonePower.byText(r.text[0]);
    if (!power)
        return;
    setCheckedSilently(power, true);

    // A fixed zone stays at 0 dB with its volume and mute locked.
    QCheckBox *fix = c.targets.checkBoxZoneFix.byText(r.text[0]);
    if (fix && fix->isChecked())
        return;

    QSlider *slider = c.targets.sliderZoneVol.byText(r.text[0]);
    QLabel *label = c.targets.labelZoneVol.byText(r.text[0]);
    QSpinBox *powerOnVolume = c.targets.spinBoxZonePOnVol.byText(r.text[0]);
    QCheckBox *mute = c.targets.checkBoxZoneMute.byText(r.text[0]);
    if (!slider || !label || !powerOnVolume || !mute)
        return;
    // A zone powering on takes its power-on volume. A configuration file
    // holds the zone's own volume on an earlier line: loading keeps it.
    if (!c.loadingFile) {
        setValueSilently(slider, powerOnVolume->value());
        label->setText(QString::number(powerOnVolume->value()));
    }
    slider->setEnabled(true);
    mute->setEnabled(true);
}

void zoneBalanceLeft(Context &c, const Reply &r)
{
    setBalance(c, r, -r.value[1]);
}

void zoneBalanceRight(Context &c, const Reply &r)
{
    setBalance(c, r, r.value[1]);
}

void outputLevelLeft(Context &c, const Reply &r)
{
    setLevel(c.targets.progressBarLeftZone.byText(r.text[0]), r.value[1]);
}

void outputLevelRight(Context &c, const Reply &r)
{
    setLevel(c.targets.progressBarRightZone.byText(r.text[0]), r.value[1]);
}

} // namespace replies
