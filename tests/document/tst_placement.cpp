#include "document/labeldocument.h"
#include "document/placementcommands.h"
#include "document/undocommands.h"

#include <QtTest>

#include <cmath>
#include <limits>

namespace {
// The start format: label corner at (70000, 28110), label 70000 x 28110 units.
Tobs& figure(LabelDocument& doc, int slot, int shape = 3) {
    Tobs& o = doc.Objs[slot];
    o.Kind = KindFigure;
    o.Shape = shape;
    o.X = 80000;
    o.Y = 30000;
    o.Width = 10000;
    o.Height = 5000;
    doc.SelObj = slot;
    return o;
}

TDibRecord picture(int w, int h) {
    TDibRecord r;
    r.Image = QImage(w, h, QImage::Format_RGB32);
    r.Image.fill(Qt::white);
    r.BitsPerPixel = 24;
    return r;
}
} // namespace

// Exact placement: millimetres to units, the dialog's record change, alignment of
// what is drawn, nudges; each one step that undoes.
class TestPlacement : public QObject {
    Q_OBJECT

private slots:
    void millimetresToUnits_data() {
        QTest::addColumn<double>("mm");
        QTest::addColumn<int>("units");
        QTest::newRow("half") << 0.5 << 393;
        QTest::newRow("five") << 5.0 << 3937;
        QTest::newRow("ten") << 10.0 << 7874;
        QTest::newRow("minus five") << -5.0 << -3937; // toward zero
        QTest::newRow("hundredth") << 0.01 << 7;
        QTest::newRow("label width") << 88.9 << 70000;
        QTest::newRow("beyond int32") << 1e12 << std::numeric_limits<int32_t>::max();
    }
    void millimetresToUnits() {
        QFETCH(double, mm);
        QFETCH(int, units);
        QCOMPARE(mmToUnits(mm), units);
    }

    void positionAndSize_data() {
        QTest::addColumn<int>("field"); // 0 x, 1 y, 2 width, 3 height
        QTest::addColumn<double>("mm");
        QTest::addColumn<int>("stored");
        QTest::newRow("x 10 mm") << 0 << 10.0 << 70000 + 7874;
        QTest::newRow("x on the label's edge") << 0 << 0.0 << 70000;
        QTest::newRow("y -5 mm") << 1 << -5.0 << 28110 - 3937;
        QTest::newRow("width one inch") << 2 << 25.4 << 20000;
        QTest::newRow("height 12.34 mm") << 3 << 12.34 << 9716;
        // Far outside: the corner stays in the work area, sizes within it.
        QTest::newRow("x far right") << 0 << 1e7 << 70000 + mmToUnits(2 * 88.9);
        QTest::newRow("x far left") << 0 << -1e7 << 0;
        QTest::newRow("y not a number") << 1 << std::nan("") << 0;
        QTest::newRow("width 0") << 2 << 0.0 << 78;         // 0.1 mm
        QTest::newRow("width 100 m") << 2 << 1e5 << 210000; // the work area
        QTest::newRow("height 100 m") << 3 << 1e5 << mmToUnits(3 * 35.7);
    }
    void positionAndSize() {
        QFETCH(int, field);
        QFETCH(double, mm);
        QFETCH(int, stored);
        LabelDocument doc;
        const Tobs before = figure(doc, 5);
        PlacementChange change;
        std::optional<double>* fields[4] = {&change.x, &change.y, &change.width, &change.height};
        *fields[field] = mm;
        QVERIFY(placeSelected(doc, change));
        const Tobs& o = doc.Objs[5];
        const int32_t now[4] = {o.X, o.Y, o.Width, o.Height};
        const int32_t old[4] = {before.X, before.Y, before.Width, before.Height};
        for (int i = 0; i < 4; ++i)
            QCOMPARE(now[i], i == field ? stored : old[i]);
        QCOMPARE(doc.Undo.count(), 1);
        QCOMPARE(doc.Undo.undoText(), QStringLiteral("Position und Größe"));
        doc.Undo.undo();
        QVERIFY(sameRecord(doc.Objs[5], before));
        // What the dialog shows again reads back as typed, to the hundredth.
        doc.Undo.redo();
        const PlacementMm shown = placementOf(doc.Objs[5], doc.Format);
        const double back[4] = {shown.x, shown.y, shown.width, shown.height};
        if (stored == 70000 + 7874 || stored == 9716)
            QCOMPARE(std::round(back[field] * 100) / 100, mm);
    }

