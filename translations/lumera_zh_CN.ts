<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>GlyphName</name>
    <message>
        <source>capital %1</source>
        <translation>大写 %1</translation>
    </message>
    <message>
        <source>small %1</source>
        <translation>小写 %1</translation>
    </message>
    <message>
        <source>%1 — code 0x%2</source>
        <translation>%1 — 代码 0x%2</translation>
    </message>
    <message>
        <source>heart</source>
        <translation>心形</translation>
    </message>
    <message>
        <source>star</source>
        <translation>星形</translation>
    </message>
    <message>
        <source>smiley</source>
        <translation>笑脸</translation>
    </message>
    <message>
        <source>musical note</source>
        <translation>音符</translation>
    </message>
    <message>
        <source>left arrow</source>
        <translation>左箭头</translation>
    </message>
    <message>
        <source>right arrow</source>
        <translation>右箭头</translation>
    </message>
    <message>
        <source>up arrow</source>
        <translation>上箭头</translation>
    </message>
    <message>
        <source>down arrow</source>
        <translation>下箭头</translation>
    </message>
    <message>
        <source>sun</source>
        <translation>太阳</translation>
    </message>
    <message>
        <source>umbrella</source>
        <translation>雨伞</translation>
    </message>
    <message>
        <source>house</source>
        <translation>房子</translation>
    </message>
    <message>
        <source>telephone</source>
        <translation>电话</translation>
    </message>
    <message>
        <source>envelope</source>
        <translation>信封</translation>
    </message>
    <message>
        <source>clock</source>
        <translation>时钟</translation>
    </message>
    <message>
        <source>degree sign</source>
        <translation>度数符号</translation>
    </message>
    <message>
        <source>diamond</source>
        <translation>菱形</translation>
    </message>
    <message>
        <source>space</source>
        <translation>空格</translation>
    </message>
    <message>
        <source>exclamation mark</source>
        <translation>感叹号</translation>
    </message>
    <message>
        <source>quotation mark</source>
        <translation>双引号</translation>
    </message>
    <message>
        <source>number sign</source>
        <translation>井号</translation>
    </message>
    <message>
        <source>dollar sign</source>
        <translation>美元符号</translation>
    </message>
    <message>
        <source>percent sign</source>
        <translation>百分号</translation>
    </message>
    <message>
        <source>ampersand</source>
        <translation>和号</translation>
    </message>
    <message>
        <source>apostrophe</source>
        <translation>撇号</translation>
    </message>
    <message>
        <source>left parenthesis</source>
        <translation>左圆括号</translation>
    </message>
    <message>
        <source>right parenthesis</source>
        <translation>右圆括号</translation>
    </message>
    <message>
        <source>asterisk</source>
        <translation>星号</translation>
    </message>
    <message>
        <source>plus sign</source>
        <translation>加号</translation>
    </message>
    <message>
        <source>comma</source>
        <translation>逗号</translation>
    </message>
    <message>
        <source>hyphen</source>
        <translation>连字符</translation>
    </message>
    <message>
        <source>full stop</source>
        <translation>句号</translation>
    </message>
    <message>
        <source>slash</source>
        <translation>斜杠</translation>
    </message>
    <message>
        <source>colon</source>
        <translation>冒号</translation>
    </message>
    <message>
        <source>semicolon</source>
        <translation>分号</translation>
    </message>
    <message>
        <source>less-than sign</source>
        <translation>小于号</translation>
    </message>
    <message>
        <source>equals sign</source>
        <translation>等号</translation>
    </message>
    <message>
        <source>greater-than sign</source>
        <translation>大于号</translation>
    </message>
    <message>
        <source>question mark</source>
        <translation>问号</translation>
    </message>
    <message>
        <source>at sign</source>
        <translation>at 符号</translation>
    </message>
    <message>
        <source>left square bracket</source>
        <translation>左方括号</translation>
    </message>
    <message>
        <source>backslash</source>
        <translation>反斜杠</translation>
    </message>
    <message>
        <source>right square bracket</source>
        <translation>右方括号</translation>
    </message>
    <message>
        <source>circumflex accent</source>
        <translation>脱字符</translation>
    </message>
    <message>
        <source>underscore</source>
        <translation>下划线</translation>
    </message>
    <message>
        <source>grave accent</source>
        <translation>重音符</translation>
    </message>
    <message>
        <source>left curly bracket</source>
        <translation>左花括号</translation>
    </message>
    <message>
        <source>vertical bar</source>
        <translation>竖线</translation>
    </message>
    <message>
        <source>right curly bracket</source>
        <translation>右花括号</translation>
    </message>
    <message>
        <source>tilde</source>
        <translation>波浪号</translation>
    </message>
