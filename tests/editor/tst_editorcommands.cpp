#include "codec/appevents.h"
#include "document/progpath.h"
#include "editor/bkgndform.h"
#include "editor/bmpopenform.h"
#include "editor/colourbutton.h"
#include "editor/editormenus.h"
#include "editor/effektform.h"
#include "editor/positionform.h"
#include "editor/speedbar.h"
#include "editor/transparenzform.h"
#include "editor/txtform.h"
#include "editorharness.h"
#include "whenshown.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolButton>

#include <functional>

namespace {
const QRgb White = qRgb(255, 255, 255);
const QRgb Red = qRgb(255, 0, 0);
const QRgb Green = qRgb(0, 255, 0);
const QRgb Blue = qRgb(0, 0, 255);
const QRgb Yellow = qRgb(255, 255, 0);
const QRgb Black = qRgb(0, 0, 0);

void answerPictureDialog(EditorPage& page, const QString& name) {
    TBMPOpenForm* form = page.BMPOpenForm;
    whenShown(form, [form, name] {
        form->FileNameEdit->setText(name);
        form->OpenBtn->click();
    });
}

// Pixels of the edited view with a colour, inside a paint-box rectangle.
int countPixels(EditorPage& page, const QRect& area, const std::function<bool(QRgb)>& match) {
    const QRect r = area.translated(-page.scrollX(), -page.scrollY()) & page.EditBitmap.rect();
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += match(page.EditBitmap.pixel(x, y));
    return n;
}
bool reddish(QRgb c) {
    return qRed(c) > 200 && qGreen(c) < 80 && qBlue(c) < 80;
}
bool redInk(QRgb c) { // dark red or red
    return qRed(c) > 100 && qGreen(c) < 90 && qBlue(c) < 90;
}
bool dark(QRgb c) {
    return qGray(c) < 128;
}

Tobs& placeText(EditorHarness& e, int slot, const QString& text) {
    Tobs& o = e.place(slot, 100, 100, 200, 60);
    o.Kind = KindText;
    o.Text = text;
    o.FontName = QStringLiteral("DejaVu Sans");
    o.FontSize = 12;
    o.Shape = 3;
    return o;
}

Tobs& placePicture(EditorHarness& e, int slot, int w, int h, QRgb fill = Red) {
    Tobs& o = e.place(slot, 100, 100, 50, 50);
    o.Kind = KindPicture;
    o.Shape = 3;
    newdib(o.Picture, w, h, 24, nullptr, 0);
    o.Picture.Image.fill(fill);
    return o;
}

QStringList enabledEntries(const QMenu* menu) {
    QStringList on;
    for (const QAction* a : menu->actions())
        if (!a->isSeparator() && a->isEnabled())
            on << a->objectName();
    return on;
}
QStringList checkedEntries(const QMenu* menu) {
    QStringList on;
    for (const QAction* a : menu->actions())
        if (a->isChecked())
            on << a->objectName();
    return on;
}
} // namespace

