#include "app/editmenu.h"
#include "app/mainmenu.h"
#include "app/sdiappform.h"
#include "document/labelfile.h"
#include "document/objectpayload.h"
#include "document/progpath.h"
#include "document/settingsstore.h"
#include "editor/editorpage.h"
#include "editor/paintbox.h"
#include "editor/pastedpicture.h"
#include "render/picload.h"
#include "scriptedprompts.h"
#include "wizard/wizardpage.h"

#include <QAction>
#include <QBuffer>
#include <QClipboard>
#include <QLineEdit>
#include <QMimeData>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

namespace {
struct Window {
    ScriptedPrompts prompts;
    TSDIAppForm w{prompts};
    LabelDocument& doc() { return w.Doc; }
    EditorPage& editor() { return *w.EditorPg; }
    QAction* edit(const char* key) { return w.Edit->action(QLatin1String(key)); }
    bool show() {
        w.show();
        w.Pages->setCurrentWidget(w.EditorPg);
        return QTest::qWaitForWindowActive(&w);
    }
};

Tobs& placeFigure(LabelDocument& doc, int slot, int32_t x, int32_t y) {
    Tobs& o = doc.Objs[slot];
    o.Kind = KindFigure;
    o.X = x;
    o.Y = y;
    o.Width = 8000;
    o.Height = 5000;
    o.Shape = 0;
    o.Color = 0x0000FF;
    return o;
}

QByteArray recordOf(const Tobs& o) {
    return objectRecordBytes(0, o);
}

// A PNG that claims a picture far larger than any allowed, without pixels.
QByteArray hugePngHeader() {
    QImage tiny(1, 1, QImage::Format_RGB32);
    tiny.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    tiny.save(&buffer, "PNG");
    // Width and height of IHDR lie at bytes 16 and 20; its CRC over type and data
    // (bytes 12 to 28) follows at 29.
    qToBigEndian<quint32>(200000, png.data() + 16);
    qToBigEndian<quint32>(200000, png.data() + 20);
    quint32 crc = 0xFFFFFFFFu;
    for (int i = 12; i < 29; ++i) {
        crc ^= uchar(png[i]);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    qToBigEndian<quint32>(crc ^ 0xFFFFFFFFu, png.data() + 29);
    return png;
}

const int32_t TwoMm = 1574; // 2 mm in document units, truncated
} // namespace

class TestClipboard : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString pictureFile;

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QDir(pastedPicturesFolder()).removeRecursively();
        SettingsStore::setOverridePath(dir.filePath(QStringLiteral("settings.ini")));
        initProgPath(dir.path());
        QImage image(4, 3, QImage::Format_RGB32);
        image.fill(qRgb(0, 128, 255));
        image.setPixel(0, 0, qRgb(255, 0, 0));
        QDir().mkpath(dir.filePath(QStringLiteral("ablage")));
        pictureFile = dir.filePath(QStringLiteral("ablage/bild.png"));
        QVERIFY(image.save(pictureFile));
    }

    // Copy and paste of each kind: the same record, on top, cascading by 2 mm while
    // an object of the kind sits where it would land; one step each.
    void copyPasteCascades_data() {
        QTest::addColumn<int>("kind");
        QTest::newRow("figure") << int(KindFigure);
        QTest::newRow("text") << int(KindText);
        QTest::newRow("picture") << int(KindPicture);
    }
    void copyPasteCascades() {
        QFETCH(int, kind);
        Window win;
        LabelDocument& doc = win.doc();
        Tobs& o = placeFigure(doc, 5, 70000, 40000);
        o.Kind = kind;
        if (kind == KindText) {
            o.Text = QStringLiteral("Zwei\rZeilen");
            o.FontName = QStringLiteral("Arial");
            o.FontSize = 14;
        } else if (kind == KindPicture) {
            o.Text = pictureFile;
            QVERIFY(LoadDIBit(o.Picture, pictureFile));
        }
        placeFigure(doc, 9, 1000, 1000); // slot 10 is the one above every used slot
        doc.SelObj = 5;
        win.edit("Kopieren1")->trigger();
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        QVERIFY(data->hasFormat(QLatin1String(ObjectPayload::MimeType)));
        QVERIFY(data->hasImage());
        QCOMPARE(data->hasText(), kind == KindText);
        if (kind == KindText)
            QCOMPARE(data->text(), QStringLiteral("Zwei\nZeilen"));

        win.edit("Einfuegen1")->trigger();
        win.edit("Einfuegen1")->trigger();
        QCOMPARE(doc.Undo.count(), 2);
        QCOMPARE(doc.Undo.undoText(), QStringLiteral("Einfügen"));
        QCOMPARE(doc.SelObj, 11);
        for (int i = 1; i <= 2; ++i) {
            Tobs expected = doc.Objs[5];
            expected.X += i * TwoMm;
            expected.Y += i * TwoMm;
            QCOMPARE(recordOf(doc.Objs[9 + i]), recordOf(expected));
        }
        if (kind == KindPicture)
            QCOMPARE(doc.Objs[10].Picture.Image, doc.Objs[5].Picture.Image);
        win.edit("Rueckgaengig1")->trigger();
        QCOMPARE(doc.Objs[11].Kind, int(KindFree));
        QCOMPARE(doc.SelObj, 10);
    }

    // Duplicate needs no clipboard; with slot 10000 taken the copy goes to the lowest
    // free slot; with every slot taken the known message comes.
    void duplicateAndFullTable() {
        Window win;
        LabelDocument& doc = win.doc();
        placeFigure(doc, 1, 5000, 5000);
        placeFigure(doc, 10000, 9000, 9000);
        doc.SelObj = 10000;
        win.edit("Duplizieren1")->trigger();
        QCOMPARE(doc.SelObj, 2);
        QCOMPARE(doc.Objs[2].X, 9000 + TwoMm);
        QCOMPARE(doc.Undo.undoText(), QStringLiteral("Duplizieren"));
        for (int i = 1; i <= ObjectTable::MaxObjs; ++i)
            doc.Objs[i].Kind = KindFigure;
        win.edit("Duplizieren1")->trigger();
        QCOMPARE(win.prompts.shown.size(), 1);
        QCOMPARE(win.prompts.shown[0].caption, QStringLiteral("Fehler: Kein freies Objekt mehr"));
        QCOMPARE(doc.Undo.count(), 1);
    }

    // Cut asks nothing and is one step.
    void cutIsOneStep() {
        Window win;
        LabelDocument& doc = win.doc();
        placeFigure(doc, 3, 5000, 5000);
        doc.SelObj = 3;
        win.edit("Ausschneiden1")->trigger();
        QVERIFY(win.prompts.shown.isEmpty());
        QCOMPARE(doc.Objs[3].Kind, int(KindFree));
        QCOMPARE(doc.SelObj, 0);
        win.edit("Einfuegen1")->trigger();
        // An empty label again: slot 1, at the same place.
        QCOMPARE(doc.Objs[1].X, 5000);
        win.edit("Rueckgaengig1")->trigger();
        win.edit("Rueckgaengig1")->trigger();
        QCOMPARE(doc.Objs[3].Kind, int(KindFigure));
    }

    // A damaged or foreign payload of the own type is refused with a message and
    // changes nothing; nothing outlives the limits of a label file.
    void damagedPayloadsAreRefused_data() {
        QTest::addColumn<QByteArray>("payload");
        Tobs o;
        o.Kind = KindFigure;
        o.Text = QStringLiteral("x");
        const QByteArray good = ObjectPayload::encode(o, QStringLiteral("/tmp"));
        QVERIFY(ObjectPayload::decode(good).has_value());
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("cut short") << good.left(40);
        QTest::newRow("no folder end") << good.left(good.size() - 1);
        QTest::newRow("trailing bytes") << good + QByteArray("zz", 2);
        QByteArray kind = good;
        qToLittleEndian<qint32>(7, kind.data() + 4 + 17); // Kind at record offset 21
        QTest::newRow("unknown kind") << kind;
        QByteArray endless = good.left(65);
        endless.append(QByteArray(2 << 20, 'a')); // longer than a file's texts
        QTest::newRow("endless text") << endless;
        QTest::newRow("too long") << QByteArray(ObjectPayload::MaxBytes + 1, '\0');
    }
    void damagedPayloadsAreRefused() {
        QFETCH(QByteArray, payload);
        Window win;
        QMimeData data;
        data.setData(QLatin1String(ObjectPayload::MimeType), payload);
        win.editor().pasteMime(data);
        QCOMPARE(win.doc().Undo.count(), 0);
        QVERIFY(!win.doc().anyObjectInUse());
        QCOMPARE(win.prompts.shown.size(), 1);
        QCOMPARE(win.prompts.shown[0].caption, QStringLiteral("Fehler: Einfügen nicht möglich"));
    }

    // Huge sizes are clamped to the largest work area, so cascading cannot overflow.
    void hugeSizesAreClamped() {
        Tobs o;
        o.Kind = KindFigure;
        o.X = 2147483647;
        o.Width = -5;
        o.Height = 2147483647;
        const auto d = ObjectPayload::decode(ObjectPayload::encode(o, QString()));
        QVERIFY(d.has_value());
        QCOMPARE(d->obj.X, LabelFile::MaxWorkArea);
        QCOMPARE(d->obj.Width, 0);
        QCOMPARE(d->obj.Height, LabelFile::MaxWorkArea);
    }

    // Text from another program: a text object in the editor's font at the centre
    // of the label's visible part, its box holding the text.
    void foreignTextMakesATextObject() {
        Window win;
        QVERIFY(win.show());
        QMimeData data;
        data.setText(QStringLiteral("Erste Zeile\r\nZweite"));
        win.editor().pasteMime(data);
        LabelDocument& doc = win.doc();
        QCOMPARE(doc.SelObj, 1);
        const Tobs& o = doc.Objs[1];
        QCOMPARE(o.Kind, int(KindText));
        QCOMPARE(o.Text, QStringLiteral("Erste Zeile\rZweite"));
        QCOMPARE(o.FontName, win.editor().FontDialog1.Name);
        const QPoint centre = win.editor().visibleLabelCentre();
        QCOMPARE(o.X, doc.FromPixels(centre.x()));
        QCOMPARE(o.Y, doc.FromPixels(centre.y()));
        // Two lines of characters 2500 units (12 points) high.
        QVERIFY(o.Height > 2 * 2500);
        QVERIFY(o.Height < 4 * 2500);
        QVERIFY(o.Width > o.Height);
    }

    // A picture from another program becomes a PNG file named by its content: the
    // same picture twice is one file; the status bar says where it went.
    void foreignPictureIsStoredOnce() {
        Window win;
        QImage image(30, 20, QImage::Format_RGB32);
        image.fill(qRgb(10, 200, 30));
        QMimeData data;
        data.setImageData(image);
        win.editor().pasteMime(data);
        win.editor().pasteMime(data);
        const LabelDocument& doc = win.doc();
        QCOMPARE(doc.Objs[1].Kind, int(KindPicture));
        QCOMPARE(doc.Objs[1].Text, doc.Objs[2].Text);
        QVERIFY(doc.Objs[1].Text.startsWith(pastedPicturesFolder()));
        QCOMPARE(QImage(doc.Objs[1].Text).convertToFormat(QImage::Format_RGB32), image);
        QCOMPARE(QDir(pastedPicturesFolder()).entryList(QDir::Files).size(), 1);
        QVERIFY(win.w.statusBar()->currentMessage().contains(
            QDir::toNativeSeparators(doc.Objs[1].Text)));
    }

    void oversizedForeignPictureIsRefused() {
        Window win;
        QMimeData data;
        data.setData(QStringLiteral("image/png"), hugePngHeader());
        win.editor().pasteMime(data);
        QVERIFY(!win.doc().anyObjectInUse());
        QCOMPARE(win.prompts.shown.size(), 1);
        QVERIFY(win.prompts.shown[0].text.contains(QStringLiteral("zu groß")));
    }

    // Dropped picture files stand side by side, one step; a label file opens.
    void dropsOnEditorAndWindow() {
        Window win;
        QVERIFY(win.show());
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(pictureFile), QUrl::fromLocalFile(pictureFile)});
        QWidget* box = win.editor().PaintBox1;
        const QPoint at(400, 150);
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(box, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(box, &drop);
        LabelDocument& doc = win.doc();
        QCOMPARE(doc.Undo.count(), 1);
        QCOMPARE(doc.Objs[1].X, doc.FromPixels(400));
        QCOMPARE(doc.Objs[2].X, doc.FromPixels(400 + doc.ToPixels(doc.Objs[1].Width)));
        QCOMPARE(doc.Objs[2].Y, doc.Objs[1].Y);

        QMimeData other;
        other.setUrls({QUrl::fromLocalFile(dir.filePath(QStringLiteral("settings.ini")))});
        QDragEnterEvent refused(at, Qt::CopyAction, &other, Qt::LeftButton, {});
        QApplication::sendEvent(box, &refused);
        QVERIFY(!refused.isAccepted());

        const QString file = dir.filePath(QStringLiteral("abgelegt.ett"));
        QVERIFY(Saveit(doc, file, win.prompts));
        doc.Objs[1].Kind = KindFree;
        QMimeData label;
        label.setUrls({QUrl::fromLocalFile(file)});
        // The window takes it too where no page does.
        QVERIFY(win.w.acceptDrops());
        QCOMPARE(::droppedFiles(&label).labelFile, file);
        QDragEnterEvent enterWindow(QPoint(5, 5), Qt::CopyAction, &label, Qt::LeftButton, {});
        QApplication::sendEvent(&win.w, &enterWindow);
        QVERIFY(enterWindow.isAccepted());
        QDropEvent onWindow(QPointF(5, 5), Qt::CopyAction, &label, Qt::LeftButton, {});
        QApplication::sendEvent(&win.w, &onWindow);
        win.prompts.answers.enqueue(Prompts::Answer::No); // do not save first
        QVERIFY(QTest::qWaitFor([&] { return doc.Objs[1].Kind == KindPicture; }));
        QCOMPARE(doc.CurFileName, file);
        QCOMPARE(win.prompts.shown.last().text, QStringLiteral("Wollen Sie vorher speichern?"));
    }

    // The real window: Ctrl+Z in the editor's key field undoes the last drag; Ctrl+C in
    // a wizard text field copies that field's text and nothing else.
    void editKeysInTheWindow() {
        Window win;
        QVERIFY(win.show());
        LabelDocument& doc = win.doc();
        EditorPage& editor = win.editor();
        const QSize box = editor.PaintBox1->size();
        Tobs& o = placeFigure(doc, 1, doc.FromPixels(box.width() / 3 + 20),
                              doc.FromPixels(box.height() / 3 + 20));
        doc.SelObj = 1;
        const Tobs before = o;
        const QPoint from(doc.ToPixels(o.X) + 10, doc.ToPixels(o.Y) + 10);
        QTest::mousePress(editor.PaintBox1, Qt::LeftButton, {}, from);
        QTest::mouseMove(editor.PaintBox1, from + QPoint(30, 20));
        QTest::mouseRelease(editor.PaintBox1, Qt::LeftButton, {}, from + QPoint(30, 20));
        QVERIFY(doc.Objs[1].X != before.X);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(editor.KeyEdit));
        QTest::keyClick(editor.KeyEdit, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(doc.Objs[1].X, before.X);
        QCOMPARE(doc.Objs[1].Y, before.Y);
        QTest::keyClick(editor.KeyEdit, Qt::Key_Y, Qt::ControlModifier);
        QVERIFY(doc.Objs[1].X != before.X);

        win.w.Pages->setCurrentWidget(win.w.WizardPg);
        QLineEdit* field = win.w.WizardPg->findChild<QLineEdit*>(QStringLiteral("Text1ED"));
        QVERIFY(field);
        field->setFocus();
        field->setText(QStringLiteral("Kopierter Text"));
        field->selectAll();
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(field, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("Kopierter Text"));
        QVERIFY(!QGuiApplication::clipboard()->mimeData()->hasFormat(
            QLatin1String(ObjectPayload::MimeType)));
        // And Ctrl+Z there undoes the field's typing, not the drag.
        QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(doc.Objs[1].X != before.X);
    }
};

QTEST_MAIN(TestClipboard)
#include "tst_clipboard.moc"
