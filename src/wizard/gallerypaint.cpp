#include "wizard/gallerypaint.h"

#include "render/dibdraw.h"
#include "render/textdraw.h"
#include "render/uprightlayout.h"
#include "wizard/templatewizard.h"

#include <QPainter>

namespace {
// The platform's rectangle: outline on the pixels left..right-1, top..bottom-1,
// filled inside.
void edgeRectangle(QPainter& p, int left, int top, int right, int bottom) {
    p.drawRect(QRect(left, top, right - left - 1, bottom - top - 1));
}

// The background picture covering the thumbnail with its own proportions, centred
// and cut at the thumbnail's edges.
void drawCover(QPainter& p, const CellRect& t, const TDibRecord& pic) {
    const int64_t pw = pic.width(), ph = pic.height();
    if (pw <= 0 || ph <= 0)
        return;
    const int64_t cw = int64_t(t.right) - t.left + 1, ch = int64_t(t.bottom) - t.top + 1;
    p.save();
    p.setClipRect(QRect(t.left, t.top, t.width(), t.height()), Qt::IntersectClip);
    const int64_t h = ph * cw / pw;
    if (ch < h) {
        DrawDib(p, t.left, int(t.top + (ch - h) / 2), int(cw), int(h), pic, 0, 0, int(pw), int(ph));
    } else {
        const int64_t w = pw * ch / ph;
        DrawDib(p, int(t.left + (cw - w) / 2), t.top, int(w), int(ch), pic, 0, 0, int(pw), int(ph));
    }
    p.restore();
}
} // namespace

void paintThumbnail(QPainter& p, const CellRect& t, int i, const TemplateWizard& wizard,
                    double labelWidthMm, double labelHeightMm, TextFitCache& fits) {
    p.save();
    p.setPen(Qt::black);
    if (i == wizard.SelDesign()) {
        p.setBrush(QColor(255, 0, 0));
        edgeRectangle(p, t.left - 5, t.top - 5, t.right + 5, t.bottom + 5);
    }
    p.setBrush(Qt::white);
    if (wizard.TplBkgndOn())
        drawCover(p, t, wizard.TplBkgndPic());
    else
        edgeRectangle(p, t.left, t.top, t.right, t.bottom);

    const DesignGrid& design = wizard.Design(i);
    const DesignCells cells = layoutDesign(design, t, t.width(), labelWidthMm, labelHeightMm);
    for (int c = 0; c < 3; ++c) {
        for (int r = 0; r < 3; ++r) {
            const int a = design[c][r];
            if (a < 1 || a > wizard.ElemCount())
                continue;
            const TemplateElement& elem = wizard.Elem(a);
            const CellRect& cell = cells[c][r];
            if (elem.ElemKind == ElemKindText) {
                if (cell.width() <= 0 || cell.height() <= 0)
                    continue;
                const int s = fits.fit(elem.ElemText, cell, c, GalleryMaxFontSize, p.device());
                const QRectF box(cell.left, cell.top, cell.width(), cell.height());
                UprightLayout layout(withLineSeparators(elem.ElemText),
                                     labelFont(QStringLiteral("Arial"), s, 0), p.device(),
                                     columnAlignment(c), box.width(), box.height());
                p.setPen(Qt::black);
                layout.draw(p, box);
            } else {
                const TDibRecord& pic = elem.ElemPic;
                const PlacedPicture at = placePicture(cell, c, r, pic.width(), pic.height());
                DrawDib(p, at.x, at.y, at.w, at.h, pic, 0, 0, pic.width(), pic.height());
            }
        }
    }
    p.restore();
}

void paintGallery(QPainter& p, const GalleryGeometry& geometry, const QRect& visible,
                  const TemplateWizard& wizard, double labelWidthMm, double labelHeightMm,
                  TextFitCache& fits) {
    bool drawn = false;
    for (int i = 0; i < wizard.DesignCount(); ++i) {
        const CellRect t = geometry.thumbnail(i);
        // With the red frame a thumbnail reaches 5 pixels past its rectangle.
        const bool outside = t.bottom + 5 < visible.top() || t.top - 5 > visible.bottom();
        if (outside) {
            if (drawn)
                break;
            continue;
        }
        drawn = true;
        if (t.right + 5 < visible.left() || t.left - 5 > visible.right())
            continue;
        paintThumbnail(p, t, i, wizard, labelWidthMm, labelHeightMm, fits);
    }
}
