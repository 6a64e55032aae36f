#include "output/printpage.h"

#include "document/labeldocument.h"
#include "document/prompts.h"
#include "output/calibrationfile.h"
#include "output/codequestion.h"
#include "output/kalform.h"
#include "output/mergepanel.h"
#include "output/pdfoutput.h"
#include "output/preflightform.h"
#include "output/printerchoicedialog.h"
#include "output/printersetup.h"
#include "output/printrun.h"
#include "render/drawvcart.h"
#include "widgets/clampedspinbox.h"

#include <QApplication>
#include <QCheckBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScopedValueRollback>
#include <QScrollArea>
#include <QSpinBox>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
// A magnifier glass with a plus or a minus, for the zoom buttons.
QIcon magnifier(bool plus) {
    QPixmap pm(24, 24);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(2, 2, 14, 14));
    p.setPen(QPen(Qt::black, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(15, 15), QPointF(21, 21));
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(QPointF(5.5, 9), QPointF(12.5, 9));
    if (plus)
        p.drawLine(QPointF(9, 5.5), QPointF(9, 12.5));
    return QIcon(pm);
}

QToolButton* toolButton(const QString& name, const QString& text, const QString& hint, QSize size,
                        QWidget* parent) {
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setText(text);
    b->setToolTip(hint);
    b->setStatusTip(hint);
    b->setAccessibleName(text);
    // Wider where the caption needs it ("Kartenformat" in a large font).
    b->setMinimumSize(size);
    b->setMaximumHeight(size.height());
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    return b;
}

QSpinBox* spinEdit(const QString& name, const QString& caption, int max, int start,
                   const QString& hint, QWidget* parent) {
    auto* ed = new ClampedSpinBox(parent);
    ed->setObjectName(name);
    ed->setAccessibleName(caption);
    ed->setRange(name == QLatin1String("UsedED") ? 0 : 1, max);
    ed->setValue(start);
    ed->setToolTip(hint);
    ed->setStatusTip(hint);
    return ed;
}

// Sets a spin edit without running its change handler again.
void setQuietly(QSpinBox* ed, int value) {
    if (ed->value() == value)
        return;
    const QSignalBlocker block(ed);
    ed->setValue(value);
}
} // namespace

void PreviewBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (!Picture.isNull())
        p.drawImage(0, 0, Picture);
}

TPrintPage::TPrintPage(LabelDocument& doc, Prompts& prompts, PrintPageHost host, QWidget* parent)
    : QWidget(parent), doc_(doc), prompts_(prompts), host_(std::move(host)),
      printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    setObjectName(QStringLiteral("PrintPage"));
    toPdf_ = !hasSystemPrinter();
    if (toPdf_)
        setUpPdfPrinter(*printer_, QString());
    else
        usePrinterMargins(*printer_);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    buildPanel(layout);
    auto* right = new QVBoxLayout();
    buildToolbar(right);
    ScrollBox = new QScrollArea(this);
    ScrollBox->setObjectName(QStringLiteral("ScrollBox"));
    ScrollBox->setAccessibleName(QStringLiteral("Druckvorschau"));
    ScrollBox->setBackgroundRole(QPalette::Dark); // the application workspace
    ScrollBox->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    VPaint = new PreviewBox(ScrollBox);
    VPaint->setObjectName(QStringLiteral("VPaint"));
    VPaint->setAccessibleName(QStringLiteral("Druckvorschau"));
    ScrollBox->setWidget(VPaint);
    right->addWidget(ScrollBox, 1);
    MergePanel = new TMergePanel(prompts_, this);
    right->addWidget(MergePanel);
    connect(MergePanel, &TMergePanel::sourceChanged, this, [this](bool attached) {
        if (attached)
            setQuietly(KopiesED, 1);
        clampControls(false);
        VPaintPaint();
    });
    connect(MergePanel, &TMergePanel::checksChanged, this, [this] {
        clampControls(false);
        VPaintPaint();
    });
    layout->addLayout(right, 1);

    KalForm = new TKalForm([this] { printTest(); }, this);
    Preflight = new TPreflightForm(this);
    KalForm->setValues(readCalibration());
}

TPrintPage::~TPrintPage() = default;

