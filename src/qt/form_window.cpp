#include "qt/form_window.h"

#include <qdrawutil.h>

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QStyle>

#include "qt/fonts.h"

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

}  // namespace

void PictureButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, PictureCache::pixmap(picture_, size(), devicePixelRatioF()));
    qDrawWinButton(&painter, rect(), palette(), isDown(), nullptr);
}

FormWindow::FormWindow(const ui::ScreenSpec& layout, ActionSink& sink)
    : QWidget(nullptr, flagsFor(layout.frame)), layout_(layout), sink_(sink) {
    setObjectName(QString::fromStdString(ui::formName(layout.form)));
    setWindowTitle(text(layout.caption));
    setFont(defaultFont());
    if (layout.back) {
        QPalette pal = palette();
        pal.setColor(QPalette::Window, colour(*layout.back));
        setPalette(pal);
    }
    setAutoFillBackground(true);
    if (layout.icon) setWindowIcon(gameWindowIcon());
    const QSize client(layout.client.width, layout.client.height);
    setFixedSize(client);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, client,
                                        screen->availableGeometry()));
    }
    // The bare background hears pointer moves where the screen wants them.
    setMouseTracking(layout.tracksPointer);

    for (const auto& spec : layout.widgets) {
        if (!layout.onWindow(spec)) continue;  // cut off by the window's edge
        if (QWidget* w = build(spec)) {
            w->setObjectName(QString::fromStdString(ui::widgetName(spec.id)));
            bound_.push_back({spec.id, w});
        }
    }
    raiseControls();
}

QWidget* FormWindow::build(const ui::WidgetSpec& spec) {
    switch (spec.id.kind) {
        case ui::WidgetKind::Label:
            return addLabel(spec);
        case ui::WidgetKind::Command:
            return addButton(spec);
        case ui::WidgetKind::Text:
            return addTextBox(spec);
        case ui::WidgetKind::Image: {
            auto* image = new ImageWidget(spec.picture, qRect(spec.box).size(), this);
            image->move(spec.box.left, spec.box.top);
            connect(image, &ImageWidget::clicked, this,
                    [this, id = spec.id] { send(app::Action::Kind::Click, id); });
            return image;
        }
        case ui::WidgetKind::Line: {
            // A black line one pixel wide, end points included.
            auto* line = new QWidget(this);
            line->setGeometry(qRect(spec.box));
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

QLabel* FormWindow::addLabel(const ui::WidgetSpec& spec) {
    auto* label = new QLabel(text(spec.text), this);
    label->setGeometry(qRect(spec.box));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    if (spec.look.points != ui::Look{}.points) label->setFont(gameFont(spec.look.points));
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, colour(spec.look.text));
    if (spec.look.back) {
        pal.setColor(QPalette::Window, colour(*spec.look.back));
        label->setAutoFillBackground(true);
    }
    label->setPalette(pal);
    return label;
}

QPushButton* FormWindow::addButton(const ui::WidgetSpec& spec) {
    QPushButton* button = nullptr;
    if (spec.picture) {
        button = new PictureButton(*spec.picture, this);
        button->setGeometry(qRect(spec.box));
    } else {
        button = new QPushButton(text(spec.text), this);
        button->setGeometry(qRect(spec.box));
        button->setFixedSize(qRect(spec.box).size());
        button->setAutoDefault(false);
    }
    if (!spec.tooltip.empty()) button->setToolTip(text(spec.tooltip));
    if (!spec.startsVisible) button->hide();
    if (spec.tracksPointer) {
        button->setMouseTracking(true);
        button->installEventFilter(this);
    }
    connect(button, &QPushButton::clicked, this,
            [this, id = spec.id] { send(app::Action::Kind::Click, id); });
    return button;
}

QLineEdit* FormWindow::addTextBox(const ui::WidgetSpec& spec) {
    auto* edit = new QLineEdit(this);
    edit->setGeometry(qRect(spec.box));
    edit->setFixedSize(qRect(spec.box).size());
    // The layout's boxes are one line of 9-point text in 18 pixels: a thin
    // frame and no extra margins, or the text would be clipped.
    edit->setTextMargins(0, -2, 0, -2);
    edit->setText(text(spec.text));
    edit->setReadOnly(spec.readOnly);
    if (!spec.readOnly) {
        connect(edit, &QLineEdit::textEdited, this, [this, id = spec.id](const QString& t) {
            send(app::Action::Kind::Type, id, t.toStdString());
        });
    }
    return edit;
}

void FormWindow::raiseControls() {
    for (auto* b : findChildren<QPushButton*>(Qt::FindDirectChildrenOnly)) b->raise();
    for (auto* e : findChildren<QLineEdit*>(Qt::FindDirectChildrenOnly)) e->raise();
}

void FormWindow::sync(const ui::Screen& screen) {
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
                widget->setVisible(screen.widgetVisible(id));
                break;
            case ui::WidgetKind::Image:
                static_cast<ImageWidget*>(widget)->setPicture(screen.widgetPicture(id));
                break;
            case ui::WidgetKind::Line:
            case ui::WidgetKind::Timer:
                break;
        }
    }
}

void FormWindow::closeEvent(QCloseEvent* event) {
    // The game decides: a framed screen's close box is an action of the
    // player; the next refresh removes the window if the screen went away.
    event->ignore();
    if (layout_.hasCloseBox()) send(app::Action::Kind::Close);
}

void FormWindow::mouseMoveEvent(QMouseEvent* event) {
    if (layout_.tracksPointer && childAt(event->position().toPoint()) == nullptr) {
        send(app::Action::Kind::Move);
    }
    QWidget::mouseMoveEvent(event);
}

bool FormWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove) {
        for (const auto& [id, widget] : bound_) {
            if (widget == watched) {
                send(app::Action::Kind::Move, id);
                break;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool FormWindow::send(app::Action::Kind kind, std::optional<ui::WidgetId> widget,
                      std::string text) {
    return sink_.act(app::Action{kind, layout_.form, widget, std::move(text)});
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
