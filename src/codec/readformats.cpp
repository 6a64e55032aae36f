#include "codec/readformats.h"

#include <QStringList>

#include <iterator>

namespace {
// Only formats that are plain picture files. Left out on purpose: vector and script
// formats that may reach other files or run programs (SVG, MVG, MSL, PostScript, PDF),
// raw sample dumps that need a size from outside, text and font renderers, the X
// server, pseudo pictures (gradients, plasma) and camera raw files (a helper program).
const ReadFormat Formats[] = {
    {"BMP", "bmp;dib;rle", "Windows Bitmap"},
    {"GIF", "gif", "CompuServe GIF"},
    {"GIF87", "", "CompuServe GIF"},
    {"JPEG", "jpg;jpeg;jpe;jif;jfif", "JPEG"},
    {"PNG", "png", "Portable Network Graphics"},
    {"TIFF", "tif;tiff", "TIFF"},
    {"BIGTIFF", "", "TIFF"},
    {"PCX", "pcx", "ZSoft Paintbrush"},
    {"DCX", "dcx", "ZSoft Paintbrush, mehrseitig"},
    {"TGA", "tga;icb;vda;vst", "Truevision Targa"},
    {"PNM", "pnm;pbm;pgm;ppm", "Portable Anymap"},
    // The names GraphicsMagick finds in the content of the same files.
    {"PBM", "", "Portable Anymap"},
    {"PGM", "", "Portable Anymap"},
    {"PPM", "", "Portable Anymap"},
    {"PAM", "pam", "Portable Arbitrary Map"},
    {"ICO", "ico", "Windows Icon"},
    {"CUR", "cur", "Windows Cursor"},
    {"WEBP", "webp", "WebP"},
    {"JXL", "jxl", "JPEG XL"},
    {"HEIF", "heif", "HEIF"},
    {"HEIC", "heic", "HEIF"},
    {"AVIF", "avif", "AVIF"},
    {"XPM", "xpm", "X Pixmap"},
    {"XBM", "xbm", "X Bitmap"},
    {"XWD", "xwd", "X Window Dump"},
    {"SGI", "sgi", "SGI Bild"},
    {"SUN", "ras;sun", "Sun Rasterfile"},
    {"PICT", "pct;pict", "Macintosh PICT"},
    {"WMF", "wmf", "Windows Metafile"},
    {"XCF", "xcf", "GIMP Bild"},
    {"JNG", "jng", "JPEG Network Graphics"},
    {"MNG", "mng", "Multiple-image Network Graphics"},
    {"MIFF", "miff", "Magick Image File"},
    {"DPX", "dpx", "SMPTE DPX"},
    {"CIN", "cin", "Kodak Cineon"},
    {"FITS", "fits;fts", "FITS"},
    {"DCM", "dcm", "DICOM"},
    {"VIFF", "viff;xv", "Khoros VIFF"},
    {"WBMP", "wbmp", "Wireless Bitmap"},
    {"PCD", "pcd", "Photo CD"},
    {"PDB", "pdb", "Palm Database Bild"},
    {"JBIG", "jbg;jbig;bie", "JBIG"},
    {"CALS", "cals;cal", "CALS Raster"},
    {"MAC", "mac", "MacPaint"},
    {"TIM", "tim", "PSX TIM"},
    {"VICAR", "vicar;vic", "VICAR"},
    {"WPG", "wpg", "WordPerfect Grafik"},
};
} // namespace

const ReadFormat* readFormatsBegin() {
    return std::begin(Formats);
}
const ReadFormat* readFormatsEnd() {
    return std::end(Formats);
}

const ReadFormat* readFormatByMagick(const QString& magick) {
    for (const ReadFormat& f : Formats) {
        if (magick.compare(QLatin1String(f.magick), Qt::CaseInsensitive) == 0)
            return &f;
    }
    return nullptr;
}

const ReadFormat* readFormatByExtension(const QString& extension) {
    if (extension.isEmpty())
        return nullptr;
    for (const ReadFormat& f : Formats) {
        const QStringList exts =
            QString::fromLatin1(f.extensions).split(QLatin1Char(';'), Qt::SkipEmptyParts);
        if (exts.contains(extension, Qt::CaseInsensitive))
            return &f;
    }
    return nullptr;
}
