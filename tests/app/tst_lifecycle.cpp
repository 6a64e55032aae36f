#include "app/documentcommands.h"
#include "app/lifecyclecommands.h"
#include "app/mainmenu.h"
#include "app/sdiappform.h"
#include "catalogue/neuform.h"
#include "document/labelcatalogue.h"
#include "document/labelfile.h"
#include "document/progpath.h"
#include "document/settingsstore.h"
#include "document/slotedit.h"
#include "scripteddialogs.h"
#include "scriptedprompts.h"
#include "wizard/templategallery.h"
#include "wizard/wizardpage.h"

#include <QAction>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>

namespace {
// A window whose own dialogs are worked from a script.
struct Window {
    ScriptedPrompts prompts;
    TSDIAppForm w{prompts};
    ScriptedDialogs dialogs;
    Window() { w.Lifecycle->setDialogRunner(dialogs.runner()); }

    // Shows the window as the program does and lets the start timer run its dialog.
    bool start(const QString& file = QString()) {
        w.Lifecycle->armStart(file);
        w.show();
        if (!QTest::qWaitForWindowActive(&w))
            return false;
        return QTest::qWaitFor([this] { return w.Lifecycle->startNewDone(); });
    }
    int neuFormRuns() const { return int(dialogs.runs.count(QStringLiteral("neuForm"))); }
};

TLabelFormat businessCard() {
    TLabelFormat f;
    f.MarginLeft = 15;
    f.MarginTop = 10;
    f.LabelWidth = 85;
    f.LabelHeight = 54;
    f.PitchX = 95;
    f.PitchY = 55;
    f.Across = 2;
    f.Down = 5;
    f.TypeName = QStringLiteral("Visitenkarte");
    return f;
}

const QString SaveFirst = QStringLiteral("Wollen Sie vorher speichern?");
} // namespace

// New, Open, Exit and the window's close button with their questions about saving;
// the dialog at start, a file named on the command line, the sheet-format command.
class TestLifecycle : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString labelFile;
    int saveCounter = 0;

