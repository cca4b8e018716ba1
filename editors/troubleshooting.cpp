// Troubleshooting page buttons, and the output levels polled once a second.
#include "app/zor_config.h"

#include <QCheckBox>

#include "editors/editor_support.h"
#include "forms/zor_config_form.h"
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

namespace {

constexpr int LevelPollMs = 1000;

} // namespace

void zor_config::wireLevelPolling()
{
    levelPoll.setInterval(LevelPollMs);
    connect(&levelPoll, &QTimer::timeout, this, &zor_config::pollLevels);
    connect(ui->checkBoxPollOutputLevels, &QCheckBox::toggled, this, &zor_config::levelPollingToggled);
}

// Ticked: the levels are asked for now and then once a second.
void zor_config::levelPollingToggled(bool on)
{
    if (!on) {
        levelPoll.stop();
        return;
    }
    levelPoll.start();
    pollLevels();
}

// A poll waits while Receive All, a reading or a write talks to the unit: its
// level lines would mix with theirs.
void zor_config::pollLevels()
{
    if (!linkOpen()) {
        stopLevelPolling();
        return;
    }
    if (currentRun() == Run::None)
        pushButtonPollOutputLevels();
}

void zor_config::stopLevelPolling()
{
    levelPoll.stop();
    QCheckBox *box = ui->checkBoxPollOutputLevels;
    editors::setSilently(box, [](QCheckBox *b) { b->setChecked(false); });
    box->setEnabled(false);
}
