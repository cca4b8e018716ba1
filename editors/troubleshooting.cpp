// Troubleshooting page buttons.
#include "app/zor_config.h"

void zor_config::pushButtonPollOutputLevels() {}
void zor_config::pushButtonMaxAllVolumes() {}
void zor_config::pushButtonSetOneToOne() {}
