#include "render/picload.h"

#include "codec/rasterio.h"
#include "document/progpath.h"

// Interim implementation; rotation row by row follows.

QString resolvePictureName(const QString& name) {
    if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')))
        return name;
    return ProgPath() + name;
}

bool LoadDIBit(TDibRecord& rec, const QString& name) {
    TDibRecord loaded;
    if (OpenDib(loaded, resolvePictureName(name))) {
        rec = loaded;
        return true;
    }
    deldib(rec);
    TDibRecord blank;
    newdib(blank, 320, 200, 24, nullptr, 0);
    rec = blank;
    return false;
}

namespace {
void rotate(TDibRecord& rec, int degrees) {
    if (!rec.hasPicture())
        return;
    rec.Image = rec.Image.transformed(QTransform().rotate(degrees));
}
} // namespace

void RotRight(TDibRecord& rec, const ProgressFn&) {
    rotate(rec, 90);
}
void RotLeft(TDibRecord& rec, const ProgressFn&) {
    rotate(rec, -90);
}
void Rot180(TDibRecord& rec, const ProgressFn&) {
    rotate(rec, 180);
}

void applyRotation(TDibRecord& rec, int rotation, const ProgressFn& progress) {
    switch (rotation) {
    case 1:
        RotRight(rec, progress);
        break;
    case 2:
        Rot180(rec, progress);
        break;
    case 3:
        RotLeft(rec, progress);
        break;
    default:
        break;
    }
}

bool LoadBit(QImage& bitmap, const QString& name) {
    bitmap = QImage(100, 100, QImage::Format_RGB32);
    bitmap.fill(Qt::white);
    TDibRecord rec;
    if (!OpenDib(rec, resolvePictureName(name)))
        return false;
    bitmap = rec.Image.convertToFormat(QImage::Format_RGB32);
    return true;
}
