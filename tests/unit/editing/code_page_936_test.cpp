#include "editing/code_page_936.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace lumera {
namespace {

TEST(CodePage936, DecodingGivesOneUnitPerCharacterAndGoesOnAfterBadBytes) {
    const std::pair<std::string, std::u16string> cases[] = {
        {"A\xB0\xA1Z", u"A\u554AZ"},              // a valid pair is one unit
        {std::string("\xFF") + "A", u"\uFFFDA"},  // a byte that starts nothing
        {"\x81\x20Q", u"\uFFFD Q"},               // a lead with a bad trail: the trail survives
        {"\xB0", u"\uFFFD"},                      // a lead cut off at the end
        {"\x01\x1B", u"\u0001\u001B"},            // glyph codes pass as themselves
        // Trail bytes at the edges of their two ranges, 0x40..0x7E and 0x80..0xFE.
        {"\x81\x40\x81\x7E\x81\x80\xB0\xFE", u"\u4E02\u4E8A\u4E90\u5265"},
    };
    for (const auto& [bytes, units] : cases) {
        EXPECT_EQ(CodePage936ToUtf16(bytes), units) << testing::PrintToString(bytes);
    }
}

TEST(CodePage936, EncodingRefusesWhatItCannotStore) {
    const std::pair<std::string, std::optional<std::string>> cases[] = {
        {"中文 A", std::string("\xD6\xD0\xCE\xC4 A")},
        // The way back for the trail-byte edges above.
        {"丂亊亐剥", std::string("\x81\x40\x81\x7E\x81\x80\xB0\xFE")},
        {"\xED\x95\x9C", std::nullopt},      // a Hangul syllable the code page lacks
        {"\xF0\x9F\x98\x80", std::nullopt},  // outside the basic plane
        {"\xE4\xB8", std::nullopt},          // cut off
        {"\xC3\x28", std::nullopt},          // bad continuation
        {"\xC1\x81", std::nullopt},          // overlong 'A'
        {"\xC0\x80", std::nullopt},          // overlong zero byte
        {"\xED\xA0\x80", std::nullopt},      // a lone surrogate
    };
    for (const auto& [utf8, bytes] : cases) {
        EXPECT_EQ(Utf8ToCodePage936(utf8), bytes) << testing::PrintToString(utf8);
    }
}

}  // namespace
}  // namespace lumera
