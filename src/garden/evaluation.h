#pragma once

#include <array>

#include "garden/garden_variant.h"

namespace mironeka::garden {

inline constexpr int kTileCount = 16;
inline constexpr int kGridSize = 4;

/// Tile codes of a garden, tiles 1..16 at indexes 0..15, row by row.
using TileCodes = std::array<int, kTileCount>;

/// The sum of the codes of the up to eight tiles around tile `n` (1..16);
/// the grid does not wrap and the tile's own code is not counted.
[[nodiscard]] int neighbourTotal(const TileCodes& codes, int n);

/// How the sugar in a garden is judged.
enum class SugarJudgement { TooLittle, Right, TooMuch };

[[nodiscard]] SugarJudgement judgeSugar(int sugarCount, SugarBand band);

/// How many of the thresholds a total exceeds (strictly), 0..4.
[[nodiscard]] int antLevel(int total, const std::array<int, 4>& thresholds);

/// The points a tile of this level earns under the judgement: with the
/// right amount of sugar +1, +2, -1, -2 for levels 1..4; with too much,
/// minus the level. Nothing is scored with too little sugar.
[[nodiscard]] int tileShare(int level, SugarJudgement judgement);

}  // namespace mironeka::garden
