#ifndef JSON_PATH_H
#define JSON_PATH_H

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <QStringList>

// The value at PATH ("0/differences/1/setting": array indices and keys) as
// text: "null", "true", "false", numbers and strings as they are, an array as
// "[n]" with its length; "#" as a step gives an array's length.
inline QString jsonAt(QJsonValue value, const QString &path)
{
    for (const QString &step : path.split(QLatin1Char('/'), Qt::SkipEmptyParts))
        value = step == QLatin1String("#") ? QJsonValue(value.toArray().size())
                : value.isArray()          ? value.toArray().at(step.toInt())
                                           : value.toObject().value(step);
    if (value.isArray())
        return QStringLiteral("[%1]").arg(value.toArray().size());
    if (value.isBool())
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    return value.isNull() || value.isUndefined() ? QStringLiteral("null") : value.toVariant().toString();
}

#endif // JSON_PATH_H
