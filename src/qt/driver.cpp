#include "qt/driver.h"

#include <QApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>

#include "qt/fonts.h"
#include "qt/form_window.h"

namespace mironeka::qt {

namespace {
const QString kMessageCaption = QString::fromUtf8(ui::kApplicationTitle);
}

Driver::Driver(Clock clock, QObject* parent)
    : QObject(parent), clock_(std::move(clock)), alarm_(Alarm::Precision::Best) {
    if (!clock_) elapsed_.start();
    connect(&alarm_, &Alarm::rang, this, &Driver::advance);
    if (auto* app = QCoreApplication::instance()) app->installEventFilter(this);
    sync();
    arm();
}

Driver::~Driver() {
    for (auto& slot : slots_) slot.window.reset();
    delete box_.data();
    for (const auto& w : retired_) delete w.data();
}

bool Driver::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    if (type == QEvent::KeyPress || type == QEvent::KeyRelease) {
        const auto* key = static_cast<const QKeyEvent*>(event);
        const int k = key->key();
        if (key->isAutoRepeat() &&
            (k == Qt::Key_Space || k == Qt::Key_Return || k == Qt::Key_Enter)) {
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

Driver::Reading Driver::read() {
    if (clock_) return {clock_(), 0};
    const qint64 ns = elapsed_.nsecsElapsed();
    return {ns / kNsPerMs, ns % kNsPerMs};
}

bool Driver::act(const app::Action& action) {
    game_.moveClockTo(read().ms);
    const bool done = game_.act(action);
    sync();
    arm();
    return done;
}

void Driver::advance() {
    if (game_.deliverNext(read().ms)) {
        ++deliveries_;
        sync();
    }
    arm();
}

void Driver::runTo(ui::Millis t) {
    game_.advanceTo(std::max(game_.now(), t));
    sync();
    arm();
}

FormWindow* Driver::window(ui::FormId form) const {
    return slots_.at(static_cast<std::size_t>(ui::formIndex(form))).window.get();
}

void Driver::arm() {
    const auto deadline = game_.ended() ? std::nullopt : game_.nextDeadline();
    if (!deadline) {
        alarm_.stop();
        return;
    }
    if (alarm_.isActive() && armedFor_ == *deadline) return;  // already waiting for it
    // A long wait is cut short; the alarm then finds nothing due and waits again.
    constexpr ui::Millis kLongestWait = 1 << 30;
    const Reading now = read();
    const ui::Millis ms = std::clamp<ui::Millis>(*deadline - now.ms, 0, kLongestWait);
    // To the moment the clock turns to the deadline, which may be less than
    // a whole millisecond away: a step armed late in a millisecond runs as
    // the next one begins.
    armedFor_ = *deadline;
    alarm_.ringIn(std::chrono::nanoseconds(ms * kNsPerMs - now.ns));
}

void Driver::retire(QWidget* widget) {
    widget->hide();
    widget->deleteLater();
    retired_.erase(std::remove(retired_.begin(), retired_.end(), nullptr), retired_.end());
    retired_.emplace_back(widget);
}

void Driver::sync() {
    std::vector<FormWindow*> toFront;
    for (int i = 0; i < ui::kFormCount; ++i) {
        const auto form = static_cast<ui::FormId>(i + 1);
        auto& slot = slots_.at(static_cast<std::size_t>(i));
        const ui::Screen* screen = game_.ended() ? nullptr : game_.screen(form);
        // Unloaded, or unloaded and created afresh: the old window goes.
        if (slot.window && slot.model != screen) retire(slot.window.release());
        if (screen == nullptr) {
            slot = Slot{};
            continue;
        }
        if (!slot.window) {
            slot.window = makeWindow(*screen, *this);
            slot.model = screen;
            slot.shown = 0;
        } else if (screen->revision() == slot.revision) {
            continue;  // nothing the player could see has changed
        }
        slot.revision = screen->revision();
        slot.window->sync(*screen);
        if (!screen->visible()) {
            slot.window->hideAndRelease();
        } else if (screen->showCount() != slot.shown || !slot.window->isVisible()) {
            toFront.push_back(slot.window.get());
        }
        slot.shown = screen->showCount();
    }
    // A screen that was shown comes up in front of the others.
    for (FormWindow* w : toFront) {
        w->show();
        w->raise();
        w->activateWindow();
    }
    syncMessage();
    if (game_.ended() && !endSignalled_) {
        endSignalled_ = true;
        alarm_.stop();
        emit gameEnded();
    }
}

void Driver::syncMessage() {
    const auto& text = game_.message();
    if (!text) {
        dropMessageBox();
        return;
    }
    if (box_) return;
    auto* box = new QMessageBox(QMessageBox::NoIcon, kMessageCaption, QString::fromStdString(*text),
                                QMessageBox::NoButton);
    QPushButton* ok = box->addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    // Blocks the player's input to every window, not the game's clock: the
    // box is shown without a nested event loop.
    box->setWindowModality(Qt::ApplicationModal);
    box->setFont(defaultFont());
    // The keys go to OK: Space or Enter closes the box.
    box->setDefaultButton(ok);
    ok->setFocus(Qt::OtherFocusReason);
    connect(box, &QMessageBox::finished, this, &Driver::messageClosed);
    box_ = box;
    box->show();
}

void Driver::dropMessageBox() {
    if (!box_) return;
    box_->disconnect(this);
    retire(box_);
    box_ = nullptr;
}

void Driver::messageClosed() {
    dropMessageBox();
    act(app::Action{app::Action::Kind::Ok, ui::FormId::Form1, std::nullopt, {}});
}

}  // namespace mironeka::qt
