#include "output/sheetlayout.h"

#include "document/labeldocument.h"

#include <algorithm>
#include <cmath>

namespace {
int64_t perSheet(const TLabelFormat& f) {
    return std::min<int64_t>(int64_t(std::max(1, f.Across)) * std::max(1, f.Down), INT32_MAX);
}

double clampedValue(double v, double lo, double hi, double start) {
    if (!std::isfinite(v))
        return start;
    return std::clamp(v, lo, hi);
}
} // namespace

int positionsPerSheet(const TLabelFormat& format) {
    return int(perSheet(format));
}

int pagesFor(const TLabelFormat& format, int used, int copies) {
    const int64_t last = int64_t(used) + copies - 1;
    return int(std::clamp<int64_t>(last / perSheet(format) + 1, 1, INT32_MAX));
}

void ClampRunSettings(RunSettings& run, const TLabelFormat& format, bool clampUsed) {
    const int n = positionsPerSheet(format);
    if (clampUsed && run.Used >= n - 1)
        run.Used = n - 1;
    const int pages = pagesFor(format, run.Used, run.Copies);
    if (run.Page > pages)
        run.Page = pages;
}

int mmToPixels(double mm, double mmPerInch, int pixelsPerInch) {
    return truncToInt32((long double)(mm / mmPerInch * pixelsPerInch));
}

QSize previewLabelSize(const TLabelFormat& format, int zoom) {
    return QSize(mmToPixels(format.LabelWidth, MmPerInch, zoom),
                 mmToPixels(format.LabelHeight, MmPerInch, zoom));
}

QPoint previewCorner(const TLabelFormat& f, int zoom, int column, int row) {
    const double x = f.MarginLeft / MmPerInch * zoom + f.PitchX / MmPerInch * zoom * column;
    const double y = f.MarginTop / MmPerInch * zoom + f.PitchY / MmPerInch * zoom * row;
    return QPoint(truncToInt32(x), truncToInt32(y));
}

QSize previewPageSize(QSize devicePage, int dpiX, int dpiY, int zoom) {
    const auto scaled = [zoom](int pixels, int dpi) {
        return int(std::clamp<int64_t>(int64_t(pixels) * zoom / std::max(1, dpi), 0, 1 << 20));
    };
    return QSize(scaled(devicePage.width(), dpiX), scaled(devicePage.height(), dpiY));
}

int zoomedIn(int zoom) {
    const int z = (3 * zoom) / 2;
    return z < 300 ? z : zoom;
}

int zoomedOut(int zoom) {
    const int z = (2 * zoom) / 3;
    return z > 10 ? z : zoom;
}

Calibration Calibration::clamped() const {
    const Calibration start;
    return Calibration{
        clampedValue(Links, 0.0, 6.0, start.Links), clampedValue(Oben, 0.0, 6.0, start.Oben),
        clampedValue(Breit, 95.0, 105.0, start.Breit), clampedValue(Hoch, 95.0, 105.0, start.Hoch)};
}

QRect deviceLabelRect(const TLabelFormat& f, const Calibration& c, int dpiX, int dpiY, int column,
                      int row) {
    const double mx = c.mmPerInchX();
    const double my = c.mmPerInchY();
    const double x = (f.MarginLeft - c.Links) / mx * dpiX + f.PitchX / mx * dpiX * column;
    const double y = (f.MarginTop - c.Oben) / my * dpiY + f.PitchY / my * dpiY * row;
    return QRect(truncToInt32(x), truncToInt32(y), mmToPixels(f.LabelWidth, mx, dpiX),
                 mmToPixels(f.LabelHeight, my, dpiY));
}
