#include "render/objectturn.h"

#include "document/propertycommands.h"
#include "document/slotedit.h"
#include "document/transcolor.h"

bool turnSelectedObject(LabelDocument& doc, bool left, const ProgressFn& progress) {
    SlotEdit edit(doc);
    Tobs* o = edit.selected(TextKinds | PictureKinds | CodeKinds);
    if (!o)
        return false;
    if (o->Kind == KindPicture) {
        if (o->Picture.hasPicture()) {
            // The routines keep the record as it was when they find no room for the
            // turned picture: the same pixels mean the turn did not happen. The turned
            // copy replaces the working record's picture; the old pixels stay with
            // the undo step.
            const qint64 before = o->Picture.Image.cacheKey();
            if (left)
                RotLeft(o->Picture, progress);
            else
                RotRight(o->Picture, progress);
            if (o->Picture.Image.cacheKey() == before)
                return false;
        }
        const int32_t w = doc.ToPixels(o->Width);
        const int32_t h = doc.ToPixels(o->Height);
        o->Width = doc.FromPixels(h);
        o->Height = doc.FromPixels(w);
        settleTransColor(*o);
    }
    o->Rotation = turnedRotation(o->Rotation, left);
    return edit.commit(left ? QStringLiteral("Nach links rotieren")
                            : QStringLiteral("Nach rechts rotieren"));
}
