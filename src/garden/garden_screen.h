#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "garden/evaluation.h"
#include "garden/garden_variant.h"
#include "garden/tools.h"
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

/// One step of the day's evaluation: what it does, to which tile row (1..4),
/// and what comes after it.
struct EvaluationStep {
    enum class Work {
        Totals,  // the neighbour totals of the row, from the tiles as they are now
        Judge,   // judge the sugar: it picks the ant pictures and resets the points
        Ants,    // the ant pictures of the row
        Score,   // add the row's shares to the points
    };
    enum class Then {
        Next,            // arm the next step
        EndIfTooLittle,  // the judgement ends the pass when the sugar is too little
        JudgeScoring,    // judge the sugar again for the scoring chain; too little ends
        WriteScore,      // write the points on the score board; the pass ends
    };
    Work work;
    int row;  // 1..4; 0 for the judgement
    Then then;
    bool resetPoints = false;  // the first scoring step starts from 0
};

/// `DayEvaluation`: thirteen steps, one tick apart.
inline constexpr std::array<EvaluationStep, 13> kDayEvaluation{{
    {EvaluationStep::Work::Totals, 1, EvaluationStep::Then::Next},
    {EvaluationStep::Work::Totals, 2, EvaluationStep::Then::Next},
    {EvaluationStep::Work::Totals, 3, EvaluationStep::Then::Next},
    {EvaluationStep::Work::Totals, 4, EvaluationStep::Then::Next},
    {EvaluationStep::Work::Judge, 0, EvaluationStep::Then::EndIfTooLittle},
    {EvaluationStep::Work::Ants, 1, EvaluationStep::Then::Next},
    {EvaluationStep::Work::Ants, 2, EvaluationStep::Then::Next},
    {EvaluationStep::Work::Ants, 3, EvaluationStep::Then::Next},
    {EvaluationStep::Work::Ants, 4, EvaluationStep::Then::JudgeScoring},
    {EvaluationStep::Work::Score, 1, EvaluationStep::Then::Next, true},
    {EvaluationStep::Work::Score, 2, EvaluationStep::Then::Next},
    {EvaluationStep::Work::Score, 3, EvaluationStep::Then::Next},
    {EvaluationStep::Work::Score, 4, EvaluationStep::Then::WriteScore},
}};

/// One garden: its `GardenState` and its handlers, built from a
/// `GardenVariant` and the garden's layout.
///
/// A tile click arms its place and/or level action, which runs one tick
/// later. "Next day" runs `DayEvaluation`. Passes never overlap: a day
/// advanced during a pass queues its own, which starts one tick after the
/// running one ends.
class GardenScreen : public ui::Screen {
  public:
    GardenScreen(const GardenVariant& variant, ui::ScreenHost& host, ui::EventLoop& loop,
                 ScoreBoardLink& board);

    [[nodiscard]] const GardenVariant& variant() const { return variant_; }
    /// The title line: the game's title and the garden's circled number.
    [[nodiscard]] std::string title() const;

    void click(ui::WidgetId w) override;
    void pointerMove(std::optional<ui::WidgetId> w) override;
    /// Tile n is "タイルn：" and what it shows; the day counter "あとn日".
    [[nodiscard]] std::string accessibleName(ui::WidgetId w) const override;
    /// A tool's hint; the hint line's text.
    [[nodiscard]] std::string accessibleDescription(ui::WidgetId w) const override;
    /// A tool's button is pressed while its tool is the one selected.
    [[nodiscard]] std::optional<bool> widgetChecked(ui::WidgetId w) const override;
    /// The game's title and the garden: "VELMORAKI　ミロネカ　庭①".
    [[nodiscard]] std::string windowName() const override;

    // GardenState, as the player and the checks read it.
    [[nodiscard]] int tileCode(int n) const;
    [[nodiscard]] ui::Picture tilePicture(int n) const { return pictures_.at(index(n)); }
    [[nodiscard]] int neighbourTotalOf(int n) const { return totals_.at(index(n)); }
    [[nodiscard]] Tool selectedTool() const { return tool_; }
    /// The number of tiles that hold sugar.
    [[nodiscard]] int sugarCount() const;
    [[nodiscard]] int points() const { return points_; }
    [[nodiscard]] int daysLeft() const { return daysLeft_; }
    [[nodiscard]] const std::string& hintText() const { return hint_; }
    [[nodiscard]] ui::Picture antSlotPicture() const { return antSlot_; }
    [[nodiscard]] ui::Picture colonySlotPicture() const { return colonySlot_; }
    /// True while a pass of the evaluation runs or waits to run.
    [[nodiscard]] bool evaluating() const { return step_ != 0; }
    /// Passes of the day's evaluation that have ended, whichever step ended them.
    [[nodiscard]] int passesEnded() const { return passesEnded_; }

    /// The fields the runner can check, the same in every garden.
    [[nodiscard]] static std::span<const ui::FieldSpec> fieldTable();

    static constexpr int kDays = 7;

  protected:
    [[nodiscard]] std::optional<std::string> textNow(ui::WidgetId w) const override;
    [[nodiscard]] std::optional<ui::Picture> pictureNow(ui::WidgetId w) const override;

  private:
    static std::size_t index(int n) { return static_cast<std::size_t>(n - 1); }

    void clickTile(int n);
    void placeAction(int n);
    void levelAction(int n);
    void nextDay();
    void runStep();
    void startPass();
    void endPass();
    /// The day's outcome in one sentence: "1日目：黒アリが4か所に来ました。
    /// ポイントは4です。"
    [[nodiscard]] std::string daySentence() const;
    void reportFinishedWhenDone();
    void setPicture(int n, ui::Picture p);

    const GardenVariant& variant_;
    ScoreBoardLink& board_;

    std::array<TileKind, kTileCount> tiles_{};
    std::array<ui::Picture, kTileCount> pictures_{};
    std::array<int, kTileCount> totals_{};
    Tool tool_ = Tool::None;
    int points_ = 0;
    int daysLeft_ = kDays;
    std::string hint_;
    ui::Picture antSlot_ = ui::Picture::BlackAnt;
    ui::Picture colonySlot_ = ui::Picture::BlackColony;

    std::array<ui::Timer*, kTileCount> placeTimers_{};
    std::array<ui::Timer*, kTileCount> levelTimers_{};
    ui::Timer* stepTimer_ = nullptr;
    std::size_t step_ = 0;  // next step of the running pass, 1..13; 0 idle
    int queuedPasses_ = 0;  // day advances waiting for the running pass
    SugarJudgement scoring_ = SugarJudgement::TooLittle;  // the chain the second judgement chose
    int passesEnded_ = 0;
    int blackTiles_ = 0;  // tiles the running pass drew black ants or nests on
    int redTiles_ = 0;    // and red ones
    bool endMessageClosed_ = false;
    bool reportedFinished_ = false;
};

}  // namespace mironeka::garden
