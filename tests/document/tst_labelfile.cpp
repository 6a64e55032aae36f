#include "document/labelfile.h"
#include "document/labelfilecommands.h"
#include "document/progpath.h"
#include "document/transcolor.h"
#include "scriptedprompts.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <type_traits>

#include <cmath>
#include <cstring>
#include <limits>

#include <sys/stat.h>
#include <unistd.h>

namespace {
// Loads a picture when a file of that name exists (a blank 320 x 200 otherwise) and
// turns it by quarter turns; records every call.
class FakePictures : public PictureLoader {
public:
    QStringList loads;
    QList<int> rotations;
    PictureLoad load(TDibRecord& rec, const QString& name, int rotation) override {
        loads << name;
        rotations << rotation;
        QImage img(name);
        if (img.isNull())
            newdib(rec, 320, 200, 24, nullptr, 0);
        else
            rec.Image = img.convertToFormat(QImage::Format_RGB32);
        rec.BitsPerPixel = 24;
        const int degrees[] = {0, 90, 180, -90};
        if (rotation >= 1 && rotation <= 3)
            rec.Image = rec.Image.transformed(QTransform().rotate(degrees[rotation]));
        return img.isNull() ? PictureLoad::Failed : PictureLoad::Loaded;
    }
};

void putI32(QByteArray& b, int at, int32_t v) {
    qToLittleEndian<qint32>(v, b.data() + at);
}
void putF64(QByteArray& b, int at, double v) {
    quint64 bits;
    std::memcpy(&bits, &v, sizeof bits);
    qToLittleEndian<quint64>(bits, b.data() + at);
}
int32_t getI32(const QByteArray& b, int at) {
    return qFromLittleEndian<qint32>(b.constData() + at);
}
double getF64(const QByteArray& b, int at) {
    const quint64 bits = qFromLittleEndian<quint64>(b.constData() + at);
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

// One record as the layout has it, for files the writer would not make.
QByteArray recordBytes(int32_t slot, int32_t kind, const QByteArray& text = "t", int32_t x = 0) {
    QByteArray r;
    auto i32 = [&r](int32_t v) {
        char b[4];
        qToLittleEndian<qint32>(v, b);
        r.append(b, 4);
    };
    i32(slot);
    i32(x);
    for (int i = 0; i < 3; ++i)
        i32(100);
    r.append('\1');
    i32(kind);
    for (int i = 0; i < 5; ++i)
        i32(i);
    r.append('\0').append('\0');
    i32(5);
    i32(5);
    r.append('\0').append('\0');
    i32(0);
    i32(0);
    r.append(text).append('\0');
    i32(0);
    i32(0);
    r.append("Arial").append('\0');
    r.append('\0');
    i32(10);
    r.append('\0');
    return r;
}

QByteArray endMarker() {
    QByteArray b(4, '\0');
    putI32(b, 0, LabelFile::EndMarker);
    return b;
}

// Header of an empty document (without its end marker).
QByteArray emptyHeader() {
    return labelFileBytes(LabelDocument()).chopped(4);
}

void fillText(Tobs& o) {
    o.Kind = KindText;
    o.X = 70001;
    o.Y = -12;
    o.Width = 40000;
    o.Height = 9000;
    o.KeepAspect = true;
    o.Color = 0x0000FF;
    o.Shape = 4;
    o.TextAlign = 2;
    o.OutlineColor = 0x123456;
    o.ShadowColor = 0x808080;
    o.Shadow = true;
    o.Outline = false;
    o.ShadowDX = -7;
    o.ShadowDY = 12;
    o.Transparent = true;
    o.TransAuto = false;
    o.TransColor = 77;
    o.Rotation = 1;
    o.Text = QStringLiteral("Grüße aus Köln\rZweite Zeile: 5 € – %%NUMMER%%");
    o.FontColor = 0x010203;
    o.FontHeight = -27;
    o.FontName = QStringLiteral("Times New Roman");
    o.FontPitch = 2;
    o.FontSize = 20;
    o.FontStyle = 0x0B;
}

void fillFigure(Tobs& o) {
    o.Kind = KindFigure;
    o.X = std::numeric_limits<int32_t>::min();
    o.Y = std::numeric_limits<int32_t>::max();
    o.Width = 123456;
    o.Height = 7;
    o.Color = 0x00FF00;
    o.Shape = 9;
    o.OutlineColor = 0xABCDEF;
    o.FillMode() = 2;
    o.LineWidth() = 4;
    o.ShadowDX = 0;
    o.ShadowDY = 1;
    o.FontName = QStringLiteral("Arial");
    o.FontStyle = 0xFF;
    o.FontPitch = 0xFF;
}

void fillPicture(Tobs& o) {
    o.Kind = KindPicture;
    o.X = 70000;
    o.Y = 31000;
    o.Width = 20000;
    o.Height = 30000;
    o.KeepAspect = true;
    o.Transparent = true;
    o.TransAuto = true;
    o.TransColor = 0xFFFFFF;
    o.Rotation = 2;
    o.Outline = true; // not used by pictures, stored all the same
    o.Text = QStringLiteral("C:\\Programme\\Etiketten\\logo.jpg");
}

#define COMPARE_STORED_FIELDS(a, b)                                                                \
    do {                                                                                           \
        QCOMPARE((a).X, (b).X);                                                                    \
        QCOMPARE((a).Y, (b).Y);                                                                    \
        QCOMPARE((a).Width, (b).Width);                                                            \
        QCOMPARE((a).Height, (b).Height);                                                          \
        QCOMPARE((a).KeepAspect, (b).KeepAspect);                                                  \
        QCOMPARE((a).Kind, (b).Kind);                                                              \
        QCOMPARE((a).Color, (b).Color);                                                            \
        QCOMPARE((a).Shape, (b).Shape);                                                            \
        QCOMPARE((a).TextAlign, (b).TextAlign);                                                    \
        QCOMPARE((a).OutlineColor, (b).OutlineColor);                                              \
        QCOMPARE((a).ShadowColor, (b).ShadowColor);                                                \
        QCOMPARE((a).Shadow, (b).Shadow);                                                          \
        QCOMPARE((a).Outline, (b).Outline);                                                        \
        QCOMPARE((a).ShadowDX, (b).ShadowDX);                                                      \
        QCOMPARE((a).ShadowDY, (b).ShadowDY);                                                      \
        QCOMPARE((a).Transparent, (b).Transparent);                                                \
        QCOMPARE((a).TransAuto, (b).TransAuto);                                                    \
        QCOMPARE((a).TransColor, (b).TransColor);                                                  \
        QCOMPARE((a).Rotation, (b).Rotation);                                                      \
        QCOMPARE((a).Text, (b).Text);                                                              \
        QCOMPARE((a).FontColor, (b).FontColor);                                                    \
        QCOMPARE((a).FontHeight, (b).FontHeight);                                                  \
        QCOMPARE((a).FontName, (b).FontName);                                                      \
        QCOMPARE((a).FontPitch, (b).FontPitch);                                                    \
        QCOMPARE((a).FontSize, (b).FontSize);                                                      \
        QCOMPARE((a).FontStyle, (b).FontStyle);                                                    \
    } while (false)

// A document with something in it, to see that a refused file changes nothing.
void fillOpenDocument(LabelDocument& doc) {
    fillText(doc.Objs[4]);
    fillFigure(doc.Objs[9]);
    doc.SelObj = 9;
    doc.Format.Across = 4;
    doc.Format.TypeName = QStringLiteral("offen");
    doc.BkgndMode = BkgndCover;
    doc.BkgndFile = QStringLiteral("bild.jpg");
    newdib(doc.BkgndPic, 3, 3, 24, nullptr, 0);
    doc.CurFileName = QStringLiteral("/irgendwo/offen.ett");
    doc.Zoom = 1.25;
}

struct Snapshot {
    QByteArray bytes;
    int selObj;
    QString curFileName;
    bool hasBackground;
    static Snapshot of(const LabelDocument& doc) {
        return {labelFileBytes(doc), doc.SelObj, doc.CurFileName, doc.BkgndPic.hasPicture()};
    }
    bool operator==(const Snapshot&) const = default;
};

ReadOutcome readBytes(const QByteArray& bytes, LabelDocument& doc, ScriptedPrompts& prompts,
                      PictureLoader& pictures, const QString& folder = QString()) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return readLabelFile(buffer, folder, doc, prompts, pictures);
}

bool writeFile(const QString& name, const QByteArray& bytes) {
    QFile f(name);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

const QString WrongIdText = QStringLiteral(
    "Es handelt sich nicht um eine Etikett im NOR-VEX Aufkleber-Werkbank 2.1-Format!");
} // namespace

class TestLabelFile : public QObject {
    Q_OBJECT
    QTemporaryDir tmp;

private slots:
    void initTestCase() {
        QVERIFY(tmp.isValid());
        initProgPath(tmp.filePath(QStringLiteral("prog")));
    }

