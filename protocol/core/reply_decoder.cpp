#include "protocol/core/reply_decoder.h"

#include "protocol/core/line_framer.h"

#include <QRegularExpression>

namespace protocol {

namespace {

struct ReplyPattern {
    QRegularExpression expression;
    QString literal; // the letters every match starts with, followed by a digit
};

struct ReplyPatterns {
    ReplyPattern rows[ReplyRowCount];

    ReplyPatterns()
    {
        for (int r = 0; r < ReplyRowCount; ++r) {
            const QString pattern = QString::fromLatin1(definition(messageOfRow(r + 1)).reply);
            rows[r].expression.setPattern(pattern);
            rows[r].expression.optimize();
            rows[r].literal = pattern.left(pattern.indexOf(QLatin1Char('(')));
        }
    }
};

const ReplyPatterns &patterns()
{
    static const ReplyPatterns compiled;
    return compiled;
}

bool isAsciiDigit(QChar c)
{
    return c.unicode() >= '0' && c.unicode() <= '9';
}

// True when `literal` occurs in `line` directly followed by an ASCII digit.
// Every reply pattern starts this way, so without it the expression cannot match.
bool mayMatch(const QString &line, const QString &literal)
{
    const int last = line.size() - literal.size() - 1;
    for (int at = line.indexOf(literal); at >= 0 && at <= last; at = line.indexOf(literal, at + 1)) {
        if (isAsciiDigit(line.at(at + literal.size())))
            return true;
    }
    return false;
}

DecodedReply fromMatch(int row, const QRegularExpressionMatch &match)
{
    DecodedReply reply;
    reply.row = row;
    reply.message = messageOfRow(row);
    reply.matchStart = match.capturedStart(0);
    reply.matchLength = match.capturedLength(0);
    reply.captureCount = definition(reply.message).fieldCount;
    for (int c = 0; c < reply.captureCount; ++c) {
        reply.text[c] = match.captured(c + 1);
        reply.captureStart[c] = match.capturedStart(c + 1);
        if (definition(reply.message).fields[c].kind == FieldKind::Number)
            reply.value[c] = reply.text[c].toInt();
    }
    return reply;
}

} // namespace

DecodedReply decodeReply(const QString &line)
{
    const ReplyPatterns &all = patterns();
    for (int r = 0; r < ReplyRowCount; ++r) {
        const ReplyPattern &pattern = all.rows[r];
        if (!mayMatch(line, pattern.literal))
            continue;
        const QRegularExpressionMatch match = pattern.expression.match(line);
        if (match.hasMatch())
            return fromMatch(r + 1, match);
    }
    return DecodedReply();
}

DecodedReply decodeReply(const QByteArray &line)
{
    return decodeReply(decodeUtf8UpToNul(line));
}

} // namespace protocol
