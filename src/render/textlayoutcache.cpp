#include "render/textlayoutcache.h"

namespace {
template <typename Map, typename Make>
auto lookUp(Map& map, const TextLayoutCache::Key& key, const Make& make, int kept, int& misses) {
    const auto it = map.find(key);
    if (it != map.end())
        return it->second;
    ++misses;
    auto layout = make();
    if (kept < TextLayoutCache::MaxEntries)
        map.emplace(key, layout);
    return layout;
}
} // namespace

bool TextLayoutCache::cacheable(const QString& storedText) {
    return !storedText.contains(QStringLiteral("%%"));
}

std::shared_ptr<const UprightLayout>
TextLayoutCache::upright(const Key& key,
                         const std::function<std::shared_ptr<const UprightLayout>()>& make) {
    return lookUp(upright_, key, make, size(), misses_);
}

std::shared_ptr<const TurnedLayout>
TextLayoutCache::turned(const Key& key,
                        const std::function<std::shared_ptr<const TurnedLayout>()>& make) {
    return lookUp(turned_, key, make, size(), misses_);
}
