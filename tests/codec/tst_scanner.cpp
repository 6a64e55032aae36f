#include "codec/appevents.h"
#include "codec/scanner.h"
#include "sanetestdevice.h"

#include <QTemporaryDir>
#include <QtTest>

// Collects what a scan posts to its window.
class ScanWindow : public QObject {
public:
    QList<int> progress;
    int ticket = 0;
    bool event(QEvent* e) override {
        if (e->type() == ProgressEventType) {
            progress.append(static_cast<ProgressEvent*>(e)->Value);
            return true;
        }
        if (e->type() == ScanFinishedEventType) {
            ticket = static_cast<ScanFinishedEvent*>(e)->Ticket;
            return true;
        }
        return QObject::event(e);
    }
};

class TestScanner : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

    QString confDir() const { return dir.filePath(QStringLiteral("sane")); }

    // Runs one scan to its end; returns the ticket (0: never finished).
    int scan(ScanWindow& window, const ScanRequest& request) {
        if (!TWAIN_ScanImage(&window, request))
            return 0;
        [&] { QTRY_VERIFY_WITH_TIMEOUT(window.ticket != 0, 20000); }();
        return window.ticket;
    }

    static ScanRequest request(const QString& mode, int dpi, QRectF area) {
        return ScanRequest{QStringLiteral("test:0"), mode, dpi, area};
    }

