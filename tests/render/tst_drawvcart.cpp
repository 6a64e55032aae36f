#include "renderfixture.h"

#include "render/labelgeometry.h"

#include <QPaintEngine>
#include <QPainterPath>
#include <QPdfWriter>
#include <QPicture>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <climits>
#include <cmath>

using namespace renderfixture;

namespace {

// A canvas of varied pixels: any drawing on it shows.
QImage noiseCanvas(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    QRandomGenerator rng(4711);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, 0xFF000000u | (rng.generate() & 0xFFFFFF));
    return img;
}

// A paint device that only records whether RenderBusy was set whenever something
// was drawn.
class ProbeEngine : public QPaintEngine {
public:
    explicit ProbeEngine(const bool& busy) : QPaintEngine(AllFeatures), busy_(busy) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPath(const QPainterPath&) override { record(); }
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override { record(); }
    void drawRects(const QRectF*, int) override { record(); }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override { record(); }
    void drawImage(const QRectF&, const QImage&, const QRectF&, Qt::ImageConversionFlags) override {
        record();
    }
    void drawTextItem(const QPointF&, const QTextItem&) override { record(); }
    Type type() const override { return User; }

    int calls = 0;
    bool alwaysBusy = true;

private:
    void record() {
        ++calls;
        alwaysBusy = alwaysBusy && busy_;
    }
    const bool& busy_;
};

class ProbeDevice : public QPaintDevice {
public:
    explicit ProbeDevice(const bool& busy) : engine_(busy) {}
    QPaintEngine* paintEngine() const override { return &engine_; }
    ProbeEngine& engine() { return engine_; }

protected:
    int metric(PaintDeviceMetric m) const override {
        switch (m) {
        case PdmWidth:
        case PdmHeight:
            return 300;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 96;
        case PdmDepth:
            return 32;
        case PdmWidthMM:
        case PdmHeightMM:
            return 80;
        case PdmNumColors:
            return INT_MAX;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        default:
            return 0;
        }
    }

private:
    mutable ProbeEngine engine_;
};

// A label of every kind of object, for tests that look at the whole drawing.
void fillLabel(LabelDocument& doc) {
    figure(doc, 1, 3, 20, 20, 60, 40, Red, 2).OutlineColor = Blue;
    figure(doc, 2, 1, 150, 120, 100, 60, Blue, 0);
    figure(doc, 3, 8, 0, 0, 300, 300, Red);
    Tobs& t = doc.Objs[4];
    t.Kind = KindText;
    t.Text = QStringLiteral("Etikett %%NUMMER%%");
    t.X = 110;
    t.Y = 110;
    t.Width = 80;
    t.Height = 40;
    t.FontName = QStringLiteral("Arial");
    t.FontSize = 3000; // at scale 1/208
    t.Shadow = t.Outline = true;
    Tobs& p = doc.Objs[5];
    p.Kind = KindPicture;
    p.Picture = picture24(5, 5, [](int x, int y) { return (x + y) % 2 ? Red : Blue; });
    p.X = 180;
    p.Y = 60;
    p.Width = 80;
    p.Height = 50;
    p.Transparent = true;
    p.TransColor = Blue;
    doc.BkgndMode = 3;
    doc.BkgndPic = picture24(40, 10, [](int x, int) { return x * 6; });
}
} // namespace

class TestDrawVCart : public QObject {
    Q_OBJECT
private slots:
    void labelRect_data() {
        QTest::addColumn<bool>("editor");
        QTest::addColumn<QList<int>>("args"); // AreaWidth, AreaHeight, OffsetX, OffsetY
        QTest::addColumn<QList<qint64>>("sides");
        QTest::newRow("editor, start format")
            << true << QList<int>{1009, 405, 0, 0} << QList<qint64>{336, 135, 672, 270};
        QTest::newRow("editor, scrolled")
            << true << QList<int>{1009, 405, 300, 100} << QList<qint64>{36, 35, 372, 170};
        QTest::newRow("preview") << false << QList<int>{340, 136, 340, 136}
                                 << QList<qint64>{0, 0, 340, 136};
        QTest::newRow("printing at (500, 80)")
            << false << QList<int>{2100, 843, 2100 - 500, 843 - 80}
            << QList<qint64>{500, 80, 2600, 923};
        QTest::newRow("no overflow")
            << false << QList<int>{INT_MAX, INT_MAX, INT_MIN, 0}
            << QList<qint64>{qint64(INT_MAX) - INT_MIN, INT_MAX, 2 * qint64(INT_MAX) - INT_MIN,
                             2 * qint64(INT_MAX)};
    }
    void labelRect() {
        QFETCH(bool, editor);
        QFETCH(QList<int>, args);
        QFETCH(QList<qint64>, sides);
        const LabelRect r = computeLabelRect(args[0], args[1], args[2], args[3], editor);
        QCOMPARE((QList<qint64>{r.Left, r.Top, r.Right, r.Bottom}), sides);
    }

