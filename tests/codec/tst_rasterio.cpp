#include "codec/rasterio.h"
#include "testpictures.h"

#include <Magick++.h>

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <cstring>

namespace {

enum Fidelity { Exact, Close };

TDibRecord kindPicture(const QString& kind) {
    if (kind == QLatin1String("1 bit"))
        return testpic::palette(1, 37, 23);
    if (kind == QLatin1String("4 bit"))
        return testpic::palette(4, 37, 23);
    if (kind == QLatin1String("8 bit"))
        return testpic::palette(8, 41, 29);
    if (kind == QLatin1String("200 colours"))
        return testpic::trueColour(53, 31, false);
    return testpic::trueColour(64, 48, true);
}

QString fileFor(const QTemporaryDir& dir, int code) {
    return dir.filePath(QStringLiteral("bild.") + saveFormatExtension(code));
}

QByteArray readAll(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString& file, const QByteArray& bytes) {
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

bool opens(const QString& file, const QByteArray& bytes) {
    QFile f(file);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        return false;
    f.close();
    TDibRecord pic;
    const bool ok = OpenDib(pic, file);
    if (ok != pic.hasPicture())
        qFatal("OpenDib's result and the record disagree");
    return ok;
}

} // namespace

class TestRasterIo : public QObject {
    Q_OBJECT
private slots:
    void init() { SetJPEGQual(75); }

