#include "app/commandline.h"
#include "app/commandlinethumbnail.h"
#include "document/labelfile.h"
#include "document/progpath.h"
#include "document/settingsstore.h"
#include "quarterlabel.h"
#include "scriptedprompts.h"

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <QtTest>

#include <sys/stat.h>

#include <limits>

namespace {
struct Run {
    int code = -1;
    QString err;
};

Run run(const QStringList& args) {
    Run r;
    QString out;
    QTextStream outStream(&out);
    QTextStream err(&r.err);
    r.code =
        commandLineMain(QStringList{QStringLiteral("aufkleber-werkbank")} + args, outStream, err);
    err.flush();
    return r;
}

QByteArray contentOf(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeFile(const QString& file, const QByteArray& bytes) {
    QFile f(file);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}
} // namespace

class TestThumbnail : public QObject {
    Q_OBJECT
    QTemporaryDir tmp;
    QString quarterLabel; // black over the top-left quarter of the start label

    QString path(const QString& name) const { return tmp.filePath(name); }

private slots:
    void initTestCase() {
        QVERIFY(tmp.isValid());
        initProgPath(tmp.path());
        SettingsStore::setOverridePath(path(QStringLiteral("settings.ini")));
        LabelDocument doc;
        addQuarterRectangle(doc);
        quarterLabel = path(QStringLiteral("viertel.ett"));
        ScriptedPrompts prompts;
        QVERIFY(Saveit(doc, quarterLabel, prompts));
    }

    void sizeKeepsTheProportion_data() {
        const double inf = std::numeric_limits<double>::infinity();
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("height");
        QTest::addColumn<int>("longest");
        QTest::addColumn<QSize>("size");
        QTest::newRow("start label") << 88.9 << 35.7 << 256 << QSize(256, 102); // 102.8
        QTest::newRow("upright") << 35.7 << 88.9 << 128 << QSize(51, 128);
        QTest::newRow("square") << 50.0 << 50.0 << 1 << QSize(1, 1);
        QTest::newRow("a thread stays one pixel") << 1e6 << 0.001 << 256 << QSize(256, 1);
        QTest::newRow("no width") << 0.0 << 35.7 << 256 << QSize();
        QTest::newRow("negative") << 88.9 << -1.0 << 256 << QSize();
        QTest::newRow("endless") << inf << 35.7 << 256 << QSize();
        QTest::newRow("not a number") << qQNaN() << 35.7 << 256 << QSize();
    }
    void sizeKeepsTheProportion() {
        QFETCH(double, width);
        QFETCH(double, height);
        QFETCH(int, longest);
        TLabelFormat format;
        format.LabelWidth = width;
        format.LabelHeight = height;
        QTEST(thumbnailPictureSize(format, longest), "size");
    }

    // The label alone, scaled: the quarter covers the top-left quarter at any size,
    // and the file is a PNG whatever it is called.
    void labelIsDrawnAtThumbnailScale_data() {
        QTest::addColumn<QStringList>("size");
        QTest::addColumn<QSize>("expected");
        QTest::newRow("default") << QStringList() << QSize(256, 102);
        QTest::newRow("large") << QStringList{QStringLiteral("1024")} << QSize(1024, 411);
        QTest::newRow("small") << QStringList{QStringLiteral("32")} << QSize(32, 12);
    }
    void labelIsDrawnAtThumbnailScale() {
        QFETCH(QStringList, size);
        QFETCH(QSize, expected);
        const QString out = path(QStringLiteral("vorschau.tmp"));
        const Run r = run(QStringList{QStringLiteral("--thumbnail"), quarterLabel, out} + size);
        QCOMPARE(r.err, QString());
        QCOMPARE(r.code, 0);
        QCOMPARE(contentOf(out).left(4), QByteArray("\x89PNG"));
        const QImage img(out, "PNG");
        QCOMPARE(img.size(), expected);
        const int w = expected.width(), h = expected.height();
        QCOMPARE(img.pixel(0, 0), qRgb(0, 0, 0));
        QCOMPARE(img.pixel(w / 2 - 4, h / 2 - 4), qRgb(0, 0, 0));
        QCOMPARE(img.pixel(w / 2 + 1, h / 2 + 1), qRgb(255, 255, 255));
        QCOMPARE(img.pixel(w - 1, h - 1), qRgb(255, 255, 255));
    }

