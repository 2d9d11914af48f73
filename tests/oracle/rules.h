#pragma once

#include <array>
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

}  // namespace mironeka::oracle
