// Compare with Unit and Send Changes.
//
// Both read the unit into a model of their own (UnitReader) while the reply
// lines bypass the parser, so the window shows what it showed before; then
// the differences between that model and the window's settings are listed.
// Send Changes sends the commands of the chosen differences straight to the
// link, one at a time at Send All's pace, under Send All's progress and
// Cancel button and with the same actions locked.
#include "app/zor_config.h"

#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTcpSocket>

#include "app/compare_dialog.h"
#include "forms/zor_config_form.h"
#include "protocol/core/paced_sender.h"
#include "protocol/core/unit_reader.h"

void zor_config::wireCompare()
{
    unitReader = new UnitReader(this);
    connect(unitReader, &UnitReader::commandReady, this, &zor_config::sendCommand);
    connect(unitReader, &UnitReader::finished, this, &zor_config::unitReadingFinished);
    connect(unitReader, &UnitReader::failed, this,
            [this](const QString &reason) { statusBar()->showMessage(reason); });
    connect(ui->actionCompare, &QAction::triggered, this, &zor_config::compareWithUnit);
    connect(ui->actionSendChanges, &QAction::triggered, this, &zor_config::sendChanges);
    // Both need what Send All needs: a link, and no run in progress.
    connect(ui->actionSendAll, &QAction::changed, this, [this] {
        ui->actionCompare->setEnabled(ui->actionSendAll->isEnabled());
        ui->actionSendChanges->setEnabled(ui->actionSendAll->isEnabled());
    });
    changesSender = new PacedSender(this);
    connect(changesSender, &PacedSender::commandReady, this, &zor_config::sendNextChange);
    connect(changesSender, &PacedSender::progress, this, &zor_config::changesSent);
    connect(changesSender, &PacedSender::finished, this,
            [this](PacedSender::Outcome outcome) { changesFinished(outcome); });
}

compare_dialog *zor_config::differencesDialog() const
{
    return openDialog;
}

void zor_config::compareWithUnit()
{
    startUnitReading(false);
}

void zor_config::sendChanges()
{
    startUnitReading(true);
}

void zor_config::startUnitReading(bool forSending)
{
    if (unitReader->isRunning() || sendAllRunning || changesSender->isRunning())
        return;
    unitReadForSending = forSending;
    unitReader->firstReplyMs = receiveAllFirstReplyMs;
    unitReader->quietMs = receiveAllQuietMs;
    statusBar()->showMessage(tr("Reading the unit..."));
    unitReader->start(serialPort.isOpen());
}

void zor_config::unitReadingFinished()
{
    const QVector<UnitSettings::Difference> differences =
        unitReader->settings().differences(currentSettings());
    statusBar()->showMessage(tr("Read %1 lines from the unit.").arg(unitReader->linesReceived()));
    if (openDialog)
        openDialog->close();
    if (differences.isEmpty()) {
        auto *box = new QMessageBox(QMessageBox::Information, tr("Compare with Unit"),
                                    tr("The unit matches the window."), QMessageBox::Ok, this);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
        return;
    }
    openDialog = new compare_dialog(
        differences, unitReadForSending ? compare_dialog::SendChanges : compare_dialog::Compare, this);
    openDialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(openDialog, &compare_dialog::sendRequested, this, &zor_config::sendSelectedChanges);
    openDialog->open();
}

bool zor_config::linkOpen() const
{
    return serialPort.isOpen() || (tcpSocket && tcpSocket->state() == QAbstractSocket::ConnectedState);
}

void zor_config::sendSelectedChanges(const QList<QByteArray> &commands)
{
    if (commands.isEmpty() || sendAllRunning || changesSender->isRunning() || configFile.isOpen())
        return;
    sendAllCancelled = false;
    sendAllLinkLost = false;
    sendAllSent = 0;
    sendAllTotal = int(commands.size());
    setSendAllActive(true);
    // Send All's Cancel button stops this run as well.
    connect(sendAllCancel, &QPushButton::clicked, this, &zor_config::cancelSendingChanges,
            Qt::UniqueConnection);
    changesSender->start(commands, PacedSender::LinkPacingMs);
}

void zor_config::cancelSendingChanges()
{
    if (changesSender->isRunning())
        changesSender->cancel();
}

void zor_config::sendNextChange(const QByteArray &command)
{
    // The link reports its loss through Send All's flag, which this run
    // shares while it holds the lock.
    if (sendAllLinkLost || !linkOpen()) {
        changesSender->linkLost();
        return;
    }
    sendCommand(command);
}

void zor_config::changesSent(int sent, int total)
{
    sendAllSent = sent;
    if (sendAllProgress)
        sendAllProgress->setText(tr("Sending %1 of %2").arg(sent).arg(total));
}

void zor_config::changesFinished(int outcome)
{
    // Counted from the progress: a command withheld for a lost link is not sent.
    const int sent = sendAllSent;
    const int total = changesSender->total();
    // The report is this run's own, not Send All's.
    sendAllCancelled = false;
    sendAllLinkLost = false;
    setSendAllActive(false);
    switch (outcome) {
    case PacedSender::Completed:
        statusBar()->showMessage(tr("Sent %1 changes.").arg(total));
        break;
    case PacedSender::Cancelled:
        statusBar()->showMessage(tr("Send Changes cancelled after %1 of %2 commands.").arg(sent).arg(total));
        break;
    default:
        statusBar()->showMessage(
            tr("Send Changes stopped: connection lost after %1 of %2 commands.").arg(sent).arg(total));
        break;
    }
}
