#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ui/screen.h"

namespace mironeka::app {

class Game;

/// Form1: the logo, shown for 1500 ms at start, then the introduction.
class SplashScreen : public ui::Screen {
  public:
    SplashScreen(Game& game, ui::EventLoop& loop);

  private:
    ui::Timer* timer_ = nullptr;
};

/// Form2: one sentence about the game and OK (Command1), which opens the
/// stage-select screen.
class IntroScreen : public ui::Screen {
  public:
    IntroScreen(Game& game, ui::EventLoop& loop);
    void click(ui::WidgetId w) override;

  private:
    Game& game_;
};

/// Form4: the house map with the gardens' open buttons (Command2..Command7)
/// and resume buttons (Command8..Command13), "×" (Command1), and the score
/// board: every second it sums `GardenScores` into `TotalPoints` and, once
/// six gardens have finished, hands the total to the result screen.
class StageSelectScreen : public ui::Screen {
  public:
    static constexpr int kGardens = 6;

    StageSelectScreen(Game& game, ui::EventLoop& loop);
    /// The total is read with its value: "現在の累計ポイント：12".
    [[nodiscard]] std::string accessibleName(ui::WidgetId w) const override;
    void click(ui::WidgetId w) override;
    [[nodiscard]] static std::span<const ui::FieldSpec> fieldTable();

    [[nodiscard]] bool openButtonVisible(int garden) const { return open_.at(slot(garden)); }
    [[nodiscard]] bool resumeButtonVisible(int garden) const { return resume_.at(slot(garden)); }
    [[nodiscard]] int totalPoints() const { return total_; }
    [[nodiscard]] int gardenScore(int garden) const { return scores_.at(slot(garden)); }
    [[nodiscard]] int gardensFinished() const { return finished_; }

    // What the gardens write.
    void setGardenScore(int garden, int points) { scores_.at(slot(garden)) = points; }
    void hideResumeButton(int garden);
    void addFinishedGarden() { ++finished_; }

  protected:
    [[nodiscard]] std::optional<bool> visibleNow(ui::WidgetId w) const override;
    [[nodiscard]] std::optional<std::string> textNow(ui::WidgetId w) const override;

  private:
    static std::size_t slot(int garden) { return static_cast<std::size_t>(garden - 1); }
    /// The garden whose open (or resume) button this is, else 0.
    static int gardenOfButton(ui::WidgetId w, bool resume);
    void scoreTick();

    Game& game_;
    ui::Timer* scoreTimer_ = nullptr;
    std::array<int, kGardens> scores_{};
    std::array<bool, kGardens> open_{true, true, true, true, true, true};
    std::array<bool, kGardens> resume_{};
    int finished_ = 0;
    int total_ = 0;
};

/// Form10: the closing words; the total 4000 ms after creation, then the
/// buttons "スコアを送信！" (Command1) and "終了" (Command2) 1000 ms later.
class ResultScreen : public ui::Screen {
  public:
    ResultScreen(Game& game, ui::EventLoop& loop);
    /// The total is read with its value once revealed: "合計ポイント：13".
    [[nodiscard]] std::string accessibleName(ui::WidgetId w) const override;
    void click(ui::WidgetId w) override;
    [[nodiscard]] static std::span<const ui::FieldSpec> fieldTable();

    void setFinalTotal(int total) { finalTotal_ = total; }
    [[nodiscard]] int finalTotal() const { return finalTotal_; }
    /// The revealed total; empty until the reveal.
    [[nodiscard]] std::string shownTotalText() const;
    [[nodiscard]] bool buttonsVisible() const { return buttonsVisible_; }

  protected:
    [[nodiscard]] std::optional<bool> visibleNow(ui::WidgetId w) const override;
    [[nodiscard]] std::optional<std::string> textNow(ui::WidgetId w) const override;

  private:
    Game& game_;
    ui::Timer* revealTimer_ = nullptr;
    ui::Timer* buttonTimer_ = nullptr;
    int finalTotal_ = 0;
    std::optional<int> shownTotal_;
    bool buttonsVisible_ = false;
};

/// Form11: the score code, recomputed every 100 ms from the total, with the
/// address to send it to. Its three text boxes are ordinary editable boxes.
class ScoreCodeScreen : public ui::Screen {
  public:
    /// The code is total × this ÷ 2.
    static constexpr double kScoreCodeFactor = 7.3;

    ScoreCodeScreen(Game& game, ui::EventLoop& loop);
    bool type(ui::WidgetId w, const std::string& text) override;
    /// The mail box opens a new mail to the publisher with the code, the
    /// web box the ranking page: the built-in addresses, whatever the boxes
    /// hold now.
    [[nodiscard]] std::string link(ui::WidgetId w) const override;
    [[nodiscard]] static std::span<const ui::FieldSpec> fieldTable();

    void setCodeTotal(int total) { codeTotal_ = total; }
    [[nodiscard]] int codeTotal() const { return codeTotal_; }
    /// The text of box Text2, Text3 or Text4.
    [[nodiscard]] const std::string& boxText(int textNumber) const;

  protected:
    [[nodiscard]] std::optional<std::string> textNow(ui::WidgetId w) const override;

  private:
    void setBox(int textNumber, std::string text);

    int codeTotal_ = 0;
    std::array<std::string, 3> boxes_;  // Text2 the code, Text3 mail, Text4 web
};

/// The mailto: address of a score mail: to the publisher's mailbox, the
/// subject "スコア" (what the ranking looks for), a body of the code and a
/// line "ニックネーム：" for the player to finish. Percent-encoded UTF-8.
[[nodiscard]] std::string scoreMailUrl(std::string_view code);

}  // namespace mironeka::app
