#pragma once

#include <QImage>
#include <QMessageBox>
#include <QWidget>
#include <ostream>
#include <string>

#include "app/game.h"
#include "qt/manual_play.h"

// Colours in failure messages as rgb(r,g,b).
inline void PrintTo(const QColor& c, std::ostream* os) {
    *os << "rgb(" << c.red() << "," << c.green() << "," << c.blue() << ")";
}

namespace mironeka::view_test {

using app::Action;
using ui::FormId;

/// The game played by hand, with the test's ways to reach a screen and
/// find a widget.
class Session : public qt::ManualPlay {
  public:
    /// Plays on until the screen of `form` exists and is shown.
    void reach(FormId form);

    template <class T = QWidget>
    T* widget(FormId form, const char* name) const {
        auto* w = window(form);
        return w == nullptr ? nullptr : w->findChild<T*>(QString::fromLatin1(name));
    }
};

/// True when the colours differ by at most `tolerance` in every channel.
[[nodiscard]] bool near(QColor a, QColor b, int tolerance);
/// True when some pixel of the image is near `colour`.
[[nodiscard]] bool imageContains(const QImage& image, QColor colour, int tolerance = 0);

/// A window's picture and what a logical pixel of it looks like.
struct Grab {
    explicit Grab(QWidget* w) : image(w->grab().toImage()), ratio(image.devicePixelRatio()) {}
    [[nodiscard]] QColor at(int x, int y) const {
        return image.pixelColor(static_cast<int>(x * ratio), static_cast<int>(y * ratio));
    }
    /// True when some pixel of the logical rectangle has `colour`, each
    /// channel within `tolerance`.
    [[nodiscard]] bool contains(QRect logical, QColor colour, int tolerance = 0) const;
    QImage image;
    qreal ratio;
};

}  // namespace mironeka::view_test
