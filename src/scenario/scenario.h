#pragma once

#include <iosfwd>
#include <string>

namespace mironeka::scenario {

/// The outcome of one scenario file.
enum class Outcome { Passed, Failed };

/// Runs one scenario script (its text) on a fresh game and virtual clock.
/// `fileName` names it in messages. Errors and failed checks go to `out`
/// as "FILE:LINE: ..."; `print` output goes to `out` too.
Outcome runScript(const std::string& fileName, const std::string& text, std::ostream& out);

}  // namespace mironeka::scenario
