#include "codec/rasterio.h"

#include "codec/checkedsave.h"
#include "codec/ilbm.h"
#include "codec/magickcodec.h"
#include "codec/piclimits.h"
#include "codec/readformats.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <algorithm>
#include <atomic>

namespace {

std::atomic<int> g_jpegQuality{75};

// A larger file is not read at all: even an uncompressed picture at the pixel
// limit stays well below it.
constexpr qint64 MaxFileBytes = 1LL << 30;

struct SaveFormat {
    int code;
    const char* description;
    const char* extension;
};

// In the order of the format codes: the code is the 1-based entry number + 2.
constexpr SaveFormat SaveFormats[] = {
    {3, "Windows Bitmap", "bmp"},
    {4, "Device Independent Bitmap", "dib"},
    {5, "CompuServe GIF", "gif"},
    {6, "Amiga IFF", "iff"},
    {7, "JPEG (JIF)", "jif"},
    {8, "JPEG", "jpg"},
    {9, "Deluxe Paint LBM", "lbm"},
    {10, "ZSoft Paintbrush", "pcx"},
    {11, "Windows Bitmap RLE-komprimiert", "rle"},
    {12, "Truevision Targa", "tga"},
    {13, "TIFF", "tif"},
    {14, "Portable Network Graphics", "png"},
};

QByteArray encode(const TDibRecord& picture, int formatCode) {
    switch (formatCode) {
    case 3:
    case 4:
        return magickEncode(picture, MagickTarget::Bmp, 0);
    case 5:
        return magickEncode(picture, MagickTarget::Gif, 0);
    case 6:
    case 9:
        return writeIlbm(picture);
    case 7:
    case 8:
        return magickEncode(picture, MagickTarget::Jpeg, g_jpegQuality.load());
    case 10:
        return magickEncode(picture, MagickTarget::Pcx, 0);
    case 11:
        return magickEncode(picture, MagickTarget::BmpRle8, 0);
    case 12:
        return magickEncode(picture, MagickTarget::Tga, 0);
    case 13:
        return magickEncode(picture, MagickTarget::Tiff, 0);
    case 14: {
        // Qt's own writer: PNG keeps the colour table and the resolution as they are.
        QByteArray png;
        QBuffer buffer(&png);
        return buffer.open(QIODevice::WriteOnly) && picture.Image.save(&buffer, "PNG")
                   ? png
                   : QByteArray();
    }
    default:
        return {};
    }
}

QString masksOf(const char* extensions) {
    QStringList masks;
    for (const QString& ext :
         QString::fromLatin1(extensions).split(QLatin1Char(';'), Qt::SkipEmptyParts))
        masks << QStringLiteral("*.") + ext;
    return masks.join(QLatin1Char(';'));
}

// The palette for screens of 256 colours: a 6 x 6 x 6 colour cube and 40 greys.
QList<QRgb> halftonePalette() {
    QList<QRgb> table;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                table.append(qRgb(r * 51, g * 51, b * 51));
    for (int i = 0; i < 40; ++i) {
        const int v = (i + 1) * 255 / 41;
        table.append(qRgb(v, v, v));
    }
    return table;
}

// A DIB as the clipboard and some programs store it: the BITMAPINFOHEADER (or the
// older BITMAPCOREHEADER) without the file header that a BMP file begins with.
// Returns the same picture as a BMP file, or nothing when the data is no such DIB.
QByteArray bmpFromHeaderlessDib(const QByteArray& data) {
    if (data.size() < 12)
        return {};
    const auto u16 = [&data](int at) { return qFromLittleEndian<quint16>(data.constData() + at); };
    const auto u32 = [&data](int at) { return qFromLittleEndian<quint32>(data.constData() + at); };
    const quint32 headerSize = u32(0);
    const bool core = headerSize == 12;
    if (!core && headerSize != 40 && headerSize != 52 && headerSize != 56 && headerSize != 64 &&
        headerSize != 108 && headerSize != 124)
        return {};
    if (data.size() < qsizetype(headerSize))
        return {};
    const int planes = core ? u16(8) : u16(12);
    const int bits = core ? u16(10) : u16(14);
    const qint64 width = core ? u16(4) : qint32(u32(4));
    const qint64 height = core ? u16(6) : qint32(u32(8));
    if (planes != 1 || width <= 0 || height == 0 ||
        (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32))
        return {};
    qint64 colours = 0;
    qint64 masks = 0;
    if (core) {
        colours = bits <= 8 ? (3LL << bits) : 0;
    } else {
        const quint32 used = u32(32);
        if (used > 256 && bits <= 8)
            return {};
        colours = 4 * qint64(used ? used : bits <= 8 ? (1U << bits) : 0);
        const quint32 compression = u32(16);
        if (headerSize == 40 && compression == 3)
            masks = 12; // BI_BITFIELDS: three colour masks follow the header
        else if (headerSize == 40 && compression == 6)
            masks = 16; // BI_ALPHABITFIELDS
    }
    const qint64 offset = 14 + qint64(headerSize) + colours + masks;
    if (offset >= 14 + data.size())
        return {};
    QByteArray bmp(14, '\0');
    bmp[0] = 'B';
    bmp[1] = 'M';
    qToLittleEndian<quint32>(quint32(14 + data.size()), bmp.data() + 2);
    qToLittleEndian<quint32>(quint32(offset), bmp.data() + 10);
    return bmp + data;
}

} // namespace

