// A print run shares the slots in use and the texts without fields between its
// labels: every label looks exactly as if drawn on its own.
#include "renderfixture.h"

#include "render/renderrun.h"

#include <QtTest>

using namespace renderfixture;

namespace {
Tobs& text(LabelDocument& doc, int slot, const QString& s, int rotation) {
    Tobs& o = doc.Objs[slot];
    o.Kind = KindText;
    o.Text = s;
    o.X = 330;
    o.Y = 215;
    o.Width = 240;
    o.Height = 150;
    o.Rotation = rotation;
    o.FontName = QStringLiteral("Arial");
    o.FontSize = 20;
    o.Shadow = true;
    o.ShadowColor = Red;
    o.ShadowDX = 7;
    o.ShadowDY = 3;
    return o;
}

// One label of 300 x 200 pixels; positions in pixels, lengths at screen scale.
QImage label(LabelDocument& doc, int number) {
    QImage canvas = whiteCanvas(300, 200);
    QPainter p(&canvas);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    DrawVCart(p, doc, 300, 200, 300, 200, 1.0 / 208, false, number);
    p.end();
    return canvas;
}

// Makes the run known to the renderer, as a print run does.
struct RunScope {
    RunScope(LabelDocument& doc, RenderRun& run) : doc(doc) { doc.Output.Run = &run; }
    ~RunScope() { doc.Output.Run = nullptr; }
    LabelDocument& doc;
};
} // namespace

class TestRenderRun : public QObject {
    Q_OBJECT
private slots:
    void labelsOfARunAsDrawnAlone_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("rotation");
        QTest::addColumn<bool>("kept");
        QTest::newRow("fixed upright text") << QStringLiteral("Bio-Honig\r500 g") << 0 << true;
        QTest::newRow("fixed turned text") << QStringLiteral("Bio-Honig") << 1 << true;
        QTest::newRow("running number") << QStringLiteral("Nr. %%nummer%%") << 0 << false;
        QTest::newRow("turned running number") << QStringLiteral("Nr. %%NUMMER%%") << 3 << false;
        QTest::newRow("other field") << QStringLiteral("%%Name%%, Nr. 7") << 0 << false;
    }
    void labelsOfARunAsDrawnAlone() {
        QFETCH(QString, text);
        QFETCH(int, rotation);
        QFETCH(bool, kept);
        auto doc = pixelDocument();
        ::text(*doc, 7, text, rotation);
        std::vector<QImage> alone;
        for (int number = 1; number <= 3; ++number)
            alone.push_back(label(*doc, number));
        QVERIFY(alone[0] != whiteCanvas(300, 200));

        RenderRun run(doc->Objs);
        RunScope scope(*doc, run);
        for (int number = 1; number <= 3; ++number)
            QCOMPARE(label(*doc, number), alone[size_t(number - 1)]);
        // A fixed text is laid out once for the run, with its shadow's box; a text with
        // a field is laid out for every label and never kept.
        QCOMPARE(run.texts().size() > 0, kept);
        QCOMPARE(run.texts().misses(), kept ? run.texts().size() : 0);
    }

    // The run lists the slots once; a slot freed since is not drawn.
    void freedSlotIsNotDrawn() {
        auto doc = pixelDocument();
        text(*doc, 9999, QStringLiteral("weg"), 0);
        RenderRun run(doc->Objs);
        QCOMPARE(run.usedSlots(), std::vector<int>{9999});
        doc->releaseSlot(9999);
        RunScope scope(*doc, run);
        QCOMPARE(label(*doc, 1), whiteCanvas(300, 200));
    }
};

QTEST_MAIN(TestRenderRun)
#include "tst_renderrun.moc"
