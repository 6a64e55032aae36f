#include "codec/ilbm.h"

#include "codec/byterun1.h"
#include "codec/piclimits.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

struct BitmapHeader {
    int width = 0;
    int height = 0;
    int planes = 0;
    int masking = 0;
    int compression = 0;
};

constexpr int MaskHasMask = 1;
constexpr uint32_t CamgHalfbrite = 0x80;
constexpr uint32_t CamgHam = 0x800;

uint32_t be32(const uint8_t* p) {
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}
int be16(const uint8_t* p) {
    return int(p[0]) << 8 | p[1];
}

bool sameId(const uint8_t* p, const char* id) {
    return std::memcmp(p, id, 4) == 0;
}

struct Chunks {
    bool chunky = false; // FORM PBM
    bool haveHeader = false;
    BitmapHeader header;
    QList<QRgb> cmap;
    uint32_t camg = 0;
    int dpi = 0;
    const uint8_t* body = nullptr;
    size_t bodyLength = 0;
};

bool parseChunks(const QByteArray& data, Chunks& c) {
    const auto* p = reinterpret_cast<const uint8_t*>(data.constData());
    const size_t size = size_t(data.size());
    if (!isIlbm(data))
        return false;
    c.chunky = sameId(p + 8, "PBM ");
    // The FORM's own length; a missing pad byte at the very end is tolerated.
    const uint64_t formEnd = 8 + uint64_t(be32(p + 4));
    if (formEnd > size + 1)
        return false;
    const size_t end = size_t(std::min<uint64_t>(formEnd, size));
    size_t pos = 12;
    while (pos + 8 <= end) {
        const uint8_t* id = p + pos;
        const uint64_t length = be32(p + pos + 4);
        pos += 8;
        if (length > end - pos)
            return false;
        const uint8_t* d = p + pos;
        if (sameId(id, "BMHD")) {
            if (length < 20)
                return false;
            c.header.width = be16(d);
            c.header.height = be16(d + 2);
            c.header.planes = d[8];
            c.header.masking = d[9];
            c.header.compression = d[10];
            c.haveHeader = true;
        } else if (sameId(id, "CMAP")) {
            const int entries = int(std::min<uint64_t>(length / 3, 256));
            c.cmap.clear();
            for (int i = 0; i < entries; ++i)
                c.cmap.append(qRgb(d[3 * i], d[3 * i + 1], d[3 * i + 2]));
        } else if (sameId(id, "DPI ")) {
            if (length >= 4)
                c.dpi = be16(d);
        } else if (sameId(id, "CAMG")) {
            if (length >= 4)
                c.camg = be32(d);
        } else if (sameId(id, "BODY")) {
            c.body = d;
            c.bodyLength = size_t(length);
        }
        pos += size_t(length) + (length & 1);
    }
    return c.haveHeader && c.body;
}

// The colour table of a palette picture with `planes` planes.
QList<QRgb> paletteFor(const Chunks& c, int planes) {
    const int entries = 1 << planes;
    QList<QRgb> table;
    if (c.cmap.isEmpty()) {
        // Without CMAP the indices are shades of grey.
        for (int i = 0; i < entries; ++i) {
            const int v = entries > 1 ? i * 255 / (entries - 1) : 0;
            table.append(qRgb(v, v, v));
        }
        return table;
    }
    table = c.cmap.mid(0, entries);
    if ((c.camg & CamgHalfbrite) && planes == 6 && !(c.camg & CamgHam)) {
        // Extra halfbrite: the upper 32 colours are the lower 32 at half brightness.
        table.resize(32, qRgb(0, 0, 0));
        for (int i = 0; i < 32; ++i)
            table.append(qRgb(qRed(table[i]) >> 1, qGreen(table[i]) >> 1, qBlue(table[i]) >> 1));
    }
    table.resize(entries, qRgb(0, 0, 0));
    return table;
}

// Gathers the bits of `planes` plane rows into one value per pixel.
void planarToChunky(const uint8_t* rowData, int rowBytes, int planes, int width, uint32_t* out) {
    std::fill(out, out + width, 0u);
    for (int p = 0; p < planes; ++p) {
        const uint8_t* plane = rowData + size_t(p) * rowBytes;
        const uint32_t bit = 1u << p;
        for (int x = 0; x < width; ++x) {
            if (plane[x >> 3] & (0x80 >> (x & 7)))
                out[x] |= bit;
        }
    }
}

// The BODY without compression: rowBytes per row.
bool unpackBody(const Chunks& c, size_t rowBytes, std::vector<uint8_t>& body) {
    const size_t total = rowBytes * size_t(c.header.height);
    body.assign(total, 0);
    if (c.header.compression == 1) {
        size_t pos = 0;
        return byteRun1Decode(c.body, c.bodyLength, pos, body.data(), total);
    }
    if (c.bodyLength < total)
        return false;
    std::memcpy(body.data(), c.body, total);
    return true;
}

