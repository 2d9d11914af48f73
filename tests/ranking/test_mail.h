#pragma once

// Helpers of the ranking tests: mails made as mailers make them (charsets
// through iconv, base64, quoted-printable, encoded words), mailboxes of
// both kinds, the tool run as a process, and a strict reader of its JSON.

#include <fcntl.h>
#include <glib.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

extern char** environ;

namespace mironeka::ranking::test {

namespace fs = std::filesystem;

/// UTF-8 text in another charset, by iconv.
inline std::string encodeAs(const std::string& utf8, const char* charset) {
    gsize written = 0;
    GError* error = nullptr;
    char* bytes = g_convert(utf8.data(), static_cast<gssize>(utf8.size()), charset, "UTF-8",
                            nullptr, &written, &error);
    if (error != nullptr) {
        ADD_FAILURE() << "iconv to " << charset << ": " << error->message;
        g_error_free(error);
        return {};
    }
    std::string out(bytes, written);
    g_free(bytes);
    return out;
}

inline std::string base64(const std::string& bytes) {
    char* text = g_base64_encode(reinterpret_cast<const guchar*>(bytes.data()), bytes.size());
    std::string out(text);
    g_free(text);
    // Lines of 76 characters, as mailers write it.
    std::string lines;
    for (std::size_t i = 0; i < out.size(); i += 76) lines += out.substr(i, 76) + "\n";
    return lines;
}

inline std::string quotedPrintable(const std::string& bytes) {
    std::string out;
    std::size_t column = 0;
    for (unsigned char c : bytes) {
        std::string piece;
        if (c == '\n') {
            out += '\n';
            column = 0;
            continue;
        }
        if (c == '=' || c >= 0x7F || c < 0x20) {
            char hex[4];
            std::snprintf(hex, sizeof hex, "=%02X", c);
            piece = hex;
        } else {
            piece = std::string(1, static_cast<char>(c));
        }
        if (column + piece.size() > 75) {
            out += "=\n";
            column = 0;
        }
        out += piece;
        column += piece.size();
    }
    return out;
}

/// An encoded word of `utf8` in `charset`, base64 ('B') or Q ('Q').
inline std::string encodedWord(const std::string& utf8, const char* charset, char kind) {
    const std::string bytes = encodeAs(utf8, charset);
    std::string text;
    if (kind == 'B') {
        char* b = g_base64_encode(reinterpret_cast<const guchar*>(bytes.data()), bytes.size());
        text = b;
        g_free(b);
    } else {
        for (unsigned char c : bytes) {
            if (g_ascii_isalnum(c)) {
                text += static_cast<char>(c);
            } else {
                char hex[4];
                std::snprintf(hex, sizeof hex, "=%02X", c);
                text += hex;
            }
        }
    }
    return "=?" + std::string(charset) + "?" + kind + "?" + text + "?=";
}

/// A mail's bytes: the headers as given (subject as sent, Date unless
/// empty), then `rest`: more headers, an empty line and the body.
inline std::string mail(const std::string& subject, const std::string& date,
                        const std::string& rest) {
    std::string out = "From: player@example.org\nTo: score@velmoraki.example\n";
    out += "Subject: " + subject + "\n";
    if (!date.empty()) out += "Date: " + date + "\n";
    out += "MIME-Version: 1.0\n" + rest;
    return out;
}

/// A text/plain mail in UTF-8, 8bit.
inline std::string plainMail(const std::string& subject, const std::string& date,
                             const std::string& body) {
    return mail(
        subject, date,
        "Content-Type: text/plain; charset=UTF-8\nContent-Transfer-Encoding: 8bit\n\n" + body);
}

inline std::string mboxOf(const std::vector<std::string>& mails) {
    std::string out;
    for (const std::string& m : mails) {
        out += "From player@example.org Tue Dec  1 10:00:00 2026\n" + m;
        if (out.back() != '\n') out += '\n';
        out += '\n';
    }
    return out;
}

inline void writeFile(const fs::path& file, const std::string& bytes) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
}

