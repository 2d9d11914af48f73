#pragma once

// What a score mail says and whether the game can have given it: the month
// in Japan time, the score code and the nickname of a mail's body, and the
// month's ranking. No mail parsing here (that is mail.h): plain text in,
// plain values out.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mironeka::ranking {

// The totals a game can end on. A garden's points are those of its last
// scored evaluation (not a sum over its days), 16 tiles each adding its
// share; the result is the sum of the six gardens.
//
// Lowest: too much sugar and every tile at ant level 4 (-4 a tile), -64 a
// garden; in garden ② a corner tile's neighbours add up to at most 9, which
// is not above its fourth threshold (9), so its corners reach level 3 only
// (-3): -60. 5 x -64 - 60 = -380.
//
// Highest: with the right amount of sugar a tile earns at most +2 (level
// 2), and in gardens ①-④ and ⑥ not every row can have all four tiles at
// level 2. A row's totals are taken at a step of their own, and tiles may
// change between the steps, so each row at its best with any tiles around
// it bounds a garden: ① 30, ② 28, ③ 30, ④ 30, ⑤ 32, ⑥ 28, 178 in all.
// No game ends higher, so no game's code is refused for its total.
// With the tiles left alone during the evaluation the best is 102 (18, 17,
// 18, 16, 16, 17), and every whole total from -380 to 102 can be played.
inline constexpr int kLowestTotal = -380;
inline constexpr int kHighestTotal = 178;

/// A mail longer than this is refused unread.
inline constexpr std::size_t kMaxMailBytes = 1024 * 1024;
/// Longer nicknames are cut to this many characters (code points).
inline constexpr std::size_t kMaxNicknameChars = 20;
/// Japan time, in which a month begins and ends.
inline constexpr std::int64_t kJapanOffsetSeconds = 9 * 3600;

struct Month {
    int year = 0;
    int month = 0;  // 1..12
    friend bool operator==(const Month&, const Month&) = default;
};

/// "YYYY-MM" (year 1000..9999, month 01..12), or nothing.
[[nodiscard]] std::optional<Month> parseMonth(std::string_view text);
[[nodiscard]] std::string monthText(Month m);

/// The month a moment falls in, in Japan time.
[[nodiscard]] Month japanMonth(std::int64_t unixSeconds);
/// The moment in ISO 8601 in Japan time: "2026-12-01T00:30:00+09:00".
[[nodiscard]] std::string japanTimeIso(std::int64_t unixSeconds);

/// The score code the game shows for a total, as it writes it.
[[nodiscard]] std::string scoreCodeText(int total);
/// The total whose code is `code`, if the game can give that code: the
/// code must be exactly the game's for a whole total within the bounds.
[[nodiscard]] std::optional<int> totalOfCode(double code);

/// What the body of a score mail holds.
struct BodyFields {
    /// The first number of the body, outside the nickname line, in ASCII
    /// ("-12.5" for "－１２．５"); empty if there is none.
    std::string code;
    /// The nickname: the text after "ニックネーム" and a colon ("：" or
    /// ":"), else the first other non-empty line that isn't the code's and
    /// isn't a label ending in a colon; trimmed, without control
    /// characters, cut to kMaxNicknameChars. Empty if there is none.
    std::string nickname;
};

/// Reads a body (UTF-8; invalid bytes count as U+FFFD).
[[nodiscard]] BodyFields readBody(std::string_view body);

/// One mail as the mailbox readers hand it over.
struct Mail {
    std::string subject;               // decoded, UTF-8, NFKC
    std::optional<std::int64_t> date;  // the Date header, Unix seconds
    std::optional<std::string> body;   // the first text/plain part, UTF-8
};

/// A valid score of the month.
struct Entry {
    std::string nickname;
    int total = 0;
    std::int64_t date = 0;  // Unix seconds
    std::size_t order = 0;  // the mail's place in the run, for equal dates
};

/// What becomes of one mail.
struct Verdict {
    enum class Kind { Skipped, Refused, Accepted };
    Kind kind = Kind::Skipped;
    std::string reason;  // for Refused
    Entry entry;         // for Accepted
};

/// Judges a mail for the month: not a score mail (no "スコア" in the
/// subject) or of another month in Japan time: skipped; a score mail of
/// the month without a readable date, a code the game gives or a
/// nickname: refused.
[[nodiscard]] Verdict judgeMail(const Mail& mail, Month month);

struct RankedEntry {
    int rank = 0;
    Entry entry;
};

/// Each nickname's best score (an earlier date wins a tie, then the earlier
/// mail), highest total first; equal totals share a rank (1, 1, 3).
[[nodiscard]] std::vector<RankedEntry> rankEntries(std::vector<Entry> entries);

}  // namespace mironeka::ranking
