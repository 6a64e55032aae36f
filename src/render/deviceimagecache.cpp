#include "render/deviceimagecache.h"

QImage DeviceImageCache::get(const Key& key, const std::function<QImage()>& make) {
    const auto found = images_.find(key);
    if (found != images_.end())
        return found->second;
    ++misses_;
    QImage image = make();
    if (!image.isNull() && used_ + image.sizeInBytes() <= budget_) {
        used_ += image.sizeInBytes();
        images_.emplace(key, image);
    }
    return image;
}
