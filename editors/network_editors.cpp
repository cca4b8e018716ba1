// Network, front panel, serial-enable and trigger editors.
#include "app/zor_config.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>

#include "editors/editor_support.h"
#include "forms/zor_config_form.h"
#include "protocol/core/messages.h"

namespace {

// On editingFinished of an address field: true (and the mark cleared) when
// the user typed in it since its last send.
bool takeTyped(bool &typed)
{
    const bool wasTyped = typed;
    typed = false;
    return wasTyped;
}

// Sleep slider positions 0..3 are 0, 1, 2 and 5 minutes.
int sleepMinutes(int position)
{
    return position == 3 ? 5 : position;
}

} // namespace

void zor_config::checkBoxNetworkDHCPChange(bool checked)
{
    sendCommand(protocol::dhcpEnable(checked));
}

void zor_config::checkBoxNetworkSDDPChange(bool checked)
{
    sendCommand(protocol::sddpEnable(checked));
}

void zor_config::lineEditNetworkIPChangeFlag()
{
    networkIpChanged = true;
}

void zor_config::lineEditNetworkIPChange()
{
    if (takeTyped(networkIpChanged))
        sendCommand(protocol::ipAddress(ui->lineEditNetworkIP->text()));
}

void zor_config::lineEditNetworkMaskChangeFlag()
{
    networkMaskChanged = true;
}

void zor_config::lineEditNetworkMaskChange()
{
    if (takeTyped(networkMaskChanged))
        sendCommand(protocol::networkMask(ui->lineEditNetworkMask->text()));
}

void zor_config::lineEditNetworkGatewayChangeFlag()
{
    networkGatewayChanged = true;
}

void zor_config::lineEditNetworkGatewayChange()
{
    if (takeTyped(networkGatewayChanged))
        sendCommand(protocol::gateway(ui->lineEditNetworkGateway->text()));
}

void zor_config::pushButtonNetworkCommit()
{
    sendCommand(protocol::networkCommit());
}

// Position 3 is the brightest; the unit counts dimming steps the other way.
void zor_config::sliderFPBrightnessChanged(int value)
{
    sendCommand(protocol::fpBrightness(3 - value));
    ui->labelFPBrightnessPercent->setText(QString::number(25 * value + 25) + QLatin1Char('%'));
}

void zor_config::sliderFPSleepChanged(int value)
{
    const int minutes = sleepMinutes(value);
    sendCommand(protocol::fpSleep(minutes));
    ui->labelFPSleepTime->setText(QString::number(minutes) + tr(" Minute(s)"));
}

void zor_config::checkBoxFPIRChanged(bool checked)
{
    sendCommand(protocol::fpIrLock(checked));
}

void zor_config::checkBoxFPLockChanged(bool checked)
{
    sendCommand(protocol::fpLock(checked));
}

void zor_config::checkBoxSerialChanged(bool checked)
{
    sendCommand(protocol::serialResponses(checked));
}

// Wired IR (index 0) has no time or level.
void zor_config::comboBoxTriggerModeChanged(int index)
{
    sendCommand(protocol::triggerMode(index));
    ui->groupBoxTriggerSettings->setEnabled(index != 0);
}

// The unit takes whole multiples of 5 minutes: a value between ticks is
// lowered to the tick below, on the slider as well.
void zor_config::sliderTriggerTimeChanged(int value)
{
    if (value % 5 != 0) {
        value -= value % 5;
        editors::setSilently(ui->sliderTriggerTime, [value](QSlider *slider) { slider->setValue(value); });
    }
    sendCommand(protocol::triggerTime(value));
    ui->labelTriggerModeTimeVal->setText(QString::number(value) + tr(" Minutes"));
}

void zor_config::sliderTriggerLevelChanged(int value)
{
    sendCommand(protocol::triggerLevel(value));
    ui->labelTriggerModeLevelVal->setText(QString::number(value) + tr(" mVRMS"));
}
