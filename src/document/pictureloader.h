#pragma once

#include "codec/dibrecord.h"

#include <QString>

// How the label file reader gets its pictures: the document layer only knows this
// interface; the picture loading itself lives with the renderer.
class PictureLoader {
public:
    virtual ~PictureLoader() = default;
    // Loads the named picture into rec (a name without folder is relative to the
    // program folder). On failure rec holds the blank replacement picture and the
    // result is false.
    virtual bool load(TDibRecord& rec, const QString& name) = 0;
    // Turns the picture by a stored rotation: 1 right, 2 half turn, 3 left.
    virtual void rotate(TDibRecord& rec, int rotation) = 0;
};
