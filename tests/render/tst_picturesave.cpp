#include "codec/rasterio.h"
#include "render/picturesave.h"
#include "scriptedprompts.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestPictureSave : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    const QString SaveError = QStringLiteral("Fehler: Datei konnte nicht gespeichert werden!");

    static TDibRecord picture() {
        TDibRecord p;
        newdib(p, 40, 30, 24, nullptr, 0);
        for (int x = 0; x < 40; ++x)
            setpixel(p, x, x % 30, 0x0000FF);
        return p;
    }

    static QByteArray contents(const QString& fileName) {
        QFile f(fileName);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private slots:
    // Every format of the save dialog, by the 0-based entry the user picks.
    void savesEachFormat_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("written");
        const char* ext[] = {"BMP", "DIB", "GIF", "IFF", "JIF", "JPG",
                             "LBM", "PCX", "RLE", "TGA", "TIF"};
        for (int i = 0; i < 11; ++i) {
            const QString name = QStringLiteral("ohne%1").arg(i);
            QTest::addRow("%s", ext[i])
                << name << i << name + QLatin1Char('.') + QLatin1String(ext[i]);
        }
        QTest::newRow("typed extension kept")
            << QStringLiteral("eigen.png") << 0 << QStringLiteral("eigen.png");
        QTest::newRow("trailing dot")
            << QStringLiteral("punkt.") << 5 << QStringLiteral("punkt.JPG");
    }
    void savesEachFormat() {
        QFETCH(QString, typed);
        QFETCH(int, entry);
        QFETCH(QString, written);
        ScriptedPrompts prompts;
        prompts.fileNames.enqueue(dir.filePath(typed));
        prompts.filterChoices.enqueue(entry);
        Prompts::FileRequest dialog = pictureSaveDialog();
        QCOMPARE(dialog.filters.size(), 11);
        int asked = 0;
        TDibRecord pic = picture();
        const auto outcome = savePictureAs(pic, prompts, dialog, [&]() -> std::optional<int> {
            ++asked;
            return 40;
        });
        QCOMPARE(outcome, PictureSaveOutcome::Saved);
        QVERIFY(!pic.hasPicture());
        QVERIFY(prompts.shown.isEmpty());
        QCOMPARE(asked, isJpegSaveEntry(entry + 1) ? 1 : 0);
        if (asked)
            QCOMPARE(JPEGQual(), 40);
        TDibRecord back;
        QVERIFY2(OpenDib(back, dir.filePath(written)), qPrintable(written));
        QCOMPARE(back.width(), 40);
        QCOMPARE(back.height(), 30);
        // The format follows the filter entry, whatever the name says.
        if (entry == 0)
            QVERIFY(contents(dir.filePath(written)).startsWith("BM"));
        if (entry == 5)
            QVERIFY(contents(dir.filePath(written)).startsWith("\xFF\xD8"));
    }

    void nothingWrittenUnlessAllowed_data() {
        QTest::addColumn<bool>("dialogCancelled");
        QTest::addColumn<bool>("qualityCancelled");
        QTest::addColumn<bool>("exists");
        QTest::addColumn<bool>("writeProtected");
        QTest::addColumn<int>("answer"); // to the question about replacing
        QTest::addColumn<bool>("replaced");
        QTest::addColumn<QString>("message");
        QTest::newRow("dialog cancelled")
            << true << false << false << false << 0 << false << QString();
        QTest::newRow("quality cancelled")
            << false << true << false << false << 0 << false << QString();
        QTest::newRow("replace: no")
            << false << false << true << false << int(Prompts::Answer::No) << false << QString();
        QTest::newRow("replace: yes")
            << false << false << true << false << int(Prompts::Answer::Yes) << true << QString();
        QTest::newRow("write-protected")
            << false << false << true << true << int(Prompts::Answer::Yes) << false << SaveError;
    }
    void nothingWrittenUnlessAllowed() {
        QFETCH(bool, dialogCancelled);
        QFETCH(bool, qualityCancelled);
        QFETCH(bool, exists);
        QFETCH(bool, writeProtected);
        QFETCH(int, answer);
        QFETCH(bool, replaced);
        QFETCH(QString, message);
        const QString target = dir.filePath(QStringLiteral("ziel.JPG"));
        QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
        QFile::remove(target);
        const QFileDevice::Permissions protectedPerms = QFile::ReadOwner | QFile::ReadGroup;
        if (exists) {
            QFile f(target);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("alt");
            f.close();
            if (writeProtected)
                QVERIFY(QFile::setPermissions(target, protectedPerms));
        }
        ScriptedPrompts prompts;
        if (!dialogCancelled)
            prompts.fileNames.enqueue(dir.filePath(QStringLiteral("ziel")));
        prompts.filterChoices.enqueue(5);
        if (exists)
            prompts.answers.enqueue(Prompts::Answer(answer));
        Prompts::FileRequest dialog = pictureSaveDialog();
        TDibRecord pic = picture();
        savePictureAs(pic, prompts, dialog, [&]() -> std::optional<int> {
            return qualityCancelled ? std::nullopt : std::optional<int>(75);
        });
        QVERIFY(!pic.hasPicture());
        QCOMPARE(prompts.shown.size(), int(exists) + int(!message.isEmpty()));
        if (exists)
            QCOMPARE(prompts.shown.first().text,
                     QStringLiteral("Die Datei existiert schon, soll Sie überschrieben werden?"));
        if (!message.isEmpty()) {
            QCOMPARE(prompts.shown.last().text, message);
            QCOMPARE(prompts.shown.last().caption, QString());
            QCOMPARE(prompts.shown.last().icon, Prompts::Icon::Information);
            // Owner, group and others as stored (the "user" bits depend on who runs the test).
            QCOMPARE(QFile::permissions(target) & QFileDevice::Permissions(0x7077), protectedPerms);
        }
        const QByteArray now = contents(target);
        if (replaced)
            QVERIFY(now.startsWith("\xFF\xD8"));
        else
            QCOMPARE(now, exists ? QByteArray("alt") : QByteArray());
    }

    void failedWriteGivesMessage() {
        ScriptedPrompts prompts;
        prompts.fileNames.enqueue(dir.filePath(QStringLiteral("fehlt/bild.bmp")));
        prompts.filterChoices.enqueue(0);
        Prompts::FileRequest dialog = pictureSaveDialog();
        TDibRecord pic = picture();
        QCOMPARE(savePictureAs(pic, prompts, dialog, {}), PictureSaveOutcome::Failed);
        QCOMPARE(prompts.shown.size(), 1);
        QCOMPARE(prompts.shown.first().text, SaveError);
        QVERIFY(!pic.hasPicture());
    }
};

QTEST_GUILESS_MAIN(TestPictureSave)
#include "tst_picturesave.moc"
