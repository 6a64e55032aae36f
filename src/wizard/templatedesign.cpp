#include "wizard/templatedesign.h"

#include <algorithm>
#include <chrono>
#include <unordered_set>

int64_t possiblePlacements(int elementCount) {
    int64_t p = elementCount > 0 ? 1 : 0;
    for (int k = 0; k < std::min(elementCount, 9); ++k)
        p *= 9 - k;
    return p;
}

DesignRandom::DesignRandom()
    : engine_(uint32_t(std::chrono::system_clock::now().time_since_epoch().count())) {}

namespace {
// Nine cells of 3 bits each: one number per grid, for the test of sameness.
uint32_t gridKey(const DesignGrid& grid) {
    uint32_t key = 0;
    for (const auto& column : grid)
        for (int32_t cell : column)
            key = key * 8 + uint32_t(cell);
    return key;
}
} // namespace

std::vector<DesignGrid> randomDesigns(int elementCount, int count, DesignRandom& random) {
    elementCount = std::clamp(elementCount, 0, MaxElements);
    count = int(std::clamp<int64_t>(count, 0, possiblePlacements(elementCount)));
    std::vector<DesignGrid> designs;
    designs.reserve(size_t(count));
    std::unordered_set<uint32_t> seen;
    while (int(designs.size()) < count) {
        DesignGrid grid{};
        for (int a = 1; a <= elementCount; ++a) {
            int c = 0, r = 0;
            do {
                c = random.next3();
                r = random.next3();
            } while (grid[size_t(c)][size_t(r)] != 0);
            grid[size_t(c)][size_t(r)] = a;
        }
        if (seen.insert(gridKey(grid)).second)
            designs.push_back(grid);
    }
    return designs;
}

QString designCountLine(int designCount, int64_t possible) {
    return QStringLiteral("Dies ist eine zufällige Auswahl von ") + QString::number(designCount) +
           QStringLiteral(" Karten aus ") + QString::number(possible) +
           QStringLiteral(" möglichen Karten");
}
