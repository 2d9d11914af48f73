#pragma once

// The month's ranking as the publisher puts it on the web: ranking.json for
// programs and index.html, a page in the game's look, each written whole or
// not at all.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ranking/score.h"

namespace mironeka::ranking {

struct Ranking {
    Month month;
    std::vector<RankedEntry> entries;
    int refused = 0;
};

/// {"month": "YYYY-MM", "entries": [{"rank", "nickname", "code", "points",
/// "date"}...], "refused": N}; dates in Japan time.
[[nodiscard]] std::string rankingJson(const Ranking& ranking);

/// The ranking as a page in Japanese: a table of rank, nickname, points and
/// score code; self-contained (no external resources).
[[nodiscard]] std::string rankingPage(const Ranking& ranking);

/// Writes `contents` to `file` through a temporary file in the same folder
/// and a rename, so a reader sees the old file or the new one, never half
/// of one. Returns an error message naming the file if it fails.
[[nodiscard]] std::optional<std::string> writeFileAtomically(const std::filesystem::path& file,
                                                             std::string_view contents);

}  // namespace mironeka::ranking
