// DSP page editors: zone, mode, preset, bands, tone and pass filters. Every
// edit writes the zone's DSP state first, sends one command, then updates only
// its own filter slot of the plot and redraws. Choosing a zone or a mode
// reloads the whole page from the state.
#include "app/zor_config.h"
#include "protocol/reply_targets.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QListView>
#include <QRegularExpression>
#include <QSlider>

#include "editors/editor_support.h"
#include "forms/zor_config_form.h"
#include "plot/dsp.h"
#include "protocol/core/messages.h"

namespace {

constexpr int zoneCount = protocol::ZoneCount;
constexpr int bandCount = protocol::BandCount;
constexpr int presetCount = protocol::PresetCount;

// Row of the zone the DSP page shows, -1 when the zone list has no valid row.
int shownZone(const Ui_zor_config *ui)
{
    const int row = ui->listViewDSPZone->currentIndex().row();
    return row >= 0 && row < zoneCount ? row : -1;
}

using editors::setSilently;

void setSliderSilently(QSlider *slider, QLabel *label, int value)
{
    setSilently(slider, [value](QSlider *s) { s->setValue(value); });
    if (label)
        label->setNum(value);
}

} // namespace

void zor_config::listViewDSPZoneChange(QModelIndex model_index)
{
    const int z = model_index.row();
    if (z < 0 || z >= zoneCount)
        return;
    const ZoneDspSettings &zone = zoneDsp[z];
    // The page's controls now set this zone's settings (its bands a preset's).
    // In Preset mode the band sliders show the zone's preset, otherwise the
    // zone's own equaliser.
    const bool presetMode = zone.mode == Preset && zone.preset >= 0 && zone.preset < presetCount;
    ui->nameDspControls(z + 1, presetMode ? zone.preset + 1 : 0);

    setSilently(ui->comboBoxDSPMode, [&zone](QComboBox *combo) { combo->setCurrentIndex(zone.mode); });
    setSliderSilently(ui->sliderDSPHighpass, ui->labelDSPHighpassVal, zone.highpass);
    setSliderSilently(ui->sliderDSPLowpass, ui->labelDSPLowpassVal, zone.lowpass);
    setSliderSilently(ui->sliderDSPBass, ui->labelDSPBassVal, zone.bass);
    setSliderSilently(ui->sliderDSPTreble, ui->labelDSPTrebleVal, zone.treble);

    QSlider *bandSliders[bandCount + 1] = {};
    for (int band = 1; band <= bandCount; ++band) {
        QSlider *slider = numberedWidgets().sliderDSPEQ.byNumber(band);
        if (!slider)
            continue;
        bandSliders[band] = slider;
        const int gain = presetMode ? presetEq[zone.preset][band - 1] : zone.eq[band - 1];
        setSliderSilently(slider, numberedWidgets().labelDSPEQVal.byNumber(band), gain);
    }

    if (zone.mode < Disabled || zone.mode > Highpass)
        return;

    ui->frameDSPEQ->setDisabled(zone.mode != Eq && zone.mode != Preset);
    ui->frameDSPHighpass->setDisabled(zone.mode != Highpass);
    ui->frameDSPLowpass->setDisabled(zone.mode != Lowpass);
    ui->frameDSPTone->setDisabled(zone.mode != Tone);
    if (zone.mode == Preset) {
        ui->listViewDSPPreset->setEnabled(true);
        setSilently(ui->listViewDSPPreset, [this, &zone](QListView *list) {
            list->setCurrentIndex(presetNamesModel.index(zone.preset, 0));
        });
    } else {
        ui->listViewDSPPreset->clearSelection();
        ui->listViewDSPPreset->setEnabled(false);
    }

    biquad::ZoneFilterValues shown;
    shown.mode = zone.mode;
    for (int band = 1; band <= bandCount; ++band)
        shown.bandGain[band - 1] = bandSliders[band] ? bandSliders[band]->value() : 0;
    shown.bass = ui->sliderDSPBass->value();
    shown.treble = ui->sliderDSPTreble->value();
    shown.lowpass = ui->sliderDSPLowpass->value();
    shown.highpass = ui->sliderDSPHighpass->value();
    dsp_setting_struct filters[bandCount];
    biquad::zoneFilters(shown, eqBandFrequency, filters);
    for (int slot = 0; slot < bandCount; ++slot) {
        // A band whose slider is missing keeps what the plot had.
        if ((zone.mode == Eq || zone.mode == Preset) && !bandSliders[slot + 1])
            continue;
        dspPlot->setFilter(slot, filters[slot]);
    }
    dspPlot->combineAndPlot();
}

