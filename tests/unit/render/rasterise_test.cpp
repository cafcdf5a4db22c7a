#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/outside/glyph_support.h"
#include "glyph_table_dir.h"
#include "render/rasterise.h"
#include "scripted_prompter.h"

namespace lumera {
namespace {

using testing::GlyphTableDir;

std::vector<std::uint8_t> Data(const GlyphCell& cell, int from, int count) {
    return {cell.data + from, cell.data + from + count};
}

class RasteriseTest : public ::testing::Test {
protected:
    GlyphCell OnlyCell(std::string_view text, bool english, bool deviceForm = false) {
        Rasterise(text, english, deviceForm);
        EXPECT_EQ(glyphs_.size(), 1u);
        return glyphs_.empty() ? GlyphCell{} : glyphs_.front();
    }
    void Rasterise(std::string_view text, bool english, bool deviceForm = false) {
        if (english) {
            RasteriseEnglish(text, deviceForm, tables_, glyphs_, dotRows_);
        } else {
            RasteriseChinese(text, deviceForm, tables_, glyphs_, dotRows_);
        }
    }
    std::vector<int> Kinds() const {
        std::vector<int> kinds;
        for (const auto& cell : glyphs_) {
            kinds.push_back(cell.kind);
        }
        return kinds;
    }

    GlyphTableDir dir_;
    testing::ScriptedPrompter prompter_;
    GlyphTableFiles tables_{dir_.path(), prompter_};
    Glyphs glyphs_;
    DotRows dotRows_{};
};

TEST_F(RasteriseTest, EmptyTextEmptiesGlyphsAndClearsEveryDot) {
    glyphs_.resize(3);
    for (auto& row : dotRows_) {
        row.fill(0x5A);
    }
    Rasterise("", false);
    EXPECT_TRUE(glyphs_.empty());
    for (const auto& row : dotRows_) {
        EXPECT_TRUE(std::all_of(row.begin(), row.end(), [](auto dot) { return dot == 0; }));
    }
    EXPECT_TRUE(prompter_.shown.empty());
}

TEST_F(RasteriseTest, EnglishRecordsAreReadAtTheirOffsets) {
    struct Case {
        char byte;
        std::size_t offset;
        int kind;
    };
    for (const Case& c : {Case{'A', 334, kSingleByteGlyph}, Case{' ', 4, kSingleByteGlyph},
                          Case{'~', 944, kSingleByteGlyph}, Case{'\x12', 954, kSymbolGlyph},
                          Case{'\x1B', 1044, kSymbolGlyph}}) {
        SCOPED_TRACE(c.offset);
        dir_.PutWords(kEnglishTableName, c.offset, {0x01, 0x02, 0x04, 0x20, 0x40});
        const GlyphCell cell = OnlyCell(std::string(1, c.byte), true);
        EXPECT_EQ(cell.kind, c.kind);
        EXPECT_EQ(cell.count, 5);
        // Bits 4..7 move down one place in the preview form.
        EXPECT_EQ(Data(cell, 0, 6), (std::vector<std::uint8_t>{0x01, 0x02, 0x04, 0x10, 0x20, 0}));
        dir_.PutWords(kEnglishTableName, c.offset, {0, 0, 0, 0, 0});
    }
}

TEST_F(RasteriseTest, EnglishColumnTransformDependsOnTheForm) {
    dir_.PutWords(kEnglishTableName, 334, {0xFF, 0x08, 0x10, 0x87, 0x00});
    EXPECT_EQ(Data(OnlyCell("A", true), 0, 5),
              (std::vector<std::uint8_t>{0x7F, 0x00, 0x08, 0x47, 0x00}));
    EXPECT_EQ(Data(OnlyCell("A", true, true), 0, 5),
              (std::vector<std::uint8_t>{0xFF, 0x08, 0x10, 0x87, 0x00}));
}

TEST_F(RasteriseTest, EnglishBytesWithoutAGlyphGiveEmptyCells) {
    dir_.WriteFullyLitTables();
    Rasterise(
        "\x11\x1C\x7F\xB0\xA1"
        "A\x12",
        true);
    EXPECT_EQ(Kinds(), (std::vector<int>{0, 0, 0, 0, 0, kSingleByteGlyph, kSymbolGlyph}));
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(glyphs_[i].count, 0);
        EXPECT_EQ(Data(glyphs_[i], 0, 32), std::vector<std::uint8_t>(32, 0));
    }
}

TEST_F(RasteriseTest, ChineseSingleByteAndSymbolRecordsAreComplemented) {
    struct Case {
        std::string text;
        const char* file;
        std::size_t offset;
        int kind;
        int count;
    };
    const std::vector<Case> cases = {
        {"A", kHalfWidthTableName, 1060, kSingleByteGlyph, 16},
        {"\x01", kSymbolTableName, 4, kSymbolGlyph, 32},
        {"\x08", kSymbolTableName, 452, kSymbolGlyph, 32},
        {"\x0B", kSymbolTableName, 516, kSymbolGlyph, 32},
        {"\x0C", kSymbolTableName, 580, kSymbolGlyph, 32},
        {"\x0E", kSymbolTableName, 644, kSymbolGlyph, 32},
        {"\x11", kSymbolTableName, 836, kSymbolGlyph, 32},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.offset);
        std::vector<std::uint8_t> stored(c.count);
        for (int i = 0; i < c.count; ++i) {
            stored[i] = static_cast<std::uint8_t>(0x30 + i);
        }
        dir_.PutWords(c.file, c.offset, stored);
        std::vector<std::uint8_t> expected(32, 0);
        std::transform(stored.begin(), stored.end(), expected.begin(),
                       [](std::uint8_t b) { return static_cast<std::uint8_t>(~b); });
        for (const bool deviceForm : {false, true}) {
            const GlyphCell cell = OnlyCell(c.text, false, deviceForm);
            EXPECT_EQ(cell.kind, c.kind);
            EXPECT_EQ(cell.count, c.count);
            EXPECT_EQ(Data(cell, 0, 32), expected);
        }
        dir_.PutWords(c.file, c.offset, std::vector<std::uint8_t>(c.count, 0xFF));
    }
}

