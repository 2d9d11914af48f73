#include "qt/driver.h"

#include <QApplication>
#include <QDesktopServices>
#include <QIcon>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>

#include "app/layouts.h"
#include "qt/fonts.h"
#include "qt/form_window.h"

namespace mironeka::qt {

namespace {}

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
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease) {
        return QObject::eventFilter(watched, event);
    }
    const auto* key = static_cast<const QKeyEvent*>(event);
    if (key->key() == Qt::Key_F1 && type == QEvent::KeyPress) {
        openHelp();
        return true;
    }
    std::optional<app::ClickKey> clickKey;
    if (key->key() == Qt::Key_Space) clickKey = app::ClickKey::Space;
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
        clickKey = app::ClickKey::Enter;
    if (!clickKey || key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
        return QObject::eventFilter(watched, event);
    }
    auto* button = qobject_cast<QAbstractButton*>(watched);
    // The window system's time of the event, which a repeat's release and
    // press share; 0 on an event a program made.
    std::optional<ui::Millis> time;
    if (key->timestamp() != 0) time = static_cast<ui::Millis>(key->timestamp());
    if (type == QEvent::KeyRelease) {
        front_.keyRelease(*clickKey, key->isAutoRepeat(), time);
    } else if (button != nullptr && front_.keyPress(*clickKey, key->isAutoRepeat(), time) &&
               button->isEnabled()) {
        button->click();
    }
    // A button hears neither, so it never clicks on its own; a text box
    // types its spaces.
    return button != nullptr;
}

void Driver::openLink(ui::FormId form, ui::WidgetId widget) {
    const ui::Screen* screen = front_.game().screen(form);
    const std::string link = screen == nullptr ? std::string() : screen->link(widget);
    if (link.empty()) return;
    const QUrl url(QString::fromStdString(link), QUrl::StrictMode);
    if (!url.isValid()) return;
    if (opener_) {
        opener_(url);
    } else {
        QDesktopServices::openUrl(url);
    }
}

void Driver::openHelp() {
    if (!front_.helpAvailable()) return;
    if (!help_) help_ = std::make_unique<HelpWindow>();
    help_->open();
}

Driver::Reading Driver::read() {
    if (clock_) return {clock_(), 0};
    const qint64 ns = elapsed_.nsecsElapsed();
    return {ns / kNsPerMs, ns % kNsPerMs};
}

bool Driver::act(const app::Action& action) {
    const bool done = front_.act(action, read().ms);
    // A text box shows what the game took, and a tool's button whether the
    // game chose it, even when the game changed nothing.
    if ((action.kind == app::Action::Kind::Type || action.kind == app::Action::Kind::Click) &&
        app::isForm(action.form)) {
        slots_.at(static_cast<std::size_t>(ui::formIndex(action.form))).revision = ~0ULL;
    }
    sync();
    arm();
    return done;
}

void Driver::advance() {
    if (front_.turn(read().ms)) {
        ++deliveries_;
        sync();
    }
    arm();
}

void Driver::runTo(ui::Millis t) {
    front_.runTo(t);
    sync();
    arm();
}

FormWindow* Driver::window(ui::FormId form) const {
    return slots_.at(static_cast<std::size_t>(ui::formIndex(form))).window.get();
}

void Driver::arm() {
    const Reading now = read();
    const app::Wake wake = front_.wake(now.ms);
    switch (wake.kind) {
        case app::Wake::Kind::Stop:
            alarm_.stop();
            break;
        case app::Wake::Kind::Keep:
            break;
        case app::Wake::Kind::Set:
            // To the moment the clock turns to the deadline, which may be
            // less than a whole millisecond away: a step armed late in a
            // millisecond runs as the next one begins.
            alarm_.ringIn(std::chrono::nanoseconds(wake.in * kNsPerMs - now.ns));
            break;
    }
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
        const ui::Screen* screen = front_.game().ended() ? nullptr : front_.game().screen(form);
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
    sayNewSentences();
    syncMessage();
    if (front_.game().ended() && !endSignalled_) {
        endSignalled_ = true;
        alarm_.stop();
        emit gameEnded();
    }
}

void Driver::sayNewSentences() {
    for (auto& slot : slots_) {
        if (!slot.window || slot.model->announcements() == slot.announced) continue;
        slot.announced = slot.model->announcements();
        // A garden's last day ends after its window has gone: another
        // window that is on the screen says it.
        FormWindow* speaker = slot.window->isVisible() ? slot.window.get() : nullptr;
        for (auto& other : slots_) {
            if (speaker == nullptr && other.window && other.window->isVisible()) {
                speaker = other.window.get();
            }
        }
        if (speaker != nullptr) speaker->say(QString::fromStdString(slot.model->announcement()));
    }
}

void Driver::syncMessage() {
    const auto& text = front_.game().message();
    if (!text) {
        dropMessageBox();
        return;
    }
    if (box_) return;
    auto* box = new QMessageBox(
        QMessageBox::NoIcon, QString::fromStdString(ui::translate("Game", ui::kApplicationTitle)),
        QString::fromStdString(*text), QMessageBox::NoButton);
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
