#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "garden/evaluation.h"
#include "garden/garden_variant.h"
#include "garden/picture.h"
#include "ui/screen.h"

namespace mironeka::garden {

/// What a garden writes into the stage-select screen. The program routes
/// these to the existing stage-select screen; none of them can create one.
class ScoreBoardLink {
public:
    virtual ~ScoreBoardLink() = default;
    virtual void writeScore(int gardenNumber, int points) = 0;
    virtual void hideResumeButton(int gardenNumber) = 0;
    virtual void addFinishedGarden() = 0;
};

/// The selected tool. The same codes in every garden.
enum class Tool { None = 0, Sugar = 1, Puddle = 2, Grass = 3, Level = 4 };

/// What lies on a tile. Its code comes from the garden's `PlaceCodes`.
enum class TileKind { Ground, Sugar, Puddle, Grass };

/// One garden: its `GardenState` and its handlers, built from a
/// `GardenVariant`.
///
/// Widgets: Command1 next day, Command2..Command5 the tools sugar, puddle,
/// grass, level, Command6 "×"; Image1..Image16 the tiles; Text37 the points
/// box (read-only). Text1..Text36 and Image17..Image26 are the off-window
/// fields and picture sources of the layout.
///
/// A tile click arms its place and/or level action, which runs one tick
/// later. "Next day" runs `DayEvaluation`: thirteen steps one tick apart
/// (four rows of totals, the sugar judgement, four rows of ant pictures with
/// a second judgement, four rows of scoring). Passes never overlap: a day
/// advanced during a pass queues its own, which starts one tick after the
/// running one ends.
class GardenScreen : public ui::Screen {
public:
    GardenScreen(const GardenVariant& variant, ui::ScreenHost& host, ui::EventLoop& loop,
                 ScoreBoardLink& board);

    [[nodiscard]] const GardenVariant& variant() const { return variant_; }
    [[nodiscard]] std::string title() const;

    [[nodiscard]] bool reachable(ui::WidgetId w) const override;
    void click(ui::WidgetId w) override;
    void pointerMove(std::optional<ui::WidgetId> w) override;
    [[nodiscard]] std::vector<ui::Field> fields() const override;

    // GardenState, as the player and the checks read it.
    [[nodiscard]] int tileCode(int n) const;
    [[nodiscard]] Picture tilePicture(int n) const { return pictures_.at(index(n)); }
    [[nodiscard]] int neighbourTotalOf(int n) const { return totals_.at(index(n)); }
    [[nodiscard]] Tool selectedTool() const { return tool_; }
    /// The number of tiles that hold sugar.
    [[nodiscard]] int sugarCount() const;
    [[nodiscard]] int points() const { return points_; }
    [[nodiscard]] int daysLeft() const { return daysLeft_; }
    [[nodiscard]] const std::string& hintText() const { return hint_; }
    [[nodiscard]] Picture antSlotPicture() const { return antSlot_; }
    [[nodiscard]] Picture colonySlotPicture() const { return colonySlot_; }
    /// True while a pass of the evaluation runs or waits to run.
    [[nodiscard]] bool evaluating() const { return step_ != 0; }
    [[nodiscard]] int passesEnded() const { return passesEnded_; }

    static constexpr int kDays = 7;

private:
    static std::size_t index(int n) { return static_cast<std::size_t>(n - 1); }

    void clickTile(int n);
    void placeAction(int n);
    void levelAction(int n);
    void nextDay();
    void runStep();
    void endPass();
    void reportFinishedWhenDone();

    const GardenVariant& variant_;
    ScoreBoardLink& board_;

    std::array<TileKind, kTileCount> tiles_{};
    std::array<Picture, kTileCount> pictures_{};
    std::array<int, kTileCount> totals_{};
    Tool tool_ = Tool::None;
    int points_ = 0;
    int daysLeft_ = kDays;
    std::string hint_;
    Picture antSlot_ = Picture::BlackAnt;
    Picture colonySlot_ = Picture::BlackColony;

    std::array<ui::Timer*, kTileCount> placeTimers_{};
    std::array<ui::Timer*, kTileCount> levelTimers_{};
    ui::Timer* stepTimer_ = nullptr;
    int step_ = 0;             // next step of the running pass, 1..13; 0 idle
    int queuedPasses_ = 0;     // day advances waiting for the running pass
    SugarJudgement scoring_ = SugarJudgement::TooLittle;  // chain chosen at step 9
    bool endMessageClosed_ = false;
    bool reportedFinished_ = false;
    int passesEnded_ = 0;
};

}  // namespace mironeka::garden
