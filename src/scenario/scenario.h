#pragma once

#include <cstddef>
#include <iosfwd>
#include <string>
#include <string_view>

#include "ui/event_loop.h"

namespace mironeka::scenario {

/// The outcome of one scenario file.
enum class Outcome { Passed, Failed };

/// What a script may ask; a line asking more is an error.
struct Limits {
    ui::Millis longestWait = 86'400'000;             // one wait: a day of game time
    ui::Millis clockEnd = ui::EventLoop::kClockEnd;  // all waits together
    std::size_t longestLine = 64 * 1024;             // bytes, the line's end not counted
    std::size_t errorLines = 20;                     // shown; the rest are counted
};

/// The text as it is safe to print on one line: control bytes and bytes
/// that are not UTF-8 as \xNN, so nothing read can forge a line of output.
std::string escaped(std::string_view text);

/// Runs one scenario script (its text) on a fresh game and virtual clock.
/// `fileName` names it in messages. Errors and failed checks go to `out`
/// as "FILE:LINE: ..." (the first `errorLines` errors, then one line with
/// the count of the rest); `print` output goes to `out` too. Every error is
/// reported before anything runs. What is echoed of the file is escaped.
Outcome runScript(const std::string& fileName, const std::string& text, std::ostream& out,
                  const Limits& limits = {});

}  // namespace mironeka::scenario
