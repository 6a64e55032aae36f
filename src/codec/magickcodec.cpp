#include "codec/magickcodec.h"

#include "codec/colourjpeg.h"
#include "codec/piclimits.h"
#include "codec/readformats.h"

#include <Magick++.h>

#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <stdexcept>
#include <vector>

// The C interface's macros (quantum scaling, colour space tests) name its types
// without qualification.
using namespace MagickLib;

namespace {

// GraphicsMagick may open files of its own only for its temporary files; it never
// fetches URLs nor starts helper programs for us.
MagickPassFail confirmAccess(const MagickLib::ConfirmAccessMode mode, const char*,
                             MagickLib::ExceptionInfo*) {
    switch (mode) {
    case MagickLib::FileReadConfirmAccessMode:
    case MagickLib::FileWriteConfirmAccessMode:
        return MagickPass;
    default:
        return MagickFail;
    }
}

unsigned char toByte(MagickLib::Quantum q) {
    return ScaleQuantumToChar(q);
}
MagickLib::Quantum fromByte(unsigned v) {
    return ScaleCharToQuantum(v);
}

QRgb onWhite(unsigned r, unsigned g, unsigned b, unsigned alpha) {
    const auto mix = [alpha](unsigned c) {
        return (c * alpha + 255U * (255U - alpha) + 127U) / 255U;
    };
    return qRgb(int(mix(r)), int(mix(g)), int(mix(b)));
}

int bitsForColours(unsigned colours) {
    return colours <= 2 ? 1 : colours <= 16 ? 4 : 8;
}

// A palette picture: the colour map and the index of every pixel.
bool paletteFromMagick(Magick::Image& image, TDibRecord& out) {
    const unsigned colours = image.colorMapSize();
    const int w = int(image.columns());
    const int h = int(image.rows());
    const int bits = bitsForColours(colours);
    const MagickLib::Image* raw = image.constImage();
    QList<QRgb> table(1 << bits, qRgb(0, 0, 0));
    for (unsigned i = 0; i < colours; ++i) {
        const MagickLib::PixelPacket& c = raw->colormap[i];
        table[int(i)] = qRgb(toByte(c.red), toByte(c.green), toByte(c.blue));
    }
    QImage img(w, h, QImage::Format_Indexed8);
    if (img.isNull())
        return false;
    img.setColorTable(table);
    for (int y = 0; y < h; ++y) {
        image.getConstPixels(0, y, unsigned(w), 1);
        const MagickLib::IndexPacket* idx = image.getConstIndexes();
        if (!idx)
            return false;
        uchar* line = img.scanLine(y);
        for (int x = 0; x < w; ++x)
            line[x] = idx[x] < colours ? uchar(idx[x]) : 0;
    }
    out.Image = img;
    out.BitsPerPixel = bits;
    return true;
}

// A true-colour picture; transparent parts are laid on white paper.
bool trueColourFromMagick(Magick::Image& image, TDibRecord& out) {
    const int w = int(image.columns());
    const int h = int(image.rows());
    const bool alpha = image.matte();
    const int channels = alpha ? 4 : 3;
    QImage img(w, h, QImage::Format_RGB32);
    if (img.isNull())
        return false;
    constexpr int Band = 64;
    std::vector<unsigned char> buf(size_t(w) * Band * channels);
    for (int y0 = 0; y0 < h; y0 += Band) {
        const int rows = std::min(Band, h - y0);
        image.write(0, y0, unsigned(w), unsigned(rows), alpha ? "RGBA" : "RGB", Magick::CharPixel,
                    buf.data());
        for (int r = 0; r < rows; ++r) {
            const unsigned char* s = buf.data() + size_t(r) * w * channels;
            QRgb* d = reinterpret_cast<QRgb*>(img.scanLine(y0 + r));
            if (alpha) {
                for (int x = 0; x < w; ++x, s += 4)
                    d[x] = onWhite(s[0], s[1], s[2], s[3]);
            } else {
                for (int x = 0; x < w; ++x, s += 3)
                    d[x] = qRgb(s[0], s[1], s[2]);
            }
        }
    }
    out.Image = img;
    out.BitsPerPixel = 24;
    return true;
}

bool fromMagick(Magick::Image& image, TDibRecord& out) {
    out = TDibRecord();
    if (!pictureSizeAllowed(qint64(image.columns()), qint64(image.rows())))
        return false;
    if (!IsRGBCompatibleColorspace(image.colorSpace()))
        image.colorSpace(Magick::RGBColorspace);
    if (image.classType() == Magick::PseudoClass && !image.matte() && image.colorMapSize() >= 1 &&
        image.colorMapSize() <= 256)
        return paletteFromMagick(image, out);
    return trueColourFromMagick(image, out);
}

// A palette image with exactly the given colour table and indices.
Magick::Image indexedImage(int w, int h, const QList<QRgb>& table,
                           const std::function<const uchar*(int)>& row) {
    Magick::Image image(Magick::Geometry(unsigned(w), unsigned(h)), Magick::Color(0, 0, 0));
    image.modifyImage();
    MagickLib::Image* raw = image.image();
    const unsigned colours = unsigned(std::clamp<qsizetype>(table.size(), 1, 256));
    if (!MagickLib::AllocateImageColormap(raw, colours))
        throw std::bad_alloc();
    for (unsigned i = 0; i < colours; ++i) {
        const QRgb c = i < unsigned(table.size()) ? table[int(i)] : qRgb(0, 0, 0);
        raw->colormap[i].red = fromByte(unsigned(qRed(c)));
        raw->colormap[i].green = fromByte(unsigned(qGreen(c)));
        raw->colormap[i].blue = fromByte(unsigned(qBlue(c)));
        raw->colormap[i].opacity = OpaqueOpacity;
    }
    for (int y = 0; y < h; ++y) {
        MagickLib::PixelPacket* px = image.setPixels(0, y, unsigned(w), 1);
        MagickLib::IndexPacket* idx = image.getIndexes();
        const uchar* s = row(y);
        for (int x = 0; x < w; ++x) {
            const unsigned i = s[x] < colours ? s[x] : 0;
            idx[x] = MagickLib::IndexPacket(i);
            px[x] = raw->colormap[i];
        }
        image.syncPixels();
    }
    return image;
}

Magick::Image trueColourImage(const QImage& rgb32) {
    const int w = rgb32.width();
    const int h = rgb32.height();
    std::vector<unsigned char> buf(size_t(w) * h * 3);
    unsigned char* d = buf.data();
    for (int y = 0; y < h; ++y) {
        const QRgb* s = reinterpret_cast<const QRgb*>(rgb32.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            *d++ = uchar(qRed(s[x]));
            *d++ = uchar(qGreen(s[x]));
            *d++ = uchar(qBlue(s[x]));
        }
    }
    return Magick::Image(unsigned(w), unsigned(h), "RGB", Magick::CharPixel, buf.data());
}

// A true-colour picture as a palette picture when it has at most 256 colours, so
// that the palette formats keep every colour exactly.
bool exactPalette(const QImage& rgb32, QImage& indexed) {
    QHash<QRgb, int> index;
    QList<QRgb> table;
    QImage out(rgb32.size(), QImage::Format_Indexed8);
    if (out.isNull())
        return false;
    for (int y = 0; y < rgb32.height(); ++y) {
        const QRgb* s = reinterpret_cast<const QRgb*>(rgb32.constScanLine(y));
        uchar* d = out.scanLine(y);
        QRgb last = 0;
        int lastIndex = -1;
        for (int x = 0; x < rgb32.width(); ++x) {
            const QRgb c = s[x] | 0xFF000000u;
            if (lastIndex < 0 || c != last) {
                auto it = index.constFind(c);
                if (it == index.constEnd()) {
                    if (table.size() == 256)
                        return false;
                    it = index.insert(c, int(table.size()));
                    table.append(c);
                }
                last = c;
                lastIndex = *it;
            }
            d[x] = uchar(lastIndex);
        }
    }
    out.setColorTable(table);
    indexed = out;
    return true;
}

enum class PaletteMode { Any, Palette, Palette256 };

Magick::Image indexedImage(const QImage& indexed, PaletteMode mode) {
    QList<QRgb> table = indexed.colorTable();
    if (mode == PaletteMode::Palette256)
        table.resize(256, table.isEmpty() ? qRgb(0, 0, 0) : table[0]);
    return indexedImage(indexed.width(), indexed.height(), table,
                        [&indexed](int y) { return indexed.constScanLine(y); });
}

// The picture as a GraphicsMagick image; with a palette mode other than Any, as a
// palette image (RLE8 needs a full colour map of 256 entries, else the writer
// chooses fewer bits per pixel).
Magick::Image toMagick(const TDibRecord& picture, PaletteMode mode) {
    const QImage& img = picture.Image;
    if (img.format() == QImage::Format_Indexed8)
        return indexedImage(img, mode);
    const QImage rgb =
        img.format() == QImage::Format_RGB32 ? img : img.convertToFormat(QImage::Format_RGB32);
    if (mode == PaletteMode::Any)
        return trueColourImage(rgb);
    QImage indexed;
    if (exactPalette(rgb, indexed))
        return indexedImage(indexed, mode);
    Magick::Image image = trueColourImage(rgb);
    image.quantizeColors(256);
    image.quantizeTreeDepth(8);
    image.quantize();
    TDibRecord reduced;
    if (!fromMagick(image, reduced) || reduced.Image.format() != QImage::Format_Indexed8)
        throw std::runtime_error("quantisation failed");
    return indexedImage(reduced.Image, mode);
}

// The JPEG's last scan is followed by the end-of-image marker. Inside the
// entropy-coded data a 0xFF byte is always followed by 0x00 or a restart marker,
// so the end marker cannot be mistaken; a file cut short has none after its last
// start of scan.
bool jpegComplete(const QByteArray& data) {
    const qsizetype lastScan = data.lastIndexOf(QByteArrayView("\xFF\xDA", 2));
    return lastScan >= 0 && data.indexOf(QByteArrayView("\xFF\xD9", 2), lastScan + 2) >= 0;
}

} // namespace

