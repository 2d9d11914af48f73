// The game's looks on any desktop: readable under a dark theme, on the
// screen when the screen is small, and text boxes that can't grow memory.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTranslator>
#include <QtTest/QTest>
#include <cmath>
#include <cstddef>
#include <iostream>
#include <limits>
#include <map>

#if defined(__SANITIZE_ADDRESS__)
// From the sanitizer runtime (GCC ships no header for it).
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

#include "qt/controls.h"
#include "qt/looks.h"
#include "qt/startup.h"
#include "session.h"

namespace mironeka::view_test {
namespace {

// WCAG 2 relative luminance and contrast ratio.
double luminance(QColor c) {
    const auto channel = [](int v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}

double contrast(QColor a, QColor b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The colour that covers most of a logical rectangle of the grab.
QColor mostCommon(const Grab& grab, QRect logical) {
    std::map<QRgb, int> counts;
    for (int y = logical.top(); y <= logical.bottom(); ++y) {
        for (int x = logical.left(); x <= logical.right(); ++x) ++counts[grab.at(x, y).rgb()];
    }
    return QColor(std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) {
                      return a.second < b.second;
                  })->first);
}

int distance(QColor a, QColor b) {
    const int r = a.red() - b.red();
    const int g = a.green() - b.green();
    const int bl = a.blue() - b.blue();
    return r * r + g * g + bl * bl;
}

// True when text of colour `ink` is drawn on `back` in the rectangle: its
// pixel nearest to `ink` is nearer to it than to the background (thin
// anti-aliased strokes never reach the ink itself).
bool showsInk(const Grab& grab, QRect logical, QColor ink, QColor back) {
    int best = std::numeric_limits<int>::max();
    QColor nearest;
    for (int y = logical.top(); y <= logical.bottom(); ++y) {
        for (int x = logical.left(); x <= logical.right(); ++x) {
            const QColor c = grab.at(x, y);
            if (distance(c, ink) < best) {
                best = distance(c, ink);
                nearest = c;
            }
        }
    }
    return best < distance(nearest, back);
}

// A dark desktop theme's colours (qt6ct's "darker" scheme).
QPalette darkPalette() {
    QPalette p;
    p.setColor(QPalette::Window, QColor(0x22, 0x20, 0x20));
    p.setColor(QPalette::WindowText, Qt::white);
    p.setColor(QPalette::Button, QColor(0x42, 0x42, 0x45));
    p.setColor(QPalette::ButtonText, Qt::white);
    p.setColor(QPalette::Base, QColor(0x3d, 0x3d, 0x3d));
    p.setColor(QPalette::Text, Qt::white);
    p.setColor(QPalette::Light, QColor(0x97, 0x97, 0x97));
    p.setColor(QPalette::Midlight, QColor(0x5e, 0x5c, 0x5b));
    p.setColor(QPalette::Mid, QColor(0x4a, 0x49, 0x47));
    p.setColor(QPalette::Dark, QColor(0x30, 0x2f, 0x2e));
    return p;
}

bool isDark(QColor c) { return luminance(c) < 0.1; }

// Where a widget lies in its top-level window, cut to the window.
QRect placeIn(QWidget* top, QWidget* w) {
    return QRect(w->mapTo(top, QPoint(0, 0)), w->size()) & top->rect();
}

// The window's labels are readable on what is drawn behind them (except
// `exempt`), its buttons have light faces and dark text, its text boxes are
// white with dark text.
void expectReadableAndLight(QWidget* top, const QString& exempt = {}) {
    const Grab grab(top);
    int checked = 0;
    for (auto* label : top->findChildren<QLabel*>()) {
        const QRect box = placeIn(top, label);
        if (!label->isVisible() || label->text().isEmpty() || box.isEmpty()) continue;
        if (label->objectName() == exempt) continue;
        const QColor text = label->palette().color(label->foregroundRole());
        const QColor back = mostCommon(grab, box);
        EXPECT_TRUE(showsInk(grab, box, text, back))
            << label->objectName().toStdString() << " doesn't show its text colour";
        // Large text (18 pt and more) needs 3:1, other text 4.5:1.
        const double needed = label->font().pixelSize() >= 24 ? 3.0 : 4.5;
        EXPECT_GE(contrast(text, back), needed)
            << label->objectName().toStdString() << ": text " << text.name().toStdString() << " on "
            << back.name().toStdString();
        ++checked;
    }
    EXPECT_GT(checked, 0);

    for (auto* button : top->findChildren<QPushButton*>()) {
        if (!button->isVisible() || dynamic_cast<qt::PictureButton*>(button) != nullptr) continue;
        const QRect box = placeIn(top, button);
        const QColor face = mostCommon(grab, box.adjusted(2, 2, -2, -2));
        EXPECT_GT(luminance(face), 0.5)
            << button->objectName().toStdString() << " has the face " << face.name().toStdString();
        EXPECT_TRUE(showsInk(grab, box, Qt::black, face)) << button->objectName().toStdString();
    }
    for (auto* edit : top->findChildren<QLineEdit*>()) {
        const QRect box = placeIn(top, edit);
        if (!edit->isVisible() || box.isEmpty()) continue;
        const QColor back = mostCommon(grab, box.adjusted(2, 2, -2, -2));
        EXPECT_EQ(back, QColor(Qt::white)) << edit->objectName().toStdString();
        EXPECT_TRUE(showsInk(grab, box, Qt::black, back)) << edit->objectName().toStdString();
    }
}

// The desktop's palette is dark. Under the qt6ct test run the desktop
// theme itself is dark; otherwise the test darkens it.
class DarkDesktopGame : public ::testing::Test {
  protected:
    void SetUp() override {
        saved_ = QApplication::palette();
        if (qgetenv("QT_QPA_PLATFORMTHEME") == "qt6ct") {
            ASSERT_TRUE(isDark(saved_.color(QPalette::Window)))
                << "the dark desktop theme did not load; is qt6ct installed?";
        } else {
            QApplication::setPalette(darkPalette());
        }
    }
    void TearDown() override { QApplication::setPalette(saved_); }

