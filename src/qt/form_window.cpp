#include "qt/form_window.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <algorithm>

#include "qt/controls.h"
#include "qt/fonts.h"
#include "qt/looks.h"

namespace mironeka::qt {

namespace {

Qt::WindowFlags flagsFor(ui::Frame frame) {
    switch (frame) {
        case ui::Frame::None:
            return Qt::Window | Qt::FramelessWindowHint;
        case ui::Frame::FixedSingle:
            return Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint;
        case ui::Frame::FixedDialog:
            return Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint;
    }
    return Qt::Window;
}

QColor colour(ui::Rgb c) { return {c.r, c.g, c.b}; }
QRect qRect(ui::Rect r) { return {r.left, r.top, r.width, r.height}; }
QString text(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// A screen's window, to screen readers: a frame named by its caption, whose
// children are the widgets it exposes.
class FormAccessible final : public QAccessibleWidget {
  public:
    explicit FormAccessible(FormWindow* w) : QAccessibleWidget(w, QAccessible::Window) {}
    int childCount() const override { return static_cast<int>(children().size()); }
    QAccessibleInterface* child(int index) const override {
        const auto list = children();
        if (index < 0 || index >= list.size()) return nullptr;
        return QAccessible::queryAccessibleInterface(list.at(index));
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child == nullptr ? -1 : static_cast<int>(children().indexOf(child->object()));
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return widget()->windowTitle();
        return QAccessibleWidget::text(t);
    }

  private:
    QList<QObject*> children() const {
        QList<QObject*> out;
        for (QWidget* w : static_cast<const FormWindow*>(widget())->exposedWidgets()) out << w;
        return out;
    }
};

// A picture that is no control: an image, to screen readers.
class ImageAccessible final : public QAccessibleWidget {
  public:
    explicit ImageAccessible(QWidget* w) : QAccessibleWidget(w, QAccessible::Graphic) {}
};

QAccessibleInterface* accessibleFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("mironeka::qt::FormWindow")) {
        return new FormAccessible(static_cast<FormWindow*>(object));
    }
    // Asked again for the base class of a tile: a tile is left to Qt's
    // button interface.
    if (className == QLatin1String("mironeka::qt::ImageWidget") &&
        qobject_cast<TileButton*>(object) == nullptr) {
        return new ImageAccessible(static_cast<QWidget*>(object));
    }
    return nullptr;
}

}  // namespace

FormWindow::FormWindow(const ui::ScreenSpec& layout, ActionSink& sink)
    : QWidget(nullptr, flagsFor(layout.frame)), layout_(layout), sink_(sink) {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(accessibleFactory);
        return true;
    }();
    (void)factoryInstalled;
    setObjectName(QString::fromStdString(ui::formName(layout.form)));
    setWindowTitle(text(layout.caption));
    setFont(defaultFont());
    setPalette(gamePalette());
    if (layout.back) {
        QPalette pal = palette();
        pal.setColor(QPalette::Window, colour(*layout.back));
        setPalette(pal);
    }
    setAutoFillBackground(true);
    if (layout.icon) setWindowIcon(gameWindowIcon());
    const QSize client(layout.client.width, layout.client.height);
    setFixedSize(client);
    placeOnScreen(this);
    // The bare background hears pointer moves where the screen wants them.
    setMouseTracking(layout.tracksPointer);

    for (const auto& entry : layout.widgets) {
        if (!layout.onWindow(entry)) continue;  // cut off by the window's edge
        if (QWidget* w = build(entry)) {
            w->setObjectName(QString::fromStdString(ui::widgetName(entry.id)));
            w->installEventFilter(this);
            // A move over a widget is that widget's (a tool's hint) or
            // nobody's (a tile, a caption): never the background's.
            w->setAttribute(Qt::WA_NoMousePropagation);
            bound_.push_back({entry.id, w});
        }
    }
    for (const ui::WidgetId id : layout.grid) {
        for (const auto& [bid, w] : bound_) {
            if (bid == id) grid_.push_back(w);
        }
    }
    raiseControls();
    orderFocus();
    focusFirst();
}

