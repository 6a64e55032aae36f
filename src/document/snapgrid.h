#pragma once

#include <cstdint>

class LabelDocument;

// The label's rectangle in document units: the middle third of the work area.
struct LabelUnits {
    int64_t left = 0;
    int64_t top = 0;
    int64_t right = 0; // just outside the label, as the editor draws it
    int64_t bottom = 0;
    int64_t width() const { return right - left; }
    int64_t height() const { return bottom - top; }
};
LabelUnits labelUnits(const LabelDocument& doc);

// The grid steps the editor offers, in tenths of a millimetre; 0 is no grid.
inline constexpr int GridSteps[] = {0, 10, 25, 50};
bool isGridStep(int tenthsMm);

// A grid of points every few millimetres, counted from the label's top-left corner.
// Grid point k of an axis lies at the label's edge plus k steps converted like every
// millimetre length (d mm = d x 20000 / MmPerInch units, truncated). An axis on which
// the label is shorter than one step has no grid, so that an object can still be
// placed inside such a label; without a grid every value stays as it is.
class SnapGrid {
public:
    SnapGrid() = default; // no grid
    SnapGrid(const LabelDocument& doc, int tenthsMm);

    bool snapsX() const { return stepX_ > 0; }
    bool snapsY() const { return stepY_ > 0; }
    // The nearest grid point of the axis (document units).
    int32_t snapX(int32_t x) const { return snap(x, label_.left, stepX_); }
    int32_t snapY(int32_t y) const { return snap(y, label_.top, stepY_); }
    // Grid point k of an axis, and how many lie on the label, its edges included (0
    // without a grid).
    int32_t pointX(int64_t k) const { return point(label_.left, k); }
    int32_t pointY(int64_t k) const { return point(label_.top, k); }
    int64_t countX() const;
    int64_t countY() const;
    // One step in document units (0 without a grid).
    long double step() const { return stepX_ > 0 || stepY_ > 0 ? step_ : 0; }

private:
    int32_t snap(int32_t v, int64_t origin, long double step) const;
    int32_t point(int64_t origin, int64_t k) const;
    int64_t count(int64_t extent, long double step) const;

    LabelUnits label_;
    long double step_ = 0;
    long double stepX_ = 0;
    long double stepY_ = 0;
};
