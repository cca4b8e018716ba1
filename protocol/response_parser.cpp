// Reply lines from the unit (or a configuration file) update the window.
#include "app/zor_config.h"
#include "protocol/reply_targets.h"

void zor_config::parseCommand(QByteArray line) { Q_UNUSED(line); }
