// Receive All and Send All.
//
// Send All drives the editors: it emits each widget's own change signal with
// the widget's current value, so the connected editor builds and sends the
// command exactly as for a user edit. Only the preset EQ band commands are
// built here, from the settings state. While a configuration file is open the
// commands go into the file and the pauses are dropped.
//
// A run leaves the window as it found it, but for the pages that step through
// their entries (and end on the rows they started on): the volume lines leave
// the mute boxes alone, and no text field is left marked as typed in.
#include "app/zor_config.h"

#include <QCheckBox>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSlider>
#include <QSpinBox>
#include <QStatusBar>

#include "editors/editor_support.h"
#include "forms/zor_config_form.h"
#include "protocol/core/messages.h"
#include "protocol/reply_targets.h"

namespace {

constexpr int SendAllPacingMs = 50;
constexpr int ZoneCount = 16;

template <typename Widget> QList<Widget *> familyOf(const QObject *root, const char *prefix)
{
    return root->findChildren<Widget *>(QRegularExpression(QLatin1String(prefix)));
}

// Sends a text field as if typed in: its typed mark is raised for this one
// emission only. A run that stops before a field thus leaves no mark behind
// that a later visit of the field would turn into a command never typed; a
// mark the user made on a field the run did not reach stays.
void emitAsTyped(QLineEdit *field, bool &typed)
{
    typed = true;
    emit field->editingFinished();
    typed = false;
}

// The same for a numbered name field, whose mark is found by its number.
void emitAsTyped(QLineEdit *field, const QRegularExpression &pattern, bool (&typed)[ZoneCount])
{
    const int number = editors::memberNumber(field, pattern);
    if (editors::isNumberIn(number, ZoneCount))
        emitAsTyped(field, typed[number - 1]);
    else
        emit field->editingFinished();
}

// Makes a list row current, noting the row that was current before.
class RowRestorer
{
public:
    explicit RowRestorer(QListView *view) : view(view), noted(view->currentIndex()) {}
    ~RowRestorer() { view->setCurrentIndex(noted); }
    RowRestorer(const RowRestorer &) = delete;
    RowRestorer &operator=(const RowRestorer &) = delete;

private:
    QListView *view;
    QPersistentModelIndex noted;
};

} // namespace

void zor_config::sendQueryAll()
{
    if (serialPort.isOpen())
        sendCommand(protocol::command(protocol::Message::SerialResponses, {1}));
    sendCommand(protocol::command(protocol::Message::QueryAll));
    // The answers are parsed as they arrive; the status bar tells once they
    // have stopped coming, or that none came.
    startReceiveAllReport();
}

void zor_config::sendAll()
{
    if (sendAllRunning)
        return;
    sendAllPacing = configFile.isOpen() ? 0 : SendAllPacingMs;
    sendAllCancelled = false;
    sendAllLinkLost = false;
    for (int zone = 1; zone <= ZoneCount; ++zone) {
        const QCheckBox *mute = numberedWidgets().checkBoxZoneMute.byNumber(zone);
        sendAllMutes[zone - 1] = mute && mute->isChecked();
    }
    sendAllSent = 0;
    sendAllTotal = int(currentSettings().sendAllCommands().size());
    setSendAllActive(true);
    auto done = qScopeGuard([this] { setSendAllActive(false); });

    sendAllNames() && sendAllZones() && sendAllDsp() && sendAllPresets() && sendAllUnitSettings() &&
        sendAllGroups() && sendAllFavorites();
}

// The pause after each command; false once the user has cancelled or the
// link has gone.
bool zor_config::sendAllPause()
{
    ++sendAllSent;
    if (sendAllProgress)
        sendAllProgress->setText(tr("Sending %1 of %2").arg(sendAllSent).arg(sendAllTotal));
    if (sendAllPacing > 0)
        delay(sendAllPacing);
    return !sendAllCancelled && !sendAllLinkLost;
}

// Called by the link when it closes or fails; it reports the error itself.
void zor_config::sendAllLinkGone()
{
    if (sendAllRunning)
        sendAllLinkLost = true;
}

// A mute the user sets during a run is the one the run's mute line sends.
void zor_config::sendAllNoteMute(int zone, bool muted)
{
    if (sendAllRunning && editors::isNumberIn(zone, ZoneCount))
        sendAllMutes[zone - 1] = muted;
}

void zor_config::setLinkActionsEnabled(bool enabled)
{
    linkActionsWanted = enabled;
    if (sendAllRunning)
        return;
    ui->actionReceiveAll->setEnabled(enabled);
    ui->actionSendAll->setEnabled(enabled);
}