/// A Maildir with the mails in new/, named so that they sort in order.
inline void writeMaildir(const fs::path& dir, const std::vector<std::string>& mails) {
    fs::create_directories(dir / "cur");
    fs::create_directories(dir / "tmp");
    for (std::size_t i = 0; i < mails.size(); ++i) {
        writeFile(dir / "new" / ("17960000" + std::to_string(100 + i) + ".M1P1.host"), mails[i]);
    }
}

inline std::string readFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

/// A temporary folder, removed at the end of the test.
class TempDir {
  public:
    TempDir() {
        std::string pattern = (fs::temp_directory_path() / "mironeka-ranking-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~TempDir() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    [[nodiscard]] const fs::path& path() const { return path_; }

  private:
    fs::path path_;
};

struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
};

/// Runs the built mironeka-ranking with `args`.
inline ToolRun runTool(const std::vector<std::string>& args, const fs::path& scratch) {
    const fs::path outFile = scratch / "tool.stdout";
    const fs::path errFile = scratch / "tool.stderr";
    std::vector<std::string> all{MIRONEKA_RANKING_TOOL};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    pid_t pid = 0;
    ToolRun run;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        waitpid(pid, &status, 0);
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    posix_spawn_file_actions_destroy(&actions);
    run.out = readFile(outFile);
    run.err = readFile(errFile);
    return run;
}

// A strict JSON reader, enough for ranking.json: anything malformed (a
// raw control character in a string, a bad escape, trailing text) fails.
struct Json {
    std::variant<std::nullptr_t, bool, double, std::string, std::vector<Json>,
                 std::map<std::string, Json>>
        value;
    [[nodiscard]] const Json& operator[](const std::string& key) const {
        return std::get<std::map<std::string, Json>>(value).at(key);
    }
    [[nodiscard]] const std::vector<Json>& array() const {
        return std::get<std::vector<Json>>(value);
    }
    [[nodiscard]] const std::string& str() const { return std::get<std::string>(value); }
    [[nodiscard]] double num() const { return std::get<double>(value); }
};

class JsonReader {
  public:
    explicit JsonReader(std::string_view text) : s_(text) {}

    std::optional<Json> read() {
        std::optional<Json> v = value();
        space();
        if (!v || i_ != s_.size()) return std::nullopt;
        return v;
    }

