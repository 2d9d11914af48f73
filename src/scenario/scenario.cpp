#include "scenario/scenario.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <ostream>
#include <set>
#include <string_view>
#include <variant>
#include <vector>

#include "app/game.h"
#include "app/layouts.h"

namespace mironeka::scenario {

namespace {

using app::Action;
using app::Game;
using ui::FormId;

// --- Lines and words ---------------------------------------------------------

struct Word {
    std::string_view text;
    std::size_t offset;  // where it starts in the line
};

std::string_view trim(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return s;
}

// The lines of a script as editors write them, one at a time: a leading
// UTF-8 byte-order mark is skipped; lines end in LF, CRLF or CR.
class LineReader {
  public:
    explicit LineReader(std::string_view text) : rest_(text) {
        constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
        if (rest_.starts_with(kByteOrderMark)) rest_.remove_prefix(kByteOrderMark.size());
    }
    /// The next line and its number, or false at the end.
    bool next(std::string_view& line, std::size_t& number) {
        if (rest_.empty()) return false;
        const std::size_t end = std::min(rest_.find_first_of("\r\n"), rest_.size());
        line = rest_.substr(0, end);
        std::size_t skip = end;
        if (skip < rest_.size()) skip += rest_.compare(skip, 2, "\r\n") == 0 ? 2 : 1;
        rest_.remove_prefix(skip);
        number = ++number_;
        return true;
    }

  private:
    std::string_view rest_;
    std::size_t number_ = 0;
};

// A name from the script as an error message shows it: in quotes, at most a
// few dozen bytes (cut between characters), escaped.
std::string quoted(std::string_view name) {
    constexpr std::size_t kShown = 40;
    std::size_t shown = std::min(name.size(), kShown);
    // Never end inside a UTF-8 sequence: back up to its first byte.
    if (shown < name.size()) {
        while (shown > 0 && (static_cast<unsigned char>(name[shown]) & 0xC0) == 0x80) --shown;
    }
    return "'" + escaped(name.substr(0, shown)) + (shown < name.size() ? "...'" : "'");
}

std::vector<Word> splitWords(std::string_view line) {
    std::vector<Word> words;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
        const std::size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') ++i;
        if (i > start) words.push_back({line.substr(start, i - start), start});
    }
    return words;
}

// --- Commands ---------------------------------------------------------------

struct Wait {
    ui::Millis ms;
};
struct Act {
    Action action;
};
struct ExpectField {
    FormId form;
    std::string field;
    std::vector<std::string> values;
};
struct ExpectForms {
    bool visibleOnly;  // `visible`, else `exists`
    std::vector<FormId> forms;
};
struct ExpectMessage {
    std::string text;  // empty: no box open
};
struct ExpectEnded {
    bool ended;
};
struct Print {
    std::optional<FormId> form;
};

using Command =
    std::variant<Wait, Act, ExpectField, ExpectForms, ExpectMessage, ExpectEnded, Print>;

class ParseError {
  public:
    explicit ParseError(std::string message) : message_(std::move(message)) {}
    [[nodiscard]] const std::string& message() const { return message_; }

  private:
    std::string message_;
};

class Parser {
  public:
    Parser(std::string_view line, const Limits& limits)
        : line_(line), words_(splitWords(line)), limits_(limits) {}

    Command parse() {
        const auto verb = word(0, "a command");
        if (verb == "wait") return parseWait();
        if (verb == "click") return parseAction(Action::Kind::Click);
        if (verb == "move") return parseAction(Action::Kind::Move);
        if (verb == "type") return parseAction(Action::Kind::Type);
        if (verb == "close") return parseAction(Action::Kind::Close);
        if (verb == "ok") {
            expectCount(1);
            return Act{Action{Action::Kind::Ok}};
        }
        if (verb == "expect") return parseExpect();
        if (verb == "print") {
            if (words_.size() > 2) fail("print takes at most one screen");
            return Print{words_.size() == 2 ? std::optional(form(1)) : std::nullopt};
        }
        fail("unknown command " + quoted(verb));
    }

  private:
    [[noreturn]] static void fail(const std::string& message) { throw ParseError(message); }

    std::string_view word(std::size_t i, const char* what) const {
        if (i >= words_.size()) fail(std::string("missing ") + what);
        return words_[i].text;
    }
    void expectCount(std::size_t n) const {
        if (words_.size() != n) {
            fail("'" + std::string(words_[0].text) + "' takes " + std::to_string(n - 1) +
                 " argument(s), got " + std::to_string(words_.size() - 1));
        }
    }
    std::string restFrom(std::size_t i) const {
        if (i >= words_.size()) return {};
        return std::string(trim(line_.substr(words_[i].offset)));
    }
    FormId form(std::size_t i) const {
        const auto name = word(i, "screen name");
        auto f = ui::parseFormName(name);
        if (!f) fail("no screen named " + quoted(name));
        return *f;
    }
    ui::WidgetId widget(FormId f, std::size_t i) const {
        const auto name = word(i, "widget name");
        auto w = ui::parseWidgetName(name);
        if (!w || !Game::formHasWidget(f, *w)) {
            fail(ui::formName(f) + " has no widget named " + quoted(name));
        }
        return *w;
    }

