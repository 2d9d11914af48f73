#include "ranking/score.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <map>

#include "app/screens.h"
#include "ui/number_text.h"

namespace mironeka::ranking {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// One code point of UTF-8 at `pos`; a byte that doesn't start a valid
// sequence is U+FFFD and one byte long.
char32_t decodeAt(std::string_view s, std::size_t pos, std::size_t& length) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[pos + i]); };
    const unsigned char b0 = byte(0);
    length = 1;
    if (b0 < 0x80) return b0;
    std::size_t n = 0;
    char32_t cp = 0;
    char32_t min = 0;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        n = 2, cp = b0 & 0x1Fu, min = 0x80;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        n = 3, cp = b0 & 0x0Fu, min = 0x800;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        n = 4, cp = b0 & 0x07u, min = 0x10000;
    } else {
        return kReplacement;
    }
    if (pos + n > s.size()) return kReplacement;
    for (std::size_t i = 1; i < n; ++i) {
        if ((byte(i) & 0xC0u) != 0x80) return kReplacement;
        cp = (cp << 6) | (byte(i) & 0x3Fu);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return kReplacement;
    length = n;
    return cp;
}

std::u32string decode(std::string_view s) {
    std::u32string out;
    out.reserve(s.size());
    for (std::size_t pos = 0, length = 0; pos < s.size(); pos += length) {
        out.push_back(decodeAt(s, pos, length));
    }
    return out;
}

void append(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// A digit, ASCII or full-width, as its value; -1 for anything else.
int digitValue(char32_t c) {
    if (c >= U'0' && c <= U'9') return static_cast<int>(c - U'0');
    if (c >= U'０' && c <= U'９') return static_cast<int>(c - U'０');
    return -1;
}
bool isMinus(char32_t c) { return c == U'-' || c == U'－' || c == U'−'; }
bool isPoint(char32_t c) { return c == U'.' || c == U'．'; }
bool isColon(char32_t c) { return c == U':' || c == U'：'; }
bool isSpace(char32_t c) {
    return c == U' ' || c == U'\t' || c == U'\r' || c == U'\v' || c == U'\f' || c == U'　';
}
bool isControl(char32_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

// The first number of a line: an optional minus sign right before the
// first digit, the digits, and a fraction after a decimal point. In ASCII.
std::string firstNumber(const std::u32string& line) {
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (digitValue(line[i]) < 0) continue;
        std::string number;
        if (i > 0 && isMinus(line[i - 1])) number += '-';
        std::size_t j = i;
        while (j < line.size() && digitValue(line[j]) >= 0) {
            number += static_cast<char>('0' + digitValue(line[j++]));
        }
        if (j + 1 < line.size() && isPoint(line[j]) && digitValue(line[j + 1]) >= 0) {
            number += '.';
            for (++j; j < line.size() && digitValue(line[j]) >= 0; ++j) {
                number += static_cast<char>('0' + digitValue(line[j]));
            }
        }
        return number;
    }
    return {};
}

// Control characters dropped, spaces (ASCII and full-width) trimmed, cut
// to the longest nickname, trimmed again.
std::string cleanNickname(std::u32string_view text) {
    std::u32string kept;
    for (char32_t c : text) {
        if (!isControl(c) || c == U'\t') kept.push_back(c == U'\t' ? U' ' : c);
    }
    auto trim = [](std::u32string& s) {
        while (!s.empty() && isSpace(s.back())) s.pop_back();
        std::size_t start = 0;
        while (start < s.size() && isSpace(s[start])) ++start;
        s.erase(0, start);
    };
    trim(kept);
    if (kept.size() > kMaxNicknameChars) {
        kept.resize(kMaxNicknameChars);
        trim(kept);
    }
    std::string out;
    for (char32_t c : kept) append(out, c);
    return out;
}

// Where the nickname starts on a "ニックネーム：..." line, if it is one.
std::optional<std::size_t> nicknameStart(const std::u32string& line) {
    static const std::u32string kLabel = U"ニックネーム";
    const std::size_t at = line.find(kLabel);
    if (at == std::u32string::npos) return std::nullopt;
    std::size_t i = at + kLabel.size();
    while (i < line.size() && isSpace(line[i])) ++i;
    if (i < line.size() && isColon(line[i])) return i + 1;
    return std::nullopt;
}

bool isLabel(const std::u32string& line) {
    std::size_t end = line.size();
    while (end > 0 && isSpace(line[end - 1])) --end;
    return end > 0 && isColon(line[end - 1]);
}

using Days = std::chrono::sys_days;

}  // namespace

std::optional<Month> parseMonth(std::string_view text) {
    if (text.size() != 7 || text[4] != '-') return std::nullopt;
    int year = 0;
    int month = 0;
    const auto digits = [](std::string_view s) {
        return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (!digits(text.substr(0, 4)) || !digits(text.substr(5, 2))) return std::nullopt;
    std::from_chars(text.data(), text.data() + 4, year);
    std::from_chars(text.data() + 5, text.data() + 7, month);
    if (year < 1000 || month < 1 || month > 12) return std::nullopt;
    return Month{year, month};
}

std::string monthText(Month m) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d", m.year, m.month);
    return text;
}

Month japanMonth(std::int64_t unixSeconds) {
    using namespace std::chrono;
    const sys_seconds t{seconds{unixSeconds + kJapanOffsetSeconds}};
    const year_month_day ymd{floor<days>(t)};
    return Month{static_cast<int>(ymd.year()), static_cast<int>(unsigned{ymd.month()})};
}

