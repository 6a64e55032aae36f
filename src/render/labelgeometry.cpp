#include "render/labelgeometry.h"

#include "document/labeldocument.h"

#include <algorithm>
#include <cmath>

namespace {
// Coordinates beyond this are far outside every canvas; painters compute widths
// from them, so they must stay well inside the int range.
constexpr int64_t CoordLimit = int64_t(1) << 30;

int64_t clampCoord(int64_t v) {
    return std::clamp(v, -CoordLimit, CoordLimit);
}
} // namespace

int64_t truncSat(long double v) {
    if (std::isnan(v))
        return 0;
    if (v >= 9.2e18L)
        return INT64_MAX;
    if (v <= -9.2e18L)
        return INT64_MIN;
    return int64_t(v);
}

int clampInt(int64_t v) {
    return int(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

QRect LabelRect::toQRect() const {
    const int64_t l = clampCoord(Left);
    const int64_t t = clampCoord(Top);
    const int64_t r = clampCoord(Right);
    const int64_t b = clampCoord(Bottom);
    return QRect(int(l), int(t), int(std::max<int64_t>(r - l, 0)),
                 int(std::max<int64_t>(b - t, 0)));
}

LabelRect computeLabelRect(int AreaWidth, int AreaHeight, int OffsetX, int OffsetY,
                           bool EditorView) {
    const int64_t aw = AreaWidth;
    const int64_t ah = AreaHeight;
    LabelRect r;
    if (EditorView) {
        r.Left = aw / 3 - OffsetX;
        r.Top = ah / 3 - OffsetY;
        r.Right = (2 * aw) / 3 - OffsetX;
        r.Bottom = (2 * ah) / 3 - OffsetY;
    } else {
        r.Left = aw - OffsetX;
        r.Top = ah - OffsetY;
        r.Right = 2 * aw - OffsetX;
        r.Bottom = 2 * ah - OffsetY;
    }
    return r;
}

ObjectBox objectBox(const LabelDocument& document, const Tobs& object, int OffsetX, int OffsetY) {
    ObjectBox b;
    b.X0 = document.ToPixels(object.X);
    b.Y0 = document.ToPixelsY(object.Y);
    b.x = b.X0 - OffsetX;
    b.y = b.Y0 - OffsetY;
    b.w = document.ToPixels(object.Width);
    b.h = document.ToPixelsY(object.Height);
    return b;
}

int figureLineWidth(int32_t lineWidth, double mmPerInchX, double Scale) {
    const int64_t px = truncSat((long double)lineWidth * 0.2L * 20000.0L / (long double)mmPerInchX *
                                (long double)Scale);
    // A pen wider than any canvas draws the same as one of this width.
    return int(std::clamp<int64_t>(px, 1, CoordLimit));
}

int outlineThickness(double mmPerInchX, double Scale) {
    const int64_t t = truncSat(4000.0L / (long double)mmPerInchX * (long double)Scale);
    return int(std::clamp<int64_t>(t, 1, MaxOutlineThickness));
}

double shadowOffset(int32_t tenthsMm, double mmPerInch, double Scale) {
    const double v = double(tenthsMm) * 2000.0 / mmPerInch * Scale;
    if (!std::isfinite(v))
        return 0.0;
    return std::clamp(v, -double(CoordLimit), double(CoordLimit));
}

int charHeight(int32_t fontSize, double Scale) {
    const long double h =
        20000.0L / RenderLPX * fontSize * (long double)Scale * RenderPPI / RenderLPX;
    return int(std::clamp<int64_t>(truncSat(h), INT32_MIN, MaxCharHeight));
}
