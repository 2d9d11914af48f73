#include "ui/translate.h"

#include <utility>

namespace mironeka::ui {

namespace {
Catalogue& current() {
    static Catalogue catalogue;
    return catalogue;
}
}  // namespace

void setCatalogue(Catalogue catalogue) { current() = std::move(catalogue); }

std::string translate(const char* context, std::string_view source) {
    if (const Catalogue& catalogue = current(); catalogue && !source.empty()) {
        if (auto text = catalogue(context, source)) return std::move(*text);
    }
    return std::string(source);
}

std::string fill(std::string_view pattern, std::initializer_list<std::string> values) {
    std::string out;
    out.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' &&
            pattern[i + 1] <= '9') {
            const auto n = static_cast<std::size_t>(pattern[i + 1] - '1');
            if (n < values.size()) {
                out += values.begin()[n];
                ++i;
                continue;
            }
        }
        out += pattern[i];
    }
    return out;
}

bool needsTranslation(std::string_view text) {
    // UTF-8 lead bytes of U+3000..U+9FFF (kana, kanji, CJK punctuation) are
    // 0xE3..0xE9; of U+FF00..U+FFEF (full-width forms), 0xEF 0xBC..0xBF.
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0xE3 && c <= 0xE9) return true;
        if (c == 0xEF && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) >= 0xBC &&
            static_cast<unsigned char>(text[i + 1]) <= 0xBF) {
            return true;
        }
    }
    return false;
}

}  // namespace mironeka::ui
