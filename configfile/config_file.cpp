// Saving and loading ".ZOR" configuration files.
//
// A file is the command stream of a Send All, one command per line. Saving
// runs Send All with the file as destination (written atomically, so a failed
// save never destroys the previous file); loading replays each line through
// the reply parser.
#include "app/zor_config.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QStatusBar>

#include "forms/zor_config_form.h"
#include "protocol/core/line_framer.h"
#include "protocol/core/reply_decoder.h"

namespace {

const char *const FileCaption = QT_TRANSLATE_NOOP("zor_config", "Select Configuration File");
const char *const FileFilter = QT_TRANSLATE_NOOP("zor_config", "Config Files (*.ZOR)");

} // namespace

void zor_config::saveFile()
{
    const QString fileName =
        QFileDialog::getSaveFileName(this, tr(FileCaption), QStringLiteral("/"), tr(FileFilter));
    if (fileName.isEmpty())
        return;
    saveConfiguration(fileName);
}

void zor_config::loadFile()
{
    const QString fileName =
        QFileDialog::getOpenFileName(this, tr(FileCaption), QStringLiteral("/"), tr(FileFilter));
    if (fileName.isEmpty())
        return;
    loadConfiguration(fileName);
}

bool zor_config::saveConfiguration(const QString &fileName)
{
    if (sendAllRunning || configFile.isOpen())
        return false;
    configFile.setFileName(fileName);
    if (!configFile.open(QIODevice::WriteOnly | QIODevice::Text)) {
        QMessageBox::critical(this, tr("Error"), tr("Failed to open file ") + fileName + QStringLiteral("."),
                              QMessageBox::Ok);
        return false;
    }
    sendAll();
    // A short write (a full disk, a file size limit) is not always reported by
    // the write itself: check that everything written reached the file.
    const bool complete = configFile.flush() && configFile.error() == QFileDevice::NoError &&
                          configFile.size() == configFile.pos();
    if (!complete)
        configFile.cancelWriting();
    if (!configFile.commit()) {
        QMessageBox::critical(this, tr("Error"), tr("Failed to write file ") + fileName + QStringLiteral("."),
                              QMessageBox::Ok);
        return false;
    }
    ui->statusBar->showMessage(tr("File saved successfully."));
    return true;
}

bool zor_config::loadConfiguration(const QString &fileName)
{
    if (sendAllRunning)
        return false;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        QMessageBox::critical(this, tr("Error"), tr("Failed to open file ") + fileName + QStringLiteral("."),
                              QMessageBox::Ok);
        return false;
    }
    QList<QByteArray> lines;
    int nonBlank = 0;
    int recognised = 0;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine();
        lines.append(line);
        if (line.trimmed().isEmpty())
            continue;
        ++nonBlank;
        if (protocol::decodeReply(line).recognised())
            ++recognised;
    }
    file.close();

    if (recognised == 0) {
        QMessageBox::critical(this, tr("Error"), tr("No settings found in ") + fileName + QStringLiteral("."),
                              QMessageBox::Ok);
        return false;
    }

    loadingFile = true;
    for (const QByteArray &line : lines) {
        parseCommand(line);
        emit sendReceivedData(decodeUtf8UpToNul(line.trimmed()));
    }
    loadingFile = false;

    if (recognised == nonBlank)
        ui->statusBar->showMessage(tr("File loaded successfully."));
    else
        ui->statusBar->showMessage(
            tr("File loaded: %1 of %2 lines recognised.").arg(recognised).arg(nonBlank));
    return true;
}