    void emptyDocumentIs176Bytes() {
        LabelDocument doc;
        const QByteArray b = labelFileBytes(doc);
        QCOMPARE(b.size(), 176);
        QCOMPARE(b.left(31), QByteArray("NOR-VEX Aufkleber-Werkbank 2.0\0", 31));
        QCOMPARE(b.mid(31, 112), doc.Format.toBytes());
        QCOMPARE(getI32(b, 143), 210000);
        QCOMPARE(getI32(b, 147), 84330);
        QCOMPARE(getI32(b, 151), -1);
        QCOMPARE(b.at(155), '\0');
        QCOMPARE(getF64(b, 156), 1.0);
        QCOMPARE(getF64(b, 164), 208.0);
        QCOMPARE(getI32(b, 172), 10001);
    }

    void textRecordLayout_data() {
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("size");
        QTest::addColumn<qint64>("value");
        // Offsets from the record's start; text "abc", font name "Arial".
        QTest::newRow("slot") << 0 << 4 << qint64(5);
        QTest::newRow("X") << 4 << 4 << qint64(70001);
        QTest::newRow("Y") << 8 << 4 << qint64(-12);
        QTest::newRow("Width") << 12 << 4 << qint64(40000);
        QTest::newRow("Height") << 16 << 4 << qint64(9000);
        QTest::newRow("KeepAspect") << 20 << 1 << qint64(1);
        QTest::newRow("Kind") << 21 << 4 << qint64(2);
        QTest::newRow("Color") << 25 << 4 << qint64(0x0000FF);
        QTest::newRow("Shape") << 29 << 4 << qint64(4);
        QTest::newRow("TextAlign") << 33 << 4 << qint64(2);
        QTest::newRow("OutlineColor") << 37 << 4 << qint64(0x123456);
        QTest::newRow("ShadowColor") << 41 << 4 << qint64(0x808080);
        QTest::newRow("Shadow") << 45 << 1 << qint64(1);
        QTest::newRow("Outline") << 46 << 1 << qint64(0);
        QTest::newRow("ShadowDX") << 47 << 4 << qint64(-7);
        QTest::newRow("ShadowDY") << 51 << 4 << qint64(12);
        QTest::newRow("Transparent") << 55 << 1 << qint64(1);
        QTest::newRow("TransAuto") << 56 << 1 << qint64(0);
        QTest::newRow("TransColor") << 57 << 4 << qint64(77);
        QTest::newRow("Rotation") << 61 << 4 << qint64(1);
        QTest::newRow("Text a") << 65 << 1 << qint64('a');
        QTest::newRow("Text ends") << 68 << 1 << qint64(0);
        QTest::newRow("FontColor") << 69 << 4 << qint64(0x010203);
        QTest::newRow("FontHeight") << 73 << 4 << qint64(-27);
        QTest::newRow("FontName A") << 77 << 1 << qint64('A');
        QTest::newRow("FontName ends") << 82 << 1 << qint64(0);
        QTest::newRow("FontPitch") << 83 << 1 << qint64(2);
        QTest::newRow("FontSize") << 84 << 4 << qint64(20);
        QTest::newRow("FontStyle") << 88 << 1 << qint64(0x0B);
    }
    void textRecordLayout() {
        QFETCH(int, offset);
        QFETCH(int, size);
        QFETCH(qint64, value);
        LabelDocument doc;
        Tobs& o = doc.Objs[5];
        fillText(o);
        o.Text = QStringLiteral("abc");
        o.FontName = QStringLiteral("Arial");
        const QByteArray b = labelFileBytes(doc);
        QCOMPARE(b.size(), 176 + 89);
        QCOMPARE(getI32(b, b.size() - 4), 10001);
        const QByteArray rec = b.mid(172, 89);
        const qint64 got = size == 4 ? qint64(getI32(rec, offset)) : qint64(uchar(rec.at(offset)));
        QCOMPARE(got, value);
    }

