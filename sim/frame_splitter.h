#ifndef FRAME_SPLITTER_H
#define FRAME_SPLITTER_H

#include <QByteArray>
#include <QList>

// Cuts the byte stream that reaches the unit into bracketed command frames.
// Frames may follow each other directly or be separated by line ends or any
// other bytes; bytes outside brackets are ignored. A frame that is not closed
// before a new "[" or a line end, or that grows beyond MaxFrame bytes, is
// dropped whole. Memory stays bounded by MaxFrame whatever arrives.
class FrameSplitter
{
public:
    static constexpr int MaxFrame = 512;

    // The complete frames ("[...]", brackets included) found in `bytes`, in order.
    QList<QByteArray> feed(const QByteArray &bytes);

    int pendingSize() const { return frame.size(); }
    int droppedFrames() const { return dropped; }

private:
    enum class State { Outside, Inside, Skipping };
    State state = State::Outside;
    QByteArray frame;
    int dropped = 0;
};

#endif // FRAME_SPLITTER_H
