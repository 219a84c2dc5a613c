<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>TAboutDialog</name>
    <message>
        <source>びすたる</source>
        <translation>Vistal</translation>
    </message>
</context>
<context>
    <name>TCoordinateForm</name>
    <message>
        <source>ｷｬﾝｾﾙ(&amp;C)</source>
        <translation>&amp;Cancel</translation>
    </message>
</context>
<context>
    <name>TLocationDetails</name>
    <message>
        <source>じゅりあ定数</source>
        <translation>Julia constant</translation>
    </message>
    <message>
        <source>T y p e</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>巾乗</source>
        <translation>Exponent</translation>
    </message>
    <message>
        <source>中  心</source>
        <translation>Centre</translation>
    </message>
    <message>
        <source>幅 (虚)</source>
        <translation>Span (Im)</translation>
    </message>
    <message>
        <source>びすたる</source>
        <translation>Vistal</translation>
    </message>
    <message>
        <source>じゅりあ</source>
        <translation>Julia</translation>
    </message>
</context>
<context>
    <name>TMenuItem</name>
    <message>
        <source>移動(&amp;M)</source>
        <translation>&amp;Move Only</translation>
    </message>
    <message>
        <source>標準(&amp;S)</source>
        <translation>&amp;Standard</translation>
    </message>
    <message>
        <source>標準</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>白黒(&amp;M)</source>
        <translation>&amp;Monochrome</translation>
    </message>
    <message>
        <source>白黒</source>
        <translation>Monochrome</translation>
    </message>
    <message>
        <source>青(&amp;B)</source>
        <translation>&amp;Blue</translation>
    </message>
    <message>
        <source>青</source>
        <translation>Blue</translation>
    </message>
    <message>
        <source>標準(&amp;2)</source>
        <translation>&amp;2 (Standard)</translation>
    </message>
    <message>
        <source>普通(&amp;N)</source>
        <translation>&amp;Normal</translation>
    </message>
    <message>
        <source>探索(&amp;E)</source>
        <translation>S&amp;earch</translation>
    </message>
    <message>
        <source>境界走査(&amp;B)</source>
        <translation>&amp;Border Tracing</translation>
    </message>
    <message>
        <source>浮き出し(&amp;F)</source>
        <translation>&amp;Fade In</translation>
    </message>
    <message>
        <source>簡易ｱﾝﾁｴﾘｱｼﾝｸﾞ(&amp;S)</source>
        <translation>&amp;Simple Anti-Aliasing</translation>
    </message>
    <message>
        <source>ポテンシャル(&amp;P)</source>
        <translation>&amp;Potential</translation>
    </message>
    <message>
        <source>ポテンシャル&amp;2</source>
        <translation>Potential &amp;2</translation>
    </message>
    <message>
        <source>ポテンシャル&amp;3</source>
        <translation>Potential &amp;3</translation>
    </message>
    <message>
        <source>あり(&amp;E)</source>
        <translation>&amp;On</translation>
    </message>
    <message>
        <source>なし(&amp;N)</source>
        <translation>O&amp;ff</translation>
    </message>
    <message>
        <source>明るさ&amp;1</source>
        <translation>Brightness &amp;1</translation>
    </message>
    <message>
        <source>明るさ&amp;2</source>
        <translation>Brightness &amp;2</translation>
    </message>
    <message>
        <source>明るさ&amp;3</source>
        <translation>Brightness &amp;3</translation>
    </message>
    <message>
        <source>明るさ&amp;4</source>
        <translation>Brightness &amp;4</translation>
    </message>
    <message>
        <source>明暗&amp;1</source>
        <translation>Light and Dark &amp;1</translation>
    </message>
    <message>
        <source>明暗&amp;2</source>
        <translation>Light and Dark &amp;2</translation>
    </message>
    <message>
        <source>表現&amp;1</source>
        <translation>Representation &amp;1</translation>
    </message>
    <message>
        <source>表現&amp;2</source>
        <translation>Representation &amp;2</translation>
    </message>
    <message>
        <source>２頂点(&amp;T)</source>
        <translation>&amp;Two Corners</translation>
    </message>
    <message>
        <source>中心と頂点(&amp;C)</source>
        <translation>&amp;Centre and Corner</translation>
    </message>
    <message>
        <source>&amp;1(多い)</source>
        <translation>&amp;1 (Often)</translation>
    </message>
    <message>
        <source>&amp;9(少ない)</source>
        <translation>&amp;9 (Seldom)</translation>
    </message>
</context>
<context>
    <name>TfrmAbout</name>
    <message>
        <source>ﾊﾞｰｼﾞｮﾝ情報</source>
        <translation>About Vistal</translation>
    </message>
</context>
<context>
    <name>vistal::ui::AppTitle</name>
    <message>
        <source>びすたる</source>
        <translation>Vistal</translation>
    </message>
</context>
<context>
    <name>vistal::ui::FormulaLabel</name>
    <message>
        <source>びすたる</source>
        <translation>Vistal</translation>
    </message>
    <message>
        <source>じゅりあ</source>
        <translation>Julia</translation>
    </message>
