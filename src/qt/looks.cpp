#include "qt/looks.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QMargins>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <memory>
#include <utility>

namespace mironeka::qt {

namespace {

const QColor kButtonFace(212, 208, 200);
const QColor kButtonShadow(128, 128, 128);
const QColor kDarkShadow(64, 64, 64);
const QColor kSelection(10, 36, 106);
const QColor kTipBack(255, 255, 225);
const QColor kGreyText(128, 128, 128);

// Undo steps a text box may gather before its history is cleared: eight
// rewrites of a full box, a few hundred kilobytes at most.
constexpr qsizetype kUndoBudget = 8 * kTextBoxMaxLength;

// About how many undo steps a box records for a change from `before` to
// `after` characters when `selected` characters were selected: one per
// character removed and one per character inserted, and a separator.
qsizetype undoSteps(qsizetype before, qsizetype after, qsizetype selected) {
    const qsizetype removed = selected > 0 ? selected : std::max<qsizetype>(0, before - after);
    const qsizetype inserted = std::max<qsizetype>(0, after - (before - removed));
    return removed + inserted + 1;
}

// Setting the same text again empties the box's undo history; the cursor
// and the selection are put back as they were.
void clearUndoHistory(QLineEdit* box) {
    const int cursor = box->cursorPosition();
    const int start = box->selectionStart();
    const int length = box->selectionLength();
    box->setText(box->text());
    if (length > 0 && cursor == start) {
        box->setSelection(start + length, -length);
    } else if (length > 0) {
        box->setSelection(start, length);
    } else {
        box->setCursorPosition(cursor);
    }
}

}  // namespace

QPalette gamePalette() {
    const std::pair<QPalette::ColorRole, QColor> kColours[] = {
        {QPalette::Window, kButtonFace},
        {QPalette::WindowText, Qt::black},
        {QPalette::Button, kButtonFace},
        {QPalette::ButtonText, Qt::black},
        {QPalette::Base, Qt::white},
        {QPalette::AlternateBase, QColor(246, 245, 244)},
        {QPalette::Text, Qt::black},
        {QPalette::BrightText, Qt::white},
        {QPalette::PlaceholderText, kGreyText},
        {QPalette::Light, Qt::white},
        {QPalette::Midlight, kButtonFace},
        {QPalette::Mid, QColor(160, 160, 160)},
        {QPalette::Dark, kButtonShadow},
        {QPalette::Shadow, kDarkShadow},
        {QPalette::Highlight, kSelection},
        {QPalette::HighlightedText, Qt::white},
        {QPalette::ToolTipBase, kTipBack},
        {QPalette::ToolTipText, Qt::black},
        {QPalette::Link, Qt::blue},
        {QPalette::LinkVisited, QColor(128, 0, 128)},
    };
    QPalette p;
    for (const auto& [role, colour] : kColours) p.setColor(role, colour);
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        p.setColor(QPalette::Disabled, role, kGreyText);
    }
    p.setColor(QPalette::Disabled, QPalette::Base, kButtonFace);
    return p;
}

QPoint startPosition(QSize frame, QRect available) {
    const int x = available.left() + (available.width() - frame.width()) / 2;
    const int y = available.top() + (available.height() - frame.height()) / 2;
    return {std::max(x, available.left()), std::max(y, available.top())};
}

namespace {
// The frame (title bar and borders) the window manager put around the last
// framed window: the best guess for the next one before it is shown.
QMargins& knownFrame() {
    static QMargins frame;
    return frame;
}
}  // namespace

void placeOnScreen(QWidget* window) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    // Before the first show the frame is not known: the frame of the last
    // framed window stands for it. A window manager puts the frame's corner
    // at the position given.
    QSize frame = window->frameGeometry().size();
    const bool framed = !(window->windowFlags() & Qt::FramelessWindowHint);
    if (framed && frame == window->size()) frame = window->size().grownBy(knownFrame());
    window->move(startPosition(frame, screen->availableGeometry()));
}

QSize roomOnScreen(const QWidget* window) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return {QWIDGETSIZE_MAX, QWIDGETSIZE_MAX};
    const QRect available = screen->availableGeometry();
    if (window->windowFlags() & Qt::FramelessWindowHint) return available.size();
    return available.marginsRemoved(knownFrame()).size();
}

QSize scrolledSize(QSize content, QSize room, int bar) {
    QSize size = content.boundedTo(room);
    bool across = size.width() < content.width();
    bool down = size.height() < content.height();
    // A bar across the bottom takes height, one down the side width: the
    // one can make the other needed.
    if (across && !down) down = content.height() + bar > room.height();
    if (down && !across) across = content.width() + bar > room.width();
    if (across) size.setHeight(std::min(room.height(), content.height() + bar));
    if (down) size.setWidth(std::min(room.width(), content.width() + bar));
    return size;
}

bool placeByFrame(QWidget* window) {
    if (window->windowFlags() & Qt::FramelessWindowHint) return true;
    const QRect frame = window->frameGeometry();
    const QRect client = window->geometry();
    if (frame == client) return false;  // not known yet
    const QMargins margins(client.left() - frame.left(), client.top() - frame.top(),
                           frame.right() - client.right(), frame.bottom() - client.bottom());
    if (margins != knownFrame()) {
        knownFrame() = margins;
        placeOnScreen(window);
    }
    return true;
}

void limitTextBox(QLineEdit* box) {
    box->setMaxLength(kTextBoxMaxLength);
    // QLineEdit records one undo step per character inserted or removed and
    // never forgets one; a player pasting again and again would grow it for
    // ever.
    struct Budget {
        qsizetype length = 0;
        qsizetype selected = 0;  // before the change: textChanged comes first
        qsizetype spent = 0;
        bool clearing = false;
    };
    auto budget = std::make_shared<Budget>();
    budget->length = box->text().size();
    QObject::connect(box, &QLineEdit::selectionChanged, box,
                     [box, budget] { budget->selected = box->selectionLength(); });
    QObject::connect(box, &QLineEdit::textChanged, box, [box, budget](const QString& text) {
        if (budget->clearing) return;
        budget->spent += undoSteps(budget->length, text.size(), budget->selected);
        budget->length = text.size();
        if (budget->spent <= kUndoBudget) return;
        budget->spent = 0;
        budget->clearing = true;
        clearUndoHistory(box);
        budget->clearing = false;
    });
}

}  // namespace mironeka::qt
