#include "editing/language_texts.h"

#include <gtest/gtest.h>

namespace lumera {
namespace {

TEST(LanguageTexts, ExactTextsTrailingBlanksIncluded) {
    const WindowTexts& english = TextsFor(Language::English);
    const WindowTexts& chinese = TextsFor(Language::Chinese);
    const WindowTexts& japanese = TextsFor(Language::Japanese);
    const std::pair<std::string_view, std::string_view> cases[] = {
        {english.BtnStart, "Start     "},        {english.BtnExit, "Exit        "},
        {english.Label2, "Dispaly Data"},        {english.closeOptions[6], "All extinguishes    "},
        {chinese.BtnOpen, "打开    "},           {chinese.Label9, "中文每段最多可以       "},
        {japanese.BtnStop, "停          止   "}, {japanese.closeOptions[6], "Quanmie    "},
    };
    for (const auto& [actual, expected] : cases) {
        EXPECT_EQ(actual, expected);
    }
    for (const WindowTexts* texts : {&english, &chinese, &japanese}) {
        for (std::string_view item : texts->openOptions) {
            EXPECT_TRUE(item.ends_with("    ") && !item.ends_with("     ")) << item;
        }
    }
}

}  // namespace
}  // namespace lumera
