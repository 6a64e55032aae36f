#pragma once

#include "render/textlayoutcache.h"

#include <vector>

class ObjectTable;

// What the labels of one run (a print job) share: the slots in use, taken from the
// object table once, and the texts that come out the same on every label, laid out
// once. The table stays the only record of the objects: the renderer checks each
// listed slot's kind again when it draws it.
class RenderRun {
public:
    explicit RenderRun(const ObjectTable& objects);

    const std::vector<int>& usedSlots() const { return slots_; }
    TextLayoutCache& texts() { return texts_; }

private:
    std::vector<int> slots_;
    TextLayoutCache texts_;
};
