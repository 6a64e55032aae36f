#pragma once

// Pixels picked from a bitmap as runs along its rows, and runs collected into the
// fewest rectangles: how the renderer turns what the rasteriser drew once into
// rectangles that every device draws exactly.

#include <QImage>
#include <QRect>

#include <cstdint>
#include <vector>

// The pixels [x0, x1) of one row.
struct PixelRun {
    int64_t x0, x1;
    bool operator==(const PixelRun&) const = default;
};
using PixelRow = std::vector<PixelRun>;

// The runs of row y of an RGB32 image whose pixels satisfy pick, shifted left by
// shift.
template <typename Pick> PixelRow pixelRow(const QImage& img, int y, int shift, Pick pick) {
    PixelRow row;
    const QRgb* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
    const int n = img.width();
    for (int x = 0; x < n;) {
        if (!pick(line[x])) {
            ++x;
            continue;
        }
        const int start = x;
        while (x < n && pick(line[x]))
            ++x;
        row.push_back({start - shift, x - shift});
    }
    return row;
}

// Rows of equal runs, one below the other, collected into rectangles.
class RectCollector {
public:
    void add(int64_t y, int64_t height, PixelRow row) {
        if (height <= 0)
            return;
        if (any_ && row == current_ && y == top_ + height_) {
            height_ += height;
            return;
        }
        flush();
        current_ = std::move(row);
        top_ = y;
        height_ = height;
        any_ = true;
    }
    std::vector<QRect> finish() {
        flush();
        return std::move(rects_);
    }

private:
    void flush() {
        for (const PixelRun& r : current_)
            rects_.emplace_back(int(r.x0), int(top_), int(r.x1 - r.x0), int(height_));
        current_.clear();
    }
    bool any_ = false;
    PixelRow current_;
    int64_t top_ = 0;
    int64_t height_ = 0;
    std::vector<QRect> rects_;
};
