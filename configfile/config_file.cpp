// Saving and loading ".ZOR" configuration files.
#include "app/zor_config.h"

void zor_config::saveFile() {}
void zor_config::loadFile() {}
bool zor_config::saveConfiguration(const QString &fileName) { Q_UNUSED(fileName); return false; }
bool zor_config::loadConfiguration(const QString &fileName) { Q_UNUSED(fileName); return false; }
