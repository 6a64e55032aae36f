#include "document/objectpayload.h"
#include "document/progpath.h"
#include "document/undocommands.h"
#include "editor/bmpopenform.h"
#include "editor/colourbutton.h"
#include "editor/editormenus.h"
#include "editor/linefillform.h"
#include "editor/toolbar.h"
#include "editorharness.h"
#include "whenshown.h"

#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QToolButton>

#include <functional>

// Outline and fill of figures, the grid and its snapping, and pictures that are
// fitted into the label, all through the editor page as the user meets it. The start
// label is 70000 x 28110 units from (70000, 28110); one screen pixel is 208 units.

namespace {
constexpr int LabelLeft = 70000;
constexpr int LabelTop = 28110;
constexpr int32_t Blue = 0xFF0000; // 0x00BBGGRR
constexpr int32_t Red = 0x0000FF;

QRgb previewCentre(const TLineFillForm* form) {
    const QImage shown = form->Preview->pixmap().toImage();
    return shown.pixel(shown.width() / 2, shown.height() / 2);
}

int inkInPreview(const TLineFillForm* form) {
    const QImage shown = form->Preview->pixmap().toImage();
    int n = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            n += shown.pixel(x, y) != qRgb(255, 255, 255);
    return n;
}

QRect relativeToLabel(const Tobs& o) {
    return QRect(o.X - LabelLeft, o.Y - LabelTop, o.Width, o.Height);
}

bool insideLabel(const Tobs& o) {
    return o.X >= LabelLeft && o.Y >= LabelTop && o.X + o.Width <= 2 * LabelLeft &&
           o.Y + o.Height <= 2 * LabelTop;
}
} // namespace

class TestFiguresAndGrid : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

    QString picture(const QString& name, QSize size) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(qRgb(20, 120, 220));
        const QString file = dir.filePath(name);
        image.save(file);
        return file;
    }