bool decodePicture(const Chunks& c, TDibRecord& out) {
    const BitmapHeader& h = c.header;
    if (!pictureSizeAllowed(h.width, h.height))
        return false;
    if (h.compression != 0 && h.compression != 1)
        return false;
    const bool ham = (c.camg & CamgHam) && !c.chunky;
    int storedPlanes = 0;
    size_t rowBytes = 0;
    if (c.chunky) {
        if (h.planes < 1 || h.planes > 8)
            return false;
        rowBytes = size_t(h.width) + (h.width & 1);
    } else {
        const bool deep = h.planes == 24 || h.planes == 32;
        if (!deep && (h.planes < 1 || h.planes > 8))
            return false;
        if (ham && h.planes != 6 && h.planes != 8)
            return false;
        storedPlanes = h.planes + (h.masking == MaskHasMask ? 1 : 0);
        rowBytes = size_t((h.width + 15) / 16) * 2 * size_t(storedPlanes);
    }
    std::vector<uint8_t> body;
    if (!unpackBody(c, rowBytes, body)) {
        // Chunky rows of odd width are padded to an even length by most writers,
        // not by all: without the pad byte the body is one byte per row shorter.
        if (!c.chunky || rowBytes == size_t(h.width))
            return false;
        rowBytes = size_t(h.width);
        if (!unpackBody(c, rowBytes, body))
            return false;
    }

    const int w = h.width;
    const bool trueColour = !c.chunky && (h.planes > 8 || ham);
    const int bits = trueColour ? 24 : h.planes == 1 ? 1 : h.planes <= 4 ? 4 : 8;
    QImage img(w, h.height, trueColour ? QImage::Format_RGB32 : QImage::Format_Indexed8);
    if (img.isNull())
        return false;
    const QList<QRgb> table =
        trueColour && !ham ? QList<QRgb>() : paletteFor(c, std::min(h.planes, 8));
    if (!trueColour) {
        QList<QRgb> padded = table;
        padded.resize(1 << bits, qRgb(0, 0, 0));
        img.setColorTable(padded);
    }
    const size_t planeBytes = size_t((w + 15) / 16) * 2;
    std::vector<uint32_t> values(static_cast<size_t>(w));
    for (int y = 0; y < h.height; ++y) {
        const uint8_t* row = body.data() + size_t(y) * rowBytes;
        if (c.chunky) {
            uchar* d = img.scanLine(y);
            const uint8_t mask = uint8_t((1u << h.planes) - 1);
            for (int x = 0; x < w; ++x)
                d[x] = row[x] & mask;
            continue;
        }
        if (h.planes >= 24) {
            QRgb* d = reinterpret_cast<QRgb*>(img.scanLine(y));
            planarToChunky(row, int(planeBytes), 24, w, values.data());
            for (int x = 0; x < w; ++x) {
                const uint32_t v = values[size_t(x)];
                d[x] = qRgb(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
            }
            continue;
        }
        planarToChunky(row, int(planeBytes), h.planes, w, values.data());
        if (!ham) {
            uchar* d = img.scanLine(y);
            for (int x = 0; x < w; ++x)
                d[x] = uchar(values[size_t(x)]);
            continue;
        }
        // Hold-and-modify: the upper two bits say whether the lower ones are a colour
        // index or replace the blue, red or green part of the pixel before.
        const int dataBits = h.planes - 2;
        const uint32_t dataMask = (1u << dataBits) - 1;
        QRgb* d = reinterpret_cast<QRgb*>(img.scanLine(y));
        QRgb colour = table.isEmpty() ? qRgb(0, 0, 0) : table[0];
        for (int x = 0; x < w; ++x) {
            const uint32_t v = values[size_t(x)];
            const uint32_t data = v & dataMask;
            // The changed component keeps its lower bits from the colour before.
            const auto modify = [&](int old) {
                const int shift = 8 - dataBits;
                return int(data << shift) | (old & ((1 << shift) - 1));
            };
            switch (v >> dataBits) {
            case 0:
                colour = data < uint32_t(table.size()) ? table[int(data)] : qRgb(0, 0, 0);
                break;
            case 1:
                colour = qRgb(qRed(colour), qGreen(colour), modify(qBlue(colour)));
                break;
            case 2:
                colour = qRgb(modify(qRed(colour)), qGreen(colour), qBlue(colour));
                break;
            default:
                colour = qRgb(qRed(colour), modify(qGreen(colour)), qBlue(colour));
                break;
            }
            d[x] = colour;
        }
    }
    out.Image = img;
    out.BitsPerPixel = bits;
    return true;
}

void appendBe32(QByteArray& out, uint32_t v) {
    out.append(char(v >> 24)).append(char(v >> 16)).append(char(v >> 8)).append(char(v));
}
void appendBe16(QByteArray& out, int v) {
    out.append(char(v >> 8)).append(char(v));
}

void appendChunk(QByteArray& out, const char* id, const QByteArray& data) {
    out.append(id, 4);
    appendBe32(out, uint32_t(data.size()));
    out.append(data);
    if (data.size() & 1)
        out.append('\0');
}

} // namespace

