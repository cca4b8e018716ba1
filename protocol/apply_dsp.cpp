// Replies about the zones' DSP and the shared EQ presets. Every reply is
// stored in the settings state, also for a zone or preset the DSP page does
// not show; the page and the plot change only for the zone (or preset) on
// show. The plot takes each value as its slider shows it, so a value beyond
// the slider's range draws the curve the page shows, never a design from a
// frequency of 0 Hz or one that does not fit the filter's 16 bits.
#include "protocol/apply_replies.h"

#include "app/zor_config.h"
#include "forms/zor_config_form.h"
#include "protocol/core/messages.h"
#include "plot/dsp.h"
#include "protocol/reply_targets.h"

namespace replies {

namespace {

using protocol::BandCount;
using protocol::PresetCount;
using protocol::ZoneCount;

bool isCurrentZone(const Context &c, int zone)
{
    return zone == currentNumber(c.ui.listViewDSPZone);
}

void plot(Context &c, int slot, dsp_setting_struct filter)
{
    c.window.dspPlot->setFilter(slot, filter);
}

// Shows one band gain on the EQ frame of the page; the band is named by the
// reply's digits.
void showBand(Context &c, const Reply &r)
{
    QSlider *slider = c.targets.sliderDSPEQ.byText(r.text[1]);
    if (!slider)
        return;
    setValueSilently(slider, r.value[2]);
    QLabel *label = c.targets.labelDSPEQVal.byText(r.text[1]);
    if (!label)
        return;
    label->setText(r.text[2]);
    const int band = r.value[1];
    plot(c, band - 1, biquad::bandFilter(c.window.eqBandFrequency[band - 1], slider->value()));
    c.window.dspPlot->combineAndPlot();
}

} // namespace

void zoneDspMode(Context &c, const Reply &r)
{
    const int zone = r.value[0];
    if (!inRange(zone, 1, ZoneCount))
        return;
    c.window.zoneDsp[zone - 1].mode = r.value[1];
    if (!isCurrentZone(c, zone))
        return;
    QComboBox *mode = c.ui.comboBoxDSPMode;
    setSilently(mode, [&] { mode->setCurrentIndex(r.value[1]); });
    // Reloads the page and the plot for the new mode.
    c.window.listViewDSPZoneChange(c.ui.listViewDSPZone->currentIndex());
}

void zoneTone(Context &c, const Reply &r)
{
    const int zone = r.value[0];
    if (!inRange(zone, 1, ZoneCount))
        return;
    ZoneDspSettings &settings = c.window.zoneDsp[zone - 1];
    settings.bass = r.value[1];
    settings.treble = r.value[2];
    if (!isCurrentZone(c, zone))
        return;
    setValueSilently(c.ui.sliderDSPBass, r.value[1]);
    setValueSilently(c.ui.sliderDSPTreble, r.value[2]);
    c.ui.labelDSPBassVal->setText(r.text[1]);
    c.ui.labelDSPTrebleVal->setText(r.text[2]);
    plot(c, biquad::trebleSlot, biquad::trebleFilter(c.ui.sliderDSPTreble->value()));
    plot(c, biquad::bassSlot, biquad::bassFilter(c.ui.sliderDSPBass->value()));
    c.window.dspPlot->combineAndPlot();
}

void zoneHighpass(Context &c, const Reply &r)
{
    const int zone = r.value[0];
    if (!inRange(zone, 1, ZoneCount))
        return;
    c.window.zoneDsp[zone - 1].highpass = r.value[1];
    if (!isCurrentZone(c, zone))
        return;
    setValueSilently(c.ui.sliderDSPHighpass, r.value[1]);
    c.ui.labelDSPHighpassVal->setText(r.text[1]);
    plot(c, biquad::passSlot, biquad::highpassFilter(c.ui.sliderDSPHighpass->value()));
    c.window.dspPlot->combineAndPlot();
}

void zoneLowpass(Context &c, const Reply &r)
{
    const int zone = r.value[0];
    if (!inRange(zone, 1, ZoneCount))
        return;
    c.window.zoneDsp[zone - 1].lowpass = r.value[1];
    if (!isCurrentZone(c, zone))
        return;
    setValueSilently(c.ui.sliderDSPLowpass, r.value[1]);
    c.ui.labelDSPLowpassVal->setText(r.text[1]);
    plot(c, biquad::passSlot, biquad::lowpassFilter(c.ui.sliderDSPLowpass->value()));
    c.window.dspPlot->combineAndPlot();
}

void zoneEqBand(Context &c, const Reply &r)
{
    const int zone = r.value[0];
    const int band = r.value[1];
    if (!inRange(zone, 1, ZoneCount) || !inRange(band, 1, BandCount))
        return;
    c.window.zoneDsp[zone - 1].eq[band - 1] = r.value[2];
    if (isCurrentZone(c, zone))
        showBand(c, r);
}

void zonePresetSelect(Context &c, const Reply &r)
{
    const int zone = r.value[0];
    const int preset = r.value[1];
    if (!inRange(zone, 1, ZoneCount) || !inRange(preset, 1, PresetCount))
        return;
    c.window.zoneDsp[zone - 1].preset = preset - 1;
    if (!isCurrentZone(c, zone))
        return;
    QListView *list = c.ui.listViewDSPPreset;
    setSilently(list, [&] { list->setCurrentIndex(c.window.presetNamesModel.index(preset - 1, 0)); });
}

void presetName(Context &c, const Reply &r)
{
    const int preset = r.value[0];
    if (!inRange(preset, 1, PresetCount))
        return;
    renameSilently(c.window.presetNamesModel, preset - 1, r.text[1], c.ui.listViewDSPPreset);
}

void presetEqBand(Context &c, const Reply &r)
{
    const int preset = r.value[0];
    const int band = r.value[1];
    if (!inRange(preset, 1, PresetCount) || !inRange(band, 1, BandCount))
        return;
    c.window.presetEq[preset - 1][band - 1] = r.value[2];
    if (preset == currentNumber(c.ui.listViewDSPPreset))
        showBand(c, r);
}

} // namespace replies
