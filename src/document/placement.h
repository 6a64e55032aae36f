#pragma once

#include "document/labelformat.h"
#include "document/tobs.h"

#include <cstdint>
#include <optional>

// Exact placement of objects on the label: millimetres measured from the label's
// top-left corner and document units from the work area's corner, the size of what
// an object draws, and the positions that align it with the label.

// d mm are Trunc(d x 20000 / MmPerInch) document units (toward zero, saturating).
int32_t mmToUnits(long double mm);
// Document units as millimetres, not rounded.
double unitsToMm(long double units);

// The label's top-left corner in document units: one label width right of and one
// label height below the work area's corner.
int32_t labelLeftUnits(const TLabelFormat& format);
int32_t labelTopUnits(const TLabelFormat& format);

// Position of the top-left corner from the label's corner, and size, in millimetres.
struct PlacementMm {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
};
PlacementMm placementOf(const Tobs& object, const TLabelFormat& format);

// What the position and size fields accept: positions within the work area (the
// top-left corner stays where the editor can show it), sizes from a tenth of a
// millimetre to the work area's size.
struct PlacementLimits {
    double minX = 0, maxX = 0;
    double minY = 0, maxY = 0;
    double minSize = 0.1;
    double maxWidth = 0, maxHeight = 0;
};
PlacementLimits placementLimits(const TLabelFormat& format);

// The fields that are written; an empty one leaves its value as it is. Values beyond
// the limits are clamped to them.
struct PlacementChange {
    std::optional<double> x, y, width, height;
    bool empty() const { return !x && !y && !width && !height; }
};
void applyPlacement(Tobs& object, const TLabelFormat& format, const PlacementChange& change);

// A picture drawn with its own aspect ratio: the partner of a width (or height)
// that the user sets, in the same unit. Without a picture the value has no partner.
std::optional<double> coupledHeight(const Tobs& picture, double width);
std::optional<double> coupledWidth(const Tobs& picture, double height);
// True when width and height follow the picture's aspect ratio.
bool sizeIsCoupled(const Tobs& object);

// The size, in document units, of what the object draws from its top-left corner:
// the fitted picture of a picture that keeps its aspect ratio, the square of a
// circle, square or rounded square, the line of a horizontal or vertical line, and
// the box for everything else.
struct DrawnSize {
    int64_t width = 0;
    int64_t height = 0;
};
DrawnSize drawnSize(const Tobs& object);

// Aligning what is drawn with the label's edges or its centre lines.
enum class LabelAlign { CentreHorizontal, CentreVertical, Centre, Left, Right, Top, Bottom };
// The object's position after aligning; the coordinate the alignment does not
// concern keeps its value.
struct UnitPoint {
    int32_t x = 0;
    int32_t y = 0;
};
UnitPoint alignedPosition(const Tobs& object, const TLabelFormat& format, LabelAlign align);

// Keyboard nudges, counted in half millimetres from where the nudging began: the
// coordinate start + Trunc(steps x 0.5 mm), kept between low and high.
int32_t nudgedCoordinate(int32_t start, int64_t halfMillimetres, int64_t low, int64_t high);
