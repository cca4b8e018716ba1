#include "cli/result_json.h"

#include <QJsonObject>

namespace result_json {

QJsonArray differences(const QVector<UnitSettings::Difference> &diffs)
{
    QJsonArray list;
    for (const UnitSettings::Difference &d : diffs)
        list.append(QJsonObject{{QStringLiteral("page"), d.page},
                                {QStringLiteral("setting"), d.setting},
                                {QStringLiteral("unit"), d.current},
                                {QStringLiteral("file"), d.wanted}});
    return list;
}

QJsonArray findings(const QVector<settings_file::Finding> &findings)
{
    QJsonArray list;
    for (const settings_file::Finding &f : findings)
        list.append(QJsonObject{{QStringLiteral("line"), f.line}, {QStringLiteral("message"), f.message}});
    return list;
}

QJsonArray commands(const QList<QByteArray> &commands)
{
    QJsonArray list;
    for (const QByteArray &command : commands)
        list.append(QString::fromUtf8(command));
    return list;
}

} // namespace result_json
