#include "document/labelcatalogue.h"
#include "document/labelfile.h"
#include "filesizelimit.h"
#include "output/calibrationfile.h"
#include "quarterlabel.h"
#include "scriptedprompts.h"

#include <QDir>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

// Every writer on a full disk: the old file stays as it was, no temporary file is
// left beside it, and the failure is reported where the program reports failures.
namespace {
QByteArray contents(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& file, const QByteArray& bytes) {
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

QString executable() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/../../src/aufkleber-werkbank");
}

const QByteArray Old("alt, vollständig");
} // namespace

class TestFullDisk : public QObject {
    Q_OBJECT
    QTemporaryDir tmp;
    QString label;

    QString path(const QString& name) const { return tmp.filePath(name); }

    // The files of the folder besides the given ones: temporary files left behind.
    QStringList leftovers(const QString& target) const {
        QStringList names = QDir(tmp.path())
                                .entryList({QFileInfo(target).fileName() + QStringLiteral("*")},
                                           QDir::Files | QDir::Hidden);
        names.removeAll(QFileInfo(target).fileName());
        return names;
    }

    // Runs the program with files limited to `limit` bytes.
    int program(const QStringList& args, rlim_t limit, QString* err) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), path(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), path(QStringLiteral("runtime")));
        p.setProcessEnvironment(env);
        filesizelimit::forProcess(p, limit);
        p.start(executable(), args);
        if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit)
            return -1;
        *err = QString::fromUtf8(p.readAllStandardError());
        return p.exitCode();
    }

