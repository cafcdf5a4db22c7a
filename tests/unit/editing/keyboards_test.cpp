#include "editing/keyboards.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>

namespace lumera {
namespace {

TEST(Keyboards, KeysCarryTheirTagsCodesAndCaptions) {
    struct Case {
        const KeyboardKey& key;
        std::string name;
        int tag;
        std::string caption;
    };
    const Case cases[] = {
        {GlyphKey(8), "CNBtn8", 108, "\x08"},    {GlyphKey(9), "CNBtn9", 109, "\x0B"},
        {GlyphKey(11), "CNBtn11", 111, "\x0E"},  {GlyphKey(15), "CNBtn15", 115, " "},
        {GlyphKey(21), "CNBtn21", 121, "&&"},    {GlyphKey(109), "CNBtn109", 209, "~"},
        {EnglishKey(1), "EngBtn1", 101, "\x12"}, {EnglishKey(11), "EngBtn11", 111, " "},
        {EnglishKey(17), "EngBtn17", 117, "&&"}, {EnglishKey(105), "EngBtn105", 205, "~"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.key.name, c.name);
        EXPECT_EQ(c.key.tag, c.tag) << c.name;
        EXPECT_EQ(c.key.caption, c.caption) << c.name;
    }
    for (const auto* keys : {&GlyphKeys(), &EnglishKeys()}) {
        std::set<unsigned char> codes;
        for (const KeyboardKey& key : *keys) {
            EXPECT_EQ(static_cast<unsigned char>(key.caption.front()), key.code) << key.name;
            EXPECT_TRUE(codes.insert(key.code).second) << key.name;
        }
    }
    EXPECT_EQ(GlyphKeys().size(), static_cast<std::size_t>(kGlyphKeyCount));
    EXPECT_EQ(EnglishKeys().size(), static_cast<std::size_t>(kEnglishKeyCount));
    EXPECT_THROW(GlyphKey(0), std::out_of_range);
    EXPECT_THROW(EnglishKey(kEnglishKeyCount + 1), std::out_of_range);
}

}  // namespace
}  // namespace lumera
