#pragma once

#include "document/pictureloader.h"
#include "render/picload.h"

#include <utility>

class PictureStore;

// Loads the pictures of a label file through a picture store (the program's own
// unless told otherwise), so that slots naming the same file share one picture.
class PictureFileLoader : public PictureLoader {
public:
    explicit PictureFileLoader(ProgressFn progress = {}, PictureStore* store = nullptr);
    PictureLoad load(TDibRecord& rec, const QString& name, int rotation) override;

private:
    ProgressFn progress_;
    PictureStore& store_;
};