    Command parseWait() const {
        expectCount(2);
        const auto text = words_[1].text;
        ui::Millis ms = 0;
        auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), ms);
        const bool digits = text.front() != '-' && end == text.data() + text.size();
        const bool tooLarge = ec == std::errc::result_out_of_range;
        if (!digits || (ec != std::errc{} && !tooLarge)) {
            fail("bad number of milliseconds " + quoted(text));
        }
        if (tooLarge || ms > limits_.longestWait) {
            fail("a wait of " + quoted(text) + " ms is longer than the longest wait, " +
                 std::to_string(limits_.longestWait) + " ms");
        }
        return Wait{ms};
    }

    Command parseAction(Action::Kind kind) const {
        Action a{kind, form(1)};
        switch (kind) {
            case Action::Kind::Click:
                expectCount(3);
                a.widget = widget(a.form, 2);
                break;
            case Action::Kind::Move:
                if (words_.size() > 3) fail("move takes a screen and at most one widget");
                if (words_.size() == 3) a.widget = widget(a.form, 2);
                break;
            case Action::Kind::Type:
                a.widget = widget(a.form, 2);
                a.text = restFrom(3);
                break;
            case Action::Kind::Close:
                expectCount(2);
                break;
            case Action::Kind::Ok:
                break;
        }
        return Act{a};
    }

    Command parseExpect() const {
        const auto what = word(1, "what to expect");
        if (what == "visible" || what == "exists") {
            ExpectForms e{what == "visible", {}};
            for (std::size_t i = 2; i < words_.size(); ++i) e.forms.push_back(form(i));
            return e;
        }
        if (what == "message") return ExpectMessage{restFrom(2)};
        if (what == "ended" || what == "running") {
            expectCount(2);
            return ExpectEnded{what == "ended"};
        }
        const FormId f = form(1);
        const auto fieldName = word(2, "field name");
        const ui::FieldSpec* shape = app::layoutOf(f).field(fieldName);
        if (shape == nullptr) {
            fail(ui::formName(f) + " has no field named " + quoted(fieldName));
        }
        ExpectField e{f, std::string(fieldName), {}};
        if (shape->freeText) {
            e.values.push_back(restFrom(3));
        } else {
            for (std::size_t i = 3; i < words_.size(); ++i) e.values.emplace_back(words_[i].text);
            if (e.values.size() != static_cast<std::size_t>(shape->count)) {
                fail(std::string(fieldName) + " takes " + std::to_string(shape->count) +
                     " value(s), got " + std::to_string(e.values.size()));
            }
        }
        return e;
    }

    std::string_view line_;
    std::vector<Word> words_;
    const Limits& limits_;
};

// --- Running -----------------------------------------------------------------

std::string joinValues(const std::vector<std::string>& values) {
    std::string out;
    for (const auto& v : values) {
        if (!out.empty()) out += ' ';
        out += v;
    }
    return out;
}

std::string formList(std::vector<FormId> forms) {
    std::sort(forms.begin(), forms.end());
    std::vector<std::string> names;
    for (auto f : forms) names.push_back(ui::formName(f));
    return names.empty() ? "(none)" : joinValues(names);
}

std::optional<std::vector<std::string>> fieldValues(const Game& game, FormId form,
                                                    const std::string& name) {
    const ui::Screen* s = game.screen(form);
    if (s == nullptr) return std::nullopt;
    for (auto& f : s->fields()) {
        if (f.name == name) return f.values;
    }
    return std::nullopt;
}

void printScreen(const ui::Screen& s, std::ostream& out) {
    for (const auto& f : s.fields()) {
        out << ui::formName(s.form()) << ' ' << f.name << ' ' << escaped(joinValues(f.values))
            << '\n';
    }
    if (s.fields().empty()) {
        out << ui::formName(s.form()) << (s.visible() ? " (visible)" : " (hidden)") << '\n';
    }
}

