// Opening the new-document dialog on a catalogue of 10000 label types (reading the
// file and filling the list), and filtering the list of commercial stocks.
#include "catalogue/labeltypeform.h"
#include "catalogue/neuform.h"
#include "catalogue/stocklistdialog.h"
#include "document/labelcatalogue.h"
#include "document/prompts.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {
class SilentPrompts : public Prompts {
public:
    Answer message(const QString&, const QString&, Buttons, Icon) override { return Answer::Ok; }
    QString openFileName(FileRequest&) override { return QString(); }
    QString saveFileName(FileRequest&) override { return QString(); }
};

void BM_OpenCatalogue10000(benchmark::State& state) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Etikett.dat"));
    LabelCatalogue catalogue(file);
    for (int i = 0; i < 10000; ++i) {
        TLabelFormat f;
        f.TypeName = QStringLiteral("Etikettentyp %1").arg(i);
        catalogue.append(f);
    }
    catalogue.SaveEttTypes();

    SilentPrompts prompts;
    TNewETypForm typeForm;
    TneuForm neu(typeForm, prompts);
    neu.setCatalogueFile(file);
    // The dialog is only filled, not shown; closing it would write the file each time.
    neu.setDialogRunner([](QDialog&) { return int(QDialog::Rejected); });
    for (auto _ : state)
        benchmark::DoNotOptimize(neu.execute());
    state.counters["entries"] = neu.catalogue().count();
}
BENCHMARK(BM_OpenCatalogue10000)->Unit(benchmark::kMillisecond);

void BM_FilterStockList(benchmark::State& state) {
    StockListDialog list(shippedLabelStocks());
    int shown = 0;
    for (auto _ : state) {
        list.setSearchText(QStringLiteral("7163"));
        shown = list.shownCount();
        list.setSearchText(QString());
    }
    state.counters["shown"] = shown;
}
BENCHMARK(BM_FilterStockList)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
