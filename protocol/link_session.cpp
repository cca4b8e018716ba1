// The link session: Receive All, the readings of Compare and Send Changes,
// Send All, Send Changes and the reading back after a write are one run at a
// time. While one runs the actions that would start another are disabled,
// the status bar shows its progress beside a Cancel button, and a link that
// is opened anew, closed or lost stops it.
//
// A reading goes through UnitReader: complete once the unit has reported
// every setting, a failure otherwise. A write goes through PacedSender, one
// command every 50 ms.
#include "app/zor_config.h"

#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTcpSocket>

#include "app/compare_dialog.h"
#include "app/settings_step.h"
#include "forms/zor_config_form.h"
#include "protocol/core/paced_sender.h"
#include "protocol/core/unit_reader.h"

void zor_config::wireRuns()
{
    unitReader = new UnitReader(this);
    connect(unitReader, &UnitReader::commandReady, this, &zor_config::sendCommand);
    connect(unitReader, &UnitReader::finished, this, &zor_config::readingFinished);
    connect(unitReader, &UnitReader::failed, this,
            [this](UnitReader::Failure failure) { readingFailed(failure); });
    runSender = new PacedSender(this);
    connect(runSender, &PacedSender::commandReady, this, &zor_config::sendNextCommand);
    connect(runSender, &PacedSender::progress, this, &zor_config::showRunProgress);
    connect(runSender, &PacedSender::finished, this,
            [this](PacedSender::Outcome outcome) { sendingFinished(outcome); });
    connect(ui->actionCompare, &QAction::triggered, this, &zor_config::compareWithUnit);
    connect(ui->actionSendChanges, &QAction::triggered, this, &zor_config::sendChanges);
}

bool zor_config::isReading() const
{
    return run == Run::ReceiveAll || run == Run::Compare || run == Run::ChangesReading || run == Run::Verify;
}

bool zor_config::linkOpen() const
{
    return serialPort.isOpen() || (tcpSocket && tcpSocket->state() == QAbstractSocket::ConnectedState);
}

void zor_config::setLinkActionsEnabled(bool enabled)
{
    linkActionsWanted = enabled;
    // Live levels need a link to poll.
    ui->checkBoxPollOutputLevels->setEnabled(enabled);
    updateRunActions();
}

void zor_config::updateRunActions()
{
    const bool idle = run == Run::None;
    for (QAction *action :
         {ui->actionReceiveAll, ui->actionSendAll, ui->actionCompare, ui->actionSendChanges})
        action->setEnabled(idle && linkActionsWanted);
    // A file loaded or saved in the middle of a run would mix with it.
    ui->actionLoad->setEnabled(idle);
    ui->actionSave->setEnabled(idle);
    ui->menuRecentFiles->setEnabled(idle);
    updateUndoActions();
}

void zor_config::beginRun(Run kind)
{
    run = kind;
    updateRunActions();
    if (!runProgress) {
        runProgress = new QLabel(this);
        runProgress->setObjectName(QStringLiteral("labelSendAllProgress"));
        runCancel = new QPushButton(tr("Cancel"), this);
        runCancel->setObjectName(QStringLiteral("pushButtonSendAllCancel"));
        connect(runCancel, &QPushButton::clicked, this, &zor_config::cancelRun);
        // Permanent widgets: the reply lines shown in the status bar during
        // the run must not hide the progress or the Cancel button.
        ui->statusBar->addPermanentWidget(runProgress);
        ui->statusBar->addPermanentWidget(runCancel);
    }
    if (isReading())
        showRunProgress();
    runProgress->setVisible(true);
    runCancel->setVisible(true);
}

void zor_config::endRun(const QString &message)
{
    const Run ended = run;
    run = Run::None;
    updateRunActions();
    if (runProgress) {
        runProgress->setVisible(false);
        runCancel->setVisible(false);
    }
    if (!message.isEmpty())
        statusBar()->showMessage(message);
    // Whatever a Receive All changed, complete or not, is one step.
    if (ended == Run::ReceiveAll)
        endWindowStep(SettingsStep::ReceiveAll, tr("Receive All"), receiveAllBase, receiveAllOffline);
}

void zor_config::showRunProgress()
{
    if (!runProgress)
        return;
    if (isReading())
        runProgress->setText(tr("Reading %1 of %2 settings")
                                 .arg(unitReader->settingsReceived())
                                 .arg(UnitSettings::SettingCount));
    else
        runProgress->setText(tr("Sending %1 of %2").arg(runSender->sent()).arg(runSender->total()));
}

void zor_config::startReading(Run kind)
{
    beginRun(kind);
    unitReader->firstReplyMs = receiveAllFirstReplyMs;
    unitReader->quietMs = receiveAllQuietMs;
    unitReader->overallMs = readingOverallMs;
    unitReader->start(serialPort.isOpen());
}