void initMagick() {
    static const bool done = [] {
        // As Magick::InitializeMagick, but without GraphicsMagick's own handlers
        // for SIGINT, SIGTERM and the like, which belong to the application.
        MagickLib::ExceptionInfo exception;
        MagickLib::GetExceptionInfo(&exception);
        MagickLib::InitializeMagickEx(nullptr, MAGICK_OPT_NO_SIGNAL_HANDER, &exception);
        MagickLib::DestroyExceptionInfo(&exception);
        MagickLib::MagickSetConfirmAccessHandler(confirmAccess);
        MagickLib::SetMagickResourceLimit(MagickLib::WidthResource, MaxPictureSide);
        MagickLib::SetMagickResourceLimit(MagickLib::HeightResource, MaxPictureSide);
        MagickLib::SetMagickResourceLimit(MagickLib::PixelsResource, MaxPicturePixels);
        MagickLib::SetMagickResourceLimit(MagickLib::MemoryResource, 4LL * 1024 * 1024 * 1024);
        MagickLib::SetMagickResourceLimit(MagickLib::MapResource, 4LL * 1024 * 1024 * 1024);
        MagickLib::SetMagickResourceLimit(MagickLib::DiskResource, 0);
        MagickLib::SetMagickResourceLimit(MagickLib::ReadResource, 2LL * 1024 * 1024 * 1024);
        return true;
    }();
    (void)done;
}

