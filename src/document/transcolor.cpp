#include "document/transcolor.h"

#include "document/tobs.h"

void settleTransColor(Tobs& o) {
    if (!o.TransAuto || o.Kind != KindPicture || !o.Picture.hasPicture())
        return;
    const QImage& image = o.Picture.Image;
    const int y = image.height() - 1;
    if (image.format() == QImage::Format_Indexed8) {
        const int index = image.constScanLine(y)[0];
        // As the renderer counts: only a picture of up to 8 bits has a palette.
        if (o.Picture.BitsPerPixel >= 24) {
            o.TransColor = index;
            return;
        }
        const QList<QRgb> table = image.colorTable();
        o.TransColor = index < table.size() ? rgbToColorRef(table[index]) : index;
        return;
    }
    o.TransColor = rgbToColorRef(image.pixel(0, y));
}
