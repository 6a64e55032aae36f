#pragma once

#include "render/turnedlayout.h"
#include "render/uprightlayout.h"

#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <tuple>

class QPaintDevice;

// Laid-out texts kept for the length of one run, for texts that hold no field
// ("%%...%%"): such a text is the same on every label. Keyed on everything a layout
// is made from: the string, the font (family, pixel size, style), the device, the
// alignment and the box. Bounded: past MaxEntries new layouts are made but not kept.
class TextLayoutCache {
public:
    static constexpr int MaxEntries = 1024;

    struct Key {
        QString text;
        QString font; // QFont::key()
        const QPaintDevice* device = nullptr;
        int align = 0;
        double width = 0;
        double height = 0;
        auto tie() const { return std::tie(text, font, device, align, width, height); }
        bool operator<(const Key& other) const { return tie() < other.tie(); }
    };

    // True for texts that may be kept: no field marker anywhere in the stored text.
    static bool cacheable(const QString& storedText);

    std::shared_ptr<const UprightLayout>
    upright(const Key& key, const std::function<std::shared_ptr<const UprightLayout>()>& make);
    std::shared_ptr<const TurnedLayout>
    turned(const Key& key, const std::function<std::shared_ptr<const TurnedLayout>()>& make);

    int size() const { return int(upright_.size() + turned_.size()); }
    int misses() const { return misses_; }

private:
    std::map<Key, std::shared_ptr<const UprightLayout>> upright_;
    std::map<Key, std::shared_ptr<const TurnedLayout>> turned_;
    int misses_ = 0;
};
