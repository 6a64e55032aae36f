#include "document/labeldocument.h"
#include "document/progpath.h"
#include "filesizelimit.h"
#include "output/emailexport.h"
#include "output/kalform.h"
#include "output/printerchoicedialog.h"
#include "output/printpage.h"
#include "output/printrun.h"
#include "pdfraster.h"
#include "scriptedprompts.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtEndian>
#include <QtTest>

namespace {
// Whether the top side of the label at `at` carries a (dotted) cut line.
bool outlined(const QImage& img, QPoint at, int width) {
    for (int x = at.x(); x < at.x() + width; ++x) {
        if (img.pixel(x, at.y()) == qRgb(0, 0, 0))
            return true;
    }
    return false;
}

QByteArray head(const QString& file, int n) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.read(n) : QByteArray();
}
} // namespace

class TestPrintPage : public QObject {
    Q_OBJECT
    QTemporaryDir tmp;
    LabelDocument doc;
    ScriptedPrompts prompts;
    int counter = 1;
    std::unique_ptr<TPrintPage> page;

    QString path(const QString& name) const { return tmp.filePath(name); }

private slots:
    void initTestCase() {
        QVERIFY(tmp.isValid());
        initProgPath(tmp.path());
        QFile f(path(QStringLiteral("options.dat")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        QByteArray left(8, '\0');
        qToLittleEndian<double>(10.0, left.data());
        f.write(left); // a short file: only the left offset
        f.close();
        doc.computeWorkArea();
        PrintPageHost host;
        host.labelNumber = [this] { return counter; };
        host.setLabelNumber = [this](int v) { counter = v; };
        page = std::make_unique<TPrintPage>(doc, prompts, std::move(host));
        if (!page->printsToPdf())
            QSKIP("a system printer is installed; these tests print into PDF files");
    }

    void preview_data() {
        QTest::addColumn<int>("across");
        QTest::addColumn<int>("down");
        QTest::addColumn<int>("used");
        QTest::addColumn<int>("copies");
        QTest::addColumn<int>("shown");
        QTest::addColumn<QList<QPoint>>("filled");
        QTest::addColumn<QList<QPoint>>("empty");
        QTest::newRow("ten labels")
            << 1 << 12 << 0 << 10 << 1 << QList<QPoint>{{0, 0}, {0, 4}, {0, 9}}
            << QList<QPoint>{{0, 10}, {0, 11}};
        QTest::newRow("used 11, sheet 1")
            << 1 << 12 << 11 << 10 << 1 << QList<QPoint>{{0, 11}} << QList<QPoint>{{0, 0}, {0, 10}};
        QTest::newRow("used 11, sheet 2")
            << 1 << 12 << 11 << 10 << 2 << QList<QPoint>{{0, 0}, {0, 8}}
            << QList<QPoint>{{0, 9}, {0, 11}};
        QTest::newRow("3 x 8, used 4")
            << 3 << 8 << 4 << 4 << 1 << QList<QPoint>{{1, 1}, {2, 1}, {0, 2}, {1, 2}}
            << QList<QPoint>{{0, 0}, {0, 1}, {2, 2}, {0, 3}};
    }
    void cleanup() { doc.Format = TLabelFormat(); }

    void preview() {
        QFETCH(int, across);
        QFETCH(int, down);
        QFETCH(QList<QPoint>, filled);
        QFETCH(QList<QPoint>, empty);
        doc.Format.Across = across;
        doc.Format.Down = down;
        doc.Format.PitchX = 60;
        doc.Format.LabelWidth = 58;
        doc.Format.PitchY = 24; // twelve rows fit on A4
        doc.Format.LabelHeight = 22;
        page->SchneidBtn->setChecked(true);
        QFETCH(int, copies);
        page->KopiesED->setValue(copies);
        QFETCH(int, used);
        QFETCH(int, shown);
        page->UsedED->setValue(used);
        page->PageEd->setValue(shown);
        page->VPaintPaint();
        const QImage& img = page->VPaint->Picture;
        QCOMPARE(img.size(), QSize(289, 409)); // A4 at 35 pixels per inch
        const int width = previewLabelSize(doc.Format, 35).width();
        for (const QPoint& cell : filled)
            QVERIFY(outlined(img, previewCorner(doc.Format, 35, cell.x(), cell.y()), width));
        for (const QPoint& cell : empty)
            QVERIFY(!outlined(img, previewCorner(doc.Format, 35, cell.x(), cell.y()), width));
    }

    void zoomLimits() {
        page->PreviewZoom = 262;
        const int paints = page->paintCount();
        page->ZoominBtnClick();
        QCOMPARE(page->PreviewZoom, 262);
        page->PreviewZoom = 15;
        page->ZoomOutBtnClick();
        QCOMPARE(page->PreviewZoom, 15);
        QCOMPARE(page->paintCount(), paints);
        page->ZoominBtnClick();
        QCOMPARE(page->PreviewZoom, 22);
        QCOMPARE(page->VPaint->size(), QSize(4960 * 22 / 600, 7016 * 22 / 600));
        page->PreviewZoom = StartPreviewZoom;
    }

    void printAdvancesTheCounter() {
        counter = 5;
        page->UsedED->setValue(0);
        page->KopiesED->setValue(3);
        page->SchneidBtn->setChecked(false);
        const QString pdf = path(QStringLiteral("drei.pdf"));
        prompts.fileNames.enqueue(pdf);
        page->PrintClick();
        QCOMPARE(counter, 8);
        QCOMPARE(pdfraster::pageCount(pdf), 1);
        QCOMPARE(doc.Output.OutputMode, 0);
    }

    void failedPrintLeavesTheCounter() {
        counter = 5;
        prompts.shown.clear();
        prompts.fileNames.enqueue(path(QStringLiteral("kein/ordner/x.pdf")));
        page->PrintClick();
        QCOMPARE(counter, 5);
        QCOMPARE(prompts.shown.size(), 1);
        QCOMPARE(prompts.shown[0].caption, QStringLiteral("Drucken"));
        QCOMPARE(doc.Output.OutputMode, 0);
        QCOMPARE(doc.Output.MmPerInchX, MmPerInch);
    }

    // On a full disk "Drucken" reports the failure and keeps the old PDF and the counter.
    void fullDiskKeepsTheOldPdfAndTheCounter() {
        const QString pdf = path(QStringLiteral("voll.pdf"));
        QFile old(pdf);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("alt");
        old.close();
        counter = 5;
        page->UsedED->setValue(0);
        page->KopiesED->setValue(3);
        prompts.shown.clear();
        prompts.fileNames.enqueue(pdf);
        const int code = filesizelimit::inChild(300, [this] {
            page->PrintClick();
            const bool told = prompts.shown.size() == 1 &&
                              prompts.shown[0].text == JobNotFinishedText &&
                              prompts.shown[0].icon == Prompts::Icon::Error;
            return counter == 5 && told ? 0 : 1;
        });
        prompts.fileNames.clear();
        QCOMPARE(code, 0);
        QCOMPARE(head(pdf, 4), QByteArray("alt"));
        QCOMPARE(
            QDir(tmp.path()).entryList({QStringLiteral("voll.pdf*")}, QDir::Files | QDir::Hidden),
            QStringList{QStringLiteral("voll.pdf")});
    }

    // "Einrichten" offers the system's queues and the PDF file; a queue that cannot
    // be used is reported and the PDF file stays; the preview is drawn again.
    void printerChoice() {
        page->setPrinterNames([] {
            return QStringList{QStringLiteral("Büro"), QStringLiteral("Labor")};
        });
        prompts.shown.clear();
        const int paints = page->paintCount();
        QStringList listed;
        QString current;
        bool paperForPdf = true;
        bool paperForQueue = false;
        QTimer::singleShot(0, [&] {
            auto* d = qobject_cast<PrinterChoiceDialog*>(QApplication::activeModalWidget());
            if (!d)
                return;
            for (int i = 0; i < d->PrinterList->count(); ++i)
                listed << d->PrinterList->item(i)->text();
            current = d->PrinterList->currentItem()->text();
            paperForPdf = d->PaperBtn->isEnabled();
            d->PrinterList->setCurrentRow(1);
            paperForQueue = d->PaperBtn->isEnabled();
            d->accept();
        });
        page->SetupBtn->click();
        QCOMPARE(listed, (QStringList{QStringLiteral("Büro"), QStringLiteral("Labor"),
                                      QStringLiteral("PDF-Datei")}));
        QCOMPARE(current, QStringLiteral("PDF-Datei"));
        QVERIFY(!paperForPdf);
        QVERIFY(paperForQueue);
        QCOMPARE(prompts.shown.size(), 1);
        QCOMPARE(prompts.shown[0].text,
                 QStringLiteral("Der Drucker \"Labor\" ist nicht verfügbar."));
        QVERIFY(page->printsToPdf());
        QVERIFY(page->paintCount() > paints);
    }

    // The calibration's test square into a PDF file asks with its own caption.
    void testPrintAsksForItsFile() {
        prompts.fileRequests.clear();
        page->KalForm->BitBtn1->click(); // the file dialog is cancelled
        QCOMPARE(prompts.fileRequests.size(), 1);
        QCOMPARE(prompts.fileRequests[0].title,
                 QStringLiteral("Testrechteck in eine PDF-Datei drucken"));
    }

    // Loaded at start (a short file keeps the start values for the rest, 10 becomes
    // 6); every closing of the dialog writes all four values.
    void calibrationDialog() {
        QCOMPARE(page->KalForm->values(), (Calibration{6, 0, 100, 100}));
        QCOMPARE(page->KalForm->windowTitle(),
                 QStringLiteral("Drucker kalibrieren - Die Feineinstellung "));
        page->KalForm->BreitEd->setValue(101.04);
        QTimer::singleShot(0, page->KalForm, [this] { page->KalForm->BackBtn->click(); });
        page->KalBtnClick();
        QFile f(path(QStringLiteral("options.dat")));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QCOMPARE(bytes.size(), 32);
        QCOMPARE(qFromLittleEndian<double>(bytes.constData()), 6.0);
        QCOMPARE(qFromLittleEndian<double>(bytes.constData() + 16), 101.04);
    }

    void emailExport_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("filter");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QByteArray>("magic");
        QTest::newRow("jpg appended") << "etikett" << 5 << "etikett.jpg" << QByteArray("\xFF\xD8");
        QTest::newRow("own extension kept")
            << "etikett.png" << 0 << "etikett.png" << QByteArray("BM");
        QTest::newRow("PNG after the eleven")
            << "etikett2" << 11 << "etikett2.png" << QByteArray("\x89P");
    }
    void emailExport() {
        QFETCH(QString, typed);
        QFETCH(int, filter);
        QFETCH(QString, written);
        EMailExport exporter;
        ScriptedPrompts p;
        p.fileNames.enqueue(path(typed));
        p.filterChoices.enqueue(filter);
        QVERIFY(exporter.run(doc, 7, p));
        QCOMPARE(p.fileRequests[0].title, QStringLiteral("Etikett für eMail-Anhang speichern"));
        QCOMPARE(p.fileRequests[0].filters.size(), 12);
        QCOMPARE(p.fileRequests[0].filters[5], QStringLiteral("JPEG (*.jpg)"));
        QCOMPARE(p.fileRequests[0].filters[11],
                 QStringLiteral("Portable Network Graphics (*.png)"));
        QTEST(head(path(written), 2), "magic");
        QCOMPARE(QImage(path(written)).size(), QSize(336, 134));
        QCOMPARE(exporter.lastFilter(), filter);
    }

    void emailExportAsksAgainAfterAppending() {
        const QString existing = path(QStringLiteral("alt.bmp"));
        QFile f(existing);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("alt");
        f.close();
        EMailExport exporter;
        ScriptedPrompts p;
        p.fileNames.enqueue(path(QStringLiteral("alt")));
        p.answers.enqueue(Prompts::Answer::No);
        QVERIFY(!exporter.run(doc, 1, p));
        QCOMPARE(head(existing, 3), QByteArray("alt"));
        QCOMPARE(p.shown.size(), 1);
        QCOMPARE(p.shown[0].buttons, Prompts::Buttons::YesNo);

        p.fileNames.enqueue(path(QStringLiteral("kein/ordner/bild.bmp")));
        QVERIFY(!exporter.run(doc, 1, p));
        QCOMPARE(p.shown.last().text, EMailExport::SaveFailedText);
    }
};

QTEST_MAIN(TestPrintPage)
#include "tst_printpage.moc"
