// Feeds arbitrary bytes through the reply path: line framing in chunks of
// varying size, then decoding of every line. Checks that the decoder agrees
// with a plain in-order search of the reply patterns and that what it reports
// is really in the line; also reads every line as a command frame.

#include "protocol/core/line_framer.h"
#include "protocol/core/messages.h"
#include "protocol/core/reply_decoder.h"

#include <QRegularExpression>
#include <QVector>

#include <cstdint>
#include <cstdlib>

using namespace protocol;

namespace {

void check(bool condition)
{
    if (!condition)
        abort();
}

const QVector<QRegularExpression> &plainPatterns()
{
    static const QVector<QRegularExpression> list = [] {
        QVector<QRegularExpression> expressions;
        for (int row = 1; row <= ReplyRowCount; ++row)
            expressions.append(QRegularExpression(QString::fromLatin1(definition(messageOfRow(row)).reply)));
        return expressions;
    }();
    return list;
}

void checkLine(const QByteArray &line)
{
    check(!line.contains('\n'));
    check(line == line.trimmed());

    const QString text = decodeUtf8UpToNul(line);
    const DecodedReply reply = decodeReply(line);

    int plainRow = 0;
    QRegularExpressionMatch plainMatch;
    for (int row = 1; row <= ReplyRowCount && plainRow == 0; ++row) {
        plainMatch = plainPatterns()[row - 1].match(text);
        if (plainMatch.hasMatch())
            plainRow = row;
    }
    check(reply.row == plainRow);
    if (!reply.recognised())
        return;

    check(reply.message == messageOfRow(reply.row));
    check(reply.matchStart == plainMatch.capturedStart());
    check(reply.matchLength == plainMatch.capturedLength());
    check(reply.matchStart >= 0 && reply.matchStart + reply.matchLength <= text.size());
    const MessageDefinition &row = definition(reply.message);
    check(reply.captureCount == row.fieldCount);
    for (int c = 0; c < reply.captureCount; ++c) {
        check(reply.text[c] == plainMatch.captured(c + 1));
        check(text.mid(reply.captureStart[c], reply.text[c].size()) == reply.text[c]);
        check(reply.captureStart[c] >= reply.matchStart);
        check(reply.captureStart[c] + reply.text[c].size() <= reply.matchStart + reply.matchLength);
        if (row.fields[c].kind == FieldKind::Number) {
            bool ok = false;
            check(reply.text[c].toInt(&ok) == reply.value[c] && ok);
        } else if (row.fields[c].kind == FieldKind::Name) {
            const int characters = reply.text[c].toUcs4().size();
            check(characters >= 1 && characters <= 16);
        }
    }
}

void checkFrame(const QByteArray &line)
{
    const auto parsed = parseFrame(decodeUtf8UpToNul(line));
    if (!parsed)
        return;
    const QByteArray canonical = rebuild(*parsed);
    check(canonical.count('[') == 1 && canonical.count(']') == 1);
    const auto again = parseFrame(QString::fromUtf8(canonical));
    check(again.has_value() && again->id == parsed->id);
    check(rebuild(*again) == canonical);
    if (withinRanges(*parsed))
        check(withinRanges(*again));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    // The first byte chooses how the rest arrives: whole, or in chunks of
    // 1..63 bytes, as reads from a socket would cut it.
    const int chunk = data[0] % 64;
    const QByteArray bytes(reinterpret_cast<const char *>(data + 1), static_cast<int>(size - 1));

    LineFramer framer;
    const int step = chunk == 0 ? qMax(1, bytes.size()) : chunk;
    for (int at = 0; at < bytes.size(); at += step) {
        const LineFramer::Result result = framer.feed(bytes.mid(at, step));
        for (const QByteArray &line : result.lines) {
            checkLine(line);
            checkFrame(line);
        }
        check(framer.pending().size() < LineFramer::MaxPending);
        check(!framer.pending().contains('\n'));
    }
    // What never met a line feed is still decodable on its own.
    checkLine(framer.pending().trimmed());
    return 0;
}