</context>
<context>
    <name>vistal::ui::Guard</name>
    <message>
        <source>メモリが足りません</source>
        <translation>Out of memory</translation>
    </message>
    <message>
        <source>不明なｴﾗｰです</source>
        <translation>Unknown error</translation>
    </message>
</context>
<context>
    <name>vistal::ui::Help</name>
    <message>
        <source>

ﾍﾙﾌﾟを見るためには実行ﾌｧｲﾙのあるﾌｫﾙﾀﾞの中に Help というﾌｫﾙﾀﾞを
作り、このﾌｫﾙﾀﾞの中に Help.html というﾌｧｲﾙがなければいけません
</source>
        <translation>

To see the help, the folder of the program must hold a folder named Help
with the file Help.en.html in it.
</translation>
    </message>
    <message>
        <source>%1 が見つかりません</source>
        <translation>%1 was not found</translation>
    </message>
    <message>
        <source>%1 を開けませんでした</source>
        <translation>Could not open %1</translation>
    </message>
</context>
<context>
    <name>vistal::ui::NumberText</name>
    <message>
        <source>&apos;%1&apos; は浮動小数点数ではありません</source>
        <translation>&apos;%1&apos; is not a number</translation>
    </message>
</context>
<context>
    <name>vistal::ui::TInputFloatDialog</name>
    <message>
        <source>数値を入力してください</source>
        <translation>Please enter a number.</translation>
    </message>
</context>
<context>
    <name>vistal::ui::TInputForm</name>
    <message>
        <source>ｷｬﾝｾﾙ(&amp;C)</source>
        <translation>&amp;Cancel</translation>
    </message>
</context>
<context>
    <name>vistal::ui::TIntegerDialog</name>
    <message>
        <source>整数値を入力してください</source>
        <translation>Please enter an integer.</translation>
    </message>
</context>
<context>
    <name>vistal::ui::TIntegerDlg</name>
    <message>
        <source>整数値を入力してください</source>
        <translation>Please enter an integer.</translation>
    </message>
    <message>
        <source>値が小さすぎます
%1 以上の数値を入力して下さい</source>
        <translation>The value is too small.
Please enter %1 or more.</translation>
    </message>
    <message>
        <source>値が大きすぎます
%1 以下の数値を入力して下さい</source>
        <translation>The value is too large.
Please enter %1 or less.</translation>
    </message>
</context>
<context>
    <name>vistal::ui::TfrmCustomColor</name>
    <message>
        <source>色0の設定</source>
        <translation>Colour 0</translation>
    </message>
    <message>
        <source>標準の色を使う</source>
        <translation>Use the standard colour</translation>
    </message>
    <message>
        <source>指定した色を使う</source>
        <translation>Use this colour:</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>色0の設定 — びすたる</source>
        <translation>Colour 0 — Vistal</translation>
    </message>
</context>
<context>
    <name>vistal::ui::TfrmDrawSettingDialog</name>
    <message>
        <source>&apos;%1&apos; は整数ではありません</source>
        <translation>&apos;%1&apos; is not an integer</translation>
    </message>
    <message>
        <source>値が小さすぎます
%1 以上の数値を入力して下さい</source>
        <translation>The value is too small.
Please enter %1 or more.</translation>
    </message>
    <message>
        <source>描画設定</source>
        <translation>Drawing Settings</translation>
    </message>
    <message>
        <source>びすたる</source>
        <translation>Vistal</translation>
    </message>
    <message>
        <source>じゅりあ</source>
        <translation>Julia</translation>
    </message>
    <message>
        <source>画像タイプ(&amp;C)</source>
        <translation>Picture &amp;Type</translation>
    </message>
    <message>
        <source>基本</source>
        <translation>Basic</translation>
    </message>
    <message>
        <source>描画方法(&amp;W)</source>
        <translation>Drawing &amp;Method</translation>
    </message>
    <message>
        <source>普通</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>探索</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>境界走査</source>
        <translation>Border Tracing</translation>
    </message>
    <message>
        <source>浮き出し</source>
        <translation>Fade In</translation>
    </message>
    <message>
        <source>簡易ｱﾝﾁｴﾘｱｼﾝｸﾞ</source>
        <translation>Simple Anti-Aliasing</translation>
    </message>
    <message>
        <source>拡張</source>
        <translation>Extended</translation>
    </message>
    <message>
        <source>標準</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>ポテンシャル</source>
        <translation>Potential</translation>
    </message>
    <message>
        <source>ポテンシャル2</source>
        <translation>Potential 2</translation>
    </message>
    <message>
        <source>ポテンシャル3</source>
        <translation>Potential 3</translation>
    </message>
    <message>
        <source>あり</source>
        <translation>On</translation>
    </message>
    <message>
        <source>なし</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>合成</source>
        <translation>Mix</translation>
    </message>
    <message>
        <source>明るさ1</source>
        <translation>Brightness 1</translation>
    </message>
    <message>
        <source>明るさ2</source>
        <translation>Brightness 2</translation>
    </message>
    <message>
        <source>明るさ3</source>
        <translation>Brightness 3</translation>
    </message>
    <message>
        <source>明るさ4</source>
        <translation>Brightness 4</translation>
    </message>
    <message>
        <source>明るさ取得</source>
        <translation>Brightness Mode</translation>
    </message>
    <message>
        <source>補正係数</source>
        <translation>Correction</translation>
    </message>
    <message>
        <source>明暗1</source>
        <translation>Light and Dark 1</translation>
    </message>
    <message>
        <source>明暗2</source>
        <translation>Light and Dark 2</translation>
    </message>
    <message>
        <source>明暗</source>
        <translation>Light and Dark</translation>
    </message>
    <message>
        <source>表現1</source>
        <translation>Representation 1</translation>
    </message>
    <message>
        <source>表現2</source>
        <translation>Representation 2</translation>
    </message>
    <message>
        <source>表現</source>
        <translation>Representation</translation>
    </message>
    <message>
        <source>打切判定数</source>
        <translation>Escape Radius</translation>
    </message>
    <message>
        <source>繰り返し(&amp;I)</source>
        <translation>&amp;Iteration Limit</translation>
    </message>
    <message>
        <source>分解能(&amp;D)</source>
        <translation>&amp;Detail</translation>
    </message>
    <message>
        <source>標準(2)</source>
        <translation>2 (Standard)</translation>
    </message>
    <message>
        <source>巾乗(&amp;N)</source>
        <translation>&amp;Exponent</translation>
    </message>
    <message>
        <source>ぼかす</source>
        <translation>On</translation>
    </message>
    <message>
        <source>ぼかし</source>
        <translation>Blur</translation>
    </message>
    <message>
        <source>明るさ変更(-1～1)</source>
        <translation>Change of brightness (-1 to 1)</translation>
    </message>
    <message>
        <source>明るさ</source>
        <translation>Brightness</translation>
    </message>
    <message>
        <source>再描画(&amp;R)</source>
        <translation>&amp;Redraw</translation>
    </message>
    <message>
        <source>閉じる(&amp;C)</source>
        <translation>&amp;Close</translation>
    </message>
