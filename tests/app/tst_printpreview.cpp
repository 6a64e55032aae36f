#include "app/documentcommands.h"
#include "app/lifecyclecommands.h"
#include "app/sdiappform.h"
#include "document/labelcatalogue.h"
#include "document/labelfile.h"
#include "document/progpath.h"
#include "document/settingsstore.h"
#include "editor/editormenus.h"
#include "editor/editorpage.h"
#include "editor/paintbox.h"
#include "output/printpage.h"
#include "scripteddialogs.h"
#include "scriptedprompts.h"
#include "wizard/wizardpage.h"

#include <QAction>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

namespace {
struct Window {
    ScriptedPrompts prompts;
    TSDIAppForm w{prompts};
    ScriptedDialogs dialogs;
    Window() {
        w.Lifecycle->setDialogRunner(dialogs.runner());
        w.show();
        if (!QTest::qWaitForWindowExposed(&w))
            qWarning("window not exposed");
    }
    void showPage(QWidget* page) {
        w.Pages->setCurrentWidget(page);
        QCoreApplication::processEvents();
    }
    // The first label the preview shows (at position 0 of the sheet).
    QImage firstLabel() const {
        const TPrintPage& page = *w.PrintPg;
        const QRect at(previewCorner(w.Doc.Format, page.PreviewZoom, 0, 0),
                       previewLabelSize(w.Doc.Format, page.PreviewZoom));
        return page.VPaint->Picture.copy(at);
    }
};

// The dark columns of a picture: the leftmost, the rightmost and how many dark pixels.
struct Ink {
    int left = -1;
    int right = -1;
    int pixels = 0;
};
Ink inkOf(const QImage& img) {
    Ink ink;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            if (qGray(img.pixel(x, y)) >= 96)
                continue;
            ++ink.pixels;
            ink.left = ink.left < 0 ? x : std::min(ink.left, x);
            ink.right = std::max(ink.right, x);
        }
    }
    return ink;
}

// A text over the whole label of the start format.
Tobs& placeText(LabelDocument& doc, int slot, const QString& text) {
    Tobs& o = doc.Objs[slot];
    o.Kind = KindText;
    o.X = doc.WorkWidth / 3;
    o.Y = doc.WorkHeight / 3;
    o.Width = doc.WorkWidth / 3;
    o.Height = doc.WorkHeight / 3;
    o.Text = text;
    o.FontName = QStringLiteral("Arial");
    o.FontSize = 28;
    return o;
}

constexpr QRgb Grey = 0xFF808080u;
} // namespace

// The print page shows the label as it stands: after edits in the editor, a new
// running number, New, and with pictures that could not be loaded.
class TestPrintPreview : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

    QString saved(LabelDocument& doc, const QString& name) {
        const QString file = dir.filePath(name);
        ScriptedPrompts prompts;
        return Saveit(doc, file, prompts) ? file : QString();
    }

