<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja">
<context>
    <name>GlyphName</name>
    <message>
        <source>capital %1</source>
        <translation>大文字 %1</translation>
    </message>
    <message>
        <source>small %1</source>
        <translation>小文字 %1</translation>
    </message>
    <message>
        <source>%1 — code 0x%2</source>
        <translation>%1 — コード 0x%2</translation>
    </message>
    <message>
        <source>heart</source>
        <translation>ハート</translation>
    </message>
    <message>
        <source>star</source>
        <translation>星</translation>
    </message>
    <message>
        <source>smiley</source>
        <translation>スマイル</translation>
    </message>
    <message>
        <source>musical note</source>
        <translation>音符</translation>
    </message>
    <message>
        <source>left arrow</source>
        <translation>左矢印</translation>
    </message>
    <message>
        <source>right arrow</source>
        <translation>右矢印</translation>
    </message>
    <message>
        <source>up arrow</source>
        <translation>上矢印</translation>
    </message>
    <message>
        <source>down arrow</source>
        <translation>下矢印</translation>
    </message>
    <message>
        <source>sun</source>
        <translation>太陽</translation>
    </message>
    <message>
        <source>umbrella</source>
        <translation>傘</translation>
    </message>
    <message>
        <source>house</source>
        <translation>家</translation>
    </message>
    <message>
        <source>telephone</source>
        <translation>電話</translation>
    </message>
    <message>
        <source>envelope</source>
        <translation>封筒</translation>
    </message>
    <message>
        <source>clock</source>
        <translation>時計</translation>
    </message>
    <message>
        <source>degree sign</source>
        <translation>度記号</translation>
    </message>
    <message>
        <source>diamond</source>
        <translation>ダイヤ</translation>
    </message>
    <message>
        <source>space</source>
        <translation>スペース</translation>
    </message>
    <message>
        <source>exclamation mark</source>
        <translation>感嘆符</translation>
    </message>
    <message>
        <source>quotation mark</source>
        <translation>二重引用符</translation>
    </message>
    <message>
        <source>number sign</source>
        <translation>番号記号</translation>
    </message>
    <message>
        <source>dollar sign</source>
        <translation>ドル記号</translation>
    </message>
    <message>
        <source>percent sign</source>
        <translation>パーセント記号</translation>
    </message>
    <message>
        <source>ampersand</source>
        <translation>アンパサンド</translation>
    </message>
    <message>
        <source>apostrophe</source>
        <translation>アポストロフィ</translation>
    </message>
    <message>
        <source>left parenthesis</source>
        <translation>左丸括弧</translation>
    </message>
    <message>
        <source>right parenthesis</source>
        <translation>右丸括弧</translation>
    </message>
    <message>
        <source>asterisk</source>
        <translation>アスタリスク</translation>
    </message>
    <message>
        <source>plus sign</source>
        <translation>プラス記号</translation>
    </message>
    <message>
        <source>comma</source>
        <translation>カンマ</translation>
    </message>
    <message>
        <source>hyphen</source>
        <translation>ハイフン</translation>
    </message>
    <message>
        <source>full stop</source>
        <translation>ピリオド</translation>
    </message>
    <message>
        <source>slash</source>
        <translation>スラッシュ</translation>
    </message>
    <message>
        <source>colon</source>
        <translation>コロン</translation>
    </message>
    <message>
        <source>semicolon</source>
        <translation>セミコロン</translation>
    </message>
    <message>
        <source>less-than sign</source>
        <translation>小なり記号</translation>
    </message>
    <message>
        <source>equals sign</source>
        <translation>等号</translation>
    </message>
    <message>
        <source>greater-than sign</source>
        <translation>大なり記号</translation>
    </message>
    <message>
        <source>question mark</source>
        <translation>疑問符</translation>
    </message>
    <message>
        <source>at sign</source>
        <translation>アットマーク</translation>
    </message>
    <message>
        <source>left square bracket</source>
        <translation>左角括弧</translation>
    </message>
    <message>
        <source>backslash</source>
        <translation>バックスラッシュ</translation>
    </message>
    <message>
        <source>right square bracket</source>
        <translation>右角括弧</translation>
    </message>
    <message>
        <source>circumflex accent</source>
        <translation>サーカムフレックス</translation>
    </message>
    <message>
        <source>underscore</source>
        <translation>アンダースコア</translation>
    </message>
    <message>
        <source>grave accent</source>
        <translation>グレーブアクセント</translation>
    </message>
    <message>
        <source>left curly bracket</source>
        <translation>左波括弧</translation>
    </message>
    <message>
        <source>vertical bar</source>
        <translation>縦線</translation>
    </message>
    <message>
        <source>right curly bracket</source>
        <translation>右波括弧</translation>
    </message>
    <message>
        <source>tilde</source>
        <translation>チルダ</translation>
    </message>
