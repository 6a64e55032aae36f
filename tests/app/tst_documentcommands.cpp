#include "app/documentcommands.h"
#include "app/mainmenu.h"
#include "app/sdiappform.h"
#include "app/waitingpictureloader.h"
#include "document/progpath.h"
#include "document/settingsstore.h"
#include "editor/editorpage.h"
#include "editor/paintbox.h"
#include "scriptedprompts.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>

// The file commands as the main window offers them: menu entries, caption, sheet
// summary and editor follow the document.
class TestDocumentCommands : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale(QStringLiteral("de_DE")));
        SettingsStore::setOverridePath(dir.filePath(QStringLiteral("settings.ini")));
        initProgPath(dir.path());
    }

    void waitCursorWhilePicturesAreFetched() {
        struct Probe : PictureLoader {
            Qt::CursorShape during = Qt::ArrowCursor;
            PictureLoad load(TDibRecord&, const QString&, int) override {
                if (const QCursor* c = QGuiApplication::overrideCursor())
                    during = c->shape();
                return PictureLoad::Failed;
            }
        } probe;
        WaitingPictureLoader waiting(probe);
        TDibRecord rec;
        QCOMPARE(waiting.load(rec, QStringLiteral("logo.jpg"), 0), PictureLoad::Failed);
        QCOMPARE(probe.during, Qt::WaitCursor);
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    void saveAsThenOpenRestoresDocument() {
        const QString file = dir.filePath(QStringLiteral("Marmelade.ett"));
        {
            ScriptedPrompts prompts;
            TSDIAppForm w(prompts);
            w.Doc.Format.LabelWidth = 55.0;
            w.Doc.Format.TypeName = QStringLiteral("Glas rund");
            w.applyFormat();
            Tobs& o = w.Doc.Objs[3];
            o.Kind = KindFigure;
            o.X = 70000;
            o.Y = 30000;
            o.Width = 10400;
            o.Height = 5200;
            prompts.fileNames.enqueue(file);
            QVERIFY(w.Menu->action(QStringLiteral("Speichernunter1"))->isEnabled());
            w.Menu->action(QStringLiteral("Speichernunter1"))->trigger();
            QVERIFY(QFile::exists(file));
            QCOMPARE(w.windowTitle(),
                     QStringLiteral("NOR-VEX Aufkleber-Werkbank 2.1 - Marmelade.ett"));
            QVERIFY(prompts.shown.isEmpty());
        }
        ScriptedPrompts prompts;
        TSDIAppForm w(prompts);
        w.Doc.Objs[1].Kind = KindText; // something in use: the question comes first
        prompts.answers.enqueue(Prompts::Answer::No);
        prompts.fileNames.enqueue(file);
        w.Menu->action(QStringLiteral("OpenItem"))->trigger();
        QCOMPARE(prompts.shown.size(), 1);
        QCOMPARE(prompts.shown[0].text, QStringLiteral("Wollen Sie vorher speichern?"));
        QCOMPARE(prompts.shown[0].caption, QStringLiteral("Etikett öffnen"));
        QCOMPARE(w.windowTitle(), QStringLiteral("NOR-VEX Aufkleber-Werkbank 2.1 - Marmelade.ett"));
        QVERIFY(w.InfoPanel->text().contains(QStringLiteral("á 55,00mm x 35,70mm")));
        QCOMPARE(w.Doc.Objs[1].Kind, 0);
        QCOMPARE(w.Doc.Objs[3].Kind, int(KindFigure));
        QCOMPARE(w.Doc.Objs[3].Height, 5200);
        QCOMPARE(w.EditorPg->PaintBox1->size(), w.Doc.paintBoxSize());
        QCOMPARE(w.Doc.paintBoxSize().width(), 624); // 129921 units at 208 per pixel
    }

    void saveWithoutNameAsksForOne() {
        ScriptedPrompts prompts;
        TSDIAppForm w(prompts);
        w.Menu->action(QStringLiteral("SaveItem"))->trigger(); // cancelled dialog
        QCOMPARE(prompts.fileRequests.size(), 1);
        QCOMPARE(w.windowTitle(), QStringLiteral("NOR-VEX Aufkleber-Werkbank 2.1 - NONAME01"));
        const QString file = dir.filePath(QStringLiteral("neu.ett"));
        prompts.fileNames.enqueue(file);
        w.Menu->action(QStringLiteral("SaveItem"))->trigger();
        QVERIFY(QFile::exists(file));
        QCOMPARE(w.Doc.CurFileName, file);
        w.Menu->action(QStringLiteral("SaveItem"))->trigger(); // named now: no dialog
        QCOMPARE(prompts.fileRequests.size(), 2);
    }
};

QTEST_MAIN(TestDocumentCommands)
#include "tst_documentcommands.moc"