private slots:
    void init() { QVERIFY(useSaneTestDevice(confDir())); }
    void cleanup() { TWAIN_Shutdown(); }

    void listsOnlyTheTestDevices() {
        QList<ScanDevice> devices;
        QCOMPARE(TWAIN_ListScanners(devices), QString());
        QCOMPARE(devices.size(), 2);
        QCOMPARE(devices[0].name, QStringLiteral("test:0"));
        QCOMPARE(devices[1].name, QStringLiteral("test:1"));

        TWAIN_SetCurrentScanner(QString());
        QString offered;
        QCOMPARE(TWAIN_SelectScanner([&](const QList<ScanDevice>& list, int current) {
                     offered = list.value(current).name;
                     return 1;
                 }),
                 QString());
        QCOMPARE(offered, QString());
        QCOMPARE(TWAIN_CurrentScanner(), QStringLiteral("test:1"));

        QVERIFY(useNoSaneDevices(confDir()));
        QCOMPARE(TWAIN_ListScanners(devices), QStringLiteral("Es wurde kein Scanner gefunden."));
        QCOMPARE(TWAIN_CurrentScanner(), QStringLiteral("test:1"));
    }

    void deviceOptions() {
        ScanDeviceOptions options;
        QCOMPARE(TWAIN_DeviceOptions(QStringLiteral("test:0"), options), QString());
        QCOMPARE(options.modes, QStringList({ScanModeColor, ScanModeGray, ScanModeLineArt}));
        QCOMPARE(options.mode, ScanModeGray);
        QCOMPARE(options.resolutions, QList<int>({50, 75, 100, 150, 200, 300, 400, 600, 1200}));
        QCOMPARE(options.resolution, 100);
        QVERIFY(options.hasArea);
        QCOMPARE(options.maxArea, QRectF(0, 0, 200, 200));
        QCOMPARE(options.area, QRectF(0, 0, 80, 100));

        QVERIFY(!TWAIN_DeviceOptions(QStringLiteral("test:7"), options).isEmpty());
    }

    void scanDeliversPicture_data() {
        QTest::addColumn<QByteArray>("conf");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("bits");
        QTest::addColumn<int>("height"); // -1: as long as the hand scanner went
        QTest::addColumn<int>("width");
        QTest::addColumn<QRgb>("firstPixel"); // as shown; 1: more than one colour
        QTest::newRow("Farbe") << QByteArray("test-picture \"Color pattern\"\n") << ScanModeColor
                               << 24 << 100 << 200 << QRgb(1);
        QTest::newRow("Farbe dreifach")
            << QByteArray("test-picture \"Color pattern\"\nthree-pass true\n") << ScanModeColor
            << 24 << 100 << 200 << QRgb(1);
        QTest::newRow("Graustufen") << QByteArray("test-picture \"Solid white\"\n") << ScanModeGray
                                    << 8 << 100 << 200 << qRgb(255, 255, 255);
        QTest::newRow("Strichzeichnung, blockierend")
            << QByteArray("non-blocking false\nselect-fd false\n") << ScanModeLineArt << 1 << 100
            << 200 << qRgb(0, 0, 0);
        QTest::newRow("Handscanner")
            << QByteArray("hand-scanner true\n") << ScanModeGray << 8 << -1 << 433 << qRgb(0, 0, 0);
    }
    void scanDeliversPicture() {
        QFETCH(QByteArray, conf);
        QFETCH(QString, mode);
        QFETCH(int, bits);
        QFETCH(int, height);
        QFETCH(int, width);
        QFETCH(QRgb, firstPixel);
        QVERIFY(useSaneTestDevice(confDir(), conf));

        ScanWindow window;
        // Just over 2 x 1 inches at 100 dots per inch.
        const int ticket = scan(window, request(mode, 100, QRectF(0, 0, 51, 25.5)));
        QVERIFY(ticket != 0);
        QVERIFY(!TWAIN_ScanRunning());
        QVERIFY(!window.progress.isEmpty());
        QCOMPARE(window.progress.last(), 100);
        QVERIFY(std::is_sorted(window.progress.begin(), window.progress.end()));

        TDibRecord picture;
        QString failure = QStringLiteral("unset");
        GetScanedDib(picture, ticket, &failure);
        QCOMPARE(failure, QString());
        QVERIFY(picture.hasPicture());
        QCOMPARE(picture.BitsPerPixel, bits);
        QCOMPARE(pictureResolution(picture), 100); // what a saved file declares
        QCOMPARE(picture.width(), width);
        if (height >= 0)
            QCOMPARE(picture.height(), height);
        else
            QVERIFY(picture.height() > 0);
        const QImage shown = picture.Image.convertToFormat(QImage::Format_RGB32);
        if (firstPixel == QRgb(1)) {
            QVERIFY(shown.pixel(0, 0) != shown.pixel(width - 1, height - 1) ||
                    shown.pixel(0, 0) != shown.pixel(width / 2, height / 2));
        } else {
            QCOMPARE(shown.pixel(0, 0) & 0xFFFFFF, firstPixel & 0xFFFFFF);
            QCOMPARE(shown.pixel(width - 1, shown.height() - 1) & 0xFFFFFF, firstPixel & 0xFFFFFF);
        }

        // A result is handed out once.
        GetScanedDib(picture, ticket);
        QVERIFY(!picture.hasPicture());
    }

    void threePassMatchesOnePass() {
        QImage single;
        for (const QByteArray& conf :
             {QByteArray("three-pass false\n"), QByteArray("three-pass true\n")}) {
            QVERIFY(useSaneTestDevice(confDir(), "test-picture \"Color pattern\"\n" + conf));
            ScanWindow window;
            const int ticket = scan(window, request(ScanModeColor, 50, QRectF(0, 0, 60, 40)));
            TDibRecord picture;
            GetScanedDib(picture, ticket);
            QVERIFY(picture.hasPicture());
            if (single.isNull())
                single = picture.Image;
            else
                QCOMPARE(picture.Image, single);
        }
    }

    void failedScanGivesMessageAndNoPicture() {
        QVERIFY(useSaneTestDevice(confDir(), "read-status-code \"SANE_STATUS_IO_ERROR\"\n"));
        ScanWindow window;
        const int ticket = scan(window, request(ScanModeGray, 100, QRectF()));
        QVERIFY(ticket != 0);
        TDibRecord picture;
        QString failure;
        GetScanedDib(picture, ticket, &failure);
        QVERIFY(!picture.hasPicture());
        QCOMPARE(failure,
                 QStringLiteral("Fehler beim Einscannen: Der Scanner antwortet nicht mehr."));
    }

    void onlyOneScanAndCancel() {
        // Slow: 1 kB per read and a pause after each.
        QVERIFY(useSaneTestDevice(confDir(), "read-limit true\nread-limit-size 1000\n"
                                             "read-delay true\nread-delay-duration 20000\n"));
        ScanWindow window;
        const ScanRequest slow = request(ScanModeGray, 300, QRectF(0, 0, 100, 100));
        QVERIFY(TWAIN_ScanImage(&window, slow));
        QVERIFY(!TWAIN_ScanImage(&window, slow));
        QVERIFY(TWAIN_ScanRunning());
        QList<ScanDevice> devices;
        QCOMPARE(TWAIN_ListScanners(devices), QStringLiteral("Es läuft bereits ein Scanvorgang."));
        QTRY_VERIFY_WITH_TIMEOUT(!window.progress.isEmpty(), 10000);
        TWAIN_CancelScan();
        QTRY_VERIFY_WITH_TIMEOUT(window.ticket != 0, 10000);
        QVERIFY(window.progress.last() < 100);
        TDibRecord picture;
        QString failure = QStringLiteral("unset");
        GetScanedDib(picture, window.ticket, &failure);
        QVERIFY(!picture.hasPicture());
        QCOMPARE(failure, QString());
    }

    void shutdownStopsRunningScan() {
        QVERIFY(useSaneTestDevice(confDir(), "read-limit true\nread-limit-size 1000\n"
                                             "read-delay true\nread-delay-duration 20000\n"));
        ScanWindow window;
        QVERIFY(TWAIN_ScanImage(&window, request(ScanModeGray, 300, QRectF(0, 0, 100, 100))));
        QTRY_VERIFY_WITH_TIMEOUT(!window.progress.isEmpty(), 10000);
        TWAIN_Shutdown();
        QVERIFY(!TWAIN_ScanRunning());
        QCoreApplication::processEvents();
        QCOMPARE(window.ticket, 0); // nothing posted after the end
        // The next scan starts afresh.
        QVERIFY(useSaneTestDevice(confDir()));
        QVERIFY(scan(window, request(ScanModeGray, 50, QRectF(0, 0, 10, 10))) != 0);
    }
};

QTEST_GUILESS_MAIN(TestScanner)
#include "tst_scanner.moc"