QWidget* FormWindow::build(const ui::WidgetSpec& entry) {
    switch (entry.id.kind) {
        case ui::WidgetKind::Label:
            return addLabel(entry);
        case ui::WidgetKind::Command:
            return addButton(entry);
        case ui::WidgetKind::Text:
            return addTextBox(entry);
        case ui::WidgetKind::Image: {
            const QSize size = qRect(entry.box).size();
            const bool inGrid =
                std::find(layout_.grid.begin(), layout_.grid.end(), entry.id) != layout_.grid.end();
            ImageWidget* image = inGrid ? new TileButton(entry.picture, size, this)
                                        : new ImageWidget(entry.picture, size, this);
            image->move(entry.box.left, entry.box.top);
            connect(image, &QAbstractButton::clicked, this,
                    [this, id = entry.id] { send(app::Action::Kind::Click, id); });
            return image;
        }
        case ui::WidgetKind::Line: {
            // A black line one pixel wide, end points included.
            auto* line = new QWidget(this);
            line->setGeometry(qRect(entry.box));
            QPalette pal = line->palette();
            pal.setColor(QPalette::Window, Qt::black);
            line->setPalette(pal);
            line->setAutoFillBackground(true);
            return line;
        }
        case ui::WidgetKind::Timer:
            break;
    }
    return nullptr;
}

QLabel* FormWindow::addLabel(const ui::WidgetSpec& entry) {
    auto* label = new QLabel(text(entry.text), this);
    label->setGeometry(qRect(entry.box));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    if (entry.look.points != ui::Look{}.points) label->setFont(gameFont(entry.look.points));
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, colour(entry.look.text));
    if (entry.look.back) {
        pal.setColor(QPalette::Window, colour(*entry.look.back));
        label->setAutoFillBackground(true);
    }
    label->setPalette(pal);
    return label;
}

QPushButton* FormWindow::addButton(const ui::WidgetSpec& entry) {
    QPushButton* button = nullptr;
    if (entry.picture) {
        button = new PictureButton(*entry.picture, this);
        button->setGeometry(qRect(entry.box));
    } else {
        button = new TextButton(text(entry.text), this);
        button->setGeometry(qRect(entry.box));
        button->setFixedSize(qRect(entry.box).size());
        button->setAutoDefault(false);
    }
    if (!entry.tooltip.empty()) button->setToolTip(text(entry.tooltip));
    if (!entry.startsVisible) button->hide();
    if (entry.tracksPointer) button->setMouseTracking(true);
    connect(button, &QPushButton::clicked, this,
            [this, id = entry.id] { send(app::Action::Kind::Click, id); });
    return button;
}

QLineEdit* FormWindow::addTextBox(const ui::WidgetSpec& entry) {
    auto* edit = new QLineEdit(this);
    edit->setGeometry(qRect(entry.box));
    edit->setFixedSize(qRect(entry.box).size());
    // The layout's boxes are one line of 9-point text in 18 pixels: a thin
    // frame and no extra margins, or the text would be clipped.
    edit->setTextMargins(0, -2, 0, -2);
    edit->setText(text(entry.text));
    edit->setReadOnly(entry.readOnly);
    if (!entry.readOnly) {
        connect(edit, &QLineEdit::textEdited, this, [this, id = entry.id](const QString& t) {
            send(app::Action::Kind::Type, id, t.toStdString());
        });
    }
    limitTextBox(edit);
    return edit;
}

void FormWindow::raiseControls() {
    for (auto* b : findChildren<QPushButton*>(Qt::FindDirectChildrenOnly)) b->raise();
    for (auto* e : findChildren<QLineEdit*>(Qt::FindDirectChildrenOnly)) e->raise();
}

