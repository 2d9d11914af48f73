#pragma once

#include <array>
#include <string_view>

#include "ui/widget_id.h"

namespace mironeka::garden {

/// The codes the place action writes for each tool. A code is both what a
/// tile holds and what it adds to its neighbours' totals.
struct PlaceCodes {
    int sugar;
    int puddle;
    int grass;
};

/// The range of sugar tiles that counts as the right amount; above `hi` is
/// too much, below `lo` too little.
struct SugarBand {
    int lo;
    int hi;
};

/// Everything in which the six gardens differ. One constant record per
/// garden; the garden's behaviour is the same code built from it.
struct GardenVariant {
    int gardenNumber;  // 1..6
    ui::FormId form;   // the garden's screen
    PlaceCodes placeCodes;
    std::array<int, 4> antThresholds;  // strictly increasing
    SugarBand sugarBand;
    std::string_view titleNumber;  // circled number ending the title line
    int width;                     // client size in pixels
    int height;
};

extern const std::array<GardenVariant, 6> kGardenVariants;

/// The variant of garden `number` (1..6).
[[nodiscard]] const GardenVariant& gardenVariant(int number);

}  // namespace mironeka::garden
