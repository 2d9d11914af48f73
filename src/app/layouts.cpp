#include "app/layouts.h"

#include <array>

#include "app/publisher.h"
#include "app/screens.h"
#include "garden/garden_layout.h"
#include "ui/screen.h"
#include "ui/translate.h"

namespace mironeka::app {

namespace {

using ui::FormId;
using ui::Frame;
using ui::Look;
using ui::Picture;
using ui::Rect;
using ui::Rgb;
using ui::WidgetKind;
using ui::WidgetSpec;

constexpr Rgb kGround{255, 255, 128};
constexpr Rgb kStageBack{192, 192, 255};
constexpr Rgb kResultGreen{0, 255, 0};
// The classic desktop's inactive-caption-text colour, behind the red notice
// of the score-code screen.
constexpr Rgb kInactiveCaptionText{212, 208, 200};
constexpr std::string_view kTitle = ui::kApplicationTitle;

using namespace ui::widgets;

constexpr Rect tile(int left, int top) { return {left, top, 50, 50}; }

// --- Form1, the splash ---------------------------------------------------------

constexpr std::array<WidgetSpec, 5> kSplash{{
    timer(1, 1500),
    image(1, {0, 0, 308, 46}, Picture::Logo),
    image(2, tile(312, 0), Picture::BlackColony),
    label(1, {8, 48, 313, 73}, QT_TRANSLATE_NOOP("Game", "ミロネカ"),
          {48, {128, 128, 128}, kGround}),
    label(2, {224, 120, 129, 17}, QT_TRANSLATE_NOOP("Game", "VELMORAKI　2024～"),
          {9, {0, 0, 0}, kGround}),
}};

// --- Form2, the introduction: a sample garden of two rows, and OK ----------------

constexpr std::array<WidgetSpec, 10> kIntro{{
    image(1, tile(56, 0), Picture::BlackColony),
    image(2, tile(104, 0), Picture::Grass),
    image(3, tile(152, 0), Picture::Ground),
    image(4, tile(200, 0), Picture::Puddle),
    image(5, tile(56, 48), Picture::Sugar),
    image(6, tile(104, 48), Picture::Ground),
    image(7, tile(152, 48), Picture::RedColony),
    image(8, tile(200, 48), Picture::Ground),
    label(1, {0, 104, 313, 97},
          QT_TRANSLATE_NOOP("Game",
                            "このゲームは、何もない庭にアリを住ませるゲームです。"
                            "アリたちをいっぱい誘致してください。"),
          {18, {0, 0, 0}, kGround}),
    button(1, {88, 184, 113, 25}, "OK"),
}};

// --- Form4, the stage-select screen ---------------------------------------------

constexpr Look kOnStage{9, {0, 0, 0}, kStageBack};

constexpr std::array<WidgetSpec, 27> kStageSelect{{
    label(3, {0, 0, 593, 17}, kTitle, {9, {255, 255, 255}, Rgb{0, 0, 192}}),
    button(stage::kCloseButton, {592, 0, 17, 17}, "×", true,
           QT_TRANSLATE_NOOP("Game", "ゲームを終了")),
    label(
        1, {0, 24, 609, 17},
        QT_TRANSLATE_NOOP(
            "Game", "下の家を上から見た図から、好きな場所のボタンを押してアリを誘致してください。"),
        {12, {0, 0, 0}, Rgb{128, 255, 255}}),
    image(1, {0, 48, 606, 493}, Picture::HouseMap),
    // The open buttons stand on the house: (1) upper left of it, (2) above
    // it, (3) its upper right corner by the balcony, (4) below it, (5) lower
    // left by the porch, (6) in the gap of the left wall.
    button(2, {144, 184, 25, 25}, "①", true, QT_TRANSLATE_NOOP("Game", "庭①を開く")),
    button(3, {248, 160, 25, 25}, "②", true, QT_TRANSLATE_NOOP("Game", "庭②を開く")),
    button(4, {496, 184, 25, 25}, "③", true, QT_TRANSLATE_NOOP("Game", "庭③を開く")),
    button(5, {336, 432, 25, 25}, "④", true, QT_TRANSLATE_NOOP("Game", "庭④を開く")),
    button(6, {128, 336, 25, 25}, "⑤", true, QT_TRANSLATE_NOOP("Game", "庭⑤を開く")),
    button(7, {32, 256, 25, 25}, "⑥", true, QT_TRANSLATE_NOOP("Game", "庭⑥を開く")),
    label(2, {24, 552, 137, 17}, QT_TRANSLATE_NOOP("Game", "今誘致している土地を開く"), kOnStage),
    // The resume buttons: a row at the bottom, hidden until their garden opens.
    button(8, {176, 544, 25, 25}, "①", false, QT_TRANSLATE_NOOP("Game", "庭①に戻る")),
    button(9, {216, 544, 25, 25}, "②", false, QT_TRANSLATE_NOOP("Game", "庭②に戻る")),
    button(10, {256, 544, 25, 25}, "③", false, QT_TRANSLATE_NOOP("Game", "庭③に戻る")),
    button(11, {296, 544, 25, 25}, "④", false, QT_TRANSLATE_NOOP("Game", "庭④に戻る")),
    button(12, {336, 544, 25, 25}, "⑤", false, QT_TRANSLATE_NOOP("Game", "庭⑤に戻る")),
    button(13, {376, 544, 25, 25}, "⑥", false, QT_TRANSLATE_NOOP("Game", "庭⑥に戻る")),
    // The caption is read with the total, not again on its own.
    {.id = {WidgetKind::Label, 4},
     .box = {424, 552, 105, 17},
     .text = QT_TRANSLATE_NOOP("Game", "現在の累計ポイント"),
     .look = kOnStage,
     .exposed = false},
    {.id = {WidgetKind::Label, stage::kTotalLabel},
     .box = {536, 552, 33, 17},
     .text = "0",
     .look = kOnStage,
     .accessibleName = QT_TRANSLATE_NOOP("Game", "現在の累計ポイント")},
    // Off the window: the gardens' scores and the count of finished gardens.
    textBox(1, {620, 0, 33, 18}, "0"),
    textBox(2, {620, 20, 33, 18}, "0"),
    textBox(3, {620, 40, 33, 18}, "0"),
    textBox(4, {620, 60, 33, 18}, "0"),
    textBox(5, {620, 80, 33, 18}, "0"),
    textBox(6, {620, 100, 33, 18}, "0"),
    textBox(7, {620, 140, 33, 18}, "0"),
    timer(1, 1000),
}};

// --- Form10, the result screen ----------------------------------------------------

constexpr std::array<WidgetSpec, 7> kResult{{
    label(1, {8, 0, 257, 233},
          QT_TRANSLATE_NOOP(
              "Game",
              "ミロネカ期間が終わりました。。お疲れ様でした。家に誘致できたアリのグループは、、"),
          {27.75, {0, 0, 0}, kResultGreen}),
    {.id = {WidgetKind::Label, result::kShownTotalLabel},
     .box = {112, 232, 137, 49},
     .look = {36, {0, 0, 0}, kResultGreen},
     .accessibleName = QT_TRANSLATE_NOOP("Game", "合計ポイント")},
    button(result::kSendButton, {40, 280, 97, 25}, QT_TRANSLATE_NOOP("Game", "スコアを送信！"),
           false),
    button(result::kQuitButton, {144, 280, 73, 25}, QT_TRANSLATE_NOOP("Game", "終了"), false),
    textBox(1, {290, 0, 49, 18}, "Text1"),  // off the window: the handed-over total
    timer(1, 4000),
    timer(2, 0),
}};

// --- Form11, the score-code screen -------------------------------------------------

constexpr std::array<WidgetSpec, 9> kScoreCode{{
    label(1, {8, 0, 97, 17}, QT_TRANSLATE_NOOP("Game", "スコアコード：")),
    textBox(2, {8, 16, 121, 18}, "Text2", QT_TRANSLATE_NOOP("Game", "スコアコード")),
    label(2, {136, 0, 121, 17}, QT_TRANSLATE_NOOP("Game", "送信先メールアドレス")),
    // Enter or a double-click opens what the box names (the screen's link).
    {.id = ui::text(3),
     .box = {136, 16, 137, 18},
     .text = kScoreMail,
     .tooltip = QT_TRANSLATE_NOOP("Game", "Enterかダブルクリックで、スコアのメールを作ります。"),
     .accessibleName = QT_TRANSLATE_NOOP("Game", "送信先メールアドレス")},
    label(
        3, {8, 40, 265, 65},
        QT_TRANSLATE_NOOP(
            "Game",
            "件名に”スコア”と書き、本文にスコアコードとランキングに登録するニックネームを書いて"
            "上記のメールアドレスに送信してください。月間で一番のスコアの方にプレゼントがあります。"
            "スコアはVELMORAKIのホームページで公開しています。")),
    {.id = ui::text(4),
     .box = {16, 104, 233, 18},
     .text = kRankingUrl,
     .tooltip =
         QT_TRANSLATE_NOOP("Game", "Enterかダブルクリックで、ランキングのページを開きます。"),
     .accessibleName = QT_TRANSLATE_NOOP("Game", "ランキングのページ")},
    // Still red, dark enough to read on the grey face (4.5:1 and more).
    label(4, {16, 128, 249, 17},
          QT_TRANSLATE_NOOP("Game", "※期間によって開催していない場合があります。"),
          {9, {176, 0, 0}, kInactiveCaptionText}),
    textBox(1, {300, 0, 49, 18}, "Text1"),  // off the window: the handed-over total
    timer(1, 100),
}};

// Where the keyboard starts: never on a "×".
constexpr std::array<ui::WidgetId, 1> kIntroFocus{ui::command(1)};
constexpr std::array<ui::WidgetId, 12> kStageFocus{
    ui::command(2),  ui::command(3),  ui::command(4),  ui::command(5),
    ui::command(6),  ui::command(7),  ui::command(8),  ui::command(9),
    ui::command(10), ui::command(11), ui::command(12), ui::command(13)};
constexpr std::array<ui::WidgetId, 2> kResultFocus{ui::command(result::kSendButton),
                                                   ui::command(result::kQuitButton)};
constexpr std::array<ui::WidgetId, 1> kScoreCodeFocus{ui::text(scorecode::kCodeBox)};

}  // namespace

const ui::ScreenSpec& layoutOf(FormId form) {
    static const std::array<ui::ScreenSpec, 5> kScreens{{
        {.form = FormId::Form1,
         .caption = "",
         .client = {366, 140},
         .back = kGround,
         .widgets = kSplash},
        {.form = FormId::Form2,
         .caption = kTitle,
         .client = {328, 218},
         .frame = Frame::FixedSingle,
         .back = kGround,
         .icon = Picture::WindowIcon,
         .firstFocus = kIntroFocus,
         .widgets = kIntro},
        {.form = FormId::Form4,
         .caption = kTitle,
         .client = {608, 574},
         .back = kStageBack,
         .firstFocus = kStageFocus,
         .widgets = kStageSelect,
         .fields = StageSelectScreen::fieldTable()},
        {.form = FormId::Form10,
         .caption = kTitle,
         .client = {273, 313},
         .frame = Frame::FixedDialog,
         .back = kResultGreen,
         .icon = Picture::WindowIcon,
         .firstFocus = kResultFocus,
         .widgets = kResult,
         .fields = ResultScreen::fieldTable()},
        {.form = FormId::Form11,
         .caption = QT_TRANSLATE_NOOP("Game", "スコア送信"),
         .client = {283, 152},
         .frame = Frame::FixedSingle,
         .back = std::nullopt,  // the system's button face
         .icon = Picture::WindowIcon,
         .firstFocus = kScoreCodeFocus,
         .widgets = kScoreCode,
         .fields = ScoreCodeScreen::fieldTable()},
    }};
    for (const auto& v : garden::kGardenVariants) {
        if (v.form == form) return garden::gardenLayout(v);
    }
    for (const auto& s : kScreens) {
        if (s.form == form) return s;
    }
    return kScreens.front();  // not reached for the eleven forms
}

}  // namespace mironeka::app
