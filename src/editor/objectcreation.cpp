#include "editor/objectcreation.h"

#include "editor/bmpopenform.h"
#include "editor/editorpage.h"

#include "codec/rasterio.h"
#include "document/picturefit.h"
#include "document/picturenames.h"
#include "document/progpath.h"
#include "document/prompts.h"
#include "document/slotedit.h"
#include "merge/fields.h"
#include "render/picload.h"

#include <QLineEdit>
#include <QToolButton>

int32_t pictureExtent(const LabelDocument& doc, int pixels) {
    const long double perInch = 10000.0L / ScreenPixelsPerInch;
    const int32_t shown =
        truncToInt32((long double)pixels * perInch * doc.Zoom / (long double)doc.UnitsPerPixel);
    return doc.FromPixels(shown);
}

void initNewObject(Tobs& obj, const LabelDocument& doc, int kind, int X, int Y,
                   const EditorFont& font) {
    // A new object starts from a fresh record, so nothing of an earlier object
    // in the same slot (rotation, effects, transparency) carries over.
    Tobs fresh;
    fresh.Kind = kind;
    fresh.KeepAspect = true;
    fresh.Shape = 3;
    fresh.X = doc.FromPixels(X);
    fresh.Y = doc.FromPixels(Y);
    fresh.Color = 0;
    font.applyTo(fresh);
    if (kind == KindPicture) {
        fresh.Text = obj.Text;
        fresh.Picture = obj.Picture;
        fresh.Width = pictureExtent(doc, fresh.Picture.width());
        fresh.Height = pictureExtent(doc, fresh.Picture.height());
    } else {
        fresh.Width = doc.FromPixels(50);
        fresh.Height = doc.FromPixels(50);
    }
    if (kind == KindCode) {
        // A QR code of the running number, with the human-readable text for linear codes.
        fresh.Shape = 0;
        fresh.Text = QStringLiteral("%%NUMMER%%");
        fresh.TextAlign = 1;
    }
    obj = fresh;
}

bool EditorPage::createPicture(Tobs& obj) {
    BMPOpenForm->startInLastFolder();
    BMPOpenForm->setFilter(GetDIBOpenFilter());
    BMPOpenForm->FileNameEdit->clear();
    if (BMPOpenForm->exec() != QDialog::Accepted)
        return false;
    obj.Text = BMPOpenForm->ChosenFile;
    obj.Picture = TDibRecord();
    if (hasFields(obj.Text)) {
        obj.Picture = fieldPictureSample(obj.Text);
        return true;
    }
    const PictureLoad result = loadChosenPicture(obj.Picture, obj.Text);
    if (result == PictureLoad::Loaded) {
        warnUnstorablePictureName(prompts_, obj.Text);
        return true;
    }
    // The slot stays free, and a free slot holds no picture.
    deldib(obj.Picture);
    prompts_.message(pictureLoadMessage(result, obj.Text), QString(), Prompts::Buttons::Ok,
                     Prompts::Icon::Error);
    return false;
}

void EditorPage::createObjectAt(int X, int Y) {
    const int slot = doc_.firstFreeSlot();
    if (slot == 0) {
        tooManyObjects();
        return;
    }
    SlotEdit edit(doc_);
    Tobs& obj = edit.slot(slot);
    int kind = KindFree;
    switch (tool()) {
    case EditorTool::Figur:
        kind = KindFigure;
        break;
    case EditorTool::Text:
        kind = KindText;
        break;
    case EditorTool::Bild:
        if (createPicture(obj))
            kind = KindPicture;
        break;
    case EditorTool::Code:
        kind = KindCode;
        break;
    default:
        break;
    }
    if (kind == KindFree)
        return;
    initNewObject(obj, doc_, kind, X, Y, FontDialog1);
    const SnapGrid grid = snapGrid();
    obj.X = grid.snapX(obj.X);
    obj.Y = grid.snapY(obj.Y);
    if (kind == KindPicture)
        fitPictureToLabel(obj, labelUnits(doc_));
    edit.select(slot);
    edit.commit(QStringLiteral("Erstellen"));
    Toolbar->SpeedItem3->click();
}
