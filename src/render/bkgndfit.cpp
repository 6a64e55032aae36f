#include "render/bkgndfit.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int64_t CoordLimit = int64_t(1) << 30;

void addTile(BackgroundPlan& plan, int64_t left, int64_t top, int64_t width, int64_t height) {
    if (width < 1 || height < 1)
        return;
    auto clamp = [](int64_t v) { return std::clamp(v, -CoordLimit, CoordLimit); };
    plan.tiles.emplace_back(int(clamp(left)), int(clamp(top)), int(std::min(width, CoordLimit)),
                            int(std::min(height, CoordLimit)));
}

} // namespace

BackgroundPlan planBackground(int mode, const LabelRect& label, QSize picture, int AreaWidth,
                              int AreaHeight, const QRectF& limit) {
    BackgroundPlan plan;
    const int64_t pw = picture.width();
    const int64_t ph = picture.height();
    if (pw < 1 || ph < 1)
        return plan;
    const int64_t L = label.Left, T = label.Top;
    const int64_t W = label.Right - label.Left + 1;
    const int64_t H = label.Bottom - label.Top + 1;
    const int64_t hh = ph * W / pw;
    const int64_t ww = pw * H / ph;
    switch (mode) {
    case 0:
        addTile(plan, L, T, W, H);
        break;
    case 1:
        if (hh < H)
            addTile(plan, L, T + (H - hh) / 2, W - 1, hh - 1);
        else
            addTile(plan, L + (W - ww) / 2, T, ww - 1, H - 1);
        break;
    case 2:
        plan.clipInEditor = true;
        if (hh > H)
            addTile(plan, L, T + (H - hh) / 2, W - 1, hh - 1);
        else
            addTile(plan, L + (W - ww) / 2, T, ww - 1, H - 1);
        break;
    case 3: {
        plan.clipInEditor = true;
        // A column of tiles as wide as the label, or a row as high as it. Tiles
        // starting past the limit would not show; a tile of one pixel or less would
        // not advance, so the step is at least one pixel. Tiles of no width or
        // height would not show, so none is planned (the loop would run for nothing).
        if (hh < H ? (W - 1 < 1 || hh - 1 < 1) : (ww - 1 < 1 || H - 1 < 1))
            break;
        if (hh < H) {
            const int64_t step = std::max<int64_t>(hh - 1, 1);
            const int64_t end =
                std::min<int64_t>(AreaHeight, int64_t(std::ceil(limit.bottom())) - T);
            for (int64_t o = 0; o < end; o += step)
                addTile(plan, L, T + o, W - 1, hh - 1);
        } else {
            const int64_t step = std::max<int64_t>(ww - 1, 1);
            const int64_t end = std::min<int64_t>(AreaWidth, int64_t(std::ceil(limit.right())) - L);
            for (int64_t o = 0; o < end; o += step)
                addTile(plan, L + o, T, ww - 1, H - 1);
        }
        break;
    }
    default:
        break;
    }
    return plan;
}
