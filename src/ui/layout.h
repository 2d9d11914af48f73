#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ui/picture.h"
#include "ui/widget_id.h"

namespace mironeka::ui {

class Screen;

struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;
    friend constexpr bool operator==(const Rgb&, const Rgb&) = default;
};

struct Size {
    int width = 0;
    int height = 0;
};

/// A widget's box in pixels from the top-left corner of the client area.
struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    /// True when some pixel of the box lies inside a client area of `area`.
    [[nodiscard]] constexpr bool meets(Size area) const {
        return width > 0 && height > 0 && left < area.width && top < area.height &&
               left + width > 0 && top + height > 0;
    }
};

/// The window frames of the game's screens.
enum class Frame {
    None,         // no title bar, no border: can't be closed or moved by the player
    FixedSingle,  // title bar with the caption and a close box, thin border, fixed size
    FixedDialog,  // the same, as a dialog
};

/// How a label or text box looks. Fonts are the game's Japanese font at
/// `points`; `back` unset lets the window's colour show through.
struct Look {
    double points = 9;
    Rgb text{0, 0, 0};
    std::optional<Rgb> back;
};

/// The most a text box holds, in UTF-16 code units as the toolkits count
/// them: a box holds a line, not a book.
inline constexpr std::size_t kTextBoxLimit = 1024;

/// One widget of a screen's layout, as it is when the screen is created.
/// Widgets that hold state the player must not see lie outside the client
/// area; timers have no box.
struct WidgetSpec {
    WidgetId id{WidgetKind::Label, 0};
    Rect box;
    std::string_view text;  // caption of a label or button, initial text of a box
    Look look;
    std::optional<Picture> picture;  // an image's picture, a picture button's face
    std::string_view tooltip;
    bool startsVisible = true;
    bool readOnly = false;       // a text box the player can select but not change
    bool tracksPointer = false;  // the screen hears the pointer moving over it
    int interval = 0;            // a timer's interval in milliseconds; 0 stopped
    /// For screen readers, where the caption, tooltip or picture doesn't say
    /// what the widget is; "" to take those.
    std::string_view accessibleName;
    /// False for what a screen reader should pass over: decoration, and
    /// parts of a text that another widget reads whole.
    bool exposed = true;
};

/// One field of a screen as the player would read it, for the runner's
/// checks and dumps: its name, how many values, and how to read them.
struct FieldSpec {
    std::string_view name;
    int count = 1;
    bool freeText = false;  // one value, the rest of the line; may be empty
    std::vector<std::string> (*read)(const Screen&) = nullptr;
};

/// One screen's layout: the window and every widget on it, and the fields
/// the runner can check. Everything about a screen that doesn't change at
/// run time is here; the screen supplies only what does.
struct ScreenSpec {
    FormId form = FormId::Form1;
    std::string_view caption;
    Size client;
    Frame frame = Frame::None;
    std::optional<Rgb> back;  // unset: the system's button face
    std::optional<Picture> icon;
    bool tracksPointer = false;  // the bare background hears pointer moves
    /// Where the keyboard focus goes when the window has none: the first of
    /// these that is visible. Never a "×".
    std::span<const WidgetId> firstFocus;
    /// Images that work as one grid of buttons, row by row, `gridColumns`
    /// wide: one stop for the Tab key, the arrow keys move inside it.
    std::span<const WidgetId> grid;
    int gridColumns = 0;
    std::span<const WidgetSpec> widgets;
    std::span<const FieldSpec> fields;

    [[nodiscard]] const WidgetSpec* find(WidgetId w) const;
    [[nodiscard]] bool hasCloseBox() const { return frame != Frame::None; }
    /// True when the widget can be seen at all: some of its box lies inside
    /// the client area.
    [[nodiscard]] bool onWindow(const WidgetSpec& w) const { return w.box.meets(client); }
    [[nodiscard]] const FieldSpec* field(std::string_view name) const;
};

/// Short ways to write the rows of a layout table.
namespace widgets {
constexpr WidgetSpec label(int n, Rect box, std::string_view text, Look look = {}) {
    return {.id = {WidgetKind::Label, n}, .box = box, .text = text, .look = look};
}
constexpr WidgetSpec button(int n, Rect box, std::string_view caption, bool visible = true,
                            std::string_view name = "") {
    return {.id = command(n),
            .box = box,
            .text = caption,
            .startsVisible = visible,
            .accessibleName = name};
}
constexpr WidgetSpec textBox(int n, Rect box, std::string_view text, std::string_view name = "") {
    return {.id = ui::text(n), .box = box, .text = text, .accessibleName = name};
}
constexpr WidgetSpec image(int n, Rect box, Picture picture) {
    return {.id = ui::image(n), .box = box, .picture = picture};
}
constexpr WidgetSpec line(int n, Rect box) {
    return {.id = {WidgetKind::Line, n}, .box = box, .exposed = false};
}
constexpr WidgetSpec timer(int n, int interval) {
    return {.id = {WidgetKind::Timer, n}, .interval = interval};
}
}  // namespace widgets

}  // namespace mironeka::ui
