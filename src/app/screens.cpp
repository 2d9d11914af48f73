#include "app/screens.h"

#include "app/game.h"
#include "ui/number_text.h"

namespace mironeka::app {

using ui::FormId;
using ui::WidgetId;
using ui::WidgetKind;

namespace {

std::vector<std::string> numberValue(double v) { return {ui::numberText(v)}; }
std::vector<std::string> visibility(bool v) { return {v ? "1" : "0"}; }

constexpr int kSplashMs = 1500;
constexpr int kScoreBoardMs = 1000;
constexpr int kRevealMs = 4000;
constexpr int kButtonsMs = 1000;
constexpr int kScoreCodeMs = 100;

}  // namespace

// --- Splash -----------------------------------------------------------------

SplashScreen::SplashScreen(Game& game, ui::EventLoop& loop) : Screen(FormId::Form1, game, loop) {
    timer_ = &addTimer(
        [this, &game] {
            timer_->stop();
            game.show(FormId::Form2);
            game.unload(FormId::Form1);
        },
        kSplashMs);
}

bool SplashScreen::reachable(WidgetId w) const {
    return w.kind == WidgetKind::Image || w.kind == WidgetKind::Label;
}

// --- Introduction -----------------------------------------------------------

IntroScreen::IntroScreen(Game& game, ui::EventLoop& loop)
    : Screen(FormId::Form2, game, loop), game_(game) {}

bool IntroScreen::reachable(WidgetId w) const { return w.kind != WidgetKind::Timer; }

void IntroScreen::click(WidgetId w) {
    if (w == ui::command(1)) {
        game_.show(FormId::Form4);
        game_.unload(FormId::Form2);
    }
}

// --- Stage select -----------------------------------------------------------

namespace {
constexpr int kCloseButton = 1;
constexpr int kFirstOpenButton = 2;    // Command(1 + garden)
constexpr int kFirstResumeButton = 8;  // Command(7 + garden)
}  // namespace

StageSelectScreen::StageSelectScreen(Game& game, ui::EventLoop& loop)
    : Screen(FormId::Form4, game, loop), game_(game) {
    scoreTimer_ = &addTimer([this] { scoreTick(); }, kScoreBoardMs);
}

bool StageSelectScreen::reachable(WidgetId w) const {
    if (w.kind == WidgetKind::Command) {
        if (w.number == kCloseButton) return true;
        if (w.number >= kFirstResumeButton) {
            return resumeButtonVisible(w.number - kFirstResumeButton + 1);
        }
        return openButtonVisible(w.number - kFirstOpenButton + 1);
    }
    // Text1..Text7 (scores and the finished count) lie outside the window.
    return w.kind == WidgetKind::Label || w.kind == WidgetKind::Image;
}

void StageSelectScreen::click(WidgetId w) {
    if (w.kind != WidgetKind::Command) return;
    if (w.number == kCloseButton) {
        game_.endProgram();
    } else if (w.number < kFirstResumeButton) {
        const int g = w.number - kFirstOpenButton + 1;
        game_.show(Game::gardenForm(g));
        open_.at(slot(g)) = false;
        resume_.at(slot(g)) = true;
    } else {
        game_.show(Game::gardenForm(w.number - kFirstResumeButton + 1));
    }
}

void StageSelectScreen::scoreTick() {
    double sum = 0;
    for (int s : scores_) sum += s;
    total_ = static_cast<int>(sum);
    if (finished_ != kGardens) return;
    auto& result = game_.showAs<ResultScreen>(FormId::Form10);
    result.setFinalTotal(total_);
    scoreTimer_->stop();
    game_.unload(FormId::Form4);
}

std::vector<ui::Field> StageSelectScreen::fields() const {
    std::vector<std::string> scores, open, resume;
    for (std::size_t i = 0; i < kGardens; ++i) {
        scores.push_back(ui::numberText(scores_[i]));
        open.push_back(open_[i] ? "1" : "0");
        resume.push_back(resume_[i] ? "1" : "0");
    }
    return {
        {"GardenScores", scores},
        {"GardensFinished", numberValue(finished_)},
        {"TotalPoints", numberValue(total_)},
        {"OpenButtons", open},
        {"ResumeButtons", resume},
    };
}

// --- Result -----------------------------------------------------------------

ResultScreen::ResultScreen(Game& game, ui::EventLoop& loop)
    : Screen(FormId::Form10, game, loop), game_(game) {
    buttonTimer_ = &addTimer([this] {
        buttonsVisible_ = true;
        buttonTimer_->stop();
    });
    revealTimer_ = &addTimer(
        [this] {
            shownTotal_ = finalTotal_;
            buttonTimer_->setInterval(kButtonsMs);
            revealTimer_->stop();
        },
        kRevealMs);
}

bool ResultScreen::reachable(WidgetId w) const {
    if (w.kind == WidgetKind::Command) return buttonsVisible_;
    return w.kind == WidgetKind::Label;  // Text1 lies outside the window
}

void ResultScreen::click(WidgetId w) {
    if (w == ui::command(1)) {
        auto& code = game_.showAs<ScoreCodeScreen>(FormId::Form11);
        code.setCodeTotal(shownTotal_.value_or(finalTotal_));
        game_.unload(FormId::Form10);
    } else if (w == ui::command(2)) {
        game_.endProgram();
    }
}

std::string ResultScreen::shownTotalText() const {
    return shownTotal_ ? ui::numberText(*shownTotal_) : std::string();
}

std::vector<ui::Field> ResultScreen::fields() const {
    return {
        {"FinalTotal", numberValue(finalTotal_)},
        {"ShownTotal", {shownTotalText()}},
        {"SendScoreButton", visibility(buttonsVisible_)},
        {"QuitButton", visibility(buttonsVisible_)},
    };
}

// --- Score code -------------------------------------------------------------

ScoreCodeScreen::ScoreCodeScreen(Game& game, ui::EventLoop& loop)
    : Screen(FormId::Form11, game, loop) {
    addTimer(
        [this] { codeText_ = ui::numberText(codeTotal_ * kScoreCodeFactor / 2); },
        kScoreCodeMs);
}

bool ScoreCodeScreen::reachable(WidgetId w) const {
    // Text1, the handed-over total, lies outside the window.
    if (w.kind == WidgetKind::Text) return w.number >= 2 && w.number <= 4;
    return w.kind == WidgetKind::Label;
}

bool ScoreCodeScreen::type(WidgetId w, const std::string& text) {
    if (w.kind != WidgetKind::Text || w.number < 2 || w.number > 4) return false;
    (w.number == 2 ? codeText_ : w.number == 3 ? mailText_ : webText_) = text;
    return true;
}

const std::string& ScoreCodeScreen::boxText(int textNumber) const {
    return textNumber == 2 ? codeText_ : textNumber == 3 ? mailText_ : webText_;
}

std::vector<ui::Field> ScoreCodeScreen::fields() const {
    return {
        {"CodeTotal", numberValue(codeTotal_)},
        {"ScoreCodeText", {codeText_}},
        {"MailAddressText", {mailText_}},
        {"WebAddressText", {webText_}},
    };
}

}  // namespace mironeka::app
