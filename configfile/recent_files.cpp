// The recent files list in the settings store, and the File menu's Recent
// Files entries of the main window.
#include "configfile/recent_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QSettings>

#include "app/zor_config.h"
#include "forms/zor_config_form.h"

namespace {

const char Key[] = "recentFiles";

// The store is the application's own: a program that embeds the window
// without naming its organisation (a test, a benchmark) keeps no list.
bool haveStore()
{
    return !QCoreApplication::organizationName().isEmpty();
}

void store(const QStringList &paths)
{
    QSettings settings;
    settings.setValue(QLatin1String(Key), paths);
}

QString absolute(const QString &path)
{
    return QFileInfo(path).absoluteFilePath();
}

} // namespace

QStringList RecentFiles::list()
{
    if (!haveStore())
        return {};
    const QSettings settings;
    QStringList paths;
    // A store edited by hand may hold anything: keep each path once, never
    // an empty one, at most Limit.
    for (const QString &path : settings.value(QLatin1String(Key)).toStringList()) {
        if (!path.isEmpty() && !paths.contains(path) && paths.size() < Limit)
            paths << path;
    }
    return paths;
}

void RecentFiles::add(const QString &path)
{
    if (!haveStore())
        return;
    const QString file = absolute(path);
    QStringList paths = list();
    paths.removeAll(file);
    paths.prepend(file);
    while (paths.size() > Limit)
        paths.removeLast();
    store(paths);
}

void RecentFiles::remove(const QString &path)
{
    QStringList paths = list();
    if (paths.removeAll(path) + paths.removeAll(absolute(path)) > 0)
        store(paths);
}

// The entries, newest first: the file's name, its folder as a tool tip.
// Built again whenever the menu opens, so that a list another window has
// changed shows as it stands.
void zor_config::fillRecentFiles()
{
    QMenu *menu = ui->menuRecentFiles;
    // An entry may be the one being triggered: it goes once that is over.
    for (QAction *entry : menu->actions()) {
        menu->removeAction(entry);
        entry->deleteLater();
    }
    const QStringList paths = RecentFiles::list();
    for (const QString &path : paths) {
        const QFileInfo file(path);
        QString text = file.fileName();
        QAction *entry = menu->addAction(text.replace(QLatin1Char('&'), QLatin1String("&&")));
        entry->setToolTip(QDir::toNativeSeparators(file.absolutePath()));
        entry->setData(path);
        connect(entry, &QAction::triggered, this, [this, path] { openRecentFile(path); });
    }
    menu->menuAction()->setEnabled(!paths.isEmpty());
}

void zor_config::rememberFile(const QString &fileName)
{
    RecentFiles::add(fileName);
    fillRecentFiles();
}

bool zor_config::openRecentFile(const QString &fileName)
{
    if (!QFileInfo::exists(fileName)) {
        RecentFiles::remove(fileName);
        fillRecentFiles();
        QMessageBox::warning(this, tr("Recent Files"),
                             tr("%1 no longer exists. It has been removed from the list of recent files.")
                                 .arg(QDir::toNativeSeparators(fileName)));
        return false;
    }
    if (currentRun() != Run::None || !keepOrDiscardEdits())
        return false;
    return loadConfiguration(fileName);
}
