#include "codec/scanframes.h"

#include "codec/piclimits.h"

#include <algorithm>
#include <cstring>

namespace {

bool depthSupported(int depth) {
    return depth == 1 || depth == 8 || depth == 16;
}

int samplesPerPixel(ScanFrameAssembler::Channel c) {
    return c == ScanFrameAssembler::Channel::Rgb ? 3 : 1;
}

// Sample number i of a line as 0..255 (16-bit samples are in host byte order). In
// 1-bit grey a set bit is black, in 1-bit colour it is full intensity.
inline int sampleAt(const uchar* line, int depth, int i, bool setIsBlack = false) {
    switch (depth) {
    case 1: {
        const bool set = line[i >> 3] & (0x80 >> (i & 7));
        return set != setIsBlack ? 255 : 0;
    }
    case 8:
        return line[i];
    default: {
        quint16 v;
        std::memcpy(&v, line + 2 * qsizetype(i), sizeof v);
        return v >> 8;
    }
    }
}

QList<QRgb> greyTable() {
    QList<QRgb> table;
    table.reserve(256);
    for (int i = 0; i < 256; ++i)
        table.append(qRgb(i, i, i));
    return table;
}

} // namespace

int ScanFrameAssembler::frameIndex(Channel c) const {
    switch (c) {
    case Channel::Green:
        return 1;
    case Channel::Blue:
        return 2;
    default:
        return 0;
    }
}

bool ScanFrameAssembler::beginFrame(const Frame& frame) {
    if (!depthSupported(frame.depth) || frame.pixelsPerLine <= 0)
        return false;
    const qint64 needed =
        (qint64(frame.pixelsPerLine) * samplesPerPixel(frame.channel) * frame.depth + 7) / 8;
    if (frame.bytesPerLine < needed || frame.bytesPerLine > needed + 4096)
        return false;
    const int checkLines = frame.lines < 0 ? 1 : frame.lines;
    if (!pictureSizeAllowed(frame.pixelsPerLine, checkLines))
        return false;
    const bool single = frame.channel == Channel::Red || frame.channel == Channel::Green ||
                        frame.channel == Channel::Blue;
    if (started_) {
        // Only the single-colour frames of a three-pass scan follow a first frame.
        if (!single || first_.channel == Channel::Gray || first_.channel == Channel::Rgb)
            return false;
        if (frame.depth != first_.depth || frame.pixelsPerLine != first_.pixelsPerLine ||
            frame.bytesPerLine != first_.bytesPerLine)
            return false;
        if (filled_ & (1 << frameIndex(frame.channel)))
            return false;
    } else {
        first_ = frame;
        started_ = true;
    }
    current_ = frame;
    if (single)
        filled_ |= 1 << frameIndex(frame.channel);
    frames_[frameIndex(frame.channel)].clear();
    return true;
}

qint64 ScanFrameAssembler::maxBytes() const {
    const qint64 lines =
        current_.lines >= 0 ? current_.lines : MaxPicturePixels / current_.pixelsPerLine;
    return std::min<qint64>(lines, MaxPictureSide) * current_.bytesPerLine;
}

qint64 ScanFrameAssembler::expectedBytes() const {
    if (!started_ || current_.lines < 0)
        return 0;
    return qint64(current_.lines) * current_.bytesPerLine;
}

bool ScanFrameAssembler::addData(const char* data, qsizetype length) {
    if (!started_ || length < 0)
        return false;
    QByteArray& target = frames_[frameIndex(current_.channel)];
    if (target.size() + length > maxBytes())
        return false;
    target.append(data, length);
    return true;
}

TDibRecord ScanFrameAssembler::finish() const {
    TDibRecord out;
    if (!started_)
        return out;
    const Frame& f = first_;
    const bool threePass = f.channel != Channel::Gray && f.channel != Channel::Rgb;
    if (threePass && filled_ != 7)
        return out;
    // Lines that arrived completely; a hand scanner ends where it ends.
    qint64 lines = frames_[0].size() / f.bytesPerLine;
    if (threePass)
        lines = std::min({lines, qint64(frames_[1].size() / f.bytesPerLine),
                          qint64(frames_[2].size() / f.bytesPerLine)});
    if (f.lines >= 0 && lines < f.lines)
        return out; // the scan ended early: no half picture
    const int width = f.pixelsPerLine;
    const int height = int(lines);

    if (f.channel == Channel::Gray) {
        const bool lineArt = f.depth == 1;
        const QList<QRgb> table =
            lineArt ? QList<QRgb>{qRgb(0, 0, 0), qRgb(255, 255, 255)} : greyTable();
        if (!newdib(out, width, height, lineArt ? 1 : 8, &table, lineArt ? 2 : 256))
            return TDibRecord();
        for (int y = 0; y < height; ++y) {
            const auto* src = reinterpret_cast<const uchar*>(frames_[0].constData()) +
                              qsizetype(y) * f.bytesPerLine;
            uchar* dst = out.Image.scanLine(y);
            for (int x = 0; x < width; ++x) {
                const int v = sampleAt(src, f.depth, x, true);
                dst[x] = uchar(lineArt ? (v ? 1 : 0) : v);
            }
        }
        return out;
    }

    if (!newdib(out, width, height, 24, nullptr, 0))
        return TDibRecord();
    for (int y = 0; y < height; ++y) {
        const qsizetype offset = qsizetype(y) * f.bytesPerLine;
        auto* dst = reinterpret_cast<QRgb*>(out.Image.scanLine(y));
        if (!threePass) {
            const auto* src = reinterpret_cast<const uchar*>(frames_[0].constData()) + offset;
            for (int x = 0; x < width; ++x)
                dst[x] = qRgb(sampleAt(src, f.depth, 3 * x), sampleAt(src, f.depth, 3 * x + 1),
                              sampleAt(src, f.depth, 3 * x + 2));
        } else {
            const auto* r = reinterpret_cast<const uchar*>(frames_[0].constData()) + offset;
            const auto* g = reinterpret_cast<const uchar*>(frames_[1].constData()) + offset;
            const auto* b = reinterpret_cast<const uchar*>(frames_[2].constData()) + offset;
            for (int x = 0; x < width; ++x)
                dst[x] =
                    qRgb(sampleAt(r, f.depth, x), sampleAt(g, f.depth, x), sampleAt(b, f.depth, x));
        }
    }
    return out;
}
