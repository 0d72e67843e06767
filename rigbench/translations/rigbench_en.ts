<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>CMainFrame</name>
    <message>
        <source>Untitled</source>
        <translation>Untitled</translation>
    </message>
    <message>
        <source>レディ</source>
        <translation>Ready</translation>
    </message>
    <message>
        <source>rigbench Files (*.model)</source>
        <translation>rigbench models (*.model)</translation>
    </message>
    <message>
        <source>CAP</source>
        <translation>CAP</translation>
    </message>
    <message>
        <source>NUM</source>
        <translation>NUM</translation>
    </message>
    <message>
        <source>SCRL</source>
        <translation>SCRL</translation>
    </message>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>新規作成	Ctrl+N(&amp;N)</source>
        <translation>&amp;New	Ctrl+N</translation>
    </message>
    <message>
        <source>新規にファイルを作成
新規ファイル</source>
        <translation>Create a new model
New</translation>
    </message>
    <message>
        <source>開く...	Ctrl+O(&amp;O)</source>
        <translation>&amp;Open...	Ctrl+O</translation>
    </message>
    <message>
        <source>既存のファイルを開く
開く</source>
        <translation>Open an existing model
Open</translation>
    </message>
    <message>
        <source>上書き保存	Ctrl+S(&amp;S)</source>
        <translation>&amp;Save	Ctrl+S</translation>
    </message>
    <message>
        <source>作業中のファイルを上書きして保存
保存</source>
        <translation>Save the model being edited
Save</translation>
    </message>
    <message>
        <source>名前を付けて保存(&amp;A)...</source>
        <translation>Save &amp;As...</translation>
    </message>
    <message>
        <source>作業中のファイルを新しい名前で保存
名前をつけて保存</source>
        <translation>Save the model being edited under a new name
