// Writes the action fuzzer's seeds: each scenario script's player actions and
// waits in the fuzzer's byte code (checks and prints are left out).
// Usage: mironeka-action-seeds OUT_DIR FILE.scn...

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "action_code.h"

namespace {

using mironeka::app::Action;
namespace ui = mironeka::ui;

std::string encode(std::istream& in) {
    mironeka::fuzz::StepWriter writer;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string verb, form, widget;
        words >> verb >> form >> widget;
        if (verb == "wait") {
            writer.wait(std::atoll(form.c_str()));
            continue;
        }
        if (verb == "ok") {
            writer.action(Action{Action::Kind::Ok});
            continue;
        }
        const auto f = ui::parseFormName(form);
        if (!f) continue;
        const auto w = ui::parseWidgetName(widget);
        if (verb == "click" && w) {
            writer.action(Action{Action::Kind::Click, *f, w, {}});
        } else if (verb == "move") {
            writer.action(Action{Action::Kind::Move, *f, w, {}});
        } else if (verb == "type" && w) {
            std::string text;
            std::getline(words >> std::ws, text);
            writer.action(Action{Action::Kind::Type, *f, w, text});
        } else if (verb == "close") {
            writer.action(Action{Action::Kind::Close, *f, std::nullopt, {}});
        }
    }
    return writer.bytes();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: " << argv[0] << " OUT_DIR FILE.scn...\n";
        return 2;
    }
    const std::filesystem::path out = argv[1];
    std::filesystem::create_directories(out);
    for (int i = 2; i < argc; ++i) {
        std::ifstream in(argv[i]);
        if (!in) {
            std::cerr << argv[i] << ": error: cannot read the file\n";
            return 1;
        }
        const auto name = std::filesystem::path(argv[i]).stem().string() + ".bin";
        std::ofstream(out / name, std::ios::binary) << encode(in);
    }
    return 0;
}
