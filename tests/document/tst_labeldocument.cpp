#include "document/labeldocument.h"
#include "document/outputstate.h"

#include <QtTest>

#include <stdexcept>

class TestLabelDocument : public QObject {
    Q_OBJECT
private slots:
    void startGeometry() {
        LabelDocument doc;
        QCOMPARE(doc.UnitsPerPixel, 208.0);
        QCOMPARE(doc.WorkWidth, 210000);
        QCOMPARE(doc.WorkHeight, 84330);
        QCOMPARE(doc.paintBoxSize(), QSize(1009, 405));
        QCOMPARE(doc.Objs[1].ShadowDX, 5);
        QCOMPARE(doc.Objs[10000].ShadowDY, 5);
    }

    void pixelConversions_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<double>("zoom");
        QTest::addColumn<double>("upp");
        QTest::addColumn<double>("outputScale");
        QTest::addColumn<int>("units");
        QTest::addColumn<int>("pixels");
        QTest::newRow("screen truncates") << 0 << 1.0 << 208.0 << 0.0 << 70000 << 336;
        QTest::newRow("screen negative toward zero") << 0 << 1.0 << 208.0 << 0.0 << -70000 << -336;
        QTest::newRow("screen zoomed") << 0 << 2.0 << 138.0 + 2.0 / 3 << 0.0 << 10400 << 150;
        QTest::newRow("device 600 dpi") << 1 << 1.0 << 208.0 << 600.0 / 20000 << 70001 << 2100;
        // 600 / 20000 is a little below 0.03 as a double: truncation gives 2099
        QTest::newRow("device truncates") << 1 << 1.0 << 208.0 << 600.0 / 20000 << 70000 << 2099;
        QTest::newRow("device 96 dpi") << 1 << 1.0 << 208.0 << 96.0 / 20000 << 70001 << 336;
    }
    void pixelConversions() {
        QFETCH(int, mode);
        QFETCH(double, zoom);
        QFETCH(double, upp);
        QFETCH(double, outputScale);
        QFETCH(int, units);
        LabelDocument doc;
        doc.Output.OutputMode = mode;
        doc.Output.OutputScale = outputScale;
        doc.Zoom = zoom;
        doc.UnitsPerPixel = upp;
        QTEST(doc.ToPixels(units), "pixels");
    }

    void fromPixelsAlwaysUsesScreenRule() {
        LabelDocument doc;
        QCOMPARE(doc.FromPixels(50), 10400);
        doc.Output.OutputMode = 1;
        doc.Output.OutputScale = 1.0;
        QCOMPARE(doc.FromPixels(50), 10400);
        doc.Output.OutputMode = 0;
        doc.UnitsPerPixel = 208.0 / 1.5;
        QCOMPARE(doc.FromPixels(50), 6933);
    }

    void clearallEmptiesEverything() {
        LabelDocument doc;
        for (int i : {1, 77, 10000}) {
            doc.Objs[i].Kind = KindPicture;
            doc.Objs[i].ShadowDX = 12;
            doc.Objs[i].ShadowDY = -3;
            doc.Objs[i].Text = QStringLiteral("x.jpg");
            QVERIFY(newdib(doc.Objs[i].Picture, 4, 4, 24, nullptr, 0));
        }
        TDibRecord shared = doc.Objs[77].Picture;
        doc.SelObj = 77;
        doc.BkgndMode = BkgndTiles;
        QVERIFY(newdib(doc.BkgndPic, 2, 2, 24, nullptr, 0));
        doc.BkgndFile = QStringLiteral("b.jpg");
        doc.CurFileName = QStringLiteral("/tmp/a.ett");

        doc.clearall();
        for (int i = 1; i <= ObjectTable::MaxObjs; ++i) {
            QCOMPARE(doc.Objs[i].Kind, 0);
            QVERIFY(!doc.Objs[i].Picture.hasPicture());
            QCOMPARE(doc.Objs[i].ShadowDX, 5);
            QCOMPARE(doc.Objs[i].ShadowDY, 5);
        }
        QCOMPARE(doc.Objs[77].Text, QStringLiteral("x.jpg")); // other fields keep their values
        QVERIFY(shared.hasPicture());                         // a copy keeps its pixels
        QCOMPARE(doc.SelObj, 0);
        QCOMPARE(doc.BkgndMode, -1);
        QVERIFY(!doc.BkgndPic.hasPicture());
        QVERIFY(doc.BkgndFile.isEmpty());
        QVERIFY(doc.CurFileName.isEmpty());
        QVERIFY(!doc.anyObjectInUse());
        QCOMPARE(windowCaption(doc.CurFileName),
                 QStringLiteral("NOR-VEX Aufkleber-Werkbank 2.1 - NONAME01"));
    }

    void captionShowsFileNameOnly() {
        QCOMPARE(windowCaption(QStringLiteral("/home/a/Etiketten/Wein.ett")),
                 QStringLiteral("NOR-VEX Aufkleber-Werkbank 2.1 - Wein.ett"));
    }

    void releaseAndFirstFree() {
        LabelDocument doc;
        QCOMPARE(doc.firstFreeSlot(), 1);
        doc.Objs[1].Kind = KindFigure;
        doc.Objs[2].Kind = KindText;
        doc.Objs[2].Color = 0x123456;
        QCOMPARE(doc.firstFreeSlot(), 3);
        doc.SelObj = 2;
        doc.releaseSlot(2);
        QCOMPARE(doc.Objs[2].Kind, 0);
        QCOMPARE(doc.Objs[2].Color, 0x123456);
        QCOMPARE(doc.SelObj, 0);
        QCOMPARE(doc.firstFreeSlot(), 2);
        for (int i = 1; i <= ObjectTable::MaxObjs; ++i)
            doc.Objs[i].Kind = KindFigure;
        QCOMPARE(doc.firstFreeSlot(), 0);
        doc.releaseSlot(ObjectTable::MaxObjs);
        QCOMPARE(doc.firstFreeSlot(), 10000);
    }

    void stackingSwaps() {
        LabelDocument doc;
        for (int i = 1; i <= 3; ++i) {
            doc.Objs[i].Kind = KindFigure;
            doc.Objs[i].Color = i;
        }
        doc.SelObj = 2;
        doc.bringToFront();
        QCOMPARE(doc.SelObj, 10000);
        QCOMPARE(doc.Objs[10000].Color, 2);
        QCOMPARE(doc.Objs[2].Kind, 0); // the free slot moved into its place
        doc.SelObj = 3;
        doc.sendToBack();
        QCOMPARE(doc.SelObj, 1);
        QCOMPARE(doc.Objs[1].Color, 3);
        QCOMPARE(doc.Objs[3].Color, 1);
        QCOMPARE(doc.Objs[3].Kind, int(KindFigure));
    }

    // The list of slots in use follows every way of writing the table.
    void usedSlotsFollowTheTable() {
        LabelDocument doc;
        QCOMPARE(doc.Objs.usedSlots(), std::vector<int>{});
        doc.Objs[10000].Kind = KindText;
        doc.Objs[7].Kind = KindFigure;
        doc.Objs[5000].Kind = -3; // unknown kinds are in use, as any kind but 0
        QCOMPARE(doc.Objs.usedSlots(), (std::vector<int>{7, 5000, 10000}));
        doc.SelObj = 7;
        doc.sendToBack();
        QCOMPARE(doc.Objs.usedSlots(), (std::vector<int>{1, 5000, 10000}));
        doc.releaseSlot(10000);
        QCOMPARE(doc.Objs.usedSlots(), (std::vector<int>{1, 5000}));
        doc.clearall();
        QCOMPARE(doc.Objs.usedSlots(), std::vector<int>{});
    }

    void nextUsedSlotGoesRound_data() {
        QTest::addColumn<QList<int>>("used");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("next");
        QTest::newRow("upwards") << QList<int>{3, 9000} << 3 << 9000;
        QTest::newRow("round from the top") << QList<int>{3, 9000} << 9000 << 3;
        QTest::newRow("from a free slot") << QList<int>{3, 9000} << 5 << 9000;
        QTest::newRow("from slot 10000 to 1") << QList<int>{1, 10000} << 10000 << 1;
        QTest::newRow("only itself") << QList<int>{42} << 42 << 42;
        QTest::newRow("nothing in use") << QList<int>{} << 42 << 0;
    }
    void nextUsedSlotGoesRound() {
        QFETCH(QList<int>, used);
        QFETCH(int, from);
        LabelDocument doc;
        for (const int slot : used)
            doc.Objs[slot].Kind = KindPicture;
        QTEST(doc.Objs.nextUsedSlot(from), "next");
    }

    void stackingWithoutSelectionDoesNothing() {
        LabelDocument doc;
        doc.Objs[1].Kind = KindFigure;
        doc.bringToFront();
        doc.sendToBack();
        QCOMPARE(doc.Objs[1].Kind, int(KindFigure));
        QCOMPARE(doc.SelObj, 0);
    }

    void slotRangeIsChecked() {
        LabelDocument doc;
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, doc.Objs[0]);
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, doc.Objs[10001]);
    }

    void nestedBusyGuardKeepsOuterDrawingBusy() {
        OutputState st;
        {
            RenderBusyGuard outer(st);
            {
                RenderBusyGuard inner(st);
                QVERIFY(st.RenderBusy);
            }
            QVERIFY(st.RenderBusy);
        }
        QVERIFY(!st.RenderBusy);
    }

    void deviceGuardRestoresOnEveryExit() {
        OutputState st;
        try {
            DeviceOutputGuard guard(st, 0.03, 25.1, 25.2);
            RenderBusyGuard busy(st);
            QCOMPARE(st.OutputMode, 1);
            QCOMPARE(st.MmPerInchX, 25.1);
            QVERIFY(st.RenderBusy);
            throw std::runtime_error("drawing failed");
        } catch (const std::runtime_error&) {
        }
        QCOMPARE(st.OutputMode, 0);
        QCOMPARE(st.MmPerInchX, MmPerInch);
        QCOMPARE(st.MmPerInchY, MmPerInch);
        QVERIFY(!st.RenderBusy);
    }
};

QTEST_GUILESS_MAIN(TestLabelDocument)
#include "tst_labeldocument.moc"
