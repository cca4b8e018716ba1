#include "sim/frame_splitter.h"

QList<QByteArray> FrameSplitter::feed(const QByteArray &bytes)
{
    QList<QByteArray> frames;
    for (const char c : bytes) {
        switch (state) {
        case State::Outside:
            if (c == '[') {
                frame = QByteArrayLiteral("[");
                state = State::Inside;
            }
            break;
        case State::Inside:
            if (c == ']') {
                frame.append(c);
                frames.append(frame);
                frame.clear();
                state = State::Outside;
            } else if (c == '[') {
                // The previous frame was never closed: start over with this one.
                ++dropped;
                frame = QByteArrayLiteral("[");
            } else if (c == '\n' || c == '\r') {
                ++dropped;
                frame.clear();
                state = State::Outside;
            } else if (frame.size() >= MaxFrame - 1) {
                // No room left for the closing bracket: drop the rest of this frame.
                ++dropped;
                frame.clear();
                state = State::Skipping;
            } else {
                frame.append(c);
            }
            break;
        case State::Skipping:
            if (c == '[') {
                frame = QByteArrayLiteral("[");
                state = State::Inside;
            } else if (c == ']' || c == '\n' || c == '\r') {
                state = State::Outside;
            }
            break;
        }
    }
    return frames;
}
