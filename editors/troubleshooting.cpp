// Troubleshooting page buttons.
#include "app/zor_config.h"

#include "protocol/core/messages.h"

void zor_config::pushButtonPollOutputLevels()
{
    sendCommand(protocol::queryOutputLevels());
}

void zor_config::pushButtonMaxAllVolumes()
{
    sendCommand(protocol::allZonesMax());
}

// Zone i to source i, one zone at a time: the pause after each command lets
// the unit keep up and lets its replies update the pages zone by zone.
void zor_config::pushButtonSetOneToOne()
{
    for (int zone = 1; zone <= 16; ++zone) {
        sendCommand(protocol::zoneSource(zone, zone));
        delay(50);
    }
}
