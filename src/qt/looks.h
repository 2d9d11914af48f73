#pragma once

#include <QPalette>
#include <QPoint>
#include <QRect>
#include <QSize>

#include "ui/layout.h"

class QLineEdit;
class QWidget;

namespace mironeka::qt {

/// The one palette of the game's windows, whatever the desktop's theme:
/// the classic light desktop colours wherever the layout names no colour of
/// its own. Button faces and window backgrounds RGB(212,208,200), black
/// text, white text boxes, a navy selection with white text.
[[nodiscard]] QPalette gamePalette();

/// Where a window whose frame (title bar and border included) has the size
/// `frame` starts: centred in the `available` area of the screen, but never
/// with its top-left corner above or left of that area, so a window larger
/// than the screen still shows its title and its top-left part.
[[nodiscard]] QPoint startPosition(QSize frame, QRect available);

/// Moves a top-level window that has its final size to its start position
/// on the primary screen, centred by its whole frame as far as the frame is
/// known: before a framed window is first shown, the frame of the last one
/// stands for its own.
void placeOnScreen(QWidget* window);
/// Once the window manager has framed a shown window, centres it again by
/// its real frame if the guess was off, and remembers the frame for the next
/// window. False while the frame is not known yet.
bool placeByFrame(QWidget* window);
/// The largest client area a top-level window can have on the primary
/// screen: the screen's available area less the window's frame, as far as
/// the frame is known.
[[nodiscard]] QSize roomOnScreen(const QWidget* window);
/// The size of a window showing `content` in at most `room`: the content's
/// own size when it fits; otherwise as much as fits, with room for the
/// scroll bar (`bar` pixels) of each direction that needs one.
[[nodiscard]] QSize scrolledSize(QSize content, QSize room, int bar);

/// The most characters a text box takes, typed or pasted: the game's own
/// limit, so the box never shows more than the game keeps.
inline constexpr int kTextBoxMaxLength = static_cast<int>(ui::kTextBoxLimit);

/// Keeps what the player types or pastes into `box` from growing memory
/// without bound: at most kTextBoxMaxLength characters, and an undo history
/// that is cleared once it holds more than a few full rewrites of the box.
/// The box stays an ordinary editable box.
void limitTextBox(QLineEdit* box);

}  // namespace mironeka::qt