bool isIlbm(const QByteArray& data) {
    if (data.size() < 12)
        return false;
    const auto* p = reinterpret_cast<const uint8_t*>(data.constData());
    return sameId(p, "FORM") && (sameId(p + 8, "ILBM") || sameId(p + 8, "PBM "));
}

bool readIlbm(const QByteArray& data, TDibRecord& out) {
    out = TDibRecord();
    Chunks chunks;
    if (!parseChunks(data, chunks))
        return false;
    if (!decodePicture(chunks, out)) {
        out = TDibRecord();
        return false;
    }
    setPictureResolution(out, chunks.dpi);
    return true;
}

QByteArray writeIlbm(const TDibRecord& picture) {
    const QImage& img = picture.Image;
    if (img.isNull() || img.width() > 0xFFFF || img.height() > 0xFFFF)
        return {};
    const bool indexed = img.format() == QImage::Format_Indexed8;
    const int planes = indexed ? (picture.BitsPerPixel == 1   ? 1
                                  : picture.BitsPerPixel == 4 ? 4
                                                              : 8)
                               : 24;
    const QImage source = indexed || img.format() == QImage::Format_RGB32
                              ? img
                              : img.convertToFormat(QImage::Format_RGB32);
    const int w = source.width();
    const int h = source.height();

    QByteArray header;
    appendBe16(header, w);
    appendBe16(header, h);
    appendBe16(header, 0); // x, y
    appendBe16(header, 0);
    header.append(char(planes));
    header.append(char(0)); // no mask
    header.append(char(1)); // ByteRun1
    header.append(char(0));
    appendBe16(header, 0);  // transparent colour
    header.append(char(1)); // aspect 1:1
    header.append(char(1));
    appendBe16(header, w); // page size
    appendBe16(header, h);

    QByteArray cmap;
    if (indexed) {
        const QList<QRgb> table = source.colorTable();
        for (int i = 0; i < (1 << planes); ++i) {
            const QRgb c = i < table.size() ? table[i] : qRgb(0, 0, 0);
            cmap.append(char(qRed(c))).append(char(qGreen(c))).append(char(qBlue(c)));
        }
    }

    const size_t planeBytes = size_t((w + 15) / 16) * 2;
    std::vector<uint8_t> plane(planeBytes);
    std::vector<uint32_t> values(static_cast<size_t>(w));
    QByteArray body;
    const uint32_t indexMask = (1u << std::min(planes, 8)) - 1;
    for (int y = 0; y < h; ++y) {
        if (indexed) {
            const uchar* s = source.constScanLine(y);
            for (int x = 0; x < w; ++x)
                values[size_t(x)] = s[x] & indexMask;
        } else {
            const QRgb* s = reinterpret_cast<const QRgb*>(source.constScanLine(y));
            for (int x = 0; x < w; ++x)
                values[size_t(x)] = uint32_t(qRed(s[x])) | uint32_t(qGreen(s[x])) << 8 |
                                    uint32_t(qBlue(s[x])) << 16;
        }
        for (int p = 0; p < planes; ++p) {
            std::fill(plane.begin(), plane.end(), uint8_t(0));
            for (int x = 0; x < w; ++x) {
                if (values[size_t(x)] >> p & 1)
                    plane[size_t(x >> 3)] |= uint8_t(0x80 >> (x & 7));
            }
            byteRun1Encode(plane.data(), planeBytes, body);
        }
    }

    QByteArray form("ILBM");
    appendChunk(form, "BMHD", header);
    if (const int dpi = pictureResolution(picture); dpi > 0 && dpi <= 0xFFFF) {
        QByteArray resolution;
        appendBe16(resolution, dpi);
        appendBe16(resolution, dpi);
        appendChunk(form, "DPI ", resolution);
    }
    if (indexed)
        appendChunk(form, "CMAP", cmap);
    appendChunk(form, "BODY", body);
    QByteArray out("FORM");
    appendBe32(out, uint32_t(form.size()));
    out.append(form);
    return out;
}
