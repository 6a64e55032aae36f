#include "app/sdiappform.h"
#include "document/labeldocument.h"
#include "document/settingsstore.h"
#include "editor/editorpage.h"
#include "editor/paintbox.h"
#include "scriptedprompts.h"
#include "wizard/filenameedit.h"
#include "wizard/templategallery.h"
#include "wizard/wizardpage.h"
#include "wizardfixture.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>

Q_DECLARE_METATYPE(Prompts::Answer)

namespace {
const QRgb Red = qRgb(255, 0, 0);

// A page over its own document, shown in a window of a fixed size, with the
// first gallery of a seeded generation.
struct PageFixture {
    LabelDocument doc;
    ScriptedPrompts prompts;
    WizardPage page{doc, prompts};
    PageFixture() {
        doc.computeWorkArea();
        page.seedRandom(3);
        page.resize(840, 700);
        page.show(); // the first show makes the first gallery
    }
    TemplateGallery& gallery() { return *page.ScrollBox4; }
    QImage shot() { return gallery().PaintBox4->grab(gallery().visiblePart()).toImage(); }
    // The pixel 3 pixels left of thumbnail i, in the middle of its height.
    QRgb frameLeftOf(int i) {
        const CellRect t = gallery().geometry().thumbnail(i);
        return shot().pixel(t.left - 3, (t.top + t.bottom) / 2);
    }
    QPoint centreOf(int i) {
        const CellRect t = gallery().geometry().thumbnail(i);
        return {(t.left + t.right) / 2, (t.top + t.bottom) / 2};
    }
};
} // namespace

