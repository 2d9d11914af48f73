#include "qt/windows.h"

#include <QLabel>
#include <QPushButton>

#include "app/screens.h"
#include "garden/garden_screen.h"
#include "qt/fonts.h"
#include "qt/garden_window.h"
#include "ui/number_text.h"

namespace mironeka::qt {

namespace {

const QString kTitle = QString::fromUtf8(ui::kApplicationTitle);
const QColor kGround(255, 255, 128);
const QColor kStageBack(192, 192, 255);
const QColor kResultBack(0, 255, 0);
// The classic desktop's inactive-caption-text colour, behind the red notice
// of the score-code screen.
const QColor kInactiveCaptionText(212, 208, 200);

QString qs(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

SplashWindow::SplashWindow(ActionSink& sink)
    : FormWindow(ui::FormId::Form1, {QString(), {366, 140}, Frame::None, kGround, false}, sink) {
    addImage(1, {0, 0}, Asset::Logo);
    addImage(2, {312, 0}, Asset::BlackColony);
    addLabel(1, {8, 48, 313, 73}, QStringLiteral("ミロネカ"),
             {gameFont(48), QColor(128, 128, 128), kGround});
    addLabel(2, {224, 120, 129, 17}, QStringLiteral("VELMORAKI　2024～"), {{}, Qt::black, kGround});
    raiseControls();
}

IntroWindow::IntroWindow(ActionSink& sink)
    : FormWindow(ui::FormId::Form2, {kTitle, {328, 218}, Frame::FixedSingle, kGround, true}, sink) {
    // A sample garden: two rows of four tiles, 48 pixels apart.
    constexpr std::array<Asset, 8> kSample{Asset::BlackColony, Asset::Grass, Asset::Ground,
                                           Asset::Puddle,      Asset::Sugar, Asset::Ground,
                                           Asset::RedColony,   Asset::Ground};
    for (int i = 0; i < 8; ++i) {
        addImage(i + 1, {56 + 48 * (i % 4), 48 * (i / 4)}, kSample.at(static_cast<std::size_t>(i)));
    }
    addLabel(1, {0, 104, 313, 97},
             QStringLiteral("このゲームは、何もない庭にアリを住ませるゲームです。"
                            "アリたちをいっぱい誘致してください。"),
             {gameFont(18), Qt::black, kGround});
    addButton(1, {88, 184, 113, 25}, QStringLiteral("OK"));
    raiseControls();
}

StageSelectWindow::StageSelectWindow(ActionSink& sink)
    : FormWindow(ui::FormId::Form4, {kTitle, {608, 574}, Frame::None, kStageBack, false}, sink) {
    addLabel(3, {0, 0, 593, 17}, kTitle, {{}, Qt::white, QColor(0, 0, 192)});
    addButton(1, {592, 0, 17, 17}, QStringLiteral("×"));
    addLabel(1, {0, 24, 609, 17},
             QStringLiteral("下の家を上から見た図から、好きな場所のボタンを押してアリを誘致して"
                            "ください。"),
             {gameFont(12), Qt::black, QColor(128, 255, 255)});
    addImage(1, {0, 48}, Asset::HouseMap);

    static const std::array<QString, 6> kNumbers{"①", "②", "③", "④", "⑤", "⑥"};
    constexpr std::array<QPoint, 6> kOpenAt{QPoint(144, 184), QPoint(248, 160), QPoint(496, 184),
                                            QPoint(336, 432), QPoint(128, 336), QPoint(32, 256)};
    for (std::size_t g = 0; g < 6; ++g) {
        const int n = static_cast<int>(g);
        open_.at(g) = addButton(2 + n, {kOpenAt.at(g), QSize(25, 25)}, kNumbers.at(g));
        resume_.at(g) = addButton(8 + n, {176 + 40 * n, 544, 25, 25}, kNumbers.at(g));
        resume_.at(g)->hide();
    }
    addLabel(2, {24, 552, 137, 17}, QStringLiteral("今誘致している土地を開く"),
             {{}, Qt::black, kStageBack});
    addLabel(4, {424, 552, 105, 17}, QStringLiteral("現在の累計ポイント"),
             {{}, Qt::black, kStageBack});
    total_ = addLabel(5, {536, 552, 33, 17}, QStringLiteral("0"), {{}, Qt::black, kStageBack});
    raiseControls();
}

void StageSelectWindow::sync(const ui::Screen& screen) {
    const auto& s = dynamic_cast<const app::StageSelectScreen&>(screen);
    for (std::size_t g = 0; g < 6; ++g) {
        const int garden = static_cast<int>(g) + 1;
        open_.at(g)->setVisible(s.openButtonVisible(garden));
        resume_.at(g)->setVisible(s.resumeButtonVisible(garden));
    }
    setTextIfChanged(total_, qs(ui::numberText(s.totalPoints())));
}

ResultWindow::ResultWindow(ActionSink& sink)
    : FormWindow(ui::FormId::Form10, {kTitle, {273, 313}, Frame::FixedDialog, kResultBack, true},
                 sink) {
    addLabel(1, {8, 0, 257, 233},
             QStringLiteral("ミロネカ期間が終わりました。。お疲れ様でした。"
                            "家に誘致できたアリのグループは、、"),
             {gameFont(27.75), Qt::black, kResultBack});
    total_ = addLabel(2, {112, 232, 137, 49}, QString(), {gameFont(36), Qt::black, kResultBack});
    send_ = addButton(1, {40, 280, 97, 25}, QStringLiteral("スコアを送信！"));
    quit_ = addButton(2, {144, 280, 73, 25}, QStringLiteral("終了"));
    send_->hide();
    quit_->hide();
    raiseControls();
}

void ResultWindow::sync(const ui::Screen& screen) {
    const auto& s = dynamic_cast<const app::ResultScreen&>(screen);
    setTextIfChanged(total_, qs(s.shownTotalText()));
    send_->setVisible(s.buttonsVisible());
    quit_->setVisible(s.buttonsVisible());
}

ScoreCodeWindow::ScoreCodeWindow(ActionSink& sink)
    : FormWindow(ui::FormId::Form11,
                 {QStringLiteral("スコア送信"), {283, 152}, Frame::FixedSingle, QColor(), true},
                 sink) {
    addLabel(1, {8, 0, 97, 17}, QStringLiteral("スコアコード："));
    addLabel(2, {136, 0, 121, 17}, QStringLiteral("送信先メールアドレス"));
    addLabel(3, {8, 40, 265, 65},
             QStringLiteral("件名に”スコア”と書き、本文にスコアコードとランキングに登録する"
                            "ニックネームを書いて上記のメールアドレスに送信してください。"
                            "月間で一番のスコアの方にプレゼントがあります。"
                            "スコアはVELMORAKIのホームページで公開しています。"));
    addLabel(4, {16, 128, 249, 17}, QStringLiteral("※期間によって開催していない場合があります。"),
             {{}, QColor(255, 0, 0), kInactiveCaptionText});
    constexpr std::array<QRect, 3> kBoxes{QRect(8, 16, 121, 18), QRect(136, 16, 137, 18),
                                          QRect(16, 104, 233, 18)};
    for (std::size_t i = 0; i < 3; ++i) {
        const int number = static_cast<int>(i) + 2;
        auto* box = addTextBox(number, kBoxes.at(i));
        boxes_.at(i) = box;
        connect(box, &QLineEdit::textEdited, this, [this, number](const QString& text) {
            send(app::Action::Kind::Type, ui::text(number), text.toStdString());
        });
    }
    raiseControls();
}

void ScoreCodeWindow::sync(const ui::Screen& screen) {
    const auto& s = dynamic_cast<const app::ScoreCodeScreen&>(screen);
    for (std::size_t i = 0; i < 3; ++i) {
        setTextIfChanged(boxes_.at(i), qs(s.boxText(static_cast<int>(i) + 2)));
    }
}

std::unique_ptr<FormWindow> makeWindow(const ui::Screen& screen, ActionSink& sink) {
    if (const auto* garden = dynamic_cast<const garden::GardenScreen*>(&screen)) {
        return std::make_unique<GardenWindow>(*garden, sink);
    }
    switch (screen.form()) {
        case ui::FormId::Form1:
            return std::make_unique<SplashWindow>(sink);
        case ui::FormId::Form2:
            return std::make_unique<IntroWindow>(sink);
        case ui::FormId::Form4:
            return std::make_unique<StageSelectWindow>(sink);
        case ui::FormId::Form10:
            return std::make_unique<ResultWindow>(sink);
        case ui::FormId::Form11:
            return std::make_unique<ScoreCodeWindow>(sink);
        default:
            return nullptr;
    }
}

}  // namespace mironeka::qt
