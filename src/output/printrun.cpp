#include "output/printrun.h"

#include "document/labeldocument.h"
#include "document/prompts.h"
#include "render/deviceimagecache.h"
#include "render/drawvcart.h"
#include "render/rendercontext.h"
#include "render/renderrun.h"

#include <QPainter>
#include <QPrinter>

#include <algorithm>
#include <cstdint>
#include <exception>
#include <stdexcept>

namespace {
const QString PrintCaption = QStringLiteral("Drucken");

// Makes the run's picture cache known to the renderer for the length of the job.
class ImageCacheScope {
public:
    ImageCacheScope(OutputState& state, DeviceImageCache& cache) : state_(state) {
        state_.ImageCache = &cache;
    }
    ~ImageCacheScope() { state_.ImageCache = nullptr; }
    ImageCacheScope(const ImageCacheScope&) = delete;
    ImageCacheScope& operator=(const ImageCacheScope&) = delete;

private:
    OutputState& state_;
};

// Makes the run's shared slot list and text layouts known to the renderer for the
// length of the job.
class RenderRunScope {
public:
    RenderRunScope(OutputState& state, RenderRun& run) : state_(state) { state_.Run = &run; }
    ~RenderRunScope() { state_.Run = nullptr; }
    RenderRunScope(const RenderRunScope&) = delete;
    RenderRunScope& operator=(const RenderRunScope&) = delete;

private:
    OutputState& state_;
};
} // namespace

void drawCutLines(QPainter& painter, const QRect& r) {
    painter.save();
    QPen pen(Qt::black, 0, Qt::DotLine);
    pen.setCosmetic(true);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(Qt::white);
    // On vector devices a hairline on a whole coordinate would fall between two device
    // pixels; through the pixel centres it covers the same pixels as on a bitmap.
    const double c = isPixelDevice(painter) ? 0.0 : 0.5;
    const double left = r.x() + c;
    const double top = r.y() + c;
    const double right = double(r.x()) + r.width() + c;
    const double bottom = double(r.y()) + r.height() + c;
    const QPointF corners[5] = {
        {left, top}, {right, top}, {right, bottom}, {left, bottom}, {left, top}};
    painter.drawPolyline(corners, 5);
    painter.restore();
}

PrintResult PrintLabels(LabelDocument& doc, QPagedPaintDevice& device, RunSettings run,
                        const Calibration& calibration, int firstNumber, Prompts* prompts,
                        const PrintProgress& progress, const LabelRecord& labelRecord) {
    PrintResult result;
    const Calibration cal = calibration.clamped();
    ClampRunSettings(run, doc.Format);
    if (run.Copies < 1) {
        result.ok = true;
        return result;
    }
    QPrinter* printer = dynamic_cast<QPrinter*>(&device);
    if (printer)
        printer->setDocName(LabelJobName);
    QPainter painter;
    if (!painter.begin(&device)) {
        result.error = JobNotStartedText;
        return result;
    }
    const int dpiX = device.logicalDpiX();
    const int dpiY = device.logicalDpiY();
    if (dpiX != dpiY && prompts)
        prompts->message(UnequalResolutionText, QStringLiteral("Fehler"), Prompts::Buttons::Ok,
                         Prompts::Icon::Information);

    // Object coordinates follow the calibrated axes, so that the content stays inside
    // the label rectangle and shrinks or stretches with it.
    const double scaleX = double(dpiX) / 20000 * (100.0 / cal.Breit);
    const double scaleY = double(dpiY) / 20000 * (100.0 / cal.Hoch);
    DeviceImageCache cache;
    try {
        DeviceOutputGuard output(doc.Output, scaleX, cal.mmPerInchX(), cal.mmPerInchY());
        doc.Output.OutputScaleY = scaleY;
        ImageCacheScope cacheScope(doc.Output, cache);
        RenderRun renderRun(doc.Objs);
        RenderRunScope runScope(doc.Output, renderRun);
        // The editor and the preview must not draw while the switches say "device",
        // also not when the progress display lets the window repaint.
        RenderBusyGuard busy(doc.Output);
        const int n = positionsPerSheet(doc.Format);
        const int64_t last = int64_t(run.Used) + run.Copies - 1;
        int64_t number = firstNumber;
        for (int64_t k = run.Used; k <= last; ++k) {
            if (k != run.Used && k / n != (k - 1) / n && !device.newPage())
                throw std::runtime_error("newPage");
            const int column = int(k % std::max(1, doc.Format.Across));
            const int row =
                int((k / std::max(1, doc.Format.Across)) % std::max(1, doc.Format.Down));
            const QRect label = deviceLabelRect(doc.Format, cal, dpiX, dpiY, column, row);
            DrawVCart(painter, doc, label.width(), label.height(), label.width() - label.x(),
                      label.height() - label.y(), scaleX, false,
                      int(std::min<int64_t>(number, INT32_MAX)),
                      labelRecord ? labelRecord(k - run.Used) : nullptr);
            ++number;
            if (run.CutLines)
                drawCutLines(painter, label);
            ++result.printed;
            if (progress)
                progress(result.printed, run.Copies);
        }
    } catch (const std::exception&) {
        if (printer)
            printer->abort();
        painter.end();
        result.printed = 0;
        result.error = QStringLiteral("Beim Drucken ist ein Fehler aufgetreten; der Druckauftrag "
                                      "wurde abgebrochen.");
        return result;
    }
    if (!painter.end()) {
        result.printed = 0;
        result.error = JobNotFinishedText;
        return result;
    }
    result.ok = true;
    return result;
}

int advancedNumber(int start, int printed) {
    return int(std::clamp<int64_t>(int64_t(start) + printed, INT32_MIN, INT32_MAX));
}

bool printTestSquare(QPagedPaintDevice& device) {
    if (auto* printer = dynamic_cast<QPrinter*>(&device))
        printer->setDocName(TestJobName);
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(QColor(192, 192, 192));
    // The square covers w x h device pixels, its border included.
    const int w = mmToPixels(100.0, MmPerInch, device.logicalDpiX());
    const int h = mmToPixels(100.0, MmPerInch, device.logicalDpiY());
    painter.drawRect(0, 0, w - 1, h - 1);
    return painter.end();
}