class TestWizardPage : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    void initTestCase() {
        SettingsStore::setOverridePath(dir.filePath(QStringLiteral("settings.ini")));
        QVERIFY(wizardtest::provideSamples(dir));
    }

    // The start values, generated when the page is first shown.
    void firstShowGenerates() {
        PageFixture f;
        QCOMPARE(f.page.wizard().ElemCount(), 3);
        QCOMPARE(f.page.Label3->text(),
                 QStringLiteral(
                     "Dies ist eine zufällige Auswahl von 100 Karten aus 504 möglichen Karten"));
        QVERIFY(f.prompts.shown.isEmpty());
        QCOMPARE(f.gallery().PaintBox4->size(), f.gallery().geometry().boxSize());
        QCOMPARE(f.gallery().geometry().thumbWidth, 373);
    }

    // Every control can be named by assistive technology.
    void accessibleNames() {
        PageFixture f;
        const QList<QWidget*> controls = f.page.findChildren<QWidget*>();
        int checked = 0;
        for (QWidget* w : controls) {
            const bool control =
                (qobject_cast<QLineEdit*>(w) && !qobject_cast<QSpinBox*>(w->parentWidget())) ||
                qobject_cast<QAbstractButton*>(w) || qobject_cast<QSpinBox*>(w) ||
                w == f.gallery().PaintBox4 || w == &f.gallery();
            if (!control)
                continue;
            QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
            QVERIFY(iface);
            QVERIFY2(!iface->text(QAccessible::Name).isEmpty(), qPrintable(w->objectName()));
            ++checked;
        }
        QVERIFY(checked >= 15);
    }

    // A click chooses the design under it and moves the red frame; clicking the
    // chosen one again or the space between thumbnails changes nothing.
    void chooseByClick() {
        PageFixture f;
        QCOMPARE(f.page.wizard().SelDesign(), 0);
        QCOMPARE(f.frameLeftOf(0), Red);
        QVERIFY(f.frameLeftOf(1) != Red);
        QWidget* box = f.gallery().PaintBox4;
        QTest::mouseClick(box, Qt::RightButton, {}, f.centreOf(3));
        QCOMPARE(f.page.wizard().SelDesign(), 3);
        QCOMPARE(f.frameLeftOf(3), Red);
        QVERIFY(f.frameLeftOf(0) != Red);
        const int repaints = f.gallery().repaintRequests();
        QTest::mouseClick(box, Qt::LeftButton, {}, f.centreOf(3));
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(f.page.wizard().SelDesign(), 3);
        QCOMPARE(f.gallery().repaintRequests(), repaints);
    }

    // Arrow keys move the choice within the designs, Enter adopts it.
    void chooseByKeys() {
        PageFixture f;
        QWidget* box = f.gallery().PaintBox4;
        QSignalSpy adopted(&f.page, &WizardPage::templateAdopted);
        const int columns = f.gallery().geometry().columns;
        QCOMPARE(columns, 2);
        const QList<QPair<Qt::Key, int>> steps = {{Qt::Key_Left, 0},  {Qt::Key_Up, 0},
                                                  {Qt::Key_Right, 1}, {Qt::Key_Down, 3},
                                                  {Qt::Key_Left, 2},  {Qt::Key_Up, 0}};
        for (const auto& [key, expected] : steps) {
            QTest::keyClick(box, key);
            QCOMPARE(f.page.wizard().SelDesign(), expected);
        }
        for (int i = 0; i < 60; ++i)
            QTest::keyClick(box, Qt::Key_Down);
        QCOMPARE(f.page.wizard().SelDesign(), 98);
        QVERIFY(f.gallery().visiblePart().contains(f.centreOf(98)));
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(adopted.count(), 1);
        QVERIFY(f.doc.anyObjectInUse());
    }

    // The question before adoption: Cancel, or a save that fails, leaves the
    // document; No and a good save go on.
    void adoptionAsksFirst_data() {
        QTest::addColumn<Prompts::Answer>("answer");
        QTest::addColumn<bool>("saves");
        QTest::addColumn<bool>("adopts");
        QTest::newRow("cancel") << Prompts::Answer::Cancel << true << false;
        QTest::newRow("yes, save fails") << Prompts::Answer::Yes << false << false;
        QTest::newRow("yes, saved") << Prompts::Answer::Yes << true << true;
        QTest::newRow("no") << Prompts::Answer::No << true << true;
    }
    void adoptionAsksFirst() {
        QFETCH(Prompts::Answer, answer);
        QFETCH(bool, saves);
        QFETCH(bool, adopts);
        PageFixture f;
        int saved = 0;
        f.page.setDocumentCommands(
            [&] {
                ++saved;
                return saves;
            },
            [&] { f.doc.clearall(); });
        f.doc.Objs[7].Kind = KindFigure;
        f.doc.CurFileName = QStringLiteral("/tmp/alt.ett");
        QSignalSpy adopted(&f.page, &WizardPage::templateAdopted);
        f.prompts.answers.enqueue(answer);
        f.page.UseTemplateBtn->click();
        QCOMPARE(f.prompts.shown.size(), 1);
        QCOMPARE(f.prompts.shown[0].text, QStringLiteral("Wollen Sie vorher speichern?"));
        QCOMPARE(f.prompts.shown[0].caption, QStringLiteral("Vorlage in den Editor übernehmen"));
        QCOMPARE(f.prompts.shown[0].buttons, Prompts::Buttons::YesNoCancel);
        QCOMPARE(saved, answer == Prompts::Answer::Yes ? 1 : 0);
        QCOMPARE(adopted.count(), adopts ? 1 : 0);
        QCOMPARE(f.doc.Objs[7].Kind, adopts ? int(KindFree) : int(KindFigure));
        QCOMPARE(f.doc.CurFileName.isEmpty(), adopts);
        QCOMPARE(f.doc.Objs[1].Kind != KindFree, adopts);
        QCOMPARE(f.doc.BkgndMode, adopts ? int(BkgndCover) : int(BkgndNone));
    }

    // Without elements: the message, an empty gallery, and an adoption that
    // neither asks nor touches the document.
    void noElements() {
        PageFixture f;
        for (QLineEdit* e : f.page.TextED)
            e->clear();
        f.page.TextRadio->setChecked(true);
        f.page.RenderBtn->click();
        QCOMPARE(f.prompts.shown.size(), 1);
        QCOMPARE(f.prompts.shown[0].text,
                 QStringLiteral("Bitte wählen Sie erst die Elemente aus, die auf der Karte "
                                "plaziert werden sollen!"));
        QCOMPARE(f.prompts.shown[0].caption, QStringLiteral("Fehler: Keine Elemente ausgesucht!"));
        QCOMPARE(f.prompts.shown[0].icon, Prompts::Icon::Error);
        QCOMPARE(f.page.wizard().DesignCount(), 0);
        QCOMPARE(f.gallery().PaintBox4->height(), 170);
        f.shot(); // paints nothing, touches no picture
        f.doc.Objs[2].Kind = KindText;
        f.page.UseTemplateBtn->click(); // says why nothing is taken over
        QCOMPARE(f.prompts.shown.size(), 2);
        QCOMPARE(f.prompts.shown[1].text,
                 QStringLiteral("Es gibt noch keine Vorlage. Geben Sie die Elemente des Etiketts "
                                "ein und klicken Sie auf \"Vorlagen berechnen\"."));
        QCOMPARE(f.prompts.shown[1].caption, QStringLiteral("Vorlage in den Editor übernehmen"));
        QCOMPARE(f.prompts.shown[1].icon, Prompts::Icon::Information);
        QCOMPARE(f.doc.Objs[2].Kind, int(KindText));
    }

    // Names in the program folder show bare once browsed or when editing ends.
    void fileNameFields_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("inProgramFolder");
        QTest::newRow("program folder") << QStringLiteral("logo2.jpg") << true;
        QTest::newRow("subfolder") << QStringLiteral("bilder/logo2.jpg") << false;
        QTest::newRow("elsewhere") << QStringLiteral("/usr/share/pixmaps/logo2.jpg") << false;
    }
    void fileNameFields() {
        QFETCH(QString, name);
        QFETCH(bool, inProgramFolder);
        PageFixture f;
        const QString full = name.startsWith(QLatin1Char('/')) ? name : ProgPath() + name;
        const QString shown = inProgramFolder ? name : full;
        for (FileNameEdit* field : {f.page.GrafikFileEd, f.page.BkGndFileED}) {
            f.prompts.fileNames.enqueue(full);
            field->browseButton()->click();
            QCOMPARE(f.prompts.fileRequests.last().folder, ProgPath());
            QVERIFY(f.prompts.fileRequests.last().filters.size() > 1);
            QCOMPARE(field->fileName(), shown);
            field->edit()->clear();
            QTest::keyClicks(field->edit(), full);
            QCOMPARE(field->fileName(), full);              // typing alone keeps every character
            QTest::keyClick(field->edit(), Qt::Key_Return); // editing ends
            QCOMPARE(field->fileName(), shown);
        }
    }

    // In the main window: adoption resets the magnification, shows the editor
    // with the composed design and leaves the document unnamed.
    void adoptionInMainWindow() {
        ScriptedPrompts prompts;
        TSDIAppForm w(prompts);
        w.WizardPg->seedRandom(5);
        w.WizardPg->RenderBtnClick();
        w.Doc.UnitsPerPixel = 92.0;
        w.Doc.CurFileName = QStringLiteral("/tmp/alt.ett");
        w.WizardPg->UseTemplateBtn->click();
        QVERIFY(prompts.shown.isEmpty()); // nothing in use: nothing asked
        QCOMPARE(w.Pages->currentWidget(), static_cast<QWidget*>(w.EditorPg));
        QCOMPARE(w.Doc.UnitsPerPixel, 208.0);
        QCOMPARE(w.EditorPg->PaintBox1->size(), QSize(1009, 405));
        // The taken-over design is one step not saved yet.
        QCOMPARE(w.windowTitle(), QStringLiteral("NOR-VEX Aufkleber-Werkbank 2.1 - NONAME01*"));
        QCOMPARE(w.Doc.Undo.undoText(), QStringLiteral("Vorlage"));
        int objects = 0;
        for (int i = 1; i <= 3; ++i)
            objects += w.Doc.Objs[i].Kind != KindFree;
        QCOMPARE(objects, 3);
    }
};

QTEST_MAIN(TestWizardPage)
#include "tst_wizardpage.moc"