</context>
<context>
    <name>SectionCommand</name>
    <message>
        <source>Insert a section above %1</source>
        <translation>在第 %1 段上方插入一段</translation>
    </message>
    <message>
        <source>Duplicate section %1</source>
        <translation>复制第 %1 段</translation>
    </message>
    <message>
        <source>Move section %1 up</source>
        <translation>第 %1 段上移</translation>
    </message>
    <message>
        <source>Move section %1 down</source>
        <translation>第 %1 段下移</translation>
    </message>
    <message>
        <source>Delete section %1</source>
        <translation>删除第 %1 段</translation>
    </message>
</context>
<context>
    <name>lumera::app::CapacityGauge</name>
    <message>
        <source>%1 / %2 bytes</source>
        <translation>%1 / %2 字节</translation>
    </message>
    <message>
        <source>The table does not fit the display: %1 bytes, at most %2.</source>
        <translation>内容超出显示屏容量：%1 字节，最多 %2 字节。</translation>
    </message>
    <message>
        <source>A section is too wide to send.</source>
        <translation>有一段太宽，无法发送。</translation>
    </message>
    <message>
        <source>The download image of the table, against the display&apos;s memory.</source>
        <translation>要发送的数据占显示屏存储器的比例。</translation>
    </message>
</context>
<context>
    <name>lumera::app::CommandPanel</name>
    <message>
        <source>Switch to English</source>
        <translation>切换到英文</translation>
    </message>
    <message>
        <source>Switch to Japanese</source>
        <translation>切换到日文</translation>
    </message>
    <message>
        <source>Switch to Chinese</source>
        <translation>切换到中文</translation>
    </message>
    <message>
        <source>Start the preview</source>
        <translation>开始预览</translation>
    </message>
    <message>
        <source>Stop the preview</source>
        <translation>停止预览</translation>
    </message>
    <message>
        <source>Change the LED colour</source>
        <translation>更换灯色</translation>
    </message>
    <message>
        <source>Open a message file</source>
        <translation>打开信息文件</translation>
    </message>
    <message>
        <source>Send the table to the display</source>
        <translation>把内容发送到显示屏</translation>
    </message>
    <message>
        <source>Save the table to a file</source>
        <translation>把内容保存到文件</translation>
    </message>
    <message>
        <source>Clear the table</source>
        <translation>清除全部内容</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>退出</translation>
    </message>
    <message>
        <source>How long the preview takes to play every section once</source>
        <translation>预览把每段播放一遍所需的时间</translation>
    </message>
    <message>
        <source>cycle %1 s</source>
        <translation>一轮 %1 秒</translation>
    </message>
</context>
<context>
    <name>lumera::app::DisplayViews</name>
    <message>
        <source>Play what the emulated display holds</source>
        <translation>播放模拟显示屏中的内容</translation>
    </message>
    <message>
        <source>&amp;Display</source>
        <translation>显示屏(&amp;D)</translation>
    </message>
</context>
<context>
    <name>lumera::app::DisplayWindow</name>
    <message>
        <source>Display</source>
        <translation>显示屏</translation>
    </message>
    <message>
        <source>The emulated display holds nothing yet (%1: %2).</source>
        <translation>模拟显示屏中还没有内容（%1：%2）。</translation>
    </message>
    <message>
        <source>%1 is no image the display can play: offset %2: %3.</source>
        <translation>%1 不是显示屏能播放的数据：偏移 %2：%3。</translation>
    </message>
    <message>
        <source>%1 / %2 bytes</source>
        <translation>%1 / %2 字节</translation>
    </message>
    <message>
        <source>English mode, %1 section(s), %2, as the display received them.</source>
        <translation>英文模式，%1 段，%2，与显示屏收到的一致。</translation>
    </message>
    <message>
        <source>Chinese mode, %1 section(s), %2, as the display received them.</source>
        <translation>中文模式，%1 段，%2，与显示屏收到的一致。</translation>
    </message>
</context>
<context>
    <name>lumera::app::DotEditor</name>
    <message>
        <source>Dots</source>
        <translation>点阵</translation>
    </message>
