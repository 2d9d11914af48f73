#include "qt/help_window.h"

#include <QKeyEvent>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "app/help.h"
#include "qt/fonts.h"
#include "qt/looks.h"
#include "ui/translate.h"

namespace mironeka::qt {

namespace {
QString translated(const char* context, const char* text) {
    return QString::fromStdString(ui::translate(context, text));
}
}  // namespace

QString HelpWindow::html() {
    QString out;
    bool inList = false;
    // The first heading is the window's title.
    for (const app::HelpEntry& entry : app::helpText().subspan(1)) {
        const QString text = translated("Help", entry.text).toHtmlEscaped();
        const bool item = entry.kind == app::HelpEntry::Kind::Item;
        if (inList && !item) out += QStringLiteral("</ul>");
        if (!inList && item) out += QStringLiteral("<ul>");
        inList = item;
        switch (entry.kind) {
            case app::HelpEntry::Kind::Heading:
                out += QStringLiteral("<h3>%1</h3>").arg(text);
                break;
            case app::HelpEntry::Kind::Paragraph:
                out += QStringLiteral("<p>%1</p>").arg(text);
                break;
            case app::HelpEntry::Kind::Item:
                out += QStringLiteral("<li>%1</li>").arg(text);
                break;
        }
    }
    if (inList) out += QStringLiteral("</ul>");
    return out;
}

HelpWindow::HelpWindow()
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint),
      browser_(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("Help"));
    // The heading of the help is the window's name.
    setWindowTitle(translated("Help", app::helpText().front().text));
    setFont(defaultFont());
    setPalette(gamePalette());
    browser_->setOpenLinks(false);
    browser_->setHtml(html());
    browser_->setAccessibleName(windowTitle());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    resize(420, 480);
}

void HelpWindow::open() {
    if (!isVisible()) {
        browser_->moveCursor(QTextCursor::Start);
        placeOnScreen(this);
    }
    show();
    raise();
    activateWindow();
    browser_->setFocus();
}

void HelpWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace mironeka::qt
