#include "codec/dibrecord.h"

#include "codec/piclimits.h"

#include <cmath>

bool newdib(TDibRecord& out, int width, int height, int bitsPerPixel,
            const QList<QRgb>* colourSource, int colourCount) {
    out = TDibRecord();
    if (!pictureSizeAllowed(width, height))
        return false;
    if (bitsPerPixel != 1 && bitsPerPixel != 4 && bitsPerPixel != 8 && bitsPerPixel != 24)
        return false;
    QImage img(width, height, bitsPerPixel == 24 ? QImage::Format_RGB32 : QImage::Format_Indexed8);
    if (img.isNull())
        return false;
    if (bitsPerPixel == 24) {
        img.fill(qRgb(0, 0, 0));
    } else {
        const int entries = colourCount > 0 ? colourCount : (1 << bitsPerPixel);
        QList<QRgb> table(entries, qRgb(0, 0, 0));
        if (colourSource) {
            for (int i = 0; i < entries && i < colourSource->size(); ++i)
                table[i] = (*colourSource)[i];
        }
        img.setColorTable(table);
        img.fill(0);
    }
    out.Image = img;
    out.BitsPerPixel = bitsPerPixel;
    return true;
}

void deldib(TDibRecord& rec) {
    rec.Image = QImage();
    rec.BitsPerPixel = 0;
}

int32_t getpixel(const TDibRecord& rec, int x, int y) {
    const QImage& img = rec.Image;
    if (x < 0 || y < 0 || x >= img.width() || y >= img.height())
        return -1;
    if (img.format() == QImage::Format_Indexed8)
        return img.constScanLine(y)[x];
    return rgbToColorRef(reinterpret_cast<const QRgb*>(img.constScanLine(y))[x]);
}

void setpixel(TDibRecord& rec, int x, int y, int32_t value) {
    QImage& img = rec.Image;
    if (x < 0 || y < 0 || x >= img.width() || y >= img.height())
        return;
    if (img.format() == QImage::Format_Indexed8) {
        if (value >= 0 && value < img.colorCount())
            img.scanLine(y)[x] = uchar(value);
        return;
    }
    reinterpret_cast<QRgb*>(img.scanLine(y))[x] = colorRefToRgb(value);
}

void setPictureResolution(TDibRecord& rec, int pixelsPerInch) {
    if (!rec.hasPicture() || pixelsPerInch <= 0)
        return;
    const int perMetre = int(std::lround(pixelsPerInch / 0.0254));
    rec.Image.setDotsPerMeterX(perMetre);
    rec.Image.setDotsPerMeterY(perMetre);
}

int pictureResolution(const TDibRecord& rec) {
    if (!rec.hasPicture() || rec.Image.dotsPerMeterX() <= 0)
        return 0;
    return int(std::lround(rec.Image.dotsPerMeterX() * 0.0254));
}
