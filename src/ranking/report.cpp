#include "ranking/report.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace mironeka::ranking {
namespace {

// A JSON string. Besides what JSON requires, <, >, &, U+2028 and U+2029 are
// escaped, so the text can also sit inside a page's script.
std::string jsonString(std::string_view s) {
    std::string out = "\"";
    for (std::size_t i = 0; i < s.size(); ++i) {
        const auto c = static_cast<unsigned char>(s[i]);
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20 || c == 0x7F || c == '<' || c == '>' || c == '&') {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                    out += escaped;
                } else if (c == 0xE2 && i + 2 < s.size() && s[i + 1] == '\x80' &&
                           (s[i + 2] == '\xA8' || s[i + 2] == '\xA9')) {
                    out += s[i + 2] == '\xA8' ? "\\u2028" : "\\u2029";
                    i += 2;
                } else {
                    out += static_cast<char>(c);
                }
        }
    }
    return out + "\"";
}

std::string html(std::string_view s) {
    std::string out;
    for (char c : s) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&#39;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string japaneseMonth(Month m) {
    return std::to_string(m.year) + "年" + std::to_string(m.month) + "月";
}

// The game's classic desktop look: grey faces, a navy title bar with white
// bold text, black text on white boxes, light and dark bevels.
constexpr std::string_view kStyle = R"(html { background: rgb(212, 208, 200); }
body {
  margin: 0; padding: 16px; color: rgb(0, 0, 0);
  font: 12px "ＭＳ Ｐゴシック", "MS PGothic", Monapo, IPAPGothic, sans-serif;
}
main {
  max-width: 560px; margin: 0 auto; background: rgb(212, 208, 200);
  border: 2px solid; border-color: rgb(255, 255, 255) rgb(64, 64, 64) rgb(64, 64, 64) rgb(255, 255, 255);
}
h1 {
  margin: 0; padding: 3px 6px; background: rgb(10, 36, 106); color: rgb(255, 255, 255);
  font-size: 12px; font-weight: bold;
}
.content { padding: 12px; }
p { margin: 0 0 10px; }
table {
  width: 100%; border-collapse: collapse; background: rgb(255, 255, 255);
  border: 2px solid; border-color: rgb(128, 128, 128) rgb(255, 255, 255) rgb(255, 255, 255) rgb(128, 128, 128);
}
th, td { padding: 3px 6px; border: 1px solid rgb(212, 208, 200); text-align: left; }
th { background: rgb(212, 208, 200); font-weight: normal; }
.number { text-align: right; }
)";

}  // namespace

std::string rankingJson(const Ranking& ranking) {
    std::string out = "{\n  \"month\": " + jsonString(monthText(ranking.month)) + ",\n";
    out += "  \"entries\": [";
    for (std::size_t i = 0; i < ranking.entries.size(); ++i) {
        const RankedEntry& r = ranking.entries[i];
        out += i == 0 ? "\n" : ",\n";
        out += "    {\"rank\": " + std::to_string(r.rank) +
               ", \"nickname\": " + jsonString(r.entry.nickname) +
               ", \"code\": " + jsonString(scoreCodeText(r.entry.total)) +
               ", \"points\": " + std::to_string(r.entry.total) +
               ", \"date\": " + jsonString(japanTimeIso(r.entry.date)) + "}";
    }
    out += ranking.entries.empty() ? "],\n" : "\n  ],\n";
    out += "  \"refused\": " + std::to_string(ranking.refused) + "\n}\n";
    return out;
}

std::string rankingPage(const Ranking& ranking) {
    const std::string month = japaneseMonth(ranking.month);
    std::string out = "<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n";
    out += "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n";
    out += "<title>ミロネカ 月間ランキング " + month + "</title>\n";
    out += "<style>\n" + std::string(kStyle) + "</style>\n</head>\n<body>\n<main>\n";
    out += "<h1>VELMORAKI　ミロネカ　月間ランキング</h1>\n<div class=\"content\">\n";
    if (ranking.entries.empty()) {
        out += "<p>" + month + "のランキングには、まだ登録がありません。</p>\n";
    } else {
        out += "<p>" + month + "のランキングです。" + std::to_string(ranking.entries.size()) +
               "人が参加しました。</p>\n";
        out +=
            "<table>\n<thead><tr><th scope=\"col\" class=\"number\">順位</th><th "
            "scope=\"col\">ニックネーム</th>"
            "<th scope=\"col\" class=\"number\">ポイント</th>"
            "<th scope=\"col\" class=\"number\">スコアコード</th></tr></thead>\n"
            "<tbody>\n";
        for (const RankedEntry& r : ranking.entries) {
            // <bdi>: a right-to-left name can't turn its neighbours around.
            out += "<tr><td class=\"number\">" + std::to_string(r.rank) + "</td><td><bdi>" +
                   html(r.entry.nickname) + "</bdi></td><td class=\"number\">" +
                   std::to_string(r.entry.total) + "</td><td class=\"number\">" +
                   html(scoreCodeText(r.entry.total)) + "</td></tr>\n";
        }
        out += "</tbody>\n</table>\n";
    }
    out += "</div>\n</main>\n</body>\n</html>\n";
    return out;
}

std::optional<std::string> writeFileAtomically(const std::filesystem::path& file,
                                               std::string_view contents) {
    const std::string name = file.string();
    std::string temporary =
        (file.parent_path() / ("." + file.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) return name + ": cannot write the file: " + std::strerror(errno);
    auto fail = [&](int error) {
        ::close(fd);
        ::unlink(temporary.c_str());
        return name + ": cannot write the file: " + std::strerror(error);
    };
    // Published files: readable by the web server.
    if (::fchmod(fd, 0644) != 0) return fail(errno);
    for (std::size_t done = 0; done < contents.size();) {
        const ssize_t n = ::write(fd, contents.data() + done, contents.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return fail(errno);
        done += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0) return fail(errno);
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return name + ": cannot write the file: " + std::strerror(error);
    }
    if (::rename(temporary.c_str(), name.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return name + ": cannot write the file: " + std::strerror(error);
    }
    return std::nullopt;
}

}  // namespace mironeka::ranking
