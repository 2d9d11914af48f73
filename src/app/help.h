#pragma once

#include <span>

namespace mironeka::app {

/// A piece of the help, "遊び方": a heading, a paragraph, or an item of a
/// list (a tool, a key).
struct HelpEntry {
    enum class Kind { Heading, Paragraph, Item };
    Kind kind;
    /// The Japanese text, marked for the catalogues (context "Help"); shown
    /// through ui::translate("Help", text).
    const char* text;
};

/// The help in reading order, in Japanese: what the desktop's help window,
/// the page's help and the manual page show, each translated.
[[nodiscard]] std::span<const HelpEntry> helpText();

}  // namespace mironeka::app
