#include "document/labeldocument.h"
#include "render/textdraw.h"
#include "wizard/designlayout.h"
#include "wizard/gallerygeometry.h"
#include "wizard/templatecompose.h"
#include "wizard/templatewizard.h"
#include "wizardfixture.h"

#include <QFile>
#include <QFontMetricsF>
#include <QtTest>

#include <set>

Q_DECLARE_METATYPE(DesignGrid)
Q_DECLARE_METATYPE(CellRect)
Q_DECLARE_METATYPE(PlacedPicture)

namespace {
// The start format's label in the editor's paint box at 96 pixels per inch.
const CellRect StartLabel{1009 / 3, 405 / 3, 2 * 1009 / 3, 2 * 405 / 3};

WizardInputs textsOnly(const QStringList& texts) {
    WizardInputs in;
    in.texts = texts;
    return in;
}

WizardInputs startValues() {
    WizardInputs in = textsOnly({QStringLiteral("Dies ist ein Test des"),
                                 QStringLiteral("Assistenten"), QString(), QString(), QString()});
    in.withLogo = true;
    in.logoFile = QStringLiteral("logo.jpg");
    in.withBackground = true;
    in.backgroundFile = QStringLiteral("hintergrund.jpg");
    return in;
}

// The design whose only element stands in cell (c, r).
int designWithElementAt(const TemplateWizard& w, int c, int r) {
    for (int i = 0; i < w.DesignCount(); ++i)
        if (w.Design(i)[c][r] != 0)
            return i;
    return -1;
}
} // namespace