bool magickDecode(const QByteArray& data, const QString& fileName, TDibRecord& out,
                  QSize sizeHint) {
    out = TDibRecord();
    initMagick();
    if (data.isEmpty())
        return false;
    char found[MaxTextExtent] = {};
    MagickLib::ExceptionInfo exception;
    MagickLib::GetExceptionInfo(&exception);
    MagickLib::GetMagickFileFormat(reinterpret_cast<const unsigned char*>(data.constData()),
                                   size_t(std::min<qsizetype>(data.size(), 4096)), found,
                                   sizeof found, &exception);
    MagickLib::DestroyExceptionInfo(&exception);
    const ReadFormat* format = found[0] ? readFormatByMagick(QString::fromLatin1(found))
                                        : readFormatByExtension(QFileInfo(fileName).suffix());
    if (!format)
        return false;
    // Full-size colour JPEGs (photos) go straight into the picture; reduced previews
    // and everything else through the library.
    if (qstrcmp(format->magick, "JPEG") == 0 && !(sizeHint.isValid() && !sizeHint.isEmpty()) &&
        readColourJpeg(data, out))
        return true;
    MagickLib::ImageInfo* info = MagickLib::CloneImageInfo(nullptr);
    if (!info)
        return false;
    // The format is given explicitly, so the file name plays no further part.
    std::snprintf(info->filename, sizeof info->filename, "%s:", format->magick);
    std::snprintf(info->magick, sizeof info->magick, "%s", format->magick);
    info->subimage = 0;
    info->subrange = 1;
    if (sizeHint.isValid() && !sizeHint.isEmpty()) {
        const QByteArray size =
            QByteArray::number(sizeHint.width()) + 'x' + QByteArray::number(sizeHint.height());
        MagickLib::CloneString(&info->size, size.constData());
    }
    MagickLib::GetExceptionInfo(&exception);
    MagickLib::Image* raw =
        MagickLib::BlobToImage(info, data.constData(), size_t(data.size()), &exception);
    // A damaged or cut-off file is no picture, even if part of it could be read;
    // other remarks of a decoder (unknown tags, colour profiles) do not matter. A
    // JPEG whose data runs to its end marker decoded fully: stray bytes between its
    // segments are a harmless remark.
    const bool corrupt = exception.severity == MagickLib::CorruptImageWarning &&
                         !(qstrcmp(format->magick, "JPEG") == 0 && jpegComplete(data));
    const bool damaged = exception.severity >= MagickLib::ErrorException || corrupt;
    MagickLib::DestroyExceptionInfo(&exception);
    MagickLib::DestroyImageInfo(info);
    if (!raw)
        return false;
    if (damaged) {
        MagickLib::DestroyImageList(raw);
        return false;
    }
    if (MagickLib::Image* rest = raw->next) {
        raw->next = nullptr;
        rest->previous = nullptr;
        MagickLib::DestroyImageList(rest);
    }
    try {
        Magick::Image image(raw);
        return fromMagick(image, out);
    } catch (const std::exception&) {
        out = TDibRecord();
        return false;
    }
}

