#include "qt/form_window.h"

#include <QAbstractButton>
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
#include <QScrollArea>
#include <QStyle>
#include <algorithm>
#include <array>

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
// A text of the layout, in the player's language.
QString translated(std::string_view s) { return text(ui::translate("Game", s)); }

// A screen's window, to screen readers: a frame named by its caption, or
// by the game's name for the window, holding the window's page.
class FormAccessible final : public QAccessibleWidget {
  public:
    explicit FormAccessible(FormWindow* w) : QAccessibleWidget(w, QAccessible::Window) {}
    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override {
        return index == 0 ? QAccessible::queryAccessibleInterface(form()->page()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child != nullptr && child->object() == form()->page() ? 0 : -1;
    }
    QString text(QAccessible::Text t) const override {
        // The game's name for the window says which garden it is; the
        // caption on screen stays as it is.
        if (t == QAccessible::Name) {
            const QString name = widget()->accessibleName();
            return name.isEmpty() ? widget()->windowTitle() : name;
        }
        return QAccessibleWidget::text(t);
    }

  private:
    const FormWindow* form() const { return static_cast<const FormWindow*>(widget()); }
};

// What the window shows, scrolled or not: the widgets a screen reader
// sees, in the window's Tab order, the grid as one table. Its parent is the
// window; the scroll area in between is no part of the game.
class PageAccessible final : public QAccessibleWidget {
  public:
    explicit PageAccessible(QWidget* page) : QAccessibleWidget(page, QAccessible::Pane) {}
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(widget()->window());
    }
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
        return t == QAccessible::Name ? parent()->text(t) : QString();
    }

  private:
    const FormWindow* form() const { return static_cast<const FormWindow*>(widget()->window()); }
    QList<QObject*> children() const {
        QList<QObject*> out;
        for (QWidget* w : form()->exposedWidgets()) out << w;
        return out;
    }
};

// The garden's tiles, to screen readers: a table of rows and columns whose
// cells are the tiles, so a reader can say where a tile lies. Nothing of it
// is drawn; the tiles take the pointer.
class GridAccessible final : public QAccessibleWidget, public QAccessibleTableInterface {
  public:
    explicit GridAccessible(QWidget* grid) : QAccessibleWidget(grid, QAccessible::Table) {}
    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }
    int childCount() const override { return static_cast<int>(tiles().size()); }
    QAccessibleInterface* child(int index) const override {
        const auto& list = tiles();
        if (index < 0 || static_cast<std::size_t>(index) >= list.size()) return nullptr;
        return QAccessible::queryAccessibleInterface(list[static_cast<std::size_t>(index)]);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (child == nullptr) return -1;
        const auto& list = tiles();
        const auto at = std::find(list.begin(), list.end(), child->object());
        return at == list.end() ? -1 : static_cast<int>(at - list.begin());
    }

    // The table.
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override {
        if (row < 0 || column < 0 || column >= columnCount()) return nullptr;
        return child(row * columnCount() + column);
    }
    int columnCount() const override { return form()->gridColumns(); }
    int rowCount() const override {
        const int columns = columnCount();
        return columns == 0 ? 0 : (childCount() + columns - 1) / columns;
    }
    QString columnDescription(int) const override { return {}; }
    QString rowDescription(int) const override { return {}; }
    // A tile is pressed, never selected.
    int selectedCellCount() const override { return 0; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    QList<QAccessibleInterface*> selectedCells() const override { return {}; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

  private:
    const FormWindow* form() const { return static_cast<const FormWindow*>(widget()->window()); }
    const std::vector<QWidget*>& tiles() const { return form()->gridTiles(); }
};

// A tile: a cell of the grid's table, pressed as a button is.
class TileAccessible final : public QAccessibleWidget, public QAccessibleTableCellInterface {
  public:
    explicit TileAccessible(QWidget* tile) : QAccessibleWidget(tile, QAccessible::Cell) {}
    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TableCellInterface) {
            return static_cast<QAccessibleTableCellInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(t);
    }
    QAccessibleInterface* parent() const override { return table(); }
    QStringList actionNames() const override {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action == pressAction()) {
            static_cast<QAbstractButton*>(widget())->click();
        } else {
            QAccessibleWidget::doAction(action);
        }
    }

    // The cell.
    bool isSelected() const override { return false; }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return index() % columns(); }
    int rowIndex() const override { return index() / columns(); }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override {
        return QAccessible::queryAccessibleInterface(form()->gridArea());
    }

  private:
    const FormWindow* form() const { return static_cast<const FormWindow*>(widget()->window()); }
    int columns() const { return std::max(1, form()->gridColumns()); }
    int index() const {
        const auto& list = form()->gridTiles();
        return static_cast<int>(std::find(list.begin(), list.end(), widget()) - list.begin());
    }
};

