#include "render/picturefileloader.h"

bool PictureFileLoader::load(TDibRecord& rec, const QString& name) {
    return LoadDIBit(rec, name);
}

void PictureFileLoader::rotate(TDibRecord& rec, int rotation) {
    applyRotation(rec, rotation, progress_);
}
