#include "editing/glyph_names.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "editing/keyboards.h"

namespace lumera {
namespace {

// A screen reader tells every key of a keyboard apart by its name.
TEST(GlyphNames, EveryKeyHasItsOwnName) {
    EXPECT_EQ(GlyphName('A'), "capital A");
    EXPECT_EQ(GlyphName(0x7F), "");
    for (const auto* keys : {&GlyphKeys(), &EnglishKeys()}) {
        std::set<std::string> names;
        for (const KeyboardKey& key : *keys) {
            EXPECT_TRUE(names.insert(GlyphName(key.code)).second)
                << key.name << " shares its name " << GlyphName(key.code);
        }
        EXPECT_EQ(names.count(""), 0u);
    }
}

// The names must say what the glyph art draws: each word of the art's own name (for
// example "arrow-up") is in the name a screen reader gets for that code.
TEST(GlyphNames, AgreeWithTheGlyphArt) {
    int glyphs = 0;
    for (const char* file : {"english_icons.txt", "wide_symbols.txt"}) {
        std::ifstream art(std::string(LUMERA_GLYPH_ART_DIR "/") + file);
        ASSERT_TRUE(art) << file;
        std::string line;
        while (std::getline(art, line)) {
            std::istringstream fields(line);
            std::string keyword, code, artName;
            if (!(fields >> keyword >> code >> artName) || keyword != "glyph") {
                continue;
            }
            ++glyphs;
            const std::string name = GlyphName(static_cast<unsigned char>(std::stoi(code, 0, 16)));
            std::istringstream words(artName);
            for (std::string word; std::getline(words, word, '-');) {
                EXPECT_NE(name.find(word), std::string::npos) << code << " " << artName;
            }
        }
    }
    EXPECT_EQ(glyphs, 24);
}

}  // namespace
}  // namespace lumera
