#include "document/labeldocument.h"
#include "document/prompts.h"
#include "editor/editorpage.h"

#include <QApplication>
#include <QScrollArea>

#include <benchmark/benchmark.h>

#include <memory>

namespace {
class SilentPrompts : public Prompts {
public:
    Answer message(const QString&, const QString&, Buttons, Icon) override { return Answer::Ok; }
    QString openFileName(FileRequest&) override { return QString(); }
    QString saveFileName(FileRequest&) override { return QString(); }
    // Every colour dialog answers with another colour.
    bool chooseColor(int32_t& color) override {
        color = (color + 0x010203) & 0xFFFFFF;
        return true;
    }
};

// A label of 200 objects (figures, texts and one 3000 x 2000 picture) in an
// editor page of a usual window size.
struct Scene {
    LabelDocument doc;
    SilentPrompts prompts;
    std::unique_ptr<EditorPage> page;

    Scene() {
        for (int i = 1; i <= 200; ++i) {
            Tobs& o = doc.Objs[i];
            o.Kind = i % 2 ? KindFigure : KindText;
            o.Shape = i % 8;
            o.X = 70000 + (i % 20) * 3000;
            o.Y = 28000 + (i / 20) * 2500;
            o.Width = 9000;
            o.Height = 5000;
            o.Color = int32_t(0x102030 * i) & 0xFFFFFF;
            o.Text = QStringLiteral("Etikett %%NUMMER%% Nr. ") + QString::number(i);
            o.FontName = QStringLiteral("Times New Roman");
            o.FontSize = 10;
        }
        Tobs& pic = doc.Objs[100];
        pic.Kind = KindPicture;
        pic.KeepAspect = true;
        pic.Text = QStringLiteral("gross.png");
        newdib(pic.Picture, 3000, 2000, 24, nullptr, 0);
        pic.Picture.Image.fill(qRgb(30, 120, 200));
        pic.X = 75000;
        pic.Y = 30000;
        pic.Width = 60000;
        pic.Height = 40000;
        doc.SelObj = 150;
        page = std::make_unique<EditorPage>(doc, prompts, [] { return 1; });
        page->resize(1100, 640);
        page->show();
        QApplication::processEvents();
        page->scrollToLabel();
    }
};

Scene& scene() {
    static Scene s;
    return s;
}

void BM_PaintBox1Paint(benchmark::State& state) {
    Scene& s = scene();
    s.page->MouseState = 0;
    for (auto _ : state) {
        s.page->PaintBox1Paint();
        QApplication::processEvents(); // the copy onto the screen
        benchmark::DoNotOptimize(s.page->EditBitmap.constBits());
    }
}
BENCHMARK(BM_PaintBox1Paint)->Unit(benchmark::kMillisecond);

// The same paint with the grid's dots: none, 1 mm (the densest that shows at the
// start magnification) and 5 mm.
void BM_PaintWithGrid(benchmark::State& state) {
    Scene& s = scene();
    s.page->MouseState = 0;
    s.page->setGridStep(int(state.range(0)));
    for (auto _ : state) {
        s.page->PaintBox1Paint();
        QApplication::processEvents();
        benchmark::DoNotOptimize(s.page->EditBitmap.constBits());
    }
    s.page->setGridStep(0);
}
BENCHMARK(BM_PaintWithGrid)->Arg(0)->Arg(10)->Arg(50)->Unit(benchmark::kMillisecond);

void BM_DragStep(benchmark::State& state) {
    Scene& s = scene();
    const Tobs& o = s.doc.Objs[150];
    const int x = s.doc.ToPixels(o.X) + 5, y = s.doc.ToPixels(o.Y) + 5;
    s.page->PaintBox1MouseDown(Qt::LeftButton, x, y);
    int step = 0;
    for (auto _ : state) {
        ++step;
        s.page->PaintBox1MouseMove(x + step % 40, y + step % 25);
        QApplication::processEvents(); // the changed part onto the screen
        benchmark::DoNotOptimize(s.page->EditBitmap.constBits());
    }
    s.page->PaintBox1MouseUp(Qt::LeftButton, x, y);
}
BENCHMARK(BM_DragStep)->Unit(benchmark::kMicrosecond);

// "Farbe" on the selected object: the new colour stored and the pane repainted
// (the pictures are drawn from memory, not read again).
void BM_ColourChange(benchmark::State& state) {
    Scene& s = scene();
    s.page->MouseState = 0;
    s.doc.SelObj = 151;
    for (auto _ : state) {
        s.page->FarbBtnClick();
        QApplication::processEvents(); // the copy onto the screen
        benchmark::DoNotOptimize(s.page->EditBitmap.constBits());
    }
    s.doc.SelObj = 150;
}
BENCHMARK(BM_ColourChange)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
