#include "ranking/run.h"

#include <cstdio>
#include <system_error>

#include "ranking/mailbox.h"

namespace mironeka::ranking {
namespace {

namespace fs = std::filesystem;

constexpr const char* kUsage = "usage: mironeka-ranking --month YYYY-MM --out DIR MAILBOX...";

// The length of the valid UTF-8 sequence at `i` without control
// characters, or 0.
std::size_t printableLength(std::string_view s, std::size_t i) {
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[i + k]); };
    const unsigned char c = b(0);
    if (c >= 0x20 && c < 0x7F) return 1;
    std::size_t n = 0;
    if (c >= 0xC2 && c <= 0xDF)
        n = 2;
    else if (c >= 0xE0 && c <= 0xEF)
        n = 3;
    else if (c >= 0xF0 && c <= 0xF4)
        n = 4;
    if (n == 0 || i + n > s.size()) return 0;
    for (std::size_t k = 1; k < n; ++k) {
        if ((b(k) & 0xC0) != 0x80) return 0;
    }
    // Overlong forms, surrogates, beyond U+10FFFF and C1 controls.
    if (c == 0xE0 && b(1) < 0xA0) return 0;
    if (c == 0xED && b(1) >= 0xA0) return 0;
    if (c == 0xF0 && b(1) < 0x90) return 0;
    if (c == 0xF4 && b(1) >= 0x90) return 0;
    if (c == 0xC2 && b(1) < 0xA0) return 0;
    return n;
}

}  // namespace

std::string printable(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        if (const std::size_t n = printableLength(text, i)) {
            out.append(text.substr(i, n));
            i += n;
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned char>(text[i]));
            out += escaped;
            ++i;
        }
    }
    return out;
}

RankingRun rankMailboxes(const std::vector<fs::path>& mailboxes, Month month,
                         std::ostream& refusals) {
    RankingRun run;
    run.ranking.month = month;
    std::vector<Entry> entries;
    std::size_t order = 0;
    const auto refuse = [&](const std::string& where, const std::string& reason) {
        ++run.ranking.refused;
        refusals << printable(where) << ": refused: " << printable(reason) << '\n';
    };
    for (const fs::path& mailbox : mailboxes) {
        run.error = readMailbox(mailbox, [&](MailboxItem&& item) {
            if (!item.mail) return refuse(item.where, item.refusal);
            Verdict verdict = judgeMail(*item.mail, month);
            if (verdict.kind == Verdict::Kind::Refused) return refuse(item.where, verdict.reason);
            if (verdict.kind == Verdict::Kind::Accepted) {
                verdict.entry.order = order++;
                entries.push_back(std::move(verdict.entry));
            }
        });
        if (run.error) return run;
    }
    run.ranking.entries = rankEntries(std::move(entries));
    return run;
}

int runRankingTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::optional<Month> month;
    std::optional<fs::path> outDir;
    std::vector<fs::path> mailboxes;
    const auto usage = [&](const std::string& problem) {
        err << "mironeka-ranking: " << printable(problem) << '\n' << kUsage << '\n';
        return 2;
    };
    bool options = true;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (options && (arg == "--help" || arg == "-h")) {
            out << kUsage << '\n';
            return 0;
        }
        if (options && arg == "--") {
            options = false;
        } else if (options && (arg == "--month" || arg == "--out")) {
            if (i + 1 == args.size()) return usage(arg + " needs a value");
            const std::string& value = args[++i];
            if (arg == "--month") {
                if (month) return usage("--month is given twice");
                month = parseMonth(value);
                if (!month) return usage("--month takes YYYY-MM, not '" + value + "'");
            } else {
                if (outDir) return usage("--out is given twice");
                if (value.empty()) return usage("--out needs a folder");
                outDir = value;
            }
        } else if (options && arg.size() > 1 && arg[0] == '-') {
            return usage("unknown option '" + arg + "'");
        } else {
            mailboxes.emplace_back(arg);
        }
    }
    if (!month) return usage("--month is missing");
    if (!outDir) return usage("--out is missing");
    if (mailboxes.empty()) return usage("no mailbox given");

    // Every mailbox is looked at before anything is read.
    for (const fs::path& mailbox : mailboxes) {
        if (auto problem = checkMailbox(mailbox)) {
            err << "mironeka-ranking: " << printable(*problem) << '\n';
            return 2;
        }
    }
    const RankingRun run = rankMailboxes(mailboxes, *month, err);
    if (run.error) {
        err << "mironeka-ranking: " << printable(*run.error) << '\n';
        return 2;
    }

    std::error_code error;
    fs::create_directories(*outDir, error);
    if (error) {
        err << "mironeka-ranking: " << printable(outDir->string())
            << ": cannot create the folder: " << error.message() << '\n';
        return 1;
    }
    for (const auto& [name, contents] : {std::pair{"ranking.json", rankingJson(run.ranking)},
                                         std::pair{"index.html", rankingPage(run.ranking)}}) {
        if (auto problem = writeFileAtomically(*outDir / name, contents)) {
            err << "mironeka-ranking: " << printable(*problem) << '\n';
            return 1;
        }
    }
    out << monthText(*month) << ": " << run.ranking.entries.size() << " ranked, "
        << run.ranking.refused << " refused; wrote "
        << printable((*outDir / "ranking.json").string()) << " and "
        << printable((*outDir / "index.html").string()) << '\n';
    return 0;
}

}  // namespace mironeka::ranking
