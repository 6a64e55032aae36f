#pragma once

#include "document/snapgrid.h"

#include <cstdint>

struct Tobs;

// Pictures put on the label are never larger than the label: a picture whose size
// at creation is wider or higher than the label is scaled down to fit inside it,
// its aspect ratio kept, and moved inside the label where it would stick out.
// Smaller pictures keep their size and place.

// Scales a width and height down to fit inside the label with the aspect ratio
// kept (truncated); true when they were larger than the label.
bool fitInsideLabel(int32_t& width, int32_t& height, const LabelUnits& label);
// Moves a box so that it does not stick out of the label; a box larger than the
// label keeps its left and top edge on the label's.
void moveInsideLabel(int32_t& x, int32_t& y, int32_t width, int32_t height,
                     const LabelUnits& label);
// A picture object at its put point (X, Y) with its creation size: fitted and moved
// inside when that size exceeds the label. True when it was fitted.
bool fitPictureToLabel(Tobs& picture, const LabelUnits& label);

// Several pictures dropped at once: fitted one by one and laid side by side from
// the drop point; a picture that would reach past the label's right edge starts a
// new row below the row before, again at the drop point's left edge.
class PictureRows {
public:
    PictureRows(int32_t x, int32_t y, const LabelUnits& label);
    // Places the next picture (its Width and Height the creation size).
    void place(Tobs& picture);

private:
    LabelUnits label_;
    int64_t startX_;
    int64_t x_;
    int64_t y_;
    int64_t rowBottom_;
    bool rowEmpty_ = true;
};
