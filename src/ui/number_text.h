#pragma once

#include <string>

namespace mironeka::ui {

/// The one way the game writes a number for the player: rounded to 15
/// significant digits, plain decimal, no trailing zeros, no grouping, a
/// leading "-" for negative values and "0" for zero of either sign.
/// 7 - 1 gives "6", 0.1 + 0.2 gives "0.3".
std::string numberText(double value);

}  // namespace mironeka::ui
