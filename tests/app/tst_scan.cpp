#include "app/mainmenu.h"
#include "app/scan/jpegqform.h"
#include "app/scan/prescandialog.h"
#include "app/scan/scancommands.h"
#include "app/scan/scannerselectdialog.h"
#include "app/sdiappform.h"
#include "codec/rasterio.h"
#include "document/settingsstore.h"
#include "sanetestdevice.h"
#include "scriptedprompts.h"

#include <QAction>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QtTest>

class TestScan : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

    QString confDir() const { return dir.filePath(QStringLiteral("sane")); }

    // Runs `step` on every turn of the event loop until it returns true.
    static void whenReady(QObject* owner, std::function<bool()> step) {
        auto* timer = new QTimer(owner);
        QObject::connect(timer, &QTimer::timeout, timer, [timer, step] {
            if (step())
                timer->deleteLater();
        });
        timer->start(10);
    }

private slots:
    void initTestCase() {
        SettingsStore::setOverridePath(dir.filePath(QStringLiteral("settings.ini")));
    }
    void init() { QVERIFY(useSaneTestDevice(confDir())); }

    void qualityControlsFollowEachOther_data() {
        QTest::addColumn<bool>("moveSlider");
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("slider");
        QTest::addColumn<double>("spin");
        QTest::newRow("slider 40") << true << 40.0 << 40 << 40.0;
        QTest::newRow("spin 33.7") << false << 33.7 << 33 << 33.7;
        QTest::newRow("spin 99") << false << 99.0 << 99 << 99.0;
    }
    void qualityControlsFollowEachOther() {
        QFETCH(bool, moveSlider);
        QFETCH(double, value);
        QFETCH(int, slider);
        QFETCH(double, spin);
        TJPEGQForm form;
        QCOMPARE(form.windowTitle(), QStringLiteral("JPEG-Speicherqualität setzen"));
        if (moveSlider)
            form.QualED1->setValue(int(value));
        else
            form.QualED2->setValue(value);
        QCOMPARE(form.QualED1->value(), slider);
        QCOMPARE(form.QualED2->value(), spin);
    }

    void qualitySurvivesRestart() {
        {
            TJPEGQForm form;
            form.QualED2->setValue(20.5);
            form.accept();
        }
        {
            // A cancelled change is not kept.
            TJPEGQForm form;
            QTimer::singleShot(0, &form, [&form] {
                form.QualED1->setValue(60);
                form.reject();
            });
            QCOMPARE(form.askQuality(), std::nullopt);
        }
        TJPEGQForm restarted;
        QCOMPARE(restarted.QualED1->value(), 20);
        QCOMPARE(restarted.QualED2->value(), 20.5);
    }

    void selectScanner() {
        ScriptedPrompts prompts;
        TSDIAppForm w(prompts);
        QAction* select = w.Menu->action(QStringLiteral("Scannerauswhlen1"));
        QVERIFY(select->isEnabled());
        whenReady(&w, [&] {
            ScannerSelectDialog* d = w.Scan->selectDialog();
            if (!d->isVisible())
                return false;
            d->DeviceList->setCurrentRow(1);
            d->accept();
            return true;
        });
        select->trigger();
        QCOMPARE(SettingsStore::open()->value(QStringLiteral("Scanner/Geraet")).toString(),
                 QStringLiteral("test:1"));
        QCOMPARE(w.Scan->selectDialog()->DeviceList->count(), 2);

        QVERIFY(useNoSaneDevices(confDir()));
        select->trigger();
        QCOMPARE(prompts.shown.size(), 1);
        QCOMPARE(prompts.shown[0].text, QStringLiteral("Es wurde kein Scanner gefunden."));
        QCOMPARE(prompts.shown[0].icon, Prompts::Icon::Warning);
    }

    // Through the menu, the scan dialog, the worker thread and the events to the
    // main window, to the saved picture.
    void scanAndSave_data() {
        QTest::addColumn<QByteArray>("conf");
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("saved");
        QTest::addColumn<QString>("dpi");
        QTest::newRow("saved as JPEG") << QByteArray("test-picture \"Color pattern\"\n") << false
                                       << QString() << true << QStringLiteral("100 dpi");
        QTest::newRow("device fails")
            << QByteArray("read-status-code \"SANE_STATUS_IO_ERROR\"\n") << false
            << QStringLiteral("Fehler beim Einscannen: Der Scanner antwortet nicht mehr.") << false
            << QStringLiteral("100 dpi");
        QTest::newRow("cancelled") << QByteArray("read-limit true\nread-limit-size 500\n"
                                                 "read-delay true\nread-delay-duration 200000\n")
                                   << true << QString() << false << QStringLiteral("600 dpi");
    }
    void scanAndSave() {
        QFETCH(QByteArray, conf);
        QFETCH(bool, cancel);
        QFETCH(QString, message);
        QFETCH(bool, saved);
        QFETCH(QString, dpi);
        QVERIFY(useSaneTestDevice(confDir(), conf));
        SettingsStore::open()->setValue(QStringLiteral("Scanner/Geraet"), QStringLiteral("test:0"));
        const QString target = dir.filePath(QStringLiteral("scan%1").arg(
            QString::fromUtf8(QTest::currentDataTag()).remove(QLatin1Char(' '))));
        ScriptedPrompts prompts;
        prompts.fileNames.enqueue(target);
        prompts.filterChoices.enqueue(5);
        TSDIAppForm w(prompts);
        PreScanDialog* d = w.Scan->preScanDialog();
        QAction* scanAction = w.Menu->action(QStringLiteral("Bildeinscanne1"));
        bool actionOffWhileScanning = false;
        whenReady(&w, [&] {
            if (!d->isVisible())
                return false;
            d->ModeBox->setCurrentText(QStringLiteral("Farbe"));
            d->ResolutionBox->setCurrentText(dpi);
            d->LeftEd->setValue(10);
            d->TopEd->setValue(0);
            d->WidthEd->setValue(51);
            d->HeightEd->setValue(25.5);
            d->ScanBtn->click();
            actionOffWhileScanning = !scanAction->isEnabled();
            if (cancel) {
                whenReady(&w, [&] {
                    if (d->Progress->value() == 0)
                        return false;
                    d->CancelBtn->click();
                    return true;
                });
            }
            return true;
        });
        whenReady(&w, [&] {
            if (!w.Scan->jpegForm()->isVisible())
                return false;
            w.Scan->jpegForm()->QualED1->setValue(30);
            w.Scan->jpegForm()->accept();
            return true;
        });
        scanAction->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(!d->isVisible(), 20000);
        QVERIFY(actionOffWhileScanning);
        QCOMPARE(d->ModeBox->count(), 3);
        QVERIFY(scanAction->isEnabled());
        QCOMPARE(prompts.fileRequests.size(), saved ? 1 : 0);
        QCOMPARE(prompts.shown.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty())
            QCOMPARE(prompts.shown[0].text, message);
        TDibRecord back;
        QCOMPARE(OpenDib(back, target + QStringLiteral(".JPG")), saved);
        if (saved) {
            QCOMPARE(w.ProgressBar1->value(), 100);
            QCOMPARE(back.width(), 200);
            QCOMPARE(back.height(), 100);
            QCOMPARE(JPEGQual(), 30);
        }
    }
};

QTEST_MAIN(TestScan)
#include "tst_scan.moc"
