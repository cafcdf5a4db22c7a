#include "editing/byte_classes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "editing/text_measures.h"
#include "editing/validation.h"

namespace lumera {
namespace {

using enum CharacterClass;

// The rules for single bytes, written out as ranges rather than taken from the code.
struct ByteRule {
    int first;
    int last;
    CharacterClass english;
    CharacterClass chinese;
    bool glyphCode;
    int units;
};

constexpr ByteRule kRules[] = {
    {0x00, 0x00, None, None, false, 1},       {0x01, 0x08, None, Symbol, true, 2},
    {0x09, 0x0A, None, None, true, 1},  // tab and line feed: no key, no wide glyph
    {0x0B, 0x0C, None, Symbol, true, 2},      {0x0D, 0x0D, None, None, true, 1},
    {0x0E, 0x11, None, Symbol, true, 2},      {0x12, 0x1B, Symbol, None, true, 1},
    {0x1C, 0x1F, None, None, false, 1},       {0x20, 0x7E, SingleByte, SingleByte, false, 1},
    {0x7F, 0x81, None, None, false, 1},  // 0x81 opens no character here
    {0x82, 0xFF, None, DoubleByte, false, 2},
};

TEST(ByteClasses, EveryByteFallsInTheClassesOfBothModes) {
    for (int value = 0; value <= 0xFF; ++value) {
        SCOPED_TRACE(value);
        const auto byte = static_cast<unsigned char>(value);
        const ByteRule* rule = std::find_if(std::begin(kRules), std::end(kRules), [&](auto& r) {
            return value >= r.first && value <= r.last;
        });
        ASSERT_NE(rule, std::end(kRules));
        EXPECT_EQ(ClassIn(byte, true), rule->english);
        EXPECT_EQ(ClassIn(byte, false), rule->chinese);
        EXPECT_EQ(IsEnglishCharacter(byte), rule->english != None);
        EXPECT_EQ(IsChineseCharacter(byte), rule->chinese != None);
        EXPECT_EQ(IsGlyphCode(byte), rule->glyphCode);
        const std::string alone(1, static_cast<char>(byte));
        EXPECT_EQ(DisplayUnits(alone), rule->units);
        // A double-byte character takes the byte after its lead, whatever that byte is.
        EXPECT_EQ(DisplayUnits("\xB0" + alone), 2);
        EXPECT_EQ(NarrowCharacterCount("\xB0" + alone), 0);
    }
}

}  // namespace
}  // namespace lumera