</context>
<context>
    <name>lumera::app::DrawingDialog</name>
    <message>
        <source>Drawing for section %1</source>
        <translation>第 %1 段的图案</translation>
    </message>
    <message>
        <source>&amp;Picture</source>
        <translation>图片(&amp;P)</translation>
    </message>
    <message>
        <source>&amp;Text in a font</source>
        <translation>字体文字(&amp;T)</translation>
    </message>
    <message>
        <source>Click or drag to light dots, right-click to darken them.</source>
        <translation>单击或拖动点亮点，右键熄灭。</translation>
    </message>
    <message>
        <source>By &amp;hand</source>
        <translation>手绘(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;Choose a picture...</source>
        <translation>选择图片(&amp;C)...</translation>
    </message>
    <message>
        <source>Darkness that lights a dot</source>
        <translation>点亮一点所需的深度</translation>
    </message>
    <message>
        <source>&amp;Invert: light pixels light the dots</source>
        <translation>反相(&amp;I)：浅色像素点亮</translation>
    </message>
    <message>
        <source>C&amp;rop to 255 columns</source>
        <translation>裁剪为 255 列(&amp;R)</translation>
    </message>
    <message>
        <source>Darkness that lights a dot:</source>
        <translation>点亮一点所需的深度：</translation>
    </message>
    <message>
        <source>&amp;Bold</source>
        <translation>粗体(&amp;B)</translation>
    </message>
    <message>
        <source>&amp;Italic</source>
        <translation>斜体(&amp;I)</translation>
    </message>
    <message>
        <source>Font:</source>
        <translation>字体：</translation>
    </message>
    <message>
        <source>Space between letters:</source>
        <translation>字间距：</translation>
    </message>
    <message>
        <source>Text:</source>
        <translation>文字：</translation>
    </message>
    <message>
        <source>Add column</source>
        <translation>加一列</translation>
    </message>
    <message>
        <source>Remove column</source>
        <translation>删一列</translation>
    </message>
    <message>
        <source>Shift left</source>
        <translation>左移</translation>
    </message>
    <message>
        <source>Shift right</source>
        <translation>右移</translation>
    </message>
    <message>
        <source>Invert</source>
        <translation>反相</translation>
    </message>
    <message>
        <source>Mirror</source>
        <translation>镜像</translation>
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
        <translation>字符键盘</translation>
    </message>
    <message>
        <source>English keyboard</source>
        <translation>英文键盘</translation>
    </message>
</context>
<context>
    <name>lumera::app::LinkPanel</name>
    <message>
        <source>Link status</source>
        <translation>连接状态</translation>
    </message>
    <message>
        <source>The display cannot be reached</source>
        <translation>无法连接显示屏</translation>
    </message>
</context>
<context>
    <name>lumera::app::LinkStatusMark</name>
    <message>
        <source>EMU</source>
        <extracomment>The mark beside the link picture while the emulated display stands in for the display; a few letters at most.</extracomment>
        <translation>模拟</translation>
    </message>
    <message>
        <source>No display found: plug it in; without root, install the udev rule 70-lumera-display.rules; &apos;lumera-cli devices&apos; shows what is connected.</source>
        <translation>未找到显示屏：请插上显示屏；非 root 用户请安装 udev 规则 70-lumera-display.rules；“lumera-cli devices”可列出已连接的设备。</translation>
    </message>
    <message>
        <source>Emulated display: %1</source>
        <translation>模拟显示屏：%1</translation>
    </message>
</context>
<context>
    <name>lumera::app::PreviewViews</name>
    <message>
        <source>Large preview…</source>
        <translation>大预览…</translation>
    </message>
    <message>
        <source>Export animation…</source>
        <translation>导出动画…</translation>
    </message>
    <message>
        <source>LED preview</source>
        <translation>LED 预览</translation>
    </message>
    <message>
        <source>*.gif(GIF Animations)|*.gif</source>
        <extracomment>The file dialog&apos;s filter: keep &quot;*.gif(&quot;, &quot;)|*.gif&quot; and translate the name only.</extracomment>
        <translation>*.gif(GIF 动画)|*.gif</translation>
    </message>
    <message>
        <source>There is nothing to animate: no section in use has a text with something other than blanks.</source>
        <translation>没有可做成动画的内容：所用各段都只有空格。</translation>
    </message>
    <message>
        <source>The animation was not written: %1</source>
        <translation>动画未能写入：%1</translation>
    </message>
    <message>
        <source>Double-click, or press Enter, for a large preview</source>
        <translation>双击或按回车键打开大预览</translation>
    </message>
</context>
<context>
    <name>lumera::app::SectionTable</name>
    <message>
        <source>Sections</source>
        <translation>各段</translation>
    </message>
    <message>
        <source>Section %1 text</source>
        <translation>第 %1 段文字</translation>
    </message>
    <message>
        <source>Section %1: click it, or press Enter in it, to type into it with the on-screen keys; right-click for the section commands</source>
        <translation>第 %1 段：单击或按回车后，可用屏幕键盘输入；右键单击可使用本段的命令</translation>
    </message>
    <message>
        <source>Section %1 opening effect</source>
        <translation>第 %1 段开幕方式</translation>
    </message>
    <message>
        <source>Section %1 closing effect</source>
        <translation>第 %1 段闭幕方式</translation>
    </message>
    <message>
        <source>Section %1</source>
        <translation>第 %1 段</translation>
    </message>
    <message>
        <source>How much of section %1&apos;s length limit its text uses</source>
        <translation>第 %1 段已用长度 / 长度上限</translation>
    </message>
    <message>
        <source>The on-screen keys type into this section</source>
        <translation>屏幕键盘输入到此段</translation>
    </message>
    <message>
        <source>Drawing of %1 columns</source>
        <translation>图案，%1 列</translation>
    </message>
    <message>
        <source>Draw in section %1...</source>
        <translation>在第 %1 段绘图...</translation>
    </message>
</context>
<context>
    <name>lumera::app::TForm1</name>
    <message>
        <source>Animation exported to %1</source>
        <translation>动画已导出到 %1</translation>
    </message>
    <message>
        <source>Saved to %1</source>
        <translation>已保存到 %1</translation>
    </message>
    <message>
        <source>Open %1</source>
        <translation>打开 %1</translation>
    </message>
    <message>
        <source>Switch language</source>
        <translation>切换语言</translation>
    </message>
    <message>
        <source>LED preview</source>
        <translation>LED 预览</translation>
    </message>
    <message>
        <source>Undo %1</source>
        <translation>撤销“%1”</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>撤销</translation>
    </message>
    <message>
        <source>Redo %1</source>
        <translation>重做“%1”</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>重做</translation>
    </message>
    <message>
        <source>Typing in section %1</source>
        <translation>在第 %1 段输入</translation>
    </message>
    <message>
        <source>Section %1 is full (%2 / %3)</source>
        <translation>第 %1 段已满（%2 / %3）</translation>
    </message>
    <message>
        <source>Opening effect of section %1</source>
        <translation>第 %1 段的开幕方式</translation>
    </message>
    <message>
        <source>Closing effect of section %1</source>
        <translation>第 %1 段的闭幕方式</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>清除</translation>
    </message>
    <message>
        <source>%1: not possible here</source>
        <translation>%1：此处无法执行</translation>
    </message>
    <message>
        <source>The table needs %1 of %2 bytes</source>
        <translation>整个表格需要 %1 字节，显示屏最多 %2 字节</translation>
    </message>
    <message>
        <source>Drawing in section %1</source>
        <translation>第 %1 段的图案</translation>
    </message>
    <message>
        <source>No recent files</source>
        <translation>没有最近的文件</translation>
    </message>
    <message>
        <source>Type a text into a section, then press Send.</source>
        <translation>先在某一段中输入文字，再按“发送”。</translation>
    </message>
    <message>
        <source>Shorten the section named above, then press Send again.</source>
        <translation>请缩短上面提到的那一段，然后再按“发送”。</translation>
    </message>
    <message>
        <source>The display is busy with another Send: press Send again once it has finished.</source>
        <translation>显示屏正忙于另一次发送：等它结束后再按“发送”。</translation>
    </message>
    <message>
        <source>Free some disk space or make the folder named above writable, then press Send again.</source>
        <translation>请释放磁盘空间或让上面提到的文件夹可写，然后再按“发送”。</translation>
    </message>
    <message>
        <source>Check the display&apos;s cable and its power, then press Send again.</source>
        <translation>请检查显示屏的连接线和电源，然后再按“发送”。</translation>
    </message>
    <message>
        <source>The table needs %1 bytes, %2 more than the display holds: shorten it, then press Send again.</source>
        <translation>内容需要 %1 字节，比显示屏容量多 %2 字节：请删减内容后再按“发送”。</translation>
    </message>
</context>
</TS>
