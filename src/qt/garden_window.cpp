#include "qt/garden_window.h"

#include <qdrawutil.h>

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionButton>

#include "qt/fonts.h"
#include "ui/number_text.h"

namespace mironeka::qt {

namespace {

constexpr int kTiles = 16;
constexpr int kFirstTool = 2;  // Command2 sugar, 3 puddle, 4 grass, 5 level
constexpr QSize kToolPictureSize(25, 25);

struct ToolLayout {
    Asset picture;
    QPoint at;
    const char* tooltip;
};
// Command2..Command5, in that order.
constexpr std::array<ToolLayout, 4> kTools{{
    {Asset::Sugar, {224, 120}, "砂糖"},
    {Asset::Puddle, {224, 160}, "水溜り"},
    {Asset::Grass, {224, 200}, "草"},
    {Asset::Ground, {224, 80}, "砂地"},
}};

const QColor kGardenBack(0, 192, 0);

// The black 1-pixel frame lines of the play area, end points included.
void addLine(QWidget* parent, int number, QRect box) {
    auto* line = new QWidget(parent);
    line->setObjectName(QStringLiteral("Line%1").arg(number));
    line->setGeometry(box);
    QPalette pal = line->palette();
    pal.setColor(QPalette::Window, Qt::black);
    line->setPalette(pal);
    line->setAutoFillBackground(true);
}

}  // namespace

void PictureButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, PictureCache::pixmap(asset_, kToolPictureSize, devicePixelRatioF()));
    qDrawWinButton(&painter, rect(), palette(), isDown(), nullptr);
}

QPoint GardenWindow::tileOrigin(int n) {
    const int r = (n - 1) / 4;
    const int c = (n - 1) % 4;
    return {8 + 48 * c, 48 + 48 * r};
}

GardenWindow::GardenWindow(const garden::GardenScreen& garden, ActionSink& sink)
    : FormWindow(garden.variant().form,
                 {QString::fromStdString(garden.title()),
                  {garden.variant().width, garden.variant().height},
                  Frame::None,
                  kGardenBack,
                  false},
                 sink) {
    const QString title = QString::fromStdString(garden.title());
    addLabel(13, {0, 0, 257, 17}, title, {{}, Qt::white, QColor(0, 0, 255)});
    addButton(6, {256, 0, 17, 17}, QStringLiteral("×"));
    addLabel(9, {8, 24, 25, 17}, QStringLiteral("あと"));
    daysLeft_ = addLabel(10, {32, 24, 9, 17}, QStringLiteral("7"));
    addLabel(11, {40, 24, 17, 17}, QStringLiteral("日"));
    addLabel(14, {128, 24, 81, 17}, QStringLiteral("現在のポイント"));
    points_ = addTextBox(37, {208, 24, 49, 18});
    points_->setText(QStringLiteral("0"));
    points_->setReadOnly(true);  // selectable and copyable, not editable
    addLabel(1, {216, 56, 41, 17}, QStringLiteral("ツール"));
    hint_ = addLabel(12, {208, 232, 57, 33}, QString());
    addButton(1, {56, 256, 105, 33}, QStringLiteral("次の日へスキップ"));

    for (std::size_t i = 0; i < kTools.size(); ++i) {
        const int number = kFirstTool + static_cast<int>(i);
        auto* tool = new PictureButton(kTools[i].picture, this);
        tool->setObjectName(QStringLiteral("Command%1").arg(number));
        tool->setGeometry({kTools[i].at, kToolPictureSize});
        tool->setToolTip(QString::fromUtf8(kTools[i].tooltip));
        tool->setMouseTracking(true);
        tool->installEventFilter(this);
        connect(tool, &QPushButton::clicked, this,
                [this, number] { send(app::Action::Kind::Click, ui::command(number)); });
        tools_.at(i) = tool;
    }

    for (int n = 1; n <= kTiles; ++n) {
        tiles_.at(static_cast<std::size_t>(n - 1)) = addImage(n, tileOrigin(n), Asset::Ground);
    }
    addLine(this, 1, {0, 16, 1, 281});
    addLine(this, 2, {0, 296, 273, 1});
    addLine(this, 3, {272, 16, 1, 281});

    // The bare background reports pointer moves; widgets don't, except the
    // tool buttons through the event filter.
    setMouseTracking(true);
    raiseControls();
}

void GardenWindow::sync(const ui::Screen& screen) {
    const auto& g = dynamic_cast<const garden::GardenScreen&>(screen);
    for (int n = 1; n <= kTiles; ++n) {
        tiles_.at(static_cast<std::size_t>(n - 1))->setAsset(assetOf(g.tilePicture(n)));
    }
    setTextIfChanged(daysLeft_, QString::fromStdString(ui::numberText(g.daysLeft())));
    setTextIfChanged(points_, QString::fromStdString(ui::numberText(g.points())));
    setTextIfChanged(hint_, QString::fromStdString(g.hintText()));
}

bool GardenWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove) {
        for (std::size_t i = 0; i < tools_.size(); ++i) {
            if (watched == tools_[i]) {
                send(app::Action::Kind::Move, ui::command(kFirstTool + static_cast<int>(i)));
                break;
            }
        }
    }
    return FormWindow::eventFilter(watched, event);
}

void GardenWindow::mouseMoveEvent(QMouseEvent* event) {
    if (childAt(event->position().toPoint()) == nullptr) send(app::Action::Kind::Move);
    FormWindow::mouseMoveEvent(event);
}

}  // namespace mironeka::qt
