#include "garden/garden_screen.h"

#include <algorithm>

#include "garden/garden_layout.h"
#include "ui/number_text.h"
#include "ui/translate.h"

namespace mironeka::garden {

using ui::Picture;
using ui::WidgetId;
using ui::WidgetKind;

namespace {

const char* const kEndMessage = QT_TRANSLATE_NOOP("Game", "５日経過しました。");

const GardenScreen& garden(const ui::Screen& s) { return static_cast<const GardenScreen&>(s); }

std::vector<std::string> number(double v) { return {ui::numberText(v)}; }

template <class PerTile>
std::vector<std::string> perTile(PerTile value) {
    std::vector<std::string> out;
    for (int n = 1; n <= kTileCount; ++n) out.emplace_back(value(n));
    return out;
}

// clang-format off
const std::array<ui::FieldSpec, 13> kFields{{
    {"Tiles", kTileCount, false, [](const ui::Screen& s) {
         return perTile([&](int n) { return ui::numberText(garden(s).tileCode(n)); }); }},
    {"NeighbourTotals", kTileCount, false, [](const ui::Screen& s) {
         return perTile([&](int n) { return ui::numberText(garden(s).neighbourTotalOf(n)); }); }},
    {"TilePictures", kTileCount, false, [](const ui::Screen& s) {
         return perTile([&](int n) { return std::string(ui::pictureName(garden(s).tilePicture(n))); }); }},
    {"SelectedTool", 1, false, [](const ui::Screen& s) {
         return number(static_cast<int>(garden(s).selectedTool())); }},
    {"SugarCount", 1, false, [](const ui::Screen& s) { return number(garden(s).sugarCount()); }},
    // Water and grass are counted nowhere; their fields stay at 0.
    {"WaterCount", 1, false, [](const ui::Screen&) { return number(0); }},
    {"GrassCount", 1, false, [](const ui::Screen&) { return number(0); }},
    {"Points", 1, false, [](const ui::Screen& s) { return number(garden(s).points()); }},
    {"DaysLeft", 1, false, [](const ui::Screen& s) { return number(garden(s).daysLeft()); }},
    {"HintText", 1, true, [](const ui::Screen& s) {
         return std::vector<std::string>{garden(s).hintText()}; }},
    // What a screen reader was told last of a day's outcome.
    {"DaySentence", 1, true, [](const ui::Screen& s) {
         return std::vector<std::string>{s.announcement()}; }},
    {"AntSlotPicture", 1, false, [](const ui::Screen& s) {
         return std::vector<std::string>{std::string(ui::pictureName(garden(s).antSlotPicture()))}; }},
    {"ColonySlotPicture", 1, false, [](const ui::Screen& s) {
         return std::vector<std::string>{std::string(ui::pictureName(garden(s).colonySlotPicture()))}; }},
}};
// clang-format on

}  // namespace

std::span<const ui::FieldSpec> GardenScreen::fieldTable() { return kFields; }

GardenScreen::GardenScreen(const GardenVariant& variant, ui::ScreenHost& host, ui::EventLoop& loop,
                           ScoreBoardLink& board)
    : Screen(gardenLayout(variant), host, loop), variant_(variant), board_(board) {
    tiles_.fill(TileKind::Ground);
    pictures_.fill(Picture::Ground);
    for (int n = 1; n <= kTileCount; ++n) {
        placeTimers_[index(n)] = &addTimer(n, [this, n] { placeAction(n); });
        levelTimers_[index(n)] = &addTimer(kFirstLevelTimer - 1 + n, [this, n] { levelAction(n); });
    }
    stepTimer_ = &addTimer(kStepTimer, [this] { runStep(); });
}

std::string GardenScreen::title() const {
    return ui::fill(
        ui::translate("Game", "%1　　%2"),
        {ui::translate("Game", ui::kApplicationTitle), std::string(variant_.titleNumber)});
}

std::optional<bool> GardenScreen::widgetChecked(WidgetId w) const {
    const ToolSpec* tool = w.kind == WidgetKind::Command ? toolOnButton(w.number) : nullptr;
    if (tool == nullptr) return std::nullopt;
    return tool->tool == tool_;
}

std::string GardenScreen::windowName() const {
    return ui::fill(
        ui::translate("Game", "%1　庭%2"),
        {ui::translate("Game", ui::kApplicationTitle), std::string(variant_.titleNumber)});
}

std::string GardenScreen::daySentence() const {
    const std::string day = std::to_string(passesEnded_);
    const std::string points = ui::numberText(points_);
    const std::string black = std::to_string(blackTiles_);
    const std::string red = std::to_string(redTiles_);
    if (blackTiles_ > 0 && redTiles_ > 0) {
        return ui::fill(ui::translate("Game",
                                      "%1日目：黒アリが%2か所、赤アリが%3か所に来ました。"
                                      "ポイントは%4です。"),
                        {day, black, red, points});
    }
    if (blackTiles_ > 0) {
        return ui::fill(
            ui::translate("Game", "%1日目：黒アリが%2か所に来ました。ポイントは%3です。"),
            {day, black, points});
    }
    if (redTiles_ > 0) {
        return ui::fill(
            ui::translate("Game", "%1日目：赤アリが%2か所に来ました。ポイントは%3です。"),
            {day, red, points});
    }
    return ui::fill(ui::translate("Game", "%1日目：アリは来ませんでした。ポイントは%2です。"),
                    {day, points});
}

int GardenScreen::tileCode(int n) const {
    switch (tiles_.at(index(n))) {
        case TileKind::Ground:
            return 0;
        case TileKind::Sugar:
            return variant_.placeCodes.sugar;
        case TileKind::Puddle:
            return variant_.placeCodes.puddle;
        case TileKind::Grass:
            return variant_.placeCodes.grass;
    }
    return 0;
}

int GardenScreen::sugarCount() const {
    return static_cast<int>(std::count(tiles_.begin(), tiles_.end(), TileKind::Sugar));
}

std::optional<std::string> GardenScreen::textNow(WidgetId w) const {
    if (w == WidgetId{WidgetKind::Label, kTitleLabel}) return title();
    if (w == WidgetId{WidgetKind::Label, kDaysLabel}) return ui::numberText(daysLeft_);
    if (w == WidgetId{WidgetKind::Label, kHintLabel}) return ui::translate("Game", hint_);
    if (w == ui::text(kPointsBox)) return ui::numberText(points_);
    return std::nullopt;
}

std::optional<Picture> GardenScreen::pictureNow(WidgetId w) const {
    if (w.kind == WidgetKind::Image && w.number >= 1 && w.number <= kTileCount) {
        return tilePicture(w.number);
    }
    if (w == ui::image(20)) return antSlot_;
    if (w == ui::image(21)) return colonySlot_;
    return std::nullopt;
}

std::string GardenScreen::accessibleName(WidgetId w) const {
    if (w.kind == WidgetKind::Image && w.number >= 1 && w.number <= kTileCount) {
        return ui::fill(ui::translate("Game", "タイル%1：%2"),
                        {std::to_string(w.number),
                         ui::translate("Game", ui::pictureLabel(tilePicture(w.number)))});
    }
    if (w == WidgetId{WidgetKind::Label, kDaysLabel}) {
        return ui::fill(ui::translate("Game", "あと%1日"), {ui::numberText(daysLeft_)});
    }
    return Screen::accessibleName(w);
}

std::string GardenScreen::accessibleDescription(WidgetId w) const {
    if (const ToolSpec* tool = w.kind == WidgetKind::Command ? toolOnButton(w.number) : nullptr) {
        return ui::translate("Game", tool->hint);
    }
    if (w == WidgetId{WidgetKind::Label, kHintLabel}) return ui::translate("Game", hint_);
    return {};
}

void GardenScreen::click(WidgetId w) {
    if (w.kind == WidgetKind::Image && w.number >= 1 && w.number <= kTileCount) {
        clickTile(w.number);
    } else if (w.kind == WidgetKind::Command) {
        if (w.number == kNextDayButton) {
            nextDay();
        } else if (const ToolSpec* tool = toolOnButton(w.number)) {
            if (tool_ != tool->tool) changed();  // its button is drawn pressed
            tool_ = tool->tool;
        } else if (w.number == kCloseButton) {
            hide();
        }
    }
}

void GardenScreen::pointerMove(std::optional<WidgetId> w) {
    std::string hint = hint_;
    if (!w) {
        hint.clear();
    } else if (const ToolSpec* tool =
                   w->kind == WidgetKind::Command ? toolOnButton(w->number) : nullptr) {
        hint = tool->hint;
    }
    if (hint != hint_) {
        hint_ = std::move(hint);
        changed();
    }
}

void GardenScreen::setPicture(int n, Picture p) {
    auto& slot = pictures_[index(n)];
    if (slot != p) changed();
    slot = p;
}

void GardenScreen::clickTile(int n) {
    // Two independent tests: any click on empty ground arms the place
    // action, whatever the tool; the level tool arms the level action.
    if (tiles_[index(n)] == TileKind::Ground) placeTimers_[index(n)]->start();
    if (tool_ == Tool::Level) levelTimers_[index(n)]->start();
}

void GardenScreen::placeAction(int n) {
    // The tool is read now, not at the click. The level tool places nothing.
    if (tool_ != Tool::None && tool_ != Tool::Level) {
        const ToolSpec& tool = toolSpec(tool_);
        tiles_[index(n)] = tool.lays;
        setPicture(n, tool.picture);
    }
    placeTimers_[index(n)]->stop();
}

void GardenScreen::levelAction(int n) {
    tiles_[index(n)] = TileKind::Ground;
    setPicture(n, pictureOf(TileKind::Ground));
    levelTimers_[index(n)]->stop();
}

void GardenScreen::nextDay() {
    if (daysLeft_ > 0) {
        if (evaluating()) {
            ++queuedPasses_;
        } else {
            startPass();
        }
        --daysLeft_;
        changed();
    }
    if (daysLeft_ == 0) {
        board_.hideResumeButton(variant_.gardenNumber);
        hide();
        host().showMessage(ui::translate("Game", kEndMessage), [this] {
            endMessageClosed_ = true;
            reportFinishedWhenDone();
        });
    }
}

void GardenScreen::startPass() {
    step_ = 1;
    blackTiles_ = 0;
    redTiles_ = 0;
    stepTimer_->start();
}

void GardenScreen::runStep() {
    using Work = EvaluationStep::Work;
    using Then = EvaluationStep::Then;
    const EvaluationStep& step = kDayEvaluation.at(step_ - 1);
    const int first = step.row * kGridSize - (kGridSize - 1);  // the row's first tile
    const int last = step.row * kGridSize;
    const auto& thresholds = variant_.antThresholds;

    auto judgement = SugarJudgement::TooLittle;
    switch (step.work) {
        case Work::Totals: {
            TileCodes codes{};
            for (int n = 1; n <= kTileCount; ++n) codes[index(n)] = tileCode(n);
            for (int n = first; n <= last; ++n) totals_[index(n)] = neighbourTotal(codes, n);
            break;
        }
        case Work::Judge:
            // The first judgement picks the pictures for levels 1 and 2.
            judgement = judgeSugar(sugarCount(), variant_.sugarBand);
            if (judgement == SugarJudgement::Right) {
                antSlot_ = Picture::BlackAnt;
                colonySlot_ = Picture::BlackColony;
            } else if (judgement == SugarJudgement::TooMuch) {
                antSlot_ = Picture::RedAnt;
                colonySlot_ = Picture::RedColony;
            }
            points_ = 0;
            changed();
            break;
        case Work::Ants: {
            // Level 0 keeps the tile's picture.
            const std::array<Picture, 4> byLevel{antSlot_, colonySlot_, Picture::RedAnt,
                                                 Picture::RedColony};
            for (int n = first; n <= last; ++n) {
                const int level = antLevel(totals_[index(n)], thresholds);
                if (level == 0) continue;
                const Picture p = byLevel.at(static_cast<std::size_t>(level - 1));
                setPicture(n, p);
                ++(p == Picture::RedAnt || p == Picture::RedColony ? redTiles_ : blackTiles_);
            }
            break;
        }
        case Work::Score:
            if (step.resetPoints) points_ = 0;
            for (int n = first; n <= last; ++n) {
                points_ += tileShare(antLevel(totals_[index(n)], thresholds), scoring_);
            }
            changed();
            break;
    }

    switch (step.then) {
        case Then::Next:
            break;
        case Then::EndIfTooLittle:
            if (judgement == SugarJudgement::TooLittle) return endPass();
            break;
        case Then::JudgeScoring:
            // The sugar may have changed since the first judgement: the
            // scoring follows this one.
            scoring_ = judgeSugar(sugarCount(), variant_.sugarBand);
            if (scoring_ == SugarJudgement::TooLittle) return endPass();
            break;
        case Then::WriteScore:
            board_.writeScore(variant_.gardenNumber, points_);
            return endPass();
    }
    ++step_;
    stepTimer_->start();
}

void GardenScreen::endPass() {
    ++passesEnded_;
    // Said once the pass is over, never with a value it passes through.
    announce(daySentence());
    if (queuedPasses_ > 0) {
        --queuedPasses_;
        return startPass();
    }
    step_ = 0;
    stepTimer_->stop();
    reportFinishedWhenDone();
}

void GardenScreen::reportFinishedWhenDone() {
    // A garden counts as finished once its end message has been closed and
    // its last evaluation has ended, so the score board always has the last
    // day's score before it can move on to the result.
    if (reportedFinished_ || !endMessageClosed_ || evaluating()) return;
    reportedFinished_ = true;
    board_.addFinishedGarden();
}

}  // namespace mironeka::garden