    // Nothing is written for a file that cannot be read; an older thumbnail stays.
    void unreadableFileWritesNothing_data() {
        QTest::addColumn<QByteArray>("bytes"); // empty: no file at all
        const QByteArray good = labelFileBytes(LabelDocument());
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("wrong identification")
            << QByteArray("NOR-VEX Aufkleber-Werkbank 2.1") + good.mid(30);
        QTest::newRow("cut in the header") << good.left(100);
        QTest::newRow("cut before the end marker") << good.left(good.size() - 2);
    }
    void unreadableFileWritesNothing() {
        QFETCH(QByteArray, bytes);
        const QString ett = path(QStringLiteral("kaputt.ett"));
        QFile::remove(ett);
        if (!bytes.isEmpty())
            QVERIFY(writeFile(ett, bytes));
        const QString fresh = path(QStringLiteral("neu.png"));
        const QString old = path(QStringLiteral("alt.png"));
        QVERIFY(writeFile(old, "alt"));
        for (const QString& out : {fresh, old}) {
            const Run r = run({QStringLiteral("--thumbnail"), ett, out});
            QCOMPARE(r.code, 1);
            QVERIFY2(r.err.endsWith(QStringLiteral("Es wurde kein Vorschaubild gespeichert.\n")),
                     qPrintable(r.err));
        }
        QVERIFY(!QFileInfo::exists(fresh));
        QCOMPARE(contentOf(old), QByteArray("alt"));
        QCOMPARE(QDir(tmp.path()).entryList({QStringLiteral("*.png*")}),
                 QStringList{QStringLiteral("alt.png")});
    }

    void wrongUse_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        const QString opt = QStringLiteral("--thumbnail");
        const QString ett = QStringLiteral("e.ett");
        const QString png = QStringLiteral("e.png");
        for (const char* size : {"0", "1025", "groß"})
            QTest::addRow("size %s", size)
                << QStringList{opt, ett, png, QString::fromUtf8(size)}
                << QStringLiteral("Ungültige Größe \"%1\": erlaubt sind 1 bis 1024.")
                       .arg(QString::fromUtf8(size));
        const QString names = QStringLiteral(
            "--thumbnail braucht die Etikettdatei, die PNG-Datei und wahlweise die Größe.");
        QTest::newRow("one name") << QStringList{opt, ett} << names;
        QTest::newRow("four names")
            << QStringList{opt, ett, png, QStringLiteral("8"), png} << names;
        QTest::newRow("with export") << QStringList{opt, QStringLiteral("--export-image"), ett, png}
                                     << QStringLiteral("--thumbnail steht allein.");
    }
    void wrongUse() {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        const Run r = run(args);
        QCOMPARE(r.code, 2);
        QVERIFY2(
            r.err.startsWith(QStringLiteral("aufkleber-werkbank: ") + message + QLatin1Char('\n')),
            qPrintable(r.err));
    }

    // A label file that never delivers its bytes (here a named pipe nobody writes to)
    // must not keep a file manager's thumbnailer waiting: the program gives up alone.
    void hangingFileEndsWithinTheTimeLimit() {
        const QString exe = QCoreApplication::applicationDirPath() +
                            QStringLiteral("/../../src/aufkleber-werkbank");
        QVERIFY2(QFileInfo::exists(exe), qPrintable(exe));
        const QString fifo = path(QStringLiteral("rohr.ett"));
        QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), path(QStringLiteral("config")));
        QProcess program;
        program.setProcessEnvironment(env);
        const QString out = path(QStringLiteral("rohr.png"));
        program.start(exe, {QStringLiteral("--thumbnail"), fifo, out});
        QVERIFY(program.waitForFinished(60000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 1);
        QVERIFY(QString::fromUtf8(program.readAllStandardError())
                    .contains(QStringLiteral("hat zu lange gedauert")));
        QVERIFY(!QFileInfo::exists(out));
    }
};

QTEST_MAIN(TestThumbnail)
#include "tst_thumbnail.moc"
