#include "garden/garden_screen.h"

#include <algorithm>

#include "ui/number_text.h"

namespace mironeka::garden {

using ui::WidgetId;
using ui::WidgetKind;

namespace {

// Widget numbers of the layout.
constexpr int kNextDayButton = 1;
constexpr int kFirstToolButton = 2;  // Command2..Command5 select tools 1..4
constexpr int kLastToolButton = 5;
constexpr int kCloseButton = 6;
constexpr int kPointsBox = 37;

// The evaluation's steps: 1-4 totals, 5 first judgement, 6-9 pictures (9
// judges again), 10-13 scoring (13 writes the score board).
constexpr int kFirstPictureStep = 6;
constexpr int kFirstScoringStep = 10;
constexpr int kLastStep = 13;

constexpr std::array<const char*, 4> kToolHints{
    "砂糖を置きます。",
    "水溜りを作ります。",
    "草を植えます。",
    "土地を整地します。",
};

const char* const kEndMessage = "５日経過しました。";

}  // namespace

GardenScreen::GardenScreen(const GardenVariant& variant, ui::ScreenHost& host,
                           ui::EventLoop& loop, ScoreBoardLink& board)
    : Screen(variant.form, host, loop),
      variant_(variant),
      board_(board) {
    tiles_.fill(TileKind::Ground);
    pictures_.fill(Picture::Ground);
    for (int n = 1; n <= kTileCount; ++n) {
        placeTimers_[index(n)] = &addTimer([this, n] { placeAction(n); });
        levelTimers_[index(n)] = &addTimer([this, n] { levelAction(n); });
    }
    stepTimer_ = &addTimer([this] { runStep(); });
}

std::string GardenScreen::title() const {
    return std::string(ui::kApplicationTitle) + "　　" + std::string(variant_.titleNumber);
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

bool GardenScreen::reachable(WidgetId w) const {
    // Everything inside the window: the buttons, the tiles, the points box
    // and the visible captions. The off-window fields and picture sources
    // are not. The hidden captions are Label2..Label8.
    return inRange(w, WidgetKind::Command, 1, 6) || inRange(w, WidgetKind::Image, 1, kTileCount) ||
           inRange(w, WidgetKind::Text, kPointsBox, kPointsBox) ||
           inRange(w, WidgetKind::Label, 1, 1) || inRange(w, WidgetKind::Label, 9, 14) ||
           w.kind == WidgetKind::Line;
}

void GardenScreen::click(WidgetId w) {
    if (w.kind == WidgetKind::Image) {
        clickTile(w.number);
    } else if (w.kind == WidgetKind::Command) {
        if (w.number == kNextDayButton) {
            nextDay();
        } else if (w.number >= kFirstToolButton && w.number <= kLastToolButton) {
            tool_ = static_cast<Tool>(w.number - kFirstToolButton + 1);
        } else if (w.number == kCloseButton) {
            hide();
        }
    }
}

void GardenScreen::pointerMove(std::optional<WidgetId> w) {
    if (!w) {
        hint_.clear();
    } else if (w->kind == WidgetKind::Command && w->number >= kFirstToolButton &&
               w->number <= kLastToolButton) {
        hint_ = kToolHints.at(static_cast<std::size_t>(w->number - kFirstToolButton));
    }
}

void GardenScreen::clickTile(int n) {
    // Two independent tests: any click on empty ground arms the place
    // action, whatever the tool; the level tool arms the level action.
    if (tiles_[index(n)] == TileKind::Ground) placeTimers_[index(n)]->start();
    if (tool_ == Tool::Level) levelTimers_[index(n)]->start();
}

void GardenScreen::placeAction(int n) {
    // The tool is read now, not at the click.
    const auto i = index(n);
    switch (tool_) {
        case Tool::Sugar:
            tiles_[i] = TileKind::Sugar;
            pictures_[i] = Picture::Sugar;
            break;
        case Tool::Puddle:
            tiles_[i] = TileKind::Puddle;
            pictures_[i] = Picture::Puddle;
            break;
        case Tool::Grass:
            tiles_[i] = TileKind::Grass;
            pictures_[i] = Picture::Grass;
            break;
        case Tool::None:
        case Tool::Level:
            break;
    }
    placeTimers_[i]->stop();
}

void GardenScreen::levelAction(int n) {
    const auto i = index(n);
    tiles_[i] = TileKind::Ground;
    pictures_[i] = Picture::Ground;
    levelTimers_[i]->stop();
}

void GardenScreen::nextDay() {
    if (daysLeft_ > 0) {
        if (evaluating()) {
            ++queuedPasses_;
        } else {
            step_ = 1;
            stepTimer_->start();
        }
        --daysLeft_;
    }
    if (daysLeft_ == 0) {
        board_.hideResumeButton(variant_.gardenNumber);
        hide();
        host().showMessage(kEndMessage, [this] {
            endMessageClosed_ = true;
            reportFinishedWhenDone();
        });
    }
}

void GardenScreen::runStep() {
    const int step = step_;
    const auto band = variant_.sugarBand;
    const auto& thresholds = variant_.antThresholds;
    if (step < kFirstPictureStep - 1) {
        // Steps 1-4: the totals of one row, from the tiles as they are now.
        TileCodes codes{};
        for (int n = 1; n <= kTileCount; ++n) codes[index(n)] = tileCode(n);
        for (int n = step * kGridSize - 3; n <= step * kGridSize; ++n) {
            totals_[index(n)] = neighbourTotal(codes, n);
        }
    } else if (step == kFirstPictureStep - 1) {
        // Step 5: the first judgement picks the pictures for levels 1 and 2.
        const auto judgement = judgeSugar(sugarCount(), band);
        if (judgement == SugarJudgement::Right) {
            antSlot_ = Picture::BlackAnt;
            colonySlot_ = Picture::BlackColony;
        } else if (judgement == SugarJudgement::TooMuch) {
            antSlot_ = Picture::RedAnt;
            colonySlot_ = Picture::RedColony;
        }
        points_ = 0;
        if (judgement == SugarJudgement::TooLittle) return endPass();
    } else if (step < kFirstScoringStep) {
        // Steps 6-9: the ants of one row; level 0 keeps the tile's picture.
        const int row = step - kFirstPictureStep + 1;
        for (int n = row * kGridSize - 3; n <= row * kGridSize; ++n) {
            switch (antLevel(totals_[index(n)], thresholds)) {
                case 1:
                    pictures_[index(n)] = antSlot_;
                    break;
                case 2:
                    pictures_[index(n)] = colonySlot_;
                    break;
                case 3:
                    pictures_[index(n)] = Picture::RedAnt;
                    break;
                case 4:
                    pictures_[index(n)] = Picture::RedColony;
                    break;
                default:
                    break;
            }
        }
        if (step == kFirstScoringStep - 1) {
            // The sugar may have changed since step 5: the scoring follows
            // this second judgement.
            scoring_ = judgeSugar(sugarCount(), band);
            if (scoring_ == SugarJudgement::TooLittle) return endPass();
        }
    } else {
        // Steps 10-13: score one row.
        if (step == kFirstScoringStep) points_ = 0;
        const int row = step - kFirstScoringStep + 1;
        for (int n = row * kGridSize - 3; n <= row * kGridSize; ++n) {
            points_ += tileShare(antLevel(totals_[index(n)], thresholds), scoring_);
        }
        if (step == kLastStep) {
            board_.writeScore(variant_.gardenNumber, points_);
            return endPass();
        }
    }
    step_ = step + 1;
    stepTimer_->start();
}

void GardenScreen::endPass() {
    ++passesEnded_;
    if (queuedPasses_ > 0) {
        --queuedPasses_;
        step_ = 1;
        stepTimer_->start();
        return;
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

std::vector<ui::Field> GardenScreen::fields() const {
    auto number = [](double v) { return std::vector<std::string>{ui::numberText(v)}; };
    std::vector<std::string> tiles, totals, pictures;
    for (int n = 1; n <= kTileCount; ++n) {
        tiles.push_back(ui::numberText(tileCode(n)));
        totals.push_back(ui::numberText(totals_[index(n)]));
        pictures.emplace_back(pictureName(pictures_[index(n)]));
    }
    return {
        {"Tiles", tiles},
        {"NeighbourTotals", totals},
        {"TilePictures", pictures},
        {"SelectedTool", number(static_cast<int>(tool_))},
        {"SugarCount", number(sugarCount())},
        // Water and grass are counted nowhere; their fields stay at 0.
        {"WaterCount", number(0)},
        {"GrassCount", number(0)},
        {"Points", number(points_)},
        {"DaysLeft", number(daysLeft_)},
        {"HintText", {hint_}},
        {"AntSlotPicture", {std::string(pictureName(antSlot_))}},
        {"ColonySlotPicture", {std::string(pictureName(colonySlot_))}},
    };
}

}  // namespace mironeka::garden