TEST_F(RasteriseTest, ChineseCharactersTakeTheirUnitInTextOrder) {
    dir_.WriteFullyLitTables();
    // 0xB0A1 is U+554A, the second unit of the converted text.
    const std::vector<std::uint8_t> record = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12,
                                              13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24};
    dir_.Put(kWideTableName, 140 + 24 * 0x554A, record);
    Rasterise(
        "A\xB0\xA1"
        "B",
        false);
    EXPECT_EQ(Kinds(), (std::vector<int>{kSingleByteGlyph, kDoubleByteGlyph, kSingleByteGlyph}));
    EXPECT_EQ(glyphs_[1].count, 32);
    EXPECT_EQ(Data(glyphs_[1], 0, 24), record);
    EXPECT_EQ(Data(glyphs_[1], 24, 8), std::vector<std::uint8_t>(8, 0));
}

TEST_F(RasteriseTest, ChineseBytesWithoutAGlyphTakeOneCellEach) {
    dir_.WriteFullyLitTables();
    // 0x81 starts no character here, so the 'A' after it keeps its own cell.
    Rasterise(
        "\x09\x0A\x0D\x7F\x80\x81"
        "A\x12",
        false);
    EXPECT_EQ(Kinds(), (std::vector<int>{0, 0, 0, 0, 0, 0, kSingleByteGlyph, 0}));
}

