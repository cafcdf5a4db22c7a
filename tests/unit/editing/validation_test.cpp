#include "editing/validation.h"

#include <gtest/gtest.h>

#include <string>

namespace lumera {
namespace {

TEST(Validation, CharacterSetsOfTheTwoModes) {
    struct Case {
        unsigned char byte;
        bool english;
        bool chinese;
    };
    const Case cases[] = {
        {0x00, false, false}, {0x01, false, true},  {0x09, false, false}, {0x0B, false, true},
        {0x0C, false, true},  {0x0D, false, false}, {0x11, false, true},  {0x12, true, false},
        {0x1B, true, false},  {0x1C, false, false}, {0x20, true, true},   {0x7E, true, true},
        {0x7F, false, false}, {0x81, false, false}, {0x82, false, true},  {0xFF, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.byte));
        const std::string text = "A" + std::string(1, static_cast<char>(c.byte)) + "B";
        EXPECT_EQ(HasBadEnglishChar(text), !c.english);
        EXPECT_EQ(HasBadChineseChar(text), !c.chinese);
    }
    // The trail byte of a double-byte character is judged on its own.
    EXPECT_TRUE(HasBadChineseChar("\xB0\x80"));
    EXPECT_FALSE(HasBadChineseChar("\xB0\xA1"));
}

TEST(Validation, ChineseLimitFallsEveryThirdNarrowCharacterAndStopsAtZero) {
    const std::pair<int, int> cases[] = {{0, 24}, {1, 23}, {3, 23}, {4, 22}, {22, 16}, {24, 16},
                                         {69, 1}, {70, 0}, {72, 0}, {73, 0}, {99, 0}};
    for (const auto& [narrow, limit] : cases) {
        EXPECT_EQ(ChineseLimitForNarrow(narrow), limit) << narrow << " narrow characters";
    }
    // Far beyond 72 narrow characters the limit stays 0 instead of wrapping to a large one.
    EXPECT_EQ(ChineseLimit(std::string(80, 'A'), 0), 0);
    EXPECT_EQ(ChineseLimit(std::string(80, 'A'), 1), 1);
}

TEST(Validation, TrimToWidthKeepsTheLongestPartWithinTheLimit) {
    const std::string wide12(12, '\x01');
    struct Case {
        std::string text;
        int limit;
        std::string kept;
    };
    const Case cases[] = {
        {wide12 + "\x02", 24, wide12},  // thirteenth glyph goes
        {std::string(19, 'A'), 18, std::string(18, 'A')},
        {std::string(11, '\x01'), 0, std::string(11, '\x01')},          // under 12 bytes: never cut
        {std::string(11, 'A') + "\xB0\xA1", 12, std::string(11, 'A')},  // no half character
        {std::string(10, 'A') + "\x01\x01", 11, std::string(10, 'A')},  // k - 2 cut
        {std::string(20, 'A'), 0, std::string(10, 'A')},
        {std::string(30, 'A'), 40, std::string(30, 'A')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.text) + " limit " + std::to_string(c.limit));
        EXPECT_EQ(TrimToWidth(c.text, c.limit), c.kept);
    }
}

}  // namespace
}  // namespace lumera
