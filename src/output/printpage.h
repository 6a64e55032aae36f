#pragma once

#include "merge/mergerecord.h"
#include "output/emailexport.h"
#include "output/sheetlayout.h"

#include <QImage>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>

class LabelDocument;
class Prompts;
class QCheckBox;
class QPrinter;
class QScrollArea;
class QSpinBox;
class QToolButton;
class TKalForm;
class TMergePanel;
class TPreflightForm;

// What the print page needs from the main window.
struct PrintPageHost {
    std::function<int()> labelNumber;
    std::function<void(int)> setLabelNumber;
    std::function<void()> refreshLabelNumber; // takes up the stored counter
    std::function<void()> repaintEditor;
    std::function<void(int)> progress; // 0..100
    std::function<void()> sheetFormat; // the sheet-format command; empty: not available
};

// The paint box of the preview: shows the picture the page renders.
class PreviewBox : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
    QImage Picture;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// The page "Drucken": the run settings, the preview of the shown sheet, and the
// commands that print, set up the printer, calibrate and export the label.
class TPrintPage : public QWidget {
    Q_OBJECT
public:
    TPrintPage(LabelDocument& doc, Prompts& prompts, PrintPageHost host, QWidget* parent = nullptr);
    ~TPrintPage() override;

    QSpinBox* UsedED = nullptr;
    QSpinBox* KopiesED = nullptr;
    QSpinBox* PageEd = nullptr;
    QCheckBox* SchneidBtn = nullptr;
    QToolButton* ZoominBtn = nullptr;
    QToolButton* ZoomOutBtn = nullptr;
    QToolButton* SetupBtn = nullptr;
    QToolButton* PrintBtn = nullptr;
    QToolButton* KalBtn = nullptr;
    QToolButton* FormatBtn = nullptr;
    QToolButton* EMailBtn = nullptr;
    QScrollArea* ScrollBox = nullptr;
    PreviewBox* VPaint = nullptr;
    TKalForm* KalForm = nullptr;
    TMergePanel* MergePanel = nullptr;
    TPreflightForm* Preflight = nullptr;

    int PreviewZoom = StartPreviewZoom;

    // Renders the shown sheet into the paint box (the refresh other commands call).
    void VPaintPaint();
    // The label, its background, the sheet format or the running number changed: the
    // preview renders anew at once while the page is shown, otherwise when it is next
    // shown.
    void labelChanged();
    // The run settings as the controls hold them, made consistent first.
    RunSettings runSettings();

    void ZoominBtnClick();
    void ZoomOutBtnClick();
    void PrintClick();
    void PrintSetupClick();
    void KalBtnClick();
    void EMailBtnClick();

    // Where "Einrichten" finds the system's print queues (tests give their own).
    void setPrinterNames(std::function<QStringList()> names) { printerNames_ = std::move(names); }
    // Prints on the named system printer from now on, or into a PDF file for an
    // empty name; false (and the choice unchanged) when the printer cannot be used.
    bool usePrinter(const QString& name);

    // The printer the page prints on (the system's current one, or a PDF file).
    QPrinter& printer() { return *printer_; }
    bool printsToPdf() const { return toPdf_; }
    // How often the preview has been rendered (for tests of the zoom limits).
    int paintCount() const { return paints_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildPanel(class QHBoxLayout* layout);
    void buildToolbar(class QVBoxLayout* layout);
    void clampControls(bool clampUsed);
    // Labels of the run: "Kopien:", or with data that many per checked row.
    int labelsToPrint() const;
    void renderMergedSheet(class QPainter& painter, const RunSettings& run, QSize labelSize);
    bool preflight();
    const MergeRecord* mergeRecordFor(int64_t label, int copies, MergeRecord& record) const;
    bool readyPrinter(const QString& pdfTitle);
    void printTest();

    LabelDocument& doc_;
    Prompts& prompts_;
    PrintPageHost host_;
    std::unique_ptr<QPrinter> printer_;
    std::function<QStringList()> printerNames_;
    bool toPdf_ = false;
    bool resolutionWarned_ = false;
    bool stale_ = true; // the preview does not show the label as it is
    int paints_ = 0;
    EMailExport export_;
};
