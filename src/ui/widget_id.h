#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace mironeka::ui {

/// The game's screens, by their own names. Form3 and Form5..Form9 are the
/// six gardens, Form4 the stage-select screen.
enum class FormId {
    Form1 = 1,  // splash
    Form2,      // introduction
    Form3,      // garden 1
    Form4,      // stage select
    Form5,      // garden 2
    Form6,      // garden 3
    Form7,      // garden 4
    Form8,      // garden 5
    Form9,      // garden 6
    Form10,     // result
    Form11,     // score code
};
inline constexpr int kFormCount = 11;

[[nodiscard]] constexpr int formIndex(FormId f) { return static_cast<int>(f) - 1; }
[[nodiscard]] std::string formName(FormId f);
/// "Form1".."Form11"; anything else is no screen of this game.
[[nodiscard]] std::optional<FormId> parseFormName(std::string_view name);

enum class WidgetKind { Command, Image, Text, Label, Line, Timer };

/// A widget of a screen by kind and number: Command2, Image16, Text37.
struct WidgetId {
    WidgetKind kind;
    int number;
    friend bool operator==(const WidgetId&, const WidgetId&) = default;
};

/// "Command", "Image", "Text", "Label", "Line", "Timer".
[[nodiscard]] std::string_view kindName(WidgetKind k);
[[nodiscard]] std::string widgetName(WidgetId w);
/// Parses "Command2", "Image16", ...; the number is a positive decimal
/// without leading zeros.
[[nodiscard]] std::optional<WidgetId> parseWidgetName(std::string_view name);

[[nodiscard]] constexpr WidgetId command(int n) { return {WidgetKind::Command, n}; }
[[nodiscard]] constexpr WidgetId image(int n) { return {WidgetKind::Image, n}; }
[[nodiscard]] constexpr WidgetId text(int n) { return {WidgetKind::Text, n}; }

}  // namespace mironeka::ui
