#include "document/picturefit.h"

#include "document/labeldocument.h"
#include "document/tobs.h"

#include <algorithm>

namespace {
int32_t toInt32(int64_t v) {
    return truncToInt32((long double)v);
}
} // namespace

bool fitInsideLabel(int32_t& width, int32_t& height, const LabelUnits& label) {
    const int64_t lw = std::max<int64_t>(label.width(), 0);
    const int64_t lh = std::max<int64_t>(label.height(), 0);
    const int64_t w = width, h = height;
    if (w <= lw && h <= lh)
        return false;
    if (w <= 0 || h <= 0) {
        // No aspect ratio to keep: each side on its own.
        width = int32_t(std::clamp<int64_t>(w, 0, lw));
        height = int32_t(std::clamp<int64_t>(h, 0, lh));
        return true;
    }
    // The side that is relatively longer takes the label's extent.
    if (w * lh > h * lw) {
        width = int32_t(lw);
        height = int32_t(h * lw / w);
    } else {
        height = int32_t(lh);
        width = int32_t(w * lh / h);
    }
    return true;
}

void moveInsideLabel(int32_t& x, int32_t& y, int32_t width, int32_t height,
                     const LabelUnits& label) {
    int64_t nx = x, ny = y;
    if (nx + width > label.right)
        nx = label.right - width;
    if (ny + height > label.bottom)
        ny = label.bottom - height;
    nx = std::max(nx, label.left);
    ny = std::max(ny, label.top);
    x = toInt32(nx);
    y = toInt32(ny);
}

bool fitPictureToLabel(Tobs& picture, const LabelUnits& label) {
    if (!fitInsideLabel(picture.Width, picture.Height, label))
        return false;
    moveInsideLabel(picture.X, picture.Y, picture.Width, picture.Height, label);
    return true;
}

PictureRows::PictureRows(int32_t x, int32_t y, const LabelUnits& label)
    : label_(label), startX_(x), x_(x), y_(y), rowBottom_(y) {}

void PictureRows::place(Tobs& picture) {
    const bool fitted = fitInsideLabel(picture.Width, picture.Height, label_);
    if (!rowEmpty_ && x_ + picture.Width > label_.right) {
        x_ = startX_;
        y_ = rowBottom_;
    }
    picture.X = toInt32(x_);
    picture.Y = toInt32(y_);
    if (fitted)
        moveInsideLabel(picture.X, picture.Y, picture.Width, picture.Height, label_);
    rowEmpty_ = false;
    x_ = int64_t(picture.X) + picture.Width;
    rowBottom_ = std::max<int64_t>(rowBottom_, int64_t(picture.Y) + picture.Height);
}
