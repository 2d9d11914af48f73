#pragma once

// The rules of a day's evaluation written out on their own, for the tests
// and fuzzers that check the game against them: they must not lean on the
// game's own functions.

#include <array>
#include <cstddef>
#include <vector>

namespace mironeka::oracle {

/// The tiles around each tile, 1 to 16, written out by hand from the grid,
/// for tests that must not lean on the game's own neighbour function.
inline const std::array<std::vector<int>, 16> kNeighbours{{
    {2, 6, 5},
    {1, 5, 6, 7, 3},
    {2, 6, 7, 8, 4},
    {3, 7, 8},
    {1, 2, 6, 10, 9},
    {1, 2, 3, 7, 11, 10, 9, 5},
    {2, 3, 4, 8, 12, 11, 10, 6},
    {4, 12, 11, 7, 3},
    {5, 6, 10, 14, 13},
    {5, 6, 7, 11, 15, 14, 13, 9},
    {6, 7, 8, 12, 16, 15, 14, 10},
    {7, 8, 16, 15, 11},
    {9, 10, 14},
    {9, 10, 11, 15, 13},
    {14, 10, 11, 12, 16},
    {11, 12, 15},
}};

/// The sum of the codes (tile 1 first) of the tiles around tile n.
inline int around(const std::array<int, 16>& codes, int n) {
    int sum = 0;
    for (int m : kNeighbours.at(static_cast<std::size_t>(n - 1))) {
        sum += codes.at(static_cast<std::size_t>(m - 1));
    }
    return sum;
}

enum class Sugar { TooLittle, Right, TooMuch };

/// The amount of sugar against a garden's band of the right amount, lo to hi.
inline Sugar judge(int sugar, int lo, int hi) {
    if (sugar > hi) return Sugar::TooMuch;
    return sugar < lo ? Sugar::TooLittle : Sugar::Right;
}

/// What a tile's total adds to the points: for each threshold it passes,
/// +1, +1, -3, -1 with the right amount of sugar, -1 with too much, nothing
/// with too little.
inline int share(int total, const std::array<int, 4>& thresholds, Sugar sugar) {
    constexpr std::array<int, 4> kRight{1, 1, -3, -1};
    int points = 0;
    for (std::size_t i = 0; i < thresholds.size(); ++i) {
        if (total <= thresholds[i]) continue;
        if (sugar == Sugar::Right) points += kRight[i];
        if (sugar == Sugar::TooMuch) points -= 1;
    }
    return points;
}

}  // namespace mironeka::oracle
