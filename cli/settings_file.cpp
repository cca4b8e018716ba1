#include "cli/settings_file.h"

#include "protocol/core/config_file_reader.h"
#include "protocol/core/line_framer.h"
#include "protocol/core/messages.h"

#include <QFile>
#include <QSaveFile>

namespace settings_file {

namespace {

// Why a frame's fields are refused. Only asked of a frame that the model
// refused for its fields.
QString fieldProblem(const protocol::ParsedFrame &frame)
{
    const protocol::MessageDefinition &def = protocol::definition(frame.id);
    const QString name = QString::fromLatin1(def.name);
    for (int f = 0; f < def.fieldCount; ++f) {
        const protocol::FieldDefinition &field = def.fields[f];
        switch (field.kind) {
        case protocol::FieldKind::Number: {
            const int v = frame.numbers[f];
            if (v < field.min || v > field.max || (v - field.min) % field.step != 0)
                return QStringLiteral("%1: field %2 (%3) out of range %4..%5%6")
                    .arg(name)
                    .arg(f + 1)
                    .arg(v)
                    .arg(field.min)
                    .arg(field.max)
                    .arg(field.step > 1 ? QStringLiteral(" in steps of %1").arg(field.step) : QString());
            break;
        }
        case protocol::FieldKind::Name: {
            const QString &text = frame.texts[f];
            const int characters = text.toUcs4().size();
            if (characters > field.max)
                return QStringLiteral("%1: name longer than %2 characters").arg(name).arg(field.max);
            if (characters < field.min)
                return QStringLiteral("%1: empty name").arg(name);
            for (const QChar c : text)
                if (protocol::isForbiddenNameChar(c))
                    return QStringLiteral("%1: name holds a character that is not allowed (U+%2)")
                        .arg(name)
                        .arg(c.unicode(), 4, 16, QLatin1Char('0'));
            break;
        }
        default:
            break;
        }
    }
    return QStringLiteral("%1: field out of range").arg(name);
}

// Why the model did not take a line that is not blank.
QString whyNotTaken(const ConfigFileReader::Line &line)
{
    if (!line.whole)
        return QStringLiteral("line longer than %1 bytes").arg(ConfigFileReader::MaxLineLength);
    const QString text = decodeUtf8UpToNul(line.bytes).trimmed();
    const std::optional<protocol::ParsedFrame> frame = UnitSettings::settingOfLine(text);
    if (!frame)
        return QStringLiteral("unknown command: %1").arg(text.left(60));
    if (!UnitSettings::settingOf(*frame))
        return QStringLiteral("%1 is not a setting").arg(text.left(60));
    return fieldProblem(*frame);
}

} // namespace

Reading read(QIODevice *device)
{
    Reading reading;
    ConfigFileReader reader(device);
    for (ConfigFileReader::Line line; reader.next(&line);) {
        if (line.whole && line.bytes.trimmed().isEmpty())
            continue;
        if (line.whole && reading.settings.apply(line.bytes))
            ++reading.taken;
        else if (reading.findings.size() < MaxFindings)
            reading.findings.append({line.number, whyNotTaken(line)});
        else
            ++reading.unlisted;
    }
    if (reader.failed())
        reading.error = device->errorString();
    return reading;
}

Reading read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Reading reading;
        reading.error = file.errorString();
        return reading;
    }
    return read(&file);
}

bool save(const QString &path, const UnitSettings &settings, QString *reason)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        for (const QByteArray &command : settings.sendAllCommands())
            file.write(command + '\n');
        if (file.commit())
            return true;
    }
    *reason = file.errorString();
    return false;
}

} // namespace settings_file
