#include "document/labeldocument.h"
#include "document/undocommands.h"

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <memory>

// 1,000 moves of one object (one step each, as drags end), then 1,000 undos and
// 1,000 redos, on a label of 200 objects. The counter "extra_MiB" is the heap the
// 1,000 steps keep.
static void BM_MoveUndoRedo(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto doc = std::make_unique<LabelDocument>();
        for (int i = 1; i <= 200; ++i) {
            Tobs& o = doc->Objs[i];
            o.Kind = i % 2 ? KindFigure : KindText;
            o.X = 1000 * i;
            o.Y = 500 * i;
            o.Width = 9000;
            o.Height = 5000;
            o.Text = QStringLiteral("Etikett Nr. ") + QString::number(i);
            o.FontName = QStringLiteral("Arial");
        }
        doc->SelObj = 100;
        const size_t heapBefore = mallinfo2().uordblks;
        state.ResumeTiming();

        for (int step = 0; step < 1000; ++step) {
            Tobs before = doc->Objs[100];
            Tobs after = before;
            after.X += 20;
            after.Y += 10;
            std::vector<SlotChange> changes{{100, std::move(before), std::move(after)}};
            doc->Undo.push(new SlotRecordsCommand(*doc, QStringLiteral("Verschieben"),
                                                  std::move(changes), 100, 100));
        }
        for (int step = 0; step < 1000; ++step)
            doc->Undo.undo();
        for (int step = 0; step < 1000; ++step)
            doc->Undo.redo();

        state.PauseTiming();
        state.counters["extra_MiB"] = double(mallinfo2().uordblks - heapBefore) / (1024.0 * 1024.0);
        if (doc->Objs[100].X != 100000 + 20000)
            state.SkipWithError("the moves did not come back");
        doc.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_MoveUndoRedo)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
