#pragma once

// The mails of a mailbox, one at a time: an mbox file or a Maildir folder.
// A mail over kMaxMailBytes is handed on refused, without being parsed, so
// memory stays bounded by one mail whatever the mailbox holds.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "ranking/score.h"

namespace mironeka::ranking {

/// One mail of a mailbox.
struct MailboxItem {
    /// "box.mbox@1234" (the byte offset of its "From " line) or the path of
    /// a Maildir file.
    std::string where;
    /// What GMime read of it; nothing if it was refused unread or isn't a
    /// mail GMime can read (then `refusal` says why).
    std::optional<Mail> mail;
    std::string refusal;
};

using MailSink = std::function<void(MailboxItem&&)>;

/// Whether `path` is a mailbox this tool reads: an error naming it if not.
[[nodiscard]] std::optional<std::string> checkMailbox(const std::filesystem::path& path);

/// Hands every mail of the mailbox to `sink`, in order: an mbox from top to
/// bottom, a Maildir's cur/ then new/, each by file name. Returns an error
/// naming the mailbox if it can't be read.
[[nodiscard]] std::optional<std::string> readMailbox(const std::filesystem::path& path,
                                                     const MailSink& sink);

/// Cuts mbox bytes, fed in blocks of any size, into mails: each starts at
/// a line beginning "From " and runs to the next such line or the end.
/// Bytes before the first such line are no mail and are dropped. A mail
/// longer than kMaxMailBytes is not kept: its bytes arrive empty.
class MboxSplitter {
  public:
    using Sink = std::function<void(std::uint64_t offset, std::uint64_t size, bool tooLong,
                                    std::string_view bytes)>;

    explicit MboxSplitter(Sink sink) : sink_(std::move(sink)) {}
    void feed(std::string_view block);
    void finish();

  private:
    void keep(std::string_view bytes);
    void startMail();
    void endMail();

    Sink sink_;
    std::uint64_t offset_ = 0;  // of the next byte fed
    bool atLineStart_ = true;
    std::string marker_;  // a "From " being matched at a line start
    bool inMail_ = false;
    std::uint64_t start_ = 0;
    std::uint64_t size_ = 0;
    std::string bytes_;
};

}  // namespace mironeka::ranking
