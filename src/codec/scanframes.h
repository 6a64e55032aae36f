#pragma once

#include "codec/dibrecord.h"

#include <QByteArray>

// Turns the raw lines a scanner delivers into a picture: grey frames of 1, 8 or 16
// bits per sample, interleaved RGB frames, or three single-colour frames one after
// another. 1-bit grey becomes a 1-bit picture (line art), other grey an 8-bit
// picture with a grey palette, colour a 24-bit picture. 16-bit samples keep their
// upper 8 bits.
class ScanFrameAssembler {
public:
    enum class Channel { Gray, Rgb, Red, Green, Blue };
    struct Frame {
        Channel channel = Channel::Gray;
        int depth = 8;         // bits per sample: 1, 8 or 16
        int pixelsPerLine = 0; // > 0
        int bytesPerLine = 0;  // >= what the pixels need
        int lines = -1;        // -1: not known in advance (hand scanners)
    };

    // Starts the next frame. False when the frame cannot be taken (unknown depth,
    // a size beyond the picture limits, a colour frame that does not match the
    // first one).
    bool beginFrame(const Frame& frame);
    // Bytes of the current frame; false once more arrive than the frame may hold.
    bool addData(const char* data, qsizetype length);
    // Bytes the current frame is expected to hold; 0 when not known.
    qint64 expectedBytes() const;
    // The finished picture; without picture when the data do not make one.
    TDibRecord finish() const;

private:
    qint64 maxBytes() const;
    int frameIndex(Channel c) const;

    Frame first_;
    Frame current_;
    bool started_ = false;
    QByteArray frames_[3]; // grey/RGB in [0]; single colours in their own slot
    int filled_ = 0;       // bit set per single-colour frame received
};
