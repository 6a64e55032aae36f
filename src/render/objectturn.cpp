#include "render/objectturn.h"

#include "document/propertycommands.h"

bool turnSelectedObject(LabelDocument& doc, bool left, const ProgressFn& progress) {
    Tobs* o = selectedObject(doc, TextKinds | PictureKinds | CodeKinds);
    if (!o)
        return false;
    if (o->Kind == KindPicture) {
        if (o->Picture.hasPicture()) {
            // The routines keep the record as it was when they find no room for the
            // turned picture: the same pixels mean the turn did not happen.
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
    }
    o->Rotation = turnedRotation(o->Rotation, left);
    return true;
}
