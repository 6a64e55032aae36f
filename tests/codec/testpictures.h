#pragma once

// Pictures with known pixels for the codec and drawing tests.

#include "codec/dibrecord.h"

#include <QImage>

#include <cstdlib>

namespace testpic {

// A palette picture of 1, 4 or 8 bits per pixel with distinct, uneven colours
// and an index pattern that uses every entry.
inline TDibRecord palette(int bits, int w, int h) {
    const int n = 1 << bits;
    QList<QRgb> table;
    for (int i = 0; i < n; ++i)
        table.append(qRgb((i * 97 + 13) & 0xFF, (i * 57 + 200) & 0xFF, (i * 31 + 7) & 0xFF));
    TDibRecord rec;
    newdib(rec, w, h, bits, &table, n);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            setpixel(rec, x, y, (x * 7 + y * 3 + x * y) % n);
    return rec;
}

// A true-colour picture: with `manyColours` every pixel differs, otherwise it
// uses 200 colours.
inline TDibRecord trueColour(int w, int h, bool manyColours) {
    TDibRecord rec;
    newdib(rec, w, h, 24, nullptr, 0);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            QRgb c;
            if (manyColours)
                c = qRgb((x * 255) / std::max(1, w - 1), (y * 255) / std::max(1, h - 1),
                         (x * y) & 0xFF);
            else {
                const int k = (x / 3 + y * 5) % 200;
                c = qRgb(k, 255 - k, (k * 7) & 0xFF);
            }
            setpixel(rec, x, y, rgbToColorRef(c));
        }
    }
    return rec;
}

// The colour every pixel shows, independent of how the picture is stored.
inline QImage shown(const TDibRecord& rec) {
    return rec.Image.convertToFormat(QImage::Format_RGB32);
}

inline bool sameColours(const TDibRecord& a, const TDibRecord& b) {
    return a.hasPicture() && b.hasPicture() && shown(a) == shown(b);
}

// Mean absolute difference per colour component.
inline double meanDifference(const TDibRecord& a, const TDibRecord& b) {
    const QImage ia = shown(a);
    const QImage ib = shown(b);
    if (ia.size() != ib.size())
        return 1e9;
    double sum = 0;
    for (int y = 0; y < ia.height(); ++y) {
        const QRgb* pa = reinterpret_cast<const QRgb*>(ia.constScanLine(y));
        const QRgb* pb = reinterpret_cast<const QRgb*>(ib.constScanLine(y));
        for (int x = 0; x < ia.width(); ++x)
            sum += std::abs(qRed(pa[x]) - qRed(pb[x])) + std::abs(qGreen(pa[x]) - qGreen(pb[x])) +
                   std::abs(qBlue(pa[x]) - qBlue(pb[x]));
    }
    return sum / (3.0 * ia.width() * ia.height());
}

} // namespace testpic
