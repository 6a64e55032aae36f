#include "codec/rasterio.h"
#include "document/progpath.h"
#include "editor/bmpopenform.h"
#include "editor/objectcreation.h"
#include "editor/speedbar.h"
#include "editor/toolbar.h"
#include "editorharness.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolButton>

namespace {
// Answers the image-open dialog once it is shown modally.
void answerPictureDialog(EditorPage& page, const QString& typed, bool open,
                         QStringList* seen = nullptr) {
    QTimer::singleShot(0, &page, [&page, typed, open, seen] {
        TBMPOpenForm* form = page.BMPOpenForm;
        if (!form->isVisible()) {
            qWarning("image-open dialog not shown");
            return;
        }
        if (seen)
            *seen << form->folder() << form->FileNameEdit->text()
                  << QString::number(form->FilterComboBox1->count());
        form->FileNameEdit->setText(typed);
        (open ? form->OpenBtn : form->CancelBtn)->click();
    });
}
} // namespace

class TestTools : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    void initTestCase() {
        QVERIFY(dir.isValid());
        initProgPath(dir.path());
        QImage wide(200, 100, QImage::Format_RGB32);
        wide.fill(Qt::red);
        QVERIFY(wide.save(dir.filePath(QStringLiteral("breit.png"))));
    }

    void toolbarButtons_data() {
        QTest::addColumn<int>("tool");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("hint");
        QTest::newRow("Zeiger") << 0 << "SpeedItem3"
                                << "Zeiger"
                                << "Verändert Objekte";
        QTest::newRow("Lupe") << 1 << "SpeedZoom"
                              << "Lupe"
                              << "Vergrößert oder Verkleinert";
        QTest::newRow("Hand") << 2 << "SpeedHand"
                              << "Hand"
                              << "Verschiebt den sichtbaren Ausschnitt";
        QTest::newRow("Figur") << 3 << "SpeedItem1"
                               << "Figur"
                               << "Fügt eine geometrische Figur ein";
        QTest::newRow("Text")
            << 4 << "SpeedItem2"
            << "Text"
            << "Fügt Text ein - Sie müssen auf das Textfeld doppelklicken, um Text einzugeben";
        QTest::newRow("Bild") << 5 << "SpeedItem10"
                              << "Bild"
                              << "Fügt ein Bild ein";
        QTest::newRow("Code") << 6 << "SpeedCode"
                              << "Code"
                              << "Fügt einen Barcode oder 2D-Code ein";
    }
    void toolbarButtons() {
        QFETCH(int, tool);
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, hint);
        QMainWindow window;
        LabelDocument doc;
        ScriptedPrompts prompts;
        auto* page = new EditorPage(doc, prompts, {}, &window);
        window.setCentralWidget(page);
        window.statusBar();
        window.resize(900, 500);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QToolButton* b = page->Toolbar->button(EditorTool(tool));
        QCOMPARE(b->objectName(), name);
        QCOMPARE(b->text(), caption);
        QCOMPARE(b->toolTip(), hint);
        QCOMPARE(b->size(), QSize(50, 54));
        QCOMPARE(page->Toolbar->findChildren<QToolButton*>().indexOf(b), tool);
        QCOMPARE(page->tool(), EditorTool::Zeiger); // down at start
        b->click();
        QCOMPARE(page->tool(), EditorTool(tool));
        int down = 0;
        for (QToolButton* other : page->Toolbar->findChildren<QToolButton*>())
            down += other->isChecked();
        QCOMPARE(down, 1);
        // The hint shows in the status bar when the mouse is over the button.
        QTest::mouseMove(b, QPoint(10, 10));
        QTest::mouseMove(b, QPoint(25, 27));
        QTRY_COMPARE(window.statusBar()->currentMessage(), hint);
    }

    void fileButtonsWaitForTheirCommands() {
        EditorHarness e;
        const QStringList captions{QStringLiteral("Neu..."), QStringLiteral("Öffnen..."),
                                   QStringLiteral("Speichern"), QStringLiteral("Hintergrund")};
        const auto buttons = e.page.SpeedBar2->findChildren<QToolButton*>();
        QCOMPARE(buttons.size(), 4);
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(buttons[i]->text(), captions[i]);
            // The editor serves the background itself; the file buttons wait for the window.
            QCOMPARE(buttons[i]->isEnabled(), i == 3);
        }
        QCOMPARE(e.page.SpeedBar2->height(), 56);
    }

    void creationByTool_data() {
        QTest::addColumn<int>("tool");
        QTest::addColumn<int>("kind");
        QTest::newRow("Zeiger") << int(EditorTool::Zeiger) << 0;
        QTest::newRow("Lupe") << int(EditorTool::Lupe) << 0;
        QTest::newRow("Hand") << int(EditorTool::Hand) << 0;
        QTest::newRow("Figur") << int(EditorTool::Figur) << int(KindFigure);
        QTest::newRow("Text") << int(EditorTool::Text) << int(KindText);
    }
    void creationByTool() {
        QFETCH(int, tool);
        QFETCH(int, kind);
        EditorHarness e;
        e.page.Toolbar->button(EditorTool(tool))->click();
        e.click(QPoint(400, 160));
        const Tobs& o = e.doc.Objs[1];
        QCOMPARE(o.Kind, kind);
        if (kind == 0) {
            QCOMPARE(e.doc.SelObj, 0);
            QCOMPARE(e.page.tool(), EditorTool(tool));
            QVERIFY(e.prompts.shown.isEmpty());
            return;
        }
        QCOMPARE(e.doc.SelObj, 1);
        QCOMPARE(o.X, 400 * 208);
        QCOMPARE(o.Y, 160 * 208);
        QCOMPARE(o.Width, 10400);
        QCOMPARE(o.Height, 10400);
        QVERIFY(o.KeepAspect);
        QCOMPARE(o.Shape, 3);
        QCOMPARE(o.Color, 0);
        QVERIFY(o.Text.isEmpty());
        QCOMPARE(o.FontName, QStringLiteral("Times New Roman"));
        QCOMPARE(o.FontSize, 12);
        QCOMPARE(o.FontHeight, -16);
        QCOMPARE(o.FontColor, 0);
        QCOMPARE(o.FontStyle, uint8_t(0));
        QCOMPARE(o.FontRef.pixelSize(), 16);
        QCOMPARE(e.doc.Objs[2].Kind, 0);
        QCOMPARE(e.page.tool(), EditorTool::Zeiger);
        QVERIFY(e.page.Toolbar->SpeedItem3->isChecked());
        // The new object shows selected at once.
        QCOMPARE(e.page.EditBitmap.pixel(400 - e.page.scrollX() - 3, 160 - e.page.scrollY() - 3),
                 qRgb(0, 0, 0));
    }

    void figurePressAndDragCreatesAtTheRelease() {
        EditorHarness e;
        e.page.Toolbar->SpeedItem1->click();
        e.press(QPoint(300, 100));
        QVERIFY(!e.doc.anyObjectInUse());
        e.move(QPoint(330, 120));
        e.move(QPoint(350, 150));
        QVERIFY(!e.doc.anyObjectInUse());
        e.release(QPoint(410, 170));
        QCOMPARE(e.pixels(1), QRect(410, 170, 50, 50));
        QCOMPARE(e.doc.Objs[2].Kind, 0);
    }

    void createdSizeFollowsTheMagnification() {
        EditorHarness e;
        e.page.Toolbar->SpeedZoom->click();
        e.click(QPoint(300, 150));
        QCOMPARE(e.doc.Objs[1].Kind, 0);
        e.page.Toolbar->SpeedItem1->click();
        e.click(QPoint(e.page.scrollX() + 100, e.page.scrollY() + 100));
        QCOMPARE(e.doc.Objs[1].Width, 6933);
        QCOMPARE(e.doc.Objs[1].Height, 6933);
        QCOMPARE(e.pixels(1).size(), QSize(49, 49)); // 6933 / 138.67, truncated
    }

    void newObjectStartsFreshInAReusedSlot() {
        EditorHarness e;
        Tobs& old = e.place(1, 10, 10, 5, 5);
        old.Rotation = 1;
        old.Shadow = true;
        old.TextAlign = 2;
        old.ShadowDX = 9;
        e.doc.releaseSlot(1);
        e.page.Toolbar->SpeedItem2->click();
        e.click(QPoint(200, 200));
        const Tobs& o = e.doc.Objs[1];
        QCOMPARE(o.Kind, int(KindText));
        QCOMPARE(o.Rotation, 0);
        QVERIFY(!o.Shadow);
        QCOMPARE(o.TextAlign, 0);
        QCOMPARE(o.ShadowDX, 5);
    }

    void fullTableRefusesEvenWithThePointer_data() {
        QTest::addColumn<int>("tool");
        QTest::newRow("Zeiger") << int(EditorTool::Zeiger);
        QTest::newRow("Figur") << int(EditorTool::Figur);
    }
    void fullTableRefusesEvenWithThePointer() {
        QFETCH(int, tool);
        EditorHarness e;
        for (int i = 1; i <= ObjectTable::MaxObjs; ++i)
            e.place(i, 900, 20, 5, 5);
        e.page.Toolbar->button(EditorTool(tool))->click();
        e.click(QPoint(300, 200));
        QCOMPARE(e.prompts.shown.size(), 1);
        QCOMPARE(e.prompts.shown[0].text, QStringLiteral("Es wurden zuviele Objekte erstellt!"));
        QCOMPARE(e.prompts.shown[0].caption, QStringLiteral("Fehler: Kein freies Objekt mehr"));
        QCOMPARE(e.prompts.shown[0].buttons, Prompts::Buttons::Ok);
        QCOMPARE(e.prompts.shown[0].icon, Prompts::Icon::Information);
        QCOMPARE(e.page.tool(), EditorTool(tool));
        QCOMPARE(e.doc.SelObj, 0);
        QCOMPARE(e.pixels(1), QRect(900, 20, 5, 5));
    }

    void pictureFromTheProgramFolder() {
        EditorHarness e;
        e.page.BMPOpenForm->FileNameEdit->setText(QStringLiteral("alt"));
        e.page.BMPOpenForm->setFolder(QDir::tempPath());
        e.page.Toolbar->SpeedItem10->click();
        QStringList seen;
        answerPictureDialog(e.page, QStringLiteral("breit.png"), true, &seen);
        e.click(QPoint(400, 160));
        // The dialog was opened on the program folder, empty name, the codec's filter.
        QCOMPARE(seen.value(0) + QLatin1Char('/'), ProgPath());
        QCOMPARE(seen.value(1), QString());
        QCOMPARE(seen.value(2).toInt(), filterToNameFilters(GetDIBOpenFilter()).size());
        const Tobs& o = e.doc.Objs[1];
        QCOMPARE(o.Kind, int(KindPicture));
        QCOMPARE(o.Text, QStringLiteral("breit.png"));
        QCOMPARE(o.Picture.width(), 200);
        // 200 x 100 pixels show as 100 x 50 at the start magnification.
        QCOMPARE(o.Width, 100 * 208);
        QCOMPARE(o.Height, 50 * 208);
        QCOMPARE(o.X, 400 * 208);
        QCOMPARE(e.doc.SelObj, 1);
        QCOMPARE(e.page.tool(), EditorTool::Zeiger);
        QVERIFY(e.prompts.shown.isEmpty());
    }

    // The label file keeps names in Windows-1252: a name outside it is placed, with a
    // warning that names the picture.
    void pictureWithANameTheFileCannotHold() {
        const QString name = QStringLiteral("Łódź Grüße.png");
        QVERIFY(QFile::copy(dir.filePath(QStringLiteral("breit.png")), dir.filePath(name)));
        EditorHarness e;
        e.page.Toolbar->SpeedItem10->click();
        answerPictureDialog(e.page, name, true);
        e.click(QPoint(400, 160));
        QCOMPARE(e.doc.Objs[1].Kind, int(KindPicture));
        QCOMPARE(e.doc.Objs[1].Text, name);
        QCOMPARE(e.prompts.shown.size(), 1);
        QVERIFY(e.prompts.shown[0].text.contains(QLatin1Char('"') + name + QLatin1Char('"')));
        QCOMPARE(e.prompts.shown[0].caption, QStringLiteral("Warnung: Bildname nicht speicherbar"));
        QCOMPARE(e.prompts.shown[0].icon, Prompts::Icon::Warning);
    }

    void pictureThatCannotBeLoaded() {
        EditorHarness e;
        e.page.Toolbar->SpeedItem10->click();
        answerPictureDialog(e.page, QStringLiteral("fehlt.png"), true);
        e.click(QPoint(400, 160));
        QCOMPARE(e.prompts.shown.size(), 1);
        QCOMPARE(e.prompts.shown[0].text, QStringLiteral("Konnte Bild (fehlt.png) nicht Laden."));
        QCOMPARE(e.prompts.shown[0].caption, QString());
        QCOMPARE(e.prompts.shown[0].icon, Prompts::Icon::Error);
        QCOMPARE(e.doc.Objs[1].Kind, 0);
        QVERIFY(!e.doc.Objs[1].Picture.hasPicture());
        QCOMPARE(e.doc.SelObj, 0);
        QCOMPARE(e.page.tool(), EditorTool::Bild);
    }

    void pictureDialogCancelled() {
        EditorHarness e;
        e.page.Toolbar->SpeedItem10->click();
        answerPictureDialog(e.page, QStringLiteral("breit.png"), false);
        e.click(QPoint(400, 160));
        QVERIFY(e.prompts.shown.isEmpty());
        QVERIFY(!e.doc.anyObjectInUse());
        QCOMPARE(e.page.tool(), EditorTool::Bild);
    }

    void pictureExtentRule() {
        LabelDocument doc;
        QCOMPARE(pictureExtent(doc, 200), 20800); // Trunc(200 x 104.17 / 208) = 100 pixels
        QCOMPARE(pictureExtent(doc, 3), 208);     // 1.5 pixels shown as 1
        doc.UnitsPerPixel = 138.67;
        QCOMPARE(pictureExtent(doc, 200), doc.FromPixels(150));
    }

    void skipNextPressIgnoresOnePointerPress() {
        EditorHarness e;
        e.place(1, 100, 100, 50, 50);
        QSignalSpy doubleClicks(&e.page, &EditorPage::paintBoxDoubleClicked);
        e.page.SkipNextPress = true;
        e.click(QPoint(120, 120));
        QCOMPARE(e.doc.SelObj, 0);
        QVERIFY(!e.page.SkipNextPress);
        e.click(QPoint(120, 120));
        QCOMPARE(e.doc.SelObj, 1);
        // A double click reports itself before its second press arrives.
        connect(&e.page, &EditorPage::paintBoxDoubleClicked, &e.page,
                [&e] { e.page.SkipNextPress = true; });
        QTest::mouseDClick(e.box(), Qt::LeftButton, {}, QPoint(125, 125));
        QCOMPARE(doubleClicks.size(), 1);
        QCOMPARE(doubleClicks[0][0].toPoint(), QPoint(125, 125));
        QVERIFY(!e.page.SkipNextPress);
        QCOMPARE(e.page.MouseState, 0); // the press after the double click did not drag
    }

    void rightPressSelectsForTheMenus() {
        EditorHarness e;
        e.place(1, 100, 100, 50, 50);
        e.place(2, 130, 130, 50, 50);
        QSignalSpy objectMenu(&e.page, &EditorPage::objectMenuRequested);
        QSignalSpy areaMenu(&e.page, &EditorPage::workAreaMenuRequested);
        e.click(QPoint(105, 105), Qt::RightButton);
        QCOMPARE(e.doc.SelObj, 1);
        QCOMPARE(objectMenu.size(), 1);
        e.click(QPoint(140, 140), Qt::RightButton); // inside the selection, under slot 2
        QCOMPARE(e.doc.SelObj, 1);
        QCOMPARE(objectMenu.size(), 2);
        e.click(QPoint(400, 300), Qt::RightButton);
        QCOMPARE(e.doc.SelObj, 0);
        QCOMPARE(areaMenu.size(), 1);
        QVERIFY(!e.doc.Objs[3].Kind); // right releases create nothing
    }
};

QTEST_MAIN(TestTools)
#include "tst_tools.moc"