    // An empty table without background leaves the canvas as it was.
    void emptyTableLeavesCanvas() {
        auto doc = pixelDocument();
        doc->BkgndPic = picture24(4, 4, [](int, int) { return Red; }); // mode -1: not drawn
        const QImage canvas = noiseCanvas(200, 150);
        QCOMPARE(render(*doc, canvas, 300, 300, 0, 0, 1.0, true), canvas);
        QCOMPARE(render(*doc, canvas, 100, 100, 50, 50, 1.0, false), canvas);
        QVERIFY(!doc->Output.RenderBusy);
    }

    // Kinds outside 1..4 and shapes outside 0..9 draw nothing.
    void unknownKindsAndShapes() {
        auto doc = pixelDocument();
        for (int kind : {0, 5, -1, 99}) {
            figure(*doc, 1, 3, 10, 10, 50, 50, Red).Kind = kind;
            QCOMPARE(inkBounds(renderEditor(*doc)), QRect());
        }
        for (int shape : {10, -1, INT_MAX}) {
            figure(*doc, 1, shape, 10, 10, 50, 50, Red);
            QCOMPARE(inkBounds(renderEditor(*doc)), QRect());
        }
    }

    // In output everything is cut at the label's edge; in the editor nothing is.
    void clipping() {
        auto doc = pixelDocument();
        figure(*doc, 1, 3, 50, 50, 200, 200, Red);
        figure(*doc, 2, 6, 0, 150, 300, 0, Blue);
        QCOMPARE(inkBounds(renderEditor(*doc)), QRect(0, 50, 300, 200));
        // Label of 100 x 100 at (100, 100) on a 300 x 300 canvas.
        QCOMPARE(inkBounds(render(*doc, whiteCanvas(300, 300), 100, 100, 0, 0, 1.0, false)),
                 QRect(100, 100, 100, 100));
        // Every kind of object and a tiled background stay inside the label.
        auto full = pixelDocument();
        fillLabel(*full);
        const QImage out = render(*full, whiteCanvas(300, 300), 100, 100, 0, 0, 1.0, false);
        QCOMPARE(inkBounds(out), QRect(100, 100, 100, 100));
        QVERIFY(inkBounds(renderEditor(*full)).width() > 150);
    }

    // RenderBusy holds for every drawing step and only during the call.
    void renderBusy() {
        auto doc = pixelDocument();
        fillLabel(*doc);
        ProbeDevice device(doc->Output.RenderBusy);
        QPainter p(&device);
        QVERIFY(!doc->Output.RenderBusy);
        DrawVCart(p, *doc, 300, 300, 0, 0, 1.0 / 208, true, 3);
        QVERIFY(!doc->Output.RenderBusy);
        p.end();
        QVERIFY(device.engine().calls > 5);
        QVERIFY(device.engine().alwaysBusy);

        // A painter that is not active: nothing drawn, the flag cleared.
        QPainter idle;
        DrawVCart(idle, *doc, 300, 300, 0, 0, 1.0, true, 0);
        QVERIFY(!doc->Output.RenderBusy);
    }

    // The painter leaves the call as it came.
    void painterStateKept() {
        auto doc = pixelDocument();
        fillLabel(*doc);
        QImage canvas = whiteCanvas(300, 300);
        QPainter p(&canvas);
        const QPen pen(Qt::green, 3, Qt::DashLine);
        const QBrush brush(Qt::yellow, Qt::Dense3Pattern);
        QFont font(QStringLiteral("Courier"));
        font.setPixelSize(17);
        p.setPen(pen);
        p.setBrush(brush);
        p.setFont(font);
        p.setClipRect(QRect(5, 5, 280, 280));
        p.translate(3, 4);
        p.setRenderHint(QPainter::Antialiasing, true);
        const QTransform transform = p.transform();
        DrawVCart(p, *doc, 300, 300, 0, 0, 1.0, false, 0);
        QCOMPARE(p.pen(), pen);
        QCOMPARE(p.brush(), brush);
        QCOMPARE(p.font(), font);
        QCOMPARE(p.transform(), transform);
        QCOMPARE(p.clipBoundingRect(), QRectF(2, 1, 280, 280));
        QVERIFY(p.testRenderHint(QPainter::Antialiasing));
    }

