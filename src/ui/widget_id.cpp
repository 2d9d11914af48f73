#include "ui/widget_id.h"

#include <array>
#include <charconv>
#include <utility>

namespace mironeka::ui {

namespace {

constexpr std::array<std::pair<WidgetKind, std::string_view>, 6> kKindNames{{
    {WidgetKind::Command, "Command"},
    {WidgetKind::Image, "Image"},
    {WidgetKind::Text, "Text"},
    {WidgetKind::Label, "Label"},
    {WidgetKind::Line, "Line"},
    {WidgetKind::Timer, "Timer"},
}};

// A positive whole number without sign or leading zeros.
std::optional<int> parseIndex(std::string_view digits) {
    // from_chars would take a leading "-": "Form-8" is no screen.
    if (digits.empty() || digits.size() > 4 || digits.front() < '1' || digits.front() > '9') {
        return std::nullopt;
    }
    int value = 0;
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (ec != std::errc{} || end != digits.data() + digits.size()) return std::nullopt;
    return value;
}

}  // namespace

std::string formName(FormId f) { return "Form" + std::to_string(static_cast<int>(f)); }

std::optional<FormId> parseFormName(std::string_view name) {
    constexpr std::string_view prefix = "Form";
    if (!name.starts_with(prefix)) return std::nullopt;
    auto n = parseIndex(name.substr(prefix.size()));
    if (!n || *n > kFormCount) return std::nullopt;
    return static_cast<FormId>(*n);
}

std::string_view kindName(WidgetKind k) {
    for (const auto& [kind, label] : kKindNames) {
        if (kind == k) return label;
    }
    return "?";
}

std::string widgetName(WidgetId w) {
    return std::string(kindName(w.kind)) + std::to_string(w.number);
}

std::optional<WidgetId> parseWidgetName(std::string_view name) {
    for (const auto& [kind, label] : kKindNames) {
        if (!name.starts_with(label)) continue;
        if (auto n = parseIndex(name.substr(label.size()))) return WidgetId{kind, *n};
    }
    return std::nullopt;
}

}  // namespace mironeka::ui
