#include "protocol/core/line_framer.h"

LineFramer::Result LineFramer::feed(const QByteArray &bytes)
{
    Result result;
    buffer.append(bytes);
    int start = 0;
    for (int lf = buffer.indexOf('\n'); lf >= 0; lf = buffer.indexOf('\n', start)) {
        result.lines.append(buffer.mid(start, lf - start + 1).trimmed());
        start = lf + 1;
    }
    if (start > 0)
        buffer.remove(0, start);
    if (buffer.size() >= MaxPending) {
        buffer.clear();
        result.overflowed = true;
    }
    return result;
}

QString decodeUtf8UpToNul(const QByteArray &bytes)
{
    const int nul = bytes.indexOf('\0');
    return QString::fromUtf8(bytes.constData(), nul < 0 ? bytes.size() : nul);
}
