#pragma once

#include <QImage>

#include <cstdint>
#include <functional>
#include <map>
#include <tuple>

// Pictures that the device path derives from a document picture (the sampled copy
// of a transparent picture with its alpha mask), kept for the length of one print
// run. Every label of a run then hands the device the same QImage, which a PDF
// embeds only once. Bounded: past the budget new copies are made but not kept.
class DeviceImageCache {
public:
    struct Key {
        qint64 picture = 0;       // QImage::cacheKey() of the document's picture
        int32_t transparent = -1; // transparent value in effect
        int64_t cols = 0, rows = 0;
        int64_t c0 = 0, c1 = 0, r0 = 0, r1 = 0; // the part sampled
        auto tie() const { return std::tie(picture, transparent, cols, rows, c0, c1, r0, r1); }
        bool operator<(const Key& other) const { return tie() < other.tie(); }
    };

    explicit DeviceImageCache(qint64 budgetBytes = 512LL * 1024 * 1024) : budget_(budgetBytes) {}

    // The cached picture for key, or the one make() builds (kept while the budget lasts).
    QImage get(const Key& key, const std::function<QImage()>& make);

    int size() const { return int(images_.size()); }
    int misses() const { return misses_; }

private:
    std::map<Key, QImage> images_;
    qint64 budget_;
    qint64 used_ = 0;
    int misses_ = 0;
};