private slots:
    void initTestCase() {
        QVERIFY(dir.isValid());
        QStandardPaths::setTestModeEnabled(true);
        initProgPath(dir.path());
        picture(QStringLiteral("gross.png"), QSize(2000, 1000));
    }

    // The dialog writes what the user changed, as one step that undoes at once.
    void lineAndFill_data() {
        QTest::addColumn<int>("shape");
        QTest::addColumn<int>("startWidth");
        QTest::addColumn<int>("fillMode");   // the entry chosen, -1 none
        QTest::addColumn<int>("colour");     // the outline colour chosen, -1 none
        QTest::addColumn<double>("widthMm"); // typed, -1 none
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("wantFill");
        QTest::addColumn<int>("wantOutline");
        QTest::addColumn<int>("wantWidth");
        QTest::newRow("frame of 0,6 mm") << 3 << 0 << 1 << Red << 0.6 << true << 1 << Red << 3;
        QTest::newRow("outline and fill") << 0 << 0 << 2 << -1 << 1.0 << true << 2 << 0 << 5;
        // A filled figure has no outline: its colour cannot be chosen.
        QTest::newRow("filled: no outline colour")
            << 5 << 2 << -1 << Red << -1.0 << true << 0 << 0 << 2;
        QTest::newRow("nothing changed") << 3 << 2 << -1 << -1 << -1.0 << true << 0 << 0 << 2;
        QTest::newRow("cancelled") << 3 << 0 << 1 << Red << 0.6 << false << 0 << 0 << 0;
        QTest::newRow("line: the width") << 6 << 0 << -1 << -1 << 2.0 << true << 0 << 0 << 10;
        // A width beyond the field's range stays as long as the field is not touched.
        QTest::newRow("damaged width kept")
            << 3 << 5000 << 1 << -1 << -1.0 << true << 1 << 0 << 5000;
    }
    void lineAndFill() {
        QFETCH(int, shape);
        QFETCH(int, startWidth);
        QFETCH(int, fillMode);
        QFETCH(int, colour);
        QFETCH(double, widthMm);
        QFETCH(bool, ok);
        QFETCH(int, wantFill);
        QFETCH(int, wantOutline);
        QFETCH(int, wantWidth);
        EditorHarness e;
        Tobs& o = e.place(1, 400, 160, 120, 60);
        o.Shape = shape;
        o.Color = Blue;
        o.LineWidth() = startWidth;
        e.doc.SelObj = 1;
        const Tobs before = o;
        TLineFillForm* form = e.page.lineFillForm();
        bool lineShowsOnlyWidth = false;
        if (colour >= 0)
            e.prompts.colors.enqueue(colour);
        whenShown(form, [&] {
            lineShowsOnlyWidth = !form->FillGroup->isVisible() &&
                                 !form->OutlineColourBtn->isVisible() &&
                                 form->LineWidthED->isVisible();
            if (fillMode >= 0)
                (fillMode == 0   ? form->FilledBtn
                 : fillMode == 1 ? form->OutlineBtn
                                 : form->BothBtn)
                    ->click();
            if (colour >= 0)
                form->OutlineColourBtn->click();
            if (widthMm >= 0)
                form->LineWidthED->setValue(widthMm);
            (ok ? form->OKBtn : form->CancelBtn)->click();
        });
        QAction* entry = e.page.Menus->action(QStringLiteral("LinieFuellungM"));
        QCOMPARE(entry->text(), QStringLiteral("Linie und F&üllung..."));
        e.page.Menus->prepare(o);
        QVERIFY(entry->isEnabled());
        entry->trigger();
        QCOMPARE(lineShowsOnlyWidth, shape >= 6);
        const Tobs& after = e.doc.Objs[1];
        QCOMPARE(after.FillMode(), wantFill);
        QCOMPARE(after.OutlineColor, wantOutline);
        QCOMPARE(after.LineWidth(), wantWidth);
        const bool changed = !sameRecord(before, after);
        QCOMPARE(e.doc.Undo.count(), changed ? 1 : 0);
        if (changed) {
            QCOMPARE(e.doc.Undo.undoText(), QStringLiteral("Linie und Füllung"));
            e.doc.Undo.undo();
            QVERIFY(sameRecord(e.doc.Objs[1], before));
        }
    }

    // The preview is drawn by the label renderer and follows every choice at once.
    void previewFollowsTheChoices() {
        EditorHarness e;
        Tobs& o = e.place(1, 400, 160, 120, 60);
        o.Shape = 3;
        o.Color = Blue;
        e.doc.SelObj = 1;
        TLineFillForm* form = e.page.lineFillForm();
        form->preset(o);
        QCOMPARE(previewCentre(form), qRgb(0, 0, 255));
        QVERIFY(!form->OutlineColourBtn->isEnabled()); // a filled figure has no outline
        form->OutlineBtn->click();
        QVERIFY(form->OutlineColourBtn->isEnabled());
        QCOMPARE(previewCentre(form), qRgb(255, 255, 255));
        const int thin = inkInPreview(form);
        form->LineWidthED->setValue(1.0);
        QVERIFY(inkInPreview(form) > 2 * thin);
        // The figure menu offers the entry; texts do not get it.
        o.Kind = KindText;
        e.page.Menus->prepare(o);
        QVERIFY(!e.page.Menus->action(QStringLiteral("LinieFuellungM"))->isEnabled());
    }

    // Edges that follow the mouse snap to the grid counted from the label's corner;
    // Shift holds the grid off. A figure at (350, 150) pixels, 50 x 50.
    void snapping_data() {
        QTest::addColumn<int>("grid");
        QTest::addColumn<bool>("shift");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QRect>("want"); // relative to the label
        // Moved by the body to left and top edges at 5296, 3714 units from the corner.
        QTest::newRow("move, 5 mm") << 50 << false << "move" << QRect(3937, 3937, 10400, 10400);
        QTest::newRow("move, 1 mm") << 10 << false << "move" << QRect(5511, 3937, 10400, 10400);
        QTest::newRow("move, Shift") << 50 << true << "move" << QRect(5296, 3714, 10400, 10400);
        QTest::newRow("move, no grid") << 0 << false << "move" << QRect(5296, 3714, 10400, 10400);
        // A click on the selection moves nothing, grid or not.
        QTest::newRow("click, 5 mm") << 50 << false << "click" << QRect(2800, 3090, 10400, 10400);
        // The right edge pulled to 19648 units: 25 mm are 19685.
        QTest::newRow("resize, 5 mm") << 50 << false << "resize" << QRect(2800, 3090, 16885, 10400);
        QTest::newRow("resize, Shift") << 50 << true << "resize" << QRect(2800, 3090, 16848, 10400);
        // A new figure's corner at 7168, 6626 units: 10 mm are 7874.
        QTest::newRow("create, 5 mm") << 50 << false << "create" << QRect(7874, 7874, 10400, 10400);
        QTest::newRow("create, Shift") << 50 << true << "create" << QRect(7168, 6626, 10400, 10400);
    }
    void snapping() {
        QFETCH(int, grid);
        QFETCH(bool, shift);
        QFETCH(QString, action);
        QFETCH(QRect, want);
        EditorHarness e;
        e.page.setGridStep(grid);
        e.place(1, 350, 150, 50, 50);
        e.doc.SelObj = 1;
        const Qt::KeyboardModifiers held = shift ? Qt::ShiftModifier : Qt::NoModifier;
        int slot = 1;
        if (action == QLatin1String("move")) {
            e.press(QPoint(360, 160));
            QTest::mouseRelease(e.box(), Qt::LeftButton, held, QPoint(372, 163));
        } else if (action == QLatin1String("click")) {
            e.click(QPoint(360, 160));
        } else if (action == QLatin1String("resize")) {
            e.press(QPoint(400, 175)); // the right middle handle
            QTest::mouseRelease(e.box(), Qt::LeftButton, held, QPoint(431, 175));
        } else {
            e.page.Toolbar->SpeedItem1->click();
            QTest::mouseClick(e.box(), Qt::LeftButton, held, QPoint(371, 167));
            slot = 2;
        }
        QCOMPARE(relativeToLabel(e.doc.Objs[slot]), want);
        QCOMPARE(e.doc.Undo.count(), action == QLatin1String("click") ? 0 : 1);
    }

    // On a label narrower than one step only the other axis has a grid; nothing
    // hangs, and the dots leave such a label alone.
    void labelNarrowerThanAStep() {
        EditorHarness e;
        e.doc.Format.LabelWidth = 3.0;
        e.doc.computeWorkArea();
        e.page.applyWorkArea();
        e.page.setGridStep(50);
        e.page.Toolbar->SpeedItem1->click();
        e.click(QPoint(20, 167));
        const Tobs& o = e.doc.Objs[1];
        QCOMPARE(o.X, e.doc.FromPixels(20));
        QCOMPARE(o.Y - LabelTop, 7874);
    }

    // Faint dots at the grid points on the label, in the editor only; none where they
    // would lie closer than a few pixels.
    void gridDots_data() {
        QTest::addColumn<int>("grid");
        QTest::addColumn<double>("unitsPerPixel");
        QTest::addColumn<bool>("dots");
        QTest::newRow("5 mm") << 50 << 208.0 << true;
        QTest::newRow("1 mm, 3.8 pixels apart") << 10 << 208.0 << true;
        QTest::newRow("1 mm zoomed out, 0.75 pixels apart") << 10 << 1053.0 << false;
        QTest::newRow("no grid") << 0 << 208.0 << false;
    }
    void gridDots() {
        QFETCH(int, grid);
        QFETCH(double, unitsPerPixel);
        QFETCH(bool, dots);
        EditorHarness e;
        e.doc.UnitsPerPixel = unitsPerPixel;
        e.page.applyWorkArea();
        e.page.scrollToLabel();
        e.page.setGridStep(grid);
        e.page.PaintBox1Paint();
        const QRgb dot = qRgb(150, 150, 150);
        const SnapGrid snap(e.doc, grid);
        if (dots) {
            const int x = e.doc.ToPixels(snap.pointX(2)) - e.page.scrollX();
            const int y = e.doc.ToPixels(snap.pointY(2)) - e.page.scrollY();
            QCOMPARE(e.page.EditBitmap.pixel(x, y), dot);
            QCOMPARE(e.page.EditBitmap.pixel(x + 1, y + 1), qRgb(255, 255, 255));
        } else {
            int grey = 0;
            for (int y = 0; y < e.page.EditBitmap.height(); ++y)
                for (int x = 0; x < e.page.EditBitmap.width(); ++x)
                    grey += e.page.EditBitmap.pixel(x, y) == dot;
            QCOMPARE(grey, 0);
        }
    }

    // A picture larger than the label comes fitted into it, aspect kept, moved inside
    // where it would stick out: from the picture tool and pasted from another program.
    // 2000 x 1000 pixels are 208208 x 104000 units when created.
    void bigPictureFitsTheLabel_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("picture tool") << "tool";
        QTest::newRow("pasted from another program") << "paste";
    }
    void bigPictureFitsTheLabel() {
        QFETCH(QString, how);
        EditorHarness e;
        if (how == QLatin1String("tool")) {
            e.page.Toolbar->SpeedItem10->click();
            TBMPOpenForm* form = e.page.BMPOpenForm;
            whenShown(form, [form] {
                form->FileNameEdit->setText(QStringLiteral("gross.png"));
                form->OpenBtn->click();
            });
            e.click(QPoint(600, 200));
        } else {
            QMimeData data;
            data.setImageData(QImage(dir.filePath(QStringLiteral("gross.png"))));
            e.page.pasteMime(data);
        }
        const Tobs& o = e.doc.Objs[1];
        QCOMPARE(o.Kind, int(KindPicture));
        QCOMPARE(o.Height, LabelTop);
        QCOMPARE(o.Width, int(208208LL * LabelTop / 104000));
        QVERIFY(insideLabel(o));
        if (how == QLatin1String("tool")) // put at (600, 200): moved left and up
            QCOMPARE(relativeToLabel(o).topLeft(), QPoint(LabelLeft - o.Width, 0));
        QCOMPARE(e.doc.Undo.count(), 1);
    }

    // The program's own objects keep their size and place, however large.
    void ownPictureKeepsItsSize() {
        EditorHarness e;
        Tobs o;
        o.Kind = KindPicture;
        o.Text = dir.filePath(QStringLiteral("gross.png"));
        o.X = 1000;
        o.Y = 2000;
        o.Width = 208208;
        o.Height = 104000;
        QMimeData data;
        data.setData(QLatin1String(ObjectPayload::MimeType), ObjectPayload::encode(o, QString()));
        e.page.pasteMime(data);
        QCOMPARE(relativeToLabel(e.doc.Objs[1]), relativeToLabel(o));
    }

    // Dropped files are fitted one by one and laid side by side from the drop point,
    // a new row at the label's right edge; all in one step.
    void droppedPicturesWrap() {
        EditorHarness e;
        const QString big = picture(QStringLiteral("quer.png"), QSize(1600, 400));
        const QString small = picture(QStringLiteral("klein.png"), QSize(300, 200));
        QMimeData data;
        data.setUrls(
            {QUrl::fromLocalFile(big), QUrl::fromLocalFile(small), QUrl::fromLocalFile(small)});
        const QPoint at(400, 150); // 13200, 3090 units from the label's corner
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(e.box(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(e.box(), &drop);
        QCOMPARE(e.doc.Undo.count(), 1);
        // 166608 x 41600 units fitted to the label's width, moved to its left edge.
        QCOMPARE(relativeToLabel(e.doc.Objs[1]), QRect(0, 3090, 70000, 17478));
        // Too wide for the rest of the row: a row below, at the drop point.
        QCOMPARE(relativeToLabel(e.doc.Objs[2]), QRect(13200, 20568, 31200, 20800));
        QCOMPARE(relativeToLabel(e.doc.Objs[3]), QRect(13200, 41368, 31200, 20800));
        QCOMPARE(e.doc.SelObj, 3);
    }
};

QTEST_MAIN(TestFiguresAndGrid)
#include "tst_figuresandgrid.moc"