void TPrintPage::buildPanel(QHBoxLayout* layout) {
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("PrintPanel"));
    panel->setFixedWidth(185);
    auto* v = new QVBoxLayout(panel);
    const auto caption = [&](const QString& text, QWidget* buddy) {
        auto* label = new QLabel(text, panel);
        label->setBuddy(buddy);
        v->addWidget(label);
        v->addWidget(buddy);
    };
    UsedED =
        spinEdit(QStringLiteral("UsedED"), QStringLiteral("Schon benutzte:"), RunSettings::MaxUsed,
                 0, QStringLiteral("Schon bedruckte Positionen festlegen"), panel);
    caption(QStringLiteral("Schon benutzte:"), UsedED);
    KopiesED =
        spinEdit(QStringLiteral("KopiesED"), QStringLiteral("Kopien:"), RunSettings::MaxCopies, 10,
                 QStringLiteral("Anzahl der Kopien festlegen"), panel);
    caption(QStringLiteral("Kopien:"), KopiesED);

    auto* zoomRow = new QHBoxLayout();
    ZoominBtn = toolButton(QStringLiteral("ZoominBtn"), QStringLiteral("Vergrößern"),
                           QStringLiteral("Vergrößert die Druckvorschau"), QSize(73, 49), panel);
    ZoominBtn->setIcon(magnifier(true));
    ZoomOutBtn = toolButton(QStringLiteral("ZoomOutBtn"), QStringLiteral("Verkleinern"),
                            QStringLiteral("Verkleinert die Druckvorschau"), QSize(73, 49), panel);
    ZoomOutBtn->setIcon(magnifier(false));
    zoomRow->addWidget(ZoominBtn);
    zoomRow->addWidget(ZoomOutBtn);
    v->addLayout(zoomRow);

    PageEd = spinEdit(QStringLiteral("PageEd"), QStringLiteral("Gezeigte Seite:"),
                      RunSettings::MaxPage, 1, QString(), panel);
    caption(QStringLiteral("Gezeigte Seite:"), PageEd);
    SchneidBtn = new QCheckBox(QStringLiteral("Schneidelinien"), panel);
    SchneidBtn->setObjectName(QStringLiteral("SchneidBtn"));
    SchneidBtn->setAccessibleName(SchneidBtn->text());
    v->addWidget(SchneidBtn);
    v->addStretch(1);
    layout->addWidget(panel);

    connect(UsedED, &QSpinBox::valueChanged, this, [this] {
        clampControls(true);
        VPaintPaint();
    });
    for (QSpinBox* ed : {KopiesED, PageEd})
        connect(ed, &QSpinBox::valueChanged, this, [this] {
            clampControls(false);
            VPaintPaint();
        });
    connect(SchneidBtn, &QCheckBox::clicked, this, &TPrintPage::VPaintPaint);
    connect(ZoominBtn, &QToolButton::clicked, this, &TPrintPage::ZoominBtnClick);
    connect(ZoomOutBtn, &QToolButton::clicked, this, &TPrintPage::ZoomOutBtnClick);
}

void TPrintPage::buildToolbar(QVBoxLayout* layout) {
    auto* bar = new QHBoxLayout();
    const QSize size(80, 50);
    const QStyle* s = style();
    SetupBtn = toolButton(QStringLiteral("SetupBtn"), QStringLiteral("Einrichten"),
                          QStringLiteral("Richtet den Drucker ein"), size, this);
    SetupBtn->setIcon(s->standardIcon(QStyle::SP_FileDialogDetailedView));
    PrintBtn = toolButton(QStringLiteral("PrintBtn"), QStringLiteral("Drucken"),
                          QStringLiteral("Druckt die Etiketten"), size, this);
    PrintBtn->setIcon(s->standardIcon(QStyle::SP_DialogSaveButton));
    KalBtn = toolButton(QStringLiteral("KalBtn"), QStringLiteral("Kalibrieren"),
                        QStringLiteral("Kalibriert den Drucker"), size, this);
    KalBtn->setIcon(s->standardIcon(QStyle::SP_FileDialogContentsView));
    FormatBtn = toolButton(QStringLiteral("FormatBtn"), QStringLiteral("Kartenformat"),
                           QStringLiteral("Verändert die Einstellungen der Größe und der Abstände"),
                           size, this);
    FormatBtn->setIcon(s->standardIcon(QStyle::SP_FileDialogListView));
    FormatBtn->setEnabled(bool(host_.sheetFormat));
    EMailBtn = toolButton(QStringLiteral("EMailBtn"), QStringLiteral("eMail Export"),
                          QStringLiteral("Speichert das Etikett als Bitmap"), size, this);
    EMailBtn->setIcon(s->standardIcon(QStyle::SP_DriveFDIcon));
    for (QToolButton* b : {SetupBtn, PrintBtn, KalBtn, FormatBtn, EMailBtn})
        bar->addWidget(b);
    bar->addStretch(1);
    layout->addLayout(bar);

    connect(SetupBtn, &QToolButton::clicked, this, &TPrintPage::PrintSetupClick);
    connect(PrintBtn, &QToolButton::clicked, this, &TPrintPage::PrintClick);
    connect(KalBtn, &QToolButton::clicked, this, &TPrintPage::KalBtnClick);
    connect(EMailBtn, &QToolButton::clicked, this, &TPrintPage::EMailBtnClick);
    connect(FormatBtn, &QToolButton::clicked, this, [this] {
        if (host_.sheetFormat)
            host_.sheetFormat();
    });
}

