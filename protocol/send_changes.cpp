// Compare with Unit and Send Changes.
//
// Both read the unit into a model of their own while the reply lines bypass
// the parser, so the window shows what it showed before; then the settings in
// which the unit differs from the window's Send All are listed. Send Changes
// sends the commands of the chosen differences at Send All's pace and reads
// the unit back to check them.
#include "app/zor_config.h"

#include <QMessageBox>

#include "app/compare_dialog.h"

compare_dialog *zor_config::differencesDialog() const
{
    return openDialog;
}

void zor_config::compareWithUnit()
{
    if (currentRun() == Run::None)
        startReading(Run::Compare);
}

void zor_config::sendChanges()
{
    if (currentRun() == Run::None)
        startReading(Run::ChangesReading);
}

void zor_config::showDifferences(const QVector<UnitSettings::Difference> &differences, int mode)
{
    if (openDialog)
        openDialog->close();
    if (differences.isEmpty()) {
        auto *box = new QMessageBox(QMessageBox::Information, tr("Compare with Unit"),
                                    tr("The unit matches the window."), QMessageBox::Ok, this);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
        return;
    }
    openDialog = new compare_dialog(differences, compare_dialog::Mode(mode), this);
    openDialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(openDialog, &compare_dialog::sendRequested, this, &zor_config::sendSelectedChanges);
    openDialog->open();
}

void zor_config::sendSelectedChanges(const QVector<UnitSettings::Difference> &chosen)
{
    if (chosen.isEmpty() || currentRun() != Run::None || configFile.isOpen() || !linkOpen())
        return;
    QList<QByteArray> commands;
    for (const UnitSettings::Difference &difference : chosen)
        commands += difference.commands;
    sentSettings = UnitSettings::fromCommands(commands);
    changesChosen = int(chosen.size());
    startSending(Run::SendChanges, commands);
}
