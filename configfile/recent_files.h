#ifndef RECENT_FILES_H
#define RECENT_FILES_H

#include <QString>
#include <QStringList>

// The configuration files last loaded or saved, newest first, kept in the
// platform's settings store (QSettings of the application's organisation and
// name), so that the list outlives the program. Paths are kept absolute and
// each appears once. A program that sets no organisation name keeps none.
class RecentFiles
{
public:
    static constexpr int Limit = 8;

    // The list as the store holds it, at most Limit paths.
    static QStringList list();
    // Puts the file first, dropping an older mention of it and whatever falls
    // beyond the limit.
    static void add(const QString &path);
    static void remove(const QString &path);
};

#endif // RECENT_FILES_H
