#pragma once

// The byte code of the action fuzzer: how a run of bytes reads as the
// player's actions and the clock's waits, and how a script is written in it
// (the seed converter). Both directions live here so they cannot drift apart.
//
// Every step starts with an opcode byte (taken modulo the number of ops):
//   WaitShort ms:u8 | WaitLong ms:u16be | NextDeadline
//   Click form widget | Move form widget-or-none | Type form widget len:u8 bytes
//   Close form | Ok
// form: 1 + byte mod 11. widget: a kind byte (mod 7; 6 = none) and a number
// byte: 0..63 for bytes below 248, then a few out-of-range numbers.

#include <climits>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "app/game.h"

namespace mironeka::fuzz {

enum class Op : std::uint8_t {
    WaitShort,
    WaitLong,
    NextDeadline,
    Click,
    Move,
    Type,
    Close,
    Ok,
};
inline constexpr int kOpCount = 8;

inline constexpr int kKindCount = 6;  // ui::WidgetKind, in its order
inline constexpr std::uint8_t kNoWidget = kKindCount;
inline constexpr int kPlainNumbers = 248;  // number bytes below this are n mod 64
inline constexpr int kOddNumbers[] = {-1, INT_MIN, INT_MAX, 64, 100, 1000, -64, 65536};

/// One decoded step: a wait (ms, or "to the next deadline") or an action.
struct Step {
    Op op = Op::Ok;
    int ms = 0;
    app::Action action;
};

/// Reads steps from the front of a byte string; missing bytes read as 0.
class StepReader {
  public:
    StepReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    [[nodiscard]] bool done() const { return pos_ >= size_; }

    Step next() {
        Step s;
        s.op = static_cast<Op>(byte() % kOpCount);
        switch (s.op) {
            case Op::WaitShort:
                s.ms = byte();
                break;
            case Op::WaitLong:
                s.ms = byte() << 8;
                s.ms |= byte();
                break;
            case Op::NextDeadline:
                break;
            case Op::Click:
            case Op::Move:
            case Op::Type:
                s.action.form = form();
                s.action.widget = widget();
                if (s.op == Op::Type) {
                    const int length = byte() % 64;
                    for (int i = 0; i < length && !done(); ++i) {
                        s.action.text.push_back(static_cast<char>(byte()));
                    }
                }
                break;
            case Op::Close:
                s.action.form = form();
                break;
            case Op::Ok:
                break;
        }
        s.action.kind = actionKind(s.op);
        return s;
    }

  private:
    int byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    ui::FormId form() { return static_cast<ui::FormId>(1 + byte() % ui::kFormCount); }
    std::optional<ui::WidgetId> widget() {
        const int kind = byte() % (kKindCount + 1);
        const int n = byte();
        if (kind == kNoWidget) return std::nullopt;
        const int number = n < kPlainNumbers ? n % 64 : kOddNumbers[n - kPlainNumbers];
        return ui::WidgetId{static_cast<ui::WidgetKind>(kind), number};
    }
    static app::Action::Kind actionKind(Op op) {
        switch (op) {
            case Op::Move:
                return app::Action::Kind::Move;
            case Op::Type:
                return app::Action::Kind::Type;
            case Op::Close:
                return app::Action::Kind::Close;
            case Op::Ok:
                return app::Action::Kind::Ok;
            default:
                return app::Action::Kind::Click;
        }
    }

    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

/// Writes steps in the same code (for seeds).
class StepWriter {
  public:
    void wait(long long ms) {
        for (; ms > 0xffff; ms -= 0xffff) put(Op::WaitLong, {0xff, 0xff});
        if (ms <= 0xff) {
            put(Op::WaitShort, {static_cast<std::uint8_t>(ms)});
        } else {
            put(Op::WaitLong,
                {static_cast<std::uint8_t>(ms >> 8), static_cast<std::uint8_t>(ms & 0xff)});
        }
    }
    void action(const app::Action& a) {
        const auto form = static_cast<std::uint8_t>(ui::formIndex(a.form));
        switch (a.kind) {
            case app::Action::Kind::Click:
                put(Op::Click, {form});
                widget(a.widget);
                break;
            case app::Action::Kind::Move:
                put(Op::Move, {form});
                widget(a.widget);
                break;
            case app::Action::Kind::Type: {
                put(Op::Type, {form});
                widget(a.widget);
                const std::string text = a.text.substr(0, 63);
                bytes_.push_back(static_cast<char>(text.size()));
                bytes_ += text;
                break;
            }
            case app::Action::Kind::Close:
                put(Op::Close, {form});
                break;
            case app::Action::Kind::Ok:
                put(Op::Ok, {});
                break;
        }
    }
    [[nodiscard]] const std::string& bytes() const { return bytes_; }

  private:
    void put(Op op, std::initializer_list<std::uint8_t> args) {
        bytes_.push_back(static_cast<char>(op));
        for (auto b : args) bytes_.push_back(static_cast<char>(b));
    }
    void widget(const std::optional<ui::WidgetId>& w) {
        if (!w) {
            bytes_ += {static_cast<char>(kNoWidget), 0};
            return;
        }
        bytes_.push_back(static_cast<char>(w->kind));
        bytes_.push_back(static_cast<char>(w->number >= 0 && w->number < 64 ? w->number : 248));
    }

    std::string bytes_;
};

}  // namespace mironeka::fuzz
