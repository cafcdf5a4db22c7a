#include <gtest/gtest.h>

#include <ft2build.h>
#include FT_FREETYPE_H
#include <string>

#include "table_pictures.h"

namespace lumera::glyphgen::test {
namespace {

constexpr char32_t kGlyphCodeBase = 0xE000;
constexpr int kDotsPerEm = 16;
constexpr int kSymbolIndex[0x12] = {-1, 0, 1, 2, 3, 4, 5, 6, 7, -1, -1, 8, 9, -1, 10, 11, 12, 13};

class GlyphFont : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(FT_Init_FreeType(&library_), 0);
        ASSERT_EQ(FT_New_Face(library_, LUMERA_BIN_DIR "/qfn.ttf", 0, &face_), 0);
        // One font unit square per dot: at 16 pixels per em every dot is one pixel.
        ASSERT_EQ(FT_Set_Pixel_Sizes(face_, 0, kDotsPerEm), 0);
    }
    void TearDown() override {
        if (face_ != nullptr) {
            FT_Done_Face(face_);
        }
        FT_Done_FreeType(library_);
    }

    // The glyph of a character rendered at one pixel per dot, placed into a
    // width x height box whose top baselineRow rows stand above the baseline.
    Picture Render(char32_t character, int width, int height, int baselineRow, int shift) {
        Picture picture = Blank(width, height);
        const FT_UInt index = FT_Get_Char_Index(face_, character);
        EXPECT_NE(index, 0u) << "no glyph for U+" << std::hex << static_cast<unsigned>(character);
        if (index == 0 || FT_Load_Glyph(face_, index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO)) {
            return picture;
        }
        const FT_GlyphSlot slot = face_->glyph;
        for (unsigned y = 0; y < slot->bitmap.rows; ++y) {
            for (unsigned x = 0; x < slot->bitmap.width; ++x) {
                const unsigned char* row = slot->bitmap.buffer + y * slot->bitmap.pitch;
                if ((row[x / 8] >> (7 - x % 8)) & 1) {
                    const int column = slot->bitmap_left + static_cast<int>(x) + shift;
                    const int boxRow = baselineRow - slot->bitmap_top + static_cast<int>(y);
                    if (column < 0 || column >= width || boxRow < 0 || boxRow >= height) {
                        ADD_FAILURE() << "U+" << std::hex << static_cast<unsigned>(character)
                                      << " leaves its box";
                        continue;
                    }
                    picture[boxRow][column] = '#';
                }
            }
        }
        return picture;
    }

    FT_Library library_ = nullptr;
    FT_Face face_ = nullptr;
};

TEST_F(GlyphFont, IsNamedQfn) {
    EXPECT_STREQ(face_->family_name, "qfn");
    EXPECT_EQ(face_->ascender - face_->descender, face_->units_per_EM);
}

// The keys and the section edits must show each code as the display shows it.
TEST_F(GlyphFont, DrawsEveryCodeLikeTheTables) {
    const Bytes english = ReadTable("window_zr1.bin");
    const Bytes halfWidth = ReadTable("window_zr2.bin");
    const Bytes symbols = ReadTable("window_zr3.bin");
    for (int code = 0x01; code <= 0x1B; ++code) {
        const char32_t character = kGlyphCodeBase + code;
        SCOPED_TRACE("code " + std::to_string(code));
        if (code >= 0x12) {
            EXPECT_EQ(Render(character, 5, 7, 6, 0), EnglishPicture(english, code + 109));
        } else if (kSymbolIndex[code] >= 0) {
            EXPECT_EQ(Render(character, 16, 16, 14, 1), SymbolPicture(symbols, kSymbolIndex[code]));
        } else {
            EXPECT_TRUE(IsBlank(Render(character, 16, 16, 14, 0)));
        }
    }
    for (int code = 0x20; code <= 0x7E; ++code) {
        SCOPED_TRACE("character " + std::to_string(code));
        EXPECT_EQ(Render(code, 8, 16, 14, 0), HalfWidthPicture(halfWidth, code));
    }
}

}  // namespace
}  // namespace lumera::glyphgen::test