// Disables what must not run alongside a Send All and shows its progress.
void zor_config::setSendAllActive(bool active)
{
    if (active)
        linkActionsWanted = ui->actionSendAll->isEnabled();
    sendAllRunning = active;
    // While the run lasts the link only notes what it would show (a link
    // opened or lost during a pause); the run's end shows it.
    ui->actionReceiveAll->setEnabled(!active && linkActionsWanted);
    ui->actionSendAll->setEnabled(!active && linkActionsWanted);
    ui->actionLoad->setEnabled(!active);
    ui->actionSave->setEnabled(!active);

    if (configFile.isOpen())
        return; // a save runs to its end without returning to the event loop
    if (!sendAllProgress) {
        sendAllProgress = new QLabel(this);
        sendAllProgress->setObjectName(QStringLiteral("labelSendAllProgress"));
        sendAllCancel = new QPushButton(tr("Cancel"), this);
        sendAllCancel->setObjectName(QStringLiteral("pushButtonSendAllCancel"));
        connect(sendAllCancel, &QPushButton::clicked, this, [this] { sendAllCancelled = true; });
        // Permanent widgets: the reply lines shown in the status bar during
        // the run must not hide the progress or the Cancel button.
        ui->statusBar->addPermanentWidget(sendAllProgress);
        ui->statusBar->addPermanentWidget(sendAllCancel);
    }
    sendAllProgress->setText(active ? tr("Sending %1 of %2").arg(0).arg(sendAllTotal) : QString());
    sendAllProgress->setVisible(active);
    sendAllCancel->setVisible(active);
    if (!active && sendAllLinkLost)
        ui->statusBar->showMessage(tr("Send All stopped: connection lost after %1 of %2 commands.")
                                       .arg(sendAllSent)
                                       .arg(sendAllTotal));
    else if (!active && sendAllCancelled)
        ui->statusBar->showMessage(
            tr("Send All cancelled after %1 of %2 commands.").arg(sendAllSent).arg(sendAllTotal));
}

bool zor_config::sendAllNames()
{
    static const QRegularExpression sourcePattern(QStringLiteral("lineEditSourceName_([0-9]{1,2})"));
    static const QRegularExpression zonePattern(QStringLiteral("lineEditZoneName_([0-9]{1,2})"));
    for (QLineEdit *edit : familyOf<QLineEdit>(this, "lineEditSourceName")) {
        emitAsTyped(edit, sourcePattern, sourceNameChanged);
        if (!sendAllPause())
            return false;
    }
    for (QLineEdit *edit : familyOf<QLineEdit>(this, "lineEditZoneName")) {
        emitAsTyped(edit, zonePattern, zoneNameChanged);
        if (!sendAllPause())
            return false;
    }
    return true;
}

bool zor_config::sendAllZones()
{
    for (QSlider *slider : familyOf<QSlider>(this, "sliderZoneVol")) {
        sendAllReplayingVolume = true;
        emit slider->valueChanged(slider->value());
        sendAllReplayingVolume = false;
        if (!sendAllPause())
            return false;
    }
    // A mute box sends the state noted at the start: a reply parsed during
    // the run does not change what the run writes.
    static const QRegularExpression mutePattern(QStringLiteral("checkBoxZoneMute_([0-9]{1,2})"));
    for (QCheckBox *box : familyOf<QCheckBox>(this, "checkBoxZone")) {
        const int muteZone = editors::memberNumber(box, mutePattern);
        emit box->toggled(editors::isNumberIn(muteZone, ZoneCount) ? sendAllMutes[muteZone - 1]
                                                                   : box->isChecked());
        if (!sendAllPause())
            return false;
    }
    for (QSpinBox *spin : familyOf<QSpinBox>(this, "spinBoxZone")) {
        emit spin->valueChanged(spin->value());
        if (!sendAllPause())
            return false;
    }
    return true;
}

bool zor_config::sendAllDsp()
{
    RowRestorer restore(ui->listViewDSPZone);
    const QList<QSlider *> bands = familyOf<QSlider>(this, "sliderDSPEQ");
    for (int row = 0; row < zoneNamesModel.rowCount(); ++row) {
        ui->listViewDSPZone->setCurrentIndex(zoneNamesModel.index(row, 0));
        const int mode = ui->comboBoxDSPMode->currentIndex();
        emit ui->comboBoxDSPMode->currentIndexChanged(mode);
        if (!sendAllPause())
            return false;
        switch (mode) {
        case Eq:
            for (QSlider *slider : bands) {
                emit slider->valueChanged(slider->value());
                if (!sendAllPause())
                    return false;
            }
            break;
        case Preset:
            emit ui->listViewDSPPreset->pressed(ui->listViewDSPPreset->currentIndex());
            if (!sendAllPause())
                return false;
            break;
        case Tone:
            emit ui->sliderDSPBass->valueChanged(ui->sliderDSPBass->value());
            if (!sendAllPause())
                return false;
            emit ui->sliderDSPTreble->valueChanged(ui->sliderDSPTreble->value());
            if (!sendAllPause())
                return false;
            break;
        case Lowpass:
            emit ui->sliderDSPLowpass->valueChanged(ui->sliderDSPLowpass->value());
            if (!sendAllPause())
                return false;
            break;
        case Highpass:
            emit ui->sliderDSPHighpass->valueChanged(ui->sliderDSPHighpass->value());
            if (!sendAllPause())
                return false;
            break;
        default:
            break;
        }
    }
    return true;
}

