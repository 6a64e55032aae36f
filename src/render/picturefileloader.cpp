#include "render/picturefileloader.h"

#include <QFileInfo>

bool PictureFileLoader::load(TDibRecord& rec, const QString& name) {
    // A label file may name anything. Only ordinary files are read, so a device or a
    // pipe named as a picture cannot keep the reading busy forever; anything else
    // fails like a missing file (the program folder itself is no picture).
    const QFileInfo info(resolvePictureName(name));
    if (info.exists() && !info.isFile()) {
        LoadDIBit(rec, QString()); // leaves the blank picture of a failed load
        return false;
    }
    return LoadDIBit(rec, name);
}

void PictureFileLoader::rotate(TDibRecord& rec, int rotation) {
    applyRotation(rec, rotation, progress_);
}
