#include "editor/selection.h"

#include "render/labelgeometry.h"

#include <QPainter>

#include <algorithm>
#include <vector>

namespace {
// Canvas coordinates far outside any canvas, kept small enough that QRect
// arithmetic cannot overflow.
int clampCoord(int64_t v) {
    return int(std::clamp<int64_t>(v, -(1 << 24), 1 << 24));
}

bool inSquare(int64_t X, int64_t Y, int64_t cx, int64_t cy) {
    return X >= cx - 3 && X <= cx + 3 && Y >= cy - 3 && Y <= cy + 3;
}

const Tobs* selected(const LabelDocument& doc) {
    return ObjectTable::isSlot(doc.SelObj) ? &doc.Objs[doc.SelObj] : nullptr;
}

// Draws the outline of the rectangle (l, t) to (r, b), right and bottom edge
// excluded, touching every pixel exactly once so that an inverting pen can take
// it away again. An empty box still shows as a one-pixel line.
void frameOnce(QPainter& p, const QBrush& brush, int64_t l, int64_t t, int64_t r, int64_t b) {
    r = std::max(r, l + 1);
    b = std::max(b, t + 1);
    auto span = [&](int64_t x0, int64_t y0, int64_t x1, int64_t y1) { // inclusive
        p.fillRect(
            QRect(QPoint(clampCoord(x0), clampCoord(y0)), QPoint(clampCoord(x1), clampCoord(y1))),
            brush);
    };
    span(l, t, r - 1, t);
    if (b - 1 > t)
        span(l, b - 1, r - 1, b - 1);
    if (b - 2 >= t + 1) {
        span(l, t + 1, l, b - 2);
        if (r - 1 > l)
            span(r - 1, t + 1, r - 1, b - 2);
    }
}
} // namespace

PixelBox objectPixels(const LabelDocument& doc, const Tobs& obj) {
    return PixelBox{doc.ToPixels(obj.X), doc.ToPixels(obj.Y), doc.ToPixels(obj.Width),
                    doc.ToPixels(obj.Height)};
}

int hitTest(const LabelDocument& doc, int X, int Y) {
    const std::vector<int> used = doc.Objs.usedSlots();
    for (auto it = used.rbegin(); it != used.rend(); ++it) {
        const int i = *it;
        const Tobs& o = doc.Objs[i];
        if (o.Kind <= 0)
            continue;
        const PixelBox b = objectPixels(doc, o);
        if (b.x <= X && X <= b.x + b.w && b.y <= Y && Y <= b.y + b.h)
            return i;
    }
    return 0;
}

int hoverZone(const LabelDocument& doc, DragState& state, int X, int Y) {
    state = DragState();
    const Tobs* o = selected(doc);
    if (!o)
        return 10;
    const PixelBox b = objectPixels(doc, *o);
    const int64_t x = b.x, y = b.y, w = b.w, h = b.h;
    // Zone order: corners, edge middles, then the body.
    struct Zone {
        int64_t cx, cy;
        bool grabX, grabY;
    };
    const Zone zones[8] = {
        {x, y, true, true},          {x + w, y, true, true},
        {x, y + h, true, true},      {x + w, y + h, true, true},
        {x + w / 2, y, false, true}, {x + w / 2, y + h, false, true},
        {x, y + h / 2, true, false}, {x + w, y + h / 2, true, false},
    };
    for (int z = 0; z < 8; ++z) {
        if (!inSquare(X, Y, zones[z].cx, zones[z].cy))
            continue;
        state.DragMode = z + 1;
        state.GrabDX = zones[z].grabX ? clampInt(X - zones[z].cx) : 0;
        state.GrabDY = zones[z].grabY ? clampInt(Y - zones[z].cy) : 0;
        return z + 1;
    }
    if (x <= X && X <= x + w && y <= Y && Y <= y + h) {
        state.DragMode = 9;
        state.GrabDX = clampInt(X - x);
        state.GrabDY = clampInt(Y - y);
        return 9;
    }
    return 10;
}

