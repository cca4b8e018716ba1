// Saving and loading ".ZOR" configuration files.
//
// A file is the command stream of a Send All, one command per line. Saving
// writes the Send All list of the window's settings (atomically, so a failed
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

// The longest file line, without its line end, that can hold a setting. A
// longer line (a log or a disk image picked by mistake) is not recognised and
// is never held whole.
constexpr int MaxLineLength = 4096;

// One line of a file being loaded, line end kept. Of a longer line only the
// first MaxLineLength bytes are kept; the rest is read and dropped. An empty
// result means the end of the file (or a read error).
struct FileLine {
    QByteArray bytes;
    bool whole = true;
};

FileLine readBoundedLine(QFile &file)
{
    // Room for CR LF: text mode turns it into LF only after reading. (A
    // readLine() limit of n returns at most n - 1 bytes.)
    constexpr qint64 chunk = MaxLineLength + 2;
    FileLine line;
    line.bytes = file.readLine(chunk + 1);
    const bool ended = line.bytes.endsWith('\n');
    if (!ended && line.bytes.size() == chunk) {
        for (;;) {
            const QByteArray rest = file.readLine(chunk + 1);
            if (rest.isEmpty() || rest.endsWith('\n'))
                break;
        }
    }
    if (line.bytes.size() - (ended ? 1 : 0) > MaxLineLength) {
        line.whole = false;
        line.bytes.truncate(MaxLineLength);
    }
    return line;
}

// Back to the first line for a second pass; a device that cannot seek is
// opened again.
bool rewind(QFile &file)
{
    if (file.seek(0))
        return true;
    file.close();
    return file.open(QIODevice::ReadOnly | QIODevice::Text);
}

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
    if (currentRun() != Run::None || configFile.isOpen())
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
    if (currentRun() != Run::None)
        return false;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        QMessageBox::critical(this, tr("Error"), tr("Failed to open file ") + fileName + QStringLiteral("."),
                              QMessageBox::Ok);
        return false;
    }
    // Two passes, so that the file is never held in memory: count the lines
    // the parser recognises, then, if there are any, apply every line.
    int nonBlank = 0;
    int recognised = 0;
    for (FileLine line = readBoundedLine(file); !line.bytes.isEmpty(); line = readBoundedLine(file)) {
        if (line.whole && line.bytes.trimmed().isEmpty())
            continue;
        ++nonBlank;
        if (line.whole && protocol::decodeReply(line.bytes).recognised())
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

    loadingFile = true;
    for (FileLine line = readBoundedLine(file); !line.bytes.isEmpty(); line = readBoundedLine(file)) {
        if (line.whole)
            parseCommand(line.bytes);
        emit sendReceivedData(decodeUtf8UpToNul(line.bytes.trimmed()));
    }
    loadingFile = false;
    file.close();

    if (recognised == nonBlank)
        ui->statusBar->showMessage(tr("File loaded successfully."));
    else
        ui->statusBar->showMessage(
            tr("File loaded: %1 of %2 lines recognised.").arg(recognised).arg(nonBlank));
    return true;
}
