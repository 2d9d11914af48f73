#pragma once

// mironeka-ranking from its arguments to its files: reads the mailboxes,
// judges every mail for the month, ranks the valid scores and writes
// ranking.json and index.html.

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "ranking/report.h"

namespace mironeka::ranking {

struct RankingRun {
    Ranking ranking;
    /// A mailbox that can't be read, named; nothing is ranked then.
    std::optional<std::string> error;
};

/// Reads the mailboxes in order and ranks the month's scores. Each refused
/// mail is one line on `refusals`: "WHERE: refused: REASON".
[[nodiscard]] RankingRun rankMailboxes(const std::vector<std::filesystem::path>& mailboxes,
                                       Month month, std::ostream& refusals);

/// The whole tool. Exit status: 0 when it ran (refusals or not), 1 when
/// the files can't be written, 2 on bad arguments or a mailbox that can't
/// be read. The summary goes to `out`, refusals and errors to `err`.
[[nodiscard]] int runRankingTool(const std::vector<std::string>& args, std::ostream& out,
                                 std::ostream& err);

/// Text for a terminal: control bytes and bytes that aren't UTF-8 as \xNN,
/// so a file name can't forge a line of the report.
[[nodiscard]] std::string printable(std::string_view text);

}  // namespace mironeka::ranking