    // Nonsense in every field: drawn or left out, never a crash or a division by zero.
    void badValues() {
        const QList<int> values{INT_MIN, -100000, -1, 0, 1, 2, 100000, INT_MAX};
        QRandomGenerator rng(17);
        auto pick = [&] { return values[rng.bounded(int(values.size()))]; };
        for (int round = 0; round < 40; ++round) {
            auto doc = pixelDocument();
            doc->Output.OutputMode = round % 2;
            doc->UnitsPerPixel = round % 3 ? 1.0 : 208.0;
            doc->Output.MmPerInchX = round % 5 ? MmPerInch : 0.0;
            doc->BkgndMode = round % 6 - 1;
            doc->BkgndPic = picture24(1 + round % 3, 1, [](int, int) { return Red; });
            for (int slot = 1; slot <= 12; ++slot) {
                Tobs& o = doc->Objs[slot];
                o.Kind = 1 + (slot - 1) % 3;
                o.X = pick();
                o.Y = pick();
                o.Width = pick();
                o.Height = pick();
                o.Shape = slot % 11;
                o.ShadowColor = pick(); // fill mode
                o.TransColor = pick();  // line width
                o.Rotation = slot % 5;
                o.TextAlign = pick();
                o.Text = QStringLiteral("Ab\r\n%%nummer%%&");
                o.FontSize = pick() % 500;
                o.FontStyle = uint8_t(slot);
                o.Shadow = o.Outline = true;
                o.ShadowDX = pick();
                o.ShadowDY = pick();
                o.KeepAspect = slot % 2;
                o.Transparent = slot % 4 != 0;
                o.TransAuto = slot % 3 == 0;
                if (o.Kind == KindPicture) {
                    o.Picture = slot % 2 ? picture24(1, 1, [](int, int) { return Blue; })
                                         : picture8(3, 2, {Red}, [](int x, int) { return x; });
                    if (o.TransColor > 0x1000000 || o.TransColor < -1)
                        o.TransColor = Red;
                }
            }
            const QImage img = render(*doc, whiteCanvas(120, 90), pick(), pick(), pick() / 7,
                                      pick() / 7, round % 4 ? 1.0 / 208 : 0.03, round % 2, pick());
            QVERIFY(!img.isNull());
            QVERIFY(!doc->Output.RenderBusy);
        }
    }

