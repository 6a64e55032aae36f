#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <random>
#include <vector>

// A label design of the template wizard: which element (numbered from 1, 0 for
// none) stands in each cell of a 3 x 3 grid over the label. Indexed
// [column][row]; columns run left to right, rows top to bottom.
using DesignGrid = std::array<std::array<int32_t, 3>, 3>;

inline constexpr int MaxDesigns = 100;
inline constexpr int MaxElements = 6;

// Number of placements of n elements in nine cells: 9 x 8 x ... with n factors
// (9 for one element, 60480 for six).
int64_t possiblePlacements(int elementCount);

// The random source of the generator: uniform whole numbers 0, 1 and 2. Seeded
// once from the clock when made; tests seed it with a number of their own.
class DesignRandom {
public:
    DesignRandom();
    void seed(uint32_t value) { engine_.seed(value); }
    int next3() { return dist_(engine_); }

private:
    std::mt19937 engine_;
    std::uniform_int_distribution<int> dist_{0, 2};
};

// count random designs for elementCount elements, all different from each other.
// Each element in turn draws a column and then a row until it meets a free cell.
// count is limited to the number of possible placements, so the loop ends.
std::vector<DesignGrid> randomDesigns(int elementCount, int count, DesignRandom& random);

// The result line of a generation.
QString designCountLine(int designCount, int64_t possible);
