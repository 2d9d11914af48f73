#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "ui/screen.h"

namespace mironeka::app {

class Game;

/// Form1: the logo, shown for 1500 ms at start, then the introduction.
class SplashScreen : public ui::Screen {
public:
    SplashScreen(Game& game, ui::EventLoop& loop);
    [[nodiscard]] bool reachable(ui::WidgetId w) const override;
    [[nodiscard]] std::vector<ui::Field> fields() const override { return {}; }

private:
    ui::Timer* timer_ = nullptr;
};

/// Form2: one sentence about the game and OK (Command1), which opens the
/// stage-select screen.
class IntroScreen : public ui::Screen {
public:
    IntroScreen(Game& game, ui::EventLoop& loop);
    [[nodiscard]] bool reachable(ui::WidgetId w) const override;
    [[nodiscard]] bool hasCloseBox() const override { return true; }
    void click(ui::WidgetId w) override;
    [[nodiscard]] std::vector<ui::Field> fields() const override { return {}; }

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
    [[nodiscard]] bool reachable(ui::WidgetId w) const override;
    void click(ui::WidgetId w) override;
    [[nodiscard]] std::vector<ui::Field> fields() const override;

    [[nodiscard]] bool openButtonVisible(int garden) const { return open_.at(slot(garden)); }
    [[nodiscard]] bool resumeButtonVisible(int garden) const { return resume_.at(slot(garden)); }
    [[nodiscard]] int totalPoints() const { return total_; }
    [[nodiscard]] int gardenScore(int garden) const { return scores_.at(slot(garden)); }
    [[nodiscard]] int gardensFinished() const { return finished_; }

    // What the gardens write.
    void setGardenScore(int garden, int points) { scores_.at(slot(garden)) = points; }
    void hideResumeButton(int garden) { resume_.at(slot(garden)) = false; }
    void addFinishedGarden() { ++finished_; }

private:
    static std::size_t slot(int garden) { return static_cast<std::size_t>(garden - 1); }
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
    [[nodiscard]] bool reachable(ui::WidgetId w) const override;
    [[nodiscard]] bool hasCloseBox() const override { return true; }
    void click(ui::WidgetId w) override;
    [[nodiscard]] std::vector<ui::Field> fields() const override;

    void setFinalTotal(int total) { finalTotal_ = total; }
    /// The revealed total; empty until the reveal.
    [[nodiscard]] std::string shownTotalText() const;
    [[nodiscard]] bool buttonsVisible() const { return buttonsVisible_; }

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
    static constexpr const char* kMailAddress = "score@velmoraki.example";
    static constexpr const char* kWebAddress = "https://velmoraki.example/ranking/";

    ScoreCodeScreen(Game& game, ui::EventLoop& loop);
    [[nodiscard]] bool reachable(ui::WidgetId w) const override;
    [[nodiscard]] bool hasCloseBox() const override { return true; }
    bool type(ui::WidgetId w, const std::string& text) override;
    [[nodiscard]] std::vector<ui::Field> fields() const override;

    void setCodeTotal(int total) { codeTotal_ = total; }
    /// The text of box Text2, Text3 or Text4.
    [[nodiscard]] const std::string& boxText(int textNumber) const;

private:
    int codeTotal_ = 0;
    std::string codeText_ = "Text2";
    std::string mailText_ = kMailAddress;
    std::string webText_ = kWebAddress;
};

}  // namespace mironeka::app