class TestTemplateWizard : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    void initTestCase() { QVERIFY(wizardtest::provideSamples(dir)); }

    void generationCounts_data() {
        QTest::addColumn<int>("texts");
        QTest::addColumn<bool>("logo");
        QTest::addColumn<int>("elements");
        QTest::addColumn<qint64>("possible");
        QTest::addColumn<int>("designs");
        QTest::newRow("one text") << 1 << false << 1 << qint64(9) << 9;
        QTest::newRow("start values") << 2 << true << 3 << qint64(504) << 100;
        QTest::newRow("three texts") << 3 << false << 3 << qint64(504) << 100;
        QTest::newRow("six elements") << 5 << true << 6 << qint64(60480) << 100;
    }
    // Every design holds each element exactly once, and no two designs are alike.
    void generationCounts() {
        QFETCH(int, texts);
        QFETCH(bool, logo);
        WizardInputs in = startValues();
        for (int i = 0; i < 5; ++i)
            in.texts[i] = i < texts ? QStringLiteral("Zeile %1").arg(i + 1) : QString();
        in.withLogo = logo;
        TemplateWizard w;
        w.random().seed(7);
        QCOMPARE(w.generate(in), TemplateWizard::Result::Generated);
        QTEST(w.ElemCount(), "elements");
        QFETCH(qint64, possible);
        QCOMPARE(qint64(w.Possible()), possible);
        QTEST(w.DesignCount(), "designs");
        std::set<DesignGrid> distinct;
        for (int i = 0; i < w.DesignCount(); ++i) {
            std::multiset<int> placed;
            for (const auto& column : w.Design(i))
                for (int cell : column)
                    if (cell != 0)
                        placed.insert(cell);
            QCOMPARE(int(placed.size()), w.ElemCount());
            QCOMPARE(int(std::set<int>(placed.begin(), placed.end()).size()), w.ElemCount());
            distinct.insert(w.Design(i));
        }
        QCOMPARE(int(distinct.size()), w.DesignCount());
        if (logo) {
            QCOMPARE(w.Elem(w.ElemCount()).ElemKind, int(ElemKindLogo));
            QCOMPARE(w.Elem(w.ElemCount()).ElemText, ProgPath() + QStringLiteral("logo.jpg"));
            QCOMPARE(w.Elem(w.ElemCount()).ElemPic.width(), 200);
        }
    }

    // Seeded alike, two generators make the same designs.
    void seedRepeatsDesigns() {
        TemplateWizard a, b;
        a.random().seed(42);
        b.random().seed(42);
        a.generate(startValues());
        b.generate(startValues());
        for (int i = 0; i < a.DesignCount(); ++i)
            QCOMPARE(a.Design(i), b.Design(i));
    }

    // A missing logo or background is left out silently; with nothing left the
    // designs are emptied, so no design refers to a released picture, and the
    // choice is back in range.
    void missingPicturesAndNoElements() {
        TemplateWizard w;
        w.generate(startValues());
        QVERIFY(w.choose(60));
        WizardInputs in = startValues();
        in.logoFile = QStringLiteral("fehlt.jpg");
        in.backgroundFile = QStringLiteral("fehlt.jpg");
        QCOMPARE(w.generate(in), TemplateWizard::Result::Generated);
        QCOMPARE(w.ElemCount(), 2);
        QCOMPARE(w.DesignCount(), 72);
        QCOMPARE(w.SelDesign(), 60);
        QVERIFY(!w.TplBkgndOn());
        in.texts = QStringList(5, QString());
        QCOMPARE(w.generate(in), TemplateWizard::Result::NoElements);
        QCOMPARE(w.DesignCount(), 0);
        QCOMPARE(w.SelDesign(), 0);
        QVERIFY(!w.hasChosenDesign());
        in = startValues();
        in.texts = {QStringLiteral("Eins")};
        w.generate(in);
        QVERIFY(w.choose(17));
        in.withLogo = false;
        w.generate(in); // nine designs: the choice falls back to the first
        QCOMPARE(w.SelDesign(), 0);
        QVERIFY(!w.choose(9));
    }

    void layoutCells_data() {
        QTest::addColumn<DesignGrid>("design");
        QTest::addColumn<CellRect>("label");
        QTest::addColumn<double>("labelWidth");
        QTest::addColumn<QList<int>>("cells"); // c, r, left, top, right, bottom ...
        DesignGrid middle{};
        middle[1][1] = 1;
        QTest::newRow("middle cell merged across")
            << middle << StartLabel << 88.9 << QList<int>{1, 1, 354, 186, 651, 216};
        DesignGrid corner{};
        corner[0][0] = 1;
        QTest::newRow("top left alone, middle row shared")
            << corner << StartLabel << 88.9 << QList<int>{0, 0, 354, 153, 651, 201};
        DesignGrid outer{};
        outer[0][0] = 1;
        outer[2][0] = 2;
        outer[1][2] = 3;
        QTest::newRow("outer columns meet in the middle")
            << outer << StartLabel << 88.9
            << QList<int>{0,   0,   354, 153, 501, 201, 2,   0,   504,
                          153, 651, 201, 1,   2,   354, 201, 651, 249};
        DesignGrid full{};
        full[0][1] = 1;
        full[1][1] = 2;
        full[2][2] = 3;
        QTest::newRow("full row unchanged")
            << full << StartLabel << 88.9
            << QList<int>{0,   1,   354, 186, 451, 216, 1,   1,   454,
                          186, 551, 216, 2,   2,   354, 219, 651, 249};
        QTest::newRow("narrow label: no margin, no gaps")
            << middle << CellRect{0, 0, 90, 30} << 14.0 << QList<int>{1, 1, 0, 10, 90, 20};
    }
    void layoutCells() {
        QFETCH(DesignGrid, design);
        QFETCH(CellRect, label);
        QFETCH(double, labelWidth);
        QFETCH(QList<int>, cells);
        const DesignCells laid = layoutDesign(design, label, label.width(), labelWidth, 35.7);
        for (qsizetype k = 0; k < cells.size(); k += 6) {
            const CellRect want{cells[k + 2], cells[k + 3], cells[k + 4], cells[k + 5]};
            const CellRect got = laid[cells[k]][cells[k + 1]];
            QVERIFY2(got == want, qPrintable(QStringLiteral("cell %1,%2: %3 %4 %5 %6")
                                                 .arg(cells[k])
                                                 .arg(cells[k + 1])
                                                 .arg(got.left)
                                                 .arg(got.top)
                                                 .arg(got.right)
                                                 .arg(got.bottom)));
        }
        QCOMPARE(designMargin(336, labelWidth, 35.7), labelWidth < 15 ? 0 : 18);
    }

    // A middle row with an element only in its right cell: whatever rows 0 and 2
    // hold, none of their cells reaches into it.
    void middleRowRightOnly() {
        for (int top = 0; top < 3; ++top) {
            for (int bottom = 0; bottom < 3; ++bottom) {
                DesignGrid design{};
                design[2][1] = 1;
                design[top][0] = 2;
                design[bottom][2] = 3;
                const DesignCells laid =
                    layoutDesign(design, StartLabel, StartLabel.width(), 88.9, 35.7);
                const CellRect middle = laid[2][1];
                QVERIFY(middle.width() > 0 && middle.height() > 0);
                for (const auto& [c, r] : {std::pair{top, 0}, std::pair{bottom, 2}}) {
                    const CellRect o = laid[c][r];
                    const bool overlaps = o.left < middle.right && middle.left < o.right &&
                                          o.top < middle.bottom && middle.top < o.bottom;
                    QVERIFY2(!overlaps, qPrintable(QStringLiteral("top %1, bottom %2: cell %3,%4")
                                                       .arg(top)
                                                       .arg(bottom)
                                                       .arg(c)
                                                       .arg(r)));
                }
            }
        }
    }

    void picturePlacement_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("row");
        QTest::addColumn<PlacedPicture>("placed");
        // A 200 x 100 logo in a cell of 301 x 101 pixels: as high as the cell.
        QTest::newRow("left top") << 0 << 0 << PlacedPicture{10, 20, 202, 101};
        QTest::newRow("centred") << 1 << 1 << PlacedPicture{59, 20, 202, 101};
        QTest::newRow("right bottom") << 2 << 2 << PlacedPicture{109, 20, 202, 101};
        // Off the diagonal the column alone decides across, the row alone down.
        QTest::newRow("centre top") << 1 << 0 << PlacedPicture{59, 20, 202, 101};
        QTest::newRow("right top") << 2 << 0 << PlacedPicture{109, 20, 202, 101};
        QTest::newRow("left middle") << 0 << 1 << PlacedPicture{10, 20, 202, 101};
        QTest::newRow("right middle") << 2 << 1 << PlacedPicture{109, 20, 202, 101};
        QTest::newRow("left bottom") << 0 << 2 << PlacedPicture{10, 20, 202, 101};
        QTest::newRow("centre bottom") << 1 << 2 << PlacedPicture{59, 20, 202, 101};
    }
    void picturePlacement() {
        QFETCH(int, column);
        QFETCH(int, row);
        QTEST(placePicture(CellRect{10, 20, 310, 120}, column, row, 200, 100), "placed");
        // A wide cell: the picture takes the whole width and moves by the row.
        const PlacedPicture wide = placePicture(CellRect{0, 0, 99, 199}, column, row, 200, 100);
        QCOMPARE(wide.w, 100);
        QCOMPARE(wide.h, 50);
        QCOMPARE(wide.y, row == 0 ? 0 : row == 1 ? 75 : 150);
    }

    // Texts get the largest size at which their lines fit the cell; a text that
    // fits nowhere ends at size 1.
    void textFitting() {
        const CellRect cell{354, 186, 651, 216};
        const int s = fitTextSize(QStringLiteral("Hallo"), cell, 1, ComposeMaxFontSize);
        QVERIFY(s > 10);
        QVERIFY(QFontMetricsF(labelFont(QStringLiteral("Arial"), s, 0)).height() <= cell.height());
        QVERIFY(QFontMetricsF(labelFont(QStringLiteral("Arial"), s + 1, 0)).height() >
                cell.height());
        QCOMPARE(fitTextSize(QString(400, QLatin1Char('W')), cell, 0, ComposeMaxFontSize), 1);
        // Several words wrap into lines before the size goes down.
        const CellRect tall{0, 0, 100, 200};
        const int wrapped = fitTextSize(QStringLiteral("Ein Text aus Wörtern"), tall, 0, 39);
        QVERIFY(QFontMetricsF(labelFont(QStringLiteral("Arial"), wrapped, 0))
                    .horizontalAdvance(QStringLiteral("Ein Text aus Wörtern")) > tall.width());
    }

    void galleryGeometry_data() {
        QTest::addColumn<double>("labelWidth");
        QTest::addColumn<double>("labelHeight");
        QTest::addColumn<int>("paneWidth");
        QTest::addColumn<int>("thumbWidth");
        QTest::addColumn<int>("columns");
        QTest::addColumn<QSize>("box");
        QTest::newRow("start format, 800 pixels")
            << 88.9 << 35.7 << 800 << 373 << 2 << QSize(776, 8170);
        QTest::newRow("narrow pane") << 88.9 << 35.7 << 200 << 373 << 1 << QSize(393, 16170);
        QTest::newRow("label without height") << 88.9 << 0.0 << 800 << 1 << 71 << QSize(791, 330);
    }
    void galleryGeometry() {
        QFETCH(double, labelWidth);
        QFETCH(double, labelHeight);
        QFETCH(int, paneWidth);
        const GalleryGeometry g = ::galleryGeometry(labelWidth, labelHeight, paneWidth, 100);
        QTEST(g.thumbWidth, "thumbWidth");
        QTEST(g.columns, "columns");
        QTEST(g.boxSize(), "box");
        const CellRect t = g.thumbnail(g.columns); // first of the second row
        QCOMPARE(t.left, 10);
        QCOMPARE(t.top, 170);
        QCOMPARE(t.right - t.left, g.thumbWidth);
        QCOMPARE(g.designAt(QPoint(t.right, t.bottom), 100), g.columns); // edges included
        QCOMPARE(g.designAt(QPoint(t.left - 1, t.top), 100), -1);
    }

    // The middle design at the start format: cell (354, 186)-(651, 216) in the
    // paint box becomes a centred "Arial" text at X 73632, from a magnified view.
    void composeText() {
        TemplateWizard w;
        w.generate(textsOnly({QStringLiteral("Hallo")}));
        const int d = designWithElementAt(w, 1, 1);
        QVERIFY(d >= 0);
        w.choose(d);
        QCOMPARE(w.SelDesign(), d);
        LabelDocument doc;
        doc.computeWorkArea();
        doc.UnitsPerPixel = 138.0;
        doc.Zoom = 2.0;
        QVERIFY(RenderTemplate(doc, w).isEmpty());
        QCOMPARE(doc.UnitsPerPixel, 208.0);
        QCOMPARE(doc.Zoom, 1.0);
        const Tobs& o = doc.Objs[1];
        QCOMPARE(o.Kind, int(KindText));
        QCOMPARE(o.X, 73632);
        QCOMPARE(o.Y, 186 * 208);
        QCOMPARE(o.Width, 298 * 208);
        QCOMPARE(o.Height, 31 * 208);
        QCOMPARE(o.Text, QStringLiteral("Hallo"));
        QCOMPARE(o.FontName, QStringLiteral("Arial"));
        QCOMPARE(o.FontSize,
                 fitTextSize(QStringLiteral("Hallo"), CellRect{354, 186, 651, 216}, 1, 99));
        QCOMPARE(o.FontHeight, o.FontSize);
        QCOMPARE(o.TextAlign, 1);
        QCOMPARE(o.Rotation, 0);
        QCOMPARE(doc.Objs[2].Kind, int(KindFree));
        QCOMPARE(doc.BkgndMode, int(BkgndNone));
    }

    // Logo and background: loaded into the document, the background covering the
    // label; pictures gone since the generation are named and left out.
    void composePictures_data() {
        QTest::addColumn<bool>("removeFiles");
        QTest::newRow("pictures there") << false;
        QTest::newRow("pictures gone") << true;
    }
    void composePictures() {
        QFETCH(bool, removeFiles);
        QTemporaryDir own;
        QVERIFY(wizardtest::provideSamples(own));
        TemplateWizard w;
        WizardInputs in = startValues();
        in.texts = QStringList(5, QString());
        w.generate(in);
        QVERIFY(w.TplBkgndOn());
        QCOMPARE(w.DesignCount(), 9);
        w.choose(designWithElementAt(w, 2, 2));
        if (removeFiles) {
            QFile::remove(own.filePath(QStringLiteral("logo.jpg")));
            QFile::remove(own.filePath(QStringLiteral("hintergrund.jpg")));
        }
        LabelDocument doc;
        doc.computeWorkArea();
        const QStringList failed = RenderTemplate(doc, w);
        QCOMPARE(doc.BkgndMode, int(BkgndCover));
        const Tobs& o = doc.Objs[1];
        if (removeFiles) {
            QCOMPARE(failed,
                     QStringList({QStringLiteral("Konnte Bild (") + ProgPath() +
                                      QStringLiteral("logo.jpg) nicht Laden."),
                                  QStringLiteral("Konnte Bild (hintergrund.jpg) nicht Laden.")}));
            QCOMPARE(o.Kind, int(KindFree));
            QVERIFY(!o.Picture.hasPicture());
            QVERIFY(doc.BkgndFile.isEmpty());
            return;
        }
        QVERIFY(failed.isEmpty());
        QCOMPARE(o.Kind, int(KindPicture));
        QVERIFY(o.KeepAspect);
        QCOMPARE(o.Picture.width(), 200);
        QCOMPARE(doc.BkgndFile, QStringLiteral("hintergrund.jpg"));
        QCOMPARE(doc.BkgndPic.width(), 300);
        // Alone in the bottom row, the cell spans the row from the shared middle:
        // (354, 201)-(651, 249) takes a 98 x 49 logo at its right edge, and the
        // object reaches to the cell's corner.
        QCOMPARE(o.X, 554 * 208);
        QCOMPARE(o.Y, 201 * 208);
        QCOMPARE(o.Width, 98 * 208);
        QCOMPARE(o.Height, 49 * 208);
    }
};

QTEST_MAIN(TestTemplateWizard)
#include "tst_templatewizard.moc"