  private:
    void space() {
        while (i_ < s_.size() &&
               (s_[i_] == ' ' || s_[i_] == '\n' || s_[i_] == '\t' || s_[i_] == '\r')) {
            ++i_;
        }
    }
    bool eat(char c) {
        space();
        if (i_ < s_.size() && s_[i_] == c) {
            ++i_;
            return true;
        }
        return false;
    }
    std::optional<Json> value() {
        space();
        if (i_ >= s_.size()) return std::nullopt;
        const char c = s_[i_];
        if (c == '{') return object();
        if (c == '[') return array();
        if (c == '"') {
            auto text = string();
            if (!text) return std::nullopt;
            return Json{*text};
        }
        if (c == '-' || (c >= '0' && c <= '9')) return number();
        for (const auto& [word, v] : {std::pair<std::string_view, Json>{"true", Json{true}},
                                      {"false", Json{false}},
                                      {"null", Json{nullptr}}}) {
            if (s_.substr(i_, word.size()) == word) {
                i_ += word.size();
                return v;
            }
        }
        return std::nullopt;
    }
    std::optional<Json> object() {
        ++i_;
        std::map<std::string, Json> members;
        if (eat('}')) return Json{members};
        do {
            space();
            auto key = string();
            if (!key || !eat(':')) return std::nullopt;
            auto v = value();
            if (!v) return std::nullopt;
            members.emplace(*key, *v);
        } while (eat(','));
        if (!eat('}')) return std::nullopt;
        return Json{members};
    }
    std::optional<Json> array() {
        ++i_;
        std::vector<Json> items;
        if (eat(']')) return Json{items};
        do {
            auto v = value();
            if (!v) return std::nullopt;
            items.push_back(*v);
        } while (eat(','));
        if (!eat(']')) return std::nullopt;
        return Json{items};
    }
    std::optional<Json> number() {
        const std::size_t start = i_;
        if (s_[i_] == '-') ++i_;
        while (i_ < s_.size() && ((s_[i_] >= '0' && s_[i_] <= '9') || s_[i_] == '.')) ++i_;
        return Json{std::stod(std::string(s_.substr(start, i_ - start)))};
    }
    std::optional<unsigned> hex4() {
        if (i_ + 4 > s_.size()) return std::nullopt;
        unsigned v = 0;
        for (int k = 0; k < 4; ++k) {
            const int d = g_ascii_xdigit_value(s_[i_++]);
            if (d < 0) return std::nullopt;
            v = v * 16 + static_cast<unsigned>(d);
        }
        return v;
    }
    std::optional<std::string> string() {
        if (i_ >= s_.size() || s_[i_] != '"') return std::nullopt;
        ++i_;
        std::string out;
        while (i_ < s_.size()) {
            const char c = s_[i_++];
            if (c == '"') return out;
            if (static_cast<unsigned char>(c) < 0x20) return std::nullopt;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (i_ >= s_.size()) return std::nullopt;
            const char e = s_[i_++];
            static const std::map<char, char> simple{{'"', '"'},  {'\\', '\\'}, {'/', '/'},
                                                     {'b', '\b'}, {'f', '\f'},  {'n', '\n'},
                                                     {'r', '\r'}, {'t', '\t'}};
            if (auto it = simple.find(e); it != simple.end()) {
                out += it->second;
            } else if (e == 'u') {
                auto cp = hex4();
                if (!cp) return std::nullopt;
                if (*cp >= 0xD800 && *cp < 0xDC00) {
                    if (s_.substr(i_, 2) != "\\u") return std::nullopt;
                    i_ += 2;
                    auto low = hex4();
                    if (!low || *low < 0xDC00 || *low > 0xDFFF) return std::nullopt;
                    *cp = 0x10000 + ((*cp - 0xD800) << 10) + (*low - 0xDC00);
                }
                char utf8[8];
                out.append(utf8, static_cast<std::size_t>(g_unichar_to_utf8(*cp, utf8)));
            } else {
                return std::nullopt;
            }
        }
        return std::nullopt;
    }

    std::string_view s_;
    std::size_t i_ = 0;
};

/// One line of the ranking, as ranking.json has it.
struct Row {
    int rank;
    std::string nickname;
    std::string code;
    int points;
    std::string date;
    friend bool operator==(const Row&, const Row&) = default;
    friend std::ostream& operator<<(std::ostream& o, const Row& r) {
        return o << "{" << r.rank << ", \"" << r.nickname << "\", " << r.code << ", " << r.points
                 << ", " << r.date << "}";
    }
};

struct RankingFile {
    std::string month;
    std::vector<Row> rows;
    int refused = -1;
};

/// ranking.json of `dir`, read strictly; a test failure if it isn't JSON.
inline RankingFile readRanking(const fs::path& dir) {
    RankingFile file;
    const std::string text = readFile(dir / "ranking.json");
    const std::optional<Json> json = JsonReader(text).read();
    if (!json) {
        ADD_FAILURE() << "ranking.json is not JSON:\n" << text;
        return file;
    }
    file.month = (*json)["month"].str();
    file.refused = static_cast<int>((*json)["refused"].num());
    for (const Json& e : (*json)["entries"].array()) {
        file.rows.push_back(Row{static_cast<int>(e["rank"].num()), e["nickname"].str(),
                                e["code"].str(), static_cast<int>(e["points"].num()),
                                e["date"].str()});
    }
    return file;
}

}  // namespace mironeka::ranking::test
