#pragma once

#include "ui/layout.h"
#include "ui/widget_id.h"

namespace mironeka::app {

/// The layout of any of the game's eleven screens.
[[nodiscard]] const ui::ScreenSpec& layoutOf(ui::FormId form);

/// True for the eleven forms of the game (anything else a caller may have
/// cast into a FormId is no screen).
[[nodiscard]] constexpr bool isForm(ui::FormId form) {
    const int i = ui::formIndex(form);
    return i >= 0 && i < ui::kFormCount;
}

// The screens' widgets that the code refers to by number.
namespace stage {
inline constexpr int kCloseButton = 1;
inline constexpr int kTotalLabel = 5;
/// Command(1 + g) opens garden g, Command(7 + g) resumes it.
[[nodiscard]] constexpr int openButton(int garden) { return 1 + garden; }
[[nodiscard]] constexpr int resumeButton(int garden) { return 7 + garden; }
}  // namespace stage
namespace result {
inline constexpr int kShownTotalLabel = 2;
inline constexpr int kSendButton = 1;
inline constexpr int kQuitButton = 2;
}  // namespace result
namespace scorecode {
inline constexpr int kCodeBox = 2;  // Text2, then the mail (Text3) and web (Text4) addresses
inline constexpr int kLastBox = 4;
}  // namespace scorecode

}  // namespace mironeka::app
