#include "ui/number_text.h"

#include <charconv>

namespace mironeka::ui {

std::string numberText(double value) {
    if (value == 0.0) return "0";  // also -0.0, which would otherwise be signed
    char buffer[40];
    // General format with 15 significant digits drops trailing zeros, like
    // "%.15g", but never looks at the C locale: the decimal point is "."
    // whatever locale the toolkit has set. Every value the game writes lies
    // well below 1e15, so it stays in plain notation.
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    return {buffer, result.ptr};
}

}  // namespace mironeka::ui
