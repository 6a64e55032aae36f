#include "app/documentcommands.h"
#include "app/editmenu.h"
#include "app/infodialog.h"
#include "app/labelcounter.h"
#include "app/mainmenu.h"
#include "app/recentfiles.h"
#include "app/sdiappform.h"
#include "codec/appevents.h"
#include "document/settingsstore.h"
#include "editor/bkgndform.h"
#include "editor/editorpage.h"
#include "output/printpage.h"
#include "scriptedprompts.h"
#include "wizard/wizardpage.h"

#include <QAction>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

class TestMainWindow : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale(QStringLiteral("de_DE")));
        SettingsStore::setOverridePath(dir.filePath(QStringLiteral("settings.ini")));
    }

    void captionPagesAndInfoLine() {
        ScriptedPrompts prompts;
        TSDIAppForm w(prompts);
        QCOMPARE(w.windowTitle(), QStringLiteral("NOR-VEX Aufkleber-Werkbank 2.1 - NONAME01"));
        QCOMPARE(w.Pages->count(), 3);
        QCOMPARE(w.Pages->tabText(0), QStringLiteral("Vorlagen Assistent"));
        QCOMPARE(w.Pages->tabText(1), QStringLiteral("Editor"));
        QCOMPARE(w.Pages->tabText(2), QStringLiteral("Drucken"));
        QCOMPARE(w.Pages->currentIndex(), 0);
        QCOMPARE(
            w.InfoPanel->text(),
            QStringLiteral("1 x 12 Etiketten á 88,90mm x 35,70mm pro Blatt [Abstände 90,00mm ; "
                           "38,00mm] [Ränder 10,00mm ; 1,00mm]"));
        QCOMPARE(w.ProgressBar1->minimum(), 0);
        QCOMPARE(w.ProgressBar1->maximum(), 100);
        auto* note = w.WizardPg->findChild<QLabel*>(QStringLiteral("Label6"));
        QVERIFY(note);
        QCOMPARE(note->text(),
                 QStringLiteral("Kann mit Platzhalter %%NUMMER%% ins Etitkett eingefügt werden."));
        QCOMPARE(w.WizardPg->NummerEd->value(), 1);
    }

    void menuEntries_data() {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QStringList>("entries"); // text|shortcut|hint, "-" separator
        QTest::newRow("Datei")
            << QStringLiteral("&Datei")
            << QStringList{
                   QStringLiteral("&Neu...|Ctrl+N|Neue Datei erstellen"),
                   QStringLiteral("Ö&ffnen...|Ctrl+O|Etiketten-Datei öffnen"),
                   QStringLiteral("&Zuletzt geöffnet||Öffnet eine der zuletzt benutzten Dateien"),
                   QStringLiteral("&Speichern|Ctrl+S|Aktuelle Etiketten speichern"),
                   QStringLiteral("Speichern &unter...|Ctrl+U|Aktuelle Etiketten unter speziellem "
                                  "Namen speichern"),
                   QStringLiteral("-"),
                   QStringLiteral("Scanner auswählen...||Läßt sie den aktiven Scanner auswählen"),
                   QStringLiteral("Bild einscannen...||Läßt sie ein Bild einscannen und speichern"),
                   QStringLiteral("-"),
                   QStringLiteral("Drucker &einrichten...|Ctrl+E|Richtet den Drucker ein"),
                   QStringLiteral("&Drucken...|Ctrl+D|Druckt die Etiketten"),
                   QStringLiteral("-"),
                   QStringLiteral("&Beenden|Alt+X|Anwendung verlassen")};
        QTest::newRow("Bearbeiten")
            << QStringLiteral("&Bearbeiten")
            << QStringList{
                   QStringLiteral("&Rückgängig|Ctrl+Z|Macht den letzten Schritt rückgängig"),
                   QStringLiteral("&Wiederholen|Ctrl+Y|Wiederholt den zuletzt rückgängig "
                                  "gemachten Schritt"),
                   QStringLiteral("-"),
                   QStringLiteral("&Ausschneiden|Ctrl+X|Schneidet das Objekt aus und legt es in "
                                  "die Zwischenablage"),
                   QStringLiteral("&Kopieren|Ctrl+C|Kopiert das Objekt in die Zwischenablage"),
                   QStringLiteral("&Einfügen|Ctrl+V|Fügt den Inhalt der Zwischenablage als Objekt "
                                  "ein"),
                   QStringLiteral("&Duplizieren|Ctrl+Shift+D|Legt eine Kopie des Objekts darüber"),
                   QStringLiteral("-"),
                   QStringLiteral("Position und &Größe...||Setzt Position und Größe des Objekts in "
                                  "Millimetern"),
                   QStringLiteral("Auf dem Etikett a&usrichten||Richtet das Objekt an der Mitte "
                                  "oder an einem Rand des Etiketts aus")};
        QTest::newRow("Einstellungen")
            << QStringLiteral("&Einstellungen")
            << QStringList{
                   QStringLiteral(
                       "&Hintergrundbild...|Ctrl+H|Ändert die Einstellungen des Hintergrundbildes"),
                   QStringLiteral("&Etikettenformat...||Verändert die Einstellungen der Größe und "
                                  "der Abstände"),
                   QStringLiteral("&Raster||Zeigt ein Punktraster auf dem Etikett, an dem Objekte "
                                  "einrasten")};
        QTest::newRow("Hilfe") << QStringLiteral("&Hilfe")
                               << QStringList{QStringLiteral(
                                      "Inf&o...|Ctrl+I|Zeigt Informationen über das Programm")};
    }
    void menuEntries() {
        QFETCH(QString, menu);
        QFETCH(QStringList, entries);
        ScriptedPrompts prompts;
        TSDIAppForm w(prompts);
        QMenu* found = nullptr;
        for (QAction* a : w.menuBar()->actions()) {
            if (a->text() == menu)
                found = a->menu();
        }
        QVERIFY2(found, qPrintable(menu));
        QStringList menus;
        for (QAction* a : w.menuBar()->actions())
            menus << a->text();
        QCOMPARE(menus, (QStringList{QStringLiteral("&Datei"), QStringLiteral("&Bearbeiten"),
                                     QStringLiteral("&Einstellungen"), QStringLiteral("&Hilfe")}));
        const QList<QAction*> actions = found->actions();
        QCOMPARE(actions.size(), entries.size());
        for (int i = 0; i < entries.size(); ++i) {
            if (entries[i] == QLatin1String("-")) {
                QVERIFY(actions[i]->isSeparator());
                continue;
            }
            const QStringList parts = entries[i].split(QLatin1Char('|'));
            QCOMPARE(actions[i]->text(), parts[0]);
            QCOMPARE(actions[i]->shortcut().toString(QKeySequence::PortableText), parts[1]);
            QCOMPARE(actions[i]->statusTip(), parts[2]);
        }
    }

    void alignSubmenu() {
        ScriptedPrompts prompts;
        TSDIAppForm w(prompts);
        auto* align = w.findChild<QMenu*>(QStringLiteral("AusrichtenMenu"));
        QVERIFY(align);
        QStringList texts;
        for (QAction* a : align->actions())
            texts << a->text();
        QCOMPARE(texts,
                 (QStringList{
                     QStringLiteral("&Horizontal zentrieren"),
                     QStringLiteral("&Vertikal zentrieren"), QStringLiteral("&Beides zentrieren"),
                     QStringLiteral("Am &linken Rand"), QStringLiteral("Am &rechten Rand"),
                     QStringLiteral("Am &oberen Rand"), QStringLiteral("Am &unteren Rand")}));
        // Offered while an object is selected.
        emit w.Edit->menu()->aboutToShow();
        QVERIFY(!align->isEnabled());
        w.Doc.Objs[4].Kind = KindText;
        w.Doc.SelObj = 4;
        emit w.Edit->menu()->aboutToShow();
        QVERIFY(align->isEnabled());
    }

    // "Raster" offers four checkable entries; the choice is kept for the next start.
    void gridIsKeptInTheSettings() {
        ScriptedPrompts prompts;
        {
            TSDIAppForm w(prompts);
            QMenu* grid = w.findChild<QMenu*>(QStringLiteral("RasterMenu"));
            QVERIFY(grid);
            QStringList entries;
            for (QAction* a : grid->actions())
                entries << a->text() + (a->isChecked() ? QStringLiteral("*") : QString());
            QCOMPARE(entries, (QStringList{QStringLiteral("&aus*"), QStringLiteral("&1 mm"),
                                           QStringLiteral("&2,5 mm"), QStringLiteral("&5 mm")}));
            w.Menu->action(QStringLiteral("Raster25mm"))->trigger();
            QCOMPARE(w.EditorPg->gridStep(), 25);
            QVERIFY(!w.Menu->action(QStringLiteral("RasterAus"))->isChecked());
        }
        TSDIAppForm again(prompts);
        QCOMPARE(again.EditorPg->gridStep(), 25);
        QVERIFY(again.Menu->action(QStringLiteral("Raster25mm"))->isChecked());
        again.Menu->action(QStringLiteral("RasterAus"))->trigger();
        QCOMPARE(again.EditorPg->gridStep(), 0);
    }

    void hintsReachTheStatusBar() {
        ScriptedPrompts prompts;
        TSDIAppForm w(prompts);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.Menu->action(QStringLiteral("Neu1"))->showStatusText(&w);
        QCOMPARE(w.statusBar()->currentMessage(), QStringLiteral("Neue Datei erstellen"));
    }

    void ctrlHOpensTheBackgroundDialog() {
        ScriptedPrompts prompts;
        TSDIAppForm w(prompts);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        Tbkgndform* form = w.EditorPg->bkgndform;
        QString hint;
        QTimer::singleShot(0, form, [&] {
            QVERIFY(form->isVisible());
            QStatusTipEvent tip(form->OpenBtn->statusTip());
            QCoreApplication::sendEvent(form->OpenBtn, &tip); // the mouse over the button
            hint = w.statusBar()->currentMessage();
            form->OkBitBtn1->click();
        });
        QTest::keyClick(&w, Qt::Key_H, Qt::ControlModifier);
        QCOMPARE(hint, QStringLiteral("Öffnet ein Hintergrundbild"));
        QVERIFY(!form->isVisible());
        QCOMPARE(w.Doc.BkgndMode, -1);
    }

    void progressEventsMoveTheBar() {
        ScriptedPrompts prompts;
        TSDIAppForm w(prompts);
        for (int v : {0, 37, 100, 0}) {
            QCoreApplication::postEvent(&w, new ProgressEvent(v));
            QCoreApplication::sendPostedEvents(&w, ProgressEventType);
            QCOMPARE(w.ProgressBar1->value(), v);
        }
    }

    void placementAndCounterSurviveRestart() {
        {
            ScriptedPrompts prompts;
            TSDIAppForm w(prompts);
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            w.setGeometry(120, 90, 800, 600);
            w.WizardPg->NummerEd->setValue(4711);
            w.close();
        }
        ScriptedPrompts prompts;
        TSDIAppForm w(prompts);
        QCOMPARE(w.WizardPg->NummerEd->value(), 1); // restored on first show
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.WizardPg->NummerEd->value(), 4711);
        QCOMPARE(w.size(), QSize(800, 600));
        QCOMPARE(w.geometry().topLeft(), QPoint(120, 90));
    }

    // A print from the command line advances the stored counter while the window is
    // open: the window shows it when activated, prints from it, and never writes back
    // a number it did not change itself.
    void counterFollowsOtherRuns() {
        storeLabelNumber(10);
        ScriptedPrompts prompts;
        TSDIAppForm w(prompts);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QSpinBox* number = w.WizardPg->NummerEd;
        QCOMPARE(number->value(), 10);

        storeLabelNumber(25);
        QEvent activate(QEvent::WindowActivate);
        QCoreApplication::sendEvent(&w, &activate);
        QCOMPARE(number->value(), 25);

        // A typed number is stored at once.
        number->selectAll();
        QTest::keyClicks(number, QStringLiteral("30"));
        QCOMPARE(storedLabelNumber(), 30);

        storeLabelNumber(40);
        if (w.PrintPg->printsToPdf()) {
            prompts.fileNames.enqueue(dir.filePath(QStringLiteral("fenster.pdf")));
            w.PrintPg->KopiesED->setValue(3);
            w.PrintPg->PrintClick();
            QCOMPARE(number->value(), 43);
            QCOMPARE(storedLabelNumber(), 43);
        }

        storeLabelNumber(50);
        w.close();
        QCOMPARE(storedLabelNumber(), 50);
    }

    void offScreenPlacementComesBack() {
        {
            ScriptedPrompts prompts;
            TSDIAppForm w(prompts);
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            w.setGeometry(40000, 30000, 700, 500);
            w.close();
        }
        ScriptedPrompts prompts;
        TSDIAppForm w(prompts);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY2(screen.intersects(w.frameGeometry()), "window placed off every screen");
    }

    void garbageSettingsGiveStartValues() {
        const QString ini = dir.filePath(QStringLiteral("garbage.ini"));
        QFile f(ini);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[Fenster]\nGeometrie=@ByteArray(\x01\x02\x03)\n[Zaehler]\nLaufendeNummer="
                "abc\n\xff\x00\x13");
        f.close();
        SettingsStore::setOverridePath(ini);
        ScriptedPrompts prompts;
        TSDIAppForm w(prompts);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.WizardPg->NummerEd->value(), 1);
        QCOMPARE(w.size(), QSize(1100, 720));
        SettingsStore::setOverridePath(dir.filePath(QStringLiteral("settings.ini")));
    }

    // Every number field of the window and its dialogs: a typed value beyond a
    // limit becomes that limit when editing ends, whatever digits crossed it.
    void typedNumbersBeyondALimit() {
        ScriptedPrompts prompts;
        TSDIAppForm w(prompts);
        const QList<QAbstractSpinBox*> boxes = w.findChildren<QAbstractSpinBox*>();
        QVERIFY(boxes.size() >= 15);
        for (QAbstractSpinBox* box : boxes) {
            auto* whole = qobject_cast<QSpinBox*>(box);
            auto* real = qobject_cast<QDoubleSpinBox*>(box);
            QVERIFY(whole || real);
            const double low = whole ? whole->minimum() : real->minimum();
            const double high = whole ? whole->maximum() : real->maximum();
            auto set = [&](double v) { whole ? whole->setValue(int(v)) : real->setValue(v); };
            auto value = [&] { return whole ? double(whole->value()) : real->value(); };
            // What the field's own handlers make of each limit.
            set(low);
            set(high);
            const double atHigh = value();
            set(high);
            set(low);
            const double atLow = value();
            // Nines one digit longer than the limit: every digit beyond the first
            // few crosses it.
            const QString nines(
                QString::number(qint64(std::max(std::abs(low), std::abs(high)))).size() + 1,
                QLatin1Char('9'));
            const QList<std::pair<QString, double>> typed{{nines, atHigh},
                                                          {QLatin1Char('-') + nines, atLow}};
            for (const auto& [text, expected] : typed) {
                if (text.startsWith(QLatin1Char('-')) && low >= 0)
                    continue;
                set(text.startsWith(QLatin1Char('-')) ? high : low);
                box->selectAll();
                QTest::keyClicks(box, text);
                QTest::keyClick(box, Qt::Key_Return);
                QVERIFY2(value() == expected,
                         qPrintable(box->objectName() + QStringLiteral(": ") + text +
                                    QStringLiteral(" gave ") + QString::number(value())));
            }
        }
    }

    // A hint leaves the status bar when its menu closes, and when the window is
    // back from a dialog.
    void hintsLeaveWithMenusAndDialogs() {
        ScriptedPrompts prompts;
        TSDIAppForm w(prompts);
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        auto* file = w.menuBar()->findChild<QMenu*>(QStringLiteral("DateiMenu"));
        QVERIFY(file);
        w.menuBar()->setActiveAction(file->menuAction()); // opened from the menu bar
        QTRY_VERIFY(file->isVisible());
        file->setActiveAction(w.Menu->action(QStringLiteral("SaveItem")));
        QCOMPARE(w.statusBar()->currentMessage(), QStringLiteral("Aktuelle Etiketten speichern"));
        file->hide();
        QCOMPARE(w.statusBar()->currentMessage(), QString());

        w.Menu->action(QStringLiteral("Info1"))->showStatusText(&w);
        QCOMPARE(w.statusBar()->currentMessage(),
                 QStringLiteral("Zeigt Informationen über das Programm"));
        QTimer::singleShot(0, w.Info, [&w] { w.Info->reject(); });
        w.Menu->action(QStringLiteral("Info1"))->trigger();
        QCOMPARE(w.statusBar()->currentMessage(), QString());
    }

    // "Zuletzt geöffnet" lists the last eight files saved or opened, newest first,
    // in this run and the next, and opens the one chosen.
    void recentFiles() {
        QTemporaryDir files;
        {
            ScriptedPrompts prompts;
            TSDIAppForm w(prompts);
            for (int i = 1; i <= 9; ++i) {
                prompts.fileNames.enqueue(files.filePath(QStringLiteral("etikett%1.ett").arg(i)));
                QVERIFY(w.Commands->Speichernunter1Click());
            }
        }
        ScriptedPrompts prompts;
        TSDIAppForm w(prompts);
        QMenu* recent = w.Commands->Recent->Menu;
        auto* file = w.menuBar()->findChild<QMenu*>(QStringLiteral("DateiMenu"));
        QCOMPARE(file->actions().at(2), recent->menuAction()); // after "Öffnen..."
        QStringList shown;
        for (QAction* a : recent->actions())
            shown << a->text();
        QCOMPARE(shown.size(), RecentFiles::MaxEntries);
        QCOMPARE(shown.first(), QStringLiteral("&1 etikett9.ett"));
        QCOMPARE(shown.last(), QStringLiteral("&8 etikett2.ett"));
        QCOMPARE(recent->actions().at(2)->statusTip(),
                 QFileInfo(files.filePath(QStringLiteral("etikett7.ett"))).absoluteFilePath());

        recent->actions().at(2)->trigger();
        QCOMPARE(w.Doc.CurFileName, files.filePath(QStringLiteral("etikett7.ett")));
        QVERIFY(w.windowTitle().endsWith(QStringLiteral("etikett7.ett")));
        QCOMPARE(recent->actions().at(0)->text(), QStringLiteral("&1 etikett7.ett"));

        // A file that is gone is reported and leaves the list.
        QVERIFY(QFile::remove(files.filePath(QStringLiteral("etikett5.ett"))));
        const QString gone = files.filePath(QStringLiteral("etikett5.ett"));
        for (QAction* a : recent->actions())
            if (a->data().toString() == QFileInfo(gone).absoluteFilePath())
                a->trigger();
        QCOMPARE(prompts.shown.size(), 1);
        QCOMPARE(recent->actions().size(), RecentFiles::MaxEntries - 1);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