    // Every format through SaveDib and OpenDib: lossless ones give the same colours
    // (and palette pictures stay palette pictures), JPEG comes close.
    void roundTrip_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("fidelity");
        QTest::addColumn<int>("bitsBack"); // 0: not checked
        const QStringList kinds{QStringLiteral("1 bit"), QStringLiteral("4 bit"),
                                QStringLiteral("8 bit"), QStringLiteral("200 colours"),
                                QStringLiteral("all colours")};
        for (int code = 3; code <= 13; ++code) {
            const QString ext = saveFormatExtension(code).toUpper();
            for (const QString& kind : kinds) {
                const bool trueColour = kind.endsWith(QLatin1String("colours"));
                const int bits = kind == kinds[0]   ? 1
                                 : kind == kinds[1] ? 4
                                 : kind == kinds[2] ? 8
                                                    : 24;
                int fidelity = Exact;
                int bitsBack = bits;
                switch (code) {
                case 5:  // GIF: at most 256 colours
                case 11: // RLE: a BMP with RLE8
                    if (kind == kinds[4])
                        fidelity = Close;
                    bitsBack = trueColour || code == 11 ? 8 : bits;
                    break;
                case 7:
                case 8:
                    fidelity = Close;
                    bitsBack = 0;
                    break;
                case 10: // PCX keeps 1-bit pictures and writes others with 8 bits
                    bitsBack = bits == 4 ? 8 : bits == 1 ? 8 : bits;
                    break;
                default:
                    break;
                }
                QTest::addRow("%s %s", qPrintable(ext), qPrintable(kind))
                    << code << kind << fidelity << bitsBack;
            }
        }
    }
    void roundTrip() {
        QFETCH(int, code);
        QFETCH(QString, kind);
        QFETCH(int, fidelity);
        QFETCH(int, bitsBack);
        QTemporaryDir dir;
        const TDibRecord pic = kindPicture(kind);
        const QString file = fileFor(dir, code);
        SetJPEGQual(95);
        QCOMPARE(SaveDib(pic, file, code), 1);
        TDibRecord back;
        QVERIFY(OpenDib(back, file));
        QCOMPARE(back.Image.size(), pic.Image.size());
        if (bitsBack)
            QCOMPARE(back.BitsPerPixel, bitsBack);
        if (fidelity == Exact) {
            QCOMPARE(testpic::shown(back), testpic::shown(pic));
        } else {
            const double diff = testpic::meanDifference(pic, back);
            QVERIFY2(diff < 12.0, qPrintable(QString::number(diff)));
        }
        // Nothing else is left in the folder (no temporary files).
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 1);
    }

    // The RLE format is a BMP with RLE8 compression that other readers decode alike.
    void rleIsRle8() {
        QTemporaryDir dir;
        const TDibRecord pic = testpic::palette(4, 40, 25);
        const QString file = fileFor(dir, 11);
        QCOMPARE(SaveDib(pic, file, 11), 1);
        const QByteArray bytes = readAll(file);
        QVERIFY(bytes.startsWith("BM"));
        quint16 bitCount = 0;
        quint32 compression = 0;
        std::memcpy(&bitCount, bytes.constData() + 28, 2);
        std::memcpy(&compression, bytes.constData() + 30, 4);
        QCOMPARE(bitCount, quint16(8));
        QCOMPARE(compression, quint32(1)); // BI_RLE8
        const QImage qt = QImageReader(file, "bmp").read();
        QCOMPARE(qt.convertToFormat(QImage::Format_RGB32), testpic::shown(pic));
    }

    void jpegQuality() {
        QTemporaryDir dir;
        const TDibRecord pic = testpic::trueColour(120, 90, true);
        SetJPEGQual(10);
        QCOMPARE(JPEGQual(), 10);
        QCOMPARE(SaveDib(pic, dir.filePath(QStringLiteral("a.jpg")), 8), 1);
        SetJPEGQual(95);
        QCOMPARE(SaveDib(pic, dir.filePath(QStringLiteral("b.jpg")), 8), 1);
        QVERIFY(QFileInfo(dir.filePath(QStringLiteral("a.jpg"))).size() <
                QFileInfo(dir.filePath(QStringLiteral("b.jpg"))).size());
        SetJPEGQual(0);
        QCOMPARE(JPEGQual(), 1);
        SetJPEGQual(100);
        QCOMPARE(JPEGQual(), 99);
    }

    void saveFilterInCodeOrder() {
        const QStringList parts = GetDIBSaveFilter().split(QLatin1Char('|'));
        QCOMPARE(parts.size(), 24);
        const QStringList expected{
            QStringLiteral("bmp"), QStringLiteral("dib"), QStringLiteral("gif"),
            QStringLiteral("iff"), QStringLiteral("jif"), QStringLiteral("jpg"),
            QStringLiteral("lbm"), QStringLiteral("pcx"), QStringLiteral("rle"),
            QStringLiteral("tga"), QStringLiteral("tif"), QStringLiteral("png")};
        for (int i = 0; i < expected.size(); ++i) {
            QCOMPARE(parts[2 * i + 1], QStringLiteral("*.") + expected[i]);
            QCOMPARE(saveFormatExtension(i + 3), expected[i]);
        }
        QCOMPARE(filterToNameFilters(GetDIBSaveFilter()).size(), 12);
        QCOMPARE(filterToNameFilters(QStringLiteral("Bilder|*.a;*.b|Alle|*.*")),
                 (QStringList{QStringLiteral("Bilder (*.a *.b)"), QStringLiteral("Alle (*.*)")}));
    }

    void openFilterNamesEveryWrittenFormat() {
        const QStringList parts = GetDIBOpenFilter().split(QLatin1Char('|'));
        QVERIFY(parts.size() % 2 == 0);
        QCOMPARE(parts[0], QStringLiteral("Alle Bilder"));
        const QStringList all = parts[1].split(QLatin1Char(';'));
        for (int code = 3; code <= 13; ++code)
            QVERIFY(all.contains(QStringLiteral("*.") + saveFormatExtension(code)));
        QVERIFY(all.contains(QStringLiteral("*.png")));
        QVERIFY(!all.contains(QStringLiteral("*.svg")));
        // Every type is offered once under "Dateityp", HEIF with both its endings.
        QStringList descriptions;
        for (int i = 2; i < parts.size(); i += 2) {
            QVERIFY2(!descriptions.contains(parts[i]), qPrintable(parts[i]));
            descriptions << parts[i];
        }
        const qsizetype heif = descriptions.indexOf(QStringLiteral("HEIF"));
        QVERIFY(heif >= 0);
        QCOMPARE(parts[2 * heif + 3], QStringLiteral("*.heif;*.heic"));
    }

    // The format comes from the content, not from the name.
    void formatFromContent() {
        QTemporaryDir dir;
        const TDibRecord pic = testpic::palette(8, 20, 10);
        QCOMPARE(SaveDib(pic, dir.filePath(QStringLiteral("x.gif")), 5), 1);
        QVERIFY(QFile::rename(dir.filePath(QStringLiteral("x.gif")),
                              dir.filePath(QStringLiteral("x.jpg"))));
        TDibRecord back;
        QVERIFY(OpenDib(back, dir.filePath(QStringLiteral("x.jpg"))));
        QCOMPARE(testpic::shown(back), testpic::shown(pic));
        // Targa files carry no signature and are known by their name.
        QCOMPARE(SaveDib(pic, dir.filePath(QStringLiteral("y.tga")), 12), 1);
        QVERIFY(OpenDib(back, dir.filePath(QStringLiteral("y.tga"))));
        QVERIFY(QFile::rename(dir.filePath(QStringLiteral("y.tga")),
                              dir.filePath(QStringLiteral("y.dat"))));
        QVERIFY(!OpenDib(back, dir.filePath(QStringLiteral("y.dat"))));
    }

    // Transparent parts of a picture lie on white paper.
    void transparencyOnWhite() {
        QTemporaryDir dir;
        QImage img(4, 1, QImage::Format_ARGB32);
        img.setPixel(0, 0, qRgba(255, 0, 0, 255));
        img.setPixel(1, 0, qRgba(0, 0, 0, 0));
        img.setPixel(2, 0, qRgba(0, 0, 255, 0));
        img.setPixel(3, 0, qRgba(0, 0, 0, 128));
        const QString file = dir.filePath(QStringLiteral("t.png"));
        QVERIFY(img.save(file, "PNG"));
        TDibRecord pic;
        QVERIFY(OpenDib(pic, file));
        QCOMPARE(pic.BitsPerPixel, 24);
        QCOMPARE(getpixel(pic, 0, 0), 0x0000FF);
        QCOMPARE(getpixel(pic, 1, 0), 0xFFFFFF);
        QCOMPARE(getpixel(pic, 2, 0), 0xFFFFFF);
        QVERIFY(qAbs(int(getpixel(pic, 3, 0) & 0xFF) - 127) <= 1);
    }

    // Writing where it cannot be written fails, leaves nothing behind and keeps
    // an existing file as it was.
    void failedWrites() {
        QTemporaryDir dir;
        const TDibRecord pic = testpic::palette(8, 10, 10);
        for (int code = 3; code <= 14; ++code) {
            const QString missing =
                dir.filePath(QStringLiteral("fehlt/bild.") + saveFormatExtension(code));
            QVERIFY(SaveDib(pic, missing, code) != 1);
            QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("fehlt"))));
            QVERIFY(SaveDib(pic, dir.path(), code) != 1);
        }
        const QString existing = dir.filePath(QStringLiteral("alt.bmp"));
        writeAll(existing, "alter Inhalt");
        QVERIFY(SaveDib(TDibRecord(), existing, 3) != 1);
        QVERIFY(SaveDib(pic, existing, 2) != 1);
        QVERIFY(SaveDib(pic, existing, 15) != 1);
        QCOMPARE(readAll(existing), QByteArray("alter Inhalt"));
        QCOMPARE(QDir(dir.path())
                     .entryList(QDir::Files | QDir::Hidden | QDir::Dirs | QDir::NoDotAndDotDot),
                 QStringList{QStringLiteral("alt.bmp")});
    }

    void notAPicture_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("empty") << QStringLiteral("leer.bmp") << QByteArray();
        QTest::newRow("text") << QStringLiteral("text.txt") << QByteArray("Hallo Welt\n");
        QTest::newRow("text named like a Targa")
            << QStringLiteral("text.tga") << QByteArray("Hallo Welt\n");
        // Vector and script formats could reach other files; they are not read.
        QTest::newRow("SVG")
            << QStringLiteral("bild.svg")
            << QByteArray("<?xml version=\"1.0\"?><svg xmlns=\"http://www.w3.org/2000/svg\" "
                          "width=\"10\" height=\"10\"><rect width=\"10\" height=\"10\"/></svg>");
        QTest::newRow("MVG") << QStringLiteral("bild.mvg")
                             << QByteArray("viewbox 0 0 10 10\nimage over 0,0 0,0 '/etc/passwd'\n");
        QTest::newRow("PostScript")
            << QStringLiteral("bild.ps") << QByteArray("%!PS\n0 0 moveto showpage\n");
        // Headers claiming huge pictures in tiny files.
        QByteArray bmp("BM", 2);
        bmp += QByteArray("\0\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0", 16);
        bmp += QByteArray("\x50\xC3\0\0\x50\xC3\0\0\1\0\x18\0\0\0\0\0", 16); // 50000 x 50000
        bmp += QByteArray(24, '\0');
        QTest::newRow("BMP of 50000 x 50000") << QStringLiteral("gross.bmp") << bmp;
        QByteArray tga(18, '\0');
        tga[2] = 2;
        tga[12] = char(0x30);
        tga[13] = char(0x75); // 30000
        tga[14] = char(0x30);
        tga[15] = char(0x75);
        tga[16] = 24;
        QTest::newRow("TGA of 30000 x 30000")
            << QStringLiteral("gross.tga") << tga + QByteArray(100, '\x11');
    }
    void notAPicture() {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        QVERIFY(!opens(dir.filePath(name), content));
    }

    // Every kind of file the open filter offers is read: the netpbm family (also by
    // the names the codec library gives them) and DIBs without a file header.
    void offeredFormatsLoad_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QRgb>("left");
        QTest::addColumn<QRgb>("right");
        const QRgb red = qRgb(200, 0, 0);
        const QRgb blue = qRgb(0, 0, 200);
        QTest::newRow("PPM") << "b.ppm" << QByteArray("P6 2 1 255 \xc8\0\0\0\0\xc8", 17) << red
                             << blue;
        QTest::newRow("PGM") << "b.pgm" << QByteArray("P5 2 1 255 \xc8\x10", 13)
                             << qRgb(200, 200, 200) << qRgb(16, 16, 16);
        QTest::newRow("PBM") << "b.pbm" << QByteArray("P4 2 1 \x40", 8) << qRgb(255, 255, 255)
                             << qRgb(0, 0, 0);
        QTest::newRow("PNM as text")
            << "b.pnm" << QByteArray("P3 2 1 255 200 0 0 0 0 200\n") << red << blue;
        QByteArray dib(40, '\0');
        dib[0] = 40;
        dib[4] = 2;
        dib[8] = 1;
        dib[12] = 1;
        dib[14] = 8;
        dib[32] = 2; // colours used
        QTest::newRow("DIB without file header, 8 bits")
            << "b.dib" << dib + QByteArray("\0\0\xc8\0\xc8\0\0\0\0\1\0\0", 12) << red << blue;
        dib[14] = 24;
        dib[32] = 0;
        QTest::newRow("DIB without file header, 24 bits")
            << "b.dib" << dib + QByteArray("\0\0\xc8\xc8\0\0\0\0", 8) << red << blue;
    }
    void offeredFormatsLoad() {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        writeAll(dir.filePath(name), content);
        TDibRecord pic;
        QVERIFY(OpenDib(pic, dir.filePath(name)));
        const QImage shown = testpic::shown(pic);
        QCOMPARE(shown.size(), QSize(2, 1));
        QTEST(shown.pixel(0, 0), "left");
        QTEST(shown.pixel(1, 0), "right");
    }

    // A JPEG that decodes completely but has stray bytes before a marker is read; one
    // cut short inside its data is not.
    void jpegWarnings_data() {
        QTest::addColumn<bool>("cut");
        QTest::newRow("3 stray bytes before the scan") << false;
        QTest::newRow("cut short") << true;
    }
    void jpegWarnings() {
        QFETCH(bool, cut);
        QTemporaryDir dir;
        QImage img(64, 48, QImage::Format_RGB32);
        img.fill(qRgb(20, 120, 220));
        const QString file = dir.filePath(QStringLiteral("b.jpg"));
        QVERIFY(img.save(file, "JPEG", 90));
        QByteArray bytes = readAll(file);
        QVERIFY(bytes.endsWith("\xFF\xD9"));
        if (cut)
            bytes.chop(bytes.size() / 5);
        else
            bytes.insert(bytes.lastIndexOf("\xFF\xDA"), "\x01\x02\x03", 3);
        TDibRecord pic;
        QCOMPARE(opens(file, bytes), !cut);
        if (cut)
            return;
        QVERIFY(OpenDib(pic, file));
        QCOMPARE(pic.Image.size(), QSize(64, 48));
        const QRgb c = pic.Image.pixel(32, 24);
        QVERIFY(qAbs(qRed(c) - 20) < 8 && qAbs(qGreen(c) - 120) < 8 && qAbs(qBlue(c) - 220) < 8);
    }

    // Colour JPEGs, which skip the codec library's own full-size copy, have exactly the
    // pixels that the library reads; grey ones still come from the library.
    void jpegsAsTheLibraryReadsThem_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("quality");
        QTest::addColumn<bool>("progressive");
        QTest::addColumn<bool>("grey");
        QTest::newRow("photo, quality 90") << QString() << 90 << false << false;
        QTest::newRow("photo, quality 100") << QString() << 100 << false << false;
        QTest::newRow("photo, progressive") << QString() << 75 << true << false;
        QTest::newRow("photo in grey") << QString() << 90 << false << true;
        const QString samples =
            qEnvironmentVariable("AWB_TEST_DATA") + QStringLiteral("/../../resources/");
        QTest::newRow("sample logo") << samples + QStringLiteral("logo.jpg") << 0 << false << false;
        QTest::newRow("sample background")
            << samples + QStringLiteral("hintergrund.jpg") << 0 << false << false;
    }
    void jpegsAsTheLibraryReadsThem() {
        QFETCH(QString, file);
        QFETCH(int, quality);
        QFETCH(bool, progressive);
        QFETCH(bool, grey);
        QTemporaryDir dir;
        const QString name = dir.filePath(QStringLiteral("foto.jpg"));
        if (file.isEmpty()) {
            QImage img(301, 203, QImage::Format_RGB32);
            QPainter p(&img);
            QLinearGradient g(0, 0, 301, 203);
            g.setColorAt(0, QColor(30, 90, 160));
            g.setColorAt(1, QColor(230, 180, 40));
            p.fillRect(img.rect(), g);
            for (int i = 0; i < 40; ++i)
                p.fillRect((i * 97) % 290, (i * 53) % 190, 11, 13,
                           QColor::fromHsv((i * 37) % 360, 200, 220));
            p.end();
            QImageWriter writer(name, "jpeg");
            writer.setQuality(quality);
            writer.setProgressiveScanWrite(progressive);
            writer.setText(QStringLiteral("x-awb-stand-in"), QStringLiteral("1"));
            QVERIFY(writer.write(grey ? img.convertToFormat(QImage::Format_Grayscale8) : img));
        } else {
            QVERIFY(QFile::copy(file, name));
        }
        TDibRecord pic;
        QVERIFY(OpenDib(pic, name));
        const QByteArray bytes = readAll(name);
        Magick::Image reference(Magick::Blob(bytes.constData(), size_t(bytes.size())));
        const int w = int(reference.columns()), h = int(reference.rows());
        QCOMPARE(pic.Image.size(), QSize(w, h));
        QCOMPARE(pic.BitsPerPixel, grey ? 8 : 24);
        QVERIFY(pic.Image.textKeys().isEmpty());
        std::vector<unsigned char> rgb(size_t(w) * h * 3);
        reference.write(0, 0, unsigned(w), unsigned(h), "RGB", Magick::CharPixel, rgb.data());
        int differing = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const unsigned char* c = &rgb[(size_t(y) * w + x) * 3];
                differing += pic.Image.pixel(x, y) != qRgb(c[0], c[1], c[2]);
            }
        QCOMPARE(differing, 0);
    }

    void missingFileAndFolder() {
        QTemporaryDir dir;
        TDibRecord pic = testpic::palette(1, 3, 3);
        QVERIFY(!OpenDib(pic, dir.filePath(QStringLiteral("fehlt.bmp"))));
        QVERIFY(!pic.hasPicture());
        QVERIFY(!OpenDib(pic, dir.path()));
        QVERIFY(!OpenDib(pic, QString()));
    }

    // Cut-off files of every format are refused; damaged ones never crash.
    void damagedFiles_data() {
        QTest::addColumn<int>("code");
        for (int code = 3; code <= 13; ++code)
            QTest::addRow("%s", qPrintable(saveFormatExtension(code).toUpper())) << code;
        QTest::newRow("PNG") << 0;
    }
    void damagedFiles() {
        QFETCH(int, code);
        QTemporaryDir dir;
        const TDibRecord pic = code == 5 || code == 11 ? testpic::palette(8, 61, 47)
                                                       : testpic::trueColour(61, 47, true);
        QByteArray whole;
        QString name;
        if (code == 0) {
            name = dir.filePath(QStringLiteral("bild.png"));
            QVERIFY(testpic::shown(pic).save(name, "PNG"));
        } else {
            name = fileFor(dir, code);
            QCOMPARE(SaveDib(pic, name, code), 1);
        }
        whole = readAll(name);
        QVERIFY(whole.size() > 100);
        const QString probe = dir.filePath(QStringLiteral("kaputt.") + QFileInfo(name).suffix());
        for (const double part : {0.0, 0.02, 0.1, 0.25, 0.5, 0.75, 0.9}) {
            const qsizetype n = qsizetype(whole.size() * part);
            if (opens(probe, whole.left(n)))
                QFAIL(qPrintable(QStringLiteral("accepted when cut to %1 of %2 bytes")
                                     .arg(n)
                                     .arg(whole.size())));
        }
        // Damaged bytes anywhere: the answer may be yes or no, but there is one.
        QRandomGenerator random(uint(code) * 7919u);
        for (int round = 0; round < 60; ++round) {
            QByteArray bytes = whole;
            const int flips = 1 + round % 8;
            for (int i = 0; i < flips; ++i)
                bytes[random.bounded(int(bytes.size()))] = char(random.bounded(256));
            opens(probe, bytes);
        }
        // The header of another format in front of this one's data.
        opens(probe, QByteArray("GIF89a") + whole.mid(6));
        opens(probe, QByteArray("BM") + whole.mid(2));
    }

    void halftoneCopies() {
        TDibRecord pic = testpic::trueColour(30, 20, true);
        TDibRecord copy;
        QVERIFY(DIBHalftoneDIB(copy, pic));
        QCOMPARE(copy.BitsPerPixel, 8);
        QCOMPARE(copy.Image.size(), QSize(30, 20));
        QVERIFY(copy.Image.colorTable().size() <= 256);
        QVERIFY(DIBHalftoneDIBXY(copy, pic, 7, 45));
        QCOMPARE(copy.Image.size(), QSize(7, 45));
        QVERIFY(!DIBHalftoneDIBXY(copy, pic, 0, 45));
        QVERIFY(!copy.hasPicture());
        QVERIFY(!DIBHalftoneDIB(copy, TDibRecord()));
    }
};

QTEST_GUILESS_MAIN(TestRasterIo)
#include "tst_rasterio.moc"
