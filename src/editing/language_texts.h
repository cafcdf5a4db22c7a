#pragma once

#include <array>
#include <string_view>

#include "editing/table_limits.h"

namespace lumera {

// The window language. English texts go with English content; Chinese and Japanese
// texts both go with Chinese content.
enum class Language { English, Chinese, Japanese };

// The texts one language gives the window (UTF-8). The trailing blanks belong to them.
struct WindowTexts {
    std::string_view BtnStart;
    std::string_view BtnStop;
    std::string_view BtnColor;
    std::string_view BtnOpen;
    std::string_view BtnSend;
    std::string_view BtnSave;
    std::string_view BtnClear;
    std::string_view BtnExit;
    std::string_view Label2;  // text column header
    std::string_view Label3;  // open option header
    std::string_view Label4;  // close option header
    std::string_view Label5;  // link status
    std::string_view Label6;  // note heading
    std::string_view Label7;
    std::string_view Label8;
    std::string_view Label9;
    std::string_view Label10;
    std::array<std::string_view, kOpenOptionCount> openOptions;    // items of every CBA list
    std::array<std::string_view, kCloseOptionCount> closeOptions;  // items of every CBB list
};

const WindowTexts& TextsFor(Language language);

// Texts that stay the same in every language.
constexpr std::string_view kEnglishSwitchCaption = "English";    // BtnEng
constexpr std::string_view kJapaneseSwitchCaption = "Japanese";  // BtnJapanClick
constexpr std::string_view kChineseSwitchCaption = "中文";       // BtnCn
constexpr std::string_view kWindowCaption = "Lumera V1.0";
constexpr std::string_view kApplicationTitle = "Qim";
constexpr std::string_view kLabel1Caption = "Lumera";
constexpr std::string_view kInformationCaption = "Information";
constexpr std::string_view kQuestionCaption = "Warring";

// Shown when a section text holds a character its mode does not allow.
constexpr std::string_view kBadCharacterMessage =
    "The character input does not meet the requirement!";

}  // namespace lumera
