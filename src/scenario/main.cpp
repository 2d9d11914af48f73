// mironeka-scenario: runs scenario scripts against the game on a virtual
// clock and reports, last, "N passed, N failed" (counting files).

#include <algorithm>
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

/// The whole file, or false when it can't be read to its end. The stream
/// insertion of a rdbuf() hides a read error as an early end of file, so
/// the file is read in blocks and the stream's state checked.
bool readWhole(std::ifstream& file, std::uintmax_t size, std::string& text) {
    text.reserve(static_cast<std::size_t>(std::min(size, kMaxFileBytes)));
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
            std::cout << mironeka::scenario::escaped(name) << ": error: cannot read the file\n";
            ++failed;
            continue;
        }
        const auto size = std::filesystem::file_size(name, error);
        if (!error && size > kMaxFileBytes) {
            std::cout << mironeka::scenario::escaped(name) << ": error: the file is over 16 MiB\n";
            ++failed;
            continue;
        }
        std::string text;
        if (!readWhole(file, error ? 0 : size, text)) {
            std::cout << mironeka::scenario::escaped(name) << ": error: cannot read the file\n";
            ++failed;
            continue;
        }
        const auto outcome = mironeka::scenario::runScript(name, text, std::cout);
        if (outcome == mironeka::scenario::Outcome::Passed) {
            ++passed;
        } else {
            ++failed;
        }
    }
    std::cout << passed << " passed, " << failed << " failed" << std::endl;
    return failed == 0 ? 0 : 1;
}
