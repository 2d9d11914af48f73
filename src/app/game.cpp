#include "app/game.h"

#include <algorithm>
#include <map>
#include <string_view>

#include "app/layouts.h"
#include "garden/garden_variant.h"

namespace mironeka::app {

using ui::FormId;
using ui::WidgetId;
using ui::WidgetKind;

namespace {

// The longest start of a UTF-8 text that holds at most `limit` UTF-16 code
// units, cut between characters. A byte that starts no character counts as
// one unit and is kept as it is.
std::string_view clipped(std::string_view text, std::size_t limit) {
    std::size_t units = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 1;
        if (lead >= 0xF0 && lead < 0xF8) {
            length = 4;
        } else if (lead >= 0xE0 && lead < 0xF0) {
            length = 3;
        } else if (lead >= 0xC0 && lead < 0xE0) {
            length = 2;
        }
        length = std::min(length, text.size() - i);
        const std::size_t cost = length == 4 ? 2 : 1;  // a surrogate pair
        if (units + cost > limit) break;
        units += cost;
        i += length;
    }
    return text.substr(0, i);
}

// The garden number of a garden form, or 0 for every other screen.
int gardenOf(FormId form) {
    for (const auto& v : garden::kGardenVariants) {
        if (v.form == form) return v.gardenNumber;
    }
    return 0;
}

}  // namespace

Game::Game() {
    loop_.setAfterTick([this] { afterEvent(); });
    show(FormId::Form1);
}

Game::~Game() {
    // Screens go before the loop; their timers unregister on the way.
    for (auto& s : screens_) s.reset();
    unloaded_.clear();
}

bool Game::formHasWidget(FormId form, WidgetId w) {
    return isForm(form) && layoutOf(form).find(w) != nullptr;
}

FormId Game::gardenForm(int garden) { return garden::gardenVariant(garden).form; }

const ui::Screen* Game::screen(FormId form) const {
    if (!isForm(form)) return nullptr;
    return screens_.at(static_cast<std::size_t>(ui::formIndex(form))).get();
}

StageSelectScreen* Game::stageSelect() {
    return dynamic_cast<StageSelectScreen*>(
        screens_.at(static_cast<std::size_t>(ui::formIndex(FormId::Form4))).get());
}

std::unique_ptr<ui::Screen> Game::create(FormId form) {
    if (const int g = gardenOf(form); g != 0) {
        return std::make_unique<garden::GardenScreen>(garden::gardenVariant(g), *this, loop_,
                                                      *this);
    }
    switch (form) {
        case FormId::Form1:
            return std::make_unique<SplashScreen>(*this, loop_);
        case FormId::Form2:
            return std::make_unique<IntroScreen>(*this, loop_);
        case FormId::Form4:
            return std::make_unique<StageSelectScreen>(*this, loop_);
        case FormId::Form10:
            return std::make_unique<ResultScreen>(*this, loop_);
        case FormId::Form11:
            return std::make_unique<ScoreCodeScreen>(*this, loop_);
        default:
            break;
    }
    return nullptr;
}

ui::Screen& Game::show(FormId form) {
    auto& slot = screens_.at(static_cast<std::size_t>(ui::formIndex(form)));
    if (!slot) slot = create(form);
    slot->markShown();
    return *slot;
}

void Game::unload(FormId form) {
    auto& slot = screens_.at(static_cast<std::size_t>(ui::formIndex(form)));
    if (!slot) return;
    slot->disableTimers();
    slot->hide();
    unloaded_.push_back(std::move(slot));
}

void Game::endProgram() {
    if (ended_) return;
    ended_ = true;
    loop_.halt();
    messageText_.reset();
    onMessageOk_ = nullptr;
    for (int i = 1; i <= ui::kFormCount; ++i) unload(static_cast<FormId>(i));
}

void Game::showMessage(std::string text, std::function<void()> onOk) {
    messageText_ = std::move(text);
    onMessageOk_ = std::move(onOk);
}

// A garden's writes reach the stage-select screen only while it exists; they
// never create one. A garden finishes only after its last write, and the
// stage-select screen goes only after six gardens have finished, so no
// write is ever dropped in play.
void Game::writeScore(int gardenNumber, int points) {
    if (auto* s = stageSelect()) s->setGardenScore(gardenNumber, points);
}

void Game::hideResumeButton(int gardenNumber) {
    if (auto* s = stageSelect()) s->hideResumeButton(gardenNumber);
}

void Game::addFinishedGarden() {
    if (auto* s = stageSelect()) s->addFinishedGarden();
}

bool Game::act(const Action& action) {
    // Total: whatever the action holds, it applies or it is refused.
    if (ended_) return false;
    if (action.kind == Action::Kind::Ok) {
        if (!messageText_) return false;
        auto onOk = std::move(onMessageOk_);
        messageText_.reset();
        onMessageOk_ = nullptr;
        if (onOk) onOk();
        afterEvent();
        return true;
    }
    if (messageText_) return false;  // the message box holds the whole program
    if (!isForm(action.form)) return false;
    auto* target = screens_.at(static_cast<std::size_t>(ui::formIndex(action.form))).get();
    if (target == nullptr || !target->visible()) return false;
    if (action.widget && !target->reachable(*action.widget)) return false;

    bool handled = true;
    switch (action.kind) {
        case Action::Kind::Click:
            if (!action.widget) return false;
            target->click(*action.widget);
            break;
        case Action::Kind::Move:
            target->pointerMove(action.widget);
            break;
        case Action::Kind::Type:
            // Whatever way the text came in, a box takes no more than it holds.
            handled =
                action.widget &&
                target->type(*action.widget, std::string(clipped(action.text, ui::kTextBoxLimit)));
            break;
        case Action::Kind::Close:
            if (!target->layout().hasCloseBox()) return false;
            unload(action.form);
            break;
        default:
            return false;
    }
    afterEvent();
    return handled;
}

void Game::afterEvent() {
    // The program ends once no window is left to the player: the
    // introduction, the result or the score-code screen closed by its box.
    const bool anyVisible = std::any_of(screens_.begin(), screens_.end(),
                                        [](const auto& s) { return s && s->visible(); });
    if (!ended_ && !anyVisible && !messageText_) endProgram();
    unloaded_.clear();
}

}  // namespace mironeka::app
