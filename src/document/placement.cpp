#include "document/placement.h"

#include "document/labeldocument.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr long double UnitsPerMm = 20000.0L / (long double)MmPerInch;
// Label sides beyond this are no real label; the limits stay finite and ordered.
constexpr double MaxLabelSide = 100000.0;

double labelSide(double mm) {
    return std::isfinite(mm) ? std::clamp(mm, 0.0, MaxLabelSide) : 0.0;
}

int32_t saturate(int64_t v) {
    return int32_t(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}
} // namespace

int32_t mmToUnits(long double mm) {
    return truncToInt32(mm * UnitsPerMm);
}

double unitsToMm(long double units) {
    return double(units / UnitsPerMm);
}

int32_t labelLeftUnits(const TLabelFormat& format) {
    return mmToUnits(labelSide(format.LabelWidth));
}

int32_t labelTopUnits(const TLabelFormat& format) {
    return mmToUnits(labelSide(format.LabelHeight));
}

PlacementMm placementOf(const Tobs& object, const TLabelFormat& format) {
    PlacementMm p;
    p.x = unitsToMm((long double)object.X - labelLeftUnits(format));
    p.y = unitsToMm((long double)object.Y - labelTopUnits(format));
    p.width = unitsToMm(object.Width);
    p.height = unitsToMm(object.Height);
    return p;
}

PlacementLimits placementLimits(const TLabelFormat& format) {
    const double w = labelSide(format.LabelWidth);
    const double h = labelSide(format.LabelHeight);
    PlacementLimits l;
    l.minX = -w;
    l.maxX = 2 * w;
    l.minY = -h;
    l.maxY = 2 * h;
    l.maxWidth = std::max(3 * w, l.minSize);
    l.maxHeight = std::max(3 * h, l.minSize);
    return l;
}

void applyPlacement(Tobs& object, const TLabelFormat& format, const PlacementChange& change) {
    const PlacementLimits l = placementLimits(format);
    // NaN counts as the lower limit.
    auto clamp = [](double v, double lo, double hi) {
        return std::isnan(v) ? lo : std::clamp(v, lo, hi);
    };
    if (change.x)
        object.X =
            saturate(int64_t(labelLeftUnits(format)) + mmToUnits(clamp(*change.x, l.minX, l.maxX)));
    if (change.y)
        object.Y =
            saturate(int64_t(labelTopUnits(format)) + mmToUnits(clamp(*change.y, l.minY, l.maxY)));
    if (change.width)
        object.Width = mmToUnits(clamp(*change.width, l.minSize, l.maxWidth));
    if (change.height)
        object.Height = mmToUnits(clamp(*change.height, l.minSize, l.maxHeight));
}

bool sizeIsCoupled(const Tobs& object) {
    return object.Kind == KindPicture && object.KeepAspect && object.Picture.width() > 0 &&
           object.Picture.height() > 0;
}

std::optional<double> coupledHeight(const Tobs& picture, double width) {
    if (!sizeIsCoupled(picture))
        return std::nullopt;
    return width * picture.Picture.height() / picture.Picture.width();
}

std::optional<double> coupledWidth(const Tobs& picture, double height) {
    if (!sizeIsCoupled(picture))
        return std::nullopt;
    return height * picture.Picture.width() / picture.Picture.height();
}

DrawnSize drawnSize(const Tobs& o) {
    DrawnSize s{o.Width, o.Height};
    if (sizeIsCoupled(o)) {
        // The renderer's fitting: the picture keeps its top-left corner.
        const int64_t pw = o.Picture.width(), ph = o.Picture.height();
        const int64_t hh = ph * s.width / pw;
        if (hh < s.height)
            s.height = hh;
        else
            s.width = pw * s.height / ph;
    } else if (o.Kind == KindFigure) {
        switch (o.Shape) {
        case ShapeCircle: // these use the shorter side
        case ShapeSquare:
        case ShapeRoundSquare:
            s.width = s.height = std::min(s.width, s.height);
            break;
        case ShapeHorzLine: // along the top edge
            s.height = 0;
            break;
        case ShapeVertLine: // along the left edge
            s.width = 0;
            break;
        default:
            break;
        }
    }
    return s;
}

UnitPoint alignedPosition(const Tobs& object, const TLabelFormat& format, LabelAlign align) {
    const int64_t left = labelLeftUnits(format), top = labelTopUnits(format);
    // The label is as wide and high as its corner lies from the work area's corner.
    const int64_t width = left, height = top;
    const DrawnSize d = drawnSize(object);
    int64_t x = object.X, y = object.Y;
    const bool horizontal = align == LabelAlign::CentreHorizontal || align == LabelAlign::Centre;
    const bool vertical = align == LabelAlign::CentreVertical || align == LabelAlign::Centre;
    if (horizontal)
        x = left + (width - d.width) / 2;
    if (vertical)
        y = top + (height - d.height) / 2;
    switch (align) {
    case LabelAlign::Left:
        x = left;
        break;
    case LabelAlign::Right:
        x = left + width - d.width;
        break;
    case LabelAlign::Top:
        y = top;
        break;
    case LabelAlign::Bottom:
        y = top + height - d.height;
        break;
    default:
        break;
    }
    return {saturate(x), saturate(y)};
}

int32_t nudgedCoordinate(int32_t start, int64_t halfMillimetres, int64_t low, int64_t high) {
    const int64_t target = int64_t(start) + mmToUnits((long double)halfMillimetres * 0.5L);
    return saturate(std::clamp(target, low, std::max(low, high)));
}
