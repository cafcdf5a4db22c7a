#include "editing/effects.h"

#include <gtest/gtest.h>

#include <cctype>

#include "editing/language_texts.h"

namespace lumera {
namespace {

// "Middle to Two nearby    " gives "middle-to-two-nearby".
std::string KebabName(std::string_view item) {
    item = item.substr(0, item.find_last_not_of(' ') + 1);
    std::string name;
    for (const char c : item) {
        name += c == ' ' ? '-' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return name;
}

TEST(Effects, NamesFollowTheEnglishListsAndNumbersOutsideThemAreRefused) {
    const WindowTexts& english = TextsFor(Language::English);
    for (int number = 0; number < kOpenOptionCount; ++number) {
        const std::optional<OpenEffect> effect = OpenEffectFromNumber(number);
        ASSERT_TRUE(effect) << number;
        EXPECT_EQ(EffectNumber(*effect), number);
        EXPECT_EQ(EffectName(*effect), KebabName(english.openOptions[number]));
    }
    for (int number = 0; number < kCloseOptionCount; ++number) {
        const std::optional<CloseEffect> effect = CloseEffectFromNumber(number);
        ASSERT_TRUE(effect) << number;
        EXPECT_EQ(EffectNumber(*effect), number);
        EXPECT_EQ(EffectName(*effect), KebabName(english.closeOptions[number]));
    }
    for (const int number : {-1, kOpenOptionCount, 15}) {
        EXPECT_FALSE(OpenEffectFromNumber(number)) << number;
    }
    for (const int number : {-1, kCloseOptionCount, 15}) {
        EXPECT_FALSE(CloseEffectFromNumber(number)) << number;
    }
}

}  // namespace
}  // namespace lumera
