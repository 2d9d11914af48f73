#include "ui/number_text.h"

#include <cstdio>

namespace mironeka::ui {

std::string numberText(double value) {
    if (value == 0.0) return "0";  // also -0.0, which printf would sign
    char buffer[40];
    // %.15g keeps at most 15 significant digits and drops trailing zeros;
    // every value the game writes lies well below 1e15, so it stays in
    // plain notation.
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    return buffer;
}

}  // namespace mironeka::ui
