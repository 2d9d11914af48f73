#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <QWidget>
#include <optional>
#include <string>

#include "app/game.h"
#include "qt/pictures.h"
#include "ui/screen.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace mironeka::qt {

/// Where a window sends what the player did.
class ActionSink {
  public:
    virtual ~ActionSink() = default;
    virtual bool act(const app::Action& action) = 0;
};

/// The window frames of the game's screens.
enum class Frame {
    None,         // no title bar, no border, can't be closed or moved by the player
    FixedSingle,  // title bar with caption and close box, thin border, fixed size
    FixedDialog,  // the same as a dialog
};

struct WindowLooks {
    QString caption;
    QSize client;
    Frame frame = Frame::None;
    QColor back;  // invalid: the system's button face
    bool icon = false;
};

/// How a label looks; by default black text on the window's colour in the
/// screen's default font.
struct LabelLooks {
    std::optional<QFont> font;
    QColor text = Qt::black;
    QColor back;  // invalid: transparent, the window's colour shows
};

/// Base of the windows of the screens: a fixed-size top-level window laid
/// out in pixels, centred on the screen, that sends the player's input to
/// the game and refreshes itself from its model screen in `sync`.
class FormWindow : public QWidget {
    Q_OBJECT
  public:
    FormWindow(ui::FormId form, const WindowLooks& looks, ActionSink& sink);
    [[nodiscard]] ui::FormId form() const { return form_; }
    /// Refreshes the dynamic parts from the model screen of this form.
    virtual void sync(const ui::Screen& screen) = 0;

  protected:
    void closeEvent(QCloseEvent* event) override;

    QLabel* addLabel(int number, QRect box, const QString& text, const LabelLooks& looks = {});
    QPushButton* addButton(int number, QRect box, const QString& caption);
    ImageWidget* addImage(int number, QPoint at, Asset a);
    QLineEdit* addTextBox(int number, QRect box);
    /// Puts the buttons and text boxes above labels, images and lines.
    void raiseControls();

    bool send(app::Action::Kind kind, std::optional<ui::WidgetId> widget = std::nullopt,
              std::string text = {});

  private:
    ui::FormId form_;
    Frame frame_;
    ActionSink& sink_;
};

/// Sets a label's text only when it changed (no needless relayout).
void setTextIfChanged(QLabel* label, const QString& text);
/// Sets a text box's text only when it differs, so the player's cursor and
/// selection stay where they are.
void setTextIfChanged(QLineEdit* edit, const QString& text);

}  // namespace mironeka::qt
