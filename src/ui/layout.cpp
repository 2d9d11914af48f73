#include "ui/layout.h"

#include <algorithm>
#include <array>
#include <map>

namespace mironeka::ui {

namespace {

constexpr std::size_t kKinds = 6;  // the kinds of WidgetKind

// Each table's widgets by kind and number, built the first time the table
// is searched: a lookup is then two index steps, not a walk of the table.
using Index = std::array<std::vector<const WidgetSpec*>, kKinds>;

const Index& indexOf(std::span<const WidgetSpec> widgets) {
    static std::map<const WidgetSpec*, Index> indexes;
    auto [it, added] = indexes.try_emplace(widgets.data());
    if (added) {
        for (const auto& w : widgets) {
            const auto kind = static_cast<std::size_t>(w.id.kind);
            if (kind >= kKinds || w.id.number < 0) continue;
            auto& byNumber = it->second.at(kind);
            const auto n = static_cast<std::size_t>(w.id.number);
            if (byNumber.size() <= n) byNumber.resize(n + 1, nullptr);
            byNumber[n] = &w;
        }
    }
    return it->second;
}

}  // namespace

const WidgetSpec* ScreenSpec::find(WidgetId w) const {
    const auto kind = static_cast<std::size_t>(w.kind);
    if (kind >= kKinds || w.number < 0) return nullptr;
    const auto& byNumber = indexOf(widgets).at(kind);
    const auto n = static_cast<std::size_t>(w.number);
    return n < byNumber.size() ? byNumber[n] : nullptr;
}

const FieldSpec* ScreenSpec::field(std::string_view name) const {
    auto it = std::find_if(fields.begin(), fields.end(),
                           [&](const FieldSpec& f) { return f.name == name; });
    return it == fields.end() ? nullptr : &*it;
}

}  // namespace mironeka::ui