bool OpenDib(TDibRecord& out, const QString& fileName, QSize sizeHint) {
    out = TDibRecord();
    const QFileInfo info(fileName);
    if (fileName.isEmpty() || !info.isFile() || info.size() <= 0 || info.size() > MaxFileBytes)
        return false;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray data = file.read(std::min(info.size(), MaxFileBytes));
    if (data.isEmpty())
        return false;
    if (isIlbm(data))
        return readIlbm(data, out);
    if (const QByteArray bmp = bmpFromHeaderlessDib(data); !bmp.isEmpty())
        return magickDecode(bmp, fileName, out, sizeHint);
    return magickDecode(data, fileName, out, sizeHint);
}

int SaveDib(const TDibRecord& picture, const QString& fileName, int formatCode) {
    if (!picture.hasPicture() || fileName.isEmpty())
        return 0;
    const QByteArray bytes = encode(picture, formatCode);
    if (bytes.isEmpty())
        return 0;
    // Written beside the target and renamed over it: a failed save leaves the old
    // file as it was and nothing half-written.
    return saveBytesChecked(fileName, bytes) ? 1 : 0;
}

QString GetDIBOpenFilter() {
    QStringList all;
    QStringList entries;
    QStringList descriptions; // one entry per description: two formats may share one
    for (const ReadFormat* f = readFormatsBegin(); f != readFormatsEnd(); ++f) {
        const QString masks = masksOf(f->extensions);
        if (masks.isEmpty())
            continue;
        all << masks;
        const QString description = QString::fromLatin1(f->description);
        const qsizetype known = descriptions.indexOf(description);
        if (known >= 0) {
            entries[known] += QLatin1Char(';') + masks;
            continue;
        }
        descriptions << description;
        entries << description + QLatin1Char('|') + masks;
    }
    const QString iff = masksOf("iff;lbm;ilbm");
    all << iff;
    entries << QStringLiteral("Amiga IFF / Deluxe Paint LBM|") + iff;
    return QStringLiteral("Alle Bilder|") + all.join(QLatin1Char(';')) + QLatin1Char('|') +
           entries.join(QLatin1Char('|')) + QStringLiteral("|Alle Dateien|*.*");
}

QString GetDIBSaveFilter() {
    QStringList entries;
    for (const SaveFormat& f : SaveFormats)
        entries << QString::fromLatin1(f.description) + QStringLiteral("|*.") +
                       QLatin1String(f.extension);
    return entries.join(QLatin1Char('|'));
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

QString saveFormatExtension(int formatCode) {
    for (const SaveFormat& f : SaveFormats) {
        if (f.code == formatCode)
            return QLatin1String(f.extension);
    }
    return {};
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
    if (!picture.hasPicture() || !pictureSizeAllowed(width, height))
        return false;
    TDibRecord source;
    source.Image = picture.Image.convertToFormat(QImage::Format_RGB32);
    if (source.Image.size() != QSize(width, height))
        source.Image =
            source.Image.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    source.BitsPerPixel = 24;
    if (source.Image.isNull())
        return false;
    static const QList<QRgb> palette = halftonePalette();
    if (!magickDither(source, palette, out))
        return false;
    // The copy always carries the whole halftone palette.
    QList<QRgb> table = out.Image.colorTable();
    if (table.size() < 256) {
        table.resize(256, qRgb(0, 0, 0));
        out.Image.setColorTable(table);
    }
    out.BitsPerPixel = 8;
    return true;
}