bool zor_config::sendAllPresets()
{
    for (int row = 0; row < presetNamesModel.rowCount() && row < 10; ++row) {
        presetNamesModelChange(presetNamesModel.index(row, 0));
        if (!sendAllPause())
            return false;
        for (int band = 1; band <= 10; ++band) {
            sendCommand(
                protocol::command(protocol::Message::PresetEqBand, {row + 1, band, presetEq[row][band - 1]}));
            if (!sendAllPause())
                return false;
        }
    }
    return true;
}

bool zor_config::sendAllUnitSettings()
{
    emit ui->checkBoxNetworkDHCP->toggled(ui->checkBoxNetworkDHCP->isChecked());
    if (!sendAllPause())
        return false;
    emit ui->checkBoxNetworkSDDP->toggled(ui->checkBoxNetworkSDDP->isChecked());
    if (!sendAllPause())
        return false;
    if (ui->groupBoxNetworkStatic->isEnabled()) {
        const std::pair<QLineEdit *, bool *> addresses[] = {
            {ui->lineEditNetworkIP, &networkIpChanged},
            {ui->lineEditNetworkMask, &networkMaskChanged},
            {ui->lineEditNetworkGateway, &networkGatewayChanged}};
        for (const auto &[edit, typed] : addresses) {
            emitAsTyped(edit, *typed);
            if (!sendAllPause())
                return false;
        }
    }

    const std::initializer_list<std::function<void()>> steps = {
        [this] { emit ui->sliderFPBrightness->valueChanged(ui->sliderFPBrightness->value()); },
        [this] { emit ui->sliderFPSleep->valueChanged(ui->sliderFPSleep->value()); },
        [this] { emit ui->checkBoxFPIR->toggled(ui->checkBoxFPIR->isChecked()); },
        [this] { emit ui->checkBoxFPLock->toggled(ui->checkBoxFPLock->isChecked()); },
        [this] { emit ui->checkBoxSerial->toggled(ui->checkBoxSerial->isChecked()); },
        [this] {
            emit ui->comboBoxTriggerMode->currentIndexChanged(ui->comboBoxTriggerMode->currentIndex());
        },
        [this] { emit ui->sliderTriggerTime->valueChanged(ui->sliderTriggerTime->value()); },
        [this] { emit ui->sliderTriggerLevel->valueChanged(ui->sliderTriggerLevel->value()); },
    };
    for (const auto &step : steps) {
        step();
        if (!sendAllPause())
            return false;
    }
    return true;
}

bool zor_config::sendAllGroups()
{
    RowRestorer restore(ui->listViewGroup);
    const QList<QCheckBox *> members = familyOf<QCheckBox>(this, "checkBoxGroupZone");
    for (int row = 0; row < groupNamesModel.rowCount(); ++row) {
        ui->listViewGroup->setCurrentIndex(groupNamesModel.index(row, 0));
        groupNamesModelChange(groupNamesModel.index(row, 0));
        if (!sendAllPause())
            return false;
        for (QCheckBox *box : members) {
            emit box->toggled(box->isChecked());
            if (!sendAllPause())
                return false;
        }
    }
    return true;
}

bool zor_config::sendAllFavorites()
{
    RowRestorer restore(ui->listViewFavorites);
    QCheckBox *bypassBoxes[16];
    for (int zone = 1; zone <= 16; ++zone)
        bypassBoxes[zone - 1] = findChild<QCheckBox *>(QStringLiteral("checkBoxFavoriteBypass_%1").arg(zone));
    for (int row = 0; row < favoriteNamesModel.rowCount(); ++row) {
        ui->listViewFavorites->setCurrentIndex(favoriteNamesModel.index(row, 0));
        favoriteNamesModelChange(favoriteNamesModel.index(row, 0));
        if (!sendAllPause())
            return false;
        for (QCheckBox *bypass : bypassBoxes) {
            if (bypass)
                emit bypass->toggled(bypass->isChecked());
            if (!sendAllPause())
                return false;
        }
    }
    return true;
}
