#pragma once

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

// Marks a text of a table for the catalogues without translating it there:
// lupdate collects it, and the code shows it through translate() later.
// The same definition as Qt's, so either may come first.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

namespace mironeka::ui {

/// Where the player's language comes from: the text for a Japanese source
/// text in a context, or nothing when the catalogue has no entry.
using Catalogue =
    std::function<std::optional<std::string>(const char* context, std::string_view source)>;

/// Sets the catalogue for the whole program; an empty one (the default)
/// leaves every text in Japanese, as the scenario runner reads it.
void setCatalogue(Catalogue catalogue);

/// The text in the player's language: the catalogue's entry, else the
/// Japanese source. Every text the player sees or hears passes here; lupdate
/// collects the literal calls (context "Game" for the game's own texts).
[[nodiscard]] std::string translate(const char* context, std::string_view source);

/// The pattern with %1, %2, ... replaced by the values, in one pass (a value
/// holding "%2" stays as it is).
[[nodiscard]] std::string fill(std::string_view pattern, std::initializer_list<std::string> values);

/// True when the text holds Japanese (kana, kanji or full-width forms): a
/// text that needs a catalogue entry. Numbers, symbols and addresses don't.
[[nodiscard]] bool needsTranslation(std::string_view text);

}  // namespace mironeka::ui
