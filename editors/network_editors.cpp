// Network, front panel, serial-enable and trigger editors.
#include "app/zor_config.h"

void zor_config::checkBoxNetworkDHCPChange(bool checked) { Q_UNUSED(checked); }
void zor_config::checkBoxNetworkSDDPChange(bool checked) { Q_UNUSED(checked); }
void zor_config::lineEditNetworkIPChangeFlag() {}
void zor_config::lineEditNetworkIPChange() {}
void zor_config::lineEditNetworkMaskChangeFlag() {}
void zor_config::lineEditNetworkMaskChange() {}
void zor_config::lineEditNetworkGatewayChangeFlag() {}
void zor_config::lineEditNetworkGatewayChange() {}
void zor_config::pushButtonNetworkCommit() {}
void zor_config::sliderFPBrightnessChanged(int value) { Q_UNUSED(value); }
void zor_config::sliderFPSleepChanged(int value) { Q_UNUSED(value); }
void zor_config::checkBoxFPIRChanged(bool checked) { Q_UNUSED(checked); }
void zor_config::checkBoxFPLockChanged(bool checked) { Q_UNUSED(checked); }
void zor_config::checkBoxSerialChanged(bool checked) { Q_UNUSED(checked); }
void zor_config::comboBoxTriggerModeChanged(int index) { Q_UNUSED(index); }
void zor_config::sliderTriggerTimeChanged(int value) { Q_UNUSED(value); }
void zor_config::sliderTriggerLevelChanged(int value) { Q_UNUSED(value); }
