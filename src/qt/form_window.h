#pragma once

#include <QPushButton>
#include <QWidget>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/game.h"
#include "qt/pictures.h"
#include "ui/layout.h"
#include "ui/screen.h"

class QLabel;
class QLineEdit;

namespace mironeka::qt {

/// Where a window sends what the player did.
class ActionSink {
  public:
    virtual ~ActionSink() = default;
    virtual bool act(const app::Action& action) = 0;
};

/// A command button that shows a picture instead of a caption, filling the
/// button, with a thin raised (sunken while pressed) edge.
class PictureButton final : public QPushButton {
  public:
    PictureButton(ui::Picture p, QWidget* parent) : QPushButton(parent), picture_(p) {}

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    ui::Picture picture_;
};

/// The window of a screen, built from its layout: a fixed-size top-level
/// window laid out in pixels, centred on the screen, with every widget that
/// lies inside the client area (the off-window fields are not built). It
/// sends the player's input to the game and shows what the screen's widgets
/// show now in `sync`.
class FormWindow final : public QWidget {
    Q_OBJECT
  public:
    FormWindow(const ui::ScreenSpec& layout, ActionSink& sink);
    [[nodiscard]] ui::FormId form() const { return layout_.form; }
    /// Shows the screen's texts, pictures and button visibility.
    void sync(const ui::Screen& screen);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Bound {
        ui::WidgetId id;
        QWidget* widget;
    };

    QWidget* build(const ui::WidgetSpec& spec);
    QLabel* addLabel(const ui::WidgetSpec& spec);
    QPushButton* addButton(const ui::WidgetSpec& spec);
    QLineEdit* addTextBox(const ui::WidgetSpec& spec);
    /// Puts the buttons and text boxes above labels, images and lines.
    void raiseControls();
    bool send(app::Action::Kind kind, std::optional<ui::WidgetId> widget = std::nullopt,
              std::string text = {});

    const ui::ScreenSpec& layout_;
    ActionSink& sink_;
    std::vector<Bound> bound_;
};

/// The window of a model screen.
[[nodiscard]] std::unique_ptr<FormWindow> makeWindow(const ui::Screen& screen, ActionSink& sink);

/// Sets a label's text only when it changed (no needless relayout).
void setTextIfChanged(QLabel* label, const QString& text);
/// Sets a text box's text only when it differs, so the player's cursor and
/// selection stay where they are.
void setTextIfChanged(QLineEdit* edit, const QString& text);

}  // namespace mironeka::qt