</context>
<context>
    <name>SectionCommand</name>
    <message>
        <source>Insert a section above %1</source>
        <translation>セクション %1 の上に挿入</translation>
    </message>
    <message>
        <source>Duplicate section %1</source>
        <translation>セクション %1 を複製</translation>
    </message>
    <message>
        <source>Move section %1 up</source>
        <translation>セクション %1 を上へ移動</translation>
    </message>
    <message>
        <source>Move section %1 down</source>
        <translation>セクション %1 を下へ移動</translation>
    </message>
    <message>
        <source>Delete section %1</source>
        <translation>セクション %1 を削除</translation>
    </message>
</context>
<context>
    <name>lumera::app::CapacityGauge</name>
    <message>
        <source>%1 / %2 bytes</source>
        <translation>%1 / %2 バイト</translation>
    </message>
    <message>
        <source>The table does not fit the display: %1 bytes, at most %2.</source>
        <translation>表示器の容量を超えています：%1 バイト（最大 %2 バイト）。</translation>
    </message>
    <message>
        <source>A section is too wide to send.</source>
        <translation>幅が広すぎて送信できないセクションがあります。</translation>
    </message>
    <message>
        <source>The download image of the table, against the display&apos;s memory.</source>
        <translation>送信データが表示器のメモリに占める量です。</translation>
    </message>
</context>
<context>
    <name>lumera::app::CommandPanel</name>
    <message>
        <source>Switch to English</source>
        <translation>英語に切り替え</translation>
    </message>
    <message>
        <source>Switch to Japanese</source>
        <translation>日本語に切り替え</translation>
    </message>
    <message>
        <source>Switch to Chinese</source>
        <translation>中国語に切り替え</translation>
    </message>
    <message>
        <source>Start the preview</source>
        <translation>プレビューを開始</translation>
    </message>
    <message>
        <source>Stop the preview</source>
        <translation>プレビューを停止</translation>
    </message>
    <message>
        <source>Change the LED colour</source>
        <translation>LED の色を変更</translation>
    </message>
    <message>
        <source>Open a message file</source>
        <translation>メッセージファイルを開く</translation>
    </message>
    <message>
        <source>Send the table to the display</source>
        <translation>内容を表示器に送信</translation>
    </message>
    <message>
        <source>Save the table to a file</source>
        <translation>内容をファイルに保存</translation>
    </message>
    <message>
        <source>Clear the table</source>
        <translation>内容をすべて消去</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>終了</translation>
    </message>
    <message>
        <source>How long the preview takes to play every section once</source>
        <translation>プレビューで全セクションを一巡する時間</translation>
    </message>
    <message>
        <source>cycle %1 s</source>
        <translation>一巡 %1 秒</translation>
    </message>
</context>
<context>
    <name>lumera::app::DisplayViews</name>
    <message>
        <source>Play what the emulated display holds</source>
        <translation>エミュレータの表示器の内容を再生</translation>
    </message>
    <message>
        <source>&amp;Display</source>
        <translation>表示器(&amp;D)</translation>
    </message>
</context>
<context>
    <name>lumera::app::DisplayWindow</name>
    <message>
        <source>Display</source>
        <translation>表示器</translation>
    </message>
    <message>
        <source>The emulated display holds nothing yet (%1: %2).</source>
        <translation>エミュレータの表示器にはまだ何もありません（%1：%2）。</translation>
    </message>
    <message>
        <source>%1 is no image the display can play: offset %2: %3.</source>
        <translation>%1 は表示器で再生できるデータではありません：オフセット %2：%3。</translation>
    </message>
    <message>
        <source>%1 / %2 bytes</source>
        <translation>%1 / %2 バイト</translation>
    </message>
    <message>
        <source>English mode, %1 section(s), %2, as the display received them.</source>
        <translation>英語モード、%1 セクション、%2（表示器が受信したとおり）。</translation>
    </message>
    <message>
        <source>Chinese mode, %1 section(s), %2, as the display received them.</source>
        <translation>中国語モード、%1 セクション、%2（表示器が受信したとおり）。</translation>
    </message>
</context>
<context>
    <name>lumera::app::DotEditor</name>
    <message>
        <source>Dots</source>
        <translation>ドット</translation>
    </message>
