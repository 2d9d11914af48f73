#include "ui/number_text.h"

#include <locale>
#include <sstream>

namespace mironeka::ui {

std::string numberText(double value) {
    if (value == 0.0) return "0";  // also -0.0, which would otherwise be signed
    // At most 15 significant digits, trailing zeros dropped (as "%.15g"), in
    // the classic locale: the decimal point is "." and there is no grouping,
    // whatever locale the toolkit or the page has set. Every value the game
    // writes lies well below 1e15, so it stays in plain notation.
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out.precision(15);
    out << value;
    return out.str();
}

}  // namespace mironeka::ui
