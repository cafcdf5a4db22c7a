#include "download/download_image.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace lumera::download {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Cells whose bytes tell where they came from: an English or single-byte character c gives
// c, c+1, ...; a double-byte character gives 0x40 + i in byte i; 0x1F gives no glyph.
void fakeRasterise(std::string_view text, bool englishMode, Glyphs& glyphs) {
    glyphs.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<std::uint8_t>(text[i]);
        GlyphCell cell;
        if (byte == 0x1F) {
            glyphs.push_back(cell);
            continue;
        }
        if (!englishMode && byte > 0x81) {
            cell.kind = kDoubleByteGlyph;
            cell.count = 32;
            ++i;
        } else {
            cell.kind = kSingleByteGlyph;
            cell.count = englishMode ? 5 : 16;
        }
        for (int k = 0; k < cell.count; ++k) {
            cell.data[k] =
                static_cast<std::uint8_t>(cell.kind == kDoubleByteGlyph ? 0x40 + k : byte + k);
        }
        glyphs.push_back(cell);
    }
}

Bytes build(const MessageTable& table) {
    Bytes sections;
    CollectSendSections(table, sections);
    Bytes image;
    const bool englishMode = table.EnglishMode();
    EXPECT_EQ(BuildDownloadImage(
                  table, sections,
                  [&](std::string_view text, Glyphs& glyphs) {
                      fakeRasterise(text, englishMode, glyphs);
                  },
                  image),
              std::nullopt);
    return image;
}

Bytes range(std::uint8_t first, int count) {
    Bytes bytes;
    for (int k = 0; k < count; ++k) {
        bytes.push_back(static_cast<std::uint8_t>(first + k));
    }
    return bytes;
}

Bytes concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const auto& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

TEST(DownloadImage, EnglishSectionSendsItsCharactersLastFirst) {
    MessageTable table;
    table.SetText(0, "AB");
    table.SetOpenOption(0, 0);
    table.SetCloseOption(0, 2);
    EXPECT_EQ(build(table), concat({{0x01, 0x0A, 0x13}, range('B', 5), range('A', 5)}));
}

TEST(DownloadImage, ChineseSectionPadsNarrowCellsAndDropsFourWideBytes) {
    MessageTable table;
    table.Reset(false);
    table.SetText(0,
                  "\xB0\xA1"
                  "A");
    table.SetOpenOption(0, 8);
    table.SetCloseOption(0, 6);
    const Bytes image = build(table);
    EXPECT_EQ(image,
              concat({{0x00, 0x81, 23, 0x97}, range('A', 16), {0x00, 0x00}, range(0x44, 28)}));
    EXPECT_EQ(image.size(), 2u + 2u + 46u);
}

TEST(DownloadImage, OnlyShowableSectionsInUseAreSent) {
    struct Case {
        const char* name;
        std::vector<std::string> texts;
        int sectionCount;
        Bytes expected;
    };
    const Case cases[] = {
        {"empty rows before", {"", "", "A"}, 3, {2}},
        {"blank row skipped", {"A", "   ", "B"}, 3, {0, 2}},
        {"beyond the count", {"A", "B", "C"}, 2, {0, 1}},
        {"nothing showable", {" ", ""}, 2, {}},
    };
    for (const auto& c : cases) {
        MessageTable table;
        for (std::size_t i = 0; i < c.texts.size(); ++i) {
            table.SetText(static_cast<int>(i), c.texts[i]);
        }
        table.SetSectionCount(c.sectionCount);
        Bytes sections;
        EXPECT_EQ(CollectSendSections(table, sections), static_cast<int>(c.expected.size()))
            << c.name;
        EXPECT_EQ(sections, c.expected) << c.name;
    }
}

TEST(DownloadImage, RecordCarriesItsOwnSectionsEffects) {
    MessageTable table;
    table.SetText(2, "A");
    table.SetOpenOption(0, 5);
    table.SetOpenOption(2, 3);
    table.SetCloseOption(2, 1);
    EXPECT_EQ(build(table), concat({{0x01, 0x05, 0x42}, range('A', 5)}));
}

TEST(DownloadImage, SectionWithoutGlyphsStillHasARecord) {
    MessageTable table;
    table.Reset(false);
    table.SetText(0, "\x1F\x1F");
    EXPECT_EQ(build(table), (Bytes{0x00, 0x81, 0x00, 0x11}));
}

TEST(DownloadImage, SectionTooWideForTheLengthByteIsRefusedWhole) {
    struct Case {
        bool englishMode;
        int wideCells;
        int narrowCells;
        bool refused;
    };
    const Case cases[] = {
        {true, 0, 51, false},   // 255 columns
        {true, 0, 52, true},    // 260
        {false, 18, 0, false},  // 252
        {false, 18, 1, true},   // 261
        {false, 0, 28, false},  // 252
        {false, 0, 29, true},   // 261
    };
    for (const auto& c : cases) {
        Glyphs glyphs;
        GlyphCell wide{kDoubleByteGlyph, 32, {}};
        GlyphCell narrow{kSingleByteGlyph, static_cast<std::uint8_t>(c.englishMode ? 5 : 16), {}};
        glyphs.insert(glyphs.end(), c.wideCells, wide);
        glyphs.insert(glyphs.end(), c.narrowCells, narrow);
        Bytes image{0x01};
        const auto refusal = AppendSectionRecord(4, glyphs, c.englishMode, 0x11, image);
        const int columns = SectionColumnTotal(glyphs, c.englishMode);
        EXPECT_EQ(refusal.has_value(), c.refused) << columns << " columns";
        if (c.refused) {
            EXPECT_THAT(*refusal, ::testing::HasSubstr("Section 4"));
            EXPECT_EQ(image, Bytes{0x01}) << "a refused section left bytes behind";
        } else {
            EXPECT_EQ(image[1], columns);
        }
    }
}

TEST(DownloadImage, RefusalLeavesNoImageToSend) {
    MessageTable table;
    table.SetText(0, "AB");
    table.SetText(1, "C");
    Bytes sections;
    CollectSendSections(table, sections);
    Bytes image;
    const auto refusal = BuildDownloadImage(
        table, sections,
        [](std::string_view text, Glyphs& glyphs) {
            glyphs.assign(text.size() == 1 ? 60 : 1, {kSingleByteGlyph, 5, {}});
        },
        image);
    ASSERT_TRUE(refusal.has_value());
    EXPECT_THAT(*refusal, ::testing::HasSubstr("Section 2"));
    EXPECT_TRUE(image.empty());
}

TEST(DownloadImage, EffectByteNibbles) {
    EXPECT_EQ(EffectByte(0, 2), 0x13);
    EXPECT_EQ(EffectByte(8, 6), 0x97);
    EXPECT_EQ(EffectByte(-1, -1), 0x00);  // lists without a selection
}

}  // namespace
}  // namespace lumera::download