// A picture that is no control: an image, to screen readers.
class ImageAccessible final : public QAccessibleWidget {
  public:
    explicit ImageAccessible(QWidget* w) : QAccessibleWidget(w, QAccessible::Graphic) {}
};

// Where a window's sentences for the screen reader come from: a
// notification, which screen readers say when it shows, wherever the
// focus is. Nothing of it is drawn.
const QLatin1String kAnnouncerName("Announcer");
const QLatin1String kPageName("Page");
const QLatin1String kGridName("Grid");
class AnnouncerAccessible final : public QAccessibleWidget {
  public:
    explicit AnnouncerAccessible(QWidget* w) : QAccessibleWidget(w, QAccessible::Notification) {}
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? widget()->accessibleName() : QString();
    }
};

QAccessibleInterface* accessibleFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("mironeka::qt::FormWindow")) {
        return new FormAccessible(static_cast<FormWindow*>(object));
    }
    if (className == QLatin1String("QWidget")) {
        const QString name = object->objectName();
        auto* widget = static_cast<QWidget*>(object);
        if (name == kAnnouncerName) return new AnnouncerAccessible(widget);
        if (name == kPageName) return new PageAccessible(widget);
        if (name == kGridName) return new GridAccessible(widget);
    }
    if (className == QLatin1String("mironeka::qt::TileButton")) {
        return new TileAccessible(static_cast<QWidget*>(object));
    }
    if (className == QLatin1String("mironeka::qt::ImageWidget")) {
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
    setWindowTitle(translated(layout.caption));
    setFont(defaultFont());
    setPalette(gamePalette());
    if (layout.back) {
        QPalette pal = palette();
        pal.setColor(QPalette::Window, colour(*layout.back));
        setPalette(pal);
    }
    setAutoFillBackground(true);
    if (layout.icon) setWindowIcon(gameWindowIcon());
    // The client area is a page laid out in pixels, in a scroll area that
    // shows scroll bars only when the window doesn't fit the screen.
    scroll_ = new QScrollArea(this);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setFocusPolicy(Qt::NoFocus);
    page_ = new QWidget;
    page_->setObjectName(kPageName);
    page_->setFixedSize(layout.client.width, layout.client.height);
    page_->setAutoFillBackground(true);
    // The bare background hears pointer moves where the screen wants them.
    page_->setMouseTracking(layout.tracksPointer);
    page_->installEventFilter(this);
    scroll_->setWidget(page_);
    fitToScreen();
    placeOnScreen(this);

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
    if (!grid_.empty()) {
        // The tiles' table for screen readers: nothing drawn, no input.
        QRect area;
        for (QWidget* tile : grid_) area |= tile->geometry();
        gridArea_ = new QWidget(page_);
        gridArea_->setObjectName(kGridName);
        gridArea_->setGeometry(area);
        gridArea_->setAttribute(Qt::WA_TransparentForMouseEvents);
        gridArea_->setFocusPolicy(Qt::NoFocus);
        gridArea_->setAccessibleName(translated(QT_TRANSLATE_NOOP("Game", "タイル")));
        gridArea_->lower();
    }
    announcer_ = new QWidget(page_);
    announcer_->setObjectName(kAnnouncerName);
    announcer_->setGeometry(0, 0, 0, 0);
    announcer_->setFocusPolicy(Qt::NoFocus);
    announcer_->hide();
    raiseControls();
    orderExposed();
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
            ImageWidget* image = inGrid ? new TileButton(entry.picture, size, page_)
                                        : new ImageWidget(entry.picture, size, page_);
            image->move(entry.box.left, entry.box.top);
            connect(image, &QAbstractButton::clicked, this,
                    [this, id = entry.id] { send(app::Action::Kind::Click, id); });
            return image;
        }
        case ui::WidgetKind::Line: {
            // A black line one pixel wide, end points included.
            auto* line = new QWidget(page_);
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
    auto* label = new QLabel(translated(entry.text), page_);
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
        button = new PictureButton(*entry.picture, page_);
        button->setGeometry(qRect(entry.box));
    } else {
        button = new TextButton(translated(entry.text), page_);
        button->setGeometry(qRect(entry.box));
        button->setFixedSize(qRect(entry.box).size());
        button->setAutoDefault(false);
    }
    if (!entry.tooltip.empty()) button->setToolTip(translated(entry.tooltip));
    if (!entry.startsVisible) button->hide();
    if (entry.tracksPointer) button->setMouseTracking(true);
    connect(button, &QPushButton::clicked, this,
            [this, id = entry.id] { send(app::Action::Kind::Click, id); });
    // A tool's button checked by a screen reader's Toggle is the player's
    // click; only the game checks it otherwise.
    connect(button, &QAbstractButton::toggled, this, [this, id = entry.id] {
        if (!syncing_) send(app::Action::Kind::Click, id);
    });
    return button;
}

