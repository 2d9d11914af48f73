#pragma once

#include <iosfwd>
#include <string>

#include "ui/event_loop.h"

namespace mironeka::scenario {

/// The outcome of one scenario file.
enum class Outcome { Passed, Failed };

/// What a script may ask of the clock; a line asking more is an error.
struct Limits {
    ui::Millis longestWait = 86'400'000;             // one wait: a day of game time
    ui::Millis clockEnd = ui::EventLoop::kClockEnd;  // all waits together
};

/// Runs one scenario script (its text) on a fresh game and virtual clock.
/// `fileName` names it in messages. Errors and failed checks go to `out`
/// as "FILE:LINE: ..."; `print` output goes to `out` too. Every error is
/// reported before anything runs.
Outcome runScript(const std::string& fileName, const std::string& text, std::ostream& out,
                  const Limits& limits = {});

}  // namespace mironeka::scenario
