#include "app/application.h"
#include "app/infodialog.h"
#include "app/mainmenu.h"
#include "app/sdiappform.h"
#include "app/widgetprompts.h"
#include "document/settingsstore.h"
#include "editor/editorpage.h"
#include "scriptedprompts.h"
#include "wizard/wizardpage.h"

#include <QAction>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>
#include <QtTest>
#include <private/qguiapplication_p.h>
#include <qpa/qplatformtheme.h>
#include <qpa/qplatformwindow.h>

#include <utility>

namespace {
// The title a desktop platform (X11, Wayland) gives the window for the title Qt
// hands it: the rule every platform window applies.
struct PlatformTitle : QPlatformWindow {
    using QPlatformWindow::formatWindowTitle;
};
QString platformTitle(const QWidget& w) {
    return PlatformTitle::formatWindowTitle(w.windowHandle()->title(), QStringLiteral(" — "));
}

// Linux desktops have the X11 keyboard scheme, in which text fields take Ctrl+U,
// Ctrl+E, Ctrl+D and Ctrl+H for line editing; the tests' offscreen platform has
// the Windows scheme. This theme answers with the desktops' scheme.
class DesktopKeysTheme : public QPlatformTheme {
public:
    explicit DesktopKeysTheme(QPlatformTheme* base) : base_(base) {}
    QVariant themeHint(ThemeHint hint) const override {
        if (hint == KeyboardScheme)
            return int(X11KeyboardScheme);
        return base_ ? base_->themeHint(hint) : QPlatformTheme::themeHint(hint);
    }
    const QPalette* palette(Palette type) const override {
        return base_ ? base_->palette(type) : nullptr;
    }
    const QFont* font(Font type) const override { return base_ ? base_->font(type) : nullptr; }

private:
    QPlatformTheme* base_;
};
} // namespace

class TestCaptionsAndKeys : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QPlatformTheme* offscreenTheme = nullptr;

private slots:
    void initTestCase() {
        configureApplication(); // as the program sets up its application object
        SettingsStore::setOverridePath(dir.filePath(QStringLiteral("settings.ini")));
        offscreenTheme = QGuiApplicationPrivate::platform_theme;
        QGuiApplicationPrivate::platform_theme = new DesktopKeysTheme(offscreenTheme);
    }
    void cleanupTestCase() {
        delete std::exchange(QGuiApplicationPrivate::platform_theme, offscreenTheme);
    }

    void platformWindowsGetTheExactCaptions() {
        ScriptedPrompts scripted;
        TSDIAppForm w(scripted);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(platformTitle(w), QStringLiteral("NOR-VEX Aufkleber-Werkbank 2.1 - NONAME01"));

        w.Info->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.Info));
        QCOMPARE(platformTitle(*w.Info), QStringLiteral("Info"));
        w.Info->hide();

        // Message boxes, with their own caption and with none.
        WidgetPrompts prompts(&w);
        for (const QString& caption : {QStringLiteral("Dateikennung falsch"), QString()}) {
            QString seen;
            QTimer::singleShot(0, this, [&seen] {
                if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                    seen = platformTitle(*box);
                    box->reject();
                }
            });
            prompts.info(QStringLiteral("Text"), caption);
            QCOMPARE(seen, caption.isEmpty() ? applicationTitle() : caption);
        }
    }

    void menuShortcutsWinOverTextFields_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("action");
        for (const char* field : {"KeyEdit", "NummerEd"}) {
            for (const char* action :
                 {"Neu1", "OpenItem", "SaveItem", "Speichernunter1", "PrintSetup", "Print",
                  "ExitItem", "Hintergrundbild1", "Info1"})
                QTest::addRow("%s %s", action, field)
                    << QString::fromLatin1(field) << QString::fromLatin1(action);
        }
    }
    void menuShortcutsWinOverTextFields() {
        QFETCH(QString, field);
        QFETCH(QString, action);
        ScriptedPrompts prompts;
        TSDIAppForm w(prompts);
        QWidget* target = field == QLatin1String("KeyEdit")
                              ? static_cast<QWidget*>(w.EditorPg->KeyEdit)
                              : static_cast<QWidget*>(w.WizardPg->NummerEd);
        w.Pages->setCurrentWidget(field == QLatin1String("KeyEdit")
                                      ? static_cast<QWidget*>(w.EditorPg)
                                      : static_cast<QWidget*>(w.WizardPg));
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        // Only the key's way to the command counts here, not the command itself.
        QAction* a = w.Menu->action(action);
        QVERIFY(a);
        a->disconnect();
        a->setEnabled(true);
        QSignalSpy triggered(a, &QAction::triggered);
        target->setFocus();
        QVERIFY(target->hasFocus());
        const QKeyCombination key = a->shortcut()[0];
        QTest::keyClick(target, key.key(), key.keyboardModifiers());
        QCOMPARE(triggered.size(), 1);
    }

    void progressBarShowsNoText() {
        ScriptedPrompts prompts;
        TSDIAppForm w(prompts);
        QVERIFY(!w.ProgressBar1->isTextVisible());
    }
};

QTEST_MAIN(TestCaptionsAndKeys)
#include "tst_captionsandkeys.moc"
