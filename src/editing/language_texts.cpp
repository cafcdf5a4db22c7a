#include "editing/language_texts.h"

namespace lumera {
namespace {

constexpr WindowTexts kEnglishTexts{
    .BtnStart = "Start     ",
    .BtnStop = "Stop     ",
    .BtnColor = "Color    ",
    .BtnOpen = "Open     ",
    .BtnSend = "Send    ",
    .BtnSave = "Save    ",
    .BtnClear = "Clear    ",
    .BtnExit = "Exit        ",
    .Label2 = "Dispaly Data",
    .Label3 = "Open Option",
    .Label4 = "Close Option",
    .Label5 = "Link Status:",
    .Label6 = "Note:",
    .Label7 = "English each section most",
    .Label8 = "may input 18 characters",
    .Label9 = "",
    .Label10 = "",
    .openOptions =
        {
            "Left to Right    ",
            "Right to Left    ",
            "Up to Down    ",
            "Down to Up    ",
            "Middle to Two nearby    ",
            "Two nearby to Middle    ",
            "All display    ",
            "Contra rotation    ",
            "Clockwise rotation    ",
        },
    .closeOptions =
        {
            "From right to left    ",
            "From left to right    ",
            "From down to up    ",
            "From up to down    ",
            "From middle to two nearby    ",
            "From two nearby to middle    ",
            "All extinguishes    ",
        },
};

constexpr WindowTexts kChineseTexts{
    .BtnStart = "开始   ",
    .BtnStop = "停止   ",
    .BtnColor = "灯色   ",
    .BtnOpen = "打开    ",
    .BtnSend = "发送   ",
    .BtnSave = "保存   ",
    .BtnClear = "清除   ",
    .BtnExit = "退出    ",
    .Label2 = "显示内容   ",
    .Label3 = "开幕方式   ",
    .Label4 = "关幕方式   ",
    .Label5 = "连接状态:   ",
    .Label6 = "注意:   ",
    .Label7 = "英文每段最多可以      ",
    .Label8 = "输入18个字   ",
    .Label9 = "中文每段最多可以       ",
    .Label10 = "输入12个字   ",
    .openOptions =
        {
            "从左到右开    ",
            "从右到左开    ",
            "从上到下开    ",
            "从下到上开    ",
            "从中间到两边开    ",
            "从两边到中间开    ",
            "全显开    ",
            "逆时针旋转开    ",
            "顺时针旋转开    ",
        },
    .closeOptions =
        {
            "从右到左关    ",
            "从左到右关    ",
            "从下到上关    ",
            "从上到下关    ",
            "从两边到中间关    ",
            "从中间到两边关    ",
            "全灭    ",
        },
};

constexpr WindowTexts kJapaneseTexts{
    .BtnStart = "[スタート]   ",
    .BtnStop = "停          止   ",
    .BtnColor = "光   の   色   ",
    .BtnOpen = "オー プン    ",
    .BtnSend = "送         信   ",
    .BtnSave = "保         存   ",
    .BtnClear = "ク   リ   ア   ",
    .BtnExit = "終         了    ",
    .Label2 = "ディスプレイ   ",
    .Label3 = "オープンモード   ",
    .Label4 = "画面モードオフ   ",
    .Label5 = "接続ステータス:   ",
    .Label6 = "注意:   ",
    .Label7 = "までの各英語      ",
    .Label8 = "18文字を入力してください   ",
    .Label9 = "各中国最大       ",
    .Label10 = "12文字を入力してください   ",
    .openOptions =
        {
            "開くには左から右へ    ",
            "右開きを左に    ",
            "上から下に向かって開いて    ",
            "下から上に向かって開いて    ",
            "両側に中央から開く    ",
            "中央に両側から開きます。    ",
            "すべての開いていた    ",
            "反時計回りに開いて    ",
            "時計回りに開いて    ",
        },
    .closeOptions =
        {
            "右から左へ    ",
            "オフに左から右へ    ",
            "下からオフページのトップへ    ",
            "下にオフに上から    ",
            "中間両側からオフ    ",
            "両側中心オフから    ",
            "Quanmie    ",
        },
};

}  // namespace

const WindowTexts& TextsFor(Language language) {
    switch (language) {
        case Language::Chinese:
            return kChineseTexts;
        case Language::Japanese:
            return kJapaneseTexts;
        case Language::English:
            break;
    }
    return kEnglishTexts;
}

}  // namespace lumera