QLineEdit* FormWindow::addTextBox(const ui::WidgetSpec& entry) {
    auto* edit = new QLineEdit(page_);
    edit->setGeometry(qRect(entry.box));
    edit->setFixedSize(qRect(entry.box).size());
    // The layout's boxes are one line of 9-point text in 18 pixels: a thin
    // frame and no extra margins, or the text would be clipped.
    edit->setTextMargins(0, -2, 0, -2);
    edit->setText(text(entry.text));
    edit->setReadOnly(entry.readOnly);
    // Every change that isn't the game's own (typed, pasted, undone, set by
    // a screen reader) goes to the game, read-only boxes too: the game
    // decides, and the box then shows what the game took.
    connect(edit, &QLineEdit::textChanged, this, [this, id = entry.id](const QString& t) {
        if (!syncing_) send(app::Action::Kind::Type, id, t.toStdString());
    });
    if (!entry.tooltip.empty()) edit->setToolTip(translated(entry.tooltip));
    limitTextBox(edit);
    return edit;
}

void FormWindow::raiseControls() {
    for (auto* b : page_->findChildren<QPushButton*>(Qt::FindDirectChildrenOnly)) b->raise();
    for (auto* e : page_->findChildren<QLineEdit*>(Qt::FindDirectChildrenOnly)) e->raise();
}

void FormWindow::sync(const ui::Screen& screen) {
    // The driver calls this only when the screen has changed.
    synced_ = screen.revision();
    syncing_ = true;
    if (const QString name = QString::fromStdString(screen.windowName());
        accessibleName() != name) {
        setAccessibleName(name);
    }
    std::vector<QWidget*> toHide;
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
            case ui::WidgetKind::Command:
                // A tool's button stays pressed while its tool is selected;
                // screen readers hear it as checked.
                if (const auto checked = screen.widgetChecked(id)) {
                    auto* button = static_cast<QAbstractButton*>(widget);
                    button->setCheckable(true);
                    if (button->isChecked() != *checked) button->setChecked(*checked);
                }
                if (screen.widgetVisible(id)) {
                    widget->show();
                } else {
                    toHide.push_back(widget);
                }
                break;
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
    syncing_ = false;
    // The focus moves before its button hides: Qt would hand it on by
    // itself, through every stop in between.
    const auto at = idOf(focusWidget());
    if (const auto to = sink_.policy().focusAfterChange(layout_.form, at); to != at) {
        focusOn(to, Qt::OtherFocusReason);
    }
    for (QWidget* w : toHide) w->hide();
}

void FormWindow::say(const QString& sentence) {
    // Shown afresh for each sentence: screen readers say a notification
    // when it shows.
    announcer_->hide();
    announcer_->setAccessibleName(sentence);
    announcer_->show();
}

QList<QWidget*> FormWindow::exposedWidgets() const { return exposed_; }

void FormWindow::hideAndRelease() {
    hide();
    if (testAttribute(Qt::WA_WState_Created)) destroy();
}

void FormWindow::orderExposed() {
    // The controls in the order Tab visits them.
    // The tiles are read as the grid's table, where the grid stops.
    const auto exposeOnce = [this](QWidget* w) {
        if (std::find(grid_.begin(), grid_.end(), w) != grid_.end()) w = gridArea_;
        if (!exposed_.contains(w)) exposed_ << w;
    };
    for (const ui::WidgetId id : app::FrontEnd::controlOrder(layout_)) {
        if (QWidget* w = widgetOf(id)) exposeOnce(w);
    }
    // Then what a screen reader reads but the keyboard doesn't stop at.
    for (const auto& [id, widget] : bound_) {
        if (layout_.find(id)->exposed) exposeOnce(widget);
    }
    exposed_ << announcer_;
    markGridStop();
}

void FormWindow::focusFirst() {
    focusOn(sink_.policy().focusStart(layout_.form), Qt::OtherFocusReason);
}

void FormWindow::focusOn(std::optional<ui::WidgetId> id, Qt::FocusReason reason) {
    if (!id) return;
    if (QWidget* w = widgetOf(*id)) {
        sink_.policy().focused(layout_.form, *id);
        markGridStop();
        w->setFocus(reason);
        // A window not yet shown starts at the page's top-left corner.
        if (isVisible()) scroll_->ensureWidgetVisible(w);
    }
}

void FormWindow::markGridStop() {
    // Only the grid's current tile takes Tab, and is what the window's
    // focus falls back to; the others take the focus by a click.
    const auto stop = sink_.policy().gridStop(layout_.form);
    for (QWidget* tile : grid_) {
        tile->setFocusPolicy(idOf(tile) == stop ? Qt::StrongFocus : Qt::ClickFocus);
    }
}

