#include "app/documentcommands.h"
#include "app/editmenu.h"
#include "app/lifecyclecommands.h"
#include "app/mainmenu.h"
#include "app/sdiappform.h"
#include "document/labelfile.h"
#include "document/progpath.h"
#include "document/settingsstore.h"
#include "editor/bkgndform.h"
#include "editor/editorpage.h"
#include "editor/effektform.h"
#include "editor/paintbox.h"
#include "editor/positionform.h"
#include "editor/toolbar.h"
#include "editor/transparenzform.h"
#include "editor/txtform.h"
#include "render/picload.h"
#include "scripteddialogs.h"
#include "scriptedprompts.h"
#include "whenshown.h"
#include "wizard/wizardpage.h"

#include <QAction>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <functional>

namespace {
struct Window {
    ScriptedPrompts prompts;
    TSDIAppForm w{prompts};
    ScriptedDialogs dialogs;
    Window() { w.Lifecycle->setDialogRunner(dialogs.runner()); }
    LabelDocument& doc() { return w.Doc; }
    EditorPage& editor() { return *w.EditorPg; }
    QAction* edit(const char* key) { return w.Edit->action(QLatin1String(key)); }
    QPoint pixels(int slot, int dx, int dy) {
        const Tobs& o = doc().Objs[slot];
        return QPoint(doc().ToPixels(o.X) + dx, doc().ToPixels(o.Y) + dy);
    }
    void drag(QPoint from, QPoint to) {
        QWidget* box = w.EditorPg->PaintBox1;
        QTest::mousePress(box, Qt::LeftButton, {}, from);
        QTest::mouseMove(box, (from + to) / 2);
        QTest::mouseMove(box, to);
        QTest::mouseRelease(box, Qt::LeftButton, {}, to);
    }
};

// A figure in slot 1, a text in slot 2, a picture of distinct pixels in slot 3 and
// a background picture; nothing selected, nothing to undo.
void setUpDocument(Window& win, const QString& pictureFile) {
    LabelDocument& doc = win.doc();
    auto place = [&](int slot, int kind, int x, int y) -> Tobs& {
        Tobs& o = doc.Objs[slot];
        o.Kind = kind;
        o.X = doc.FromPixels(doc.paintBoxSize().width() / 3 + x);
        o.Y = doc.FromPixels(doc.paintBoxSize().height() / 3 + y);
        o.Width = doc.FromPixels(60);
        o.Height = doc.FromPixels(40);
        o.Shape = 3;
        o.KeepAspect = true;
        return o;
    };
    place(1, KindFigure, 20, 20).Color = 0x0000FF;
    Tobs& text = place(2, KindText, 120, 20);
    text.Text = QStringLiteral("Hallo");
    text.FontName = QStringLiteral("Arial");
    text.FontSize = 12;
    Tobs& picture = place(3, KindPicture, 220, 20);
    picture.Text = pictureFile;
    picture.TransAuto = true;
    QVERIFY(LoadDIBit(picture.Picture, pictureFile));
    doc.BkgndMode = BkgndCover;
    doc.BkgndFile = pictureFile;
    QVERIFY(LoadDIBit(doc.BkgndPic, pictureFile));
    doc.SelObj = 0;
    doc.Undo.clear();
    win.w.updateCaption();
    win.editor().PaintBox1Paint();
}

using Action = std::function<void(Window&)>;
} // namespace

Q_DECLARE_METATYPE(Action)

// Every kind of change is one step: done, undone and redone through the menu, the
// label file's bytes come back exactly, and so do a picture's pixels.
class TestUndo : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString pictureFile;