// Runs one check; empty when it holds, else what was seen instead.
std::optional<std::pair<std::string, std::string>> check(const Game& game, const Command& c) {
    using Mismatch = std::pair<std::string, std::string>;  // expected, actual
    if (const auto* e = std::get_if<ExpectField>(&c)) {
        const auto expected = joinValues(e->values);
        const auto actual = fieldValues(game, e->form, e->field);
        if (!actual) return Mismatch{expected, ui::formName(e->form) + " does not exist"};
        if (*actual != e->values) return Mismatch{expected, joinValues(*actual)};
        return std::nullopt;
    }
    if (const auto* e = std::get_if<ExpectForms>(&c)) {
        std::vector<FormId> actual;
        for (int i = 1; i <= ui::kFormCount; ++i) {
            const auto f = static_cast<FormId>(i);
            const auto* s = game.screen(f);
            if (s != nullptr && (!e->visibleOnly || s->visible())) actual.push_back(f);
        }
        const std::set<FormId> want(e->forms.begin(), e->forms.end());
        if (std::set<FormId>(actual.begin(), actual.end()) != want) {
            return Mismatch{formList(e->forms), formList(actual)};
        }
        return std::nullopt;
    }
    if (const auto* e = std::get_if<ExpectMessage>(&c)) {
        const auto& open = game.message();
        const std::string actual = open ? *open : std::string();
        if (e->text.empty() ? open.has_value() : (!open || *open != e->text)) {
            return Mismatch{e->text.empty() ? "no message box" : e->text,
                            open ? actual : "no message box"};
        }
        return std::nullopt;
    }
    if (const auto* e = std::get_if<ExpectEnded>(&c)) {
        if (game.ended() != e->ended) {
            return Mismatch{e->ended ? "ended" : "running", game.ended() ? "ended" : "running"};
        }
    }
    return std::nullopt;
}

}  // namespace

std::string escaped(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char c = byte(i);
        // The length of a well-formed UTF-8 sequence starting here, or 0.
        std::size_t length = c < 0x80                 ? 1
                             : c >= 0xC2 && c <= 0xDF ? 2
                             : c >= 0xE0 && c <= 0xEF ? 3
                             : c >= 0xF0 && c <= 0xF4 ? 4
                                                      : 0;
        for (std::size_t k = 1; k < length; ++k) {
            if (i + k >= text.size() || (byte(i + k) & 0xC0) != 0x80) length = 0;
        }
        if (length == 0 || c < 0x20 || c == 0x7F) {
            constexpr std::string_view kHex = "0123456789ABCDEF";
            out += "\\x";
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
            ++i;
        } else {
            out.append(text, i, length);
            i += length;
        }
    }
    return out;
}

Outcome runScript(const std::string& fileName, const std::string& text, std::ostream& out,
                  const Limits& limits) {
    // Two passes over the text, neither keeping anything per line: the first
    // reports every malformed line (the first few of them), the second runs.
    const std::string name = escaped(fileName);
    std::size_t errors = 0;
    const auto error = [&](std::size_t number, const std::string& message) {
        if (++errors <= limits.errorLines) {
            out << name << ':' << number << ": error: " << message << '\n';
        }
    };
    // Every wait must fit on the clock together with the ones before it.
    const ui::Millis clockEnd = std::min(limits.clockEnd, ui::EventLoop::kClockEnd);
    ui::Millis waited = 0;
    std::string_view source;
    std::size_t number = 0;
    for (LineReader reader(text); reader.next(source, number);) {
        if (source.size() > limits.longestLine) {
            error(number, "the line is over " + std::to_string(limits.longestLine / 1024) + " KiB");
            continue;
        }
        const auto body = trim(source);
        if (body.empty() || body.front() == '#') continue;
        try {
            const auto command = Parser(source, limits).parse();
            if (const auto* w = std::get_if<Wait>(&command)) {
                if (w->ms > clockEnd - waited) {
                    throw ParseError("the waits add up past the end of the clock, " +
                                     std::to_string(clockEnd) + " ms");
                }
                waited += w->ms;
            }
        } catch (const ParseError& e) {
            error(number, e.message());
        }
    }
    if (errors > limits.errorLines) {
        out << name << ": " << errors - limits.errorLines << " more error(s) not shown\n";
    }
    if (errors > 0) return Outcome::Failed;

    Game game;
    for (LineReader reader(text); reader.next(source, number);) {
        const auto body = trim(source);
        if (body.empty() || body.front() == '#') continue;
        const Command c = Parser(source, limits).parse();  // the first pass took it
        if (const auto* w = std::get_if<Wait>(&c)) {
            if (!game.advanceBy(w->ms)) {
                out << name << ':' << number << ": error: the clock cannot go that far\n";
                return Outcome::Failed;
            }
        } else if (const auto* a = std::get_if<Act>(&c)) {
            game.act(a->action);
        } else if (const auto* p = std::get_if<Print>(&c)) {
            for (int i = 1; i <= ui::kFormCount; ++i) {
                const auto f = static_cast<FormId>(i);
                if (p->form && *p->form != f) continue;
                if (const auto* s = game.screen(f)) printScreen(*s, out);
            }
        } else if (auto mismatch = check(game, c)) {
            out << name << ':' << number << ": check failed: " << escaped(body) << '\n'
                << "  expected: " << escaped(mismatch->first) << '\n'
                << "  actual:   " << escaped(mismatch->second) << '\n';
            return Outcome::Failed;
        }
    }
    return Outcome::Passed;
}

}  // namespace mironeka::scenario
