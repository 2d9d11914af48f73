// mironeka-scenario: runs scenario scripts against the game on a virtual
// clock and reports, last, "N passed, N failed" (counting files).

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "scenario/scenario.h"

namespace {

// A script is a few kilobytes; anything this large is refused unread, so
// memory stays bounded whatever file is named.
constexpr std::uintmax_t kMaxFileBytes = 16u << 20;

/// The name as it is safe to print on one line: control bytes and bytes
/// that are not UTF-8 as \xNN, so a name can't forge a line of output.
std::string escaped(const std::string& name) {
    std::string out;
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(name[i]); };
    for (std::size_t i = 0; i < name.size();) {
        const unsigned char c = byte(i);
        // The length of a well-formed UTF-8 sequence starting here, or 0.
        std::size_t length = c < 0x80                 ? 1
                             : c >= 0xC2 && c <= 0xDF ? 2
                             : c >= 0xE0 && c <= 0xEF ? 3
                             : c >= 0xF0 && c <= 0xF4 ? 4
                                                      : 0;
        for (std::size_t k = 1; k < length; ++k) {
            if (i + k >= name.size() || (byte(i + k) & 0xC0) != 0x80) length = 0;
        }
        if (length == 0 || c < 0x20 || c == 0x7f) {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
            ++i;
        } else {
            out.append(name, i, length);
            i += length;
        }
    }
    return out;
}

/// The whole file, or false when it can't be read to its end. The stream
/// insertion of a rdbuf() hides a read error as an early end of file, so
/// the file is read in blocks and the stream's state checked.
bool readWhole(std::ifstream& file, std::string& text) {
    char block[1 << 16];
    while (file.read(block, sizeof block) || file.gcount() > 0) {
        text.append(block, static_cast<std::size_t>(file.gcount()));
        if (text.size() > kMaxFileBytes) return false;
    }
    return !file.bad();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: mironeka-scenario FILE.scn...\n";
        return 2;
    }
    int passed = 0;
    int failed = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        std::error_code error;
        std::ifstream file;
        if (std::filesystem::is_regular_file(name, error)) file.open(name, std::ios::binary);
        if (!file.is_open()) {
            std::cout << escaped(name) << ": error: cannot read the file\n";
            ++failed;
            continue;
        }
        const auto size = std::filesystem::file_size(name, error);
        if (!error && size > kMaxFileBytes) {
            std::cout << escaped(name) << ": error: the file is over 16 MiB\n";
            ++failed;
            continue;
        }
        std::string text;
        if (!readWhole(file, text)) {
            std::cout << escaped(name) << ": error: cannot read the file\n";
            ++failed;
            continue;
        }
        const auto outcome = mironeka::scenario::runScript(escaped(name), text, std::cout);
        if (outcome == mironeka::scenario::Outcome::Passed) {
            ++passed;
        } else {
            ++failed;
        }
    }
    std::cout << passed << " passed, " << failed << " failed" << std::endl;
    return failed == 0 ? 0 : 1;
}
