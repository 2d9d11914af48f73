// Bytes -> one mail through GMime and the score reading, as a Maildir file
// and as an mbox mail, and the same bytes cut into mails by the mbox
// splitter. Nothing may crash, leak or hang, and what comes out keeps its
// promises: text is valid UTF-8; an accepted mail has a nickname of 1 to 20
// characters without control characters and a code the game gives; the
// splitter's mails follow each other without gaps to the end of the bytes,
// each from a "From " line; the JSON of a ranking holds no raw control
// character.

#include <glib.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "ranking/mail.h"
#include "ranking/mailbox.h"
#include "ranking/report.h"
#include "ranking/score.h"

namespace {

using namespace mironeka::ranking;

void require(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "\n*** broken: %s\n", what);
    std::abort();
}

bool validUtf8(std::string_view s) {
    return g_utf8_validate(s.data(), static_cast<gssize>(s.size()), nullptr) != FALSE;
}

void checkMail(std::string_view bytes, MailFormat format) {
    const std::optional<Mail> mail = parseMail(bytes, format);
    if (!mail) return;
    require(validUtf8(mail->subject), "the subject is UTF-8");
    require(!mail->body || validUtf8(*mail->body), "the body is UTF-8");
    // Judged for its own month, so that dated mails reach the code.
    const Month month = mail->date ? japanMonth(*mail->date) : Month{2026, 12};
    const Verdict v = judgeMail(*mail, month);
    if (v.kind != Verdict::Kind::Accepted) return;
    const std::string& name = v.entry.nickname;
    require(validUtf8(name), "the nickname is UTF-8");
    const auto chars = g_utf8_strlen(name.data(), static_cast<gssize>(name.size()));
    require(chars >= 1 && static_cast<std::size_t>(chars) <= kMaxNicknameChars,
            "the nickname has 1 to 20 characters");
    for (char c : name) {
        require(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F, "no control character");
    }
    require(v.entry.total >= kLowestTotal && v.entry.total <= kHighestTotal,
            "the total is in bounds");
    const std::string code = scoreCodeText(v.entry.total);
    require(totalOfCode(std::strtod(code.c_str(), nullptr)) == v.entry.total,
            "the code is the game's");

    const Ranking ranking{month, rankEntries({v.entry}), 0};
    for (char c : rankingJson(ranking)) {
        require(static_cast<unsigned char>(c) >= 0x20 || c == '\n', "JSON without raw controls");
    }
    require(rankingPage(ranking).find("<script") == std::string::npos, "no script in the page");
}

void checkSplitter(std::string_view bytes) {
    std::uint64_t next = 0;
    bool any = false;
    MboxSplitter splitter(
        [&](std::uint64_t offset, std::uint64_t size, bool tooLong, std::string_view mail) {
            require(!any || offset == next, "mails follow each other");
            require(offset + size <= bytes.size(), "a mail lies within the bytes");
            require(tooLong == (size > kMaxMailBytes), "only long mails are too long");
            require(tooLong || mail == bytes.substr(offset, size), "a mail is its bytes");
            require(bytes.substr(offset, 5) == "From ", "a mail starts with From");
            any = true;
            next = offset + size;
        });
    // In two blocks, cut where the first byte says.
    const std::size_t cut = bytes.empty() ? 0 : static_cast<unsigned char>(bytes[0]) % bytes.size();
    splitter.feed(bytes.substr(0, cut));
    splitter.feed(bytes.substr(cut));
    splitter.finish();
    require(!any || next == bytes.size(), "the last mail runs to the end");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    checkMail(bytes, MailFormat::Message);
    checkMail(bytes, MailFormat::Mbox);
    checkSplitter(bytes);
    return 0;
}
