#include "render/picload.h"

#include "codec/rasterio.h"
#include "document/progpath.h"
#include "render/picturestore.h"

#include <algorithm>

namespace {

enum class Turn { Right, Left, Half };

// Source rows are worked in bands, so that the destination is written in runs of
// a band's height and the band's rows stay in the processor's cache.
constexpr int Tile = 32;

int rowProgress(int y, int height) {
    return height > 1 ? int(qint64(y) * 100 / (height - 1)) : 100;
}

// Moves every pixel of src to its place in dst: old pixel (x, y) goes to
// (ph - 1 - y, x) for a right turn, (y, pw - 1 - x) for a left turn and
// (pw - 1 - x, ph - 1 - y) for a half turn. Progress is reported once per source
// row, in the order of the rows.
template <typename Pixel>
void turnPixels(const QImage& src, QImage& dst, Turn turn, const ProgressFn& progress) {
    const int pw = src.width();
    const int ph = src.height();
    const uchar* srcBits = src.constBits();
    uchar* dstBits = dst.bits();
    const qsizetype srcStride = src.bytesPerLine();
    const qsizetype dstStride = dst.bytesPerLine();
    const auto srcRow = [&](int y) {
        return reinterpret_cast<const Pixel*>(srcBits + y * srcStride);
    };
    const auto dstRow = [&](int y) { return reinterpret_cast<Pixel*>(dstBits + y * dstStride); };

    for (int y0 = 0; y0 < ph; y0 += Tile) {
        const int y1 = std::min(ph, y0 + Tile);
        if (progress) {
            for (int y = y0; y < y1; ++y)
                progress(rowProgress(y, ph));
        }
        if (turn == Turn::Half) {
            for (int y = y0; y < y1; ++y) {
                const Pixel* s = srcRow(y);
                Pixel* d = dstRow(ph - 1 - y) + (pw - 1);
                for (int x = 0; x < pw; ++x)
                    *(d - x) = s[x];
            }
            continue;
        }
        const Pixel* rows[Tile];
        for (int y = y0; y < y1; ++y)
            rows[y - y0] = srcRow(y);
        const int band = y1 - y0;
        // Each destination row takes one pixel from each of the band's rows.
        for (int x = 0; x < pw; ++x) {
            if (turn == Turn::Right) {
                Pixel* d = dstRow(x) + (ph - 1 - y0);
                for (int k = 0; k < band; ++k)
                    *(d - k) = rows[k][x];
            } else {
                Pixel* d = dstRow(pw - 1 - x) + y0;
                for (int k = 0; k < band; ++k)
                    d[k] = rows[k][x];
            }
        }
    }
}

void rotate(TDibRecord& rec, Turn turn, const ProgressFn& progress) {
    if (progress)
        progress(0);
    if (rec.hasPicture()) {
        const QImage& src = rec.Image;
        const bool indexed = src.format() == QImage::Format_Indexed8;
        const QImage::Format format = indexed ? QImage::Format_Indexed8 : QImage::Format_RGB32;
        const QImage source = src.format() == format ? src : src.convertToFormat(format);
        const QSize size = turn == Turn::Half ? source.size() : source.size().transposed();
        QImage turned(size, format);
        // Without room for the turned picture the record keeps the unturned one.
        if (!turned.isNull()) {
            if (indexed) {
                turned.setColorTable(source.colorTable());
                turnPixels<uchar>(source, turned, turn, progress);
            } else {
                turnPixels<QRgb>(source, turned, turn, progress);
            }
            const int bits = rec.BitsPerPixel;
            // What the picture says of itself (a stand-in stays one) goes along.
            for (const QString& key : src.textKeys())
                turned.setText(key, src.text(key));
            deldib(rec);
            rec.Image = turned;
            rec.BitsPerPixel = bits;
        }
    }
    if (progress)
        progress(0);
}

} // namespace

QString resolvePictureName(const QString& name) {
    if (hasFolderPart(name))
        return name;
    return ProgPath() + name;
}

bool LoadDIBit(TDibRecord& rec, const QString& name) {
    return PictureStore::shared().load(rec, name) == PictureLoad::Loaded;
}

void RotRight(TDibRecord& rec, const ProgressFn& progress) {
    rotate(rec, Turn::Right, progress);
}
void RotLeft(TDibRecord& rec, const ProgressFn& progress) {
    rotate(rec, Turn::Left, progress);
}
void Rot180(TDibRecord& rec, const ProgressFn& progress) {
    rotate(rec, Turn::Half, progress);
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

QImage previewPicture(const QString& name, QSize area) {
    TDibRecord rec;
    if (!OpenDib(rec, resolvePictureName(name), area))
        return {};
    const QImage shown = rec.Image.convertToFormat(QImage::Format_RGB32);
    if (area.isEmpty() || (shown.width() <= area.width() && shown.height() <= area.height()))
        return shown;
    return shown.scaled(area, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

bool LoadBit(QImage& bitmap, const QString& name) {
    const QImage shown = previewPicture(name);
    if (shown.isNull()) {
        bitmap = QImage(100, 100, QImage::Format_RGB32);
        bitmap.fill(Qt::white);
        return false;
    }
    bitmap = shown;
    return true;
}
