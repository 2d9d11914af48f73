#include "ui/layout.h"

#include <algorithm>

namespace mironeka::ui {

const WidgetSpec* ScreenSpec::find(WidgetId w) const {
    auto it = std::find_if(widgets.begin(), widgets.end(),
                           [&](const WidgetSpec& s) { return s.id == w; });
    return it == widgets.end() ? nullptr : &*it;
}

const FieldSpec* ScreenSpec::field(std::string_view name) const {
    auto it = std::find_if(fields.begin(), fields.end(),
                           [&](const FieldSpec& f) { return f.name == name; });
    return it == fields.end() ? nullptr : &*it;
}

}  // namespace mironeka::ui
