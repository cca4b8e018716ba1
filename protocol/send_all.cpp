// Receive All and Send All.
#include "app/zor_config.h"

void zor_config::sendQueryAll() {}
void zor_config::sendAll() {}
