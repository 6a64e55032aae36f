#pragma once

#include <QImage>
#include <QList>
#include <QRgb>

#include <cstdint>

// A picture in memory. The pixels live in an implicitly shared QImage, so copies of
// a record share them and releasing one copy never leaves another dangling.
//
// Pictures with a palette (1, 4 or 8 bits per pixel) are held as Format_Indexed8
// with a colour table of 2, 16 or 256 entries; true-colour pictures (24 bits per
// pixel) as Format_RGB32. "No picture" is a null image.
class TDibRecord {
public:
    QImage Image;
    int BitsPerPixel = 0; // 1, 4, 8 or 24; 0 without picture

    bool hasPicture() const { return !Image.isNull(); }
    int width() const { return Image.width(); }
    int height() const { return Image.height(); }
    bool hasPalette() const { return hasPicture() && BitsPerPixel <= 8; }
    QList<QRgb> colorTable() const { return Image.colorTable(); }
};

// Platform colour value with red in the lowest byte: 0x00BBGGRR.
inline int32_t rgbToColorRef(QRgb c) {
    return int32_t(qRed(c)) | (int32_t(qGreen(c)) << 8) | (int32_t(qBlue(c)) << 16);
}
inline QRgb colorRefToRgb(int32_t c) {
    return qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

// Creates a new picture of width x height pixels. bitsPerPixel is 1, 4, 8 or 24;
// colourSource (may be null) gives the colour table that is copied, colourCount
// (0, 2, 16 or 256) how many entries the new picture gets. A new picture is black
// (all bytes zero). Returns false, leaving out without picture, when the size or
// depth is not possible.
bool newdib(TDibRecord& out, int width, int height, int bitsPerPixel,
            const QList<QRgb>* colourSource, int colourCount);

// Releases the picture of this record; other copies keep theirs.
void deldib(TDibRecord& rec);

// Pixel value at (x, y), x from the left, y from the top: 0x00BBGGRR for 24-bit
// pictures, the palette index for pictures with a palette. Outside the picture: -1.
int32_t getpixel(const TDibRecord& rec, int x, int y);

// Stores a value of the same form; outside the picture nothing happens.
void setpixel(TDibRecord& rec, int x, int y, int32_t value);

// The resolution the picture was made at, in pixels per inch (an export at 96, a scan
// at its scan resolution); written into every file format that has a field for it.
void setPictureResolution(TDibRecord& rec, int pixelsPerInch);
int pictureResolution(const TDibRecord& rec);
