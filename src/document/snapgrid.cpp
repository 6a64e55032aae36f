#include "document/snapgrid.h"

#include "document/labeldocument.h"

#include <algorithm>
#include <cmath>

LabelUnits labelUnits(const LabelDocument& doc) {
    const int64_t w = std::max<int64_t>(doc.WorkWidth, 0);
    const int64_t h = std::max<int64_t>(doc.WorkHeight, 0);
    return LabelUnits{w / 3, h / 3, 2 * w / 3, 2 * h / 3};
}

bool isGridStep(int tenthsMm) {
    return std::find(std::begin(GridSteps), std::end(GridSteps), tenthsMm) != std::end(GridSteps);
}

SnapGrid::SnapGrid(const LabelDocument& doc, int tenthsMm) : label_(labelUnits(doc)) {
    if (tenthsMm <= 0)
        return;
    step_ = (long double)tenthsMm * 2000.0L / (long double)MmPerInch;
    // A label of exactly one step may come out a unit shorter once truncated.
    if (label_.width() >= std::trunc(step_))
        stepX_ = step_;
    if (label_.height() >= std::trunc(step_))
        stepY_ = step_;
}

int32_t SnapGrid::point(int64_t origin, int64_t k) const {
    return truncToInt32((long double)origin + std::trunc((long double)k * step_));
}

int32_t SnapGrid::snap(int32_t v, int64_t origin, long double step) const {
    if (step <= 0)
        return v;
    const long double k = std::round(((long double)v - (long double)origin) / step);
    // Positions are int32, so k stays far inside int64.
    return point(origin, (int64_t)k);
}

int64_t SnapGrid::count(int64_t extent, long double step) const {
    if (step <= 0)
        return 0;
    // The last point may lie on the label's far edge.
    int64_t n = (int64_t)std::floor((long double)extent / step);
    if (std::trunc((long double)(n + 1) * step) <= (long double)extent)
        ++n;
    return n + 1;
}

int64_t SnapGrid::countX() const {
    return count(label_.width(), stepX_);
}

int64_t SnapGrid::countY() const {
    return count(label_.height(), stepY_);
}
