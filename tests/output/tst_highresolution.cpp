#include "document/labeldocument.h"
#include "output/printersetup.h"
#include "pdfraster.h"
#include "render/drawvcart.h"

#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <QtTest>

namespace {
// Two by two pixels: red, transparent white; blue, green.
TDibRecord quarters() {
    TDibRecord rec;
    rec.Image = QImage(2, 2, QImage::Format_RGB32);
    rec.Image.setPixel(0, 0, qRgb(255, 0, 0));
    rec.Image.setPixel(1, 0, qRgb(255, 255, 255));
    rec.Image.setPixel(0, 1, qRgb(0, 0, 255));
    rec.Image.setPixel(1, 1, qRgb(0, 255, 0));
    rec.BitsPerPixel = 24;
    return rec;
}

// The largest picture (in pixels) that the PDF file embeds.
qint64 largestImage(const QString& pdf) {
    const QStringList lines =
        pdfraster::run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf})
            .split(QLatin1Char('\n'));
    qint64 largest = 0;
    for (const QString& line : lines.mid(2)) {
        const QStringList f = line.simplified().split(QLatin1Char(' '));
        if (f.size() > 4)
            largest = std::max(largest, f[3].toLongLong() * f[4].toLongLong());
    }
    return largest;
}
} // namespace

// A transparent picture over a whole large label on a printer of high resolution:
// drawn in full, in bands of bounded size.
class TestHighResolution : public QObject {
    Q_OBJECT
    QTemporaryDir tmp;

private slots:
    void transparentPictureOnALargeLabel_data() {
        QTest::addColumn<double>("widthMm");
        QTest::addColumn<double>("heightMm");
        QTest::addColumn<int>("dpi");
        QTest::newRow("A4 label at 1200 dpi") << 190.0 << 277.0 << 1200;
        QTest::newRow("A6 label at 2400 dpi") << 100.0 << 140.0 << 2400;
    }
    void transparentPictureOnALargeLabel() {
        QFETCH(double, widthMm);
        QFETCH(double, heightMm);
        QFETCH(int, dpi);
        LabelDocument doc;
        doc.Format.LabelWidth = widthMm;
        doc.Format.LabelHeight = heightMm;
        doc.computeWorkArea();
        Tobs& o = doc.Objs[1];
        o.Kind = KindPicture;
        o.X = doc.WorkWidth / 3;
        o.Y = doc.WorkHeight / 3;
        o.Width = doc.WorkWidth / 3;
        o.Height = doc.WorkHeight / 3;
        o.KeepAspect = false;
        o.Transparent = true;
        o.TransColor = 0xFFFFFF;
        o.Picture = quarters();

        const QString pdf = tmp.filePath(QStringLiteral("gross-%1.pdf").arg(dpi));
        QPrinter printer(QPrinter::HighResolution);
        setUpPdfPrinter(printer, pdf, dpi);
        const int margin = int(10 / MmPerInch * dpi);
        const int w = int(widthMm / MmPerInch * dpi);
        const int h = int(heightMm / MmPerInch * dpi);
        {
            QPainter painter(&printer);
            QVERIFY(painter.isActive());
            DeviceOutputGuard output(doc.Output, double(dpi) / 20000);
            DrawVCart(painter, doc, w, h, w - margin, h - margin, doc.Output.OutputScale, false, 1);
        }
        QVERIFY(QFileInfo(pdf).size() > 0);

        // Rasterised at 20 dpi: the quarters of the label in their colours (grey values).
        const double scale = 20.0 / dpi;
        const QImage page = pdfraster::area(pdf, 1, QRect(0, 0, 165, 233), 20);
        QVERIFY(!page.isNull());
        const auto at = [&](double fx, double fy) {
            return qGray(
                page.pixel(int((margin + fx * w) * scale), int((margin + fy * h) * scale)));
        };
        // The rasteriser's grey weights: 0.299 red, 0.587 green, 0.114 blue.
        const int red = 76, green = 150, blue = 29;
        for (double fy : {0.02, 0.25, 0.45}) {
            QVERIFY(std::abs(at(0.25, fy) - red) < 12);
            QVERIFY(at(0.75, fy) > 240); // transparent: the paper
        }
        for (double fy : {0.55, 0.75, 0.98}) {
            QVERIFY(std::abs(at(0.25, fy) - blue) < 12);
            QVERIFY(std::abs(at(0.75, fy) - green) < 12);
        }
        // No picture handed to the device is anywhere near the size of the label.
        const qint64 largest = largestImage(pdf);
        QVERIFY(largest > 0);
        QVERIFY2(largest <= 16LL * 1024 * 1024, qPrintable(QString::number(largest)));
    }
};

QTEST_MAIN(TestHighResolution)
#include "tst_highresolution.moc"
