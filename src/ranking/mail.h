#pragma once

// One mail's bytes to what the ranking reads of it, through GMime 3:
// the decoded subject, the Date and the first text/plain part in UTF-8,
// whatever the charsets (ISO-2022-JP, Shift_JIS, EUC-JP, UTF-8) and
// transfer encodings (quoted-printable, base64).

#include <optional>
#include <string>
#include <string_view>

#include "ranking/score.h"

namespace mironeka::ranking {

/// Starts GMime once for the process; every other function here calls it.
void initMime();

enum class MailFormat {
    Message,  // a mail as one file (Maildir)
    Mbox,     // a mail of an mbox, from its "From " line
};

/// The mail in `bytes`, or nothing if GMime can't read a mail there.
[[nodiscard]] std::optional<Mail> parseMail(std::string_view bytes, MailFormat format);

/// Text in a charset as UTF-8. A declared charset that fails, or none, is
/// followed by guesses (UTF-8, ISO-2022-JP, CP932, EUC-JP); what no
/// charset reads gets U+FFFD for its bad bytes. Always valid UTF-8.
[[nodiscard]] std::string toUtf8(std::string_view bytes, const char* charset);

}  // namespace mironeka::ranking
