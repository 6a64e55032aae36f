#include "wizard/templatecompose.h"

#include "document/labeldocument.h"
#include "render/labelgeometry.h"
#include "render/picturestore.h"
#include "wizard/designlayout.h"
#include "wizard/templatewizard.h"

namespace {
// Loads a picture through the program's store; the message when that fails.
QString loadPicture(TDibRecord& rec, const QString& name) {
    return pictureLoadMessage(PictureStore::shared().load(rec, name), name);
}
} // namespace

QStringList RenderTemplate(LabelDocument& doc, const TemplateWizard& wizard) {
    QStringList failed;
    if (!wizard.hasChosenDesign())
        return failed;
    doc.Zoom = 1.0;
    doc.UnitsPerPixel = LabelDocument::StartUnitsPerPixel;
    const QSize box = doc.paintBoxSize();
    const int W = box.width(), H = box.height();
    const CellRect label{W / 3, H / 3, (2 * W) / 3, (2 * H) / 3};
    const DesignGrid& design = wizard.Design(wizard.SelDesign());
    const DesignCells cells =
        layoutDesign(design, label, W / 3, doc.Format.LabelWidth, doc.Format.LabelHeight);

    // Layout pixels to document units, by way of the screen's inches.
    const auto units = [&doc](int64_t p) {
        return doc.FromPixels(
            truncToInt32(20000.0L / RenderLPX * p * doc.Zoom / (long double)doc.UnitsPerPixel));
    };

    for (int c = 0; c < 3; ++c) {
        for (int r = 0; r < 3; ++r) {
            const int a = design[c][r];
            if (a < 1 || a > wizard.ElemCount())
                continue;
            const int slot = doc.firstFreeSlot();
            if (slot == 0)
                return failed;
            const TemplateElement& elem = wizard.Elem(a);
            const CellRect& cell = cells[c][r];
            // A composed object starts from a fresh record, as a created one does.
            Tobs obj;
            obj.Text = elem.ElemText;
            if (elem.ElemKind == ElemKindText) {
                const int s = fitTextSize(elem.ElemText, cell, c, ComposeMaxFontSize);
                obj.Kind = KindText;
                obj.FontName = QStringLiteral("Arial");
                obj.FontSize = s;
                obj.FontHeight = s;
                obj.TextAlign = c;
                obj.X = units(cell.left);
                obj.Y = units(cell.top);
                obj.Width = units(int64_t(cell.right) - cell.left + 1);
                obj.Height = units(int64_t(cell.bottom) - cell.top + 1);
            } else {
                const TDibRecord& pic = elem.ElemPic;
                const PlacedPicture placed = placePicture(cell, c, r, pic.width(), pic.height());
                obj.Kind = KindPicture;
                obj.KeepAspect = true;
                obj.Transparent = false;
                obj.X = units(placed.x);
                obj.Y = units(placed.y);
                obj.Width = units(int64_t(cell.right) - placed.x + 1);
                obj.Height = units(int64_t(cell.bottom) - placed.y + 1);
                const QString message = loadPicture(obj.Picture, obj.Text);
                if (!message.isEmpty()) {
                    failed << message;
                    continue; // the slot stays free
                }
            }
            doc.Objs[slot] = obj;
        }
    }

    if (wizard.TplBkgndOn()) {
        doc.BkgndMode = BkgndCover;
        doc.BkgndFile = wizard.TplBkgndFile();
        const QString message = loadPicture(doc.BkgndPic, doc.BkgndFile);
        if (!message.isEmpty()) {
            failed << message;
            doc.BkgndFile.clear();
        }
    }
    return failed;
}