    void headerLayout() {
        LabelDocument doc;
        doc.BkgndMode = BkgndTiles;
        doc.BkgndFile = QStringLiteral("Bäume.jpg");
        doc.Zoom = 1.5;
        doc.UnitsPerPixel = 138.5;
        const QByteArray b = labelFileBytes(doc);
        QCOMPARE(getI32(b, 151), 3);
        QCOMPARE(b.mid(155, 10), QByteArray("B\xE4ume.jpg\0", 10));
        QCOMPARE(getF64(b, 165), 1.5);
        QCOMPARE(getF64(b, 173), 138.5);
        QCOMPARE(b.size(), 176 + 9);
    }

    void everyFieldSurvives_data() {
        QTest::addColumn<int>("kind");
        QTest::newRow("figure") << int(KindFigure);
        QTest::newRow("text") << int(KindText);
        QTest::newRow("picture") << int(KindPicture);
    }
    void everyFieldSurvives() {
        QFETCH(int, kind);
        LabelDocument doc;
        doc.Format.MarginLeft = 7.25;
        doc.Format.MarginTop = 12.5;
        doc.Format.PitchX = 70.0;
        doc.Format.PitchY = 42.3;
        doc.Format.LabelWidth = 66.5;
        doc.Format.LabelHeight = 40.1;
        doc.Format.Across = 3;
        doc.Format.Down = 7;
        doc.Format.TypeName = QStringLiteral("Büro 70 × 42,3 – €");
        doc.computeWorkArea();
        doc.BkgndMode = BkgndFitInside;
        doc.BkgndFile = QStringLiteral("D:\\Bilder\\grün.jpg");
        doc.Zoom = 1.5;
        doc.UnitsPerPixel = 208.0 / 1.5;
        for (int slot : {1, 77, 10000}) {
            Tobs& o = doc.Objs[slot];
            kind == KindFigure ? fillFigure(o) : kind == KindText ? fillText(o) : fillPicture(o);
            o.X += slot;
        }
        const QString file = tmp.filePath(QStringLiteral("alles.ett"));
        ScriptedPrompts prompts;
        QVERIFY(Saveit(doc, file, prompts));
        QCOMPARE(doc.CurFileName, file);

        LabelDocument back;
        FakePictures pictures;
        QCOMPARE(readLabelFile(file, back, prompts, pictures), ReadOutcome::Complete);
        QCOMPARE(back.CurFileName, file);
        QCOMPARE(windowCaption(back.CurFileName),
                 QStringLiteral("NOR-VEX Aufkleber-Werkbank 2.1 - alles.ett"));
        QVERIFY(back.Format == doc.Format);
        QCOMPARE(back.WorkWidth, doc.WorkWidth);
        QCOMPARE(back.WorkHeight, doc.WorkHeight);
        QCOMPARE(back.BkgndMode, doc.BkgndMode);
        QCOMPARE(back.BkgndFile, doc.BkgndFile);
        QCOMPARE(back.Zoom, doc.Zoom);
        QCOMPARE(back.UnitsPerPixel, doc.UnitsPerPixel);
        for (int slot = 1; slot <= ObjectTable::MaxObjs; ++slot) {
            // A TransAuto picture takes its transparent colour from the picture read.
            Tobs& expected = doc.Objs[slot];
            const TDibRecord written = expected.Picture;
            expected.Picture = back.Objs[slot].Picture;
            settleTransColor(expected);
            expected.Picture = written;
            COMPARE_STORED_FIELDS(back.Objs[slot], expected);
        }
        // Neither file holds a picture: each name is reported once, however many
        // slots name it (the three picture slots share one).
        const int pictureNames = kind == KindPicture ? 1 : 0;
        QCOMPARE(prompts.shown.size(), 1 + pictureNames);
        QCOMPARE(prompts.shown[0].text,
                 QStringLiteral("Konnte Bild (D:\\Bilder\\grün.jpg) nicht Laden."));
        QCOMPARE(labelFileBytes(back), labelFileBytes(doc));
    }

    void characterZeroEndsAString() {
        LabelDocument doc;
        fillText(doc.Objs[2]);
        doc.Objs[2].Text = QStringLiteral("vorne") + QChar(0) + QStringLiteral("hinten");
        fillText(doc.Objs[3]);
        LabelDocument back;
        ScriptedPrompts prompts;
        FakePictures pictures;
        QCOMPARE(readBytes(labelFileBytes(doc), back, prompts, pictures), ReadOutcome::Complete);
        QCOMPARE(back.Objs[2].Text, QStringLiteral("vorne"));
        COMPARE_STORED_FIELDS(back.Objs[3], doc.Objs[3]);
    }

