#include "app/help.h"

#include <array>

#include "ui/translate.h"

namespace mironeka::app {
namespace {

using Kind = HelpEntry::Kind;

// One text per line: the catalogues and the manual page are drawn from
// these lines as they stand.
// clang-format off
constexpr std::array kHelp{
    HelpEntry{Kind::Heading, QT_TRANSLATE_NOOP("Help", "遊び方")},
    HelpEntry{Kind::Paragraph, QT_TRANSLATE_NOOP("Help", "家には①から⑥までの六つの庭があります。アリがたくさん住みたくなる庭にして、ポイントを集めましょう。六つの庭のポイントは足し合わされて、累計ポイントになります。")},
    HelpEntry{Kind::Heading, QT_TRANSLATE_NOOP("Help", "道具")},
    HelpEntry{Kind::Paragraph, QT_TRANSLATE_NOOP("Help", "庭には四つの道具があります。道具を選んでからタイルをクリックすると、タイルが変わります。道具にポインターを乗せると、ヒントが出ます。")},
    HelpEntry{Kind::Item, QT_TRANSLATE_NOOP("Help", "砂糖：砂糖を置きます。アリは砂糖に誘われてやって来ます。")},
    HelpEntry{Kind::Item, QT_TRANSLATE_NOOP("Help", "水溜り：水溜りを作ります。")},
    HelpEntry{Kind::Item, QT_TRANSLATE_NOOP("Help", "草：草を植えます。")},
    HelpEntry{Kind::Item, QT_TRANSLATE_NOOP("Help", "砂地：土地を整地して、何もない砂地に戻します。タイルのアリの巣も消えます。")},
    HelpEntry{Kind::Paragraph, QT_TRANSLATE_NOOP("Help", "物が置いてあるタイルには、ほかの物を置けません。置き直すときは、先に砂地で整地してください。")},
    HelpEntry{Kind::Heading, QT_TRANSLATE_NOOP("Help", "一日の終わり")},
    HelpEntry{Kind::Paragraph, QT_TRANSLATE_NOOP("Help", "「次の日へスキップ」を押すと、その日が終わり、庭が評価されます。")},
    HelpEntry{Kind::Paragraph, QT_TRANSLATE_NOOP("Help", "アリを呼ぶのは砂糖です。ちょうどよい量の砂糖があると黒アリが来て、ポイントが増えます。ちょうどよい量は庭ごとに違います。")},
    HelpEntry{Kind::Paragraph, QT_TRANSLATE_NOOP("Help", "砂糖が少なすぎると、アリは来ません。多すぎると赤アリが来て、ポイントが減ります。")},
    HelpEntry{Kind::Paragraph, QT_TRANSLATE_NOOP("Help", "アリは、まわりのタイルに物がたくさんあるところに巣を作ります。まわりが豊かなほど大きな巣になりますが、豊かすぎると赤アリの巣になり、ポイントが減ります。何がどれだけ効くかは、庭によって少し違います。")},
    HelpEntry{Kind::Paragraph, QT_TRANSLATE_NOOP("Help", "「現在のポイント」は毎日数え直されます。前の日のポイントに足されるのではありません。")},
    HelpEntry{Kind::Heading, QT_TRANSLATE_NOOP("Help", "庭の終わりと得点")},
    HelpEntry{Kind::Paragraph, QT_TRANSLATE_NOOP("Help", "一つの庭で遊べるのは7日間です。最後の日が終わると庭は閉じて、もう開けません。")},
    HelpEntry{Kind::Paragraph, QT_TRANSLATE_NOOP("Help", "庭の得点になるのは、最後の日の評価が終わったときのポイントです。砂糖が少なすぎてアリが来なかった日は、その前にアリが来た日のポイントがそのまま残ります。")},
    HelpEntry{Kind::Paragraph, QT_TRANSLATE_NOOP("Help", "六つの庭のポイントの合計は、家の図の画面に「現在の累計ポイント」として出ます。")},
    HelpEntry{Kind::Paragraph, QT_TRANSLATE_NOOP("Help", "六つの庭がすべて終わると、結果の画面に合計ポイントが出ます。「スコアを送信！」を押すと、合計からスコアコードが作られます。スコアコードをメールで送ると、ランキングに参加できます。")},
    HelpEntry{Kind::Heading, QT_TRANSLATE_NOOP("Help", "キー操作")},
    HelpEntry{Kind::Item, QT_TRANSLATE_NOOP("Help", "Tab、Shift+Tab：次の、または前のボタンや欄へ移ります。")},
    HelpEntry{Kind::Item, QT_TRANSLATE_NOOP("Help", "矢印キー：庭のタイルの上を上下左右に動きます。")},
    HelpEntry{Kind::Item, QT_TRANSLATE_NOOP("Help", "Space、Enter：選んでいるボタンやタイルを押します。")},
    HelpEntry{Kind::Item, QT_TRANSLATE_NOOP("Help", "F1：この遊び方を開きます。")},
    HelpEntry{Kind::Item, QT_TRANSLATE_NOOP("Help", "Escape：遊び方を閉じます。")},
    HelpEntry{Kind::Item, QT_TRANSLATE_NOOP("Help", "マウス：ボタンやタイルをクリックします。")},
};
// clang-format on

}  // namespace

std::span<const HelpEntry> helpText() { return kHelp; }

}  // namespace mironeka::app
