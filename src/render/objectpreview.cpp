#include "render/objectpreview.h"

#include "document/labeldocument.h"
#include "render/drawvcart.h"

#include <QPainter>

#include <algorithm>

QImage objectPreview(LabelDocument& scratch, const Tobs& obj, QSize area) {
    QImage image(area.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    if (image.isNull())
        return image;
    image.fill(Qt::white);
    for (int slot : scratch.Objs.usedSlots())
        scratch.Objs[slot].Kind = KindFree;
    scratch.SelObj = 0;
    scratch.BkgndMode = BkgndNone;

    // The box and the pen's reach around it (a line width in 0.2 mm steps) fit the
    // area with a margin of a few pixels; a large object is shown no smaller than a
    // few pixels a millimetre, so that its line width can still be told, and then its
    // top-left corner shows. A horizontal line lies on its box's top edge, a vertical
    // one on its left edge: the line itself is placed.
    constexpr double Margin = 6;
    constexpr double MinPixelsPerMm = 6;
    constexpr double MaxPixelsPerMm = 40;
    const double unitsPerMm = 20000.0 / MmPerInch;
    const bool figure = obj.Kind == KindFigure;
    const int32_t boxW = figure && obj.Shape == ShapeVertLine ? 1 : std::max(1, obj.Width);
    const int32_t boxH = figure && obj.Shape == ShapeHorzLine ? 1 : std::max(1, obj.Height);
    const double pen = figure ? std::max(0, obj.LineWidth()) * 0.2 * unitsPerMm : 0.0;
    const double fit = std::min((image.width() - 2 * Margin) / (boxW + pen),
                                (image.height() - 2 * Margin) / (boxH + pen));
    const double scale = std::clamp(fit, MinPixelsPerMm / unitsPerMm, MaxPixelsPerMm / unitsPerMm);
    auto place = [&](int extent, int32_t box) {
        const double free = extent / scale - box;
        return truncToInt32(free >= 2 * (Margin / scale + pen / 2) ? free / 2
                                                                   : Margin / scale + pen / 2);
    };
    Tobs& o = scratch.Objs[1];
    o = obj;
    o.X = place(image.width(), boxW);
    o.Y = place(image.height(), boxH);
    DeviceOutputGuard output(scratch.Output, scale);
    QPainter canvas(&image);
    // The editor's way: nothing is clipped to a label.
    DrawVCart(canvas, scratch, image.width(), image.height(), 0, 0, scale, true, 0);
    canvas.end();
    o.Kind = KindFree;
    return image;
}
