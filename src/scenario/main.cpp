// mironeka-scenario: runs scenario scripts against the game on a virtual
// clock and reports, last, "N passed, N failed" (counting files).

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "scenario/scenario.h"

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
            std::cout << name << ": error: cannot read the file\n";
            ++failed;
            continue;
        }
        std::ostringstream text;
        text << file.rdbuf();
        if (file.bad()) {
            std::cout << name << ": error: cannot read the file\n";
            ++failed;
            continue;
        }
        const auto outcome = mironeka::scenario::runScript(name, text.str(), std::cout);
        if (outcome == mironeka::scenario::Outcome::Passed) {
            ++passed;
        } else {
            ++failed;
        }
    }
    std::cout << passed << " passed, " << failed << " failed" << std::endl;
    return failed == 0 ? 0 : 1;
}