    void nothingChangedIsNoStep() {
        LabelDocument doc;
        figure(doc, 5);
        QVERIFY(!placeSelected(doc, {}));
        const PlacementMm p = placementOf(doc.Objs[5], doc.Format);
        PlacementChange same;
        same.x = p.x; // the exact value writes the same units back
        QVERIFY(!placeSelected(doc, same));
        QCOMPARE(doc.Undo.count(), 0);
    }

    void pictureSizesAreCoupled() {
        Tobs o;
        o.Kind = KindPicture;
        o.Picture = picture(200, 100);
        o.KeepAspect = true;
        QCOMPARE(*coupledHeight(o, 40.0), 20.0);
        QCOMPARE(*coupledWidth(o, 15.0), 30.0);
        o.KeepAspect = false;
        QVERIFY(!coupledHeight(o, 40.0));
        o.KeepAspect = true;
        o.Picture = TDibRecord();
        QVERIFY(!coupledWidth(o, 15.0));
    }

    void alignWhatIsDrawn_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("shape");
        QTest::addColumn<bool>("keepAspect");
        QTest::addColumn<int>("align");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        using A = LabelAlign;
        auto row = [](const char* name, int kind, int shape, bool keep, A a, int x, int y) {
            QTest::newRow(name) << kind << shape << keep << int(a) << x << y;
        };
        // Box 10000 x 5000 at (80000, 30000); label (70000, 28110) to (140000, 56220).
        row("rectangle centre", KindFigure, 3, false, A::Centre, 100000, 39665);
        row("rectangle horizontal", KindFigure, 3, false, A::CentreHorizontal, 100000, 30000);
        row("rectangle vertical", KindFigure, 3, false, A::CentreVertical, 80000, 39665);
        row("rectangle left", KindFigure, 3, false, A::Left, 70000, 30000);
        row("rectangle right", KindFigure, 3, false, A::Right, 130000, 30000);
        row("rectangle top", KindFigure, 3, false, A::Top, 80000, 28110);
        row("rectangle bottom", KindFigure, 3, false, A::Bottom, 80000, 51220);
        // Drawn in the 5000 x 5000 square at the box's corner.
        row("circle centre", KindFigure, 0, false, A::Centre, 102500, 39665);
        row("square right", KindFigure, 2, false, A::Right, 135000, 30000);
        row("rounded square bottom", KindFigure, 4, false, A::Bottom, 80000, 51220);
        row("ellipse right", KindFigure, 1, false, A::Right, 130000, 30000);
        // A horizontal line is drawn along the box's top edge.
        row("line centre", KindFigure, 6, false, A::CentreVertical, 80000, 42165);
        row("vertical line right", KindFigure, 7, false, A::Right, 140000, 30000);
        row("text bottom", KindText, 3, false, A::Bottom, 80000, 51220);
        // Picture 200 x 100 in a box 5000 x 5000: fitted 5000 x 2500.
        row("fitted picture centre", KindPicture, 3, true, A::Centre, 102500, 40915);
        row("stretched picture centre", KindPicture, 3, false, A::Centre, 102500, 39665);
    }
    void alignWhatIsDrawn() {
        QFETCH(int, kind);
        QFETCH(int, shape);
        QFETCH(bool, keepAspect);
        QFETCH(int, align);
        QFETCH(int, x);
        QFETCH(int, y);
        LabelDocument doc;
        Tobs& o = figure(doc, 9, shape);
        o.Kind = kind;
        o.KeepAspect = keepAspect;
        if (kind == KindPicture) {
            o.Picture = picture(200, 100);
            o.Width = 5000;
        }
        const Tobs before = o;
        QVERIFY(alignSelected(doc, LabelAlign(align)));
        QCOMPARE(doc.Objs[9].X, x);
        QCOMPARE(doc.Objs[9].Y, y);
        QCOMPARE(doc.Objs[9].Width, before.Width);
        QCOMPARE(doc.Undo.count(), 1);
        QCOMPARE(doc.Undo.undoText(), QStringLiteral("Ausrichten"));
        doc.Undo.undo();
        QVERIFY(sameRecord(doc.Objs[9], before));
        // Aligned already: no second step.
        doc.Undo.redo();
        QVERIFY(!alignSelected(doc, LabelAlign(align)));
        QCOMPARE(doc.Undo.count(), 1);
    }

    void nudges_data() {
        QTest::addColumn<QList<int>>("presses"); // half millimetres right; 0: a break
        QTest::addColumn<int>("breakBy");        // 0 selection change, 1 save
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("steps");
        QTest::newRow("ten halves are five mm") << QList<int>(10, 1) << 0 << 80000 + 3937 << 1;
        QTest::newRow("one five") << QList<int>{10} << 0 << 80000 + 3937 << 1;
        QTest::newRow("there and back") << QList<int>{1, 1, -1, -1, 10} << 0 << 80000 + 3937 << 1;
        QTest::newRow("selection between") << QList<int>{1, 0, 1} << 0 << 80000 + 786 << 2;
        QTest::newRow("save between") << QList<int>{1, 0, 1} << 1 << 80000 + 786 << 2;
        // The corner stops one unit inside the work area's right edge.
        QTest::newRow("stops at the edge") << QList<int>(400, 10) << 0 << 209999 << 1;
    }
    void nudges() {
        QFETCH(QList<int>, presses);
        QFETCH(int, breakBy);
        QFETCH(int, x);
        QFETCH(int, steps);
        LabelDocument doc;
        figure(doc, 3);
        Tobs& other = figure(doc, 4);
        other.X = 0;
        doc.SelObj = 3;
        const Tobs before = doc.Objs[3];
        NudgeSession session;
        for (int p : presses) {
            if (p != 0) {
                session.nudge(doc, p, 0);
                continue;
            }
            if (breakBy == 0) { // another object and back, as the editor reports it
                doc.SelObj = 4;
                session.end();
                doc.SelObj = 3;
            } else {
                doc.Undo.setClean();
            }
        }
        QCOMPARE(doc.Objs[3].X, x);
        QCOMPARE(doc.Objs[3].Y, before.Y);
        QCOMPARE(doc.Undo.count(), steps);
        while (doc.Undo.canUndo())
            doc.Undo.undo();
        QVERIFY(sameRecord(doc.Objs[3], before));
    }

    void nudgeBackFromTheEdgeAtOnce() {
        LabelDocument doc;
        Tobs& o = figure(doc, 3);
        o.X = 209800;
        NudgeSession session;
        session.nudge(doc, 10, 0);
        session.nudge(doc, 10, 0);
        QCOMPARE(doc.Objs[3].X, 209999);
        session.nudge(doc, -1, 0);
        QCOMPARE(doc.Objs[3].X, 209999 - 393);
        // Left and up: the right and bottom edges stay inside.
        session.nudge(doc, -100000, -100000);
        QCOMPARE(doc.Objs[3].X, -10000);
        QCOMPARE(doc.Objs[3].Y, -5000);
        QCOMPARE(doc.Undo.count(), 1);
    }
};

QTEST_GUILESS_MAIN(TestPlacement)
#include "tst_placement.moc"
