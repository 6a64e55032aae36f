#include "render/picturefileloader.h"

#include "render/picturestore.h"

PictureFileLoader::PictureFileLoader(ProgressFn progress, PictureStore* store)
    : progress_(std::move(progress)), store_(store ? *store : PictureStore::shared()) {}

PictureLoad PictureFileLoader::load(TDibRecord& rec, const QString& name, int rotation) {
    return store_.load(rec, name, rotation, progress_);
}
