#include "render/drawvcart.h"

#include "render/bkgndfit.h"
#include "render/codedraw.h"
#include "render/dibdraw.h"
#include "render/figuredraw.h"
#include "render/labelgeometry.h"
#include "render/picturedraw.h"
#include "render/rendercontext.h"
#include "render/renderrun.h"
#include "render/textdraw.h"

#include <QPainter>

namespace {

// Saves the painter's state for the length of a drawing and restores it on every
// way out.
class PainterStateGuard {
public:
    explicit PainterStateGuard(QPainter& p) : p_(p) { p_.save(); }
    ~PainterStateGuard() { p_.restore(); }
    PainterStateGuard(const PainterStateGuard&) = delete;
    PainterStateGuard& operator=(const PainterStateGuard&) = delete;

private:
    QPainter& p_;
};

void drawBackground(RenderContext& rc, const LabelRect& label, int AreaWidth, int AreaHeight,
                    bool EditorView) {
    const LabelDocument& doc = rc.document;
    // A mode without a picture (after "no background" in the dialog, or a label file
    // naming none) draws nothing.
    if (!doc.BkgndPic.hasPicture())
        return;
    const TDibRecord& pic = doc.BkgndPic;
    const BackgroundPlan plan =
        planBackground(doc.BkgndMode, label, pic.Image.size(), AreaWidth, AreaHeight, rc.visible);
    if (plan.tiles.empty())
        return;
    QPainter& p = rc.canvas;
    const bool clip = plan.clipInEditor && EditorView;
    if (clip) {
        p.save();
        p.setClipRect(label.toQRect(), Qt::IntersectClip);
    }
    const QRectF reach = clip ? (rc.visible & QRectF(label.toQRect())) : rc.visible;
    for (const QRect& tile : plan.tiles) {
        if (reach.intersects(QRectF(tile)))
            DrawDib(p, tile.x(), tile.y(), tile.width(), tile.height(), pic, 0, 0, pic.width(),
                    pic.height(), false, false);
    }
    if (clip)
        p.restore();
}

} // namespace

void DrawVCart(QPainter& canvas, LabelDocument& document, int AreaWidth, int AreaHeight,
               int OffsetX, int OffsetY, double Scale, bool EditorView, int Number,
               const MergeRecord* Record) {
    RenderBusyGuard busy(document.Output);
    if (!canvas.isActive())
        return;
    PainterStateGuard state(canvas);
    canvas.setRenderHint(QPainter::Antialiasing, false);
    canvas.setRenderHint(QPainter::SmoothPixmapTransform, false);
    canvas.setPen(Qt::NoPen);

    const LabelRect label = computeLabelRect(AreaWidth, AreaHeight, OffsetX, OffsetY, EditorView);
    if (!EditorView)
        canvas.setClipRect(label.toQRect(), Qt::IntersectClip);

    RenderContext rc(canvas, document);
    rc.OffsetX = OffsetX;
    rc.OffsetY = OffsetY;
    rc.Scale = Scale;
    rc.Number = Number;
    rc.Record = Record;
    rc.editorView = EditorView;
    rc.visible = visibleArea(canvas);
    rc.pixelDevice = isPixelDevice(canvas);
    rc.stampable = isWholePixelRaster(canvas);
    rc.penColor = QColor(Qt::white);
    // The brush colour a figure with an unknown fill mode meets first: the canvas's
    // own brush colour (white for a canvas without brush).
    rc.brushColor =
        canvas.brush().style() == Qt::NoBrush ? QColor(Qt::white) : canvas.brush().color();

    rc.run = document.Output.Run;

    drawBackground(rc, label, AreaWidth, AreaHeight, EditorView);

    // Only the slots in use, in stacking order: taken once for a whole run, else for
    // this drawing.
    std::vector<int> ownSlots;
    if (!rc.run)
        ownSlots = document.Objs.usedSlots();
    const std::vector<int>& used = rc.run ? rc.run->usedSlots() : ownSlots;
    for (const int i : used) {
        Tobs& o = document.Objs[i];
        if (o.Kind < KindFigure || o.Kind > KindCode)
            continue;
        const ObjectBox box = objectBox(document, o, OffsetX, OffsetY);
        switch (o.Kind) {
        case KindFigure:
            drawFigure(rc, o, box);
            break;
        case KindText:
            drawText(rc, o, box);
            break;
        case KindPicture:
            drawPicture(rc, o, box);
            break;
        case KindCode:
            drawCode(rc, o, box);
            break;
        default:
            break;
        }
    }
}
