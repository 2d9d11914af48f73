<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>Game</name>
    <message>
        <source>ミロネカ</source>
        <translation>Mironeka</translation>
    </message>
    <message>
        <source>VELMORAKI&#x3000;2024～</source>
        <translation>VELMORAKI 2024-</translation>
    </message>
    <message>
        <source>このゲームは、何もない庭にアリを住ませるゲームです。アリたちをいっぱい誘致してください。</source>
        <translation>Make the empty gardens a home for ants. Invite as many ants as you can!</translation>
    </message>
    <message>
        <source>ゲームを終了</source>
        <translation>Quit the game</translation>
    </message>
    <message>
        <source>下の家を上から見た図から、好きな場所のボタンを押してアリを誘致してください。</source>
        <translation>Press a button on the house map below to invite ants there.</translation>
    </message>
    <message>
        <source>庭①を開く</source>
        <translation>Open garden ①</translation>
    </message>
    <message>
        <source>庭②を開く</source>
        <translation>Open garden ②</translation>
    </message>
    <message>
        <source>庭③を開く</source>
        <translation>Open garden ③</translation>
    </message>
    <message>
        <source>庭④を開く</source>
        <translation>Open garden ④</translation>
    </message>
    <message>
        <source>庭⑤を開く</source>
        <translation>Open garden ⑤</translation>
    </message>
    <message>
        <source>庭⑥を開く</source>
        <translation>Open garden ⑥</translation>
    </message>
    <message>
        <source>今誘致している土地を開く</source>
        <translation>Gardens in play:</translation>
    </message>
    <message>
        <source>庭①に戻る</source>
        <translation>Back to garden ①</translation>
    </message>
    <message>
        <source>庭②に戻る</source>
        <translation>Back to garden ②</translation>
    </message>
    <message>
        <source>庭③に戻る</source>
        <translation>Back to garden ③</translation>
    </message>
    <message>
        <source>庭④に戻る</source>
        <translation>Back to garden ④</translation>
    </message>
    <message>
        <source>庭⑤に戻る</source>
        <translation>Back to garden ⑤</translation>
    </message>
    <message>
        <source>庭⑥に戻る</source>
        <translation>Back to garden ⑥</translation>
    </message>
    <message>
        <source>現在の累計ポイント</source>
        <translation>Total points</translation>
    </message>
    <message>
        <source>ミロネカ期間が終わりました。。お疲れ様でした。家に誘致できたアリのグループは、、</source>
        <translation>The season is over. Well done! Ants you invited:</translation>
    </message>
    <message>
        <source>合計ポイント</source>
        <translation>Total points</translation>
    </message>
    <message>
        <source>スコアを送信！</source>
        <translation>Send score!</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>スコアコード：</source>
        <translation>Score code:</translation>
    </message>
    <message>
        <source>スコアコード</source>
        <translation>Score code</translation>
    </message>
    <message>
        <source>送信先メールアドレス</source>
        <translation>Mail it to</translation>
    </message>
    <message>
        <source>件名に”スコア”と書き、本文にスコアコードとランキングに登録するニックネームを書いて上記のメールアドレスに送信してください。月間で一番のスコアの方にプレゼントがあります。スコアはVELMORAKIのホームページで公開しています。</source>
        <translation>Mail the address above with “スコア” as the subject and your score code and a nickname in the body. The month&apos;s best score wins a prize. Scores are on VELMORAKI&apos;s home page.</translation>
    </message>
    <message>
        <source>ランキングのページ</source>
        <translation>Ranking page</translation>
    </message>
    <message>
        <source>※期間によって開催していない場合があります。</source>
        <translation>※ Not held in every period.</translation>
    </message>
    <message>
        <source>スコア送信</source>
        <translation>Send score</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>合計ポイントは%1です。</source>
        <translation>Total points: %1.</translation>
    </message>
    <message>
        <source>庭を閉じる</source>
        <translation>Close the garden</translation>
    </message>
    <message>
        <source>あと</source>
        <translation>Left</translation>
    </message>
    <message>
        <source>日</source>
        <translation>d</translation>
    </message>
    <message>
        <source>現在のポイント</source>
        <translation>Points</translation>
    </message>
    <message>
        <source>ツール</source>
        <translation>Tools</translation>
    </message>
    <message>
        <source>ヒント</source>
        <translation>Hint</translation>
    </message>
    <message>
        <source>次の日へスキップ</source>
        <translation>Next day</translation>
    </message>
    <message>
        <source>現在の地価</source>
        <translation>Land value</translation>
    </message>
    <message>
        <source>周辺合計地価</source>
        <translation>Around</translation>
    </message>
    <message>
        <source>現在の選択</source>
        <translation>Selected</translation>
    </message>
    <message>
        <source>砂糖</source>
        <translation>Sugar</translation>
    </message>
    <message>
        <source>水</source>
        <translation>Water</translation>
    </message>
    <message>
        <source>草</source>
        <translation>Grass</translation>
    </message>
    <message>
        <source>５日経過しました。</source>
        <translation>5 days have passed.</translation>
    </message>
    <message>
        <source>%1&#x3000;&#x3000;%2</source>
        <translation>%1  %2</translation>
    </message>
    <message>
        <source>%1&#x3000;庭%2</source>
        <translation>%1, garden %2</translation>
    </message>
    <message>
        <source>%1日目：黒アリが%2か所、赤アリが%3か所に来ました。ポイントは%4です。</source>
        <translation>Day %1: black ants on %2 tile(s), red ants on %3. Points: %4.</translation>
    </message>
    <message>
        <source>%1日目：黒アリが%2か所に来ました。ポイントは%3です。</source>
        <translation>Day %1: black ants on %2 tile(s). Points: %3.</translation>
    </message>
    <message>
        <source>%1日目：赤アリが%2か所に来ました。ポイントは%3です。</source>
        <translation>Day %1: red ants on %2 tile(s). Points: %3.</translation>
    </message>
    <message>
        <source>%1日目：アリは来ませんでした。ポイントは%2です。</source>
        <translation>Day %1: no ants came. Points: %2.</translation>
    </message>
    <message>
        <source>タイル%1：%2</source>
        <translation>Tile %1: %2</translation>
    </message>
    <message>
        <source>あと%1日</source>
        <translation>Days left: %1</translation>
    </message>
    <message>
        <source>砂糖を置きます。</source>
        <translation>Puts sugar.</translation>
    </message>
    <message>
        <source>水溜り</source>
        <translation>Puddle</translation>
    </message>
    <message>
        <source>水溜りを作ります。</source>
        <translation>Makes a puddle.</translation>
    </message>
    <message>
        <source>草を植えます。</source>
        <translation>Plants grass.</translation>
    </message>
    <message>
        <source>砂地</source>
        <translation>Sand</translation>
    </message>
    <message>
        <source>土地を整地します。</source>
        <translation>Levels the land.</translation>
    </message>
    <message>
        <source>タイル</source>
        <translation>Tiles</translation>
    </message>
    <message>
        <source>黒アリの巣</source>
        <translation>Black ant nest</translation>
    </message>
    <message>
        <source>黒アリの大きな巣</source>
        <translation>Big black ant nest</translation>
    </message>
    <message>
        <source>赤アリの巣</source>
        <translation>Red ant nest</translation>
    </message>
    <message>
        <source>赤アリの大きな巣</source>
        <translation>Big red ant nest</translation>
    </message>
    <message>
        <source>上から見た家と庭</source>
        <translation>The house and its gardens from above</translation>
    </message>
    <message>
        <source>アリの巣</source>
        <translation>Ant nest</translation>
    </message>
    <message>
        <source>VELMORAKI&#x3000;ミロネカ</source>
        <translation>VELMORAKI Mironeka</translation>
    </message>
    <message>
        <source>Enterかダブルクリックで、スコアのメールを作ります。</source>
        <translation>Enter or double-click: write the score mail.</translation>
    </message>
    <message>
        <source>Enterかダブルクリックで、ランキングのページを開きます。</source>
        <translation>Enter or double-click: open the ranking page.</translation>
    </message>
