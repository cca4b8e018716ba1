// Source and zone editors: each user edit becomes one command.
#include "app/zor_config.h"

void zor_config::sliderZoneVolChange(int value) { Q_UNUSED(value); }
void zor_config::checkBoxZoneMuteChange(bool checked) { Q_UNUSED(checked); }
void zor_config::checkBoxZoneFixChange(bool checked) { Q_UNUSED(checked); }
void zor_config::comboBoxZoneSourceChange(int index) { Q_UNUSED(index); }
void zor_config::checkBoxZonePowerChange(bool checked) { Q_UNUSED(checked); }
void zor_config::spinBoxZonePOnVolChange(int value) { Q_UNUSED(value); }
void zor_config::spinBoxZoneBalChange(int value) { Q_UNUSED(value); }
void zor_config::lineEditSourceNameChangeFlag() {}
void zor_config::lineEditSourceNameChange() {}
void zor_config::lineEditZoneNameChangeFlag() {}
void zor_config::lineEditZoneNameChange() {}
