#include "app/editmenu.h"
#include "app/sdiappform.h"
#include "document/labelfile.h"
#include "document/progpath.h"
#include "document/settingsstore.h"
#include "render/picturefileloader.h"
#include "scriptedprompts.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QProcess>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <cstdio>

// The clipboard between two running programs: the offscreen platform's clipboard
// stays inside one process, so these tests start an X server of their own and run
// this executable twice more as the program on it ("--helper").

namespace {
// --helper copy <folder> <label file> <slot>: opens the label, selects the slot,
//   copies it, says "kopiert" and keeps the clipboard until its input closes.
// --helper paste <folder> <result file>: pastes into an empty label and writes the
//   pasted object's record to the result file.
int runHelper(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 5)
        return 2;
    initProgPath(args[3]);
    SettingsStore::setOverridePath(QDir(args[3]).filePath(QStringLiteral("settings.ini")));
    ScriptedPrompts prompts;
    TSDIAppForm w(prompts);
    if (args[2] == QLatin1String("copy") && args.size() >= 6) {
        PictureFileLoader pictures;
        if (readLabelFile(args[4], w.Doc, prompts, pictures) != ReadOutcome::Complete)
            return 3;
        w.Doc.SelObj = args[5].toInt();
        w.Edit->action(QStringLiteral("Kopieren1"))->trigger();
        std::fputs("kopiert\n", stdout);
        std::fflush(stdout);
        QSocketNotifier input(0, QSocketNotifier::Read);
        QObject::connect(&input, &QSocketNotifier::activated, &app, [&] {
            char b[64];
            if (std::fread(b, 1, 1, stdin) == 0)
                app.quit();
        });
        QTimer::singleShot(60000, &app, &QApplication::quit);
        return app.exec();
    }
    if (args[2] == QLatin1String("paste")) {
        w.Edit->action(QStringLiteral("Einfuegen1"))->trigger();
        if (!ObjectTable::isSlot(w.Doc.SelObj))
            return 4;
        const Tobs& o = w.Doc.Objs[w.Doc.SelObj];
        QFile out(args[4]);
        if (!out.open(QIODevice::WriteOnly))
            return 5;
        out.write(objectRecordBytes(w.Doc.SelObj, o));
        out.write(o.Picture.hasPicture() ? "+" : "-");
        return 0;
    }
    return 2;
}
} // namespace