QByteArray magickEncode(const TDibRecord& picture, MagickTarget target, int jpegQuality) {
    initMagick();
    if (!picture.hasPicture())
        return {};
    try {
        const PaletteMode mode = target == MagickTarget::BmpRle8 ? PaletteMode::Palette256
                                 : target == MagickTarget::Gif   ? PaletteMode::Palette
                                                                 : PaletteMode::Any;
        Magick::Image image = toMagick(picture, mode);
        if (const int dpi = pictureResolution(picture); dpi > 0) {
            image.resolutionUnits(Magick::PixelsPerInchResolution);
            image.density(Magick::Geometry(unsigned(dpi), unsigned(dpi)));
        }
        Magick::Blob blob;
        switch (target) {
        case MagickTarget::Bmp:
            image.compressType(Magick::NoCompression);
            image.write(&blob, "BMP3");
            break;
        case MagickTarget::BmpRle8:
            image.compressType(Magick::RLECompression);
            image.write(&blob, "BMP3");
            break;
        case MagickTarget::Gif:
            image.write(&blob, "GIF");
            break;
        case MagickTarget::Jpeg:
            image.quality(unsigned(std::clamp(jpegQuality, 1, 99)));
            image.write(&blob, "JPEG");
            break;
        case MagickTarget::Pcx:
            image.write(&blob, "PCX");
            break;
        case MagickTarget::Tga:
            image.compressType(Magick::NoCompression);
            image.write(&blob, "TGA");
            break;
        case MagickTarget::Tiff:
            image.compressType(Magick::LZWCompression);
            image.write(&blob, "TIFF");
            break;
        }
        if (blob.length() == 0)
            return {};
        return QByteArray(static_cast<const char*>(blob.data()), qsizetype(blob.length()));
    } catch (const Magick::Warning&) {
        return {};
    } catch (const std::exception&) {
        return {};
    }
}

bool magickDither(const TDibRecord& picture, const QList<QRgb>& palette, TDibRecord& out) {
    out = TDibRecord();
    initMagick();
    if (!picture.hasPicture() || palette.isEmpty() || palette.size() > 256)
        return false;
    try {
        Magick::Image image = toMagick(picture, PaletteMode::Any);
        QList<QRgb> table = palette;
        const int n = int(table.size());
        std::vector<uchar> ramp(static_cast<size_t>(n));
        for (int i = 0; i < n; ++i)
            ramp[size_t(i)] = uchar(i);
        const Magick::Image map = indexedImage(n, 1, table, [&ramp](int) { return ramp.data(); });
        image.map(map, true);
        return fromMagick(image, out);
    } catch (const std::exception&) {
        out = TDibRecord();
        return false;
    }
}