    void wrongIdentificationChangesNothing_data() {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray good = labelFileBytes(LabelDocument());
        for (int i = 0; i < 31; ++i) {
            QByteArray b = good;
            b[i] = char(b[i] ^ (i == 30 ? 0x01 : 0x20));
            QTest::addRow("byte %d", i) << b;
        }
        QTest::newRow("version 2.1") << QByteArray(good).replace("2.0", "2.1");
        QTest::newRow("shorter than the identification") << good.left(30);
        QTest::newRow("empty file") << QByteArray();
    }
    void wrongIdentificationChangesNothing() {
        QFETCH(QByteArray, bytes);
        LabelDocument doc;
        fillOpenDocument(doc);
        const Snapshot before = Snapshot::of(doc);
        ScriptedPrompts prompts;
        FakePictures pictures;
        QCOMPARE(readBytes(bytes, doc, prompts, pictures), ReadOutcome::Refused);
        QCOMPARE(prompts.shown.size(), 1);
        QCOMPARE(prompts.shown[0].text, WrongIdText);
        QCOMPARE(prompts.shown[0].caption, QStringLiteral("Dateikennung falsch"));
        QCOMPARE(prompts.shown[0].icon, Prompts::Icon::Information);
        QCOMPARE(prompts.shown[0].buttons, Prompts::Buttons::Ok);
        QVERIFY(Snapshot::of(doc) == before);
        QVERIFY(pictures.loads.isEmpty());
    }

