// Saving and loading ".ZOR" configuration files.
//
// A file is the command stream of a Send All, one command per line. Saving
// writes the Send All list of the window's settings (atomically, so a failed
// save never destroys the previous file); loading replays each line that the
// settings model takes (zorctl, lint and the simulated unit read files with
// the same model) through the reply parser.
#include "app/zor_config.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStatusBar>

#include "app/settings_step.h"
#include "forms/zor_config_form.h"
#include "protocol/core/config_file_reader.h"
#include "protocol/core/line_framer.h"
#include "protocol/core/unit_settings.h"

namespace {

const char *const FileCaption = QT_TRANSLATE_NOOP("zor_config", "Select Configuration File");
const char *const FileFilter = QT_TRANSLATE_NOOP("zor_config", "Config Files (*.ZOR)");

// Back to the first line for a second pass; a device that cannot seek is
// opened again.
bool rewind(QFile &file)
{
    if (file.seek(0))
        return true;
    file.close();
    return file.open(QIODevice::ReadOnly);
}

} // namespace

void zor_config::saveFile()
{
    saveWithDialog();
}

// True once the window's settings are in the file the user chose.
bool zor_config::saveWithDialog()
{
    const QString fileName =
        QFileDialog::getSaveFileName(this, tr(FileCaption), QStringLiteral("/"), tr(FileFilter));
    return !fileName.isEmpty() && saveConfiguration(fileName);
}

void zor_config::loadFile()
{
    // Edits that exist nowhere else are not given up unasked.
    if (!keepOrDiscardEdits())
        return;
    const QString fileName =
        QFileDialog::getOpenFileName(this, tr(FileCaption), QStringLiteral("/"), tr(FileFilter));
    if (fileName.isEmpty())
        return;
    loadConfiguration(fileName);
}

bool zor_config::saveConfiguration(const QString &fileName)
{
    if (currentRun() != Run::None || configFile.isOpen())
        return false;
    // An edit just made is in the file: it is no longer the window's alone.
    settleEdit();
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
    offlineEdits = false;
    rememberFile(fileName);
    holdsFileSettings(fileName);
    return true;
}

bool zor_config::loadConfiguration(const QString &fileName)
{
    if (currentRun() != Run::None)
        return false;
    // Bytes as they are: the reader ends lines at LF or CR LF, and a CR
    // inside a line is refused as every other reader of the file refuses it.
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        QMessageBox::critical(this, tr("Error"), tr("Failed to open file ") + fileName + QStringLiteral("."),
                              QMessageBox::Ok);
        return false;
    }
    // Two passes, so that the file is never held in memory: count the lines
    // the model takes, then, if there are any, apply them. A line the model
    // refuses (a value out of range, a refused character in a name, a reply
    // that sets nothing) is counted and left out.
    UnitSettings taking;
    int nonBlank = 0;
    int recognised = 0;
    ConfigFileReader lines(&file);
    for (ConfigFileReader::Line line; lines.next(&line);) {
        if (line.whole && line.bytes.trimmed().isEmpty())
            continue;
        ++nonBlank;
        if (line.whole && taking.apply(line.bytes))
            ++recognised;
    }

    if (recognised == 0) {
        file.close();
        QMessageBox::critical(this, tr("Error"), tr("No settings found in ") + fileName + QStringLiteral("."),
                              QMessageBox::Ok);
        return false;
    }
    if (!rewind(file)) {
        QMessageBox::critical(this, tr("Error"), tr("Failed to open file ") + fileName + QStringLiteral("."),
                              QMessageBox::Ok);
        return false;
    }

    // The whole load is one step of the undo history.
    UnitSettings before;
    bool offlineBefore = false;
    beginWindowStep(before, offlineBefore);
    loadingFile = true;
    ConfigFileReader again(&file);
    for (ConfigFileReader::Line line; again.next(&line);) {
        if (line.whole && taking.apply(line.bytes))
            parseCommand(line.bytes);
        emit sendReceivedData(decodeUtf8UpToNul(line.bytes.trimmed()));
    }
    loadingFile = false;
    file.close();
    offlineEdits = false;
    endWindowStep(SettingsStep::Load, tr("Load %1").arg(QFileInfo(fileName).fileName()), before,
                  offlineBefore);
    rememberFile(fileName);
    holdsFileSettings(fileName);

    if (recognised == nonBlank)
        ui->statusBar->showMessage(tr("File loaded successfully."));
    else
        ui->statusBar->showMessage(
            tr("File loaded: %1 of %2 lines recognised.").arg(recognised).arg(nonBlank));
    return true;
}
