#pragma once

#include "garden/garden_variant.h"
#include "ui/layout.h"

namespace mironeka::garden {

// The garden's widgets that its code refers to by number.
inline constexpr int kNextDayButton = 1;  // Command1 "次の日へスキップ"
inline constexpr int kCloseButton = 6;    // Command6 "×"
inline constexpr int kDaysLabel = 10;     // Label10, between "あと" and "日"
inline constexpr int kHintLabel = 12;     // Label12, below the tools
inline constexpr int kTitleLabel = 13;    // Label13, the title line
inline constexpr int kPointsBox = 37;     // Text37 beside "現在のポイント"
// Timer n places on tile n, Timer(16 + n) levels it; Timer33 carries the
// day's evaluation.
inline constexpr int kFirstLevelTimer = 17;
inline constexpr int kStepTimer = 33;

/// The layout of garden `variant`: one table shared by the six gardens; the
/// client size comes from the variant, the title line from the screen.
[[nodiscard]] const ui::ScreenSpec& gardenLayout(const GardenVariant& variant);

}  // namespace mironeka::garden
