#pragma once

#include <QLineEdit>
#include <array>
#include <memory>

#include "qt/form_window.h"

class QLabel;
class QPushButton;

namespace mironeka::qt {

/// Form1: the maker's logo, a colony of ants and the game's name.
class SplashWindow final : public FormWindow {
  public:
    explicit SplashWindow(ActionSink& sink);
    void sync(const ui::Screen&) override {}
};

/// Form2: a sample garden, one sentence about the game and OK.
class IntroWindow final : public FormWindow {
  public:
    explicit IntroWindow(ActionSink& sink);
    void sync(const ui::Screen&) override {}
};

/// Form4: the house seen from above with the gardens' open buttons, the
/// resume buttons and the running total.
class StageSelectWindow final : public FormWindow {
  public:
    explicit StageSelectWindow(ActionSink& sink);
    void sync(const ui::Screen& screen) override;

  private:
    std::array<QPushButton*, 6> open_{};
    std::array<QPushButton*, 6> resume_{};
    QLabel* total_ = nullptr;
};

/// Form10: the closing words, the total and the two last buttons.
class ResultWindow final : public FormWindow {
  public:
    explicit ResultWindow(ActionSink& sink);
    void sync(const ui::Screen& screen) override;

  private:
    QLabel* total_ = nullptr;
    QPushButton* send_ = nullptr;
    QPushButton* quit_ = nullptr;
};

/// Form11: the score code and where to send it, in three editable boxes.
class ScoreCodeWindow final : public FormWindow {
  public:
    explicit ScoreCodeWindow(ActionSink& sink);
    void sync(const ui::Screen& screen) override;

  private:
    std::array<QLineEdit*, 3> boxes_{};  // Text2, Text3, Text4
};

/// The window of a model screen, of the class for its form.
[[nodiscard]] std::unique_ptr<FormWindow> makeWindow(const ui::Screen& screen, ActionSink& sink);

}  // namespace mironeka::qt