TEST_F(RasteriseTest, CharacterBeyondTheConvertedUnitsReadsTheBlankRecord) {
    dir_.WriteFullyLitTables();
    dir_.Put(kWideTableName, 140, std::vector<std::uint8_t>(24, 0));
    // The converter pairs 0x81 0x40 into one unit, the walk does not: five characters
    // against three units, so the last character has no unit of its own.
    Rasterise("\x81\x40\x81\x40\xB0\xA1", false);
    ASSERT_EQ(Kinds(),
              (std::vector<int>{0, kSingleByteGlyph, 0, kSingleByteGlyph, kDoubleByteGlyph}));
    EXPECT_EQ(Data(glyphs_[4], 0, 32), std::vector<std::uint8_t>(32, 0));
}

TEST_F(RasteriseTest, DeviceFormConvertsEachDoubleByteCellOnce) {
    dir_.WriteFullyLitTables();
    std::vector<std::uint8_t> record(24);
    for (int i = 0; i < 24; ++i) {
        record[i] = static_cast<std::uint8_t>(0x40 + i);
    }
    dir_.Put(kWideTableName, 140 + 24 * 0x554A, record);
    const std::string text =
        "\xB0\xA1"
        "A\x01\xB0\xA1";
    Rasterise(text, false, false);
    const Glyphs preview = glyphs_;
    Rasterise(text, false, true);
    ASSERT_EQ(glyphs_.size(), preview.size());
    for (std::size_t i = 0; i < preview.size(); ++i) {
        SCOPED_TRACE(i);
        GlyphCell expected = preview[i];
        if (expected.kind == kDoubleByteGlyph) {
            _CNFontConvert(expected, 1);
        }
        EXPECT_EQ(glyphs_[i].kind, expected.kind);
        EXPECT_EQ(glyphs_[i].count, expected.count);
        EXPECT_EQ(Data(glyphs_[i], 0, 32), Data(expected, 0, 32));
    }
    // Converting twice would move the columns once more.
    GlyphCell twice = glyphs_[0];
    _CNFontConvert(twice, 1);
    EXPECT_NE(Data(twice, 0, 32), Data(glyphs_[0], 0, 32));
}

TEST_F(RasteriseTest, MissingTableShowsOneMessagePerCharacterAndKeepsTheCells) {
    dir_.WriteFullyLitTables();
    std::filesystem::remove(dir_.path() / kHalfWidthTableName);
    Rasterise(
        "ab\x01"
        "c",
        false);
    const std::string message =
        "Open File " + (dir_.path() / kHalfWidthTableName).string() + "Error!";
    EXPECT_EQ(prompter_.messages(), (std::vector<std::string>(3, message)));
    EXPECT_EQ(Kinds(), (std::vector<int>{kSingleByteGlyph, kSingleByteGlyph, kSymbolGlyph,
                                         kSingleByteGlyph}));
    for (const int i : {0, 1, 3}) {
        EXPECT_EQ(glyphs_[i].count, 16);
        EXPECT_EQ(Data(glyphs_[i], 0, 32), std::vector<std::uint8_t>(32, 0));
    }
    EXPECT_EQ(Data(glyphs_[2], 0, 32), std::vector<std::uint8_t>(32, 0xFF));
}

TEST_F(RasteriseTest, UnitsPastTheEndOfAShortFileReadAsNoDots) {
    // 'A' is at 1060..1091; the file ends after 5 whole words and half of the sixth.
    dir_.PutWords(kHalfWidthTableName, 1060, std::vector<std::uint8_t>(16, 0x0F));
    dir_.Truncate(kHalfWidthTableName, 1060 + 11);
    std::vector<std::uint8_t> expected(32, 0);
    std::fill(expected.begin(), expected.begin() + 5, 0xF0);
    EXPECT_EQ(Data(OnlyCell("A", false), 0, 32), expected);
    // A record wholly past the end.
    EXPECT_EQ(Data(OnlyCell("~", false), 0, 32), std::vector<std::uint8_t>(32, 0));
    EXPECT_TRUE(prompter_.shown.empty());
}

}  // namespace
}  // namespace lumera
