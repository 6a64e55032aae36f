#include "codec/rasterio.h"

#include <QImageReader>
#include <QImageWriter>

// Interim implementation on Qt's own image plug-ins; the GraphicsMagick codecs
// replace it.

namespace {
int g_jpegQuality = 75;

TDibRecord fromImage(const QImage& src) {
    TDibRecord rec;
    if (src.isNull())
        return rec;
    if (src.format() == QImage::Format_Indexed8 || src.format() == QImage::Format_Mono ||
        src.format() == QImage::Format_MonoLSB) {
        rec.Image = src.convertToFormat(QImage::Format_Indexed8);
        const int n = int(rec.Image.colorCount());
        rec.BitsPerPixel = n <= 2 ? 1 : n <= 16 ? 4 : 8;
        QList<QRgb> table = rec.Image.colorTable();
        table.resize(1 << rec.BitsPerPixel, qRgb(0, 0, 0));
        rec.Image.setColorTable(table);
    } else {
        rec.Image = src.convertToFormat(QImage::Format_RGB32);
        rec.BitsPerPixel = 24;
    }
    return rec;
}
} // namespace

bool OpenDib(TDibRecord& out, const QString& fileName) {
    QImageReader reader(fileName);
    out = fromImage(reader.read());
    return out.hasPicture();
}

int SaveDib(const TDibRecord& picture, const QString& fileName, int formatCode) {
    static const char* formats[] = {"bmp",   "bmp",   "gif", nullptr, "jpg", "jpg",
                                    nullptr, nullptr, "bmp", nullptr, "tif"};
    if (!picture.hasPicture() || formatCode < 3 || formatCode > 13 || !formats[formatCode - 3])
        return 0;
    QImageWriter writer(fileName, formats[formatCode - 3]);
    writer.setQuality(g_jpegQuality);
    return writer.write(picture.Image) ? 1 : 0;
}

QString GetDIBOpenFilter() {
    return QStringLiteral("Alle Bilder|*.bmp;*.dib;*.gif;*.jpg;*.jpeg;*.jif;*.png;*.tif;*.tiff");
}

QString GetDIBSaveFilter() {
    return QStringLiteral(
        "Windows Bitmap (*.bmp)|*.bmp|Device Independent Bitmap (*.dib)|*.dib|"
        "GIF (*.gif)|*.gif|IFF (*.iff)|*.iff|JPEG (*.jif)|*.jif|JPEG (*.jpg)|*.jpg|"
        "LBM (*.lbm)|*.lbm|PCX (*.pcx)|*.pcx|RLE (*.rle)|*.rle|TGA (*.tga)|*.tga|"
        "TIFF (*.tif)|*.tif");
}

QStringList filterToNameFilters(const QString& pipeFilter) {
    const QStringList parts = pipeFilter.split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString masks = parts[i + 1];
        masks.replace(QLatin1Char(';'), QLatin1Char(' '));
        out << parts[i] + QStringLiteral(" (") + masks + QLatin1Char(')');
    }
    return out;
}

void SetJPEGQual(int quality) {
    g_jpegQuality = std::clamp(quality, 1, 99);
}
int JPEGQual() {
    return g_jpegQuality;
}

bool DIBHalftoneDIB(TDibRecord& out, const TDibRecord& picture) {
    return DIBHalftoneDIBXY(out, picture, picture.width(), picture.height());
}

bool DIBHalftoneDIBXY(TDibRecord& out, const TDibRecord& picture, int width, int height) {
    out = TDibRecord();
    if (!picture.hasPicture() || width < 1 || height < 1)
        return false;
    out.Image = picture.Image.scaled(width, height).convertToFormat(QImage::Format_Indexed8);
    out.BitsPerPixel = 8;
    return !out.Image.isNull();
}