QWidget* FormWindow::widgetOf(ui::WidgetId id) const {
    for (const auto& [bid, w] : bound_) {
        if (bid == id) return w;
    }
    return nullptr;
}

std::optional<ui::WidgetId> FormWindow::idOf(const QWidget* w) const {
    for (const auto& [id, bw] : bound_) {
        if (bw == w) return id;
    }
    return std::nullopt;
}

bool FormWindow::focusNextPrevChild(bool next) {
    focusOn(sink_.policy().focusMove(layout_.form, idOf(focusWidget()),
                                     next ? app::FocusKey::Tab : app::FocusKey::BackTab),
            next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

bool FormWindow::fitToScreen() {
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scroll_);
    const QSize size = scrolledSize(page_->size(), roomOnScreen(this), bar);
    if (size == minimumSize() && size == maximumSize()) return false;
    setFixedSize(size);
    scroll_->setGeometry(rect());
    // Bars only where the window doesn't fit: asked to decide by itself, the
    // scroll area keeps the bars it showed while it was small.
    const auto policy = size == page_->size() ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded;
    scroll_->setHorizontalScrollBarPolicy(policy);
    scroll_->setVerticalScrollBarPolicy(policy);
    return true;
}

bool FormWindow::event(QEvent* event) {
    // The window manager frames a window after it is shown; the first move
    // or resize that shows the frame centres the window by it, and makes it
    // smaller if the frame made it larger than the screen.
    if (!placed_ && (event->type() == QEvent::Move || event->type() == QEvent::Resize) &&
        isVisible()) {
        placed_ = placeByFrame(this);
        if (placed_ && fitToScreen()) placeOnScreen(this);
    }
    return QWidget::event(event);
}

void FormWindow::closeEvent(QCloseEvent* event) {
    // The game decides: a framed screen's close box is an action of the
    // player; the next refresh removes the window if the screen went away.
    event->ignore();
    if (layout_.hasCloseBox()) send(app::Action::Kind::Close);
}

bool FormWindow::eventFilter(QObject* watched, QEvent* event) {
    // Every event of every widget passes here (paints too): look the widget
    // up only for the few this window answers.
    const auto type = event->type();
    if (watched == page_) {
        // The bare background.
        if (type == QEvent::MouseMove && layout_.tracksPointer) sendMove(std::nullopt);
        return QWidget::eventFilter(watched, event);
    }
    if (type != QEvent::MouseMove && type != QEvent::FocusIn && type != QEvent::KeyPress &&
        type != QEvent::MouseButtonDblClick) {
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
        case QEvent::MouseButtonDblClick:
            if (entry->id.kind == ui::WidgetKind::Text) sink_.openLink(layout_.form, entry->id);
            break;
        case QEvent::FocusIn:
            // A tile clicked becomes the grid's stop.
            sink_.policy().focused(layout_.form, entry->id);
            markGridStop();
            scroll_->ensureWidgetVisible(widget);
            // A tool that takes the keyboard focus shows its hint, as
            // pointing at it does.
            if (entry->tracksPointer) send(app::Action::Kind::Move, entry->id);
            break;
        case QEvent::KeyPress: {
            static constexpr std::array<std::pair<int, app::FocusKey>, 4> kArrows{{
                {Qt::Key_Left, app::FocusKey::Left},
                {Qt::Key_Right, app::FocusKey::Right},
                {Qt::Key_Up, app::FocusKey::Up},
                {Qt::Key_Down, app::FocusKey::Down},
            }};
            const auto* press = static_cast<QKeyEvent*>(event);
            const int key = press->key();
            // Enter in a box that names an address opens it, once a press
            // as a button clicks: a held key doesn't open mail after mail.
            if ((key == Qt::Key_Return || key == Qt::Key_Enter) &&
                entry->id.kind == ui::WidgetKind::Text) {
                std::optional<ui::Millis> time;
                if (press->timestamp() != 0) time = static_cast<ui::Millis>(press->timestamp());
                if (sink_.policy().keyPress(app::ClickKey::Enter, press->isAutoRepeat(), time)) {
                    sink_.openLink(layout_.form, entry->id);
                }
                break;
            }
            const auto arrow = std::find_if(kArrows.begin(), kArrows.end(),
                                            [key](const auto& a) { return a.first == key; });
            // The arrows belong to the grid, even at its edges.
            if (arrow != kArrows.end() &&
                std::find(grid_.begin(), grid_.end(), widget) != grid_.end()) {
                focusOn(sink_.policy().focusMove(layout_.form, entry->id, arrow->second),
                        Qt::TabFocusReason);
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
