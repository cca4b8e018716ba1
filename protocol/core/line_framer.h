#ifndef LINE_FRAMER_H
#define LINE_FRAMER_H

#include <QByteArray>
#include <QList>
#include <QString>

// Cuts a transport's byte stream into reply lines at each line feed.
class LineFramer
{
public:
    // A buffer that reaches this many bytes without a line feed is dropped.
    static constexpr int MaxPending = 4096;

    struct Result {
        QList<QByteArray> lines; // trimmed, in order of arrival
        bool overflowed = false; // pending bytes were dropped at the bound
    };

    Result feed(const QByteArray &bytes);
    const QByteArray &pending() const { return buffer; }

private:
    QByteArray buffer;
};

// Decodes bytes as UTF-8 up to the first zero byte (or the whole array).
QString decodeUtf8UpToNul(const QByteArray &bytes);

#endif // LINE_FRAMER_H
