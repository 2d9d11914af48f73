#pragma once

#include <QList>
#include <QPushButton>
#include <QWidget>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/front_end.h"
#include "app/game.h"
#include "qt/pictures.h"
#include "ui/layout.h"
#include "ui/screen.h"

class QLabel;
class QLineEdit;
class QScrollArea;

namespace mironeka::qt {

/// Where a window sends what the player did, and asks where its keyboard
/// focus goes.
class ActionSink {
  public:
    virtual ~ActionSink() = default;
    virtual bool act(const app::Action& action) = 0;
    virtual app::FrontEnd& policy() = 0;
    /// Enter or a double-click in a widget that names an address (the
    /// score-code screen's boxes): open what the screen's link says.
    virtual void openLink(ui::FormId, ui::WidgetId) {}
};

/// The window of a screen, built from its layout: a fixed-size top-level
/// window laid out in pixels, centred on the screen, with every widget that
/// lies inside the client area (the off-window fields are not built). A
/// window larger than the screen is cut to the screen and scrolls. It
/// sends the player's input to the game and shows what the screen's widgets
/// show now in `sync`.
class FormWindow final : public QWidget {
    Q_OBJECT
  public:
    FormWindow(const ui::ScreenSpec& layout, ActionSink& sink);
    [[nodiscard]] ui::FormId form() const { return layout_.form; }
    /// Shows the screen's texts, pictures, button visibility and names for
    /// screen readers, and keeps the keyboard focus off hidden widgets.
    void sync(const ui::Screen& screen);
    /// Says the sentence to screen readers, wherever the focus is: a
    /// notification of the window shows with it.
    void say(const QString& sentence);
    /// The widgets a screen reader sees on the window's page, in the
    /// window's Tab order; the grid's tiles as the one grid area.
    [[nodiscard]] QList<QWidget*> exposedWidgets() const;
    /// What the window shows, at the layout's size, inside its scroll area.
    [[nodiscard]] QWidget* page() const { return page_; }
    /// The grid's tiles row by row, the area they cover (none without a
    /// grid) and the tiles in a row.
    [[nodiscard]] const std::vector<QWidget*>& gridTiles() const { return grid_; }
    [[nodiscard]] QWidget* gridArea() const { return gridArea_; }
    [[nodiscard]] int gridColumns() const { return layout_.gridColumns; }
    /// Hides the window and gives up its native window and the image it is
    /// painted into (a third of a megabyte for a garden), keeping every
    /// widget, the focus and the place on the screen: a screen hidden for a
    /// while, or for good, such as a finished garden, costs only its widgets.
    /// Showing it again makes a native window afresh.
    void hideAndRelease();

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    /// Tab and Shift+Tab go where the game's focus rules say.
    bool focusNextPrevChild(bool next) override;

  private:
    struct Bound {
        ui::WidgetId id;
        QWidget* widget;
    };

    QWidget* build(const ui::WidgetSpec& entry);
    /// Cuts the window to the screen if it doesn't fit; true if its size
    /// changed.
    bool fitToScreen();
    /// What screen readers read, in the order Tab visits the widgets.
    void orderExposed();
    /// Puts the focus where the game's rules say it starts.
    void focusFirst();
    /// Moves the focus to the widget, if there is one, and marks the grid's
    /// current tile as the one that takes Tab.
    void focusOn(std::optional<ui::WidgetId> id, Qt::FocusReason reason);
    void markGridStop();
    [[nodiscard]] QWidget* widgetOf(ui::WidgetId id) const;
    [[nodiscard]] std::optional<ui::WidgetId> idOf(const QWidget* w) const;
    QLabel* addLabel(const ui::WidgetSpec& entry);
    QPushButton* addButton(const ui::WidgetSpec& entry);
    QLineEdit* addTextBox(const ui::WidgetSpec& entry);
    /// Puts the buttons and text boxes above labels, images and lines.
    void raiseControls();
    bool send(app::Action::Kind kind, std::optional<ui::WidgetId> widget = std::nullopt,
              std::string text = {});
    /// The pointer moves over a widget or the bare background (nullopt). A
    /// move over the same place as the last one, with nothing changed since,
    /// would change nothing, and isn't sent again.
    void sendMove(std::optional<ui::WidgetId> widget);

    const ui::ScreenSpec& layout_;
    ActionSink& sink_;
    std::vector<Bound> bound_;
    QScrollArea* scroll_ = nullptr;
    QWidget* page_ = nullptr;                              // the client area, scrolled
    std::vector<QWidget*> grid_;                           // the layout's grid, row by row
    QWidget* gridArea_ = nullptr;                          // the grid's table
    bool syncing_ = false;                                 // sync is setting the texts
    QWidget* announcer_ = nullptr;                         // the screen reader's sentences
    QList<QWidget*> exposed_;                              // in Tab order, then the rest
    std::uint64_t synced_ = ~std::uint64_t{0};             // the screen's revision shown last
    bool placed_ = false;                                  // centred by its real frame
    std::optional<std::optional<ui::WidgetId>> lastMove_;  // where the last move went
    std::uint64_t lastMoveRevision_ = 0;
};

/// The window of a model screen.
[[nodiscard]] std::unique_ptr<FormWindow> makeWindow(const ui::Screen& screen, ActionSink& sink);

/// Sets a label's text only when it changed (no needless relayout).
void setTextIfChanged(QLabel* label, const QString& text);
/// Sets a text box's text only when it differs, so the player's cursor and
/// selection stay where they are.
void setTextIfChanged(QLineEdit* edit, const QString& text);

}  // namespace mironeka::qt
