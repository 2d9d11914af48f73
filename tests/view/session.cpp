#include "session.h"

#include <cstdlib>

namespace mironeka::view_test {

void Session::reach(FormId form) {
    const auto* s = game().screen(form);
    if (s != nullptr && s->visible()) return;
    switch (form) {
        case FormId::Form1:
            return;
        case FormId::Form2:
            wait(1500);
            return;
        case FormId::Form4:
            reach(FormId::Form2);
            click(FormId::Form2, ui::command(1));
            return;
        case FormId::Form10:
            reach(FormId::Form4);
            for (int g = 1; g <= 6; ++g) {
                click(FormId::Form4, ui::command(1 + g));
                for (int day = 1; day <= 7; ++day) nextDay(app::Game::gardenForm(g));
                act(Action::Kind::Ok, FormId::Form1);
            }
            wait(1000);
            return;
        case FormId::Form11:
            reach(FormId::Form10);
            wait(5000);
            click(FormId::Form10, ui::command(1));
            wait(100);
            return;
        default:  // a garden
            reach(FormId::Form4);
            for (int g = 1; g <= 6; ++g) {
                if (app::Game::gardenForm(g) == form) click(FormId::Form4, ui::command(1 + g));
            }
            return;
    }
}

bool near(QColor a, QColor b, int tolerance) {
    return std::abs(a.red() - b.red()) <= tolerance &&
           std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

bool imageContains(const QImage& image, QColor colour, int tolerance) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (near(image.pixelColor(x, y), colour, tolerance)) return true;
        }
    }
    return false;
}

bool Grab::contains(QRect logical, QColor colour, int tolerance) const {
    const QRect device(
        QPoint(static_cast<int>(logical.left() * ratio), static_cast<int>(logical.top() * ratio)),
        logical.size() * ratio);
    return imageContains(image.copy(device), colour, tolerance);
}

}  // namespace mironeka::view_test
