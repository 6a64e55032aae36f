#pragma once

#include "document/pictureloader.h"
#include "render/picload.h"

#include <utility>

// Loads the pictures of a label file with the program's picture loader and turns
// them with its quarter turns.
class PictureFileLoader : public PictureLoader {
public:
    explicit PictureFileLoader(ProgressFn progress = {}) : progress_(std::move(progress)) {}
    bool load(TDibRecord& rec, const QString& name) override;
    void rotate(TDibRecord& rec, int rotation) override;

private:
    ProgressFn progress_;
};