</context>
<context>
    <name>vistal::ui::TfrmEntry</name>
    <message>
        <source>VRPﾌｧｲﾙ(*.vrp)|*.vrp|全てのﾌｧｲﾙ|*</source>
        <translation>VRP Files (*.vrp)|*.vrp|All Files|*</translation>
    </message>
    <message>
        <source>VCPﾌｧｲﾙ(*.VCP)|*.vcp|全てのﾌｧｲﾙ|*</source>
        <translation>VCP Files (*.vcp)|*.vcp|All Files|*</translation>
    </message>
    <message>
        <source>参照(&amp;B)...</source>
        <translation>&amp;Browse...</translation>
    </message>
    <message>
        <source>参照(&amp;R)...</source>
        <translation>B&amp;rowse...</translation>
    </message>
    <message>
        <source>登録(&amp;E)</source>
        <translation>R&amp;egister</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ(&amp;C)</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>VRPﾌｧｲﾙ(&amp;F)</source>
        <translation>VRP &amp;File</translation>
    </message>
    <message>
        <source>ﾀｲﾄﾙ(&amp;T)</source>
        <translation>&amp;Title</translation>
    </message>
    <message>
        <source>座標</source>
        <translation>View</translation>
    </message>
    <message>
        <source>V C P(&amp;V)</source>
        <translation>&amp;VCP</translation>
    </message>
    <message>
        <source>メ  モ(&amp;M)</source>
        <translation>&amp;Memo</translation>
    </message>
    <message>
        <source>おすすめ座標の登録</source>
        <translation>Register in the Recommendation List</translation>
    </message>
    <message>
        <source>VRPﾌｧｲﾙの指定</source>
        <translation>Choose the VRP File</translation>
    </message>
    <message>
        <source>VCPﾌｧｲﾙを開く</source>
        <translation>Open VCP File</translation>
    </message>
</context>
<context>
    <name>vistal::ui::TfrmInputFloatDialog</name>
    <message>
        <source>数値を入力してください</source>
        <translation>Please enter a number.</translation>
    </message>
    <message>
        <source>値が小さすぎます
%1 以上の数値を入力して下さい</source>
        <translation>The value is too small.
Please enter %1 or more.</translation>
    </message>
    <message>
        <source>値が大きすぎます
%1 以下の数値を入力して下さい</source>
        <translation>The value is too large.
Please enter %1 or less.</translation>
    </message>