    QPalette saved_;
    Session session;
};

// Every screen, also when the desktop turns dark while the game runs.
class DarkDesktop : public DarkDesktopGame, public ::testing::WithParamInterface<FormId> {};

TEST_P(DarkDesktop, LabelsAreReadableAndButtonsAndBoxesLight) {
    const FormId form = GetParam();
    session.reach(form);
    auto* w = session.window(form);
    ASSERT_NE(w, nullptr);
    // The score-code screen's notice is red on grey by the layout.
    expectReadableAndLight(w, form == FormId::Form11 ? QStringLiteral("Label4") : QString());
}

// The game's set-up puts its own palette over the dark desktop's for the
// windows it doesn't build itself, such as the garden's end message.
TEST_F(DarkDesktopGame, TheEndMessageIsLightAndReadable) {
    const QString style = QApplication::style()->name();
    QTranslator* translator = qt::prepareApplication();
    const FormId garden1 = app::Game::gardenForm(1);
    session.reach(garden1);
    for (int day = 1; day <= 7; ++day) session.nextDay(garden1);
    auto* box = session.driver().messageBox();
    ASSERT_NE(box, nullptr);
    expectReadableAndLight(box);
    EXPECT_GT(luminance(mostCommon(Grab(box), box->rect())), 0.5);
    if (translator != nullptr) QCoreApplication::removeTranslator(translator);
    delete translator;
    QApplication::setStyle(style);
}

INSTANTIATE_TEST_SUITE_P(Screens, DarkDesktop,
                         ::testing::Values(FormId::Form1, FormId::Form2, FormId::Form4,
                                           FormId::Form3, FormId::Form5, FormId::Form6,
                                           FormId::Form7, FormId::Form8, FormId::Form9,
                                           FormId::Form10, FormId::Form11),
                         [](const auto& p) { return ui::formName(p.param); });

struct PlacementCase {
    QSize frame;
    QRect available;
    QPoint expected;
};

void PrintTo(const PlacementCase& c, std::ostream* os) {
    *os << c.frame.width() << "x" << c.frame.height() << "_in_" << c.available.width() << "x"
        << c.available.height() << "+" << c.available.x() << "+" << c.available.y();
}

class StartPosition : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(StartPosition, CentresButKeepsTheTopLeftCornerOnTheScreen) {
    const auto& c = GetParam();
    EXPECT_EQ(qt::startPosition(c.frame, c.available), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Screens, StartPosition,
                         ::testing::Values(
                             // Fits: centred, as before.
                             PlacementCase{{366, 140}, {0, 0, 1280, 1024}, {457, 442}},
                             // A panel at the top and one at the left.
                             PlacementCase{{608, 574}, {40, 30, 1240, 994}, {356, 240}},
                             // Larger than the screen, in both directions or in one.
                             PlacementCase{{1824, 1722}, {0, 0, 1280, 1024}, {0, 0}},
                             PlacementCase{{1824, 1722}, {40, 30, 1240, 994}, {40, 30}},
                             PlacementCase{{1824, 300}, {0, 0, 1280, 1024}, {0, 362}},
                             PlacementCase{{300, 1722}, {0, 0, 1280, 1024}, {490, 0}},
                             // A second screen to the left of the first.
                             PlacementCase{{608, 574}, {-800, 0, 800, 600}, {-704, 13}}));

// Under a large scale factor (the view2x and view3x runs) the stage-select
// window is larger than the offscreen screen.
TEST(OnScreen, EveryWindowStartsWithItsCornerOnTheScreen) {
    Session session;
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    for (const FormId form : {FormId::Form1, FormId::Form2, FormId::Form4, FormId::Form3}) {
        session.reach(form);
        auto* w = session.window(form);
        ASSERT_NE(w, nullptr);
        EXPECT_TRUE(available.contains(w->frameGeometry().topLeft()))
            << ui::formName(form) << " at " << w->frameGeometry().x() << ","
            << w->frameGeometry().y();
    }
}

// A window larger than the screen (at scale 3 on a 640 x 480 screen) is cut
// to the screen and scrolls to the focused control, moved by Tab or by the
// arrows: the bottom row of tiles can still be reached.
TEST(OnScreen, AWindowLargerThanTheScreenIsCutToItAndScrollsToTheFocus) {
    Session session;
    const FormId form = app::Game::gardenForm(1);
    session.reach(form);
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    for (const FormId f : {FormId::Form4, form}) {
        EXPECT_LE(session.window(f)->frameGeometry().width(), available.width());
        EXPECT_LE(session.window(f)->frameGeometry().height(), available.height());
    }
    auto* garden = session.window(form);
    garden->activateWindow();
    QApplication::processEvents();
    session.widget(form, "Image1")->setFocus();
    for (int i = 0; i < 3; ++i) QTest::keyClick(garden->focusWidget(), Qt::Key_Down);
    QWidget* tile = session.widget(form, "Image13");
    ASSERT_EQ(garden->focusWidget(), tile);
    const QRect shown(tile->mapTo(garden, QPoint(0, 0)), tile->size());
    EXPECT_TRUE(garden->rect().contains(shown))
        << shown.x() << "," << shown.y() << " in " << garden->width() << "x" << garden->height();
}

// Resident and peak memory of this process, in kilobytes. Under
// AddressSanitizer, whose quarantine keeps freed memory resident, the bytes
// of live allocations instead.
struct Memory {
    long rss = 0;
    long peak = 0;
};

Memory memoryNow() {
    Memory m;
#if defined(__SANITIZE_ADDRESS__)
    m.rss = m.peak = static_cast<long>(__sanitizer_get_current_allocated_bytes() / 1024);
#else
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return m;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) m.rss = line.mid(6).trimmed().split(' ').first().toLong();
        if (line.startsWith("VmHWM:")) m.peak = line.mid(6).trimmed().split(' ').first().toLong();
    }
#endif
    return m;
}

TEST(ScoreCodeBoxes, PastingAgainAndAgainDoesNotGrowMemory) {
    Session session;
    session.reach(FormId::Form11);
    const QString pasted(100 * 1024, QLatin1Char('7'));
    QApplication::clipboard()->setText(pasted);
    const char* const kBoxes[] = {"Text2", "Text3", "Text4"};
    // One paste into each box first, so that what every box needs once is
    // already there.
    for (const char* name : kBoxes) {
        auto* box = session.widget<QLineEdit>(FormId::Form11, name);
        ASSERT_NE(box, nullptr);
        box->setFocus();
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    }
    const Memory before = memoryNow();
    ASSERT_GT(before.rss, 0);
    for (const char* name : kBoxes) {
        auto* box = session.widget<QLineEdit>(FormId::Form11, name);
        box->setFocus();
        for (int i = 0; i < 50; ++i) {
            QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
            QCoreApplication::processEvents();
        }
        // The box took the paste, up to its length.
        EXPECT_EQ(box->text(), pasted.left(qt::kTextBoxMaxLength)) << name;
    }
    const Memory after = memoryNow();
    std::cout << "memory: " << before.rss << " -> " << after.rss << " kB resident, peak "
              << before.peak << " -> " << after.peak << " kB\n";
    // Without a bound each paste kept about 1 MB.
    EXPECT_LT(after.rss - before.rss, 4 * 1024);
    EXPECT_LT(after.peak - before.peak, 4 * 1024);
}

TEST(ScoreCodeBoxes, StayOrdinaryEditableBoxes) {
    Session session;
    session.reach(FormId::Form11);
    auto* mail = session.widget<QLineEdit>(FormId::Form11, "Text3");
    ASSERT_NE(mail, nullptr);
    mail->setFocus();
    QTest::keyClick(mail, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(mail, "me@example.org");
    EXPECT_EQ(mail->text(), QStringLiteral("me@example.org"));
    // Undo still works for the last edits, also after a long run of them.
    for (int i = 0; i < 40; ++i) {
        QTest::keyClick(mail, Qt::Key_A, Qt::ControlModifier);
        QApplication::clipboard()->setText(QString(qt::kTextBoxMaxLength, QLatin1Char('x')));
        QTest::keyClick(mail, Qt::Key_V, Qt::ControlModifier);
    }
    QTest::keyClick(mail, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(mail, "abc");
    EXPECT_EQ(mail->text(), QStringLiteral("abc"));
    QTest::keyClick(mail, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_NE(mail->text(), QStringLiteral("abc"));
}

}  // namespace
}  // namespace mironeka::view_test
