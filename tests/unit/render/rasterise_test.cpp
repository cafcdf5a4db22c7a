#include <gtest/gtest.h>

#include "glyph_table_dir.h"
#include "idle_fifo.h"
#include "outside/glyph_support.h"
#include "render/rasterise.h"
#include "scripted_prompter.h"

namespace lumera {
namespace {

using Bytes = std::vector<std::uint8_t>;

// The 32 data bytes of a cell.
Bytes Data(const GlyphCell& cell) {
    return {cell.data, cell.data + 32};
}

// `bytes` followed by zeros up to 32.
Bytes Cell32(Bytes bytes) {
    bytes.resize(32);
    return bytes;
}

Bytes Counting(int first, int count) {
    Bytes bytes(count);
    for (int i = 0; i < count; ++i) {
        bytes[i] = static_cast<std::uint8_t>(first + i);
    }
    return bytes;
}

struct Rasterising {
    testing::GlyphTableDir dir;
    testing::ScriptedPrompter prompter;
    Glyphs glyphs;
    DotRows dots{};

    const Glyphs& Run(std::string_view text, bool english, bool deviceForm = false) {
        dots[3].fill(0x5A);
        const GlyphTableFiles tables{dir.path(), prompter};
        english ? RasteriseEnglish(text, deviceForm, tables, glyphs, dots)
                : RasteriseChinese(text, deviceForm, tables, glyphs, dots);
        EXPECT_EQ(testing::LitRows(dots), "") << "every rasterisation clears the dots";
        return glyphs;
    }
    std::vector<int> Kinds(std::string_view text, bool english) {
        std::vector<int> kinds;
        for (const GlyphCell& cell : Run(text, english)) {
            kinds.push_back(cell.kind);
        }
        return kinds;
    }
};

TEST(RasteriseTest, RecordsAreReadAtTheirOffsetsAndTransformed) {
    struct Case {
        bool english;
        std::string text;
        std::size_t offset;
    };
    const Case cases[] = {{true, "A", 334},     {true, "\x12", 954},  {true, "\x1B", 1044},
                          {false, "A", 1060},   {false, "\x01", 4},   {false, "\x08", 452},
                          {false, "\x0B", 516}, {false, "\x0C", 580}, {false, "\x0E", 644},
                          {false, "\x11", 836}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.offset);
        const bool halfWidth = c.text == "A";
        const int count = c.english ? 5 : halfWidth ? 16 : 32;
        const Bytes stored =
            c.english ? Bytes{0xFF, 0x08, 0x10, 0x87, 0x01} : Counting(0x30, count);
        Bytes complement(count);
        std::transform(stored.begin(), stored.end(), complement.begin(), [](auto b) { return ~b; });
        for (const bool deviceForm : {false, true}) {
            Rasterising r;
            r.dir.PutWords(c.english   ? kEnglishTableName
                           : halfWidth ? kHalfWidthTableName
                                       : kSymbolTableName,
                           c.offset, stored);
            const GlyphCell cell = r.Run(c.text, c.english, deviceForm).at(0);
            EXPECT_EQ(cell.kind, halfWidth ? kSingleByteGlyph : kSymbolGlyph);
            EXPECT_EQ(cell.count, count);
            // English previews drop bit 3 and move bits 4..7 down; Chinese complements.
            const Bytes expected = !c.english   ? complement
                                   : deviceForm ? stored
                                                : Bytes{0x7F, 0x00, 0x08, 0x47, 0x01};
            EXPECT_EQ(Data(cell), Cell32(expected));
        }
    }
}

TEST(RasteriseTest, EveryCharacterTakesOneCell) {
    Rasterising r;
    r.dir.WriteFullyLitTables();
    EXPECT_EQ(r.Kinds("", false), std::vector<int>{});
    EXPECT_EQ(r.Kinds("\x11\x1C\x7F\xB0\xA1\x41\x12", true),
              (std::vector<int>{0, 0, 0, 0, 0, 3, 2}));
    // 0x81 opens no character, so the 'A' after it keeps its own cell.
    EXPECT_EQ(r.Kinds("\x09\x0A\x0D\x7F\x80\x81\x41\x12", false),
              (std::vector<int>{0, 0, 0, 0, 0, 0, 3, 0}));
    // U+554A (0xB0A1) is the second unit of the converted text.
    r.dir.Put(kWideTableName, 140 + 24 * 0x554A, Counting(1, 24));
    EXPECT_EQ(r.Kinds("A\xB0\xA1\x42", false), (std::vector<int>{3, 1, 3}));
    EXPECT_EQ(Data(r.glyphs[1]), Cell32(Counting(1, 24)));
    // The converter pairs 0x81 0x40, the walk does not: the fifth character has no unit of
    // its own and reads the record of unit 0 instead of memory past the text.
    r.dir.Put(kWideTableName, 140, Bytes(24, 0));
    EXPECT_EQ(r.Kinds("\x81\x40\x81\x40\xB0\xA1", false), (std::vector<int>{0, 3, 0, 3, 1}));
    EXPECT_EQ(Data(r.glyphs[4]), Bytes(32, 0));
    EXPECT_TRUE(r.prompter.shown.empty());
}

TEST(RasteriseTest, DeviceFormConvertsEachDoubleByteCellOnce) {
    Rasterising r;
    r.dir.WriteFullyLitTables();
    r.dir.Put(kWideTableName, 140 + 24 * 0x554A, Counting(0x40, 24));
    const std::string text = "\xB0\xA1\x41\x01\xB0\xA1";
    const Glyphs preview = r.Run(text, false);
    const Glyphs device = r.Run(text, false, true);
    ASSERT_EQ(device.size(), 4u);
    for (std::size_t i = 0; i < device.size(); ++i) {
        GlyphCell expected = preview[i];
        if (expected.kind == kDoubleByteGlyph) {
            _CNFontConvert(expected, 1);
        }
        EXPECT_EQ(Data(device[i]), Data(expected)) << i;
    }
    // Two blank leading columns, then device columns 0 and 13 blank around the record.
    Bytes converted(6, 0);
    for (const std::uint8_t byte : Counting(0x40, 24)) {
        converted.push_back(byte);
    }
    EXPECT_EQ(Data(device[0]), Cell32(converted));
}

TEST(RasteriseTest, MissingOrShortTablesGiveBlankCells) {
    Rasterising r;
    r.dir.WriteFullyLitTables();
    std::filesystem::remove(r.dir.path() / kHalfWidthTableName);
    const Glyphs& glyphs = r.Run("ab\x01\x63", false);
    EXPECT_EQ(r.prompter.messages(),
              std::vector<std::string>(3, "Open File " + (r.dir / kHalfWidthTableName) + "Error!"));
    ASSERT_EQ(glyphs.size(), 4u);
    EXPECT_EQ(glyphs[0].kind, kSingleByteGlyph);
    EXPECT_EQ(glyphs[0].count, 16);
    EXPECT_EQ(Data(glyphs[0]), Bytes(32, 0));
    EXPECT_EQ(Data(glyphs[2]), Bytes(32, 0xFF));
    // The file ends after five words of 'A' and half the sixth; '~' lies wholly past it.
    r.dir.PutWords(kHalfWidthTableName, 1060, Bytes(16, 0x0F), 1060 + 11);
    EXPECT_EQ(Data(r.Run("A~", false)[0]), Cell32(Bytes(5, 0xF0)));
    EXPECT_EQ(Data(r.glyphs[1]), Bytes(32, 0));
    EXPECT_EQ(r.prompter.messages().size(), 3u);
    // A folder or a FIFO in place of a table cannot be read either.
    std::filesystem::remove(r.dir.path() / kSymbolTableName);
    std::filesystem::create_directory(r.dir.path() / kSymbolTableName);
    EXPECT_EQ(Data(r.Run("\x01", false)[0]), Bytes(32, 0));
    EXPECT_EQ(r.prompter.messages().back(), "Open File " + (r.dir / kSymbolTableName) + "Error!");
    const std::filesystem::path fifo = r.dir.path() / kWideTableName;
    std::filesystem::remove(fifo);
    testing::MakeIdleFifo(fifo);
    const Glyphs wide = testing::WithoutWaitingOn(fifo, [&] { return r.Run("\xB0\xA1", false); });
    ASSERT_EQ(wide.size(), 1u);
    EXPECT_EQ(Data(wide[0]), Bytes(32, 0));
    EXPECT_EQ(r.prompter.messages().back(), "Open File " + (r.dir / kWideTableName) + "Error!");
}

TEST(DataConvertTest, CellsFillTheirColumnsWithRowZeroAtTheBottom) {
    // Each cell lights the top dot of its first stored column and the bottom of its last.
    // Tables store columns last first, so the top dot shows at the glyph's right edge; a
    // symbol's two leading blank columns are stored first as they stand.
    const auto cell = [](std::uint8_t kind, int bytes, std::uint8_t bottom) {
        GlyphCell c;
        c.kind = kind;
        c.data[0] = 0x01;
        c.data[bytes - 1] = bottom;
        return c;
    };
    DotRows dots{};
    _CNDataConvert({cell(3, 16, 0x80), cell(1, 24, 0x80), GlyphCell{}, cell(2, 32, 0x80)}, dots);
    // 60 columns a unit, 7.5 a table column; the 12-column glyph is centred in its 16.
    EXPECT_EQ(testing::LitRuns(dots, 15), "53-59 158-164 240-247");
    EXPECT_EQ(testing::LitRuns(dots, 0), "0-7 75-82 255-262");
    dots = {};
    _EngDataConvert({cell(3, 5, 0x40), GlyphCell{}, cell(3, 5, 0x40)}, dots);
    EXPECT_EQ(testing::LitRuns(dots, 7), "60-74 240-254");
    EXPECT_EQ(testing::LitRuns(dots, 1), "0-14 180-194");
    // Texts wider than the turn stop at its last column instead of running into row 1.
    dots = {};
    _CNDataConvert(Glyphs(16, cell(1, 24, 0x80)), dots);
    EXPECT_EQ(testing::LitRows(dots), "15 0");
}

}  // namespace
}  // namespace lumera