int TPrintPage::labelsToPrint() const {
    if (!MergePanel || !MergePanel->hasSource())
        return KopiesED->value();
    return int(std::min<int64_t>(MergePanel->rows().labelCount(KopiesED->value()), INT32_MAX));
}

void TPrintPage::clampControls(bool clampUsed) {
    RunSettings run;
    run.Used = UsedED->value();
    run.Copies = labelsToPrint();
    // A merged run may need more sheets than the usual limit.
    const int pages = pagesFor(doc_.Format, run.Used, std::max(1, run.Copies));
    PageEd->setMaximum(std::max(RunSettings::MaxPage, pages));
    run.Page = PageEd->value();
    ClampRunSettings(run, doc_.Format, clampUsed);
    setQuietly(UsedED, run.Used);
    setQuietly(PageEd, run.Page);
}

RunSettings TPrintPage::runSettings() {
    clampControls(true);
    RunSettings run;
    run.Used = UsedED->value();
    run.Copies = labelsToPrint();
    run.Page = PageEd->value();
    run.CutLines = SchneidBtn->isChecked();
    return run;
}

void TPrintPage::VPaintPaint() {
    if (doc_.Output.RenderBusy)
        return;
    MergePanel->followDocument(doc_.CurFileName);
    ++paints_;
    const RunSettings run = runSettings();
    QPrinter& p = *printer_;
    const int dpiX = p.logicalDpiX();
    const int dpiY = p.logicalDpiY();
    // Codes in the editor and in this preview show as this printer prints them.
    doc_.Output.CodeDotsPerInch = dpiX;
    // Shown once per printer, so that closing the box does not bring it back.
    if (dpiX != dpiY && !resolutionWarned_) {
        resolutionWarned_ = true;
        prompts_.message(UnequalResolutionText, QStringLiteral("Fehler"), Prompts::Buttons::Ok,
                         Prompts::Icon::Information);
    }
    const QSize page = previewPageSize(QSize(p.width(), p.height()), dpiX, dpiY, PreviewZoom);
    QImage sheet(page.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    sheet.fill(Qt::white);

    const QSize labelSize = previewLabelSize(doc_.Format, PreviewZoom);
    QImage label;
    if (MergePanel->hasSource()) {
        QPainter painter(&sheet);
        renderMergedSheet(painter, run, labelSize);
        painter.end();
        VPaint->Picture = sheet;
        VPaint->setFixedSize(sheet.size());
        VPaint->update();
        return;
    }
    if (labelSize.width() > 0 && labelSize.height() > 0 &&
        int64_t(labelSize.width()) * labelSize.height() <= 64LL * 1024 * 1024) {
        label = QImage(labelSize, QImage::Format_RGB32);
        label.fill(Qt::white);
        DeviceOutputGuard output(doc_.Output, double(PreviewZoom) / 20000);
        const QScopedValueRollback<bool> codes(doc_.Output.CodesAsPrinted, true);
        QPainter canvas(&label);
        DrawVCart(canvas, doc_, labelSize.width(), labelSize.height(), labelSize.width(),
                  labelSize.height(), doc_.Output.OutputScale, false, host_.labelNumber());
    }

    QPainter painter(&sheet);
    const int n = positionsPerSheet(doc_.Format);
    const int across = std::max(1, doc_.Format.Across);
    const int down = std::max(1, doc_.Format.Down);
    // Only the positions of the shown sheet are visited.
    const int64_t first = std::max<int64_t>(run.Used, int64_t(run.Page - 1) * n);
    const int64_t last =
        std::min<int64_t>(int64_t(run.Used) + run.Copies - 1, int64_t(run.Page) * n - 1);
    for (int64_t k = first; k <= last; ++k) {
        const int column = int(k % across);
        const int row = int((k / across) % down);
        const QPoint at = previewCorner(doc_.Format, PreviewZoom, column, row);
        if (!label.isNull())
            painter.drawImage(at, label);
        if (run.CutLines)
            drawCutLines(painter, QRect(at, labelSize));
    }
    painter.end();
    VPaint->Picture = sheet;
    VPaint->setFixedSize(sheet.size());
    VPaint->update();
    stale_ = false;
}

void TPrintPage::labelChanged() {
    // The data source follows the label at once: the editor and the text dialog show it.
    MergePanel->followDocument(doc_.CurFileName);
    stale_ = true;
    if (isVisible())
        VPaintPaint();
}

void TPrintPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (stale_)
        VPaintPaint();
}

