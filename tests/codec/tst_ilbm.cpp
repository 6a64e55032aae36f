#include "codec/byterun1.h"
#include "codec/ilbm.h"
#include "codec/rasterio.h"
#include "testpictures.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <vector>

// The IFF codec is checked against netpbm's ilbmtoppm and ppmtoilbm, an
// independent implementation of the format.

namespace {

bool runTool(const QString& program, const QStringList& args, const QString& in,
             const QString& out) {
    QProcess p;
    p.setStandardInputFile(in);
    p.setStandardOutputFile(out);
    p.start(program, args);
    return p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

QImage readPpm(const QString& file) {
    QImage img;
    img.load(file, "PPM");
    return img.convertToFormat(QImage::Format_RGB32);
}

void appendBe32(QByteArray& b, uint32_t v) {
    b.append(char(v >> 24)).append(char(v >> 16)).append(char(v >> 8)).append(char(v));
}
void appendBe16(QByteArray& b, int v) {
    b.append(char(v >> 8)).append(char(v));
}
void appendChunk(QByteArray& out, const char* id, const QByteArray& data) {
    out.append(id, 4);
    appendBe32(out, uint32_t(data.size()));
    out.append(data);
    if (data.size() & 1)
        out.append('\0');
}

QByteArray bmhd(int w, int h, int planes, int masking, int compression) {
    QByteArray d;
    appendBe16(d, w);
    appendBe16(d, h);
    appendBe16(d, 0);
    appendBe16(d, 0);
    d.append(char(planes)).append(char(masking)).append(char(compression)).append('\0');
    appendBe16(d, 0);
    d.append('\1').append('\1');
    appendBe16(d, w);
    appendBe16(d, h);
    return d;
}

QByteArray form(const char* type, const QList<QPair<const char*, QByteArray>>& chunks) {
    QByteArray body(type, 4);
    for (const auto& c : chunks)
        appendChunk(body, c.first, c.second);
    QByteArray out("FORM");
    appendBe32(out, uint32_t(body.size()));
    return out + body;
}

// A chunky FORM PBM of w x h with the pixel value (x + 2y) mod 256 and a CMAP of
// 256 colours; annotated, with a chunk of odd length (and its pad byte) before BODY.
QByteArray chunkyPicture(int w, int h, bool compressed, bool padded, QImage& expected,
                         bool annotated = false) {
    QByteArray cmap;
    QList<QRgb> table;
    for (int i = 0; i < 256; ++i) {
        const QRgb c = qRgb(i, (i * 3) & 0xFF, 255 - i);
        table << c;
        cmap.append(char(qRed(c))).append(char(qGreen(c))).append(char(qBlue(c)));
    }
    expected = QImage(w, h, QImage::Format_RGB32);
    QByteArray body;
    for (int y = 0; y < h; ++y) {
        std::vector<uint8_t> row(size_t(w + (padded ? w & 1 : 0)), 0);
        for (int x = 0; x < w; ++x) {
            row[size_t(x)] = uint8_t(x / 4 + 2 * y);
            expected.setPixel(x, y, table[row[size_t(x)]]);
        }
        if (compressed)
            byteRun1Encode(row.data(), row.size(), body);
        else
            body.append(reinterpret_cast<const char*>(row.data()), qsizetype(row.size()));
    }
    QList<QPair<const char*, QByteArray>> chunks{{"BMHD", bmhd(w, h, 8, 0, compressed ? 1 : 0)},
                                                 {"CMAP", cmap}};
    if (annotated)
        chunks.append({"ANNO", QByteArray("abc")});
    chunks.append({"BODY", body});
    return form("PBM ", chunks);
}

bool haveNetpbm() {
    return !QStandardPaths::findExecutable(QStringLiteral("ilbmtoppm")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("ppmtoilbm")).isEmpty();
}

} // namespace

class TestIlbm : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        if (!haveNetpbm())
            QSKIP("netpbm (ilbmtoppm, ppmtoilbm) is not installed; scripts/deps.sh installs it");
    }

    // Our files decode to the same pixels in netpbm.
    void ourFilesInNetpbm_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("bits");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        for (int code : {6, 9}) {
            for (int bits : {1, 4, 8, 24}) {
                QTest::addRow("%s %d bit 37x23", code == 6 ? "IFF" : "LBM", bits)
                    << code << bits << 37 << 23;
                QTest::addRow("%s %d bit 16x1", code == 6 ? "IFF" : "LBM", bits)
                    << code << bits << 16 << 1;
            }
        }
        QTest::newRow("IFF 8 bit 1x1") << 6 << 8 << 1 << 1;
        QTest::newRow("IFF 24 bit 300x7 long runs") << 6 << 24 << 300 << 7;
    }
    void ourFilesInNetpbm() {
        QFETCH(int, code);
        QFETCH(int, bits);
        QFETCH(int, width);
        QFETCH(int, height);
        QTemporaryDir dir;
        const TDibRecord pic = bits == 24 ? testpic::trueColour(width, height, true)
                                          : testpic::palette(bits, width, height);
        const QString file = dir.filePath(QStringLiteral("bild.") + saveFormatExtension(code));
        QCOMPARE(SaveDib(pic, file, code), 1);
        const QString ppm = dir.filePath(QStringLiteral("bild.ppm"));
        QVERIFY(runTool(QStringLiteral("ilbmtoppm"), {}, file, ppm));
        QCOMPARE(readPpm(ppm), testpic::shown(pic));
        TDibRecord back;
        QVERIFY(OpenDib(back, file));
        QCOMPARE(back.BitsPerPixel, bits);
        QCOMPARE(back.Image, pic.Image);
    }

    // netpbm's files decode to the same pixels here.
    void netpbmFilesHere_data() {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<bool>("manyColours");
        QTest::addColumn<int>("bits");
        QTest::newRow("palette, ByteRun1") << QStringList() << false << 4;
        QTest::newRow("palette, uncompressed")
            << QStringList{QStringLiteral("-nocompress")} << false << 4;
        QTest::newRow("palette, 8 planes")
            << QStringList{QStringLiteral("-fp"), QStringLiteral("8")} << false << 8;
        QTest::newRow("palette, 3 planes")
            << QStringList{QStringLiteral("-fp"), QStringLiteral("3")} << false << 4;
        QTest::newRow("24 bit, ByteRun1") << QStringList{QStringLiteral("-24force")} << true << 24;
        QTest::newRow("24 bit, uncompressed")
            << QStringList{QStringLiteral("-24force"), QStringLiteral("-nocompress")} << true << 24;
    }
    void netpbmFilesHere() {
        QFETCH(QStringList, options);
        QFETCH(bool, manyColours);
        QFETCH(int, bits);
        QTemporaryDir dir;
        QImage source(45, 27, QImage::Format_RGB32);
        for (int y = 0; y < source.height(); ++y)
            for (int x = 0; x < source.width(); ++x)
                source.setPixel(x, y,
                                manyColours ? qRgb(x * 5, y * 9, (x * y) & 0xFF)
                                            : qRgb(((x / 7) % 4) * 80, (y % 2) * 200, 40));
        const QString ppm = dir.filePath(QStringLiteral("quelle.ppm"));
        QVERIFY(source.save(ppm, "PPM"));
        const QString iff = dir.filePath(QStringLiteral("quelle.lbm"));
        QVERIFY(runTool(QStringLiteral("ppmtoilbm"),
                        QStringList{QStringLiteral("-quiet")} + options, ppm, iff));
        TDibRecord pic;
        QVERIFY(OpenDib(pic, iff));
        QCOMPARE(pic.BitsPerPixel, bits);
        QCOMPARE(testpic::shown(pic), source);
    }

    // Hold-and-modify pictures show what netpbm shows.
    void hamAsNetpbm_data() {
        QTest::addColumn<QString>("option");
        QTest::newRow("HAM6") << QStringLiteral("-ham6");
        QTest::newRow("HAM8") << QStringLiteral("-ham8");
    }
    void hamAsNetpbm() {
        QFETCH(QString, option);
        QTemporaryDir dir;
        QImage source(40, 20, QImage::Format_RGB32);
        for (int y = 0; y < source.height(); ++y)
            for (int x = 0; x < source.width(); ++x)
                source.setPixel(x, y, qRgb(x * 6, 255 - y * 12, (x * y * 3) & 0xFF));
        const QString ppm = dir.filePath(QStringLiteral("quelle.ppm"));
        QVERIFY(source.save(ppm, "PPM"));
        const QString iff = dir.filePath(QStringLiteral("ham.iff"));
        QVERIFY(runTool(QStringLiteral("ppmtoilbm"), {QStringLiteral("-quiet"), option}, ppm, iff));
        const QString decoded = dir.filePath(QStringLiteral("ham.ppm"));
        QVERIFY(runTool(QStringLiteral("ilbmtoppm"), {QStringLiteral("-quiet")}, iff, decoded));
        TDibRecord pic;
        QVERIFY(OpenDib(pic, iff));
        QCOMPARE(pic.BitsPerPixel, 24);
        QCOMPARE(testpic::shown(pic), readPpm(decoded));
    }

    // The chunky form of .lbm files, checked against netpbm as well.
    void chunkyForm_data() {
        QTest::addColumn<bool>("compressed");
        QTest::addColumn<int>("width");
        QTest::addColumn<bool>("padded");
        QTest::addColumn<bool>("annotated");
        QTest::newRow("ByteRun1, even width") << true << 64 << true << false;
        QTest::newRow("uncompressed, even width") << false << 64 << true << false;
        // Odd rows: some writers pad them to an even length, netpbm does not.
        QTest::newRow("ByteRun1, odd width, padded") << true << 33 << true << false;
        QTest::newRow("uncompressed, odd width, padded") << false << 33 << true << false;
        QTest::newRow("ByteRun1, odd width, unpadded") << true << 33 << false << false;
        QTest::newRow("uncompressed, odd width, unpadded") << false << 33 << false << false;
        QTest::newRow("3-byte ANNO before BODY") << true << 64 << true << true;
    }
    void chunkyForm() {
        QFETCH(bool, compressed);
        QFETCH(int, width);
        QFETCH(bool, padded);
        QFETCH(bool, annotated);
        QTemporaryDir dir;
        QImage expected;
        const QByteArray bytes = chunkyPicture(width, 9, compressed, padded, expected, annotated);
        const QString file = dir.filePath(QStringLiteral("chunky.lbm"));
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        TDibRecord pic;
        QVERIFY(OpenDib(pic, file));
        QCOMPARE(pic.BitsPerPixel, 8);
        QCOMPARE(testpic::shown(pic), expected);
        if (padded && width % 2)
            return; // netpbm reads only unpadded rows
        const QString ppm = dir.filePath(QStringLiteral("chunky.ppm"));
        QVERIFY(runTool(QStringLiteral("ilbmtoppm"), {}, file, ppm));
        QCOMPARE(readPpm(ppm), expected);
    }

    // Extra halfbrite with a mask plane: 6 planes, 32 colours in the CMAP, the upper
    // 32 at half brightness; the mask plane is skipped.
    void halfbriteWithMask() {
        const int w = 13;
        const int h = 5;
        QByteArray cmap;
        for (int i = 0; i < 32; ++i)
            cmap.append(char(i * 8)).append(char(255 - i * 8)).append(char((i * 40) & 0xFF));
        QByteArray body;
        QImage expected(w, h, QImage::Format_RGB32);
        for (int y = 0; y < h; ++y) {
            for (int p = 0; p < 7; ++p) {
                int v = 0;
                for (int x = 0; x < w; ++x) {
                    const int index = (x * 5 + y) & 63;
                    if ((p < 6 && (index >> p & 1)) || (p == 6 && x % 2))
                        v |= 1 << (15 - x);
                }
                appendBe16(body, v);
            }
            for (int x = 0; x < w; ++x) {
                const int index = (x * 5 + y) & 63;
                const int base = index & 31;
                const int shift = index >= 32 ? 1 : 0;
                expected.setPixel(x, y,
                                  qRgb((base * 8) >> shift, (255 - base * 8) >> shift,
                                       ((base * 40) & 0xFF) >> shift));
            }
        }
        QByteArray camg;
        appendBe32(camg, 0x80);
        const QByteArray bytes =
            form("ILBM",
                 {{"BMHD", bmhd(w, h, 6, 1, 0)}, {"CMAP", cmap}, {"CAMG", camg}, {"BODY", body}});
        TDibRecord pic;
        QVERIFY(readIlbm(bytes, pic));
        QCOMPARE(pic.BitsPerPixel, 8);
        QCOMPARE(testpic::shown(pic), expected);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("ehb.iff"));
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        const QString ppm = dir.filePath(QStringLiteral("ehb.ppm"));
        QVERIFY(runTool(QStringLiteral("ilbmtoppm"), {}, file, ppm));
        QCOMPARE(readPpm(ppm), expected);
    }

    void byteRun1RoundTrip_data() {
        QTest::addColumn<QByteArray>("data");
        QTest::newRow("one byte") << QByteArray("x");
        QTest::newRow("run of 128") << QByteArray(128, 'a');
        QTest::newRow("run of 129") << QByteArray(129, 'a');
        QTest::newRow("run of 2 at the end") << QByteArray("abcdd");
        QTest::newRow("run of 2 inside") << QByteArray("abbcd");
        QByteArray literal;
        for (int i = 0; i < 300; ++i)
            literal.append(char(i * 7));
        QTest::newRow("literal of 300") << literal;
        QTest::newRow("mixed") << QByteArray("aaabcccccccdeffffffffff") + literal +
                                      QByteArray(200, '\0');
    }
    void byteRun1RoundTrip() {
        QFETCH(QByteArray, data);
        QByteArray packed;
        byteRun1Encode(reinterpret_cast<const uint8_t*>(data.constData()), size_t(data.size()),
                       packed);
        QByteArray unpacked(data.size(), '\xEE');
        size_t pos = 0;
        QVERIFY(byteRun1Decode(
            reinterpret_cast<const uint8_t*>(packed.constData()), size_t(packed.size()), pos,
            reinterpret_cast<uint8_t*>(unpacked.data()), size_t(unpacked.size())));
        QCOMPARE(unpacked, data);
        QCOMPARE(pos, size_t(packed.size()));
        for (qsizetype i = 0; i < packed.size();) {
            // No control byte of -128 is ever written.
            QVERIFY(packed[i] != char(-128));
            const int n = int8_t(packed[i]);
            i += n >= 0 ? n + 2 : 2;
        }
    }

    // Damaged files are refused; none of them crashes or hangs.
    void damagedFilesRefused_data() {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray cmap(6, '\x40');
        const QByteArray body(4, '\0');
        QTest::newRow("no BMHD") << form("ILBM", {{"CMAP", cmap}, {"BODY", body}});
        QTest::newRow("no BODY") << form("ILBM", {{"BMHD", bmhd(8, 2, 1, 0, 0)}, {"CMAP", cmap}});
        QTest::newRow("BODY too short")
            << form("ILBM", {{"BMHD", bmhd(8, 4, 1, 0, 0)}, {"BODY", body}});
        QTest::newRow("width 0") << form("ILBM", {{"BMHD", bmhd(0, 2, 1, 0, 0)}, {"BODY", body}});
        QTest::newRow("0 planes") << form("ILBM", {{"BMHD", bmhd(8, 2, 0, 0, 0)}, {"BODY", body}});
        QTest::newRow("9 planes") << form("ILBM", {{"BMHD", bmhd(8, 2, 9, 0, 0)}, {"BODY", body}});
        QTest::newRow("unknown compression")
            << form("ILBM", {{"BMHD", bmhd(8, 2, 1, 0, 2)}, {"BODY", body}});
        QTest::newRow("65535 x 65535 from a tiny file") << form(
            "ILBM", {{"BMHD", bmhd(65535, 65535, 8, 0, 1)}, {"BODY", QByteArray("\x80\x80", 2)}});
        QTest::newRow("30001 wide")
            << form("ILBM", {{"BMHD", bmhd(30001, 1, 1, 0, 0)}, {"BODY", QByteArray(3752, '\0')}});
        QTest::newRow("BMHD too short")
            << form("ILBM", {{"BMHD", QByteArray(10, '\1')}, {"BODY", body}});
        QByteArray lying = form("ILBM", {{"BMHD", bmhd(8, 2, 1, 0, 0)}, {"BODY", body}});
        lying[16] = '\x7F'; // BMHD claims two gigabytes
        QTest::newRow("chunk longer than the file") << lying;
        QByteArray formLies = form("ILBM", {{"BMHD", bmhd(8, 2, 1, 0, 0)}, {"BODY", body}});
        formLies[4] = '\x40';
        QTest::newRow("FORM longer than the file") << formLies;
        QTest::newRow("only the signature") << QByteArray("FORM\0\0\0\4ILBM", 12);
        QTest::newRow("ByteRun1 of -128 only")
            << form("ILBM", {{"BMHD", bmhd(8, 2, 1, 0, 1)}, {"BODY", QByteArray(64, '\x80')}});
    }
    void damagedFilesRefused() {
        QFETCH(QByteArray, bytes);
        TDibRecord pic;
        QVERIFY(!readIlbm(bytes, pic));
        QVERIFY(!pic.hasPicture());
    }

    // Every cut-off piece of a valid file is refused.
    void truncatedFilesRefused() {
        for (int bits : {1, 8, 24}) {
            const TDibRecord pic =
                bits == 24 ? testpic::trueColour(19, 7, true) : testpic::palette(bits, 19, 7);
            const QByteArray whole = writeIlbm(pic);
            TDibRecord back;
            QVERIFY(readIlbm(whole, back));
            for (qsizetype n = 0; n < whole.size() - 1; ++n) {
                if (!QTest::qVerify(!readIlbm(whole.left(n), back), "readIlbm", "cut-off file",
                                    __FILE__, __LINE__)) {
                    qWarning() << bits << "bits, cut at" << n << "of" << whole.size();
                    return;
                }
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestIlbm)
#include "tst_ilbm.moc"