std::string japanTimeIso(std::int64_t unixSeconds) {
    using namespace std::chrono;
    const sys_seconds t{seconds{unixSeconds + kJapanOffsetSeconds}};
    const auto day = floor<days>(t);
    const year_month_day ymd{day};
    const hh_mm_ss hms{t - day};
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02d+09:00",
                  static_cast<int>(ymd.year()), unsigned{ymd.month()}, unsigned{ymd.day()},
                  static_cast<int>(hms.hours().count()), static_cast<int>(hms.minutes().count()),
                  static_cast<int>(hms.seconds().count()));
    return text;
}

std::string scoreCodeText(int total) {
    // As the score-code screen computes it.
    return ui::numberText(total * app::ScoreCodeScreen::kScoreCodeFactor / 2);
}

std::optional<int> totalOfCode(double code) {
    constexpr double kFactor = app::ScoreCodeScreen::kScoreCodeFactor;
    // Far outside the codes of the bounds, and llround's range.
    constexpr double kLimit = (kHighestTotal - kLowestTotal + 1) * kFactor * 4;
    if (!std::isfinite(code) || std::fabs(code) > kLimit) return std::nullopt;
    const long long total = std::llround(code * 2 / kFactor);
    if (total < kLowestTotal || total > kHighestTotal) return std::nullopt;
    const std::string text = scoreCodeText(static_cast<int>(total));
    double game = 0;
    std::from_chars(text.data(), text.data() + text.size(), game);
    if (game != code) return std::nullopt;
    return static_cast<int>(total);
}

BodyFields readBody(std::string_view body) {
    // Line by line, one decoded line at a time: a body of a million empty
    // lines costs no more than one of a few.
    const auto forEachLine = [&](auto&& visit) {
        std::u32string line;
        std::size_t index = 0;
        for (std::size_t start = 0; start <= body.size(); ++index) {
            // Lines end in LF, CRLF (an empty line more: harmless) or CR.
            std::size_t end = body.find_first_of("\r\n", start);
            if (end == std::string_view::npos) end = body.size();
            line = decode(body.substr(start, end - start));
            if (!visit(index, line)) return;
            start = end + 1;
        }
    };

    BodyFields fields;
    std::optional<std::size_t> nicknameLine;
    forEachLine([&](std::size_t i, const std::u32string& line) {
        const auto start = nicknameStart(line);
        if (!start) return true;
        nicknameLine = i;
        fields.nickname = cleanNickname(std::u32string_view(line).substr(*start));
        return false;
    });
    std::optional<std::size_t> codeLine;
    forEachLine([&](std::size_t i, const std::u32string& line) {
        if (i == nicknameLine) return true;
        fields.code = firstNumber(line);
        if (fields.code.empty()) return true;
        codeLine = i;
        return false;
    });
    if (!nicknameLine) {
        forEachLine([&](std::size_t i, const std::u32string& line) {
            if (i == codeLine || isLabel(line)) return true;
            fields.nickname = cleanNickname(line);
            return fields.nickname.empty();
        });
    }
    return fields;
}

Verdict judgeMail(const Mail& mail, Month month) {
    Verdict v;
    if (mail.subject.find("スコア") == std::string::npos) return v;  // not a score mail
    auto refuse = [&](std::string reason) {
        v.kind = Verdict::Kind::Refused;
        v.reason = std::move(reason);
        return v;
    };
    if (!mail.date) return refuse("no readable Date");
    if (japanMonth(*mail.date) != month) return v;  // another month
    if (!mail.body) return refuse("no text/plain part");
    BodyFields fields = readBody(*mail.body);
    if (fields.code.empty()) return refuse("no score code in the body");
    double code = 0;
    const std::from_chars_result parsed =
        std::from_chars(fields.code.data(), fields.code.data() + fields.code.size(), code);
    const std::optional<int> total =
        parsed.ec == std::errc{} ? totalOfCode(code) : std::optional<int>{};
    if (!total) {
        std::string shown =
            fields.code.size() > 40 ? fields.code.substr(0, 40) + "..." : fields.code;
        return refuse("the code " + shown + " is not one the game gives");
    }
    if (fields.nickname.empty()) return refuse("no nickname");
    v.kind = Verdict::Kind::Accepted;
    v.entry = Entry{std::move(fields.nickname), *total, *mail.date, 0};
    return v;
}

std::vector<RankedEntry> rankEntries(std::vector<Entry> entries) {
    // Better: a higher total, then an earlier date, then an earlier mail.
    const auto better = [](const Entry& a, const Entry& b) {
        if (a.total != b.total) return a.total > b.total;
        if (a.date != b.date) return a.date < b.date;
        return a.order < b.order;
    };
    std::map<std::string, Entry> best;
    for (Entry& e : entries) {
        auto [it, inserted] = best.try_emplace(e.nickname, e);
        if (!inserted && better(e, it->second)) it->second = std::move(e);
    }
    std::vector<RankedEntry> ranked;
    ranked.reserve(best.size());
    for (auto& [name, e] : best) ranked.push_back(RankedEntry{0, std::move(e)});
    std::sort(ranked.begin(), ranked.end(),
              [&](const RankedEntry& a, const RankedEntry& b) { return better(a.entry, b.entry); });
    for (std::size_t i = 0; i < ranked.size(); ++i) {
        const bool tie = i > 0 && ranked[i].entry.total == ranked[i - 1].entry.total;
        ranked[i].rank = tie ? ranked[i - 1].rank : static_cast<int>(i) + 1;
    }
    return ranked;
}

}  // namespace mironeka::ranking
