#pragma once

#include "codec/dibrecord.h"

#include <QImage>
#include <QList>

#include <cstdint>
#include <vector>

// Reads a picture's pixels the way getpixel reports them (0x00BBGGRR for true
// colour, the palette index for pictures with a palette), row by row, and tells
// which of them are transparent. Pictures held in another pixel format than the
// record's usual ones are read from a converted copy.
class PictureSampler {
public:
    explicit PictureSampler(const TDibRecord& picture);

    bool isNull() const { return image_.isNull(); }
    int width() const { return image_.width(); }
    int height() const { return image_.height(); }
    bool indexed() const { return indexed_; }

    // The value getpixel gives at (x, y), inside the picture.
    int32_t value(int x, int y) const;

    // Sets the transparent value: pixels whose value equals it are transparent; a
    // negative value (or one no pixel can have) makes none transparent.
    void setTransparentValue(int32_t value);

    // Samples one row: for each entry of columns, the opaque colour (0xFFRRGGBB) of
    // the pixel in row y, or 0 when that pixel is transparent. Palette indexes are
    // drawn as their palette colour (black past the end of the palette).
    void sampleRow(int y, const std::vector<int>& columns, QRgb* out) const;

private:
    QImage image_;
    bool indexed_ = false;
    QList<QRgb> palette_; // opaque colours, 256 entries for indexed pictures
    bool anyTransparent_ = false;
    uint32_t key_ = 0; // RGB (no alpha) or index
};

// Source column of each destination column c in [first, last): span x c div steps,
// as 64-bit arithmetic so that no product overflows.
std::vector<int> sampleColumns(int span, int64_t steps, int64_t first, int64_t last);