class TestEditorCommands : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    void initTestCase() {
        QVERIFY(dir.isValid());
        initProgPath(dir.path());
        // Columns red, green, blue, yellow in the upper half; black below.
        QImage quarters(400, 100, QImage::Format_RGB32);
        quarters.fill(Black);
        const QRgb top[4] = {Red, Green, Blue, Yellow};
        for (int x = 0; x < 400; ++x)
            for (int y = 0; y < 50; ++y)
                quarters.setPixel(x, y, top[x / 100]);
        QVERIFY(quarters.save(dir.filePath(QStringLiteral("viertel.png"))));
        QFile broken(dir.filePath(QStringLiteral("kaputt.png")));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("kein Bild");
    }

    void objectMenuByKind_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("align");
        QTest::addColumn<int>("shape");
        QTest::addColumn<bool>("keepAspect");
        QTest::addColumn<QStringList>("enabled");
        QTest::addColumn<QStringList>("checked");
        const QString always = QStringLiteral("Lschen1 Nachvorne1 NachHinen1 ");
        const QString shapes = QStringLiteral(
            " KreisM EllipseM QuadratM RechteckM Rund1M Rund2M Liniehorizontal1 Linievertikal1");
        const QString turns = QStringLiteral(" Nachlinksrotieren1 Nachrechtsrotieren1");
        const QString place = QStringLiteral(" PositionM");
        auto names = [](const QString& list) { return list.split(QLatin1Char(' ')); };
        QTest::newRow("figure") << int(KindFigure) << 0 << 5 << false
                                << names(always + QStringLiteral("FarbeM LinieFuellungM") + shapes +
                                         place)
                                << names(QStringLiteral("Rund2M"));
        QTest::newRow("text") << int(KindText) << 1 << 3 << false
                              << names(always +
                                       QStringLiteral("FarbeM SchriftartM Texteffekte1 Linksbnig1 "
                                                      "Zentriert1 Rechtsbndig1") +
                                       turns + place)
                              << names(QStringLiteral("Zentriert1 RechteckM"));
        QTest::newRow("picture") << int(KindPicture) << 0 << 3 << true
                                 << names(always + QStringLiteral("Transparenz1 SverhM") + turns +
                                          place)
                                 << names(QStringLiteral("SverhM RechteckM"));
    }
    void objectMenuByKind() {
        QFETCH(int, kind);
        QFETCH(int, align);
        QFETCH(int, shape);
        QFETCH(bool, keepAspect);
        QFETCH(QStringList, enabled);
        QFETCH(QStringList, checked);
        EditorHarness e;
        Tobs& o = e.place(1, 100, 100, 50, 50);
        o.Kind = kind;
        o.TextAlign = align;
        o.Shape = shape;
        o.KeepAspect = keepAspect;
        e.click(QPoint(120, 120), Qt::RightButton);
        QMenu* menu = e.page.Menus->PopupMenu1;
        QVERIFY(menu->isVisible());
        QVERIFY(!e.page.Menus->PBoxPopup->isVisible());
        QCOMPARE(e.doc.SelObj, 1);
        QCOMPARE(enabledEntries(menu), enabled);
        QCOMPARE(checkedEntries(menu), checked);
        QCOMPARE(menu->actions().size(), 31); // 24 entries, 7 separators
        QCOMPARE(menu->actions().at(0)->text(), QStringLiteral("&Löschen..."));
        QCOMPARE(menu->actions().at(0)->shortcut(), QKeySequence(Qt::Key_Delete));
        menu->hide();
    }

    // Choosing an alignment in the menu leaves one alignment ticked, also in the
    // (disabled) entries that a figure's menu shows next.
    void oneAlignmentTicked() {
        EditorHarness e;
        placeText(e, 1, QStringLiteral("links")).TextAlign = 0;
        e.place(2, 400, 300, 50, 50);
        QMenu* menu = e.page.Menus->PopupMenu1;
        e.click(QPoint(150, 120), Qt::RightButton);
        QCOMPARE(e.doc.SelObj, 1);
        e.page.Menus->action(QStringLiteral("Zentriert1"))->trigger();
        menu->hide();
        QCOMPARE(e.doc.Objs[1].TextAlign, 1);
        e.click(QPoint(420, 320), Qt::RightButton);
        QCOMPARE(e.doc.SelObj, 2);
        QStringList ticked;
        for (const QString& name : checkedEntries(menu))
            if (name == QLatin1String("Linksbnig1") || name == QLatin1String("Zentriert1") ||
                name == QLatin1String("Rechtsbndig1"))
                ticked << name;
        QCOMPARE(ticked, QStringList{QStringLiteral("Zentriert1")});
        menu->hide();
    }

    void menusFollowTheHoverTestThenTheHitTest() {
        EditorHarness e;
        e.place(1, 100, 100, 50, 50);
        e.place(2, 130, 130, 50, 50);
        QMenu* objectMenu = e.page.Menus->PopupMenu1;
        e.click(QPoint(105, 105), Qt::RightButton); // unselected: selects it
        QCOMPARE(e.doc.SelObj, 1);
        QVERIFY(objectMenu->isVisible());
        objectMenu->hide();
        e.click(QPoint(140, 140), Qt::RightButton); // inside the selection, under slot 2
        QCOMPARE(e.doc.SelObj, 1);
        QVERIFY(objectMenu->isVisible());
        objectMenu->hide();
        // A right press during a drag opens nothing and keeps the grab.
        e.press(QPoint(110, 110));
        QCOMPARE(e.page.MouseState, 1);
        const DragState grab = e.page.Drag;
        e.press(QPoint(400, 300), Qt::RightButton);
        QVERIFY(!objectMenu->isVisible() && !e.page.Menus->PBoxPopup->isVisible());
        QCOMPARE(e.doc.SelObj, 1);
        QCOMPARE(e.page.Drag.DragMode, grab.DragMode);
        e.release(QPoint(110, 110));
        QCOMPARE(e.page.MouseState, 0);
    }

    void workAreaMenuAndHintsInTheStatusLine() {
        QMainWindow window;
        LabelDocument doc;
        ScriptedPrompts prompts;
        auto* page = new EditorPage(doc, prompts, {}, &window);
        window.setCentralWidget(page);
        window.statusBar();
        window.resize(900, 500);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        doc.Objs[1].Kind = KindFigure;
        doc.Objs[1].Width = doc.Objs[1].Height = 10000;
        doc.SelObj = 1;
        QTest::mouseClick(page->PaintBox1, Qt::RightButton, {}, QPoint(400, 300));
        QCOMPARE(doc.SelObj, 0);
        QMenu* area = page->Menus->PBoxPopup;
        QVERIFY(area->isVisible());
        QVERIFY(!page->Menus->PopupMenu1->isVisible());
        QCOMPARE(area->actions().size(), 1);
        QCOMPARE(area->actions().at(0)->text(), QStringLiteral("&Hintergrundbild..."));
        area->setActiveAction(area->actions().at(0));
        QCOMPARE(window.statusBar()->currentMessage(),
                 QStringLiteral("Ändert die Einstellungen des Hintergrundbildes"));
        area->hide();
        QCOMPARE(window.statusBar()->currentMessage(), QString());

        QTest::mouseClick(page->PaintBox1, Qt::RightButton, {}, QPoint(2, 2));
        QMenu* menu = page->Menus->PopupMenu1;
        QVERIFY(menu->isVisible());
        menu->setActiveAction(page->Menus->action(QStringLiteral("Nachvorne1")));
        QCOMPARE(window.statusBar()->currentMessage(),
                 QStringLiteral("Bringt das Objekt nach vorne, so daß es immer sichtbar ist"));
        menu->hide();
        // The background button says what it does, too.
        QToolButton* background = page->SpeedBar2->HintergrundBtn;
        QVERIFY(background->isEnabled());
        QCOMPARE(background->statusTip(), QStringLiteral("Hintergrund auswählen"));
    }

    void stackingOrder() {
        EditorHarness e;
        e.place(1, 10, 10, 20, 20).Color = 1;
        e.place(2, 40, 10, 20, 20).Color = 2;
        e.place(3, 70, 10, 20, 20).Color = 3;
        e.doc.SelObj = 2;
        e.page.Menus->action(QStringLiteral("Nachvorne1"))->trigger();
        QCOMPARE(e.doc.SelObj, ObjectTable::MaxObjs);
        QCOMPARE(e.doc.Objs[ObjectTable::MaxObjs].Color, 2);
        QCOMPARE(e.doc.Objs[2].Kind, int(KindFree));
        e.doc.SelObj = 3;
        e.page.Menus->action(QStringLiteral("NachHinen1"))->trigger();
        QCOMPARE(e.doc.SelObj, 1);
        QCOMPARE(e.doc.Objs[1].Color, 3);
        QCOMPARE(e.doc.Objs[3].Color, 1);
        QCOMPARE(e.doc.Objs[3].Kind, int(KindFigure));
    }

    void deleteAsksFirst_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("deleted");
        QTest::newRow("Nein") << int(Prompts::Answer::No) << false;
        QTest::newRow("Ja") << int(Prompts::Answer::Yes) << true;
    }
    void deleteAsksFirst() {
        QFETCH(int, answer);
        QFETCH(bool, deleted);
        EditorHarness e;
        Tobs& o = placePicture(e, 4, 8, 8);
        const TDibRecord copy = o.Picture;
        e.doc.SelObj = 4;
        e.prompts.answers.enqueue(Prompts::Answer(answer));
        e.page.Menus->action(QStringLiteral("Lschen1"))->trigger();
        QCOMPARE(e.prompts.shown.size(), 1);
        QCOMPARE(e.prompts.shown[0].text, QStringLiteral("Wollen Sie das Element löschen?"));
        QCOMPARE(e.prompts.shown[0].caption, QStringLiteral("Element löschen"));
        QCOMPARE(e.prompts.shown[0].buttons, Prompts::Buttons::YesNo);
        QCOMPARE(e.prompts.shown[0].icon, Prompts::Icon::Question);
        QCOMPARE(e.doc.Objs[4].Kind, deleted ? int(KindFree) : int(KindPicture));
        QCOMPARE(e.doc.Objs[4].Picture.hasPicture(), !deleted);
        QCOMPARE(e.doc.SelObj, deleted ? 0 : 4);
        QVERIFY(copy.hasPicture()); // a shared copy keeps its pixels
    }

    void keys_data() {
        QTest::addColumn<QList<int>>("used");
        QTest::addColumn<int>("selected");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("after");
        QTest::newRow("one object, down") << QList<int>{7} << 7 << int(Qt::Key_Down) << 7;
        QTest::newRow("one object, up") << QList<int>{7} << 7 << int(Qt::Key_Up) << 7;
        QTest::newRow("next slot in use") << QList<int>{2, 9, 40} << 9 << int(Qt::Key_Down) << 40;
        QTest::newRow("up goes forward too") << QList<int>{2, 9, 40} << 9 << int(Qt::Key_Up) << 40;
        QTest::newRow("wraps to the first") << QList<int>{2, 9, 40} << 40 << int(Qt::Key_Down) << 2;
        // With nothing selected, the lowest slot in use.
        QTest::newRow("nothing selected") << QList<int>{2, 9} << 0 << int(Qt::Key_Down) << 2;
        QTest::newRow("nothing selected, up") << QList<int>{9, 40} << 0 << int(Qt::Key_Up) << 9;
        QTest::newRow("nothing in use") << QList<int>{} << 0 << int(Qt::Key_Down) << 0;
        QTest::newRow("escape clears") << QList<int>{2, 9} << 9 << int(Qt::Key_Escape) << 0;
        // The last two slots, where "Nach vorne" puts an object, are reached too.
        QTest::newRow("reaches 9999") << QList<int>{5, 9999} << 5 << int(Qt::Key_Down) << 9999;
        QTest::newRow("reaches 10000")
            << QList<int>{9999, 10000} << 9999 << int(Qt::Key_Up) << 10000;
        QTest::newRow("wraps from 10000")
            << QList<int>{7, 10000} << 10000 << int(Qt::Key_Down) << 7;
    }
    void keys() {
        QFETCH(QList<int>, used);
        QFETCH(int, selected);
        QFETCH(int, key);
        QFETCH(int, after);
        EditorHarness e;
        e.page.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&e.page));
        for (int slot : used)
            e.place(slot, 10 * slot, 10, 5, 5);
        e.click(QPoint(700, 300), Qt::MiddleButton); // gives the editor the keyboard
        QVERIFY(e.page.KeyEdit->hasFocus());
        e.doc.SelObj = selected;
        QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key(key));
        QCOMPARE(e.doc.SelObj, after);
        QVERIFY(e.prompts.shown.isEmpty());
    }

    void deleteKeyOnlyInTheEditorAndNotWhileDragging() {
        EditorHarness e;
        e.page.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&e.page));
        auto* field = new QLineEdit(&e.page); // a field of another page
        field->show();
        e.place(1, 100, 100, 50, 50);
        e.doc.SelObj = 1;
        field->setFocus();
        QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Delete);
        QVERIFY(e.prompts.shown.isEmpty());
        e.press(QPoint(110, 110)); // drag under way; the press gave the editor the keys
        QVERIFY(e.page.KeyEdit->hasFocus());
        QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Delete);
        QVERIFY(e.prompts.shown.isEmpty());
        e.release(QPoint(110, 110));
        e.prompts.answers.enqueue(Prompts::Answer::No);
        QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Delete);
        QCOMPARE(e.prompts.shown.size(), 1);
    }

    void enterAndF2OpenTheTextDialog_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("opens");
        QTest::newRow("return") << int(KindText) << int(Qt::Key_Return) << true;
        QTest::newRow("enter") << int(KindText) << int(Qt::Key_Enter) << true;
        QTest::newRow("f2") << int(KindText) << int(Qt::Key_F2) << true;
        QTest::newRow("figure") << int(KindFigure) << int(Qt::Key_F2) << false;
    }
    void enterAndF2OpenTheTextDialog() {
        QFETCH(int, kind);
        QFETCH(int, key);
        QFETCH(bool, opens);
        EditorHarness e;
        placeText(e, 3, QStringLiteral("Eins\rZwei")).Kind = kind;
        e.doc.SelObj = 3;
        QString seen;
        QTimer::singleShot(0, &e.page, [&] {
            if (QApplication::activeModalWidget() == e.page.TxtForm) {
                seen = e.page.TxtForm->Memo1->toPlainText();
                e.page.TxtForm->CancelBtn->click();
            }
        });
        e.page.KeyEdit->setFocus();
        QTest::keyClick(e.page.KeyEdit, Qt::Key(key));
        QCOMPARE(seen, opens ? QStringLiteral("Eins\nZwei") : QString());
        QCOMPARE(e.doc.Undo.count(), 0);
    }

    void positionDialog_data() {
        QTest::addColumn<bool>("picture"); // 200 x 100, keeping its aspect ratio
        QTest::addColumn<QString>("field");
        QTest::addColumn<double>("typed");
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("height");
        // The box starts 100 x 100 mm at the label's corner.
        QTest::newRow("width pulls height") << true << "BreiteEd" << 40.0 << 40.0 << 20.0;
        QTest::newRow("height pulls width") << true << "HoeheEd" << 15.0 << 30.0 << 15.0;
        // The height stops at the work area (3 x 35.7 mm), the width gives way.
        QTest::newRow("partner at its limit") << true << "BreiteEd" << 266.0 << 214.2 << 107.1;
        QTest::newRow("figure not coupled") << false << "BreiteEd" << 40.0 << 40.0 << 100.0;
        QTest::newRow("position only") << true << "XEd" << 3.0 << 100.0 << 100.0;
    }
    void positionDialog() {
        QFETCH(bool, picture);
        QFETCH(QString, field);
        QFETCH(double, typed);
        QFETCH(double, width);
        QFETCH(double, height);
        LabelDocument doc;
        Tobs o;
        o.Kind = picture ? KindPicture : KindFigure;
        o.KeepAspect = true;
        o.Picture.Image = QImage(200, 100, QImage::Format_RGB32);
        o.X = labelLeftUnits(doc.Format);
        o.Y = labelTopUnits(doc.Format);
        o.Width = o.Height = mmToUnits(100.0) + 1;
        TPositionForm form;
        form.preset(o, doc.Format);
        QCOMPARE(form.XEd->value(), 0.0);
        QCOMPARE(form.BreiteEd->value(), 100.0);
        QCOMPARE(form.BreiteEd->text(), QLocale().toString(100.0, 'f', 2) + QStringLiteral(" mm"));
        QVERIFY(form.change().empty());
        form.findChild<QDoubleSpinBox*>(field)->setValue(typed);
        QCOMPARE(form.BreiteEd->value(), width);
        QCOMPARE(form.HoeheEd->value(), height);
        const PlacementChange c = form.change();
        QCOMPARE(c.x.has_value(), field == QLatin1String("XEd"));
        QVERIFY(!c.y);
        QCOMPARE(c.width.has_value(), width != 100.0);
        QCOMPARE(c.height.has_value(), height != 100.0);
    }

    void positionDialogBringsBackWhatIsFarAway() {
        LabelDocument doc;
        Tobs o;
        o.Kind = KindFigure;
        o.X = -2000000000;
        o.Y = 30000;
        o.Width = 0;
        o.Height = 10000;
        TPositionForm form;
        form.preset(o, doc.Format);
        QCOMPARE(form.XEd->value(), -88.9);
        QCOMPARE(form.BreiteEd->value(), 0.1);
        // Shown at the limits, so OK writes them; the fields in range write nothing.
        const PlacementChange c = form.change();
        QVERIFY(c.x && c.width && !c.y && !c.height);
    }

    void textDialogLines_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("memo");
        QTest::addColumn<QString>("stored");
        QTest::newRow("two lines") << "Erste Zeile\rZweite"
                                   << "Erste Zeile\nZweite"
                                   << "Erste Zeile\rZweite";
        QTest::newRow("empty") << ""
                               << ""
                               << "";
        QTest::newRow("closing return dropped") << "a\r"
                                                << "a"
                                                << "a";
        QTest::newRow("empty line inside") << "a\r\rb"
                                           << "a\n\nb"
                                           << "a\r\rb";
    }
    void textDialogLines() {
        QFETCH(QString, text);
        QFETCH(QString, memo);
        QFETCH(QString, stored);
        EditorHarness e;
        placeText(e, 1, text);
        e.doc.SelObj = 1;
        QString seen;
        bool focused = false;
        whenShown(e.page.TxtForm, [&] {
            seen = e.page.TxtForm->Memo1->toPlainText();
            focused = e.page.TxtForm->focusWidget() == e.page.TxtForm->Memo1;
            e.page.TxtForm->OKBtn->click();
        });
        QTest::mouseDClick(e.box(), Qt::LeftButton, {}, QPoint(150, 120));
        QCOMPARE(seen, memo);
        QVERIFY(focused);
        QCOMPARE(e.doc.Objs[1].Text, stored);
        QCOMPARE(e.page.TxtForm->windowTitle(), QStringLiteral("Text eingeben..."));
        QCOMPARE(e.page.TxtForm->size(), QSize(417, 240));
        // The double click's press was taken; the next real press counts again.
        QVERIFY(!e.page.SkipNextPress);
        QCOMPARE(e.page.MouseState, 0);
    }

    void textDialogCancelAndTyping() {
        EditorHarness e;
        placeText(e, 1, QStringLiteral("alt"));
        e.doc.SelObj = 1;
        whenShown(e.page.TxtForm, [&] {
            e.page.TxtForm->Memo1->setPlainText(QStringLiteral("neu"));
            e.page.TxtForm->CancelBtn->click();
        });
        e.page.PaintBox1DblClick(150, 120);
        QCOMPARE(e.doc.Objs[1].Text, QStringLiteral("alt"));
        e.page.SkipNextPress = false;
        // Long texts with control characters go in and are drawn.
        const QString typed = QString(100000, QLatin1Char('x')) + QChar(7) + QStringLiteral("\nb");
        whenShown(e.page.TxtForm, [&] {
            e.page.TxtForm->Memo1->setPlainText(typed);
            e.page.TxtForm->OKBtn->click();
        });
        e.page.PaintBox1DblClick(150, 120);
        QCOMPARE(e.doc.Objs[1].Text, QString(typed).replace(QLatin1Char('\n'), QChar(13)));
        QVERIFY(countPixels(e.page, e.pixels(1), dark) > 0);
        // Not a text, or not the pointer: no dialog.
        e.page.SkipNextPress = false;
        e.doc.Objs[1].Kind = KindFigure;
        e.page.PaintBox1DblClick(150, 120);
        QVERIFY(!e.page.SkipNextPress);
    }

    // A real double click on the selected text, the text dialog cancelled: the
    // double click's second press neither starts a drag nor changes the selection.
    void cancelledDoubleClickTakesNoPress() {
        EditorHarness e;
        placeText(e, 1, QStringLiteral("alt"));
        e.place(2, 400, 110, 60, 40);
        e.doc.SelObj = 1;
        const QPoint at(150, 120);
        bool asked = false;
        whenShown(e.page.TxtForm, [&] {
            asked = true;
            e.page.TxtForm->CancelBtn->click();
        });
        e.press(at);
        e.release(at);
        QMouseEvent second(QEvent::MouseButtonDblClick, QPointF(at),
                           e.box()->mapToGlobal(QPointF(at)), Qt::LeftButton, Qt::LeftButton, {});
        QCoreApplication::sendEvent(e.box(), &second);
        QVERIFY(asked);
        QCOMPARE(e.page.MouseState, 0);
        const Tobs before = e.doc.Objs[1];
        e.move(QPoint(420, 130)); // over the figure
        e.release(QPoint(420, 130));
        QCOMPARE(e.doc.SelObj, 1);
        QCOMPARE(e.doc.Objs[1].X, before.X);
        QCOMPARE(e.doc.Objs[1].Y, before.Y);
        QCOMPARE(e.doc.Objs[1].Text, QStringLiteral("alt"));
    }

    void turning_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("left");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("rotation");
        QTest::addColumn<int>("newWidth");
        QTest::addColumn<int>("newHeight");
        QTest::addColumn<int>("newRotation");
        QTest::newRow("picture right")
            << int(KindPicture) << false << 10400 << 0 << 5200 << 10400 << 1;
        QTest::newRow("picture left")
            << int(KindPicture) << true << 10400 << 0 << 5200 << 10400 << 3;
        QTest::newRow("lost units")
            << int(KindPicture) << false << 10500 << 3 << 5200 << 10400 << 0;
        QTest::newRow("text right") << int(KindText) << false << 10400 << 3 << 10400 << 5200 << 0;
        QTest::newRow("text left") << int(KindText) << true << 10400 << 0 << 10400 << 5200 << 3;
        QTest::newRow("figure") << int(KindFigure) << false << 10400 << 0 << 10400 << 5200 << 0;
    }
    void turning() {
        QFETCH(int, kind);
        QFETCH(bool, left);
        QFETCH(int, width);
        QFETCH(int, rotation);
        QFETCH(int, newWidth);
        QFETCH(int, newHeight);
        QFETCH(int, newRotation);
        QWidget window; // receives the progress
        int progressEvents = 0;
        struct Counter : QObject {
            int& n;
            explicit Counter(int& count) : n(count) {}
            bool eventFilter(QObject*, QEvent* ev) override {
                n += ev->type() == ProgressEventType;
                return false;
            }
        } counter(progressEvents);
        window.installEventFilter(&counter);
        LabelDocument doc;
        ScriptedPrompts prompts;
        EditorPage page(doc, prompts, {}, &window);
        QCOMPARE(doc.UnitsPerPixel, 208.0);
        Tobs& o = doc.Objs[1];
        o.Kind = kind;
        o.Width = width;
        o.Height = 5200;
        o.Rotation = rotation;
        newdib(o.Picture, 4, 2, 24, nullptr, 0);
        o.Picture.Image.fill(Black);
        o.Picture.Image.setPixel(0, 0, Red); // top left
        doc.SelObj = 1;
        page.Menus
            ->action(left ? QStringLiteral("Nachlinksrotieren1")
                          : QStringLiteral("Nachrechtsrotieren1"))
            ->trigger();
        QCOMPARE(o.Width, newWidth);
        QCOMPARE(o.Height, newHeight);
        QCOMPARE(o.Rotation, newRotation);
        if (kind == KindPicture) {
            QCOMPARE(o.Picture.Image.size(), QSize(2, 4));
            QCOMPARE(o.Picture.Image.pixel(left ? 0 : 1, left ? 3 : 0), Red);
            QVERIFY(progressEvents > 0);
        } else {
            QCOMPARE(o.Picture.Image.size(), QSize(4, 2));
        }
    }

    void colourCommand() {
        EditorHarness e;
        Tobs& o = e.place(1, 100, 100, 40, 40);
        o.Color = 0x00FF00;
        e.doc.SelObj = 1;
        e.prompts.colors.enqueue(std::nullopt);
        e.page.Menus->action(QStringLiteral("FarbeM"))->trigger();
        QCOMPARE(o.Color, 0x00FF00);
        e.prompts.colors.enqueue(0x0000FF); // red
        e.page.Menus->action(QStringLiteral("FarbeM"))->trigger();
        QCOMPARE(e.prompts.colorPresets, (QList<int32_t>{0x00FF00, 0x00FF00}));
        QCOMPARE(o.Color, 0x0000FF);
        QVERIFY(countPixels(e.page, e.pixels(1).adjusted(3, 3, -3, -3), reddish) > 1000);
        // A picture has no colour of its own.
        o.Kind = KindPicture;
        e.prompts.colors.enqueue(0x123456);
        e.page.FarbBtnClick();
        QCOMPARE(o.Color, 0x0000FF);
        QCOMPARE(e.prompts.colorPresets.size(), 2);
    }

    void fontCommand() {
        EditorHarness e;
        Tobs& o = placeText(e, 1, QStringLiteral("Hallo"));
        o.FontHeight = -16;
        o.FontSize = 10;
        o.FontPitch = 2;
        o.FontStyle = 0;
        o.Color = 0x000080;
        o.FontColor = 0x777777;
        e.doc.SelObj = 1;
        e.page.PaintBox1Paint();
        const int smallInk = countPixels(e.page, e.pixels(1), redInk);
        QVERIFY(smallInk > 0);
        Prompts::FontChoice chosen{QStringLiteral("DejaVu Serif"), -32, 24, 0, 1, 0x0000FF};
        e.prompts.fonts.enqueue(chosen);
        e.page.Menus->action(QStringLiteral("SchriftartM"))->trigger();
        const Prompts::FontChoice preset{QStringLiteral("DejaVu Sans"), -16, 10, 2, 0, 0x000080};
        QCOMPARE(e.prompts.fontPresets.size(), 1);
        QVERIFY(e.prompts.fontPresets[0] == preset);
        QCOMPARE(o.FontName, QStringLiteral("DejaVu Serif"));
        QCOMPARE(o.FontSize, 24);
        QCOMPARE(o.FontHeight, -32);
        QCOMPARE(o.FontStyle, uint8_t(1));
        QCOMPARE(o.Color, 0x0000FF);
        QCOMPARE(o.FontColor, 0x777777);
        QVERIFY(countPixels(e.page, e.pixels(1), redInk) > 2 * smallInk);
        // The next new text takes the chosen font.
        e.page.Toolbar->SpeedItem2->click();
        e.click(QPoint(400, 250));
        const Tobs& next = e.doc.Objs[e.doc.SelObj];
        QCOMPARE(next.Kind, int(KindText));
        QCOMPARE(next.FontName, QStringLiteral("DejaVu Serif"));
        QCOMPARE(next.FontSize, 24);
        QCOMPARE(next.FontColor, 0x0000FF);
    }

    void effectsDialog_data() {
        QTest::addColumn<bool>("accept");
        QTest::newRow("OK") << true;
        QTest::newRow("Abbrechen") << false;
    }
    void effectsDialog() {
        QFETCH(bool, accept);
        EditorHarness e;
        Tobs& o = placeText(e, 1, QStringLiteral("Schatten"));
        o.FontSize = 20;
        o.ShadowColor = 0x00FF00;
        o.OutlineColor = 0x00FFFF;
        o.ShadowDX = 7;
        o.ShadowDY = 8;
        e.doc.SelObj = 1;
        TEffektForm* form = e.page.EffektForm;
        int presetDX = 0, presetDY = 0;
        bool presetShadow = true;
        QStringList units; // what stands right beside each distance
        auto unitBeside = [form](QSpinBox* spin) {
            for (int dx = 1; dx < 40; ++dx) {
                const QPoint right =
                    spin->mapTo(form, QPoint(spin->width() + dx, spin->height() / 2));
                if (auto* label = qobject_cast<QLabel*>(form->childAt(right)))
                    return label->text();
            }
            return QString();
        };
        e.prompts.colors.enqueue(0x0000FF); // shadow red
        whenShown(form, [&] {
            presetDX = form->SchattED1->value();
            presetDY = form->SchattEd2->value();
            presetShadow = form->SchattCheck->isChecked();
            units << unitBeside(form->SchattED1) << unitBeside(form->SchattEd2);
            form->SchattCheck->setChecked(true);
            form->BitBtn2->click();
            form->SchattED1->setValue(-30);
            form->SchattEd2->setValue(20);
            (accept ? form->OKBtn : form->CancelBtn)->click();
        });
        e.page.Menus->action(QStringLiteral("Texteffekte1"))->trigger();
        QCOMPARE(presetDX, 7);
        QCOMPARE(presetDY, 8);
        QCOMPARE(units, (QStringList{QStringLiteral("0,1 mm"), QStringLiteral("0,1 mm")}));
        QVERIFY(!presetShadow);
        QCOMPARE(e.prompts.colorPresets, QList<int32_t>{0x00FF00});
        QCOMPARE(o.Shadow, accept);
        QCOMPARE(o.ShadowColor, accept ? 0x0000FF : 0x00FF00);
        QCOMPARE(o.OutlineColor, 0x00FFFF);
        QCOMPARE(o.ShadowDX, accept ? -30 : 7);
        QCOMPARE(o.ShadowDY, accept ? 20 : 8);
        const int red = countPixels(e.page, e.pixels(1).adjusted(-20, -20, 20, 20), reddish);
        QVERIFY(accept ? red > 20 : red == 0);
        QCOMPARE(form->windowTitle(), QStringLiteral("Effekte"));
        QCOMPARE(form->SchattED1->accessibleName(), QStringLiteral("Entfernung Horizontal"));
    }

    void transparencyDialog() {
        EditorHarness e;
        Tobs& o = placePicture(e, 1, 20, 20, Red);
        o.Picture.Image.fill(Red);
        for (int x = 0; x < 20; ++x)
            o.Picture.Image.setPixel(x, 0, Blue);
        o.TransColor = 0x00FF00;
        e.doc.SelObj = 1;
        const QRect box = e.pixels(1).adjusted(2, 2, -2, -2);
        e.page.PaintBox1Paint();
        QVERIFY(countPixels(e.page, box, reddish) > 1000);
        TTransForm* form = e.page.TransForm;
        e.prompts.colors.enqueue(0x0000FF);
        whenShown(form, [&] {
            form->TransCheck->setChecked(true);
            form->BitBtn2->click();
            form->OKBtn->click();
        });
        e.page.Menus->action(QStringLiteral("Transparenz1"))->trigger();
        QCOMPARE(e.prompts.colorPresets, QList<int32_t>{0x00FF00});
        QVERIFY(o.Transparent);
        QVERIFY(!o.TransAuto);
        QCOMPARE(o.TransColor, 0x0000FF);
        QCOMPARE(countPixels(e.page, box, reddish), 0); // the label shows through
        QVERIFY(countPixels(e.page, box, [](QRgb c) { return c == White; }) > 1000);
        QCOMPARE(form->windowTitle(), QStringLiteral("Transparenz"));
    }

    void keepAspectAndShapeCommands() {
        EditorHarness e;
        Tobs& pic = placePicture(e, 1, 10, 10);
        pic.KeepAspect = true;
        e.doc.SelObj = 1;
        QAction* keep = e.page.Menus->action(QStringLiteral("SverhM"));
        keep->trigger();
        QVERIFY(!pic.KeepAspect);
        keep->trigger();
        QVERIFY(pic.KeepAspect);
        e.page.shapeClick(0); // a picture has no shape
        QCOMPARE(pic.Shape, 3);
        Tobs& figure = e.place(2, 200, 100, 50, 50);
        e.doc.SelObj = 2;
        e.page.Menus->action(QStringLiteral("Linievertikal1"))->trigger();
        QCOMPARE(figure.Shape, 7);
        e.page.SverhMClick(); // nor a figure a kept aspect
        QVERIFY(!figure.KeepAspect);
        e.doc.SelObj = 0;
        e.page.Menus->action(QStringLiteral("KreisM"))->trigger();
        QCOMPARE(figure.Shape, 7);
    }

    void backgroundPreviewIsCentred() {
        QCOMPARE(backgroundPreviewRect(QSize(388, 281), QSize(400, 100)), QRect(0, 92, 388, 97));
        QCOMPARE(backgroundPreviewRect(QSize(388, 281), QSize(100, 400)), QRect(159, 0, 70, 281));
    }

    void backgroundModes_data() {
        QTest::addColumn<int>("radio");
        QTest::addColumn<QList<QRgb>>("colours"); // at (0.1, 0.1), (0.9, 0.1), (0.1, 0.6)
        QTest::newRow("Angepasst an Karte") << 1 << QList<QRgb>{Red, Yellow, Black};
        QTest::newRow("Zentriert kleiner") << 2 << QList<QRgb>{White, White, Black};
        QTest::newRow("Zentriert größer") << 3 << QList<QRgb>{Green, Blue, Black};
        QTest::newRow("Kacheln") << 4 << QList<QRgb>{Red, Yellow, Red};
    }
    void backgroundModes() {
        QFETCH(int, radio);
        QFETCH(QList<QRgb>, colours);
        EditorHarness e;
        e.doc.Format.LabelWidth = e.doc.Format.LabelHeight; // a square label
        e.doc.computeWorkArea();
        e.page.applyWorkArea();
        Tbkgndform* form = e.page.bkgndform;
        form->show();
        QVERIFY(form->RadioButton3->isChecked()); // at first
        answerPictureDialog(e.page, QStringLiteral("viertel.png"));
        form->OpenBtn->click();
        QCOMPARE(e.doc.BkgndFile, QStringLiteral("viertel.png"));
        QCOMPARE(e.doc.BkgndPic.Image.size(), QSize(400, 100));
        const QImage preview = form->PaintBox1->grab().toImage();
        QCOMPARE(preview.pixel(5, 100), Red);
        QCOMPARE(preview.pixel(380, 100), Yellow);
        form->findChild<QRadioButton*>(QStringLiteral("RadioButton%1").arg(radio))->click();
        form->OkBitBtn1->click();
        QVERIFY(!form->isVisible());
        QCOMPARE(e.doc.BkgndMode, radio - 1);
        const int W = e.page.PaintBox1->width(), H = e.page.PaintBox1->height();
        const int l = W / 3, t = H / 3, s = 2 * W / 3 - l;
        const QPoint at[3] = {
            {l + s / 10, t + s / 10}, {l + 9 * s / 10, t + s / 10}, {l + s / 10, t + 6 * s / 10}};
        for (int i = 0; i < 3; ++i)
            QCOMPARE(e.page.EditBitmap.pixel(at[i] - QPoint(e.page.scrollX(), e.page.scrollY())),
                     colours[i]);
        // Shown again, the dialog checks the document's mode.
        (radio == 1 ? form->RadioButton2 : form->RadioButton1)->setChecked(true);
        form->show();
        QVERIFY(form->findChild<QRadioButton*>(QStringLiteral("RadioButton%1").arg(radio))
                    ->isChecked());
        form->close();
        QCOMPARE(e.doc.BkgndMode, radio - 1);
    }

    void backgroundNoneAndFailures() {
        EditorHarness e;
        Tbkgndform* form = e.page.bkgndform;
        // Without a background, closing keeps none, whatever is checked.
        form->show();
        form->RadioButton1->click();
        form->OkBitBtn1->click();
        QCOMPARE(e.doc.BkgndMode, int(BkgndNone));
        form->show();
        QVERIFY(form->RadioButton1->isChecked()); // the choice of the last visit
        answerPictureDialog(e.page, QStringLiteral("viertel.png"));
        form->OpenBtn->click();
        form->RadioButton4->click();
        form->OkBitBtn1->click();
        QCOMPARE(e.doc.BkgndMode, int(BkgndTiles));
        const qint64 picture = e.doc.BkgndPic.Image.cacheKey();
        // A picture that cannot be read changes nothing.
        form->show();
        answerPictureDialog(e.page, QStringLiteral("kaputt.png"));
        form->OpenBtn->click();
        QCOMPARE(e.prompts.shown.size(), 1);
        QCOMPARE(e.prompts.shown[0].text, QStringLiteral("Konnte Bild (kaputt.png) nicht Laden."));
        QCOMPARE(e.prompts.shown[0].caption, QString());
        QCOMPARE(e.prompts.shown[0].icon, Prompts::Icon::Error);
        QCOMPARE(e.doc.BkgndFile, QStringLiteral("viertel.png"));
        QCOMPARE(e.doc.BkgndPic.Image.cacheKey(), picture);
        // "Keins", then "Zurück": no background at all.
        form->NoBkGndBtn->click();
        QVERIFY(!e.doc.BkgndPic.hasPicture());
        QCOMPARE(e.doc.BkgndFile, QString());
        form->OkBitBtn1->click();
        QCOMPARE(e.doc.BkgndMode, int(BkgndNone));
        QVERIFY(!e.doc.BkgndPic.hasPicture());
        QCOMPARE(e.page.EditBitmap.pixel(400, 200), White);
    }

    void backgroundButtonOpensTheDialog() {
        EditorHarness e;
        Tbkgndform* form = e.page.bkgndform;
        QString title;
        whenShown(form, [&] {
            title = form->windowTitle();
            form->OkBitBtn1->click();
        });
        e.page.SpeedBar2->HintergrundBtn->click();
        QCOMPARE(title, QStringLiteral("Hintergrundbild auswählen"));
        QVERIFY(!form->isVisible());
        for (QPushButton* b : {form->OpenBtn, form->NoBkGndBtn, form->OkBitBtn1})
            QVERIFY(!b->accessibleName().isEmpty() && !b->statusTip().isEmpty());
    }
};

QTEST_MAIN(TestEditorCommands)
#include "tst_editorcommands.moc"
