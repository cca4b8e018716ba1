#ifndef ZORCTL_SETTINGS_TEXT_H
#define ZORCTL_SETTINGS_TEXT_H

#include "protocol/core/unit_settings.h"

#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>

namespace settings_text {

// The window's page titles, in tab order.
QStringList pages();

// Every setting of a model as (page, "setting: value") lines, page by page.
QVector<QPair<QString, QString>> lines(const UnitSettings &settings);

} // namespace settings_text

#endif // ZORCTL_SETTINGS_TEXT_H
