#include "ranking/mailbox.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "ranking/mail.h"

namespace mironeka::ranking {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kFromLine = "From ";
constexpr std::size_t kBlockBytes = 64 * 1024;

std::string tooLongReason(std::uint64_t size) {
    return "the mail is over 1 MiB (" + std::to_string(size) + " bytes)";
}

// A file descriptor closed on every path.
class File {
  public:
    explicit File(const fs::path& path)
        : fd_(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)) {}
    ~File() {
        if (fd_ >= 0) ::close(fd_);
    }
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    [[nodiscard]] int fd() const { return fd_; }

    // Reads up to `size` bytes; -1 on an error.
    ssize_t read(char* buffer, std::size_t size) const {
        for (;;) {
            const ssize_t n = ::read(fd_, buffer, size);
            if (n >= 0 || errno != EINTR) return n;
        }
    }

  private:
    int fd_;
};

std::string cannotRead(const fs::path& path, const std::string& why) {
    return path.string() + ": cannot read the mailbox: " + why;
}

std::optional<std::string> readMbox(const fs::path& path, const MailSink& sink) {
    const File file(path);
    if (file.fd() < 0) return cannotRead(path, std::strerror(errno));
    MboxSplitter splitter(
        [&](std::uint64_t offset, std::uint64_t size, bool tooLong, std::string_view bytes) {
            MailboxItem item;
            item.where = path.string() + "@" + std::to_string(offset);
            if (tooLong) {
                item.refusal = tooLongReason(size);
            } else {
                item.mail = parseMail(bytes, MailFormat::Mbox);
                if (!item.mail) item.refusal = "not a mail that can be read";
            }
            sink(std::move(item));
        });
    std::vector<char> block(kBlockBytes);
    for (;;) {
        const ssize_t n = file.read(block.data(), block.size());
        if (n < 0) return cannotRead(path, std::strerror(errno));
        if (n == 0) break;
        splitter.feed(std::string_view(block.data(), static_cast<std::size_t>(n)));
    }
    splitter.finish();
    return std::nullopt;
}

MailboxItem readMaildirFile(const fs::path& path) {
    MailboxItem item;
    item.where = path.string();
    const File file(path);
    struct stat st {};
    if (file.fd() < 0 || ::fstat(file.fd(), &st) != 0) {
        item.refusal = std::string("cannot read the file: ") + std::strerror(errno);
        return item;
    }
    if (!S_ISREG(st.st_mode)) {
        item.refusal = "not a regular file";
        return item;
    }
    const auto size = static_cast<std::uint64_t>(st.st_size);
    if (size > kMaxMailBytes) {
        item.refusal = tooLongReason(size);
        return item;
    }
    // One byte more than allowed, to notice a file that grew meanwhile.
    std::string bytes(kMaxMailBytes + 1, '\0');
    std::size_t have = 0;
    while (have < bytes.size()) {
        const ssize_t n = file.read(bytes.data() + have, bytes.size() - have);
        if (n < 0) {
            item.refusal = std::string("cannot read the file: ") + std::strerror(errno);
            return item;
        }
        if (n == 0) break;
        have += static_cast<std::size_t>(n);
    }
    if (have > kMaxMailBytes) {
        item.refusal = tooLongReason(have);
        return item;
    }
    bytes.resize(have);
    item.mail = parseMail(bytes, MailFormat::Message);
    if (!item.mail) item.refusal = "not a mail that can be read";
    return item;
}

std::optional<std::string> readMaildir(const fs::path& path, const MailSink& sink) {
    for (const char* sub : {"cur", "new"}) {
        const fs::path folder = path / sub;
        std::error_code error;
        if (!fs::is_directory(folder, error)) continue;
        std::vector<fs::path> files;
        for (fs::directory_iterator it(folder, error), end; !error && it != end;
             it.increment(error)) {
            const std::string name = it->path().filename().string();
            // Only regular files are mails: a FIFO would block the run.
            if (name.empty() || name[0] == '.' || !it->is_regular_file(error)) continue;
            files.push_back(it->path());
        }
        if (error) return cannotRead(folder, error.message());
        std::sort(files.begin(), files.end());
        for (const fs::path& file : files) sink(readMaildirFile(file));
    }
    return std::nullopt;
}

bool isMaildir(const fs::path& path) {
    std::error_code error;
    return fs::is_directory(path / "cur", error) || fs::is_directory(path / "new", error);
}

}  // namespace

void MboxSplitter::feed(std::string_view block) {
    std::size_t i = 0;
    while (i < block.size()) {
        if (atLineStart_) {
            // "From " at a line start, perhaps over two blocks.
            if (block[i] == kFromLine[marker_.size()]) {
                marker_ += block[i++];
                if (marker_.size() == kFromLine.size()) {
                    endMail();
                    inMail_ = true;
                    start_ = offset_ + i - kFromLine.size();
                    size_ = 0;
                    keep(marker_);
                    marker_.clear();
                    atLineStart_ = false;
                }
                continue;
            }
            keep(marker_);
            marker_.clear();
            atLineStart_ = false;
        }
        const void* newline = std::memchr(block.data() + i, '\n', block.size() - i);
        const std::size_t end =
            newline != nullptr
                ? static_cast<std::size_t>(static_cast<const char*>(newline) - block.data()) + 1
                : block.size();
        keep(block.substr(i, end - i));
        i = end;
        atLineStart_ = newline != nullptr;
    }
    offset_ += block.size();
}

void MboxSplitter::finish() {
    keep(marker_);
    marker_.clear();
    endMail();
    atLineStart_ = true;
}

void MboxSplitter::keep(std::string_view bytes) {
    if (!inMail_ || bytes.empty()) return;
    size_ += bytes.size();
    if (size_ <= kMaxMailBytes) {
        bytes_.append(bytes);
    } else if (!bytes_.empty()) {
        bytes_.clear();
        bytes_.shrink_to_fit();
    }
}

void MboxSplitter::endMail() {
    if (!inMail_) return;
    const bool tooLong = size_ > kMaxMailBytes;
    sink_(start_, size_, tooLong, tooLong ? std::string_view() : std::string_view(bytes_));
    inMail_ = false;
    bytes_.clear();
}

std::optional<std::string> checkMailbox(const fs::path& path) {
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (error) return cannotRead(path, error.message());
    if (fs::is_directory(status)) {
        if (isMaildir(path)) return std::nullopt;
        return path.string() + ": not a Maildir folder (it has neither cur/ nor new/)";
    }
    if (!fs::is_regular_file(status)) {
        return path.string() + ": not an mbox file or a Maildir folder";
    }
    const File file(path);
    if (file.fd() < 0) return cannotRead(path, std::strerror(errno));
    char head[kFromLine.size()];
    std::size_t have = 0;
    while (have < sizeof head) {
        const ssize_t n = file.read(head + have, sizeof head - have);
        if (n < 0) return cannotRead(path, std::strerror(errno));
        if (n == 0) break;
        have += static_cast<std::size_t>(n);
    }
    if (have == 0 || std::string_view(head, have) == kFromLine) return std::nullopt;
    return path.string() + ": not an mbox file (it doesn't start with a \"From \" line)";
}

std::optional<std::string> readMailbox(const fs::path& path, const MailSink& sink) {
    if (auto problem = checkMailbox(path)) return problem;
    std::error_code error;
    if (fs::is_directory(path, error)) return readMaildir(path, sink);
    return readMbox(path, sink);
}

}  // namespace mironeka::ranking