private slots:
    void initTestCase() {
        SettingsStore::setOverridePath(dir.filePath(QStringLiteral("settings.ini")));
        initProgPath(dir.path());
        QImage image(3, 2, QImage::Format_RGB32);
        const QRgb colours[6] = {qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(0, 0, 255),
                                 qRgb(255, 255, 0), qRgb(0, 255, 255), qRgb(255, 0, 255)};
        for (int i = 0; i < 6; ++i)
            image.setPixel(i % 3, i / 3, colours[i]);
        pictureFile = dir.filePath(QStringLiteral("bunt.png"));
        QVERIFY(image.save(pictureFile));
    }

    void eachChangeUndoesToTheSameBytes_data() {
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("step");
        QTest::addColumn<Action>("act");
        auto row = [](const char* name, int selected, const char* step, Action act) {
            QTest::newRow(name) << selected << QString::fromUtf8(step) << act;
        };
        row("create", 0, "Erstellen", [](Window& win) {
            win.editor().Toolbar->SpeedItem1->click();
            const QPoint at = win.pixels(1, 0, 120);
            QTest::mouseClick(win.editor().PaintBox1, Qt::LeftButton, {}, at);
        });
        row("delete", 1, "Löschen", [](Window& win) { win.editor().FormKeyDown(Qt::Key_Delete); });
        row("move", 1, "Verschieben",
            [](Window& win) { win.drag(win.pixels(1, 30, 20), win.pixels(1, 70, 55)); });
        row("resize", 1, "Größe ändern",
            [](Window& win) { win.drag(win.pixels(1, 60, 40), win.pixels(1, 90, 80)); });
        row("colour", 1, "Farbe", [](Window& win) {
            win.prompts.colors.enqueue(0x00FF00);
            win.editor().FarbBtnClick();
        });
        row("font", 2, "Schriftart", [](Window& win) {
            Prompts::FontChoice f;
            f.name = QStringLiteral("Times New Roman");
            f.size = 20;
            f.height = -27;
            f.style = 1;
            f.color = 0x123456;
            win.prompts.fonts.enqueue(f);
            win.editor().FontBtnClick();
        });
        row("effects", 2, "Texteffekte", [](Window& win) {
            TEffektForm* form = win.editor().EffektForm;
            whenShown(form, [form] {
                form->UmrCheck->setChecked(true);
                form->SchattCheck->setChecked(true);
                form->OKBtn->click();
            });
            win.editor().Texteffekte1Click();
        });
        row("align", 2, "Zentriert", [](Window& win) { win.editor().alignClick(1); });
        row("transparency", 3, "Transparenz", [](Window& win) {
            TTransForm* form = win.editor().TransForm;
            whenShown(form, [form] {
                form->TransCheck->setChecked(true);
                form->OKBtn->click();
            });
            win.editor().Transparenz1Click();
        });
        row("keep aspect", 3, "Seitenverhältnis beibehalten",
            [](Window& win) { win.editor().SverhMClick(); });
        row("shape", 1, "Kreis", [](Window& win) { win.editor().shapeClick(0); });
        row("turn picture", 3, "Nach rechts rotieren",
            [](Window& win) { win.editor().turnClick(false); });
        row("turn text", 2, "Nach links rotieren",
            [](Window& win) { win.editor().turnClick(true); });
        row("to front", 1, "Nach vorne", [](Window& win) { win.editor().Nachvorne1Click(); });
        row("to back", 3, "Nach hinten", [](Window& win) { win.editor().NachHinen1Click(); });
        row("text", 2, "Text", [](Window& win) {
            TTxtForm* form = win.editor().TxtForm;
            whenShown(form, [form] {
                form->Memo1->setPlainText(QStringLiteral("Zwei\nZeilen"));
                form->OKBtn->click();
            });
            win.editor().PaintBox1DblClick(5, 5);
        });
        row("nudges", 1, "Verschieben", [](Window& win) {
            QLineEdit* keys = win.editor().KeyEdit;
            keys->setFocus();
            for (int i = 0; i < 3; ++i)
                QTest::keyClick(keys, Qt::Key_Right, Qt::ControlModifier);
            QTest::keyClick(keys, Qt::Key_Down, Qt::ControlModifier | Qt::ShiftModifier);
        });
        row("position and size", 3, "Position und Größe", [](Window& win) {
            QTimer::singleShot(0, &win.w, [] {
                auto* form = qobject_cast<TPositionForm*>(QApplication::activeModalWidget());
                if (!form)
                    return qWarning("no position dialog");
                form->XEd->setValue(5);
                form->BreiteEd->setValue(30); // the height follows
                form->OKBtn->click();
            });
            win.edit("PositionUndGroesse1")->trigger();
        });
        for (const char* align :
             {"AusrichtenHMitte", "AusrichtenVMitte", "AusrichtenMitte", "AusrichtenLinks",
              "AusrichtenRechts", "AusrichtenOben", "AusrichtenUnten"}) {
            QTest::newRow(align) << 2 << QStringLiteral("Ausrichten")
                                 << Action([align](Window& win) { win.edit(align)->trigger(); });
        }
        row("background", 0, "Hintergrundbild", [](Window& win) {
            Tbkgndform* form = win.editor().bkgndform;
            whenShown(form, [form] {
                form->NoBkGndBtnClick();
                form->accept();
            });
            win.editor().Hintergrundbild1Click();
        });
        row("sheet format", 0, "Etikettenformat", [](Window& win) {
            win.dialogs.steps.enqueue([](QDialog& d) {
                control<QDoubleSpinBox>(d, "BrED")->setValue(55);
                return click(d, "OkBtn");
            });
            win.w.Menu->action(QStringLiteral("Etikettenformat1"))->trigger();
        });
        row("template", 0, "Vorlage", [](Window& win) {
            win.w.WizardPg->TextRadio->setChecked(true);
            win.w.WizardPg->seedRandom(3);
            win.w.WizardPg->RenderBtnClick();
            win.prompts.answers.enqueue(Prompts::Answer::No); // do not save first
            win.w.WizardPg->UseTemplateBtnClick();
        });
    }

    void eachChangeUndoesToTheSameBytes() {
        QFETCH(int, selected);
        QFETCH(QString, step);
        QFETCH(Action, act);
        Window win;
        win.w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&win.w));
        win.w.Pages->setCurrentWidget(win.w.EditorPg);
        setUpDocument(win, pictureFile);
        LabelDocument& doc = win.doc();
        doc.SelObj = selected;
        const QByteArray before = labelFileBytes(doc);
        const QImage pixelsBefore = doc.Objs[3].Picture.Image;
        QVERIFY(!win.edit("Rueckgaengig1")->isEnabled());

        act(win);
        QCOMPARE(doc.Undo.count(), 1);
        QCOMPARE(win.edit("Rueckgaengig1")->text(), QStringLiteral("&Rückgängig: ") + step);
        QVERIFY(win.w.windowTitle().endsWith(QLatin1Char('*')));
        const QByteArray after = labelFileBytes(doc);
        QVERIFY(after != before);

        win.edit("Rueckgaengig1")->trigger();
        QCOMPARE(labelFileBytes(doc), before);
        QCOMPARE(doc.Objs[3].Picture.Image, pixelsBefore);
        QVERIFY(!win.w.windowTitle().endsWith(QLatin1Char('*')));
        QCOMPARE(win.edit("Wiederholen1")->text(), QStringLiteral("&Wiederholen: ") + step);

        win.edit("Wiederholen1")->trigger();
        QCOMPARE(labelFileBytes(doc), after);
        // The pages follow: the summary and the paint box show the format now held.
        QCOMPARE(win.w.InfoPanel->text(), InfoLine(doc.Format));
        QCOMPARE(win.editor().PaintBox1->size(), doc.paintBoxSize());
    }

    // A turn keeps the old pixels with the step: undoing four turns gives the very
    // picture back, not a copy turned four times.
    void turnsRestoreThePixels() {
        Window win;
        setUpDocument(win, pictureFile);
        LabelDocument& doc = win.doc();
        doc.SelObj = 3;
        const qint64 key = doc.Objs[3].Picture.Image.cacheKey();
        win.editor().turnClick(false);
        win.editor().turnClick(false);
        win.editor().turnClick(true);
        QCOMPARE(doc.Objs[3].Picture.Image.size(), QSize(2, 3));
        // Turned right once: the old top-left pixel is now the top-right one.
        QCOMPARE(doc.Objs[3].Picture.Image.pixel(1, 0), qRgb(255, 0, 0));
        // The bottom-left pixel's colour is the transparent colour (0x00BBGGRR).
        QCOMPARE(doc.Objs[3].TransColor, 0x00FF00FF); // magenta
        for (int i = 0; i < 3; ++i)
            win.edit("Rueckgaengig1")->trigger();
        QCOMPARE(doc.Objs[3].Picture.Image.cacheKey(), key);
        QCOMPARE(doc.Objs[3].Rotation, 0);
    }

    // Saving marks the clean state; New and Open start a history of their own.
    void titleFollowsTheCleanState() {
        Window win;
        setUpDocument(win, pictureFile);
        LabelDocument& doc = win.doc();
        doc.SelObj = 1;
        win.editor().shapeClick(0);
        QVERIFY(win.w.windowTitle().endsWith(QStringLiteral("NONAME01*")));
        const QString file = dir.filePath(QStringLiteral("sauber.ett"));
        QVERIFY(Saveit(doc, file, win.prompts));
        win.w.updateCaption();
        QCOMPARE(win.w.windowTitle(),
                 QStringLiteral("NOR-VEX Aufkleber-Werkbank 2.1 - sauber.ett"));
        win.editor().shapeClick(1);
        QCOMPARE(win.w.windowTitle(),
                 QStringLiteral("NOR-VEX Aufkleber-Werkbank 2.1 - sauber.ett*"));
        // Steps after a save do not merge into the saved one: undo comes back to it.
        win.edit("Rueckgaengig1")->trigger();
        QCOMPARE(win.w.windowTitle(),
                 QStringLiteral("NOR-VEX Aufkleber-Werkbank 2.1 - sauber.ett"));
        win.edit("Rueckgaengig1")->trigger();
        QVERIFY(win.w.windowTitle().endsWith(QLatin1Char('*')));

        // The close button asks only while something is unsaved.
        win.prompts.answers.enqueue(Prompts::Answer::Cancel);
        QVERIFY(!win.w.close());
        QCOMPARE(win.prompts.shown.size(), 1);
        QCOMPARE(win.prompts.shown[0].caption, QStringLiteral("Programm beenden"));

        // Open: the stack is empty and clean.
        win.prompts.answers.enqueue(Prompts::Answer::No);
        QVERIFY(win.w.Commands->openFile(file));
        QCOMPARE(doc.Undo.count(), 0);
        QVERIFY(!win.edit("Rueckgaengig1")->isEnabled());
        QCOMPARE(win.w.windowTitle(),
                 QStringLiteral("NOR-VEX Aufkleber-Werkbank 2.1 - sauber.ett"));
        win.prompts.shown.clear();
        QVERIFY(win.w.close()); // nothing unsaved: no question
        QVERIFY(win.prompts.shown.isEmpty());
    }
};

QTEST_MAIN(TestUndo)
#include "tst_undo.moc"
