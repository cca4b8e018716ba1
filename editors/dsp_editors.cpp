// DSP page editors: zone, mode, preset, bands, tone and pass filters.
#include "app/zor_config.h"

void zor_config::listViewDSPZoneChange(QModelIndex model_index) { Q_UNUSED(model_index); }
void zor_config::comboBoxDSPModeChange(int index) { Q_UNUSED(index); }
void zor_config::listViewDSPPresetChange(QModelIndex model_index) { Q_UNUSED(model_index); }
void zor_config::presetNamesModelChange(QModelIndex model) { Q_UNUSED(model); }
void zor_config::sliderDSPEqChange(int value) { Q_UNUSED(value); }
void zor_config::sliderDSPBassChange(int value) { Q_UNUSED(value); }
void zor_config::sliderDSPTrebleChange(int value) { Q_UNUSED(value); }
void zor_config::sliderDSPLowpassChange(int value) { Q_UNUSED(value); }
void zor_config::sliderDSPHighpassChange(int value) { Q_UNUSED(value); }
