#include "qt/form_window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include "qt/fonts.h"
#include "qt/looks.h"

namespace mironeka::qt {

namespace {

Qt::WindowFlags flagsFor(Frame frame) {
    switch (frame) {
        case Frame::None:
            return Qt::Window | Qt::FramelessWindowHint;
        case Frame::FixedSingle:
            return Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint;
        case Frame::FixedDialog:
            return Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint;
    }
    return Qt::Window;
}

QString widgetObjectName(ui::WidgetKind kind, int number) {
    return QString::fromStdString(ui::widgetName({kind, number}));
}

}  // namespace

FormWindow::FormWindow(ui::FormId form, const WindowLooks& looks, ActionSink& sink)
    : QWidget(nullptr, flagsFor(looks.frame)), form_(form), frame_(looks.frame), sink_(sink) {
    setObjectName(QString::fromStdString(ui::formName(form)));
    setWindowTitle(looks.caption);
    setFont(defaultFont());
    setPalette(gamePalette());
    if (looks.back.isValid()) {
        QPalette pal = palette();
        pal.setColor(QPalette::Window, looks.back);
        setPalette(pal);
    }
    setAutoFillBackground(true);
    if (looks.icon) setWindowIcon(gameWindowIcon());
    setFixedSize(looks.client);
    placeOnScreen(this);
}

void FormWindow::closeEvent(QCloseEvent* event) {
    // The game decides: a framed screen's close box is an action of the
    // player; the next refresh removes the window if the screen went away.
    event->ignore();
    if (frame_ != Frame::None) send(app::Action::Kind::Close);
}

QLabel* FormWindow::addLabel(int number, QRect box, const QString& text, const LabelLooks& looks) {
    auto* label = new QLabel(text, this);
    label->setObjectName(widgetObjectName(ui::WidgetKind::Label, number));
    label->setGeometry(box);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    if (looks.font) label->setFont(*looks.font);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, looks.text);
    if (looks.back.isValid()) {
        pal.setColor(QPalette::Window, looks.back);
        label->setAutoFillBackground(true);
    }
    label->setPalette(pal);
    return label;
}

QPushButton* FormWindow::addButton(int number, QRect box, const QString& caption) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(widgetObjectName(ui::WidgetKind::Command, number));
    button->setGeometry(box);
    button->setFixedSize(box.size());
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this,
            [this, number] { send(app::Action::Kind::Click, ui::command(number)); });
    return button;
}

ImageWidget* FormWindow::addImage(int number, QPoint at, Asset a) {
    auto* image = new ImageWidget(a, naturalSize(a), this);
    image->setObjectName(widgetObjectName(ui::WidgetKind::Image, number));
    image->move(at);
    connect(image, &ImageWidget::clicked, this,
            [this, number] { send(app::Action::Kind::Click, ui::image(number)); });
    return image;
}

QLineEdit* FormWindow::addTextBox(int number, QRect box) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(widgetObjectName(ui::WidgetKind::Text, number));
    edit->setGeometry(box);
    edit->setFixedSize(box.size());
    // The layout's boxes are one line of 9-point text in 18 pixels: a thin
    // frame and no extra margins, or the text would be clipped.
    edit->setTextMargins(0, -2, 0, -2);
    limitTextBox(edit);
    return edit;
}

void FormWindow::raiseControls() {
    for (auto* b : findChildren<QPushButton*>(Qt::FindDirectChildrenOnly)) b->raise();
    for (auto* e : findChildren<QLineEdit*>(Qt::FindDirectChildrenOnly)) e->raise();
}

bool FormWindow::send(app::Action::Kind kind, std::optional<ui::WidgetId> widget,
                      std::string text) {
    return sink_.act(app::Action{kind, form_, widget, std::move(text)});
}

void setTextIfChanged(QLabel* label, const QString& text) {
    if (label->text() != text) label->setText(text);
}

void setTextIfChanged(QLineEdit* edit, const QString& text) {
    if (edit->text() != text) edit->setText(text);
}

}  // namespace mironeka::qt