private slots:
    void initTestCase() {
        QVERIFY(tmp.isValid());
        LabelDocument doc;
        doc.computeWorkArea();
        addQuarterRectangle(doc);
        label = path(QStringLiteral("etikett.ett"));
        ScriptedPrompts prompts;
        QVERIFY(Saveit(doc, label, prompts));
        QVERIFY(QDir().mkpath(path(QStringLiteral("config"))));
        QVERIFY(QDir().mkpath(path(QStringLiteral("runtime"))));
        QFile::setPermissions(path(QStringLiteral("runtime")), QFileDevice::ReadOwner |
                                                                   QFileDevice::WriteOwner |
                                                                   QFileDevice::ExeOwner);
        QSettings settings(path(QStringLiteral("config/aufkleber-werkbank.ini")),
                           QSettings::IniFormat);
        settings.setValue(QStringLiteral("Zaehler/LaufendeNummer"), 42);
    }

    // The label file: the save error of the window, the old file, the document still
    // under its old name (so the caption does not call it saved).
    void labelFile() {
        const QString file = path(QStringLiteral("alt.ett"));
        writeFile(file, Old);
        const int code = filesizelimit::inChild(16, [&] {
            LabelDocument doc;
            doc.computeWorkArea();
            addQuarterRectangle(doc);
            ScriptedPrompts prompts;
            const bool saved = Saveit(doc, file, prompts);
            const bool told =
                prompts.shown.size() == 1 &&
                prompts.shown[0].caption ==
                    QStringLiteral("Fehler: Datei konnte nicht geschrieben werden") &&
                prompts.shown[0].text.contains(QStringLiteral("unverändert geblieben"));
            return !saved && told && doc.CurFileName.isEmpty() ? 0 : 1;
        });
        QCOMPARE(code, 0);
        QCOMPARE(contents(file), Old);
        QCOMPARE(leftovers(file), QStringList());
    }

    // "Etikett.dat" and options.dat fail silently, and keep what they held.
    void catalogue() {
        const QString file = path(QStringLiteral("Etikett.dat"));
        TLabelFormat format;
        const QByteArray old = catalogueBytes({format});
        writeFile(file, old);
        const int code = filesizelimit::inChild(old.size() + 40, [&] {
            LabelCatalogue catalogue(file);
            catalogue.LoadEttTypes();
            for (int i = 0; i < 5; ++i)
                catalogue.append(format);
            catalogue.SaveEttTypes();
            return catalogue.count() == 6 ? 0 : 1;
        });
        QCOMPARE(code, 0);
        QCOMPARE(contents(file), old);
        QCOMPARE(leftovers(file), QStringList());
    }
    // An unreadable list is copied aside before it is replaced; when the copy cannot
    // be completed, neither the list nor the older backup changes.
    void catalogueBackup() {
        const QString file = path(QStringLiteral("Etikett.dat"));
        const QString backup = file + QStringLiteral(".bak");
        const QByteArray foreign(4000, 'x');
        writeFile(file, foreign);
        writeFile(backup, Old);
        const int code = filesizelimit::inChild(1000, [&] {
            LabelCatalogue catalogue(file);
            catalogue.LoadEttTypes();
            catalogue.append(TLabelFormat{});
            catalogue.SaveEttTypes();
            return 0;
        });
        QCOMPARE(code, 0);
        QCOMPARE(contents(file), foreign);
        QCOMPARE(contents(backup), Old);
        QCOMPARE(leftovers(file), QStringList{QFileInfo(backup).fileName()});
    }
    void calibration() {
        const QString file = path(QStringLiteral("options.dat"));
        writeFile(file, Old);
        const int code = filesizelimit::inChild(8, [&] {
            return writeCalibration(Calibration{1, 2, 99, 101}, file) ? 1 : 0;
        });
        QCOMPARE(code, 0);
        QCOMPARE(contents(file), Old);
        QCOMPARE(leftovers(file), QStringList());
    }

    // Pictures in every format, the codec's own IFF among them, exported by the
    // program: it ends with 1 and says why; the old picture stays.
    void exportedPictures_data() {
        QTest::addColumn<int>("filter");
        for (int filter = 1; filter <= 12; ++filter)
            QTest::addRow("%d", filter) << filter;
    }
    void exportedPictures() {
        QFETCH(int, filter);
        const QString file = path(QStringLiteral("bild%1.bin").arg(filter));
        writeFile(file, Old);
        QString err;
        QCOMPARE(program({QStringLiteral("--export-image"), label, file,
                          QStringLiteral("--filter-index"), QString::number(filter)},
                         64, &err),
                 1);
        QCOMPARE(err, QStringLiteral("aufkleber-werkbank: Das Bild konnte nicht als \"%1\" "
                                     "gespeichert werden.\n")
                          .arg(file));
        QCOMPARE(contents(file), Old);
        QCOMPARE(leftovers(file), QStringList());
    }

    void thumbnail() {
        const QString file = path(QStringLiteral("vorschau.png"));
        writeFile(file, Old);
        QString err;
        QCOMPARE(program({QStringLiteral("--thumbnail"), label, file}, 64, &err), 1);
        QVERIFY2(err.contains(QStringLiteral("Das Vorschaubild konnte nicht")), qPrintable(err));
        QCOMPARE(contents(file), Old);
        QCOMPARE(leftovers(file), QStringList());
    }

    // A PDF from the command line: the print error, the old file, the stored counter
    // as it was.
    void printedPdf() {
        const QString file = path(QStringLiteral("druck.pdf"));
        writeFile(file, Old);
        QString err;
        QCOMPARE(program({QStringLiteral("--print"), label, QStringLiteral("--output"), file,
                          QStringLiteral("--copies"), QStringLiteral("10")},
                         1000, &err),
                 1);
        QCOMPARE(err, QStringLiteral("aufkleber-werkbank: Der Druckauftrag konnte nicht "
                                     "abgeschlossen werden.\n"));
        QCOMPARE(contents(file), Old);
        QCOMPARE(leftovers(file), QStringList());
        QSettings settings(path(QStringLiteral("config/aufkleber-werkbank.ini")),
                           QSettings::IniFormat);
        QCOMPARE(settings.value(QStringLiteral("Zaehler/LaufendeNummer")).toInt(), 42);

        // Without the limit the same run succeeds and advances the counter.
        QCOMPARE(program({QStringLiteral("--print"), label, QStringLiteral("--output"), file,
                          QStringLiteral("--copies"), QStringLiteral("10")},
                         RLIM_INFINITY, &err),
                 0);
        QVERIFY(contents(file).startsWith("%PDF"));
        settings.sync();
        QCOMPARE(settings.value(QStringLiteral("Zaehler/LaufendeNummer")).toInt(), 52);
    }
};

QTEST_MAIN(TestFullDisk)
#include "tst_fulldisk.moc"
