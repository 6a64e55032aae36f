#include "codec/colourjpeg.h"

#include "codec/piclimits.h"

#include <QBuffer>
#include <QColorSpace>
#include <QImageReader>

#include <algorithm>

namespace {

bool isFrameMarker(uchar m) {
    // SOF0 to SOF15, without DHT (C4), JPG (C8) and DAC (CC).
    return m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC;
}

// Whether the data ends with the end-of-image marker after its last scan.
bool hasEnd(const QByteArray& data) {
    const qsizetype lastScan = data.lastIndexOf(QByteArrayView("\xFF\xDA", 2));
    return lastScan >= 0 && data.indexOf(QByteArrayView("\xFF\xD9", 2), lastScan + 2) >= 0;
}

} // namespace

int jpegComponents(const QByteArray& data) {
    const auto* d = reinterpret_cast<const uchar*>(data.constData());
    const qsizetype n = data.size();
    if (n < 4 || d[0] != 0xFF || d[1] != 0xD8)
        return 0;
    qsizetype i = 2;
    while (i + 4 <= n) {
        if (d[i] != 0xFF)
            return 0;
        const uchar m = d[i + 1];
        if (m == 0xFF) { // fill byte
            ++i;
            continue;
        }
        if (m == 0xD9 || m == 0xDA)
            return 0;
        const qsizetype length = (qsizetype(d[i + 2]) << 8) | d[i + 3];
        if (length < 2)
            return 0;
        if (isFrameMarker(m))
            return i + 9 < n && length >= 8 ? d[i + 9] : 0;
        i += 2 + length;
    }
    return 0;
}

bool readColourJpeg(const QByteArray& data, TDibRecord& out) {
    out = TDibRecord();
    if (jpegComponents(data) != 3 || !hasEnd(data))
        return false;
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "jpeg");
    reader.setAutoTransform(false);
    const QSize size = reader.size();
    if (!pictureSizeAllowed(size.width(), size.height()))
        return false;
    QImage img;
    if (!reader.read(&img) || img.format() != QImage::Format_RGB32 || img.size() != size)
        return false;
    // The picture as the codec library gives it: pixels only, no texts from the
    // file's comments, no colour profile, the default resolution.
    if (!img.textKeys().isEmpty()) {
        QImage bare(img.size(), QImage::Format_RGB32);
        if (bare.isNull())
            return false;
        for (int y = 0; y < img.height(); ++y)
            std::copy_n(img.constScanLine(y), img.bytesPerLine(), bare.scanLine(y));
        img = bare;
    } else {
        const QImage plain(1, 1, QImage::Format_RGB32);
        img.setDotsPerMeterX(plain.dotsPerMeterX());
        img.setDotsPerMeterY(plain.dotsPerMeterY());
        img.setColorSpace(plain.colorSpace());
    }
    out.Image = img;
    out.BitsPerPixel = 24;
    return true;
}
