#ifndef ZORCTL_RESULT_JSON_H
#define ZORCTL_RESULT_JSON_H

// The parts of JSON results that zorctl --json and the Ansible module share,
// with the same keys in both.

#include "cli/settings_file.h"
#include "protocol/core/unit_settings.h"

#include <QByteArray>
#include <QJsonArray>
#include <QList>
#include <QString>
#include <QVector>

namespace result_json {

// {"page", "setting", "unit", "file"} for each difference: the value the
// unit (or the first file of a diff) holds, and the one the file wants.
QJsonArray differences(const QVector<UnitSettings::Difference> &diffs);
// {"line", "message"} for each finding.
QJsonArray findings(const QVector<settings_file::Finding> &findings);
QJsonArray commands(const QList<QByteArray> &commands);

} // namespace result_json

#endif // ZORCTL_RESULT_JSON_H
