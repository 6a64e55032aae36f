#include "app/editmenu.h"
#include "app/lifecyclecommands.h"
#include "app/sdiappform.h"
#include "document/progpath.h"
#include "document/settingsstore.h"
#include "editor/editormenus.h"
#include "editor/editorpage.h"
#include "editor/paintbox.h"
#include "scripteddialogs.h"
#include "scriptedprompts.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

namespace {
struct Window {
    ScriptedPrompts prompts;
    TSDIAppForm w{prompts};
    ScriptedDialogs dialogs;
    Window() { w.Lifecycle->setDialogRunner(dialogs.runner()); }
    EditorPage& editor() { return *w.EditorPg; }
};

void key(Qt::Key k, Qt::KeyboardModifiers mods = {}) {
    QWidget* focus = QApplication::focusWidget();
    QVERIFY(focus);
    QTest::keyClick(focus, k, mods);
}
} // namespace

// The editor used with the keyboard alone, in the real window.
class TestKeyboard : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    void initTestCase() {
        SettingsStore::setOverridePath(dir.filePath(QStringLiteral("settings.ini")));
        initProgPath(dir.path());
    }

    void selectMoveMenuAndDelete() {
        Window win;
        LabelDocument& doc = win.w.Doc;
        win.w.show();
        QVERIFY(QTest::qWaitForWindowActive(&win.w));
        win.w.Pages->setCurrentWidget(win.w.EditorPg);
        Tobs& o = doc.Objs[6];
        o.Kind = KindFigure;
        o.Shape = 3;
        o.X = 80000;
        o.Y = 30000;
        o.Width = o.Height = 8000;
        win.editor().scrollToLabel();
        win.editor().PaintBox1Paint();
        QLineEdit* keys = win.editor().KeyEdit;

        // Tab goes round the window's controls to the work area.
        win.w.Pages->tabBar()->setFocus(Qt::TabFocusReason);
        for (int i = 0; i < 40 && !keys->hasFocus(); ++i)
            key(Qt::Key_Tab);
        QVERIFY(keys->hasFocus());
        // Its focus frame shows on the pane's edge.
        const QPoint corner(win.editor().scrollX(), win.editor().scrollY());
        const QImage shown = win.editor().PaintBox1->grab().toImage();
        const QColor frame = win.editor().palette().color(QPalette::Highlight);
        QCOMPARE(shown.pixelColor(corner + QPoint(1, 20)), frame);
        QCOMPARE(keys->accessibleName(), QStringLiteral("Arbeitsfläche"));

        key(Qt::Key_Down); // nothing selected: the lowest slot in use
        QCOMPARE(doc.SelObj, 6);
        QCOMPARE(keys->accessibleName(),
                 QStringLiteral("Arbeitsfläche, ausgewählt: Figur Rechteck"));

        key(Qt::Key_Right, Qt::ControlModifier);
        key(Qt::Key_Right, Qt::ControlModifier);
        QCOMPARE(doc.Objs[6].X, 80000 + 787); // 1 mm
        QCOMPARE(doc.Undo.count(), 1);

        key(Qt::Key_F10, Qt::ShiftModifier);
        QMenu* menu = win.editor().Menus->PopupMenu1;
        QTRY_VERIFY(menu->isVisible());
        // At the object.
        const QRect object(
            win.editor().PaintBox1->mapToGlobal(QPoint(doc.ToPixels(80787), doc.ToPixels(30000))),
            QSize(doc.ToPixels(8000) + 1, doc.ToPixels(8000) + 1));
        // A tall menu is moved up only as far as the screen needs.
        const QRect placed = menu->geometry();
        QVERIFY(placed.left() >= object.left() && placed.left() <= object.right());
        QVERIFY(placed.top() <= object.bottom() && placed.bottom() >= object.top());
        QVERIFY(menu->actions().last()->isEnabled());
        QCOMPARE(menu->actions().last()->text(), QStringLiteral("Position und &Größe..."));
        QTest::keyClick(menu, Qt::Key_Escape);
        QTRY_VERIFY(!menu->isVisible());
        QTRY_VERIFY(keys->hasFocus());

        win.prompts.answers.enqueue(Prompts::Answer::Yes);
        key(Qt::Key_Delete);
        QCOMPARE(win.prompts.shown.size(), 1);
        QCOMPARE(win.prompts.shown[0].text, QStringLiteral("Wollen Sie das Element löschen?"));
        QCOMPARE(doc.Objs[6].Kind, int(KindFree));
        QCOMPARE(doc.SelObj, 0);
        QCOMPARE(keys->accessibleName(), QStringLiteral("Arbeitsfläche"));

        // With nothing selected the menu key offers the work area's menu.
        key(Qt::Key_Menu);
        QTRY_VERIFY(win.editor().Menus->PBoxPopup->isVisible());
        QTest::keyClick(win.editor().Menus->PBoxPopup, Qt::Key_Escape);
        QTRY_VERIFY(!win.editor().Menus->PBoxPopup->isVisible());
    }
};

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