</context>
<context>
    <name>Help</name>
    <message>
        <source>遊び方</source>
        <translation>How to play</translation>
    </message>
    <message>
        <source>家には①から⑥までの六つの庭があります。アリがたくさん住みたくなる庭にして、ポイントを集めましょう。六つの庭のポイントは足し合わされて、累計ポイントになります。</source>
        <translation>The house has six gardens, ① to ⑥. Make them gardens that lots of ants want to live in, and collect points. The points of the six gardens add up to your total points.</translation>
    </message>
    <message>
        <source>道具</source>
        <translation>Tools</translation>
    </message>
    <message>
        <source>庭には四つの道具があります。道具を選んでからタイルをクリックすると、タイルが変わります。道具にポインターを乗せると、ヒントが出ます。</source>
        <translation>A garden has four tools. Choose a tool, then click a tile to change it. Point at a tool to see a hint.</translation>
    </message>
    <message>
        <source>砂糖：砂糖を置きます。アリは砂糖に誘われてやって来ます。</source>
        <translation>Sugar: puts down sugar. Sugar is what draws the ants.</translation>
    </message>
    <message>
        <source>水溜り：水溜りを作ります。</source>
        <translation>Puddle: makes a puddle.</translation>
    </message>
    <message>
        <source>草：草を植えます。</source>
        <translation>Grass: plants grass.</translation>
    </message>
    <message>
        <source>砂地：土地を整地して、何もない砂地に戻します。タイルのアリの巣も消えます。</source>
        <translation>Level: levels the land back to bare sand. Any ant nest on the tile goes too.</translation>
    </message>
    <message>
        <source>物が置いてあるタイルには、ほかの物を置けません。置き直すときは、先に砂地で整地してください。</source>
        <translation>You can&apos;t put anything on a tile that already holds something. To change it, level it first.</translation>
    </message>
    <message>
        <source>一日の終わり</source>
        <translation>End of the day</translation>
    </message>
    <message>
        <source>「次の日へスキップ」を押すと、その日が終わり、庭が評価されます。</source>
        <translation>Press “Next day” to end the day; then the garden is judged.</translation>
    </message>
    <message>
        <source>アリを呼ぶのは砂糖です。ちょうどよい量の砂糖があると黒アリが来て、ポイントが増えます。ちょうどよい量は庭ごとに違います。</source>
        <translation>Sugar is what brings the ants. With the right amount of sugar, black ants come and your points go up. The right amount is different in each garden.</translation>
    </message>
    <message>
        <source>砂糖が少なすぎると、アリは来ません。多すぎると赤アリが来て、ポイントが減ります。</source>
        <translation>With too little sugar, no ants come. With too much, red ants come and you lose points.</translation>
    </message>
    <message>
        <source>アリは、まわりのタイルに物がたくさんあるところに巣を作ります。まわりが豊かなほど大きな巣になりますが、豊かすぎると赤アリの巣になり、ポイントが減ります。何がどれだけ効くかは、庭によって少し違います。</source>
        <translation>Ants build their nests where the tiles around are full of things. The richer the surroundings, the bigger the nest; but if they are too rich, red ants nest there and you lose points. How much each thing counts differs a little from garden to garden.</translation>
    </message>
    <message>
        <source>「現在のポイント」は毎日数え直されます。前の日のポイントに足されるのではありません。</source>
        <translation>The garden&apos;s points are counted afresh every day; they are not added to the day before&apos;s.</translation>
    </message>
    <message>
        <source>庭の終わりと得点</source>
        <translation>End of a garden and your score</translation>
    </message>
    <message>
        <source>一つの庭で遊べるのは7日間です。最後の日が終わると庭は閉じて、もう開けません。</source>
        <translation>You can play a garden for seven days. After its last day the garden closes and can&apos;t be opened again.</translation>
    </message>
    <message>
        <source>庭の得点になるのは、最後の日の評価が終わったときのポイントです。砂糖が少なすぎてアリが来なかった日は、その前にアリが来た日のポイントがそのまま残ります。</source>
        <translation>A garden scores the points it has when its last day has been judged. After a day with too little sugar, when no ants come, the garden keeps the points of the last day the ants came.</translation>
    </message>
    <message>
        <source>六つの庭のポイントの合計は、家の図の画面に「現在の累計ポイント」として出ます。</source>
        <translation>The six gardens&apos; points add up to the total points on the house&apos;s map.</translation>
    </message>
    <message>
        <source>六つの庭がすべて終わると、結果の画面に合計ポイントが出ます。「スコアを送信！」を押すと、合計からスコアコードが作られます。スコアコードをメールで送ると、ランキングに参加できます。</source>
        <translation>When all six gardens are over, the result screen shows the total. Press “Send score!” to turn the total into a score code. Send the score code by e-mail to join the ranking.</translation>
    </message>
    <message>
        <source>キー操作</source>
        <translation>Keys</translation>
    </message>
    <message>
        <source>Tab、Shift+Tab：次の、または前のボタンや欄へ移ります。</source>
        <translation>Tab, Shift+Tab: go to the next or the previous button or box.</translation>
    </message>
    <message>
        <source>矢印キー：庭のタイルの上を上下左右に動きます。</source>
        <translation>Arrow keys: move up, down, left and right across a garden&apos;s tiles.</translation>
    </message>
    <message>
        <source>Space、Enter：選んでいるボタンやタイルを押します。</source>
        <translation>Space, Enter: press the selected button or tile.</translation>
    </message>
    <message>
        <source>F1：この遊び方を開きます。</source>
        <translation>F1: opens this help.</translation>
    </message>
    <message>
        <source>Escape：遊び方を閉じます。</source>
        <translation>Escape: closes the help.</translation>
    </message>
    <message>
        <source>マウス：ボタンやタイルをクリックします。</source>
        <translation>Mouse: click buttons and tiles.</translation>
    </message>
</context>
<context>
    <name>Page</name>
    <message>
        <source>ミロネカ：家の六つの庭に砂糖や水溜りや草を置いて、アリを誘い込むゲームです。</source>
        <translation>Mironeka: put sugar, puddles and grass in the six gardens of a house and lure ants in.</translation>
    </message>
    <message>
        <source>このブラウザーではゲームを動かせません。WebAssembly と JavaScript が使える新しいブラウザーで開いてください。</source>
        <translation>The game can&apos;t run in this browser. Open it in a recent browser with WebAssembly and JavaScript.</translation>
    </message>
    <message>
        <source>ゲームを読み込めませんでした。ネットワークをつないでから、ページを読み込み直してください。</source>
        <translation>The game could not be loaded. Connect to the network, then reload the page.</translation>
    </message>
    <message>
        <source>読み込み直す</source>
        <translation>Reload</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>ゲームは終了しました。</source>
        <translation>The game has ended.</translation>
    </message>
    <message>
        <source>もう一度遊ぶ</source>
        <translation>Play again</translation>
    </message>
</context>
</TS>