// Every line from the unit while a reading runs; Receive All's lines also
// reach the parser, the others leave the window as it is.
void zor_config::readLine(const QByteArray &line)
{
    const bool toParser = run == Run::ReceiveAll;
    unitReader->feedLine(line);
    if (isReading())
        showRunProgress();
    if (toParser)
        parseCommand(line);
}

void zor_config::cancelRun()
{
    stopRun(false);
}

QString zor_config::stopRunForLink()
{
    const QString stopped = stopRun(true);
    // Live levels end with the link they polled.
    stopLevelPolling();
    return stopped;
}

// A reading ends at once; a run of commands stops after the one under way
// and reports itself.
QString zor_config::stopRun(bool linkGone)
{
    if (isReading()) {
        unitReader->cancel();
        const QString text = linkGone ? tr("Reading stopped: connection lost after %1 of %2 settings.")
                                      : tr("Reading cancelled after %1 of %2 settings.");
        endRun(text.arg(unitReader->settingsReceived()).arg(UnitSettings::SettingCount));
    } else if (runSender && runSender->isRunning()) {
        if (linkGone)
            runSender->linkLost();
        else
            runSender->cancel();
    } else {
        return QString();
    }
    return statusBar()->currentMessage();
}

void zor_config::startSending(Run kind, const QList<QByteArray> &commands)
{
    beginRun(kind);
    runCommandsSent = 0;
    runProgress->setText(tr("Sending %1 of %2").arg(0).arg(commands.size()));
    runSender->start(commands, PacedSender::LinkPacingMs);
}

void zor_config::sendNextCommand(const QByteArray &command)
{
    if (!linkOpen()) {
        runSender->linkLost();
        return;
    }
    ++runCommandsSent;
    sendCommand(command);
}

void zor_config::sendingFinished(int outcome)
{
    const QString what = run == Run::SendAll ? tr("Send All") : tr("Send Changes");
    // Counted as they went out: a command withheld for a lost link is not sent.
    const int sent = runCommandsSent;
    const int total = runSender->total();
    switch (outcome) {
    case PacedSender::Completed:
        // The unit now holds what the window held.
        if (run == Run::SendAll)
            offlineEdits = false;
        if (run == Run::SendChanges)
            statusBar()->showMessage(changesChosen == 1 ? tr("Sent 1 change.")
                                                        : tr("Sent %1 changes.").arg(changesChosen));
        // What was sent is read back and checked, in the same session.
        if (linkOpen())
            startReading(Run::Verify);
        else
            endRun(QString());
        break;
    case PacedSender::Cancelled:
        endRun(tr("%1 cancelled after %2 of %3 commands.").arg(what).arg(sent).arg(total));
        break;
    default:
        endRun(tr("%1 stopped: connection lost after %2 of %3 commands.").arg(what).arg(sent).arg(total));
        break;
    }
}

void zor_config::readingFinished()
{
    const Run finished = run;
    const UnitSettings &unit = unitReader->settings();
    switch (finished) {
    case Run::ReceiveAll:
        // The window shows the unit: nothing it holds is its own any more.
        offlineEdits = false;
        endRun(tr("Receive All: %1 lines received.").arg(unitReader->linesReceived()));
        break;
    case Run::Compare:
    case Run::ChangesReading:
        endRun(tr("Read %1 lines from the unit.").arg(unitReader->linesReceived()));
        showDifferences(unit.differences(currentSettings()),
                        finished == Run::Compare ? compare_dialog::Compare : compare_dialog::SendChanges);
        break;
    case Run::Verify: {
        for (const QByteArray &command : unitReader->takeBackSerialResponses(sentSettings))
            sendCommand(command);
        const QVector<UnitSettings::Difference> missed = unit.differences(sentSettings);
        if (missed.isEmpty()) {
            endRun(tr("Verified: the unit holds every setting sent."));
            break;
        }
        endRun(compare_dialog::countText(int(missed.size()), compare_dialog::Verify) + QLatin1Char('.'));
        showDifferences(missed, compare_dialog::Verify);
        break;
    }
    default:
        break;
    }
}

void zor_config::readingFailed(int failure)
{
    const Run failed = run;
    if (failure == UnitReader::NoReply) {
        endRun(tr("No reply from the unit."));
        return;
    }
    const QString answered = unitReader->incompleteText();
    if (failed == Run::ReceiveAll) {
        // The window shows what did arrive.
        endRun(tr("Receive All: ") + answered);
        return;
    }
    // A partial answer is no picture of the unit: nothing is compared.
    endRun(answered);
    auto *box = new QMessageBox(QMessageBox::Warning,
                                failed == Run::Compare  ? tr("Compare with Unit")
                                : failed == Run::Verify ? tr("Verification")
                                                        : tr("Send Changes"),
                                answered, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}