void dragit(LabelDocument& doc, DragState& state, int X, int Y, QSize paintBox,
            const SnapGrid& grid) {
    if (!ObjectTable::isSlot(doc.SelObj))
        return;
    Tobs& o = doc.Objs[doc.SelObj];
    int64_t x = o.X, y = o.Y, w = o.Width, h = o.Height;
    const int64_t fx = grid.snapX(doc.FromPixels(clampInt(int64_t(X) - state.GrabDX)));
    const int64_t fy = grid.snapY(doc.FromPixels(clampInt(int64_t(Y) - state.GrabDY)));
    switch (state.DragMode) {
    case 1:
        w = w + x - fx;
        h = h + y - fy;
        x = fx;
        y = fy;
        break;
    case 2:
        w = fx - x;
        h = h + y - fy;
        y = fy;
        break;
    case 3:
        w = w + x - fx;
        h = fy - y;
        x = fx;
        break;
    case 4:
        w = fx - x;
        h = fy - y;
        break;
    case 5:
        h = h + y - fy;
        y = fy;
        break;
    case 6:
        h = fy - y;
        break;
    case 7:
        w = w + x - fx;
        x = fx;
        break;
    case 8:
        w = fx - x;
        break;
    case 9:
        x = fx;
        y = fy;
        break;
    default:
        return;
    }
    if (w < 0) {
        x += w;
        w = -w;
        static const int32_t mirrorX[10] = {0, 2, 1, 4, 3, 5, 6, 8, 7, 9};
        state.DragMode = mirrorX[state.DragMode];
    }
    if (h < 0) {
        y += h;
        h = -h;
        static const int32_t mirrorY[10] = {0, 3, 4, 1, 2, 6, 5, 7, 8, 9};
        state.DragMode = mirrorY[state.DragMode];
    }
    if (x + w < 0)
        x = -w;
    if (y + h < 0)
        y = -h;
    const long double perPixel = (long double)doc.UnitsPerPixel / (long double)doc.Zoom;
    const int64_t maxX = truncToInt32((long double)paintBox.width() * perPixel - 1);
    const int64_t maxY = truncToInt32((long double)paintBox.height() * perPixel - 1);
    if (x > maxX)
        x = maxX;
    if (y > maxY)
        y = maxY;
    o.X = clampInt(x);
    o.Y = clampInt(y);
    o.Width = clampInt(w);
    o.Height = clampInt(h);
}

void markrec(QPainter& canvas, const LabelDocument& doc, int mouseState, int dx, int dy) {
    const Tobs* o = selected(doc);
    if (!o)
        return;
    const PixelBox b = objectPixels(doc, *o);
    canvas.save();
    canvas.setRenderHint(QPainter::Antialiasing, false);
    // With a black source, NOT (source XOR destination) inverts each pixel it touches.
    if (mouseState == 1)
        canvas.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
    const QBrush black(Qt::black);
    frameOnce(canvas, black, b.x - dx, b.y - dy, b.x + b.w - dx, b.y + b.h - dy);
    canvas.setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (mouseState == 0) {
        const int64_t handles[8][2] = {
            {b.x, b.y},           {b.x + b.w, b.y},
            {b.x, b.y + b.h},     {b.x + b.w, b.y + b.h},
            {b.x + b.w / 2, b.y}, {b.x + b.w / 2, b.y + b.h},
            {b.x, b.y + b.h / 2}, {b.x + b.w, b.y + b.h / 2},
        };
        for (const auto& c : handles)
            canvas.fillRect(QRect(clampCoord(c[0] - 3 - dx), clampCoord(c[1] - 3 - dy), 6, 6),
                            black);
    }
    canvas.restore();
}

QRect markBounds(const LabelDocument& doc, int dx, int dy) {
    const Tobs* o = selected(doc);
    if (!o)
        return QRect();
    const PixelBox b = objectPixels(doc, *o);
    return QRect(QPoint(clampCoord(b.x - 3 - dx), clampCoord(b.y - 3 - dy)),
                 QPoint(clampCoord(b.x + b.w + 3 - dx), clampCoord(b.y + b.h + 3 - dy)));
}