private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale(QStringLiteral("de_DE")));
        SettingsStore::setOverridePath(dir.filePath(QStringLiteral("settings.ini")));
        initProgPath(dir.path());
        LabelCatalogue catalogue;
        catalogue.append(businessCard());
        catalogue.SaveEttTypes();
        labelFile = dir.filePath(QStringLiteral("Marmelade.ett"));
        LabelDocument doc;
        doc.Format.LabelWidth = 55;
        doc.computeWorkArea();
        ScriptedPrompts prompts;
        QVERIFY(Saveit(doc, labelFile, prompts));
    }

    void saveQuestions_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("objectInUse");
        QTest::addColumn<QString>("answer");  // Ja, Nein, Abbrechen, "Ja ohne Speichern"
        QTest::addColumn<QString>("caption"); // empty: no question
        QTest::addColumn<bool>("goesOn");
        struct Command {
            const char* name;
            const char* caption;
        };
        for (const Command c :
             {Command{"Neu", "Neue Etikett"}, Command{"Öffnen", "Etikett öffnen"},
              Command{"Beenden", "Programm beenden"}, Command{"Schließen", "Programm beenden"}}) {
            const QString name = QString::fromUtf8(c.name);
            const QString caption = QString::fromUtf8(c.caption);
            for (const char* answer : {"Ja", "Nein", "Abbrechen", "Ja ohne Speichern"}) {
                const QString a = QString::fromUtf8(answer);
                QTest::addRow("%s %s", c.name, answer)
                    << name << true << a << caption
                    << (a == QLatin1String("Ja") || a == QLatin1String("Nein"));
            }
        }
        // Without objects New and Exit still ask, Open does not, and the close button
        // asks only while the document differs from its last save.
        QTest::newRow("Neu leer") << QStringLiteral("Neu") << false << QStringLiteral("Nein")
                                  << QStringLiteral("Neue Etikett") << true;
        QTest::newRow("Beenden leer")
            << QStringLiteral("Beenden") << false << QStringLiteral("Abbrechen")
            << QStringLiteral("Programm beenden") << false;
        QTest::newRow("Öffnen leer")
            << QStringLiteral("Öffnen") << false << QString() << QString() << true;
        QTest::newRow("Schließen leer")
            << QStringLiteral("Schließen") << false << QString() << QString() << true;
    }
    void saveQuestions() {
        QFETCH(QString, command);
        QFETCH(bool, objectInUse);
        QFETCH(QString, answer);
        QFETCH(QString, caption);
        QFETCH(bool, goesOn);
        Window win;
        QVERIFY(win.start());
        if (objectInUse) {
            // Drawn as a user draws it: a step, so the document differs from its save.
            SlotEdit draw(win.w.Doc);
            draw.slot(4).Kind = KindFigure;
            QVERIFY(draw.commit(QStringLiteral("Erstellen")));
        }
        const QString target = dir.filePath(QStringLiteral("gespeichert%1.ett").arg(++saveCounter));
        if (command == QStringLiteral("Öffnen"))
            win.prompts.fileNames.enqueue(labelFile);
        if (answer == QLatin1String("Ja"))
            win.prompts.fileNames.enqueue(target);
        if (!answer.isEmpty())
            win.prompts.answers.enqueue(answer == QLatin1String("Nein") ? Prompts::Answer::No
                                        : answer == QLatin1String("Abbrechen")
                                            ? Prompts::Answer::Cancel
                                            : Prompts::Answer::Yes);
        const int runsBefore = win.neuFormRuns();

        if (command == QLatin1String("Neu"))
            win.w.Menu->action(QStringLiteral("Neu1"))->trigger();
        else if (command == QStringLiteral("Öffnen"))
            win.w.Menu->action(QStringLiteral("OpenItem"))->trigger();
        else if (command == QLatin1String("Beenden"))
            win.w.Menu->action(QStringLiteral("ExitItem"))->trigger();
        else
            win.w.close();

        QList<ScriptedPrompts::Shown> questions;
        for (const auto& s : win.prompts.shown) {
            if (s.text == SaveFirst)
                questions.append(s);
        }
        QCOMPARE(questions.size(), caption.isEmpty() ? 0 : 1);
        if (!caption.isEmpty()) {
            QCOMPARE(questions[0].caption, caption);
            QCOMPARE(questions[0].buttons, Prompts::Buttons::YesNoCancel);
            QCOMPARE(questions[0].icon, Prompts::Icon::Question);
        }
        QCOMPARE(QFile::exists(target), answer == QLatin1String("Ja"));
        if (command == QLatin1String("Neu"))
            QCOMPARE(win.neuFormRuns() - runsBefore, goesOn ? 1 : 0);
        else if (command == QStringLiteral("Öffnen"))
            QCOMPARE(win.w.Doc.CurFileName == labelFile, goesOn);
        else
            QCOMPARE(win.w.isVisible(), !goesOn);
    }

    void startDialogComesOnceAndNewReplacesTheDocument() {
        Window win;
        win.dialogs.steps.enqueue([](QDialog& d) { return click(d, "OkBtn"); });
        QVERIFY(win.start());
        QCOMPARE(win.neuFormRuns(), 1);
        QVERIFY(win.prompts.shown.isEmpty());
        QCOMPARE(win.w.Doc.Format, businessCard());
        QVERIFY(win.w.InfoPanel->text().startsWith(QStringLiteral("2 x 5 Etiketten á 85,00mm")));

        // Later activations start nothing.
        for (int i = 0; i < 2; ++i) {
            QEvent deactivate(QEvent::WindowDeactivate);
            QCoreApplication::sendEvent(&win.w, &deactivate);
            QEvent activate(QEvent::WindowActivate);
            QCoreApplication::sendEvent(&win.w, &activate);
        }
        QTest::qWait(250);
        QCOMPARE(win.neuFormRuns(), 1);

        // New from the editor's button asks first, then starts afresh on the chosen type.
        win.w.Doc.Objs[2].Kind = KindText;
        win.w.Doc.Format.LabelWidth = 20;
        win.prompts.answers.enqueue(Prompts::Answer::No);
        win.dialogs.steps.enqueue([](QDialog& d) { return click(d, "OkBtn"); });
        QTest::mouseClick(win.w.findChild<QWidget*>(QStringLiteral("NeuBtn")), Qt::LeftButton);
        QCOMPARE(win.prompts.shown.size(), 1);
        QCOMPARE(win.w.Doc.Objs[2].Kind, int(KindFree));
        QCOMPARE(win.w.Doc.Format, businessCard());
        QCOMPARE(win.w.Doc.WorkWidth, workWidthFor(businessCard()));
    }

    void cancelledStartKeepsTheStartFormat() {
        Window win;
        QVERIFY(win.start());
        QCOMPARE(win.neuFormRuns(), 1);
        QCOMPARE(win.w.Doc.Format, TLabelFormat());
        QCOMPARE(QFile(LabelCatalogue::defaultFileName()).size(), 8 + 112);
    }

    void fileOnTheCommandLineOpensAtStart_data() {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("message"); // empty: opened
        QTest::newRow("Datei") << labelFile << QString();
        QTest::newRow("URL") << QStringLiteral("file://") + labelFile << QString();
        QTest::newRow("fehlt") << dir.filePath(QStringLiteral("fehlt.ett"))
                               << QStringLiteral(
                                      "Beim Öffnen der Datei ist ein Fehler aufgetreten!");
        QTest::newRow("keine Etikettdatei")
            << LabelCatalogue::defaultFileName()
            << QStringLiteral("Es handelt sich nicht um eine Etikett im NOR-VEX Aufkleber-Werkbank "
                              "2.1-Format!");
    }
    void fileOnTheCommandLineOpensAtStart() {
        QFETCH(QString, argument);
        QFETCH(QString, message);
        const QString file = LifecycleCommands::documentArgument(
            {QStringLiteral("aufkleber-werkbank"), QStringLiteral("--unbekannt"), argument});
        Window win;
        QVERIFY(win.start(file));
        QCOMPARE(win.neuFormRuns(), 0);
        if (message.isEmpty()) {
            QVERIFY(win.prompts.shown.isEmpty());
            QCOMPARE(win.w.Doc.CurFileName, labelFile);
            QCOMPARE(win.w.windowTitle(),
                     QStringLiteral("NOR-VEX Aufkleber-Werkbank 2.1 - Marmelade.ett"));
            QCOMPARE(win.w.Doc.Format.LabelWidth, 55.0);
        } else {
            QCOMPARE(win.prompts.shown.size(), 1);
            QCOMPARE(win.prompts.shown[0].text, message);
            QVERIFY(win.w.Doc.CurFileName.isEmpty());
            QCOMPARE(win.w.Doc.Format, TLabelFormat());
        }
    }

    void sheetFormatCommandChangesOnlyTheFormat() {
        Window win;
        win.w.Doc.Objs[7].Kind = KindFigure;
        win.w.Doc.Objs[7].X = 1234;
        const qint64 catalogueSize = QFile(LabelCatalogue::defaultFileName()).size();
        win.dialogs.steps.enqueue([](QDialog& d) { return click(d, "CancelBtn"); });
        win.dialogs.steps.enqueue([](QDialog& d) {
            control<QDoubleSpinBox>(d, "BrED")->setValue(55);
            return click(d, "OkBtn");
        });
        QAction* command = win.w.Menu->action(QStringLiteral("Etikettenformat1"));
        command->trigger();
        QCOMPARE(win.w.Doc.Format, TLabelFormat());
        TemplateGallery* gallery = win.w.WizardPg->ScrollBox4;
        const int galleryRepaints = gallery->repaintRequests();
        command->trigger();
        QCOMPARE(win.w.Doc.Format.LabelWidth, 55.0);
        // The gallery takes the new proportions at once, even while it is shown.
        QCOMPARE(gallery->PaintBox4->size(), gallery->geometry().boxSize());
        QCOMPARE(gallery->repaintRequests(), galleryRepaints + 1);
        QCOMPARE(win.w.Doc.Format.PitchX, 55.0 + (90.0 - 88.9));
        QCOMPARE(win.w.Doc.WorkWidth, 129921);
        QVERIFY(win.w.InfoPanel->text().contains(QStringLiteral("á 55,00mm x 35,70mm")));
        QCOMPARE(win.w.Doc.Objs[7].X, 1234);
        QCOMPARE(QFile(LabelCatalogue::defaultFileName()).size(), catalogueSize);
    }
};

QTEST_MAIN(TestLifecycle)
#include "tst_lifecycle.moc"
