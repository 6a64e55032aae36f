#include "document/labeldocument.h"
#include "document/slotedit.h"
#include "document/undocommands.h"

#include <QtTest>

namespace {
// A nudge of the object in slot 4 by dx: one step that merges with the nudge before.
void nudge(LabelDocument& doc, int dx) {
    SlotEdit edit(doc);
    edit.slot(4).X += dx;
    edit.commit(QStringLiteral("Verschieben"), MergeNudge);
}
} // namespace

// The generic step of slot records: what it keeps, how steps merge.
class TestUndoCommands : public QObject {
    Q_OBJECT

private slots:
    void nudgesMergeButNeverAcrossASave() {
        LabelDocument doc;
        doc.Objs[4].Kind = KindFigure;
        doc.SelObj = 4;
        nudge(doc, 10);
        nudge(doc, 10);
        nudge(doc, 10);
        QCOMPARE(doc.Undo.count(), 1);
        QCOMPARE(doc.Objs[4].X, 30);
        doc.Undo.setClean();
        nudge(doc, 5);
        nudge(doc, 5);
        QCOMPARE(doc.Undo.count(), 2);
        doc.Undo.undo();
        QCOMPARE(doc.Objs[4].X, 30);
        QVERIFY(doc.Undo.isClean());
        doc.Undo.undo();
        QCOMPARE(doc.Objs[4].X, 0);
    }

    // Nudges that lead back to where they began leave no step behind.
    void aMergeBackToTheStartLeavesNoStep() {
        LabelDocument doc;
        doc.Objs[4].Kind = KindFigure;
        nudge(doc, 7);
        nudge(doc, -7);
        QCOMPARE(doc.Undo.count(), 0);
        QCOMPARE(doc.Objs[4].X, 0);
    }

    // Steps of other slots or other kinds do not merge; a step without a change is
    // no step, and a selection alone is none either.
    void onlyLikeStepsMerge() {
        LabelDocument doc;
        doc.Objs[4].Kind = KindFigure;
        doc.Objs[5].Kind = KindFigure;
        nudge(doc, 1);
        SlotEdit other(doc);
        other.slot(5).X = 3;
        QVERIFY(other.commit(QStringLiteral("Verschieben"), MergeNudge));
        nudge(doc, 1);
        QCOMPARE(doc.Undo.count(), 3);
        SlotEdit nothing(doc);
        nothing.slot(4);
        nothing.select(5);
        QVERIFY(!nothing.commit(QStringLiteral("Farbe")));
        QCOMPARE(doc.Undo.count(), 3);
        QCOMPARE(doc.SelObj, 5);
    }

    // A recorded change of the whole document keeps the slots in use only; undo gives
    // back the header and every object.
    void recorderUndoesAReset() {
        LabelDocument doc;
        for (int i = 1; i <= 200; ++i) {
            doc.Objs[i].Kind = KindText;
            doc.Objs[i].Text = QString::number(i);
        }
        doc.BkgndMode = BkgndTiles;
        doc.BkgndFile = QStringLiteral("kachel.png");
        DocumentRecorder step(doc);
        doc.clearall();
        doc.Objs[9000].Kind = KindFigure;
        doc.Format.LabelWidth = 50;
        doc.computeWorkArea();
        QVERIFY(step.commit(QStringLiteral("Vorlage")));
        QCOMPARE(doc.Undo.count(), 1);
        const auto* cmd = static_cast<const SlotRecordsCommand*>(doc.Undo.command(0));
        QCOMPARE(cmd->changes().size(), size_t(201));
        doc.Undo.undo();
        QCOMPARE(doc.Objs[200].Text, QStringLiteral("200"));
        QCOMPARE(doc.Objs[200].Kind, int(KindText));
        QCOMPARE(doc.Objs[9000].Kind, int(KindFree));
        QCOMPARE(doc.BkgndFile, QStringLiteral("kachel.png"));
        QCOMPARE(doc.Format, TLabelFormat());
        QCOMPARE(doc.WorkWidth, workWidthFor(TLabelFormat()));
    }
};

QTEST_MAIN(TestUndoCommands)
#include "tst_undocommands.moc"
