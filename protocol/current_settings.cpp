// The window's settings as a UnitSettings, read from its widgets and state:
// the one list that Send All sends and Save writes.
//
// Each value is the one the window shows for it: names as the name fields or
// lists hold them (a field without a sendable name stands for the name its
// model holds), the front panel and trigger sliders converted as their
// editors convert them, the DSP values as the DSP page's sliders show them,
// the preset, group and favorite values from the settings state. The zones'
// sources come from their combo boxes, although Send All leaves them alone.
// The model holds every setting. The numbered widgets are looked up by name
// (the parser's targets), so that a widget gone from the tree is passed over.
#include "app/zor_config.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSlider>
#include <QSpinBox>

#include "editors/editor_support.h"
#include "forms/zor_config_form.h"
#include "protocol/reply_targets.h"

namespace {

// The text a name field or list row sends, or `fallback` when it holds no
// sendable name.
QString sentName(const QString &text, const QString &fallback)
{
    return editors::isSendableName(text) ? protocol::sanitizeName(text) : fallback;
}

QString modelName(const QStringListModel &model, int row, const QString &fallback)
{
    return sentName(model.index(row, 0).data(Qt::DisplayRole).toString(), fallback);
}

} // namespace

UnitSettings zor_config::currentSettings() const
{
    ReplyTargets &widgets = *replyTargets;
    UnitSettings s;
    for (int n = 1; n <= protocol::SourceCount; ++n) {
        QString &name = s.sourceNames[n - 1];
        name = modelName(sourceNamesModel, n - 1, name);
        if (const QLineEdit *field = widgets.lineEditSourceName.byNumber(n))
            name = sentName(field->text(), name);
    }
    const QSlider *bandSliders[protocol::BandCount];
    for (int b = 0; b < protocol::BandCount; ++b)
        bandSliders[b] = widgets.sliderDSPEQ.byNumber(b + 1);
    for (int n = 1; n <= protocol::ZoneCount; ++n) {
        UnitSettings::Zone &zone = s.zones[n - 1];
        zone.name = modelName(zoneNamesModel, n - 1, zone.name);
        if (const QLineEdit *field = widgets.lineEditZoneName.byNumber(n))
            zone.name = sentName(field->text(), zone.name);
        if (const QSlider *volume = widgets.sliderZoneVol.byNumber(n))
            zone.volume = volume->value();
        if (const QCheckBox *mute = widgets.checkBoxZoneMute.byNumber(n))
            zone.muted = mute->isChecked();
        if (const QCheckBox *fixed = widgets.checkBoxZoneFix.byNumber(n))
            zone.fixed = fixed->isChecked();
        if (const QCheckBox *power = widgets.checkBoxZonePower.byNumber(n))
            zone.powered = power->isChecked();
        if (const QSpinBox *balance = widgets.spinBoxZoneBal.byNumber(n))
            zone.balance = balance->value();
        if (const QSpinBox *powerOn = widgets.spinBoxZonePOnVol.byNumber(n))
            zone.powerOnVolume = powerOn->value();
        if (const QComboBox *source = widgets.comboBoxZoneSource.byNumber(n))
            zone.source = qMax(source->currentIndex(), 0) + 1;

        // The DSP page shows a zone's values on sliders, which hold them
        // within their ranges.
        const ZoneDspSettings &dsp = zoneDsp[n - 1];
        const auto onSlider = [](const QSlider *slider, int value) {
            return slider ? qBound(slider->minimum(), value, slider->maximum()) : value;
        };
        zone.dspMode = dsp.mode;
        zone.bass = onSlider(ui->sliderDSPBass, dsp.bass);
        zone.treble = onSlider(ui->sliderDSPTreble, dsp.treble);
        for (int b = 0; b < protocol::BandCount; ++b)
            zone.eq[b] = onSlider(bandSliders[b], dsp.eq[b]);
        zone.preset = dsp.preset + 1;
        zone.lowpass = onSlider(ui->sliderDSPLowpass, dsp.lowpass);
        zone.highpass = onSlider(ui->sliderDSPHighpass, dsp.highpass);
    }
    for (int p = 0; p < protocol::PresetCount; ++p) {
        UnitSettings::PresetEq &preset = s.presets[p];
        preset.name = modelName(presetNamesModel, p, preset.name);
        std::copy(std::begin(presetEq[p]), std::end(presetEq[p]), std::begin(preset.eq));
    }

    s.dhcp = ui->checkBoxNetworkDHCP->isChecked();
    s.sddp = ui->checkBoxNetworkSDDP->isChecked();
    s.ipAddress = ui->lineEditNetworkIP->text();
    s.networkMask = ui->lineEditNetworkMask->text();
    s.gateway = ui->lineEditNetworkGateway->text();
    // Position 3 is the brightest, the unit's dimming step 0; sleep
    // positions 0..3 are 0, 1, 2 and 5 minutes.
    s.brightness = 3 - ui->sliderFPBrightness->value();
    const int sleep = ui->sliderFPSleep->value();
    s.sleep = sleep == 3 ? 5 : sleep;
    s.irLock = ui->checkBoxFPIR->isChecked();
    s.panelLock = ui->checkBoxFPLock->isChecked();
    s.serialResponses = ui->checkBoxSerial->isChecked();
    s.triggerMode = qMax(ui->comboBoxTriggerMode->currentIndex(), 0);
    const int minutes = ui->sliderTriggerTime->value();
    s.triggerTime = minutes - minutes % 5; // the unit takes whole 5-minute steps
    s.triggerLevel = ui->sliderTriggerLevel->value();

    for (int g = 0; g < protocol::GroupCount; ++g) {
        UnitSettings::Group &group = s.groups[g];
        group.name = modelName(groupNamesModel, g, group.name);
        group.members = groupZones[g];
    }
    for (int f = 0; f < protocol::FavoriteCount; ++f) {
        UnitSettings::Favorite &favorite = s.favorites[f];
        favorite.name = modelName(favoriteNamesModel, f, favorite.name);
        for (int z = 0; z < protocol::ZoneCount; ++z) {
            const int source = favoriteSource[f][z];
            favorite.source[z] = source == FavoriteBypass ? UnitSettings::Bypass : source + 1;
        }
    }
    s.holdAll();
    return s;
}