void TPrintPage::ZoominBtnClick() {
    const int z = zoomedIn(PreviewZoom);
    if (z == PreviewZoom)
        return;
    PreviewZoom = z;
    VPaintPaint();
}

void TPrintPage::ZoomOutBtnClick() {
    const int z = zoomedOut(PreviewZoom);
    if (z == PreviewZoom)
        return;
    PreviewZoom = z;
    VPaintPaint();
}

bool TPrintPage::readyPrinter(const QString& pdfTitle) {
    if (!toPdf_)
        return true;
    Prompts::FileRequest request;
    request.title = pdfTitle;
    request.filters = {QStringLiteral("PDF-Dateien (*.pdf)")};
    request.defaultSuffix = QStringLiteral("pdf");
    request.confirmOverwrite = true;
    const QString name = prompts_.saveFileName(request);
    if (name.isEmpty())
        return false;
    printer_->setOutputFileName(name);
    return true;
}

void TPrintPage::PrintClick() {
    if (doc_.Output.RenderBusy || !preflight() ||
        !readyPrinter(QStringLiteral("Etiketten in eine PDF-Datei drucken")))
        return;
    const RunSettings run = runSettings();
    // Another run of the program (a print from the command line) may have advanced
    // the counter meanwhile.
    if (host_.refreshLabelNumber)
        host_.refreshLabelNumber();
    const int start = host_.labelNumber();
    if (!confirmCodeFaults(doc_, prompts_, *printer_, start, run.Copies, MergePanel->hasSource()))
        return;
    MergeRecord record;
    LabelRecord labelRecord;
    if (MergePanel->hasSource())
        labelRecord = [this, &record, copies = KopiesED->value()](int64_t label) {
            return mergeRecordFor(label, copies, record);
        };
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    int shown = -1;
    const auto progress = [this, &shown](int done, int total) {
        const int percent = int(int64_t(done) * 100 / std::max(1, total));
        if (percent == shown || !host_.progress)
            return;
        shown = percent;
        host_.progress(percent);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    const PrintResult result =
        printOnDevice(*printer_, LabelJobName, [&](QPagedPaintDevice& device) {
            return PrintLabels(doc_, device, run, KalForm->values(), start, &prompts_, progress,
                               labelRecord);
        });
    QGuiApplication::restoreOverrideCursor();
    if (host_.progress)
        host_.progress(0);
    host_.setLabelNumber(advancedNumber(start, result.printed));
    if (!result.ok)
        prompts_.message(result.error, QStringLiteral("Drucken"), Prompts::Buttons::Ok,
                         Prompts::Icon::Error);
    if (host_.repaintEditor)
        host_.repaintEditor();
    VPaintPaint();
}

void TPrintPage::PrintSetupClick() {
    const QString before = toPdf_ ? QString() : printer_->printerName();
    const QStringList queues =
        printerNames_ ? printerNames_() : QPrinterInfo::availablePrinterNames();
    PrinterChoiceDialog dialog(
        queues, before,
        [this](const QString& name) {
            // The paper settings belong to the printer they are made for.
            if (!usePrinter(name))
                return;
            QPageSetupDialog setup(printer_.get(), this);
            setup.exec();
        },
        this);
    const bool chosen = dialog.exec() == QDialog::Accepted;
    const QString after = chosen ? dialog.chosenPrinter() : before;
    if (after != (toPdf_ ? QString() : printer_->printerName()))
        usePrinter(after);
    resolutionWarned_ = false;
    VPaintPaint();
}

bool TPrintPage::usePrinter(const QString& name) {
    if (name.isEmpty()) {
        if (!toPdf_)
            setUpPdfPrinter(*printer_, QString());
        toPdf_ = true;
        return true;
    }
    if (!toPdf_ && printer_->printerName() == name)
        return true;
    if (!setUpSystemPrinter(*printer_, name)) {
        prompts_.message(QStringLiteral("Der Drucker \"%1\" ist nicht verfügbar.").arg(name),
                         QStringLiteral("Drucker einrichten"), Prompts::Buttons::Ok,
                         Prompts::Icon::Error);
        return false;
    }
    toPdf_ = false;
    return true;
}

void TPrintPage::KalBtnClick() {
    KalForm->exec();
    writeCalibration(KalForm->values());
}

void TPrintPage::printTest() {
    if (!readyPrinter(QStringLiteral("Testrechteck in eine PDF-Datei drucken")))
        return;
    if (!printTestSquareOn(*printer_))
        prompts_.message(JobNotStartedText, QStringLiteral("Drucken"), Prompts::Buttons::Ok,
                         Prompts::Icon::Error);
}

void TPrintPage::EMailBtnClick() {
    if (doc_.Output.RenderBusy)
        return;
    export_.run(doc_, host_.labelNumber(), prompts_);
}