void FormWindow::sync(const ui::Screen& screen) {
    // The driver calls this only when the screen has changed.
    synced_ = screen.revision();
    bool focusHidden = false;
    for (const auto& [id, widget] : bound_) {
        switch (id.kind) {
            case ui::WidgetKind::Label:
                setTextIfChanged(static_cast<QLabel*>(widget),
                                 QString::fromStdString(screen.widgetText(id)));
                break;
            case ui::WidgetKind::Text:
                setTextIfChanged(static_cast<QLineEdit*>(widget),
                                 QString::fromStdString(screen.widgetText(id)));
                break;
            case ui::WidgetKind::Command: {
                const bool visible = screen.widgetVisible(id);
                // Hiding the focused button would hand the focus to whatever
                // comes next in the Tab order, a "×" perhaps.
                if (!visible && focusWidget() == widget) focusHidden = true;
                widget->setVisible(visible);
                break;
            }
            case ui::WidgetKind::Image:
                static_cast<ImageWidget*>(widget)->setPicture(screen.widgetPicture(id));
                break;
            case ui::WidgetKind::Line:
            case ui::WidgetKind::Timer:
                break;
        }
        const QString name = QString::fromStdString(screen.accessibleName(id));
        if (widget->accessibleName() != name) widget->setAccessibleName(name);
        const QString description = QString::fromStdString(screen.accessibleDescription(id));
        if (widget->accessibleDescription() != description) {
            widget->setAccessibleDescription(description);
        }
    }
    if (focusHidden || focusWidget() == nullptr || !focusWidget()->isVisibleTo(this)) focusFirst();
}

QList<QWidget*> FormWindow::exposedWidgets() const { return exposed_; }

void FormWindow::hideAndRelease() {
    hide();
    if (testAttribute(Qt::WA_WState_Created)) destroy();
}

void FormWindow::orderFocus() {
    // Each stop with the place it stands; the grid as one stop at its first tile.
    std::vector<std::pair<QPoint, std::vector<QWidget*>>> stops;
    for (const auto& [id, widget] : bound_) {
        if (widget->focusPolicy() == Qt::NoFocus) continue;
        const int g = gridIndex(widget);
        if (g > 0) continue;
        stops.push_back(
            {{widget->x(), widget->y()}, g == 0 ? grid_ : std::vector<QWidget*>{widget}});
    }
    std::stable_sort(stops.begin(), stops.end(), [](const auto& a, const auto& b) {
        return std::pair(a.first.y(), a.first.x()) < std::pair(b.first.y(), b.first.x());
    });
    QWidget* previous = nullptr;
    for (const auto& stop : stops) {
        for (QWidget* w : stop.second) {
            if (previous != nullptr) setTabOrder(previous, w);
            previous = w;
            exposed_ << w;
        }
    }
    // The grid is one stop: only its current tile takes Tab.
    for (std::size_t i = 0; i < grid_.size(); ++i) {
        grid_[i]->setFocusPolicy(i == 0 ? Qt::StrongFocus : Qt::ClickFocus);
    }
    // Then what a screen reader reads but the keyboard doesn't stop at.
    for (const auto& [id, widget] : bound_) {
        const ui::WidgetSpec* entry = layout_.find(id);
        if (entry->exposed && !exposed_.contains(widget)) exposed_ << widget;
    }
}

void FormWindow::focusFirst() {
    for (const ui::WidgetId id : layout_.firstFocus) {
        for (const auto& [bid, widget] : bound_) {
            if (bid == id && widget->isVisibleTo(this)) {
                widget->setFocus(Qt::OtherFocusReason);
                return;
            }
        }
    }
}

int FormWindow::gridIndex(const QWidget* w) const {
    auto it = std::find(grid_.begin(), grid_.end(), w);
    return it == grid_.end() ? -1 : static_cast<int>(it - grid_.begin());
}

