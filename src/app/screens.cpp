#include "app/screens.h"

#include "app/game.h"
#include "app/layouts.h"
#include "app/publisher.h"
#include "ui/number_text.h"
#include "ui/translate.h"

namespace mironeka::app {

using ui::FormId;
using ui::WidgetId;
using ui::WidgetKind;

namespace {

std::vector<std::string> numberValue(double v) { return {ui::numberText(v)}; }
std::vector<std::string> visibility(bool v) { return {v ? "1" : "0"}; }

template <class T>
const T& as(const ui::Screen& s) {
    return static_cast<const T&>(s);
}

template <class Value>
std::vector<std::string> perGarden(const ui::Screen& s, Value value) {
    std::vector<std::string> out;
    for (int g = 1; g <= StageSelectScreen::kGardens; ++g) {
        out.push_back(value(as<StageSelectScreen>(s), g));
    }
    return out;
}

}  // namespace

// --- Splash -----------------------------------------------------------------

SplashScreen::SplashScreen(Game& game, ui::EventLoop& loop)
    : Screen(layoutOf(FormId::Form1), game, loop) {
    timer_ = &addTimer(1, [this, &game] {
        timer_->stop();
        game.show(FormId::Form2);
        game.unload(FormId::Form1);
    });
}

// --- Introduction -----------------------------------------------------------

IntroScreen::IntroScreen(Game& game, ui::EventLoop& loop)
    : Screen(layoutOf(FormId::Form2), game, loop), game_(game) {}

void IntroScreen::click(WidgetId w) {
    if (w == ui::command(1)) {
        game_.show(FormId::Form4);
        game_.unload(FormId::Form2);
    }
}

// --- Stage select -----------------------------------------------------------

StageSelectScreen::StageSelectScreen(Game& game, ui::EventLoop& loop)
    : Screen(layoutOf(FormId::Form4), game, loop), game_(game) {
    scoreTimer_ = &addTimer(1, [this] { scoreTick(); });
}

std::span<const ui::FieldSpec> StageSelectScreen::fieldTable() {
    using S = StageSelectScreen;
    static const std::array<ui::FieldSpec, 5> kFields{{
        {"GardenScores", kGardens, false,
         [](const ui::Screen& s) {
             return perGarden(s,
                              [](const S& b, int g) { return ui::numberText(b.gardenScore(g)); });
         }},
        {"GardensFinished", 1, false,
         [](const ui::Screen& s) { return numberValue(as<S>(s).gardensFinished()); }},
        {"TotalPoints", 1, false,
         [](const ui::Screen& s) { return numberValue(as<S>(s).totalPoints()); }},
        {"OpenButtons", kGardens, false,
         [](const ui::Screen& s) {
             return perGarden(
                 s, [](const S& b, int g) { return visibility(b.openButtonVisible(g))[0]; });
         }},
        {"ResumeButtons", kGardens, false,
         [](const ui::Screen& s) {
             return perGarden(
                 s, [](const S& b, int g) { return visibility(b.resumeButtonVisible(g))[0]; });
         }},
    }};
    return kFields;
}

int StageSelectScreen::gardenOfButton(WidgetId w, bool resume) {
    if (w.kind != WidgetKind::Command) return 0;
    for (int g = 1; g <= kGardens; ++g) {
        if (w.number == (resume ? stage::resumeButton(g) : stage::openButton(g))) return g;
    }
    return 0;
}

std::optional<bool> StageSelectScreen::visibleNow(WidgetId w) const {
    if (const int g = gardenOfButton(w, false)) return openButtonVisible(g);
    if (const int g = gardenOfButton(w, true)) return resumeButtonVisible(g);
    return std::nullopt;
}

std::optional<std::string> StageSelectScreen::textNow(WidgetId w) const {
    if (w == WidgetId{WidgetKind::Label, stage::kTotalLabel}) return ui::numberText(total_);
    return std::nullopt;
}

std::string StageSelectScreen::accessibleName(WidgetId w) const {
    if (w == WidgetId{WidgetKind::Label, stage::kTotalLabel}) {
        return ui::fill(ui::translate("Game", "%1：%2"),
                        {Screen::accessibleName(w), ui::numberText(total_)});
    }
    return Screen::accessibleName(w);
}

void StageSelectScreen::click(WidgetId w) {
    if (w == ui::command(stage::kCloseButton)) {
        game_.endProgram();
    } else if (const int g = gardenOfButton(w, false)) {
        game_.show(Game::gardenForm(g));
        open_.at(slot(g)) = false;
        resume_.at(slot(g)) = true;
        changed();
    } else if (const int r = gardenOfButton(w, true)) {
        game_.show(Game::gardenForm(r));
    }
}

void StageSelectScreen::hideResumeButton(int garden) {
    resume_.at(slot(garden)) = false;
    changed();
}

void StageSelectScreen::scoreTick() {
    double sum = 0;
    for (int s : scores_) sum += s;
    const int total = static_cast<int>(sum);
    if (total != total_) changed();
    total_ = total;
    if (finished_ != kGardens) return;
    auto& result = game_.showAs<ResultScreen>(FormId::Form10);
    result.setFinalTotal(total_);
    scoreTimer_->stop();
    game_.unload(FormId::Form4);
}

// --- Result -----------------------------------------------------------------

ResultScreen::ResultScreen(Game& game, ui::EventLoop& loop)
    : Screen(layoutOf(FormId::Form10), game, loop), game_(game) {
    buttonTimer_ = &addTimer(2, [this] {
        buttonsVisible_ = true;
        changed();
        buttonTimer_->stop();
    });
    revealTimer_ = &addTimer(1, [this] {
        shownTotal_ = finalTotal_;
        announce(ui::fill(ui::translate("Game", "合計ポイントは%1です。"), {shownTotalText()}));
        buttonTimer_->setInterval(1000);
        revealTimer_->stop();
    });
}

std::span<const ui::FieldSpec> ResultScreen::fieldTable() {
    using R = ResultScreen;
    static const std::array<ui::FieldSpec, 4> kFields{{
        {"FinalTotal", 1, true,
         [](const ui::Screen& s) { return numberValue(as<R>(s).finalTotal()); }},
        {"ShownTotal", 1, true,
         [](const ui::Screen& s) { return std::vector<std::string>{as<R>(s).shownTotalText()}; }},
        {"SendScoreButton", 1, false,
         [](const ui::Screen& s) { return visibility(as<R>(s).buttonsVisible()); }},
        {"QuitButton", 1, false,
         [](const ui::Screen& s) { return visibility(as<R>(s).buttonsVisible()); }},
    }};
    return kFields;
}

std::optional<bool> ResultScreen::visibleNow(WidgetId w) const {
    if (w == ui::command(result::kSendButton) || w == ui::command(result::kQuitButton)) {
        return buttonsVisible_;
    }
    return std::nullopt;
}

std::optional<std::string> ResultScreen::textNow(WidgetId w) const {
    if (w == WidgetId{WidgetKind::Label, result::kShownTotalLabel}) return shownTotalText();
    return std::nullopt;
}

std::string ResultScreen::accessibleName(WidgetId w) const {
    if (w == WidgetId{WidgetKind::Label, result::kShownTotalLabel} && shownTotal_) {
        return ui::fill(ui::translate("Game", "%1：%2"),
                        {Screen::accessibleName(w), shownTotalText()});
    }
    return Screen::accessibleName(w);
}

void ResultScreen::click(WidgetId w) {
    if (w == ui::command(result::kSendButton)) {
        auto& code = game_.showAs<ScoreCodeScreen>(FormId::Form11);
        code.setCodeTotal(shownTotal_.value_or(finalTotal_));
        game_.unload(FormId::Form10);
    } else if (w == ui::command(result::kQuitButton)) {
        game_.endProgram();
    }
}

std::string ResultScreen::shownTotalText() const {
    return shownTotal_ ? ui::numberText(*shownTotal_) : std::string();
}

// --- Score code -------------------------------------------------------------

ScoreCodeScreen::ScoreCodeScreen(Game& game, ui::EventLoop& loop)
    : Screen(layoutOf(FormId::Form11), game, loop) {
    for (int n = scorecode::kCodeBox; n <= scorecode::kLastBox; ++n) {
        boxes_.at(static_cast<std::size_t>(n - scorecode::kCodeBox)) =
            std::string(layout().find(ui::text(n))->text);
    }
    addTimer(1, [this] {
        setBox(scorecode::kCodeBox, ui::numberText(codeTotal_ * kScoreCodeFactor / 2));
    });
}

std::span<const ui::FieldSpec> ScoreCodeScreen::fieldTable() {
    using C = ScoreCodeScreen;
    static const std::array<ui::FieldSpec, 4> kFields{{
        {"CodeTotal", 1, true,
         [](const ui::Screen& s) { return numberValue(as<C>(s).codeTotal()); }},
        {"ScoreCodeText", 1, true,
         [](const ui::Screen& s) { return std::vector<std::string>{as<C>(s).boxText(2)}; }},
        {"MailAddressText", 1, true,
         [](const ui::Screen& s) { return std::vector<std::string>{as<C>(s).boxText(3)}; }},
        {"WebAddressText", 1, true,
         [](const ui::Screen& s) { return std::vector<std::string>{as<C>(s).boxText(4)}; }},
    }};
    return kFields;
}

bool ScoreCodeScreen::type(WidgetId w, const std::string& text) {
    if (w.kind != WidgetKind::Text || w.number < scorecode::kCodeBox ||
        w.number > scorecode::kLastBox) {
        return false;
    }
    setBox(w.number, text);
    return true;
}

void ScoreCodeScreen::setBox(int textNumber, std::string text) {
    auto& box = boxes_.at(static_cast<std::size_t>(textNumber - scorecode::kCodeBox));
    if (box == text) return;
    box = std::move(text);
    changed();
}

const std::string& ScoreCodeScreen::boxText(int textNumber) const {
    return boxes_.at(static_cast<std::size_t>(textNumber - scorecode::kCodeBox));
}

std::string ScoreCodeScreen::link(WidgetId w) const {
    if (w == ui::text(3)) return scoreMailUrl(boxText(scorecode::kCodeBox));
    if (w == ui::text(4)) return kRankingUrl;
    return {};
}

namespace {
// Every byte but the unreserved characters (and those in `keep`) as %XX.
std::string percentEncoded(std::string_view text, std::string_view keep = {}) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if ((u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9') ||
            c == '-' || c == '.' || c == '_' || c == '~' ||
            keep.find(c) != std::string_view::npos) {
            out += c;
        } else {
            out += '%';
            out += kHex[u >> 4];
            out += kHex[u & 0xF];
        }
    }
    return out;
}
}  // namespace

std::string scoreMailUrl(std::string_view code) {
    return "mailto:" + percentEncoded(kScoreMail, "@") + "?subject=" + percentEncoded("スコア") +
           "&body=" + percentEncoded(std::string(code) + "\r\nニックネーム：");
}

std::optional<std::string> ScoreCodeScreen::textNow(WidgetId w) const {
    if (w.kind == WidgetKind::Text && w.number >= scorecode::kCodeBox &&
        w.number <= scorecode::kLastBox) {
        return boxText(w.number);
    }
    return std::nullopt;
}

}  // namespace mironeka::app