</context>
<context>
    <name>lumera::app::DrawingDialog</name>
    <message>
        <source>Drawing for section %1</source>
        <translation>セクション %1 の図柄</translation>
    </message>
    <message>
        <source>&amp;Picture</source>
        <translation>画像(&amp;P)</translation>
    </message>
    <message>
        <source>&amp;Text in a font</source>
        <translation>フォントの文字(&amp;T)</translation>
    </message>
    <message>
        <source>Click or drag to light dots, right-click to darken them.</source>
        <translation>クリックまたはドラッグで点灯、右クリックで消灯します。</translation>
    </message>
    <message>
        <source>By &amp;hand</source>
        <translation>手描き(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;Choose a picture...</source>
        <translation>画像を選ぶ(&amp;C)...</translation>
    </message>
    <message>
        <source>Darkness that lights a dot</source>
        <translation>点灯する濃さ</translation>
    </message>
    <message>
        <source>&amp;Invert: light pixels light the dots</source>
        <translation>反転(&amp;I)：明るい画素を点灯</translation>
    </message>
    <message>
        <source>C&amp;rop to 255 columns</source>
        <translation>255 列に切り詰める(&amp;R)</translation>
    </message>
    <message>
        <source>Darkness that lights a dot:</source>
        <translation>点灯する濃さ：</translation>
    </message>
    <message>
        <source>&amp;Bold</source>
        <translation>太字(&amp;B)</translation>
    </message>
    <message>
        <source>&amp;Italic</source>
        <translation>斜体(&amp;I)</translation>
    </message>
    <message>
        <source>Font:</source>
        <translation>フォント：</translation>
    </message>
    <message>
        <source>Space between letters:</source>
        <translation>文字間隔：</translation>
    </message>
    <message>
        <source>Text:</source>
        <translation>文字：</translation>
    </message>
    <message>
        <source>Add column</source>
        <translation>列を追加</translation>
    </message>
    <message>
        <source>Remove column</source>
        <translation>列を削除</translation>
    </message>
    <message>
        <source>Shift left</source>
        <translation>左へ移動</translation>
    </message>
    <message>
        <source>Shift right</source>
        <translation>右へ移動</translation>
    </message>
    <message>
        <source>Invert</source>
        <translation>反転</translation>
    </message>
    <message>
        <source>Mirror</source>
        <translation>左右反転</translation>
    </message>
    <message>
        <source>%1 of %2 columns</source>
        <translation>%1 / %2 列</translation>
    </message>
</context>
<context>
    <name>lumera::app::KeyPanels</name>
    <message>
        <source>Glyph keyboard</source>
        <translation>文字キーボード</translation>
    </message>
    <message>
        <source>English keyboard</source>
        <translation>英語キーボード</translation>
    </message>
</context>
<context>
    <name>lumera::app::LinkPanel</name>
    <message>
        <source>Link status</source>
        <translation>接続ステータス</translation>
    </message>
    <message>
        <source>The display cannot be reached</source>
        <translation>表示器に接続できません</translation>
    </message>
</context>
<context>
    <name>lumera::app::LinkStatusMark</name>
    <message>
        <source>EMU</source>
        <extracomment>The mark beside the link picture while the emulated display stands in for the display; a few letters at most.</extracomment>
        <translation>エミュ</translation>
    </message>
    <message>
        <source>No display found: plug it in; without root, install the udev rule 70-lumera-display.rules; &apos;lumera-cli devices&apos; shows what is connected.</source>
        <translation>表示器が見つかりません。接続してください。root 以外で使うには udev ルール 70-lumera-display.rules をインストールしてください。接続中の機器は「lumera-cli devices」で確認できます。</translation>
    </message>
    <message>
        <source>Emulated display: %1</source>
        <translation>エミュレータの表示器：%1</translation>
    </message>
</context>
<context>
    <name>lumera::app::PreviewViews</name>
    <message>
        <source>Large preview…</source>
        <translation>拡大プレビュー…</translation>
    </message>
    <message>
        <source>Export animation…</source>
        <translation>アニメーションを書き出す…</translation>
    </message>
    <message>
        <source>LED preview</source>
        <translation>LED プレビュー</translation>
    </message>
    <message>
        <source>*.gif(GIF Animations)|*.gif</source>
        <extracomment>The file dialog&apos;s filter: keep &quot;*.gif(&quot;, &quot;)|*.gif&quot; and translate the name only.</extracomment>
        <translation>*.gif(GIF アニメーション)|*.gif</translation>
    </message>
    <message>
        <source>There is nothing to animate: no section in use has a text with something other than blanks.</source>
        <translation>アニメーションにする内容がありません。使用中のセクションは空白だけです。</translation>
    </message>
    <message>
        <source>The animation was not written: %1</source>
        <translation>アニメーションを書き出せませんでした：%1</translation>
    </message>
    <message>
        <source>Double-click, or press Enter, for a large preview</source>
        <translation>ダブルクリックまたは Enter キーで拡大プレビュー</translation>
    </message>
</context>
<context>
    <name>lumera::app::SectionTable</name>
    <message>
        <source>Sections</source>
        <translation>セクション</translation>
    </message>
    <message>
        <source>Section %1 text</source>
        <translation>セクション %1 の文字</translation>
    </message>
    <message>
        <source>Section %1: click it, or press Enter in it, to type into it with the on-screen keys; right-click for the section commands</source>
        <translation>セクション %1：クリックするか Enter を押すと画面キーボードで入力できます。右クリックでセクションのコマンド</translation>
    </message>
    <message>
        <source>Section %1 opening effect</source>
        <translation>セクション %1 の開始効果</translation>
    </message>
    <message>
        <source>Section %1 closing effect</source>
        <translation>セクション %1 の終了効果</translation>
    </message>
    <message>
        <source>Section %1</source>
        <translation>セクション %1</translation>
    </message>
    <message>
        <source>How much of section %1&apos;s length limit its text uses</source>
        <translation>セクション %1 の文字数 / 上限</translation>
    </message>
    <message>
        <source>The on-screen keys type into this section</source>
        <translation>画面キーボードはこのセクションに入力します</translation>
    </message>
    <message>
        <source>Drawing of %1 columns</source>
        <translation>図柄、%1 列</translation>
    </message>
    <message>
        <source>Draw in section %1...</source>
        <translation>セクション %1 に描く...</translation>
    </message>
</context>
<context>
    <name>lumera::app::TForm1</name>
    <message>
        <source>Animation exported to %1</source>
        <translation>アニメーションを %1 に書き出しました</translation>
    </message>
    <message>
        <source>Saved to %1</source>
        <translation>%1 に保存しました</translation>
    </message>
    <message>
        <source>Open %1</source>
        <translation>%1 を開く</translation>
    </message>
    <message>
        <source>Switch language</source>
        <translation>言語の切り替え</translation>
    </message>
    <message>
        <source>LED preview</source>
        <translation>LED プレビュー</translation>
    </message>
    <message>
        <source>Undo %1</source>
        <translation>元に戻す：%1</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>元に戻す</translation>
    </message>
    <message>
        <source>Redo %1</source>
        <translation>やり直す：%1</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>やり直す</translation>
    </message>
    <message>
        <source>Typing in section %1</source>
        <translation>セクション %1 への入力</translation>
    </message>
    <message>
        <source>Section %1 is full (%2 / %3)</source>
        <translation>セクション %1 はいっぱいです（%2 / %3）</translation>
    </message>
    <message>
        <source>Opening effect of section %1</source>
        <translation>セクション %1 の開始効果</translation>
    </message>
    <message>
        <source>Closing effect of section %1</source>
        <translation>セクション %1 の終了効果</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>クリア</translation>
    </message>
    <message>
        <source>%1: not possible here</source>
        <translation>%1：ここではできません</translation>
    </message>
    <message>
        <source>The table needs %1 of %2 bytes</source>
        <translation>この表には %1 バイト必要です（表示器は最大 %2 バイト）</translation>
    </message>
    <message>
        <source>Drawing in section %1</source>
        <translation>セクション %1 の図柄</translation>
    </message>
    <message>
        <source>No recent files</source>
        <translation>最近使ったファイルはありません</translation>
    </message>
    <message>
        <source>Type a text into a section, then press Send.</source>
        <translation>セクションに文字を入力してから「送信」を押してください。</translation>
    </message>
    <message>
        <source>Shorten the section named above, then press Send again.</source>
        <translation>上記のセクションを短くしてから、もう一度「送信」を押してください。</translation>
    </message>
    <message>
        <source>The display is busy with another Send: press Send again once it has finished.</source>
        <translation>表示器は別の送信を処理中です。終わってからもう一度「送信」を押してください。</translation>
    </message>
    <message>
        <source>Free some disk space or make the folder named above writable, then press Send again.</source>
        <translation>ディスクの空きを増やすか上記のフォルダーを書き込み可能にしてから、もう一度「送信」を押してください。</translation>
    </message>
    <message>
        <source>Check the display&apos;s cable and its power, then press Send again.</source>
        <translation>表示器のケーブルと電源を確認してから、もう一度「送信」を押してください。</translation>
    </message>
    <message>
        <source>The table needs %1 bytes, %2 more than the display holds: shorten it, then press Send again.</source>
        <translation>この表には %1 バイト必要で、表示器の容量より %2 バイト多すぎます。短くしてから、もう一度「送信」を押してください。</translation>
    </message>
</context>
</TS>
