#ifndef PROTOCOL_REPLY_DECODER_H
#define PROTOCOL_REPLY_DECODER_H

// Decoding of one reply line into the message it reports.
//
// The reply patterns of the message table are tried in the parser's order;
// each is searched for anywhere in the line and the first pattern found
// decides, matched at its earliest occurrence. Later patterns are not tried,
// so a line holding two replies yields only the one whose pattern comes first
// in the table, whatever their order in the line.
//
// The patterns are compiled once. Before a pattern's regular expression runs,
// the line is checked for the pattern's literal letters followed by a digit,
// which every match starts with; lines without them skip the expression. The
// result is the same as trying every expression in turn.

#include "protocol/core/messages.h"

#include <QByteArray>
#include <QString>

namespace protocol {

struct DecodedReply {
    int row = 0;                         // 1..41; 0 when no pattern was found
    Message message = Message::QueryAll; // meaningful only when row > 0
    int matchStart = -1;                 // where the matched text begins in the line
    int matchLength = 0;
    int captureCount = 0;
    QString text[MaxFields];          // captures exactly as received ("05", "-05", a name)
    int value[MaxFields] = {0, 0, 0}; // captures as decimal integers (0 for names, addresses)
    int captureStart[MaxFields] = {-1, -1, -1};

    bool recognised() const { return row > 0; }
};

// Decodes one line of text.
DecodedReply decodeReply(const QString &line);
// Decodes one line of bytes: UTF-8 up to the first zero byte.
DecodedReply decodeReply(const QByteArray &line);

} // namespace protocol

#endif // PROTOCOL_REPLY_DECODER_H
