#ifndef ZORCTL_SETTINGS_TEXT_H
#define ZORCTL_SETTINGS_TEXT_H

#include "protocol/core/unit_settings.h"

#include <QString>
#include <QStringList>
#include <QVector>

namespace settings_text {

// The window's page titles, in tab order.
QStringList pages();

struct Line {
    QString page;
    QString setting;
    QString value;
    QString text() const { return setting + QStringLiteral(": ") + value; }
};

// Every setting of a model, page by page.
QVector<Line> lines(const UnitSettings &settings);

} // namespace settings_text

#endif // ZORCTL_SETTINGS_TEXT_H
