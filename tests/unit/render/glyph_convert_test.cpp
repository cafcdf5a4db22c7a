#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/outside/glyph_support.h"
#include "dot_runs.h"

namespace lumera {
namespace {

using testing::LitRuns;

GlyphCell Cell(std::uint8_t kind, std::uint8_t count, const std::vector<std::uint8_t>& data) {
    GlyphCell cell;
    cell.kind = kind;
    cell.count = count;
    std::copy(data.begin(), data.end(), cell.data);
    return cell;
}

DotRows Filled(std::uint8_t value) {
    DotRows dots;
    for (auto& row : dots) {
        row.fill(value);
    }
    return dots;
}

TEST(CNFontConvertTest, MovesTheTwelveRecordColumnsIntoTheDeviceCell) {
    std::vector<std::uint8_t> record(24);
    for (int i = 0; i < 24; ++i) {
        record[i] = static_cast<std::uint8_t>(i + 1);
    }
    GlyphCell cell = Cell(kDoubleByteGlyph, 32, record);
    _CNFontConvert(cell, 1);
    std::vector<std::uint8_t> expected(6, 0);
    expected.insert(expected.end(), record.begin(), record.end());
    expected.insert(expected.end(), {0, 0});
    EXPECT_EQ(std::vector<std::uint8_t>(cell.data, cell.data + 32), expected);
    EXPECT_EQ(cell.kind, kDoubleByteGlyph);
    EXPECT_EQ(cell.count, 32);

    GlyphCell untouched = Cell(kDoubleByteGlyph, 32, record);
    _CNFontConvert(untouched, 0);
    EXPECT_EQ(std::vector<std::uint8_t>(untouched.data, untouched.data + 24), record);
}

TEST(DataConvertTest, EnglishCharactersTakeNinetyColumnsAndRowZeroIsTheBottom) {
    // Column 0 lights the top dot only, column 4 the bottom (seventh) dot only.
    const Glyphs glyphs = {Cell(kSingleByteGlyph, 5, {0x01, 0, 0, 0, 0x40}), Cell(0, 0, {}),
                           Cell(kSymbolGlyph, 5, {0x7F, 0x7F, 0x7F, 0x7F, 0x7F})};
    DotRows dots = Filled(0);
    _EngDataConvert(glyphs, dots);
    EXPECT_EQ(LitRuns(dots, 7), "0-14 180-254");
    EXPECT_EQ(LitRuns(dots, 1), "60-74 180-254");
    EXPECT_EQ(LitRuns(dots, 0), "");
    // Every dot of the text area is written, lit or dark, and nothing outside it.
    dots = Filled(0xEE);
    _EngDataConvert(glyphs, dots);
    for (int row = 0; row < kDotRowCount; ++row) {
        for (int column = 0; column < kDotColumnCount; ++column) {
            const bool inText = row < 8 && column < 270;
            const auto dot = dots[row][column];
            ASSERT_TRUE(inText ? dot == 0 || dot == 1 : dot == 0xEE) << row << "," << column;
        }
    }
}

TEST(DataConvertTest, ChineseCellsTakeSixtyColumnsAUnit) {
    // Every cell lights the top dot of its first table column and the bottom dot of its last.
    const Glyphs glyphs = {
        Cell(kSingleByteGlyph, 16, {0x01, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x80}),
        Cell(kDoubleByteGlyph, 32,
             {0x01, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x80}),
        Cell(0, 0, {}),
        Cell(kSymbolGlyph, 32, {0x01, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                0,    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x80}),
    };
    DotRows dots = Filled(0);
    _CNDataConvert(glyphs, dots);
    // 1.5 degrees a table column; the double-byte glyph sits in columns 2..13 of its 16.
    EXPECT_EQ(LitRuns(dots, 15), "0-7 75-82 240-247");
    EXPECT_EQ(LitRuns(dots, 0), "53-59 158-164 353-359");
    dots = Filled(0xEE);
    _CNDataConvert(glyphs, dots);
    for (int row = 0; row < kDotRowCount; ++row) {
        for (int column = 0; column < kDotColumnCount; ++column) {
            const auto dot = dots[row][column];
            ASSERT_TRUE(column < 360 ? dot == 0 || dot == 1 : dot == 0xEE) << row << "," << column;
        }
    }
}

TEST(DataConvertTest, TextsWiderThanTheTurnStopAtItsLastColumn) {
    // 16 double-byte cells are 1920 columns; only the bottom row is lit.
    std::vector<std::uint8_t> bottomRow(24, 0);
    for (int c = 0; c < 12; ++c) {
        bottomRow[2 * c + 1] = 0x80;
    }
    const Glyphs glyphs(16, Cell(kDoubleByteGlyph, 32, bottomRow));
    DotRows dots = Filled(0);
    _CNDataConvert(glyphs, dots);
    EXPECT_EQ(dots[0][1784], 1);  // the last table column of the 15th cell, the last that fits
    EXPECT_EQ(LitRuns(dots, 1), "");

    const Glyphs english(25, Cell(kSingleByteGlyph, 5, {0x40, 0x40, 0x40, 0x40, 0x40}));
    _EngDataConvert(english, dots);
    EXPECT_EQ(dots[1][1784], 1);
    EXPECT_EQ(LitRuns(dots, 2), "");
}

}  // namespace
}  // namespace lumera
