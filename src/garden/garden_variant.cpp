#include "garden/garden_variant.h"

namespace mironeka::garden {

using ui::FormId;

// clang-format off
const std::array<GardenVariant, 6> kGardenVariants{{
    //  no  form          sugar puddle grass  thresholds      band    title  w    h
    {1, FormId::Form3, {3, 1, 2}, {5, 6, 7, 8}, {1, 2}, "①", 274, 300},
    {2, FormId::Form5, {3, 1, 2}, {6, 7, 8, 9}, {3, 4}, "②", 274, 298},
    {3, FormId::Form6, {3, 1, 2}, {5, 6, 7, 8}, {1, 2}, "③", 274, 298},
    {4, FormId::Form7, {3, 1, 2}, {5, 6, 7, 8}, {5, 5}, "④", 275, 299},
    {5, FormId::Form8, {3, 1, 4}, {5, 6, 7, 8}, {1, 2}, "⑤", 275, 299},
    {6, FormId::Form9, {3, 2, 3}, {5, 6, 7, 8}, {1, 2}, "⑥", 274, 299},
}};
// clang-format on

const GardenVariant& gardenVariant(int number) { return kGardenVariants.at(number - 1); }

}  // namespace mironeka::garden