private slots:
    void initTestCase() {
        QVERIFY(dir.isValid());
        QLocale::setDefault(QLocale(QStringLiteral("de_DE")));
        SettingsStore::setOverridePath(dir.filePath(QStringLiteral("settings.ini")));
        initProgPath(dir.path());
        LabelCatalogue catalogue;
        catalogue.append(TLabelFormat());
        catalogue.SaveEttTypes();
    }

    void previewFollowsTheLabel() {
        LabelDocument doc;
        doc.computeWorkArea();
        placeText(doc, 1, QStringLiteral("WW%%NUMMER%%"));
        const QString file = saved(doc, QStringLiteral("text.ett"));
        QVERIFY(!file.isEmpty());

        Window win;
        TSDIAppForm& w = win.w;
        QVERIFY(w.Commands->openFile(file));
        win.showPage(w.PrintPg);
        const int width = win.firstLabel().width();
        const Ink left = inkOf(win.firstLabel());
        QVERIFY(left.pixels > 0);
        QVERIFY2(left.right < width / 2, "left-aligned text on the left");

        // Right-aligned in the editor through the object menu.
        win.showPage(w.EditorPg);
        const int renders = w.PrintPg->paintCount();
        const Tobs& text = w.Doc.Objs[1];
        QTest::mouseClick(w.EditorPg->PaintBox1, Qt::LeftButton, {},
                          QPoint(w.Doc.ToPixels(text.X + text.Width / 2),
                                 w.Doc.ToPixels(text.Y + text.Height / 2)));
        QCOMPARE(w.Doc.SelObj, 1);
        w.EditorPg->Menus->action(QStringLiteral("Rechtsbndig1"))->trigger();
        QCOMPARE(text.TextAlign, 2);
        // Nothing is rendered for a page that is not shown.
        QCOMPARE(w.PrintPg->paintCount(), renders);
        win.showPage(w.PrintPg);
        QCOMPARE(w.PrintPg->paintCount(), renders + 1);
        const Ink right = inkOf(win.firstLabel());
        QVERIFY2(right.left > width / 2, "right-aligned text on the right");
        // Painting shows the rendered sheet; it does not render again.
        w.PrintPg->VPaint->repaint();
        QCOMPARE(w.PrintPg->paintCount(), renders + 1);

        // A new running number on the wizard page.
        win.showPage(w.WizardPg);
        w.WizardPg->NummerEd->setValue(8888888);
        win.showPage(w.PrintPg);
        const Ink number = inkOf(win.firstLabel());
        QVERIFY2(number.left < right.left - 20, "the longer number reaches further left");
        QVERIFY(number.pixels > right.pixels);

        // New, then a figure drawn in the editor.
        win.dialogs.steps.enqueue([](QDialog& d) { return click(d, "OkBtn"); });
        w.Lifecycle->Neu1Click();
        QVERIFY(!w.Doc.anyObjectInUse());
        QCOMPARE(inkOf(win.firstLabel()).pixels, 0);
        win.showPage(w.EditorPg);
        w.EditorPg->Toolbar->SpeedItem1->click();
        QTest::mouseClick(w.EditorPg->PaintBox1, Qt::LeftButton, {},
                          QPoint(w.Doc.ToPixels(w.Doc.WorkWidth / 3) + 10,
                                 w.Doc.ToPixels(w.Doc.WorkHeight / 3) + 10));
        QCOMPARE(w.Doc.Objs[1].Kind, int(KindFigure));
        win.showPage(w.PrintPg);
        QVERIFY(inkOf(win.firstLabel()).pixels > 50);
    }

    // A background and a picture that cannot be loaded: white, so the text shows; the
    // editor alone frames the picture in grey and names its file.
    void missingPicturesAreWhite() {
        LabelDocument doc;
        doc.computeWorkArea();
        doc.BkgndMode = BkgndStretch;
        doc.BkgndFile = QStringLiteral("fehlender-hintergrund.jpg");
        placeText(doc, 1, QStringLiteral("Text"));
        Tobs& pic = doc.Objs[2];
        pic.Kind = KindPicture;
        pic.Text = QStringLiteral("fehlendes-bild.png");
        pic.X = doc.WorkWidth / 3 + doc.WorkWidth / 6;
        pic.Y = doc.WorkHeight / 3 + 2000;
        pic.Width = 100 * 208;
        pic.Height = 40 * 208;
        const QString file = saved(doc, QStringLiteral("fehlt.ett"));
        QVERIFY(!file.isEmpty());

        Window win;
        TSDIAppForm& w = win.w;
        w.resize(1200, 800);
        QVERIFY(w.Commands->openFile(file));
        QCOMPARE(win.prompts.shown.size(), 2); // one message for each picture

        win.showPage(w.EditorPg);
        w.EditorPg->PaintBox1Paint();
        const QImage& edit = w.EditorPg->EditBitmap;
        const QPoint corner(w.Doc.ToPixels(pic.X) - w.EditorPg->scrollX(),
                            w.Doc.ToPixels(pic.Y) - w.EditorPg->scrollY());
        const QSize size(w.Doc.ToPixels(pic.Width) - 1, w.Doc.ToPixels(pic.Height) - 1);
        QVERIFY(edit.rect().contains(QRect(corner, size)));
        QCOMPARE(edit.pixel(corner), Grey);
        QCOMPARE(edit.pixel(corner + QPoint(size.width() - 1, size.height() - 1)), Grey);
        const QRect inside = QRect(corner, size).adjusted(2, 2, -2, -2);
        const Ink name = inkOf(edit.copy(inside).convertToFormat(QImage::Format_RGB32));
        int lettering = 0;
        for (int y = inside.top(); y <= inside.bottom(); ++y)
            for (int x = inside.left(); x <= inside.right(); ++x)
                lettering += edit.pixel(x, y) != qRgb(255, 255, 255);
        QVERIFY2(lettering > 20, "the file name shows in the frame");
        QVERIFY(name.pixels < inside.width() * inside.height() / 3);
        // The background stand-in leaves the label white around the text.
        const QPoint labelCorner(w.Doc.ToPixels(w.Doc.WorkWidth / 3) - w.EditorPg->scrollX(),
                                 w.Doc.ToPixels(w.Doc.WorkHeight * 2 / 3) - w.EditorPg->scrollY());
        QCOMPARE(edit.pixel(labelCorner + QPoint(5, -5)), qRgb(255, 255, 255));

        win.showPage(w.PrintPg);
        const QImage label = win.firstLabel();
        const Ink ink = inkOf(label);
        QVERIFY2(ink.pixels > 0, "the text shows");
        QVERIFY(ink.pixels < label.width() * label.height() / 10);
        for (int y = 0; y < label.height(); ++y)
            for (int x = 0; x < label.width(); ++x)
                QVERIFY2(label.pixel(x, y) != Grey, "no frame in the output");
    }
};

QTEST_MAIN(TestPrintPreview)
#include "tst_printpreview.moc"
