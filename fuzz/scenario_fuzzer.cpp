// Bytes -> a scenario script through the runner: parsing and playing any text
// must end, must not crash or throw, and must give the same outcome and the
// same report every time.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <sstream>
#include <string>

#include "scenario/scenario.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using mironeka::scenario::runScript;
    const std::string text(reinterpret_cast<const char*>(data), size);
    try {
        std::ostringstream first, second;
        const auto a = runScript("fuzz.scn", text, first);
        const auto b = runScript("fuzz.scn", text, second);
        if (a != b || first.str() != second.str()) {
            std::fprintf(stderr, "\n*** the same script gave two different runs\n");
            std::abort();
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "\n*** the runner threw: %s\n", e.what());
        std::abort();
    } catch (...) {
        std::fprintf(stderr, "\n*** the runner threw\n");
        std::abort();
    }
    return 0;
}
