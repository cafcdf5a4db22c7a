#include "download/download_image.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace lumera::download {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(DownloadImage, OnlyShowableSectionsInUseAreSent) {
    struct Case {
        std::vector<std::string> texts;
        int sectionCount;
        Bytes expected;
    };
    const Case cases[] = {
        {{"", "", "A"}, 3, {2}},
        {{"A", "   ", "B"}, 3, {0, 2}},
        {{"A", "B", ""}, 3, {0, 1}},
        {{" ", ""}, 2, {}},
    };
    for (const auto& c : cases) {
        MessageTable table;
        std::vector<SectionContent> content(static_cast<std::size_t>(c.sectionCount));
        for (std::size_t i = 0; i < c.texts.size(); ++i) {
            content[i].text = c.texts[i];
        }
        table.Load(true, content);
        Bytes sections;
        EXPECT_EQ(CollectSendSections(table, sections), static_cast<int>(c.expected.size()));
        EXPECT_EQ(sections, c.expected) << ::testing::PrintToString(c.texts);
    }
}

TEST(DownloadImage, LengthByteCountsColumnsAndRefusesWhatItCannotHold) {
    struct Case {
        bool englishMode;
        int wideCells;
        int narrowCells;
        int emptyCells;
        int expectedLength;  // -1: refused
        std::size_t recordSize;
    };
    const Case cases[] = {
        {true, 0, 0, 3, 0, 2},       {false, 0, 0, 2, 0, 2},      {true, 0, 51, 0, 255, 257},
        {true, 0, 52, 0, -1, 0},     {false, 18, 0, 0, 252, 506}, {false, 18, 1, 0, -1, 0},
        {false, 0, 28, 0, 252, 506}, {false, 0, 29, 0, -1, 0},    {false, 1, 1, 1, 23, 48},
    };
    for (const auto& c : cases) {
        Glyphs glyphs;
        glyphs.insert(glyphs.end(), c.wideCells, GlyphCell{kDoubleByteGlyph, 32, {}});
        const auto narrowCount = static_cast<std::uint8_t>(c.englishMode ? 5 : 16);
        glyphs.insert(glyphs.end(), c.narrowCells, GlyphCell{kSingleByteGlyph, narrowCount, {}});
        glyphs.insert(glyphs.end(), c.emptyCells, GlyphCell{});
        Bytes image;
        const auto refusal = AppendSectionRecord(4, glyphs, c.englishMode, 0x17, image);
        const std::string label = ::testing::PrintToString(
            std::vector<int>{c.englishMode, c.wideCells, c.narrowCells, c.emptyCells});
        if (c.expectedLength < 0) {
            ASSERT_TRUE(refusal.has_value()) << label;
            EXPECT_THAT(*refusal, ::testing::HasSubstr("Section 4")) << label;
            EXPECT_TRUE(image.empty()) << "a refused section left bytes behind " << label;
            continue;
        }
        EXPECT_FALSE(refusal.has_value()) << label;
        ASSERT_EQ(image.size(), c.recordSize) << label;
        EXPECT_EQ(image[0], c.expectedLength) << label;
        EXPECT_EQ(image[1], 0x17) << label;
    }
}

TEST(DownloadImage, RefusedSectionLeavesNoImageToSend) {
    MessageTable table;
    table.SetText(0, "AB");
    table.SetText(1, "C");
    Bytes sections;
    CollectSendSections(table, sections);
    Bytes image;
    const auto refusal = BuildDownloadImage(
        table, sections,
        [](std::string_view text, Glyphs& glyphs) {
            glyphs.assign(text == "C" ? 60 : 1, GlyphCell{kSingleByteGlyph, 5, {}});
        },
        image);
    ASSERT_TRUE(refusal.has_value());
    EXPECT_THAT(*refusal, ::testing::HasSubstr("Section 2"));
    EXPECT_TRUE(image.empty());
}

// A drawing goes in as drawn: its column count, then its columns last first (the display
// shows a record from its end), in the text cells' bit layout; it is sent like a text.
TEST(DownloadImage, ADrawingIsARecordOfItsColumnsLastFirst) {
    const struct {
        bool englishMode;
        Drawing drawing;
        Bytes expected;
    } cases[] = {
        {true, {{0x01, 0x80, 0xFF}, {}}, {0x01, 0x03, 0x47, 0xFF, 0x80, 0x01}},
        {false,
         {{0x0001, 0x8080, 0x00FF}, {}},
         {0x00, 0x81, 0x03, 0x47, 0xFF, 0x00, 0x80, 0x80, 0x01, 0x00}},
    };
    for (const auto& c : cases) {
        MessageTable table;
        table.Reset(c.englishMode);
        table.SetDrawing(1, c.drawing);
        table.SelectOpenOption(1, OpenEffect::DownToUp);
        table.SelectCloseOption(1, CloseEffect::AllExtinguishes);
        Bytes sections, image;
        EXPECT_EQ(CollectSendSections(table, sections), 1);
        ASSERT_FALSE(BuildDownloadImage(
            table, sections, [](std::string_view, Glyphs&) { FAIL() << "a drawing has no text"; },
            image));
        EXPECT_EQ(image, c.expected) << c.englishMode;
    }
}

}  // namespace
}  // namespace lumera::download