    void damagedHeaderChangesNothing_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        const QByteArray good = labelFileBytes(LabelDocument()); // BkgndFile empty: Zoom at 156
        const QString view =
            QStringLiteral("Der Zoomfaktor oder der Maßstab der Ansicht ist ungültig.");
        const QString area = QStringLiteral("Die Arbeitsfläche hat eine unmögliche Größe.");
        const QString early = QStringLiteral("Sie endet schon im Dateikopf.");
        auto with = [&good](auto patch) {
            QByteArray b = good;
            patch(b);
            return b;
        };
        const double nan = std::numeric_limits<double>::quiet_NaN();
        const double inf = std::numeric_limits<double>::infinity();
        QTest::newRow("Zoom NaN") << with([&](QByteArray& b) { putF64(b, 156, nan); }) << view;
        QTest::newRow("Zoom 0") << with([](QByteArray& b) { putF64(b, 156, 0.0); }) << view;
        QTest::newRow("Zoom negative") << with([](QByteArray& b) { putF64(b, 156, -1.0); }) << view;
        QTest::newRow("Zoom huge") << with([](QByteArray& b) { putF64(b, 156, 1e12); }) << view;
        QTest::newRow("UnitsPerPixel inf")
            << with([&](QByteArray& b) { putF64(b, 164, inf); }) << view;
        QTest::newRow("UnitsPerPixel tiny")
            << with([](QByteArray& b) { putF64(b, 164, 1e-300); }) << view;
        QTest::newRow("WorkWidth -1") << with([](QByteArray& b) { putI32(b, 143, -1); }) << area;
        QTest::newRow("WorkHeight negative")
            << with([](QByteArray& b) { putI32(b, 147, -84330); }) << area;
        QTest::newRow("WorkWidth absurd")
            << with([](QByteArray& b) { putI32(b, 143, 2000000000); }) << area;
        QTest::newRow("LabelWidth NaN")
            << with([&](QByteArray& b) { putF64(b, 31 + 32, nan); })
            << QStringLiteral("Das Etikettenformat enthält ungültige Maße.");
        QTest::newRow("background name without its 0")
            << good.left(155) + QByteArray("hintergrund.jpg")
            << QStringLiteral("Der Name des Hintergrundbildes ist nicht abgeschlossen.");
        QTest::newRow("ends in the format") << good.left(100) << early;
        QTest::newRow("ends after the background name") << good.left(160) << early;
    }
    void damagedHeaderChangesNothing() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        LabelDocument doc;
        fillOpenDocument(doc);
        const Snapshot before = Snapshot::of(doc);
        ScriptedPrompts prompts;
        FakePictures pictures;
        QCOMPARE(readBytes(bytes, doc, prompts, pictures), ReadOutcome::Refused);
        QCOMPARE(prompts.shown.size(), 1);
        QCOMPARE(prompts.shown[0].text,
                 QStringLiteral("Die Datei ist beschädigt und wurde nicht geöffnet.\n") + reason);
        QCOMPARE(prompts.shown[0].caption, QStringLiteral("Fehler: Datei beschädigt"));
        QVERIFY(Snapshot::of(doc) == before);
    }

    void incompleteFileKeepsWhatWasRead_data() {
        QTest::addColumn<int>("cut"); // bytes cut off the end of a file with three records
        QTest::addColumn<int>("kept");
        QTest::newRow("end marker missing") << 4 << 3;
        QTest::newRow("end marker half") << 2 << 3;
        QTest::newRow("inside the last record") << 20 << 2;
        QTest::newRow("inside the last text") << 4 + 16 + 2 + 6 + 2 << 2; // within "Arial"
        QTest::newRow("only the header") << 4 + 3 * 89 << 0;
    }
    void incompleteFileKeepsWhatWasRead() {
        QFETCH(int, cut);
        QFETCH(int, kept);
        LabelDocument written;
        for (int slot : {2, 5, 8}) {
            fillText(written.Objs[slot]);
            written.Objs[slot].Text = QStringLiteral("abc");
            written.Objs[slot].FontName = QStringLiteral("Arial");
        }
        const QByteArray full = labelFileBytes(written);
        QCOMPARE(full.size(), 176 + 3 * 89);
        const QString file = tmp.filePath(QStringLiteral("kurz.ett"));
        QVERIFY(writeFile(file, full.chopped(cut)));

        LabelDocument doc;
        fillOpenDocument(doc);
        ScriptedPrompts prompts;
        FakePictures pictures;
        QCOMPARE(readLabelFile(file, doc, prompts, pictures), ReadOutcome::Incomplete);
        QCOMPARE(prompts.shown.size(), 1);
        QCOMPARE(prompts.shown[0].caption, QStringLiteral("Warnung: Datei unvollständig"));
        QCOMPARE(
            prompts.shown[0].text,
            QStringLiteral("Die Datei ist unvollständig, sie endet zu früh. Geladen wurde, "
                           "was bis dahin lesbar war; das Etikett hat jetzt keinen Dateinamen."));
        QCOMPARE(prompts.shown[0].icon, Prompts::Icon::Warning);
        // The open document was replaced, and a save cannot overwrite the damaged file.
        QVERIFY(doc.CurFileName.isEmpty());
        QCOMPARE(doc.SelObj, 0);
        QCOMPARE(doc.Objs[4].Kind, int(KindFree));
        int used = 0;
        for (int slot : {2, 5, 8}) {
            if (doc.Objs[slot].Kind == KindText) {
                ++used;
                COMPARE_STORED_FIELDS(doc.Objs[slot], written.Objs[slot]);
            }
        }
        QCOMPARE(used, kept);
    }

    void overlongTextIsDamage() {
        QByteArray b = emptyHeader() + recordBytes(1, KindText, "vorher");
        b += recordBytes(2, KindText, QByteArray(LabelFile::MaxStringBytes + 10, 'x'));
        b += endMarker();
        LabelDocument doc;
        ScriptedPrompts prompts;
        FakePictures pictures;
        QCOMPARE(readBytes(b, doc, prompts, pictures), ReadOutcome::Incomplete);
        QCOMPARE(prompts.shown.size(), 1);
        QCOMPARE(prompts.shown[0].caption, QStringLiteral("Warnung: Datei beschädigt"));
        QCOMPARE(doc.Objs[1].Text, QStringLiteral("vorher"));
        QCOMPARE(doc.Objs[2].Kind, int(KindFree));
    }

    void slotsInAnyOrderLaterRecordWins() {
        QByteArray b = emptyHeader();
        b += recordBytes(9, KindText, "erst", 1);
        b += recordBytes(3, KindFigure, "", 2);
        b += recordBytes(0, KindText, "Platz 0", 3);
        b += recordBytes(-70000, KindFigure, "negativ", 4);
        b += recordBytes(9, KindFigure, "sp\xE4ter", 5);
        b += recordBytes(10000, KindText, "oben", 6);
        b += recordBytes(20000, KindText, "nach dem Ende"); // a number above 10000 ends the list
        LabelDocument doc;
        ScriptedPrompts prompts;
        FakePictures pictures;
        QCOMPARE(readBytes(b, doc, prompts, pictures), ReadOutcome::Complete);
        QVERIFY(prompts.shown.isEmpty());
        QCOMPARE(doc.Objs[9].Kind, int(KindFigure));
        QCOMPARE(doc.Objs[9].X, 5);
        QCOMPARE(doc.Objs[9].Text, QStringLiteral("später"));
        QCOMPARE(doc.Objs[3].X, 2);
        QCOMPARE(doc.Objs[10000].Text, QStringLiteral("oben"));
        int used = 0;
        for (int slot = 1; slot <= ObjectTable::MaxObjs; ++slot)
            used += doc.Objs[slot].Kind > 0;
        QCOMPARE(used, 3);
    }

    void sheetFormatLimits_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("accepted");
        const QByteArray good = labelFileBytes(LabelDocument());
        auto with = [&good](int at, auto v) {
            QByteArray b = good;
            if constexpr (std::is_same_v<decltype(v), double>)
                putF64(b, 31 + at, v);
            else
                putI32(b, 31 + at, v);
            return b;
        };
        // Offsets in the format record: margins 0 and 8, pitches 16 and 24, size 32 and
        // 40, counts 48 and 52.
        QTest::newRow("label a billion mm wide") << with(32, 1e9) << false;
        QTest::newRow("label 0 x 0") << with(40, 0.0) << false;
        QTest::newRow("label just under 1 mm") << with(32, 0.999) << false;
        QTest::newRow("label 1 mm") << with(32, 1.0) << true;
        QTest::newRow("label 10000 mm high") << with(40, 10000.0) << true;
        QTest::newRow("label over 10000 mm high") << with(40, 10000.5) << false;
        QTest::newRow("pitch 0") << with(16, 0.0) << false;
        QTest::newRow("pitch negative") << with(24, -38.0) << false;
        QTest::newRow("pitch 10000 mm") << with(24, 10000.0) << true;
        QTest::newRow("pitch huge") << with(16, 1e300) << false;
        QTest::newRow("margin -10000 mm") << with(0, -10000.0) << true;
        QTest::newRow("margin 10000 mm") << with(8, 10000.0) << true;
        QTest::newRow("margin overflowing") << with(0, 3e9) << false;
        QTest::newRow("margin far negative") << with(8, -1e7) << false;
        QTest::newRow("margin infinite")
            << with(0, std::numeric_limits<double>::infinity()) << false;
        QTest::newRow("no labels across") << with(48, int32_t(0)) << false;
        QTest::newRow("negative down") << with(52, std::numeric_limits<int32_t>::min()) << false;
        QTest::newRow("1000 across") << with(48, int32_t(1000)) << true;
        QTest::newRow("1001 down") << with(52, int32_t(1001)) << false;
    }
    void sheetFormatLimits() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, accepted);
        LabelDocument doc;
        fillOpenDocument(doc);
        const Snapshot before = Snapshot::of(doc);
        ScriptedPrompts prompts;
        FakePictures pictures;
        const ReadOutcome outcome = readBytes(bytes, doc, prompts, pictures);
        if (accepted) {
            QCOMPARE(outcome, ReadOutcome::Complete);
            QVERIFY(prompts.shown.isEmpty());
            TLabelFormat stored;
            QVERIFY(TLabelFormat::fromBytes(bytes.mid(31, TLabelFormat::RecordSize), stored));
            QVERIFY(doc.Format == stored);
            return;
        }
        QCOMPARE(outcome, ReadOutcome::Refused);
        QCOMPARE(prompts.shown.size(), 1);
        QCOMPARE(prompts.shown[0].text,
                 QStringLiteral("Die Datei ist beschädigt und wurde nicht geöffnet.\n"
                                "Das Etikettenformat enthält ungültige Maße."));
        QVERIFY(Snapshot::of(doc) == before);
    }

    void picturesFoundBesideTheLabelFile_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("besideLabel");
        QTest::newRow("Windows path") << QStringLiteral("C:\\Alt\\Ordner\\bild.png") << true;
        QTest::newRow("other folder") << QStringLiteral("/nicht/da/bild.png") << true;
        QTest::newRow("mixed separators") << QStringLiteral("D:/alt\\bild.png") << true;
        QTest::newRow("found where stored") << QString() << false;
    }
    void picturesFoundBesideTheLabelFile() {
        QFETCH(QString, stored);
        QFETCH(bool, besideLabel);
        QTemporaryDir dir;
        QImage img(40, 20, QImage::Format_RGB32);
        img.fill(Qt::red);
        const QString real = dir.filePath(QStringLiteral("bild.png"));
        QVERIFY(img.save(real));
        if (stored.isEmpty())
            stored = real;

        LabelDocument written;
        written.BkgndMode = BkgndStretch;
        written.BkgndFile = stored;
        fillPicture(written.Objs[6]);
        written.Objs[6].Text = stored;
        written.Objs[6].Rotation = 0;
        const QString file = dir.filePath(QStringLiteral("etikett.ett"));
        ScriptedPrompts prompts;
        QVERIFY(Saveit(written, file, prompts));

        LabelDocument doc;
        FakePictures pictures;
        QCOMPARE(readLabelFile(file, doc, prompts, pictures), ReadOutcome::Complete);
        QVERIFY(prompts.shown.isEmpty());
        const QStringList expected =
            besideLabel ? QStringList{stored, real, stored, real} : QStringList{stored, stored};
        QCOMPARE(pictures.loads, expected);
        QCOMPARE(doc.BkgndPic.Image.size(), QSize(40, 20));
        QCOMPARE(doc.Objs[6].Picture.Image.size(), QSize(40, 20));
        // The stored names stay as they were.
        QCOMPARE(doc.BkgndFile, stored);
        QCOMPARE(doc.Objs[6].Text, stored);
    }

    void missingPictureIsReportedOnceAndKeepsTheObject() {
        LabelDocument written;
        written.BkgndMode = BkgndTiles;
        written.BkgndFile = QStringLiteral("C:\\weg\\hinten.jpg");
        fillPicture(written.Objs[2]);
        written.Objs[2].Text = QStringLiteral("C:\\weg\\vorne.jpg");
        written.Objs[2].Rotation = 1;
        fillPicture(written.Objs[1]);
        written.Objs[1].Text = QString();
        // A mode without a file name loads nothing.
        LabelDocument noName;
        noName.BkgndMode = BkgndStretch;
        const QString file = tmp.filePath(QStringLiteral("fehlt.ett"));
        ScriptedPrompts prompts;
        QVERIFY(Saveit(written, file, prompts));

        LabelDocument doc;
        FakePictures pictures;
        QCOMPARE(readLabelFile(file, doc, prompts, pictures), ReadOutcome::Complete);
        QCOMPARE(prompts.shown.size(), 3);
        QCOMPARE(prompts.shown[0].text,
                 QStringLiteral("Konnte Bild (C:\\weg\\hinten.jpg) nicht Laden."));
        QCOMPARE(prompts.shown[0].caption, QString());
        QCOMPARE(prompts.shown[0].icon, Prompts::Icon::Error);
        QCOMPARE(prompts.shown[1].text, QStringLiteral("Konnte Bild () nicht Laden."));
        QCOMPARE(prompts.shown[2].text,
                 QStringLiteral("Konnte Bild (C:\\weg\\vorne.jpg) nicht Laden."));
        QCOMPARE(doc.BkgndMode, int(BkgndTiles));
        QCOMPARE(doc.BkgndFile, written.BkgndFile);
        QCOMPARE(doc.Objs[2].Kind, int(KindPicture));
        QCOMPARE(doc.Objs[2].Picture.Image.size(), QSize(200, 320)); // the blank one, turned
        QCOMPARE(doc.CurFileName, file);

        prompts.shown.clear();
        pictures.loads.clear();
        QCOMPARE(readBytes(labelFileBytes(noName), doc, prompts, pictures), ReadOutcome::Complete);
        QVERIFY(pictures.loads.isEmpty());
        QVERIFY(!doc.BkgndPic.hasPicture());
        QCOMPARE(doc.BkgndMode, int(BkgndStretch));
    }

    void storedRotationIsReappliedWithStoredSize_data() {
        QTest::addColumn<int>("rotation");
        QTest::addColumn<QSize>("pictureSize");
        QTest::addColumn<QRgb>("topLeft");
        QTest::newRow("none") << 0 << QSize(40, 20) << qRgb(255, 0, 0);
        QTest::newRow("right") << 1 << QSize(20, 40) << qRgb(0, 0, 255);
        QTest::newRow("half") << 2 << QSize(40, 20) << qRgb(0, 255, 0);
        QTest::newRow("left") << 3 << QSize(20, 40) << qRgb(0, 255, 255);
    }
    void storedRotationIsReappliedWithStoredSize() {
        QFETCH(int, rotation);
        // Corners: top-left red, top-right cyan, bottom-left blue, bottom-right green.
        QImage img(40, 20, QImage::Format_RGB32);
        img.fill(Qt::white);
        img.setPixel(0, 0, qRgb(255, 0, 0));
        img.setPixel(39, 0, qRgb(0, 255, 255));
        img.setPixel(0, 19, qRgb(0, 0, 255));
        img.setPixel(39, 19, qRgb(0, 255, 0));
        QTemporaryDir dir;
        const QString pic = dir.filePath(QStringLiteral("ecken.png"));
        QVERIFY(img.save(pic));
        LabelDocument written;
        fillPicture(written.Objs[3]);
        written.Objs[3].Text = pic;
        written.Objs[3].Rotation = rotation;
        written.Objs[3].Width = 12345;
        written.Objs[3].Height = 6789;
        LabelDocument doc;
        ScriptedPrompts prompts;
        FakePictures pictures;
        QCOMPARE(readBytes(labelFileBytes(written), doc, prompts, pictures), ReadOutcome::Complete);
        QCOMPARE(pictures.rotations, QList<int>{rotation});
        QTEST(doc.Objs[3].Picture.Image.size(), "pictureSize");
        QTEST(doc.Objs[3].Picture.Image.pixel(0, 0), "topLeft");
        QCOMPARE(doc.Objs[3].Width, 12345);
        QCOMPARE(doc.Objs[3].Height, 6789);
    }

    void saveFailureKeepsEverything() {
        LabelDocument doc;
        fillText(doc.Objs[1]);
        doc.CurFileName = QStringLiteral("alt.ett");
        ScriptedPrompts prompts;
        QVERIFY(!Saveit(doc, tmp.filePath(QStringLiteral("gibtsnicht/x.ett")), prompts));
        QCOMPARE(prompts.shown.size(), 1);
        QCOMPARE(prompts.shown[0].text,
                 QStringLiteral("Beim Erstellen der Datei ist ein Fehler aufgetreten!"));
        QCOMPARE(prompts.shown[0].caption,
                 QStringLiteral("Fehler: Datei konnte nicht erstellt werden"));
        QCOMPARE(prompts.shown[0].icon, Prompts::Icon::Information);
        QCOMPARE(doc.CurFileName, QStringLiteral("alt.ett"));
    }

    void saveReplacesTheWholeFileAtOnce() {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("e.ett"));
        QVERIFY(writeFile(file, QByteArray(5000, 'x')));
        LabelDocument doc;
        ScriptedPrompts prompts;
        QVERIFY(Saveit(doc, file, prompts));
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), labelFileBytes(doc));
        // No temporary file is left beside it.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("e.ett")});
    }

    // A file in a folder that takes no new file (another user's shared folder) is
    // written in place; where the folder allows it, the file is replaced at once.
    // Root passes every permission check, so as root the save runs with the rights
    // of the user "nobody".
    void saveWhereTheFolderTakesNoNewFile_data() {
        QTest::addColumn<bool>("folderOpen");
        QTest::addColumn<bool>("fileWritable");
        QTest::addColumn<bool>("saved");
        QTest::newRow("folder open: replaced at once") << true << true << true;
        QTest::newRow("folder closed, file writable: in place") << false << true << true;
        QTest::newRow("folder and file closed") << false << false << false;
    }
    void saveWhereTheFolderTakesNoNewFile() {
        QFETCH(bool, folderOpen);
        QFETCH(bool, fileWritable);
        QFETCH(bool, saved);
        QTemporaryDir base(QDir::tempPath() + QStringLiteral("/awb-XXXXXX"));
        const QString folder = base.filePath(QStringLiteral("geteilt"));
        const QString file = folder + QStringLiteral("/e.ett");
        QVERIFY(QDir().mkpath(folder) && writeFile(file, "alt"));
        using P = QFile::Permission;
        const QFile::Permissions read = P::ReadOwner | P::ReadGroup | P::ReadOther;
        const QFile::Permissions write = P::WriteOwner | P::WriteGroup | P::WriteOther;
        const QFile::Permissions enter = P::ExeOwner | P::ExeGroup | P::ExeOther;
        QVERIFY(QFile::setPermissions(base.path(), read | enter | P::WriteOwner));
        QVERIFY(QFile::setPermissions(file, fileWritable ? read | write : read));
        QVERIFY(QFile::setPermissions(folder, folderOpen ? read | write | enter : read | enter));
        struct stat before {};
        QCOMPARE(stat(QFile::encodeName(file).constData(), &before), 0);

        LabelDocument doc;
        fillText(doc.Objs[1]);
        ScriptedPrompts prompts;
        bool result = false;
        {
            const bool root = geteuid() == 0;
            if (root && seteuid(65534) != 0)
                QSKIP("cannot take the rights of the user nobody");
            result = Saveit(doc, file, prompts);
            if (root && seteuid(0) != 0)
                qFatal("cannot return to the rights of root");
        }
        QVERIFY(QFile::setPermissions(folder, read | write | enter));
        QCOMPARE(result, saved);
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), saved ? labelFileBytes(doc) : QByteArray("alt"));
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("e.ett")});
        if (saved) {
            struct stat after {};
            QCOMPARE(stat(QFile::encodeName(file).constData(), &after), 0);
            QCOMPARE(after.st_ino == before.st_ino, !folderOpen);
            QVERIFY(prompts.shown.isEmpty());
        } else {
            QCOMPARE(prompts.shown.size(), 1);
            QCOMPARE(prompts.shown[0].text,
                     QStringLiteral("Beim Erstellen der Datei ist ein Fehler aufgetreten!"));
        }
    }

    // Names outside Windows-1252 come back as '?': the save warns once and names them.
    void saveWarnsOfPictureNamesTheFileCannotHold() {
        LabelDocument doc;
        const QString lost = QStringLiteral("/home/łukasz/bild.png");
        const QString kept = QStringLiteral("C:\\Bilder\\Grüße.jpg");
        for (int slot : {2, 3, 4}) {
            doc.Objs[slot].Kind = KindPicture;
            doc.Objs[slot].Text = slot == 3 ? kept : lost;
        }
        doc.BkgndMode = BkgndStretch;
        doc.BkgndFile = QStringLiteral("/tmp/背景.png");
        ScriptedPrompts prompts;
        QVERIFY(Saveit(doc, tmp.filePath(QStringLiteral("namen.ett")), prompts));
        QCOMPARE(prompts.shown.size(), 1);
        const QString text = prompts.shown[0].text;
        QVERIFY(text.endsWith(QStringLiteral(":\n/tmp/背景.png\n") + lost));
        QVERIFY(!text.contains(kept));
        QCOMPARE(prompts.shown[0].caption, QStringLiteral("Warnung: Bildname nicht speicherbar"));
        QCOMPARE(prompts.shown[0].icon, Prompts::Icon::Warning);
    }

    void cannotOpenChangesNothing() {
        LabelDocument doc;
        fillOpenDocument(doc);
        const Snapshot before = Snapshot::of(doc);
        ScriptedPrompts prompts;
        FakePictures pictures;
        QCOMPARE(
            readLabelFile(tmp.filePath(QStringLiteral("nicht-da.ett")), doc, prompts, pictures),
            ReadOutcome::Refused);
        QCOMPARE(prompts.shown.size(), 1);
        QCOMPARE(prompts.shown[0].text,
                 QStringLiteral("Beim Öffnen der Datei ist ein Fehler aufgetreten!"));
        QCOMPARE(prompts.shown[0].caption,
                 QStringLiteral("Fehler: Datei konnte nicht geöffnet werden"));
        QCOMPARE(prompts.shown[0].icon, Prompts::Icon::Information);
        QVERIFY(Snapshot::of(doc) == before);
    }

    void openAsksAboutSavingFirst_data() {
        QTest::addColumn<bool>("objectInUse");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("saveResult");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("saved");
        QTest::addColumn<bool>("opened");
        using A = Prompts::Answer;
        QTest::newRow("nothing in use")
            << false << int(A::Cancel) << true << false << false << true;
        QTest::newRow("cancel") << true << int(A::Cancel) << true << true << false << false;
        QTest::newRow("no") << true << int(A::No) << true << true << false << true;
        QTest::newRow("yes, saved") << true << int(A::Yes) << true << true << true << true;
        QTest::newRow("yes, not saved") << true << int(A::Yes) << false << true << true << false;
    }
    void openAsksAboutSavingFirst() {
        QFETCH(bool, objectInUse);
        QFETCH(int, answer);
        QFETCH(bool, saveResult);
        LabelDocument other;
        fillFigure(other.Objs[42]);
        const QString file = tmp.filePath(QStringLiteral("andere.ett"));
        ScriptedPrompts prompts;
        QVERIFY(Saveit(other, file, prompts));

        LabelDocument doc;
        if (objectInUse)
            fillText(doc.Objs[1]);
        prompts.answers.enqueue(Prompts::Answer(answer));
        bool saved = false;
        FakePictures pictures;
        const bool opened = OpenItNow(doc, file, prompts, pictures, [&] {
            saved = true;
            return saveResult;
        });
        QTEST(opened, "opened");
        QTEST(saved, "saved");
        QFETCH(bool, asked);
        QCOMPARE(prompts.shown.size(), asked ? 1 : 0);
        if (asked) {
            QCOMPARE(prompts.shown[0].text, QStringLiteral("Wollen Sie vorher speichern?"));
            QCOMPARE(prompts.shown[0].caption, QStringLiteral("Etikett öffnen"));
            QCOMPARE(prompts.shown[0].buttons, Prompts::Buttons::YesNoCancel);
            QCOMPARE(prompts.shown[0].icon, Prompts::Icon::Question);
        }
        QCOMPARE(doc.Objs[42].Kind, opened ? int(KindFigure) : int(KindFree));
        QCOMPARE(doc.Objs[1].Kind, opened || !objectInUse ? int(KindFree) : int(KindText));
    }

    void openCommandUsesTheProgramFolder() {
        LabelDocument doc;
        ScriptedPrompts prompts;
        FakePictures pictures;
        QVERIFY(!openLabelFile(doc, prompts, pictures, {}));
        QCOMPARE(prompts.fileRequests.size(), 1);
        QCOMPARE(prompts.fileRequests[0].folder, ProgPath());
        QCOMPARE(prompts.fileRequests[0].filters, QStringList{QStringLiteral("Etiketten (*.ett)")});
    }

    void saveAsAsksBeforeReplacing_data() {
        QTest::addColumn<bool>("exists");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("written");
        QTest::newRow("new file") << false << int(Prompts::Answer::No) << true;
        QTest::newRow("replace yes") << true << int(Prompts::Answer::Yes) << true;
        QTest::newRow("replace no") << true << int(Prompts::Answer::No) << false;
    }
    void saveAsAsksBeforeReplacing() {
        QFETCH(bool, exists);
        QFETCH(int, answer);
        QFETCH(bool, written);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("neu.ett"));
        if (exists)
            QVERIFY(writeFile(file, "alt"));
        LabelDocument doc;
        ScriptedPrompts prompts;
        prompts.fileNames.enqueue(file);
        prompts.answers.enqueue(Prompts::Answer(answer));
        Prompts::FileRequest dialog = labelFileDialog();
        QCOMPARE(dialog.defaultSuffix, QStringLiteral("ett"));
        QCOMPARE(saveLabelFileAs(doc, prompts, dialog), written);
        QCOMPARE(prompts.shown.size(), exists ? 1 : 0);
        if (exists) {
            QCOMPARE(prompts.shown[0].text,
                     QStringLiteral("Die Datei existiert schon, soll Sie überschrieben werden?"));
            QCOMPARE(prompts.shown[0].caption, QStringLiteral("Vorhandene Datei Überschreiben?"));
            QCOMPARE(prompts.shown[0].buttons, Prompts::Buttons::YesNo);
            QCOMPARE(prompts.shown[0].icon, Prompts::Icon::Question);
        }
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.size(), written ? 176 : 3);
        QCOMPARE(doc.CurFileName, written ? file : QString());
    }

    void saveUsesTheCurrentNameOrAsks() {
        QTemporaryDir dir;
        LabelDocument doc;
        ScriptedPrompts prompts;
        Prompts::FileRequest dialog = labelFileDialog();
        QVERIFY(!saveLabelFile(doc, prompts, dialog)); // no name, dialog cancelled
        QCOMPARE(prompts.fileRequests.size(), 1);
        doc.CurFileName = dir.filePath(QStringLiteral("da.ett"));
        QVERIFY(saveLabelFile(doc, prompts, dialog));
        QCOMPARE(prompts.fileRequests.size(), 1);
        QVERIFY(QFileInfo::exists(doc.CurFileName));
    }
};

QTEST_MAIN(TestLabelFile)
#include "tst_labelfile.moc"