    // The same label in the editor (96 pixels per inch) and at 600 dpi: every object
    // at the same place on the label, within one editor pixel.
    void sameLabelAtTwoScales() {
        auto doc = std::make_unique<LabelDocument>();
        const int L = doc->WorkWidth / 3, T = doc->WorkHeight / 3;
        struct Item {
            int kind, shape, x, y, w, h;
        };
        // Boxes inside the label (70000 x 28110 units).
        const QList<Item> items{
            {1, 3, 1000, 1000, 20000, 9000},   {1, 1, 23456, 3000, 30001, 20003},
            {1, 0, 50000, 2500, 14999, 30000}, {1, 5, 3210, 14000, 25555, 12345},
            {1, 6, 1234, 27000, 60000, 0},     {1, 7, 65000, 1111, 0, 25999},
            {1, 9, 40000, 20000, 21000, 7000}, {1, 8, 41000, 1000, 17000, 5001},
            {3, 0, 30000, 3000, 19999, 14999}, {2, 0, 8000, 16000, 40000, 9000},
        };
        const double dpi600 = 600.0 / 20000;
        const int W = int(doc->Format.LabelWidth / MmPerInch * 600);
        const int H = int(doc->Format.LabelHeight / MmPerInch * 600);
        for (const Item& it : items) {
            for (int i = 1; i <= ObjectTable::MaxObjs; ++i)
                doc->Objs[i].Kind = 0;
            Tobs& o = doc->Objs[1];
            o.Kind = it.kind;
            o.Shape = it.shape;
            o.X = L + it.x;
            o.Y = T + it.y;
            o.Width = it.w;
            o.Height = it.h;
            o.Color = Red;
            o.FillMode() = 0;
            o.LineWidth() = 0;
            o.Picture = picture24(4, 3, [](int, int) { return Blue; });
            o.Transparent = false;
            o.Text = QStringLiteral("HHH");
            o.FontName = QStringLiteral("Arial");
            o.FontSize = 18;
            o.Rotation = 0;

            doc->Output.OutputMode = 0;
            const QSize area = doc->paintBoxSize();
            const QImage editor =
                render(*doc, whiteCanvas(area.width(), area.height()), area.width(), area.height(),
                       0, 0, doc->Zoom / doc->UnitsPerPixel, true);
            DeviceOutputGuard device(doc->Output, dpi600);
            const QImage print = render(*doc, whiteCanvas(W, H), W, H, W, H, dpi600, false);

            // Ink edges in document units from the work area's corner.
            const QRect e = inkBounds(editor), pr = inkBounds(print);
            QVERIFY2(!e.isNull() && !pr.isNull(),
                     qPrintable(QStringLiteral("kind %1 shape %2").arg(it.kind).arg(it.shape)));
            auto fromEditor = [&](int px) { return px * doc->UnitsPerPixel; };
            auto fromPrint = [&](int px, int offset) { return (px + offset) / dpi600; };
            // Glyph outlines are hinted differently at the two sizes: one more pixel.
            const double tolerance = doc->UnitsPerPixel * (it.kind == 2 ? 2 : 1);
            const QString where = QStringLiteral("kind %1 shape %2").arg(it.kind).arg(it.shape);
            QVERIFY2(std::abs(fromEditor(e.left()) - fromPrint(pr.left(), W)) <= tolerance,
                     qPrintable(where));
            QVERIFY2(std::abs(fromEditor(e.top()) - fromPrint(pr.top(), H)) <= tolerance,
                     qPrintable(where));
            QVERIFY2(std::abs(fromEditor(e.right() + 1) - fromPrint(pr.right() + 1, W)) <=
                         2 * tolerance,
                     qPrintable(where));
            QVERIFY2(std::abs(fromEditor(e.bottom() + 1) - fromPrint(pr.bottom() + 1, H)) <=
                         2 * tolerance,
                     qPrintable(where));
            QVERIFY2(std::abs(fromEditor(e.width()) - pr.width() / dpi600) <= tolerance,
                     qPrintable(where));
            QVERIFY2(std::abs(fromEditor(e.height()) - pr.height() / dpi600) <= tolerance,
                     qPrintable(where));
        }
    }

    // Canvases that are no bitmap: a recording, a PDF, a scaled painter.
    void otherCanvases() {
        auto doc = pixelDocument();
        fillLabel(*doc);
        QPicture recording;
        QPainter rp(&recording);
        DrawVCart(rp, *doc, 100, 100, 0, 0, 1.0 / 208, false, 5);
        rp.end();
        QVERIFY(recording.size() > 0);

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString name = dir.filePath(QStringLiteral("label.pdf"));
        {
            QPdfWriter pdf(name);
            pdf.setResolution(300);
            QPainter pp(&pdf);
            DrawVCart(pp, *doc, 100, 100, 0, 0, 1.0 / 208, false, 5);
        }
        QFile file(name);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.read(5) == "%PDF-");
        QVERIFY(file.size() > 500);

        // A scaled painter: the canvas cannot be written pixel by pixel; the drawing
        // comes out twice as large.
        QImage canvas = whiteCanvas(600, 600);
        QPainter sp(&canvas);
        sp.scale(2, 2);
        DrawVCart(sp, *doc, 300, 300, 0, 0, 1.0 / 208, true, 5);
        sp.end();
        const QRect plain =
            inkBounds(render(*doc, whiteCanvas(300, 300), 300, 300, 0, 0, 1.0 / 208, true, 5));
        const QRect scaled = inkBounds(canvas);
        QVERIFY(std::abs(scaled.left() - 2 * plain.left()) <= 2);
        QVERIFY(std::abs(scaled.right() - 2 * plain.right()) <= 2);
        QVERIFY(std::abs(scaled.top() - 2 * plain.top()) <= 2);
        QVERIFY(std::abs(scaled.bottom() - 2 * plain.bottom()) <= 2);
    }
};

QTEST_MAIN(TestDrawVCart)
#include "tst_drawvcart.moc"
