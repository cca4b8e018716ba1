#include "protocol/core/config_file_reader.h"

#include <QFileDevice>

bool ConfigFileReader::next(Line *line)
{
    // Room for CR LF after the longest line (a readLine() limit of n returns
    // at most n - 1 bytes).
    constexpr qint64 chunk = MaxLineLength + 2;
    QByteArray bytes = device->readLine(chunk + 1);
    if (bytes.isEmpty())
        return false;
    const bool ended = bytes.endsWith('\n');
    if (!ended && bytes.size() > MaxLineLength) {
        for (;;) {
            const QByteArray rest = device->readLine(chunk + 1);
            if (rest.isEmpty() || rest.endsWith('\n'))
                break;
        }
    }
    int length = bytes.size();
    if (ended)
        length -= bytes.endsWith("\r\n") ? 2 : 1;
    line->number = ++count;
    line->whole = length <= MaxLineLength;
    if (!line->whole)
        bytes.truncate(MaxLineLength);
    line->bytes = bytes;
    return true;
}

bool ConfigFileReader::failed() const
{
    const auto *file = qobject_cast<const QFileDevice *>(device);
    return file && file->error() != QFileDevice::NoError;
}
