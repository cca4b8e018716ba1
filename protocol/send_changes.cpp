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
#include "protocol/core/unit_reader.h"

namespace {

constexpr int ChangesPacingMs = 50;

} // namespace

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
    changesTimer.setSingleShot(true);
    connect(&changesTimer, &QTimer::timeout, this, &zor_config::sendNextChange);
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
    if (unitReader->isRunning() || sendAllRunning || sendingChanges)
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
    connect(openDialog, &QObject::destroyed, this, [this] { openDialog = nullptr; });
    connect(openDialog, &compare_dialog::sendRequested, this, &zor_config::sendSelectedChanges);
    openDialog->open();
}

bool zor_config::linkOpen() const
{
    return serialPort.isOpen() || (tcpSocket && tcpSocket->state() == QAbstractSocket::ConnectedState);
}

void zor_config::sendSelectedChanges(const QList<QByteArray> &commands)
{
    if (commands.isEmpty() || sendAllRunning || sendingChanges || configFile.isOpen())
        return;
    changesQueue = commands;
    sendingChanges = true;
    sendAllCancelled = false;
    sendAllSent = 0;
    sendAllTotal = commands.size();
    setSendAllActive(true);
    sendNextChange();
}

void zor_config::sendNextChange()
{
    if (!sendingChanges)
        return;
    if (sendAllCancelled) {
        stopSendingChanges(
            tr("Send Changes cancelled after %1 of %2 commands.").arg(sendAllSent).arg(sendAllTotal));
        return;
    }
    if (!linkOpen()) {
        stopSendingChanges(tr("Send Changes stopped after %1 of %2 commands: the link is closed.")
                               .arg(sendAllSent)
                               .arg(sendAllTotal));
        return;
    }
    if (changesQueue.isEmpty()) {
        stopSendingChanges(tr("Sent %1 changes.").arg(sendAllTotal));
        return;
    }
    sendCommand(changesQueue.takeFirst());
    ++sendAllSent;
    if (sendAllProgress)
        sendAllProgress->setText(tr("Sending %1 of %2").arg(sendAllSent).arg(sendAllTotal));
    // The pause follows every command, the last one too, as in Send All.
    changesTimer.start(ChangesPacingMs);
}

void zor_config::stopSendingChanges(const QString &message)
{
    changesTimer.stop();
    changesQueue.clear();
    sendingChanges = false;
    // The report is this run's own, not Send All's.
    sendAllCancelled = false;
    setSendAllActive(false);
    statusBar()->showMessage(message);
}
