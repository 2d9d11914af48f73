// Plays one game on a virtual clock, through every screen, and saves a
// picture of each window in a typical state: mironeka-screenshots DIR.
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <cstdio>

#include "qt/manual_play.h"
#include "qt/startup.h"

namespace {

using mironeka::app::Action;
using mironeka::ui::FormId;
namespace ui = mironeka::ui;

class Play : public mironeka::qt::ManualPlay {
  public:
    explicit Play(QDir dir) : dir_(std::move(dir)) {}

    void pressOk() {
        if (auto* box = driver().messageBox()) {
            box->defaultButton()->click();
        } else {
            std::fprintf(stderr, "no message box to close\n");
            ok_ = false;
        }
    }
    void save(FormId form, const QString& name) {
        auto* w = window(form);
        const QString path = dir_.filePath(name + ".png");
        if (w == nullptr || !w->grab().save(path)) {
            std::fprintf(stderr, "could not save %s\n", qPrintable(path));
            ok_ = false;
            return;
        }
        std::printf("%s\n", qPrintable(path));
    }
    [[nodiscard]] bool ok() const { return ok_ && refused() == 0; }

  private:
    QDir dir_;
    bool ok_ = true;
};

// Tools: Command2 sugar, Command3 puddle, Command4 grass.
constexpr int kSugar = 2;
constexpr int kPuddle = 3;
constexpr int kGrass = 4;

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: mironeka-screenshots DIR\n");
        return 2;
    }
    QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.mkpath(QStringLiteral("."))) return 1;
    // The game's look and the player's language, as the game has them.
    mironeka::qt::prepareApplication();

    Play play(dir);
    play.save(FormId::Form1, QStringLiteral("splash"));
    play.wait(1500);
    play.save(FormId::Form2, QStringLiteral("intro"));
    play.click(FormId::Form2, ui::command(1));

    // Garden 1: two lumps of sugar bring black ants; the hint of the tool
    // under the pointer.
    const FormId g1 = mironeka::app::Game::gardenForm(1);
    play.click(FormId::Form4, ui::command(2));
    play.place(g1, kSugar, {6, 7});
    play.place(g1, kPuddle, {16});
    play.nextDay(g1);
    play.act(Action::Kind::Move, g1, ui::command(kSugar));
    play.save(g1, QStringLiteral("garden-1"));

    // Garden 2: too much sugar brings red ants.
    const FormId g2 = mironeka::app::Game::gardenForm(2);
    play.click(FormId::Form4, ui::command(3));
    play.place(g2, kSugar, {1, 2, 3, 5, 9});
    play.place(g2, kGrass, {16});
    play.nextDay(g2);
    play.save(g2, QStringLiteral("garden-2"));

    play.wait(1000);  // the score board adds up
    play.save(FormId::Form4, QStringLiteral("stage-select"));

    // Gardens 3 to 6: a mix of tools and one day.
    for (int g = 3; g <= 6; ++g) {
        const FormId form = mironeka::app::Game::gardenForm(g);
        play.click(FormId::Form4, ui::command(1 + g));
        play.place(form, kSugar, {g + 3});
        play.place(form, kPuddle, {1, 4});
        play.place(form, kGrass, {13, 14, 16});
        play.nextDay(form);
        play.save(form, QStringLiteral("garden-%1").arg(g));
    }

    // Every garden to its end; each end is a message to close.
    for (int g = 1; g <= 6; ++g) {
        const FormId form = mironeka::app::Game::gardenForm(g);
        for (int day = 2; day <= 7; ++day) play.nextDay(form);
        play.pressOk();
    }
    play.wait(1000);  // the score board sees six finished gardens
    play.wait(5000);  // the total, then the buttons
    play.save(FormId::Form10, QStringLiteral("result"));
    play.click(FormId::Form10, ui::command(1));
    play.wait(100);
    play.save(FormId::Form11, QStringLiteral("score-code"));
    if (play.refused() != 0) std::fprintf(stderr, "%d actions were refused\n", play.refused());
    return play.ok() ? 0 : 1;
}
