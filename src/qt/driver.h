#pragma once

#include <QElapsedTimer>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "app/game.h"
#include "qt/form_window.h"

namespace mironeka::qt {

/// Runs the game in real time and keeps the windows in step with it.
///
/// One precise single-shot QTimer waits for the model's next timer deadline;
/// when it fires, the model is advanced to the elapsed time. A player action
/// first brings the model up to the elapsed time, then goes to `Game::act`.
/// After either, every window is refreshed from the model and the timer is
/// armed again.
class Driver final : public QObject, public ActionSink {
    Q_OBJECT
  public:
    /// Milliseconds since the game started; by default the real elapsed time.
    using Clock = std::function<ui::Millis()>;

    explicit Driver(Clock clock = {}, QObject* parent = nullptr);
    ~Driver() override;
    Driver(const Driver&) = delete;
    Driver& operator=(const Driver&) = delete;

    [[nodiscard]] const app::Game& game() const { return game_; }
    bool act(const app::Action& action) override;
    /// Delivers every model timer due by now, refreshes and re-arms.
    void advance();

    /// The window of a form while its screen exists.
    [[nodiscard]] FormWindow* window(ui::FormId form) const;
    /// The open message box, if any.
    [[nodiscard]] QMessageBox* messageBox() const { return box_; }

  signals:
    /// The game has ended: every window is gone.
    void gameEnded();

  private:
    struct Slot {
        std::unique_ptr<FormWindow> window;
        const ui::Screen* model = nullptr;  // the screen instance it shows
        int shown = 0;                      // the model's showCount seen last
    };

    void sync();
    void syncMessage();
    void arm();
    void retire(QWidget* widget);
    void messageClosed();

    app::Game game_;
    Clock clock_;
    QElapsedTimer elapsed_;
    QTimer timer_;
    std::array<Slot, ui::kFormCount> slots_;
    QPointer<QMessageBox> box_;
    std::vector<QPointer<QWidget>> retired_;  // deleted later, or at the end
    bool endSignalled_ = false;
};

}  // namespace mironeka::qt
