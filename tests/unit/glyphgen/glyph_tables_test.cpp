#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <set>

#include "table_pictures.h"

namespace lumera::glyphgen::test {
namespace {

TEST(GlyphTables, HaveTheirExactSizes) {
    const std::map<std::string, std::size_t> sizes = {
        {"window_zr1.bin", 1054},
        {"window_zr2.bin", 3044},
        {"window_zr3.bin", 900},
        {"window_zr4.bin", 1573004},
    };
    for (const auto& [name, size] : sizes) {
        EXPECT_EQ(ReadTable(name).size(), size) << name;
    }
}

// Every glyph a key can insert must show something, and no two may look alike.
TEST(GlyphTables, EveryGlyphIsLitAndDistinct) {
    const Bytes english = ReadTable("window_zr1.bin");
    const Bytes halfWidth = ReadTable("window_zr2.bin");
    const Bytes symbols = ReadTable("window_zr3.bin");
    struct Range {
        const char* what;
        int first, last;
        std::function<Picture(int)> picture;
    };
    const Range ranges[] = {
        {"English 0x21..0x7E and icons", 33, 136,
         [&](int r) { return EnglishPicture(english, r); }},
        {"half-width 0x21..0x7E", 0x21, 0x7E,
         [&](int c) { return HalfWidthPicture(halfWidth, c); }},
        {"symbols", 0, 13, [&](int i) { return SymbolPicture(symbols, i); }},
    };
    for (const Range& range : ranges) {
        std::map<Picture, int> seen;
        for (int record = range.first; record <= range.last; ++record) {
            const Picture picture = range.picture(record);
            EXPECT_FALSE(IsBlank(picture)) << range.what << " record " << record;
            const auto [where, inserted] = seen.emplace(picture, record);
            EXPECT_TRUE(inserted) << range.what << " record " << record << " looks like record "
                                  << where->second;
        }
    }
}

TEST(GlyphTables, StoredBitsFollowTheReadersConventions) {
    const Bytes english = ReadTable("window_zr1.bin");
    const Bytes halfWidth = ReadTable("window_zr2.bin");
    const Bytes symbols = ReadTable("window_zr3.bin");

    for (std::size_t offset = 4; offset < english.size(); offset += 2) {
        EXPECT_EQ(english[offset] & 0x08, 0) << "bit 3 set at offset " << offset;
        EXPECT_EQ(english[offset + 1], 0) << "high byte at offset " << offset;
    }
    for (const Bytes* table : {&halfWidth, &symbols}) {
        for (std::size_t offset = 5; offset < table->size(); offset += 2) {
            EXPECT_EQ((*table)[offset], 0) << "high byte at offset " << offset;
        }
    }
    // Space: no lit dot, stored plain in the English table and complemented in the other.
    for (int column = 0; column < 5; ++column) {
        EXPECT_EQ(english[4 + 2 * column], 0);
    }
    for (int word = 0; word < 16; ++word) {
        EXPECT_EQ(halfWidth[4 + 2 * word], 0xFF);
    }
    // The display receives only the last 14 columns of a symbol.
    for (int index = 0; index < 14; ++index) {
        for (int word = 0; word < 4; ++word) {
            EXPECT_EQ(symbols[4 + 64 * index + 2 * word], 0xFF) << "symbol " << index;
        }
    }
}

// Where dots land: catches swapped rows and columns, reversed bit order and a
// wrong pairing of the two words of a column.
TEST(GlyphTables, GlyphsStandUpright) {
    const Bytes english = ReadTable("window_zr1.bin");
    const Bytes halfWidth = ReadTable("window_zr2.bin");
    const Bytes wide = ReadTable("window_zr4.bin");
    enum class Shape { kVerticalBar, kHorizontalBar, kTopOnly, kBottomOnly };
    struct Case {
        const char* what;
        Picture picture;
        Shape shape;
    };
    const Case cases[] = {
        {"English |", EnglishPicture(english, '|'), Shape::kVerticalBar},
        {"English -", EnglishPicture(english, '-'), Shape::kHorizontalBar},
        {"English '", EnglishPicture(english, '\''), Shape::kTopOnly},
        {"English _", EnglishPicture(english, '_'), Shape::kBottomOnly},
        {"half-width |", HalfWidthPicture(halfWidth, '|'), Shape::kVerticalBar},
        {"half-width -", HalfWidthPicture(halfWidth, '-'), Shape::kHorizontalBar},
        {"half-width '", HalfWidthPicture(halfWidth, '\''), Shape::kTopOnly},
        {"half-width _", HalfWidthPicture(halfWidth, '_'), Shape::kBottomOnly},
        {"U+4E28", WidePicture(wide, 0x4E28), Shape::kVerticalBar},
        {"U+4E00", WidePicture(wide, 0x4E00), Shape::kHorizontalBar},
    };
    for (const Case& test : cases) {
        const int height = static_cast<int>(test.picture.size());
        const int width = static_cast<int>(test.picture[0].size());
        std::set<int> rows;
        std::set<int> columns;
        std::vector<int> litInRow(height);
        std::vector<int> litInColumn(width);
        for (int row = 0; row < height; ++row) {
            for (int column = 0; column < width; ++column) {
                if (test.picture[row][column] == '#') {
                    rows.insert(row);
                    columns.insert(column);
                    ++litInRow[row];
                    ++litInColumn[column];
                }
            }
        }
        ASSERT_FALSE(rows.empty()) << test.what;
        switch (test.shape) {
            // A serif may add a dot beside a stroke.
            case Shape::kVerticalBar:
                EXPECT_LE(columns.size(), 2u) << test.what;
                EXPECT_GE(*std::max_element(litInColumn.begin(), litInColumn.end()), height * 3 / 4)
                    << test.what;
                break;
            case Shape::kHorizontalBar:
                EXPECT_LE(rows.size(), 2u) << test.what;
                EXPECT_GE(*std::max_element(litInRow.begin(), litInRow.end()), width * 3 / 4)
                    << test.what;
                break;
            case Shape::kTopOnly:
                EXPECT_LT(*rows.rbegin(), height / 2) << test.what;
                break;
            case Shape::kBottomOnly:
                EXPECT_GE(*rows.begin(), height / 2) << test.what;
                break;
        }
    }
}

TEST(GlyphTables, IdeographsAreCoveredInsideRowsTwoToThirteen) {
    const Bytes wide = ReadTable("window_zr4.bin");
    int covered = 0;
    for (int unit = 0x4E00; unit <= 0x9FA5; ++unit) {
        const Picture picture = WidePicture(wide, unit);
        if (IsBlank(picture)) {
            continue;
        }
        ++covered;
        for (int row : {0, 1, 14, 15}) {
            ASSERT_EQ(picture[row], std::string(12, '.')) << "U+" << std::hex << unit;
        }
    }
    EXPECT_GE(covered, 20000);
    // Lone surrogate halves are not characters.
    for (int unit = 0xD800; unit <= 0xDFFF; ++unit) {
        ASSERT_TRUE(IsBlank(WidePicture(wide, unit))) << "U+" << std::hex << unit;
    }
}

}  // namespace
}  // namespace lumera::glyphgen::test
