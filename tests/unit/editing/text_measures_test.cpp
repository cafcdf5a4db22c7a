#include "editing/text_measures.h"

#include <gtest/gtest.h>

#include <string>

namespace lumera {
namespace {

TEST(TextMeasures, WidthBytesAndNarrowCount) {
    struct Case {
        std::string text;
        int units;
        int bytes;
        int narrow;
    };
    const Case cases[] = {
        {"", 0, 0, 0},
        {"\x01\x02 ", 5, 3, 1},                 // two wide glyph keys and a blank
        {"\xB0\xA1\x81", 3, 3, 1},              // a double-byte character, then 0x81
        {"AB\xB0", 4, 3, 2},                    // a lead byte at the end counts 2
        {"\x0B\x0C\x0E\x11", 8, 4, 0},          // the wide glyphs outside 0x01..0x08
        {"\x09\x0A\x0D\x12\x1B\x80", 6, 6, 6},  // glyph gaps and English glyphs are narrow
        {"\x82\x01", 2, 2, 0},                  // a trail byte is never a glyph of its own
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.text));
        EXPECT_EQ(DisplayUnits(c.text), c.units);
        EXPECT_EQ(TextByteLength(c.text), c.bytes);
        EXPECT_EQ(NarrowCharacterCount(c.text), c.narrow);
    }
}

TEST(TextMeasures, ShowableNeedsSomethingBesideBlanks) {
    EXPECT_FALSE(IsShowable("   "));
    EXPECT_TRUE(IsShowable(" \x01"));
}

}  // namespace
}  // namespace lumera
