#include "renderfixture.h"

#include "render/labelgeometry.h"
#include "render/textdraw.h"

#include <QtTest>

using namespace renderfixture;

namespace {
const QRgb Black = qRgb(0, 0, 0);
const double ScreenScale = 1.0 / 208;

Tobs& text(LabelDocument& doc, int slot, const QString& s, int x, int y, int w, int h,
           int rotation = 0) {
    Tobs& o = doc.Objs[slot];
    o.Kind = KindText;
    o.Text = s;
    o.X = x;
    o.Y = y;
    o.Width = w;
    o.Height = h;
    o.Rotation = rotation;
    o.TextAlign = 0;
    o.FontName = QStringLiteral("Arial");
    o.FontSize = 20;
    o.FontStyle = 0;
    o.Color = 0;
    o.Shadow = false;
    o.Outline = false;
    return o;
}

// Draws at screen scale (character height about FontSize pixels) with object
// positions in pixels, glyphs without antialiasing so that copies can be compared.
QImage renderText(LabelDocument& doc, int number = 0, double scale = ScreenScale) {
    QImage canvas = whiteCanvas(300, 200);
    QPainter p(&canvas);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    DrawVCart(p, doc, 900, 600, 0, 0, scale, true, number);
    p.end();
    return canvas;
}

QImage renderOne(const QString& s, int rotation = 0, int number = 0) {
    auto doc = pixelDocument();
    text(*doc, 1, s, 20, 20, 200, 120, rotation);
    return renderText(*doc, number);
}

// The set of black pixels moved by (dx, dy).
QSet<quint64> inkSet(const QImage& img, int dx = 0, int dy = 0) {
    QSet<quint64> s;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if ((img.pixel(x, y) | 0xFF000000u) == Black)
                s.insert((quint64(quint32(x + dx)) << 32) | quint32(y + dy));
    return s;
}
} // namespace