void FormWindow::moveInGrid(int from, int key) {
    const int columns = layout_.gridColumns;
    const int count = static_cast<int>(grid_.size());
    const int row = from / columns;
    const int column = from % columns;
    int to = from;
    if (key == Qt::Key_Left && column > 0) to = from - 1;
    if (key == Qt::Key_Right && column < columns - 1 && from + 1 < count) to = from + 1;
    if (key == Qt::Key_Up && row > 0) to = from - columns;
    if (key == Qt::Key_Down && from + columns < count) to = from + columns;
    if (to == from) return;
    grid_[static_cast<std::size_t>(to)]->setFocusPolicy(Qt::StrongFocus);
    grid_[static_cast<std::size_t>(to)]->setFocus(Qt::TabFocusReason);
    grid_[static_cast<std::size_t>(from)]->setFocusPolicy(Qt::ClickFocus);
}

bool FormWindow::event(QEvent* event) {
    // The window manager frames a window after it is shown; the first move
    // or resize that shows the frame centres the window by it.
    if (!placed_ && (event->type() == QEvent::Move || event->type() == QEvent::Resize) &&
        isVisible()) {
        placed_ = placeByFrame(this);
    }
    return QWidget::event(event);
}

void FormWindow::closeEvent(QCloseEvent* event) {
    // The game decides: a framed screen's close box is an action of the
    // player; the next refresh removes the window if the screen went away.
    event->ignore();
    if (layout_.hasCloseBox()) send(app::Action::Kind::Close);
}

void FormWindow::mouseMoveEvent(QMouseEvent* event) {
    if (layout_.tracksPointer) sendMove(std::nullopt);
    QWidget::mouseMoveEvent(event);
}

bool FormWindow::eventFilter(QObject* watched, QEvent* event) {
    // Every event of every widget passes here (paints too): look the widget
    // up only for the few this window answers.
    const auto type = event->type();
    if (type != QEvent::MouseMove && type != QEvent::FocusIn && type != QEvent::KeyPress) {
        return QWidget::eventFilter(watched, event);
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    const ui::WidgetSpec* entry = nullptr;
    for (const auto& [id, w] : bound_) {
        if (w == watched) entry = layout_.find(id);
    }
    if (widget == nullptr || entry == nullptr) return QWidget::eventFilter(watched, event);

    switch (event->type()) {
        case QEvent::MouseMove:
            if (entry->tracksPointer) sendMove(entry->id);
            break;
        case QEvent::FocusIn:
            // A tool that takes the keyboard focus shows its hint, as
            // pointing at it does.
            if (entry->tracksPointer) send(app::Action::Kind::Move, entry->id);
            break;
        case QEvent::KeyPress: {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (const int g = gridIndex(widget);
                g >= 0 && (key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up ||
                           key == Qt::Key_Down)) {
                moveInGrid(g, key);
                return true;
            }
            // Enter, like Space, clicks the focused button or tile.
            if (auto* button = qobject_cast<QAbstractButton*>(widget);
                button != nullptr && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
                button->click();
                return true;
            }
            break;
        }
        default:
            break;
    }
    return QWidget::eventFilter(watched, event);
}

bool FormWindow::send(app::Action::Kind kind, std::optional<ui::WidgetId> widget,
                      std::string text) {
    return sink_.act(app::Action{kind, layout_.form, widget, std::move(text)});
}

void FormWindow::sendMove(std::optional<ui::WidgetId> widget) {
    // What lastMove_ holds is compared: lastMove_ == widget would take a
    // move over the background (an empty widget) for a different place from
    // the last move over the background, and send every one of them.
    if (lastMove_.has_value() && *lastMove_ == widget && lastMoveRevision_ == synced_) return;
    send(app::Action::Kind::Move, widget);
    lastMove_ = widget;
    lastMoveRevision_ = synced_;  // the refresh after the move has run
}

std::unique_ptr<FormWindow> makeWindow(const ui::Screen& screen, ActionSink& sink) {
    return std::make_unique<FormWindow>(screen.layout(), sink);
}

void setTextIfChanged(QLabel* label, const QString& text) {
    if (label->text() != text) label->setText(text);
}

void setTextIfChanged(QLineEdit* edit, const QString& text) {
    if (edit->text() != text) edit->setText(text);
}

}  // namespace mironeka::qt
