#pragma once

#include <QWidget>

class QTextBrowser;

namespace mironeka::qt {

/// "遊び方", how to play: the game's help in the player's language, in a
/// window of the game's look beside the game's own. It scrolls, closes with
/// Escape or its close box, and changes nothing of the game: the game's
/// clock runs on while it is open.
class HelpWindow final : public QWidget {
    Q_OBJECT
  public:
    HelpWindow();
    /// Shows the window in front, at the top of the help when it opens.
    void open();
    /// The help as the window shows it (HTML).
    [[nodiscard]] static QString html();
    [[nodiscard]] QTextBrowser* browser() const { return browser_; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QTextBrowser* browser_;
};

}  // namespace mironeka::qt
