// File > Export Report...: the commissioning report of the window's settings.
#include "app/zor_config.h"

#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStatusBar>

#include "forms/zor_config_form.h"
#include "report/settings_report.h"

void zor_config::exportReport()
{
    const QString pdf = tr("PDF documents (*.pdf)");
    const QString html = tr("HTML documents (*.html *.htm)");
    QString chosenFilter = pdf;
    QString fileName = QFileDialog::getSaveFileName(
        this, tr("Export Report"), QDir::home().filePath(QStringLiteral("ZOR Setup Report.pdf")),
        pdf + QStringLiteral(";;") + html, &chosenFilter);
    if (fileName.isEmpty())
        return;
    // A name without an ending gets the chosen kind's.
    if (QFileInfo(fileName).suffix().isEmpty())
        fileName += chosenFilter == html ? QStringLiteral(".html") : QStringLiteral(".pdf");
    exportReportTo(fileName);
}

bool zor_config::exportReportTo(const QString &fileName)
{
    // While a run talks to the unit the window's settings are changing.
    if (currentRun() != Run::None)
        return false;
    QString subject = tr("The window's settings");
    if (linkOpen())
        subject = tr("The window's settings, connected to %1").arg(statusLabel.text());
    else if (!settingsFile.isEmpty() && undoHistory.isClean())
        subject = tr("The window's settings, as in %1").arg(settingsFile);
    QString reason;
    if (!settings_report::write(fileName, currentSettings(), {subject, QDateTime::currentDateTime()},
                                &reason)) {
        QMessageBox::critical(this, tr("Error"),
                              tr("Failed to write file ") + fileName + QStringLiteral(": ") + reason,
                              QMessageBox::Ok);
        return false;
    }
    ui->statusBar->showMessage(tr("Report written to %1.").arg(fileName));
    return true;
}