Save As</translation>
    </message>
    <message>
        <source>最近使ったファイル</source>
        <translation>Recent Files</translation>
    </message>
    <message>
        <source>指定のファイルを開く</source>
        <translation>Open this model</translation>
    </message>
    <message>
        <source>アプリケーションの終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>アプリケーションを終了し、ファイルの保存を指示\終了</source>
        <translation>Quit rigbench, offering to save changes first</translation>
    </message>
    <message>
        <source>編集(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>元に戻す	Ctrl+Z(&amp;U)</source>
        <translation>&amp;Undo	Ctrl+Z</translation>
    </message>
    <message>
        <source>直前に行った動作を元に戻す
元に戻す</source>
        <translation>Undo the last action
Undo</translation>
    </message>
    <message>
        <source>やり直し	Ctrl+Shift+Z(&amp;R)</source>
        <translation>&amp;Redo	Ctrl+Shift+Z</translation>
    </message>
    <message>
        <source>元に戻した動作をやり直す
やり直し</source>
        <translation>Redo the last undone action
Redo</translation>
    </message>
    <message>
        <source>切り取り	Ctrl+X(&amp;T)</source>
        <translation>Cu&amp;t	Ctrl+X</translation>
    </message>
    <message>
        <source>選択範囲を切り取ってクリップボードに保存
切り取り</source>
        <translation>Cut the selection to the clipboard
Cut</translation>
    </message>
    <message>
        <source>コピー	Ctrl+C(&amp;C)</source>
        <translation>&amp;Copy	Ctrl+C</translation>
    </message>
    <message>
        <source>選択範囲をコピーしてクリップボードに保存
保存</source>
        <translation>Copy the selection to the clipboard
Copy</translation>
    </message>
    <message>
        <source>貼り付け	Ctrl+V(&amp;P)</source>
        <translation>&amp;Paste	Ctrl+V</translation>
    </message>
    <message>
        <source>クリップボードの内容を貼り付け
貼り付け</source>
        <translation>Insert the contents of the clipboard
Paste</translation>
    </message>
    <message>
        <source>印刷</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>印刷
印刷</source>
        <translation>Print
Print</translation>
    </message>
    <message>
        <source>表示(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>ツール バー(&amp;T)</source>
        <translation>&amp;Toolbar</translation>
    </message>
    <message>
        <source>ツール バーの 表示/非表示
ツール バーの表示切り替え</source>
        <translation>Show or hide the toolbar
Toggle Toolbar</translation>
    </message>
    <message>
        <source>ステータス バー(&amp;S)</source>
        <translation>&amp;Status Bar</translation>
    </message>
    <message>
        <source>ステータス バーの 表示/非表示
ステータス バーの表示切り替え</source>
        <translation>Show or hide the status bar
Toggle Status Bar</translation>
    </message>
    <message>
        <source>ゲームで試す(&amp;G)</source>
        <translation>Try in &amp;Game</translation>
    </message>
    <message>
        <source>編集中のパペットをゲームの中でポーズのまま床に立たせる (M: 反転、L: 脱力)
ゲームで試す</source>
        <translation>Stand the puppet being edited on the game&apos;s floor, in its pose (M: mirror, L: go limp)
Try in Game</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>バージョン情報 rigbench(&amp;A)...</source>
        <translation>&amp;About rigbench...</translation>
    </message>
    <message>
        <source>プログラム情報、バージョン、著作権を表示します。
バージョン情報</source>
        <translation>Show the program&apos;s information, version and copyright
About</translation>
    </message>
    <message>
        <source>%1 への変更を保存しますか?</source>
        <translation>Save the changes to %1?</translation>
    </message>
    <message>
        <source>%1
を開けません。
%2</source>
        <translation>%1
could not be opened.
%2</translation>
    </message>
    <message>
        <source>%1
を保存できません。
%2</source>
        <translation>%1
could not be saved.
%2</translation>
    </message>
    <message>
        <source>バージョン情報 rigbench</source>
        <translation>About rigbench</translation>
    </message>
    <message>
        <source>&lt;b&gt;rigbench&lt;/b&gt; バージョン %1&lt;br&gt;パペットを組み立ててポーズを付けるエディタ</source>
        <translation>&lt;b&gt;rigbench&lt;/b&gt; version %1&lt;br&gt;The editor in which puppets are assembled and posed</translation>
    </message>
</context>
<context>
    <name>CModeDlg</name>
    <message>
        <source>パーツ移動モード</source>
        <translation>Drag parts</translation>
    </message>
    <message>
        <source>関節接着モード</source>
        <translation>Link joints</translation>
    </message>
</context>
<context>
    <name>CPartDlg</name>
    <message>
        <source>Append</source>
        <translation>Append Part...</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Delete Part</translation>
    </message>
    <message>
        <source>↑</source>
        <translation>↑</translation>
    </message>
    <message>
        <source>↓</source>
        <translation>↓</translation>
    </message>
    <message>
        <source>Save Pose</source>
        <translation>Save Pose...</translation>
    </message>
    <message>
        <source>Load Pose</source>
        <translation>Load Pose...</translation>
    </message>
    <message>
        <source>絵からパーツを作成...</source>
        <translation>New Part from Picture...</translation>
    </message>
    <message>
        <source>Part Files (*.part)</source>
        <translation>Part files (*.part)</translation>
    </message>
    <message>
        <source>Pose Files (*.pose)</source>
        <translation>Pose files (*.pose)</translation>
    </message>
    <message>
        <source>PNG 画像 (*.png)</source>
        <translation>PNG pictures (*.png)</translation>
    </message>
    <message>
        <source>%1
を保存できません。
%2</source>
        <translation>%1
could not be saved.
%2</translation>
    </message>
    <message>
        <source>%1
を開けません。
PNG 画像として読めないか、大きすぎます (一辺 %2 ピクセルまで)。</source>
        <translation>%1
could not be opened.
It is not a readable PNG picture, or it is too large (at most %2 pixels a side).</translation>
    </message>
</context>
<context>
    <name>CrigbenchView</name>
    <message>
        <source>パペット全体を表示	Home(&amp;W)</source>
        <translation>Show &amp;Whole Puppet	Home</translation>
    </message>
    <message>
        <source>パペット全体が収まるように表示を合わせる</source>
        <translation>Fit the view to the whole puppet</translation>
    </message>
    <message>
        <source>全体を表示</source>
        <translation>Whole Puppet</translation>
    </message>
</context>
<context>
    <name>LinkPanel</name>
    <message>
        <source>選択中のパーツのリンク
関節接着モードで 2 つ目の関節を Shift+クリックすると、そのパーツが 1 つ目の関節へ寄り、長さ 0 でつながります</source>
        <translation>Links of the selected part
In Link joints mode, Shift+click the second joint: its part moves onto the first joint and the two are linked with length 0</translation>
    </message>
    <message>
        <source>リンクを削除</source>
        <translation>Delete Link</translation>
    </message>
    <message>
        <source>選択したリンクだけを削除</source>
        <translation>Delete only the selected link</translation>
    </message>
    <message>
        <source>関節 %1 ― %2 の関節 %3 (長さ %4)</source>
        <translation>Joint %1 ― joint %3 of %2 (length %4)</translation>
    </message>
</context>
<context>
    <name>PartMakerDlg</name>
    <message>
        <source>絵からパーツを作成</source>
        <translation>New Part from Picture</translation>
    </message>
    <message>
        <source>関節</source>
        <translation>Joint</translation>
    </message>
    <message>
        <source>体の円</source>
        <translation>Body circle</translation>
    </message>
    <message>
        <source>攻撃の円</source>
        <translation>Attack circle</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>2 のべき乗の大きさに広げた写しを使う (%1×%2 → %3×%4)</source>
        <translation>Use a copy padded to power-of-two sides (%1×%2 → %3×%4)</translation>
    </message>
    <message>
        <source>ゲームのテクスチャは辺が 2 のべき乗の絵でなければなりません</source>
        <translation>The game&apos;s textures must be pictures whose sides are powers of two</translation>
    </message>
    <message>
        <source>作成</source>
        <translation>Create</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>パーツの正方形 (絵のピクセル)</source>
        <translation>Part square (picture pixels)</translation>
    </message>
    <message>
        <source>中心 X</source>
        <translation>Centre X</translation>
    </message>
    <message>
        <source>中心 Y</source>
        <translation>Centre Y</translation>
    </message>
    <message>
        <source>一辺</source>
        <translation>Side</translation>
    </message>
    <message>
        <source>名前</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>道具</source>
        <translation>Tool</translation>
    </message>
    <message>
        <source>関節: 絵をクリック
円: 中心から外へドラッグ</source>
        <translation>Joint: click the picture
Circle: drag out from its centre</translation>
    </message>
    <message>
        <source>関節と円</source>
        <translation>Joints and circles</translation>
    </message>
    <message>
        <source>関節 %1 (%2, %3)</source>
        <translation>Joint %1 (%2, %3)</translation>
    </message>
    <message>
        <source>%1 (%2, %3) 半径 %4</source>
        <translation>%1 (%2, %3) radius %4</translation>
    </message>
    <message>
        <source>%1 は既に存在します。
上書きしますか?</source>
        <translation>%1 already exists.
Replace it?</translation>
    </message>
    <message>
        <source>%1
を保存できません。
%2</source>
        <translation>%1
could not be saved.
%2</translation>
    </message>
    <message>
        <source>パーツの名前を入力してください (フォルダの区切りは使えません)。</source>
        <translation>Enter a name for the part (without folder separators).</translation>
    </message>
</context>
<context>
    <name>ToolWindow</name>
    <message>
        <source>Dialog</source>
        <translation>Tools</translation>
    </message>
</context>
<context>
    <name>rigbench</name>
    <message>
        <source>%1
はモデル ファイルではありません。開きませんでした。</source>
        <translation>%1
is not a model file. It was not opened.</translation>
    </message>
    <message>
        <source>%1
のパーツ ファイルが見つかりません:
%2</source>
        <translation>Part files of
%1
are missing:
%2</translation>
    </message>
    <message>
        <source>作業フォルダ: %1</source>
        <translation>Working folder: %1</translation>
    </message>
    <message>
        <source>パーツ、絵、ポーズのパスはこのフォルダから読まれます</source>
        <translation>Paths of parts, pictures and poses are read from this folder</translation>
    </message>
    <message>
        <source>%2
は作業フォルダでは別のファイルを指します。
選んだファイル: %1</source>
        <translation>%2
names another file in the working folder.
Chosen file: %1</translation>
    </message>
    <message>
        <source>%2
は作業フォルダにありません。
選んだファイル: %1</source>
        <translation>%2
is not in the working folder.
Chosen file: %1</translation>
    </message>
    <message>
        <source>

選んだファイルを指すパスを記録するか、絵と一緒にモデルの横にコピーしますか?</source>
        <translation>

Store a path that reaches the chosen file, or copy the file with its picture beside the model?</translation>
    </message>
    <message>
        <source>パスを記録</source>
        <translation>Store Path</translation>
    </message>
    <message>
        <source>モデルの横にコピー</source>
        <translation>Copy Beside Model</translation>
    </message>
    <message>
        <source>%1
をコピーできません。
%2</source>
        <translation>%1
could not be copied.
%2</translation>
    </message>
    <message>
        <source>%1
に保存すると、%2 個のパーツのパスがパーツを指さなくなります。
パスを書き換えるか、パーツと絵をそのフォルダにコピーしますか?</source>
        <translation>Saved into
%1
the paths of the model&apos;s parts (%2) would no longer reach them.
Rewrite the paths, or copy the parts and their pictures into that folder?</translation>
    </message>
    <message>
        <source>パスを書き換える</source>
        <translation>Rewrite Paths</translation>
    </message>
    <message>
        <source>パーツをコピー</source>
        <translation>Copy Parts</translation>
    </message>
    <message>
        <source>ポーズ(&amp;P)</source>
        <translation>&amp;Pose</translation>
    </message>
    <message>
        <source>(モデルの横にポーズ ファイルはありません)</source>
        <translation>(no pose files beside the model)</translation>
    </message>
    <message>
        <source>ポーズ %1 を読み込みました</source>
        <translation>Loaded pose %1</translation>
    </message>
    <message>
        <source>%1
の値は %2 個で、%3 パーツ用のポーズではありません (%4 個が必要です)。</source>
        <translation>%1
holds %2 values: it is not a pose for %3 parts (that needs %4).</translation>
    </message>
    <message>
        <source>フォルダを作れません: %1</source>
        <translation>Cannot create the folder %1</translation>
    </message>
    <message>
        <source>%1 が見つかりません</source>
        <translation>%1 is missing</translation>
    </message>
    <message>
        <source>パーツとポーズ</source>
        <translation>Parts and Poses</translation>
    </message>
    <message>
        <source>編集モード</source>
        <translation>Edit Mode</translation>
    </message>
    <message>
        <source>フォルダ接頭辞(&amp;D):</source>
        <translation>Fol&amp;der prefix:</translation>
    </message>
    <message>
        <source>モデルを開きました: %1 (パーツ %2 個、リンク %3 本)</source>
        <translation>Opened the model %1 (%2 parts, %3 links)</translation>
    </message>
    <message>
        <source>保存しました: %1</source>
        <translation>Saved %1</translation>
    </message>
    <message>
        <source>パーツを追加しました: %1</source>
        <translation>Appended the part %1</translation>
    </message>
    <message>
        <source>リンクを作成しました: パーツ %1 (%2) の関節 %3 と パーツ %4 (%5) の関節 %6</source>
        <translation>Made a link: joint %3 of part %1 (%2) to joint %6 of part %4 (%5)</translation>
    </message>
    <message>
        <source>ポーズを保存しました: %1</source>
        <translation>Saved the pose %1</translation>
    </message>
    <message>
        <source>元に戻す: %1</source>
        <translation>Undo: %1</translation>
    </message>
    <message>
        <source>やり直し: %1</source>
        <translation>Redo: %1</translation>
    </message>
    <message>
        <source>移動</source>
        <translation>move</translation>
    </message>
    <message>
        <source>ポーズの解除</source>
        <translation>leave the pose</translation>
    </message>
    <message>
        <source>パーツの追加</source>
        <translation>append part</translation>
    </message>
    <message>
        <source>パーツの削除</source>
        <translation>delete part</translation>
    </message>
    <message>
        <source>パーツの並べ替え</source>
        <translation>reorder parts</translation>
    </message>
    <message>
        <source>リンク作成</source>
        <translation>make link</translation>
    </message>
    <message>
        <source>リンクの削除</source>
        <translation>delete link</translation>
    </message>
    <message>
        <source>ポーズの読み込み</source>
        <translation>load pose</translation>
    </message>
    <message>
        <source>パーツのパスの書き換え</source>
        <translation>rewrite part paths</translation>
    </message>
    <message>
        <source>ポーズ</source>
        <translation>Pose</translation>
    </message>
    <message>
        <source>脱力</source>
        <translation>Limp</translation>
    </message>
    <message>
        <source>エディタでの位置からのずれ (パーツ番号: 角の最大距離)</source>
        <translation>distance from where each part stood in the editor (part: farthest corner)</translation>
    </message>
</context>
</TS>