class TestClipboardX11 : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QProcess xserver;
    QProcessEnvironment env;

    QProcess* helper(const QStringList& args) {
        auto* p = new QProcess(this);
        p->setProcessEnvironment(env);
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p->start(QCoreApplication::applicationFilePath(),
                 QStringList{QStringLiteral("--helper")} + args);
        return p;
    }

    // The record a second program pastes, with "+" when it holds a picture.
    QByteArray pasteInSecondProgram() {
        const QString folder = dir.filePath(QStringLiteral("zweites"));
        QDir().mkpath(folder);
        const QString result = dir.filePath(QStringLiteral("eingefuegt.bin"));
        QFile::remove(result);
        QProcess* paste = helper({QStringLiteral("paste"), folder, result});
        if (!paste->waitForFinished(60000) || paste->exitCode() != 0) {
            qWarning("paste helper failed: %d", paste->exitCode());
            return QByteArray();
        }
        QFile f(result);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private slots:
    void initTestCase() {
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        if (xvfb.isEmpty() || QStandardPaths::findExecutable(QStringLiteral("xclip")).isEmpty())
            QSKIP("Xvfb and xclip are needed for clipboard tests between programs");
        xserver.start(xvfb,
                      {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                       QStringLiteral("0"), QStringLiteral("800x600x24"),
                       QStringLiteral("-nolisten"), QStringLiteral("tcp")});
        if (!xserver.waitForStarted(10000))
            QSKIP("no X server could be started");
        QByteArray number;
        QElapsedTimer t;
        t.start();
        while (!number.contains('\n') && t.elapsed() < 20000) {
            xserver.waitForReadyRead(1000);
            number += xserver.readAllStandardOutput();
        }
        if (!number.contains('\n'))
            QSKIP("the X server did not say its display");
        env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"),
                   QLatin1Char(':') + QString::fromLatin1(number.trimmed()));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("XDG_DATA_HOME"), dir.filePath(QStringLiteral("daten")));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("konfig")));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.path()); // private to the tests
    }

    void cleanupTestCase() {
        if (xserver.state() != QProcess::NotRunning) {
            xserver.terminate();
            xserver.waitForFinished(5000);
        }
    }

    // Copied in one program, pasted in another: the same object. A picture named
    // without folder is found beside the label it came from.
    void copyInOnePasteInAnother_data() {
        QTest::addColumn<int>("kind");
        QTest::newRow("text") << int(KindText);
        QTest::newRow("picture") << int(KindPicture);
    }
    void copyInOnePasteInAnother() {
        QFETCH(int, kind);
        const QString first = dir.filePath(QStringLiteral("erstes"));
        QDir().mkpath(first);
        QImage image(5, 4, QImage::Format_RGB32);
        image.fill(qRgb(200, 20, 90));
        QVERIFY(image.save(QDir(first).filePath(QStringLiteral("bild.png"))));
        LabelDocument doc;
        Tobs& o = doc.Objs[3];
        o.Kind = kind;
        o.X = 80000;
        o.Y = 30000;
        o.Width = 20000;
        o.Height = 9000;
        o.Text =
            kind == KindText ? QStringLiteral("Grüße\rvon drüben") : QStringLiteral("bild.png");
        o.FontName = QStringLiteral("Arial");
        o.FontSize = 16;
        o.Color = 0x00336699;
        const QString label = QDir(first).filePath(QStringLiteral("quelle.ett"));
        ScriptedPrompts prompts;
        QVERIFY(Saveit(doc, label, prompts));

        QProcess* copy = helper({QStringLiteral("copy"), first, label, QStringLiteral("3")});
        QVERIFY(copy->waitForReadyRead(60000));
        QVERIFY(copy->readAllStandardOutput().contains("kopiert"));
        const QByteArray pasted = pasteInSecondProgram();
        copy->closeWriteChannel();
        QVERIFY(copy->waitForFinished(20000));

        Tobs expected = o;
        if (kind == KindPicture)
            expected.Text = QDir(first).filePath(QStringLiteral("bild.png"));
        // An empty label: the top slot is 1, and nothing sits at the same place.
        QCOMPARE(pasted, objectRecordBytes(1, expected) + (kind == KindPicture ? "+" : "-"));
    }

    // A PNG that another program offers pastes as a picture object whose file exists.
    void pngFromAnotherProgram() {
        QImage image(7, 3, QImage::Format_RGB32);
        image.fill(qRgb(0, 90, 255));
        image.setPixel(2, 1, qRgb(255, 255, 0));
        const QString png = dir.filePath(QStringLiteral("fremd.png"));
        QVERIFY(image.save(png));
        QProcess xclip;
        xclip.setProcessEnvironment(env);
        xclip.start(QStringLiteral("xclip"),
                    {QStringLiteral("-selection"), QStringLiteral("clipboard"),
                     QStringLiteral("-t"), QStringLiteral("image/png"), QStringLiteral("-i"), png});
        // xclip keeps serving the clipboard in the background after it returns.
        QVERIFY(xclip.waitForFinished(20000));
        QCOMPARE(xclip.exitCode(), 0);

        const QByteArray pasted = pasteInSecondProgram();
        QVERIFY(pasted.endsWith('+'));
        QBuffer in;
        in.setData(pasted);
        QVERIFY(in.open(QIODevice::ReadOnly));
        int32_t slot = 0;
        Tobs o;
        QCOMPARE(readObjectRecord(in, slot, o), ObjectRecordRead::Ok);
        QCOMPARE(o.Kind, int(KindPicture));
        QVERIFY(o.Text.startsWith(dir.filePath(QStringLiteral("daten"))));
        QVERIFY(QFile::exists(o.Text));
        QCOMPARE(QImage(o.Text).convertToFormat(QImage::Format_RGB32), image);
    }
};

int main(int argc, char** argv) {
    if (argc >= 2 && qstrcmp(argv[1], "--helper") == 0)
        return runHelper(argc, argv);
    QApplication app(argc, argv);
    TestClipboardX11 test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_clipboardx11.moc"