class TestTexts : public QObject {
    Q_OBJECT
private slots:
    void labelTextRules_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("turned");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("expected");
        QTest::newRow("both letter cases") << QStringLiteral("Nr. %%NUMMER%% / %%nummer%%") << false
                                           << 7 << QStringLiteral("Nr. 7 / 7");
        QTest::newRow("mixed case")
            << QStringLiteral("%%NuMmEr%%") << false << 12 << QStringLiteral("12");
        QTest::newRow("negative number")
            << QStringLiteral("%%NUMMER%%") << false << -3 << QStringLiteral("-3");
        QTest::newRow("incomplete placeholder")
            << QStringLiteral("%%NUMMER%") << false << 1 << QStringLiteral("%%NUMMER%");
        QTest::newRow("upright keeps line ends")
            << QStringLiteral("a\rb\nc") << false << 0 << QStringLiteral("a\rb\nc");
        QTest::newRow("turned: CR becomes a blank, LF stays")
            << QStringLiteral("a\rb\nc\r\nd") << true << 0 << QStringLiteral("a b\nc \nd");
    }
    void labelTextRules() {
        QFETCH(QString, text);
        QFETCH(bool, turned);
        QFETCH(int, number);
        QFETCH(QString, expected);
        QCOMPARE(labelText(text, turned, number), expected);
    }

    void fontFromStyle() {
        const QFont plain = labelFont(QStringLiteral("Arial"), 20, 0);
        QCOMPARE(plain.pixelSize(), 20);
        QVERIFY(!plain.bold() && !plain.italic() && !plain.underline() && !plain.strikeOut());
        const QFont all = labelFont(QStringLiteral("Arial"), 20, 0x0F);
        QVERIFY(all.bold() && all.italic() && all.underline() && all.strikeOut());
        QVERIFY(!all.kerning());
    }

    void charHeights_data() {
        QTest::addColumn<int>("fontSize");
        QTest::addColumn<double>("scale");
        QTest::addColumn<int>("height");
        QTest::newRow("12 pt on screen") << 12 << ScreenScale << 12;
        QTest::newRow("72 pt on screen") << 72 << ScreenScale << 72;
        QTest::newRow("12 pt at 600 dpi") << 12 << 600.0 / 20000 << 74;
        QTest::newRow("0 pt") << 0 << ScreenScale << 0;
        QTest::newRow("absurd size") << 2000000000 << 1.0 << MaxCharHeight;
    }
    void charHeights() {
        QFETCH(int, fontSize);
        QFETCH(double, scale);
        QFETCH(int, height);
        QCOMPARE(charHeight(fontSize, scale), height);
    }

    // The placeholder shows the number in both letter cases; negative numbers get
    // their minus sign.
    void numberPlaceholder() {
        const QImage seven = renderOne(QStringLiteral("A7B7"));
        QVERIFY(!inkBounds(seven).isNull());
        QCOMPARE(renderOne(QStringLiteral("A%%NUMMER%%B%%nummer%%"), 0, 7), seven);
        QVERIFY(renderOne(QStringLiteral("A%%NUMMER%%B%%nummer%%"), 0, 8) != seven);
        QCOMPARE(renderOne(QStringLiteral("A%%Nummer%%B%%NUMMER%%"), 0, -3),
                 renderOne(QStringLiteral("A-3B-3")));
    }

    // Upright texts end a line at CR, at LF, and once at CR LF.
    void uprightLineEnds() {
        const QImage lf = renderOne(QStringLiteral("AB\nCD"));
        QCOMPARE(renderOne(QStringLiteral("AB\rCD")), lf);
        QCOMPARE(renderOne(QStringLiteral("AB\r\nCD")), lf);
        QCOMPARE(renderOne(QStringLiteral("AB\n\rCD")), renderOne(QStringLiteral("AB\n\nCD")));
        QVERIFY(renderOne(QStringLiteral("AB\n\rCD")) != lf);
        QVERIFY(inkBounds(lf).height() > inkBounds(renderOne(QStringLiteral("AB CD"))).height());
        // Ampersands are shown, not taken as prefixes.
        QVERIFY(renderOne(QStringLiteral("A&B")) != renderOne(QStringLiteral("AB")));
    }

    // A turned text is one line, its carriage returns blanks.
    void turnedLineBreak() {
        const QImage blank = renderOne(QStringLiteral("AB CD"), 1);
        QCOMPARE(renderOne(QStringLiteral("AB\rCD"), 1), blank);
        const QRect ink = inkBounds(blank);
        QVERIFY(ink.height() > ink.width()); // one line, reading downwards
    }

    // Turned texts start at their corner and stand inside the box; they are not clipped.
    void turnedAnchors() {
        // Box (20, 20) to (220, 140): rotation 1 from (20, 20) downwards, 2 from
        // (220, 20) leftwards, 3 from (220, 140) upwards.
        const QImage r1 = renderOne(QStringLiteral("HHHH"), 1);
        const QRect i1 = inkBounds(r1);
        QVERIFY2(i1.left() >= 20 && i1.left() <= 22 && i1.top() >= 20 && i1.top() <= 23,
                 qPrintable(QStringLiteral("%1 %2").arg(i1.left()).arg(i1.top())));
        QVERIFY(i1.width() >= 12 && i1.width() <= 16);
        const QRect i2 = inkBounds(renderOne(QStringLiteral("HHHH"), 2));
        QVERIFY(i2.right() <= 219 && i2.right() >= 216 && i2.top() >= 20 && i2.top() <= 22);
        const QRect i3 = inkBounds(renderOne(QStringLiteral("HHHH"), 3));
        QVERIFY(i3.right() <= 219 && i3.right() >= 217 && i3.bottom() <= 139 && i3.bottom() >= 136);
        // Upright text starts at the box's top-left corner.
        const QRect i0 = inkBounds(renderOne(QStringLiteral("HHHH"), 0));
        QVERIFY(i0.left() >= 20 && i0.left() <= 23 && i0.top() >= 20 && i0.top() <= 26);

        // Longer than its box: the turned text runs on, the upright one is clipped.
        auto doc = pixelDocument();
        text(*doc, 1, QStringLiteral("HHHHHHHHHHHHHHHHHHHH"), 20, 20, 30, 30, 1);
        QVERIFY(inkBounds(renderText(*doc)).bottom() > 100);
        text(*doc, 1, QStringLiteral("HHHHHHHHHHHHHHHHHHHH"), 20, 20, 30, 30, 0);
        QVERIFY(QRect(20, 20, 30, 30).contains(inkBounds(renderText(*doc))));
    }

    // Rotations outside 0..3, texts without height or characters draw nothing.
    void drawsNothing_data() {
        QTest::addColumn<int>("rotation");
        QTest::addColumn<int>("fontSize");
        QTest::addColumn<QString>("s");
        QTest::newRow("rotation 4") << 4 << 20 << QStringLiteral("HH");
        QTest::newRow("rotation -1") << -1 << 20 << QStringLiteral("HH");
        QTest::newRow("font size 0") << 0 << 0 << QStringLiteral("HH");
        QTest::newRow("negative font size") << 1 << -20 << QStringLiteral("HH");
        QTest::newRow("empty text") << 0 << 20 << QString();
    }
    void drawsNothing() {
        QFETCH(int, rotation);
        QFETCH(int, fontSize);
        QFETCH(QString, s);
        auto doc = pixelDocument();
        text(*doc, 1, s, 20, 20, 200, 100, rotation).FontSize = fontSize;
        QCOMPARE(inkBounds(renderText(*doc)), QRect());
    }

    // Word wrapping inside the box, aligned by TextAlign (unknown values: left).
    void wrappingAndAlignment() {
        auto doc = pixelDocument();
        Tobs& o = text(*doc, 1, QStringLiteral("HH HH HH HH HH HH"), 20, 20, 100, 150);
        const QRect left = inkBounds(renderText(*doc));
        QVERIFY(left.height() > 30); // several lines
        QVERIFY(left.right() < 120);
        o.TextAlign = 2;
        const QRect right = inkBounds(renderText(*doc));
        QVERIFY(right.right() >= 115 && right.right() < 120);
        QVERIFY(right.left() > left.left());
        o.TextAlign = 1;
        const QRect centre = inkBounds(renderText(*doc));
        QVERIFY(std::abs((centre.left() + centre.right()) / 2 - 70) <= 2);
        o.TextAlign = 7;
        QCOMPARE(inkBounds(renderText(*doc)), left);

        // A short word in a wide box: left, centred and right lie far apart.
        o.Text = QStringLiteral("Hi");
        o.Width = 260;
        QList<QRect> word;
        for (int align : {0, 1, 2}) {
            o.TextAlign = align;
            word << inkBounds(renderText(*doc));
        }
        QVERIFY(word[0].left() >= 20 && word[0].left() < 25);
        QVERIFY(std::abs((word[1].left() + word[1].right()) / 2 - 150) <= 2);
        QVERIFY(word[2].right() >= 275 && word[2].right() < 280);
        QVERIFY(word[1].left() - word[0].right() > 80 && word[2].left() - word[1].right() > 80);
    }

    // The outline of thickness 1 is the four diagonal copies; the text is drawn last.
    // The outline of thickness t is the copies moved by (dx, dy), dx and dy from -t to
    // t and both non-zero: at thickness 1 the four diagonal copies. The text is drawn
    // last, over them.
    void outline_data() {
        QTest::addColumn<int>("rotation");
        QTest::addColumn<double>("scale");
        QTest::addColumn<QList<int>>("steps");
        QTest::newRow("upright, thickness 1") << 0 << ScreenScale << QList<int>{-1, 1};
        QTest::newRow("turned, thickness 1") << 1 << ScreenScale << QList<int>{-1, 1};
        QTest::newRow("upright, thickness 2") << 0 << 0.015 << QList<int>{-2, -1, 1, 2};
        QTest::newRow("turned, thickness 2") << 3 << 0.015 << QList<int>{-2, -1, 1, 2};
    }
    void outline() {
        QFETCH(int, rotation);
        QFETCH(double, scale);
        QFETCH(QList<int>, steps);
        QCOMPARE(outlineThickness(MmPerInch, scale), steps.last());
        auto doc = pixelDocument();
        Tobs& o = text(*doc, 1, QStringLiteral("Ab"), 20, 20, 200, 120, rotation);
        o.FontSize = 20 * ScreenScale / scale;
        const QImage plainImage = renderText(*doc, 0, scale);
        const QSet<quint64> plain = inkSet(plainImage);
        QVERIFY(plain.size() > 20);
        o.Outline = true;
        o.OutlineColor = 0;
        o.Color = 0xFFFFFF;
        QSet<quint64> expected;
        for (int dx : steps)
            for (int dy : steps)
                expected.unite(inkSet(plainImage, dx, dy));
        expected.subtract(plain);
        QCOMPARE(inkSet(renderText(*doc, 0, scale)), expected);
    }

    // The shadow is the text moved by the truncated offsets, drawn first.
    void shadow() {
        auto doc = pixelDocument();
        Tobs& o = text(*doc, 1, QStringLiteral("Ab"), 20, 20, 200, 120);
        const QImage plain = renderText(*doc);
        o.Shadow = true;
        o.ShadowColor = 0;
        o.ShadowDX = 5;  // 1.89 pixels
        o.ShadowDY = 30; // 11.4 pixels
        o.Color = 0xFFFFFF;
        QSet<quint64> expected = inkSet(plain, 1, 11);
        expected.subtract(inkSet(plain));
        QCOMPARE(inkSet(renderText(*doc)), expected);

        // Turned: the anchor moves by the truncated offsets.
        o.Rotation = 2;
        o.Shadow = false;
        o.Color = 0;
        const QImage turned = renderText(*doc);
        o.Shadow = true;
        o.Color = 0xFFFFFF;
        expected = inkSet(turned, 1, 11);
        expected.subtract(inkSet(turned));
        QCOMPARE(inkSet(renderText(*doc)), expected);
    }

    // A character height of about FontSize pixels on screen.
    void characterHeight() {
        auto doc = pixelDocument();
        text(*doc, 1, QStringLiteral("H"), 20, 20, 200, 150).FontSize = 72;
        const QRect ink = inkBounds(renderText(*doc));
        // Cap height of Arial-compatible faces: about 0.7 of the character height.
        QVERIFY2(ink.height() >= 47 && ink.height() <= 54,
                 qPrintable(QString::number(ink.height())));
    }
};

QTEST_MAIN(TestTexts)
#include "tst_texts.moc"