</context>
<context>
    <name>vistal::ui::TfrmMain</name>
    <message>
        <source> 秒</source>
        <translation> s</translation>
    </message>
    <message>
        <source>びすたる</source>
        <translation>Vistal</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙ(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>再描画(&amp;N)</source>
        <translation>&amp;Redraw</translation>
    </message>
    <message>
        <source>強制再描画(&amp;F)</source>
        <translation>&amp;Force Redraw</translation>
    </message>
    <message>
        <source>一つ前に戻る(&amp;B)</source>
        <translation>&amp;Back</translation>
    </message>
    <message>
        <source>最初に戻す(&amp;R)</source>
        <translation>Start &amp;Over</translation>
    </message>
    <message>
        <source>中断(&amp;A)</source>
        <translation>S&amp;top</translation>
    </message>
    <message>
        <source>ﾋﾞｯﾄﾏｯﾌﾟの保存(&amp;S)...</source>
        <translation>&amp;Save Picture...</translation>
    </message>
    <message>
        <source>壁紙に設定(&amp;W)</source>
        <translation>Set as &amp;Wallpaper</translation>
    </message>
    <message>
        <source>並べて表示(&amp;W)</source>
        <translation>&amp;Tiled</translation>
    </message>
    <message>
        <source>中央に表示(&amp;L)</source>
        <translation>&amp;Centred</translation>
    </message>
    <message>
        <source>ｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存(&amp;C)</source>
        <translation>&amp;Copy to Clipboard</translation>
    </message>
    <message>
        <source>終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>描画設定(&amp;O)</source>
        <translation>&amp;Drawing</translation>
    </message>
    <message>
        <source>拡縮(&amp;Z)</source>
        <translation>&amp;Zoom</translation>
    </message>
    <message>
        <source>指定(&amp;U)...</source>
        <translation>&amp;Custom...</translation>
    </message>
    <message>
        <source>表示ｻｲｽﾞ(&amp;S)</source>
        <translation>Picture &amp;Size</translation>
    </message>
    <message>
        <source>繰り返し回数(&amp;I)</source>
        <translation>&amp;Iteration Limit</translation>
    </message>
    <message>
        <source>分解能(&amp;D)</source>
        <translation>&amp;Detail</translation>
    </message>
    <message>
        <source>自動(&amp;A)</source>
        <translation>&amp;Automatic</translation>
    </message>
    <message>
        <source>ﾊﾟﾚｯﾄ(&amp;P)</source>
        <translation>&amp;Palette</translation>
    </message>
    <message>
        <source>VCPﾌｧｲﾙを読む(&amp;R)...</source>
        <translation>&amp;Read VCP File...</translation>
    </message>
    <message>
        <source>色0の設定</source>
        <translation>Colour &amp;0...</translation>
    </message>
    <message>
        <source>ﾊﾟﾚｯﾄ選択で再描画(&amp;N)</source>
        <translation>Redraw on Palette &amp;Change</translation>
    </message>
    <message>
        <source>巾乗(&amp;N)</source>
        <translation>&amp;Exponent</translation>
    </message>
    <message>
        <source>ぼかし</source>
        <translation>B&amp;lur</translation>
    </message>
    <message>
        <source>色をなめらかに(&amp;G)</source>
        <translation>Smoot&amp;h Colours</translation>
    </message>
    <message>
        <source>座標指定(&amp;M)...</source>
        <translation>&amp;Move To...</translation>
    </message>
    <message>
        <source>じゅりあ定数(&amp;J)...</source>
        <translation>&amp;Julia Constant...</translation>
    </message>
    <message>
        <source>描画方法(&amp;W)</source>
        <translation>Dra&amp;wing Method</translation>
    </message>
    <message>
        <source>拡張描画(&amp;X)</source>
        <translation>E&amp;xtended</translation>
    </message>
    <message>
        <source>合成(&amp;M)</source>
        <translation>&amp;Mix</translation>
    </message>
    <message>
        <source>明るさ取得(&amp;B)</source>
        <translation>&amp;Brightness Mode</translation>
    </message>
    <message>
        <source>補正係数(&amp;C)</source>
        <translation>&amp;Correction</translation>
    </message>
    <message>
        <source>明暗(&amp;L)</source>
        <translation>&amp;Light and Dark</translation>
    </message>
    <message>
        <source>表現(&amp;R)</source>
        <translation>&amp;Representation</translation>
    </message>
    <message>
        <source>打切判定数(&amp;E)</source>
        <translation>&amp;Escape Radius</translation>
    </message>
    <message>
        <source>ﾗﾊﾞｰﾊﾞﾝﾄﾞ(&amp;B)</source>
        <translation>Rubber &amp;Band</translation>
    </message>
    <message>
        <source>書換頻度(&amp;R)</source>
        <translation>&amp;Refresh Rate</translation>
    </message>
    <message>
        <source>ｵﾌﾟｼｮﾝ(&amp;O)...</source>
        <translation>&amp;Options...</translation>
    </message>
    <message>
        <source>表示(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>描画設定(&amp;D)</source>
        <translation>&amp;Drawing Settings</translation>
    </message>
    <message>
        <source>座標表示(&amp;L)</source>
        <translation>&amp;Coordinates</translation>
    </message>
    <message>
        <source>ﾂｰﾙﾊﾞｰ(&amp;T)</source>
        <translation>&amp;Toolbar</translation>
    </message>
    <message>
        <source>ｽﾃｰﾀｽﾊﾞｰ(&amp;S)</source>
        <translation>&amp;Status Bar</translation>
    </message>
    <message>
        <source>全画面表示(&amp;F)</source>
        <translation>&amp;Full Screen</translation>
    </message>
    <message>
        <source>おすすめ(&amp;R)</source>
        <translation>&amp;Recommendations</translation>
    </message>
    <message>
        <source>移動(&amp;O)...</source>
        <translation>&amp;Go To...</translation>
    </message>
    <message>
        <source>登録(&amp;E)...</source>
        <translation>R&amp;egister...</translation>
    </message>
    <message>
        <source>景勝地読込(&amp;L)...</source>
        <translation>&amp;Load Scenic Spot...</translation>
    </message>
    <message>
        <source>景勝地保存(&amp;S)...</source>
        <translation>&amp;Save Scenic Spot...</translation>
    </message>
    <message>
        <source>ﾍﾙﾌﾟ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>ﾍﾙﾌﾟ(&amp;H)</source>
        <comment>item</comment>
        <translation>&amp;Help Contents</translation>
    </message>
    <message>
        <source>びすたるのﾊﾞｰｼﾞｮﾝ情報(&amp;A)...</source>
        <translation>&amp;About Vistal...</translation>
    </message>
    <message>
        <source>隠しﾒﾆｭｰ</source>
        <translation>Hidden Menu</translation>
    </message>
    <message>
        <source>再表示</source>
        <translation>Repaint</translation>
    </message>
    <message>
        <source>拡大</source>
        <translation>Zoom In</translation>
    </message>
    <message>
        <source>縮小</source>
        <translation>Zoom Out</translation>
    </message>
    <message>
        <source>ＪＣランダム</source>
        <translation>Random Julia Constant</translation>
    </message>
    <message>
        <source>再描画</source>
        <translation>Redraw</translation>
    </message>
    <message>
        <source>中断</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>BMP保存</source>
        <translation>Save Picture</translation>
    </message>
    <message>
        <source>おすすめ移動</source>
        <translation>Go to a Recommendation</translation>
    </message>
    <message>
        <source>おすすめ登録</source>
        <translation>Register a Recommendation</translation>
    </message>
    <message>
        <source>VCP読込み</source>
        <translation>Read VCP File</translation>
    </message>
    <message>
        <source>座標指定</source>
        <translation>Move To</translation>
    </message>
    <message>
        <source>一つ前に戻る</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>中断</source>
        <comment>drawing time</comment>
        <translation>Stopped</translation>
    </message>
    <message>
        <source>描画中ですが終了しますか？</source>
        <translation>A picture is being drawn. Exit anyway?</translation>
    </message>
    <message>
        <source>じゅりあ(&amp;C)</source>
        <translation>&amp;Change to Julia</translation>
    </message>
    <message>
        <source>びすたる(&amp;C)</source>
        <translation>&amp;Change to Vistal</translation>
    </message>
    <message>
        <source>%1（現在値：%2）</source>
        <translation>%1 (now %2)</translation>
    </message>
    <message>
        <source>整数値を入れてください</source>
        <translation>Please enter an integer.</translation>
    </message>
    <message>
        <source>VCPﾌｧｲﾙを開く</source>
        <translation>Open VCP File</translation>
    </message>
    <message>
        <source>VCPﾌｧｲﾙ(*.VCP)|*.vcp|全てのﾌｧｲﾙ|*</source>
        <translation>VCP Files (*.vcp)|*.vcp|All Files|*</translation>
    </message>
    <message>
        <source>表示ｻｲｽﾞ %1 の絵は描けません
縦横とも 1 から %2 までにしてください</source>
        <translation>A picture of size %1 cannot be drawn.
Keep both sides between 1 and %2.</translation>
    </message>
    <message>
        <source>表示ｻｲｽﾞ %1 の絵を描くにはメモリが足りません
要る量 %2、使える量 %3</source>
        <translation>There is not enough memory to draw a picture of size %1.
Needed: %2, available: %3</translation>
    </message>
    <message>
        <source>拡縮の度合い</source>
        <translation>Zoom factor</translation>
    </message>
    <message>
        <source>繰り返し回数</source>
        <translation>Iteration limit</translation>
    </message>
    <message>
        <source>分解能</source>
        <translation>Detail</translation>
    </message>
    <message>
        <source>巾乗</source>
        <translation>Exponent</translation>
    </message>
    <message>
        <source>補正係数</source>
        <translation>Correction factor</translation>
    </message>
    <message>
        <source>打切判定数</source>
        <translation>Escape radius</translation>
    </message>
    <message>
        <source>書換頻度</source>
        <translation>Refresh interval (tenths of a second)</translation>
    </message>
    <message>
        <source>Fractal景勝地データ(*.fss)|*.fss</source>
        <translation>Fractal Scenic Spots (*.fss)|*.fss</translation>
    </message>
    <message>
        <source>景勝地ﾌｧｲﾙを開く</source>
        <translation>Open Scenic Spot File</translation>
    </message>
    <message>
        <source>景勝地ﾌｧｲﾙの保存</source>
        <translation>Save Scenic Spot File</translation>
    </message>
    <message>
        <source>画像を保存できませんでした。
</source>
        <translation>The picture could not be saved.
</translation>
    </message>
    <message>
        <source>画像の保存中にメモリが足りなくなりました。%1 は保存されていません</source>
        <translation>Memory ran out while the picture was saved. %1 has not been saved.</translation>
    </message>
    <message>
        <source>%1 は既にあります。
置き換えますか？</source>
        <translation>%1 already exists.
Do you want to replace it?</translation>
    </message>
    <message>
        <source>ﾌｫﾙﾀﾞ %1 を作れません</source>
        <translation>Cannot create the folder %1</translation>
    </message>
    <message>
        <source>ﾋﾞｯﾄﾏｯﾌﾟの保存</source>
        <translation>Save Picture</translation>
    </message>
    <message>
        <source>ﾋﾞｯﾄﾏｯﾌﾟﾌｧｲﾙ(*.bmp)|*.bmp|PNGﾌｧｲﾙ(*.png)|*.png|JPEGﾌｧｲﾙ(*.jpeg;*.jpg)|*.jpeg;*.jpg|全てのﾌｧｲﾙ|*</source>
        <translation>Bitmap Files (*.bmp)|*.bmp|PNG Files (*.png)|*.png|JPEG Files (*.jpeg;*.jpg)|*.jpeg;*.jpg|All Files|*</translation>
    </message>
    <message>
        <source>あり得ないエラーです(mnuFlieSetWPCenterClick)</source>
        <translation>An error that cannot happen (mnuFlieSetWPCenterClick)</translation>
    </message>
    <message>
        <source>壁紙に設定できません。
</source>
        <translation>The wallpaper cannot be set.
</translation>
    </message>
    <message>
        <source>画像は %1 に保存しましたが、壁紙に設定できませんでした。
</source>
        <translation>The picture was saved as %1, but it could not be set as the wallpaper.
</translation>
    </message>
    <message>
        <source>%1<byte value="xd"/>
は扱えません。</source>
        <translation>%1<byte value="xd"/>
is not a file this program opens.</translation>
    </message>
    <message>
        <source>回数自動 → %1</source>
        <translation>Automatic limit → %1</translation>
    </message>
    <message>
        <source>回数自動</source>
        <translation>Automatic limit</translation>
    </message>
    <message>
        <source>参照軌道 %1</source>
        <translation>Reference orbit %1</translation>
    </message>
    <message>
        <source>近似表 %1</source>
        <translation>Approximation tables %1</translation>
    </message>
    <message>
        <source>画素 %1</source>
        <translation>Pixels %1</translation>
    </message>
</context>
<context>
    <name>vistal::ui::TfrmMove</name>
    <message>
        <source>座標指定</source>
        <translation>Move To</translation>
    </message>
    <message>
        <source>新しい中心の座標と幅を入力してください</source>
        <translation>Enter the new centre and span.</translation>
    </message>
    <message>
        <source>実部</source>
        <translation>Real</translation>
    </message>
    <message>
        <source>虚部</source>
        <translation>Imaginary</translation>
    </message>
    <message>
        <source>幅(虚)</source>
        <translation>Span (Im)</translation>
    </message>
</context>
<context>
    <name>vistal::ui::TfrmOption</name>
    <message>
        <source>びすたるのオプション</source>
        <translation>Vistal Options</translation>
    </message>
    <message>
        <source>BMPﾌｧｲﾙの保存先を指定する</source>
        <translation>Save pictures in this folder</translation>
    </message>
    <message>
        <source>BMPﾌｧｲﾙの保存先を指定する場合にﾁｪｯｸしてください</source>
        <translation>Check this to choose the folder pictures are saved in</translation>
    </message>
    <message>
        <source>BMPﾌｧｲﾙの保存先のﾌｫﾙﾀﾞ名を入力してください</source>
        <translation>Enter the name of the folder pictures are saved in</translation>
    </message>
    <message>
        <source>参照(&amp;B)...</source>
        <translation>&amp;Browse...</translation>
    </message>
    <message>
        <source>VCPﾌｧｲﾙの読込元を指定する</source>
        <translation>Read VCP files from this folder</translation>
    </message>
    <message>
        <source>VCPﾌｧｲﾙの読み込み元を指定する場合にﾁｪｯｸしてください</source>
        <translation>Check this to choose the folder VCP files are read from</translation>
    </message>
    <message>
        <source>VCPﾌｧｲﾙの読み込み元のﾌｫﾙﾀﾞ名を入力してください</source>
        <translation>Enter the name of the folder VCP files are read from</translation>
    </message>
    <message>
        <source>参照(&amp;R)...</source>
        <translation>B&amp;rowse...</translation>
    </message>
    <message>
        <source>ﾌｫﾙﾀﾞ</source>
        <translation>Folders</translation>
    </message>
    <message>
        <source>起動時の描画方法を選んでください</source>
        <translation>Drawing method at start-up</translation>
    </message>
    <message>
        <source>普通</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>探索</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>境界走査</source>
        <translation>Border Tracing</translation>
    </message>
    <message>
        <source>浮き出し</source>
        <translation>Fade In</translation>
    </message>
    <message>
        <source>簡易ｱﾝﾁｴﾘｱｼﾝｸﾞ</source>
        <translation>Simple Anti-Aliasing</translation>
    </message>
    <message>
        <source>描画方法</source>
        <translation>Drawing Method</translation>
    </message>
    <message>
        <source>起動時の書換頻度を指定してください</source>
        <translation>Refresh rate at start-up</translation>
    </message>
    <message>
        <source>１～９</source>
        <translation>1 to 9</translation>
    </message>
    <message>
        <source>１(多い)</source>
        <translation>1 (often)</translation>
    </message>
    <message>
        <source>９(少ない)</source>
        <translation>9 (seldom)</translation>
    </message>
    <message>
        <source>値：</source>
        <translation>Value:</translation>
    </message>
    <message>
        <source>なし</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>書換頻度</source>
        <translation>Refresh Rate</translation>
    </message>
    <message>
        <source>起動時のﾗﾊﾞｰﾊﾞﾝﾄﾞを選んでください</source>
        <translation>Rubber band at start-up</translation>
    </message>
    <message>
        <source>２頂点</source>
        <translation>Two corners</translation>
    </message>
    <message>
        <source>中心と頂点</source>
        <translation>Centre and corner</translation>
    </message>
    <message>
        <source>ﾗﾊﾞｰﾊﾞﾝﾄﾞ</source>
        <translation>Rubber Band</translation>
    </message>
    <message>
        <source>対称性を利用した高速化を行う</source>
        <translation>Use symmetry to draw faster</translation>
    </message>
    <message>
        <source>高速化のための座標補正を行う</source>
        <translation>Adjust the view to draw faster</translation>
    </message>
    <message>
        <source>補正の割合</source>
        <translation>Adjustment</translation>
    </message>
    <message>
        <source>小</source>
        <translation>Small</translation>
    </message>
    <message>
        <source>大</source>
        <translation>Large</translation>
    </message>
    <message>
        <source>高速化</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>壁紙用ファイルの名前</source>
        <translation>Name of the wallpaper file</translation>
    </message>
    <message>
        <source>毎回指定</source>
        <translation>Ask every time</translation>
    </message>
    <message>
        <source>固定ファイル名</source>
        <translation>Fixed file name</translation>
    </message>
    <message>
        <source>壁紙</source>
        <translation>Wallpaper</translation>
    </message>
    <message>
        <source>起動時の言語を選んでください</source>
        <translation>Language at start-up</translation>
    </message>
    <message>
        <source>ロケールに従う</source>
        <translation>Follow the locale</translation>
    </message>
    <message>
        <source>日本語</source>
        <translation>日本語 (Japanese)</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>言語</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>了解(&amp;O)</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ(&amp;C)</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>更新(&amp;A)</source>
        <translation>&amp;Apply</translation>
    </message>
    <message>
        <source>フォルダ名を入力して下さい</source>
        <translation>Please enter a folder name.</translation>
    </message>
    <message>
        <source>%1がありません</source>
        <translation>%1 does not exist</translation>
    </message>
</context>
<context>
    <name>vistal::ui::TfrmPositionInfoDialog</name>
    <message>
        <source>中心座標の実部です</source>
        <translation>The real part of the centre</translation>
    </message>
    <message>
        <source>左端の実部です</source>
        <translation>The real part of the left edge</translation>
    </message>
    <message>
        <source>右端の実部です</source>
        <translation>The real part of the right edge</translation>
    </message>
    <message>
        <source>下端の虚部です</source>
        <translation>The imaginary part of the bottom edge</translation>
    </message>
    <message>
        <source>上端の虚部です</source>
        <translation>The imaginary part of the top edge</translation>
    </message>
    <message>
        <source>中心座標の虚部です</source>
        <translation>The imaginary part of the centre</translation>
    </message>
    <message>
        <source>幅(虚部)の大きさです</source>
        <translation>The span along the imaginary axis</translation>
    </message>
    <message>
        <source>じゅりあ定数の実部です</source>
        <translation>The real part of the Julia constant</translation>
    </message>
    <message>
        <source>じゅりあ定数の虚部です</source>
        <translation>The imaginary part of the Julia constant</translation>
    </message>
    <message>
        <source>じゅりあ定数</source>
        <translation>Julia constant</translation>
    </message>
    <message>
        <source>閉じる(&amp;C)</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>実部</source>
        <translation>Real</translation>
    </message>
    <message>
        <source>～</source>
        <translation>to</translation>
    </message>
    <message>
        <source>虚部</source>
        <translation>Imaginary</translation>
    </message>
    <message>
        <source>中心</source>
        <translation>Centre</translation>
    </message>
    <message>
        <source>幅(虚)</source>
        <translation>Span (Im)</translation>
    </message>
    <message>
        <source>%1座標</source>
        <translation>%1 Coordinates</translation>
    </message>
</context>
<context>
    <name>vistal::ui::TfrmSetJuliaConstDialog</name>
    <message>
        <source>じゅりあ定数の設定</source>
        <translation>Julia Constant</translation>
    </message>
    <message>
        <source>じゅりあ定数を入力してください</source>
        <translation>Enter the Julia constant.</translation>
    </message>
    <message>
        <source>実部</source>
        <translation>Real</translation>
    </message>
    <message>
        <source>虚部</source>
        <translation>Imaginary</translation>
    </message>
    <message>
        <source>今回の設定を有効にする</source>
        <translation>Use these values</translation>
    </message>
</context>
<context>
    <name>vistal::ui::TfrmSetting</name>
    <message>
        <source>設定</source>
        <translation>Picture Size</translation>
    </message>
    <message>
        <source>横のサイズ(&amp;W)</source>
        <translation>&amp;Width</translation>
    </message>
    <message>
        <source>縦のサイズ(&amp;H)</source>
        <translation>&amp;Height</translation>
    </message>
    <message>
        <source>今回の設定を有効にする</source>
        <translation>Use these values</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ(&amp;C)</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>整数値を入力してください</source>
        <translation>Please enter an integer.</translation>
    </message>
    <message>
        <source>サイズは正の整数を指定してください</source>
        <translation>The size must be a positive integer.</translation>
    </message>
</context>
<context>
    <name>vistal::ui::TfrmVrpDialog</name>
    <message>
        <source>VRPﾌｧｲﾙ(*.vrp)|*.vrp|全てのﾌｧｲﾙ|*</source>
        <translation>VRP Files (*.vrp)|*.vrp|All Files|*</translation>
    </message>
    <message>
        <source>V C P</source>
        <translation>VCP</translation>
    </message>
    <message>
        <source>メ  モ</source>
        <translation>Memo</translation>
    </message>
    <message>
        <source>表示(&amp;D)</source>
        <translation>&amp;Show</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ(&amp;C)</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>読込み(&amp;L)...</source>
        <translation>&amp;Load...</translation>
    </message>
    <message>
        <source>VRP(おすすめ座標)ﾌｧｲﾙを読み込みます</source>
        <translation>Loads a recommendation list (VRP file)</translation>
    </message>
    <message>
        <source>設定(&amp;S)...</source>
        <translation>&amp;Settings...</translation>
    </message>
    <message>
        <source>おすすめ座標に関する設定をします</source>
        <translation>Settings of the recommendation list</translation>
    </message>
    <message>
        <source>おすすめ座標一覧</source>
        <translation>Recommendation List</translation>
    </message>
    <message>
        <source>おすすめ座標一覧(</source>
        <translation>Recommendation List (</translation>
    </message>
    <message>
        <source>VRPﾌｧｲﾙを開く</source>
        <translation>Open VRP File</translation>
    </message>
</context>
<context>
    <name>vistal::ui::TfrmVrpSetting</name>
    <message>
        <source>VRPﾌｧｲﾙ(*.vrp)|*.vrp|全てのﾌｧｲﾙ|*</source>
        <translation>VRP Files (*.vrp)|*.vrp|All Files|*</translation>
    </message>
    <message>
        <source>おすすめ座標に関する設定</source>
        <translation>Recommendation List Settings</translation>
    </message>
    <message>
        <source>起動時にVRP(おすすめ座標)ﾌｧｲﾙを読み込む(&amp;I)</source>
        <translation>Load this recommendation list (VRP file) at start-up (&amp;I)</translation>
    </message>
    <message>
        <source>参照(&amp;B)...</source>
        <translation>&amp;Browse...</translation>
    </message>
    <message>
        <source>ﾊﾟﾚｯﾄ(VCP)が指定してあればそれで描画する(&amp;P)</source>
        <translation>Draw with a record&apos;s &amp;palette (VCP) when it names one</translation>
    </message>
    <message>
        <source>ﾀｲﾄﾙのｿｰﾄをする(&amp;S)</source>
        <translation>&amp;Sort by title</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ(&amp;C)</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>VRPﾌｧｲﾙでVCPﾌｧｲﾙが指定してある時に
そのVCPﾌｧｲﾙを使って描画する場合は
ﾁｪｯｸしてください</source>
        <translation>Check this to draw a record of the VRP file
with the VCP file it names,
when it names one</translation>
    </message>
    <message>
        <source>VRPﾌｧｲﾙの指定</source>
        <translation>Choose the VRP File</translation>
    </message>
    <message>
        <source>起動時に読み込む VRP ﾌｧｲﾙ<byte value="xd"/>
%1<byte value="xd"/>
がありません</source>
        <translation>The VRP file to load at start-up<byte value="xd"/>
%1<byte value="xd"/>
does not exist</translation>
    </message>
</context>
<context>
    <name>vistal::ui::Wallpaper</name>
    <message>
        <source>不明</source>
        <translation>unknown</translation>
    </message>
    <message>
        <source>%1 を起動できません: %2</source>
        <translation>Cannot start %1: %2</translation>
    </message>
    <message>
        <source>%1 が応答しません</source>
        <translation>%1 does not answer</translation>
    </message>
    <message>
        <source>終了コード %1</source>
        <translation>exit status %1</translation>
    </message>
    <message>
        <source>%1 が失敗しました: %2</source>
        <translation>%1 failed: %2</translation>
    </message>
    <message>
        <source>Xfce のﾃﾞｽｸﾄｯﾌﾟ設定に壁紙の項目がありません</source>
        <translation>The Xfce desktop settings hold no wallpaper</translation>
    </message>
    <message>
        <source>このﾃﾞｽｸﾄｯﾌﾟ(%1)の壁紙は設定できません。設定できるのは GNOME, Xfce, KDE Plasma のﾃﾞｽｸﾄｯﾌﾟです</source>
        <translation>The wallpaper of this desktop (%1) cannot be set. GNOME, Xfce and KDE Plasma are the desktops whose wallpaper can be set</translation>
    </message>
    <message>
        <source>%1 が見つからないため、壁紙を設定できません</source>
        <translation>The wallpaper cannot be set: %1 was not found</translation>
    </message>
</context>
</TS>