void zor_config::comboBoxDSPModeChange(int index)
{
    const int z = shownZone(ui);
    // -1 (no item) is not a mode; nothing to store or send.
    if (z < 0 || index < Disabled || index > Highpass)
        return;
    zoneDsp[z].mode = index;
    sendCommand(protocol::zoneDspMode(z + 1, index));
    listViewDSPZoneChange(zoneNamesModel.index(z, 0));
}

void zor_config::listViewDSPPresetChange(QModelIndex model_index)
{
    const int z = shownZone(ui);
    const int row = model_index.row();
    if (z < 0 || row < 0 || row >= presetCount)
        return;
    zoneDsp[z].preset = row;
    sendCommand(protocol::zonePresetSelect(z + 1, row + 1));
    listViewDSPZoneChange(ui->listViewDSPZone->currentIndex());
}

void zor_config::presetNamesModelChange(QModelIndex model)
{
    if (!model.isValid())
        return;
    // The builder drops characters that would break the frame; a name with
    // nothing left is not sent (the in-place editor refuses an empty one).
    const QString name = model.data(Qt::DisplayRole).toString();
    if (editors::isSendableName(name))
        sendCommand(protocol::presetName(model.row() + 1, name));
}

void zor_config::sliderDSPEqChange(int value)
{
    static const QRegularExpression bandName(QStringLiteral("sliderDSPEQ_([0-9]{1,2})"));
    const QObject *slider = sender();
    if (!slider)
        return;
    const QRegularExpressionMatch match = bandName.match(slider->objectName());
    if (!match.hasMatch())
        return;
    const int band = match.captured(1).toInt();
    const int z = shownZone(ui);
    if (band < 1 || band > bandCount || z < 0)
        return;

    if (zoneDsp[z].mode == Preset) {
        int p = ui->listViewDSPPreset->currentIndex().row();
        // The list has a current row whenever the page shows Preset mode; if
        // it has lost it, the band belongs to the preset the sliders show.
        if (p < 0 || p >= presetCount)
            p = zoneDsp[z].preset;
        if (p < 0 || p >= presetCount)
            return;
        presetEq[p][band - 1] = value;
        sendCommand(protocol::presetEqBand(p + 1, band, value));
    } else {
        zoneDsp[z].eq[band - 1] = value;
        sendCommand(protocol::zoneEqBand(z + 1, band, value));
    }
    dspPlot->setFilter(band - 1, biquad::bandFilter(eqBandFrequency[band - 1], value));
    dspPlot->combineAndPlot();
}

void zor_config::sliderDSPBassChange(int value)
{
    const int z = shownZone(ui);
    if (z < 0)
        return;
    zoneDsp[z].bass = value;
    sendCommand(protocol::zoneTone(z + 1, value, zoneDsp[z].treble));
    dspPlot->setFilter(biquad::bassSlot, biquad::bassFilter(value));
    dspPlot->combineAndPlot();
}

void zor_config::sliderDSPTrebleChange(int value)
{
    const int z = shownZone(ui);
    if (z < 0)
        return;
    zoneDsp[z].treble = value;
    sendCommand(protocol::zoneTone(z + 1, zoneDsp[z].bass, value));
    dspPlot->setFilter(biquad::trebleSlot, biquad::trebleFilter(value));
    dspPlot->combineAndPlot();
}

void zor_config::sliderDSPLowpassChange(int value)
{
    const int z = shownZone(ui);
    if (z < 0)
        return;
    zoneDsp[z].lowpass = value;
    sendCommand(protocol::zoneLowpass(z + 1, value));
    dspPlot->setFilter(biquad::passSlot, biquad::lowpassFilter(value));
    dspPlot->combineAndPlot();
}

void zor_config::sliderDSPHighpassChange(int value)
{
    const int z = shownZone(ui);
    if (z < 0)
        return;
    zoneDsp[z].highpass = value;
    sendCommand(protocol::zoneHighpass(z + 1, value));
    dspPlot->setFilter(biquad::passSlot, biquad::highpassFilter(value));
    dspPlot->combineAndPlot();
}
