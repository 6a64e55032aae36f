#include "document/labelfile.h"
#include "document/progpath.h"
#include "merge/mergerecord.h"
#include "render/drawvcart.h"
#include "render/fieldpicture.h"
#include "render/picload.h"
#include "render/picturefileloader.h"
#include "render/picturestore.h"
#include "scriptedprompts.h"

#include <QDateTime>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

QString savePicture(const QTemporaryDir& dir, const QString& name, QRgb colour, int w = 40,
                    int h = 20) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(colour);
    const QString file = dir.filePath(name);
    return img.save(file, "PNG") ? file : QString();
}

bool sharePixels(const TDibRecord& a, const TDibRecord& b) {
    return a.hasPicture() && a.Image.constBits() == b.Image.constBits();
}

void placePicture(Tobs& o, const QString& name) {
    o.Kind = KindPicture;
    o.Text = name;
    o.X = 20000;
    o.Y = 20000;
    o.Width = 4000;
    o.Height = 2000;
}

} // namespace

class TestPictureStore : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    // One decode per file, turn and file time; every record asking shares it.
    void picturesAreShared() {
        PictureStore store;
        const QString file = savePicture(dir, QStringLiteral("rot.png"), qRgb(255, 0, 0));
        TDibRecord a, b, turnedA, turnedB;
        QCOMPARE(store.load(a, file), PictureLoad::Loaded);
        QCOMPARE(store.load(b, file), PictureLoad::Loaded);
        QVERIFY(sharePixels(a, b));
        QCOMPARE(store.load(turnedA, file, 1), PictureLoad::Loaded);
        QCOMPARE(store.load(turnedB, file, 1), PictureLoad::Loaded);
        QCOMPARE(turnedA.Image.size(), QSize(20, 40));
        QVERIFY(sharePixels(turnedA, turnedB));
        QVERIFY(!sharePixels(a, turnedA));
        // Drawing into one record leaves the others as they were.
        setpixel(b, 0, 0, 0xFF0000);
        QCOMPARE(a.Image.pixel(0, 0), qRgb(255, 0, 0));

        // A file written anew is another picture.
        QVERIFY(!savePicture(dir, QStringLiteral("rot.png"), qRgb(0, 0, 255)).isEmpty());
        QFile touched(file);
        QVERIFY(touched.open(QIODevice::ReadWrite));
        QVERIFY(touched.setFileTime(QDateTime::currentDateTime().addSecs(60),
                                    QFileDevice::FileModificationTime));
        touched.close();
        TDibRecord c;
        QCOMPARE(store.load(c, file), PictureLoad::Loaded);
        QCOMPARE(c.Image.pixel(0, 0), qRgb(0, 0, 255));
    }

    // Every failure gets the one blank, turned like the picture would be.
    void failuresShareOneBlank() {
        PictureStore store;
        TDibRecord a, b, turned, folder;
        QCOMPARE(store.load(a, dir.filePath(QStringLiteral("fehlt.png"))), PictureLoad::Failed);
        QCOMPARE(store.load(b, dir.filePath(QStringLiteral("fehlt auch.png"))),
                 PictureLoad::Failed);
        QCOMPARE(store.load(folder, dir.path()), PictureLoad::Failed);
        QCOMPARE(a.Image.size(), QSize(320, 200));
        QCOMPARE(a.BitsPerPixel, 24);
        QVERIFY(sharePixels(a, b));
        QVERIFY(sharePixels(a, folder));
        QCOMPARE(store.load(turned, dir.filePath(QStringLiteral("fehlt.png")), 3),
                 PictureLoad::Failed);
        QCOMPARE(turned.Image.size(), QSize(200, 320));
        QCOMPARE(store.bytesHeld(), 0);
    }

    // Beyond the budget pictures are refused; pictures no record uses free their room.
    void budget() {
        const QString red = savePicture(dir, QStringLiteral("a.png"), qRgb(255, 0, 0));
        const QString blue = savePicture(dir, QStringLiteral("b.png"), qRgb(0, 0, 255));
        PictureStore store(40 * 20 * 4);
        TDibRecord a, b;
        QCOMPARE(store.load(a, red), PictureLoad::Loaded);
        QCOMPARE(store.load(b, blue), PictureLoad::OverBudget);
        QCOMPARE(b.Image.size(), QSize(320, 200));
        QCOMPARE(store.load(b, red), PictureLoad::Loaded); // shared: costs nothing more
        a = TDibRecord();
        b = TDibRecord();
        QCOMPARE(store.load(b, blue), PictureLoad::Loaded);
        QCOMPARE(store.bytesHeld(), 40 * 20 * 4);
    }

    // Opening a label: a missing name is reported once however many slots name it,
    // ten names at most, and the full budget once.
    void labelOpenReportsOnce() {
        const QString red = savePicture(dir, QStringLiteral("voll1.png"), qRgb(255, 0, 0));
        const QString blue = savePicture(dir, QStringLiteral("voll2.png"), qRgb(0, 0, 255));
        const QString green = savePicture(dir, QStringLiteral("voll3.png"), qRgb(0, 255, 0));
        auto written = std::make_unique<LabelDocument>();
        const QStringList names{QStringLiteral("C:\\weg\\fehlt.jpg"), red, blue, green};
        for (int slot = 1; slot <= 40; ++slot)
            placePicture(written->Objs[slot], names[slot % 4]);
        for (int slot = 41; slot <= 60; ++slot)
            placePicture(written->Objs[slot], QStringLiteral("C:\\weg\\%1.jpg").arg(slot));
        const QString file = dir.filePath(QStringLiteral("viele.ett"));
        ScriptedPrompts prompts;
        QVERIFY(Saveit(*written, file, prompts));

        PictureStore store(40 * 20 * 4);
        PictureFileLoader loader({}, &store);
        auto doc = std::make_unique<LabelDocument>();
        QCOMPARE(readLabelFile(file, *doc, prompts, loader), ReadOutcome::Complete);
        QStringList texts;
        for (const ScriptedPrompts::Shown& s : prompts.shown)
            texts << s.text;
        QCOMPARE(texts.size(), 12);
        QCOMPARE(texts[0], pictureBudgetMessage(blue));
        QCOMPARE(texts[1], QStringLiteral("Konnte Bild (C:\\weg\\fehlt.jpg) nicht Laden."));
        QCOMPARE(texts[2], QStringLiteral("Konnte Bild (C:\\weg\\41.jpg) nicht Laden."));
        QCOMPARE(texts[10], QStringLiteral("Konnte Bild (C:\\weg\\49.jpg) nicht Laden."));
        QCOMPARE(texts[11], QStringLiteral("Weitere Bilder konnten nicht geladen werden; an ihrer "
                                           "Stelle steht ein leeres Bild."));
        QCOMPARE(prompts.shown[1].icon, Prompts::Icon::Error);
        QVERIFY(sharePixels(doc->Objs[1].Picture, doc->Objs[5].Picture));
        QCOMPARE(doc->Objs[1].Picture.Image.pixel(0, 0), qRgb(255, 0, 0));
        QCOMPARE(doc->Objs[2].Picture.Image.size(), QSize(320, 200));
        QVERIFY(sharePixels(doc->Objs[2].Picture, doc->Objs[60].Picture));
    }

    // Slots sharing a picture put it into a PDF once.
    void pdfEmbedsSharedPictureOnce() {
        const QString photo =
            savePicture(dir, QStringLiteral("foto.png"), qRgb(10, 150, 90), 64, 48);
        const QString other = savePicture(dir, QStringLiteral("anders.png"), qRgb(90, 10, 150));
        auto doc = std::make_unique<LabelDocument>();
        doc->Output.OutputMode = 1;
        doc->Output.OutputScale = 1.0;
        for (int slot = 1; slot <= 50; ++slot) {
            Tobs& o = doc->Objs[slot];
            o.Kind = KindPicture;
            o.X = 400 + (slot % 10) * 30;
            o.Y = 400 + (slot / 10) * 30;
            o.Width = 25;
            o.Height = 20;
            QVERIFY(LoadDIBit(o.Picture, slot == 50 ? other : photo));
        }
        const QString pdf = dir.filePath(QStringLiteral("etikett.pdf"));
        {
            QPdfWriter writer(pdf);
            writer.setResolution(300);
            QPainter p(&writer);
            DrawVCart(p, *doc, 400, 400, 400, 400, 1.0, false, 0);
        }
        QFile f(pdf);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll().count("/Subtype /Image"), 2);
    }

    // A picture name with fields for one row: relative to the label's folder, beside
    // the label when the named folder is gone, no picture for empty fields.
    void rowPictureNames_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("saved");
        QTest::addColumn<QString>("value"); // of column A; null: no row
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("path"); // @ stands for the label's folder
        using S = RowPictureName::State;
        QTest::newRow("Unterordner")
            << QStringLiteral("produkte/%%a%%.png") << true << QStringLiteral("x") << int(S::File)
            << QStringLiteral("@/produkte/x.png");
        QTest::newRow("Ordner fehlt, Datei neben dem Etikett")
            << QStringLiteral("/nicht/da/%%A%%.png") << true << QStringLiteral("neben")
            << int(S::File) << QStringLiteral("@/neben.png");
        QTest::newRow("leeres Feld") << QStringLiteral("%%A%%.png") << true << QStringLiteral(" ")
                                     << int(S::NoValue) << QString();
        QTest::newRow("unbekanntes Feld") << QStringLiteral("%%B%%.png") << true
                                          << QStringLiteral("x") << int(S::Unresolved) << QString();
        QTest::newRow("ohne Datenzeile")
            << QStringLiteral("%%A%%.png") << true << QString() << int(S::Unresolved) << QString();
        QTest::newRow("Nummer ohne Datenzeile")
            << QStringLiteral("n%%NUMMER%%.png") << true << QString() << int(S::File)
            << QStringLiteral("@/n7.png");
        QTest::newRow("ungespeichert: Programmordner")
            << QStringLiteral("%%A%%.png") << false << QStringLiteral("x") << int(S::File)
            << ProgPath() + QStringLiteral("x.png");
    }
    void rowPictureNames() {
        QFETCH(QString, name);
        QFETCH(bool, saved);
        QFETCH(QString, value);
        QFETCH(int, state);
        QFETCH(QString, path);
        QVERIFY(!savePicture(dir, QStringLiteral("neben.png"), qRgb(1, 2, 3)).isEmpty());
        const MergeColumns columns({QStringLiteral("A")});
        const MergeRecord record{&columns, {value}};
        const RowPictureName file =
            rowPictureName(name, saved ? dir.filePath(QStringLiteral("etikett.ett")) : QString(), 7,
                           value.isNull() ? nullptr : &record);
        QCOMPARE(int(file.state), state);
        QCOMPARE(file.path, QString(path).replace(QLatin1Char('@'), dir.path()));
    }

    // Each label of a run takes the picture its row names through the shared store,
    // which lets it go again: however many rows, the store stays within its budget
    // and no row is left without its picture. A label file naming such a picture
    // neither loads nor reports it.
    void rowPicturesStayWithinBudget() {
        QTemporaryDir pictures;
        const int rows = 300;
        const auto colour = [](int i) { return qRgb(i % 256, 40 + i / 256 * 100, 200); };
        for (int i = 0; i < rows; ++i)
            QVERIFY(!savePicture(pictures, QStringLiteral("p%1.png").arg(i), colour(i), 100, 100)
                         .isEmpty());
        const QString file = pictures.filePath(QStringLiteral("etikett.ett"));
        {
            auto written = std::make_unique<LabelDocument>();
            Tobs& o = written->Objs[1];
            placePicture(o, QStringLiteral("p%%Nr%%.png"));
            o.X = o.Y = 200;
            o.Width = o.Height = 100;
            ScriptedPrompts prompts;
            QVERIFY(Saveit(*written, file, prompts));
        }
        PictureStore& store = PictureStore::shared();
        store.clear();
        const qint64 budget = store.budget();
        store.setBudget(5 * 100 * 100 * 4); // five of the pictures
        auto doc = std::make_unique<LabelDocument>();
        ScriptedPrompts prompts;
        PictureFileLoader loader;
        QCOMPARE(readLabelFile(file, *doc, prompts, loader), ReadOutcome::Complete);
        QCOMPARE(prompts.shown.size(), 0);
        QVERIFY(!doc->Objs[1].Picture.hasPicture());
        QCOMPARE(store.bytesHeld(), 0);

        doc->Output.OutputMode = 1;
        doc->Output.OutputScale = 1.0;
        const MergeColumns columns({QStringLiteral("Nr")});
        MergeRecord record{&columns, {}};
        qint64 most = 0;
        for (int i = 0; i < rows; ++i) {
            record.values = QStringList{QString::number(i)};
            QImage label(200, 200, QImage::Format_RGB32);
            label.fill(Qt::white);
            QPainter p(&label);
            DrawVCart(p, *doc, 200, 200, 200, 200, 1.0, false, i, &record);
            p.end();
            QCOMPARE(label.pixel(10, 10), colour(i));
            most = std::max(most, store.bytesHeld());
        }
        QVERIFY2(most <= store.budget(), qPrintable(QString::number(most)));
        store.setBudget(budget);
        store.clear();
    }
};

QTEST_MAIN(TestPictureStore)
#include "tst_picturestore.moc"
