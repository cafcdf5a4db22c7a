#include "download/image_decoder.h"

#include <gtest/gtest.h>

#include <sstream>

#include "download/device_form_rasteriser.h"
#include "download/image_capacity.h"
#include "download/image_feed.h"
#include "download/stream_prompter.h"
#include "download_test_support.h"
#include "outside/device_columns.h"
#include "outside/glyph_convert_layout.h"
#include "render/preview_engine.h"
#include "render/table_feed.h"

namespace lumera::download {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct Row {
    std::string text;
    int open, close;
};

MessageTable TableOf(bool englishMode, const std::vector<Row>& rows) {
    std::vector<SectionContent> sections;
    for (const Row& row : rows) {
        sections.push_back({row.text, OpenEffectFromNumber(row.open).value(),
                            CloseEffectFromNumber(row.close).value()});
    }
    MessageTable table;
    table.Load(englishMode, sections);
    return table;
}

class ImageDecoderTest : public ::testing::Test {
protected:
    ImageDecoderTest() { testing::WriteGlyphTables(dir_.path()); }

    // The image Send builds, with the glyph tables in `tables` (the test's own by default).
    Bytes Build(const MessageTable& table, const std::filesystem::path& tables = {}) {
        Bytes sections, image;
        CollectSendSections(table, sections);
        EXPECT_FALSE(BuildDownloadImage(table, sections, Rasteriser(table, tables), image));
        return image;
    }
    SectionRasteriser Rasteriser(const MessageTable& table,
                                 const std::filesystem::path& tables = {}) {
        return DeviceFormRasteriser(table.EnglishMode(), tables.empty() ? dir_.path() : tables,
                                    prompter_);
    }

    testing::TempDirectory dir_{"lumera-dl"};
    std::ostringstream messages_;
    StreamPrompter prompter_{messages_};
};

TEST_F(ImageDecoderTest, DecodesWhatTheBuilderMakesInBothModes) {
    struct Case {
        bool englishMode;
        std::vector<Row> rows;
        std::vector<int> sent;  // the rows that make records
        std::vector<int> columns;
    };
    const std::vector<Case> cases = {
        {true, {{"AB", 0, 2}, {"  ", 3, 3}, {"HELLO", 8, 6}}, {0, 2}, {10, 25}},
        {true, {{"\x12Z", 4, 5}}, {0}, {10}},
        {false,
         {{"\xB0\xA1"
           "A",
           1, 0},
          {"x", 7, 4},
          {"\x01", 5, 1}},
         {0, 1, 2},
         {23, 9, 14}},
    };
    for (const Case& c : cases) {
        const MessageTable table = TableOf(c.englishMode, c.rows);
        const Bytes built = Build(table);
        const auto decoded = DecodeDownloadImage(
            std::string_view(reinterpret_cast<const char*>(built.data()), built.size()));
        ASSERT_TRUE(std::holds_alternative<DecodedImage>(decoded)) << c.rows[0].text;
        const DecodedImage& image = std::get<DecodedImage>(decoded);
        EXPECT_EQ(image.englishMode, c.englishMode);
        EXPECT_EQ(image.size, built.size());
        ASSERT_EQ(image.records.size(), c.sent.size());
        std::size_t offset = c.englishMode ? 1 : 2;
        for (std::size_t k = 0; k < c.sent.size(); ++k) {
            const ImageRecord& record = image.records[k];
            const Row& row = c.rows[static_cast<std::size_t>(c.sent[k])];
            EXPECT_EQ(record.openEffect, OpenEffectFromNumber(row.open));
            EXPECT_EQ(record.closeEffect, CloseEffectFromNumber(row.close));
            EXPECT_EQ(record.columns, c.columns[k]);
            EXPECT_EQ(record.data.size(), c.columns[k] * (c.englishMode ? 1u : 2u));
            EXPECT_EQ(
                Bytes(built.begin() + offset + 2, built.begin() + offset + 2 + record.data.size()),
                record.data);
            offset += 2 + record.data.size();
        }
    }
}

TEST_F(ImageDecoderTest, RefusesMalformedImagesSayingWhereAndWhy) {
    struct Case {
        std::string bytes;
        std::size_t offset;
        std::string says;
    };
    const std::vector<Case> cases = {
        {"", 0, "empty"},
        {std::string(1, '\0'), 1, "ends after its first byte"},
        {std::string("\x00\x02", 2), 1, "lacks the Chinese mark"},
        {std::string("\x00\x80", 2), 1, "announces 0 sections"},
        {"\x21", 0, "announces 33 sections"},
        {"\x01\x04\x11"
         "abc",
         1, "record 1 runs past the end: 4 column bytes announced, 3 left"},
        {"\x02\x01\x11"
         "a",
         4, "record 2 runs past the end"},
        {std::string("\x00\x81\x01\x11"
                     "ab",
                     6) +
             "c",
         6, "1 bytes are left over"},
        {std::string("\x01\x00\x11\xFF", 4), 3, "1 bytes are left over"},
    };
    for (const Case& c : cases) {
        const auto decoded = DecodeDownloadImage(c.bytes);
        ASSERT_TRUE(std::holds_alternative<ImageFault>(decoded)) << c.says;
        EXPECT_EQ(std::get<ImageFault>(decoded).offset, c.offset) << c.says;
        EXPECT_NE(std::get<ImageFault>(decoded).what.find(c.says), std::string::npos)
            << std::get<ImageFault>(decoded).what;
    }
}

TEST_F(ImageDecoderTest, EffectNibblesOutsideTheListsNameNoEffect) {
    const struct {
        char effect;
        std::optional<OpenEffect> open;
        std::optional<CloseEffect> close;
    } cases[] = {
        {'\x11', OpenEffect::LeftToRight, CloseEffect::FromRightToLeft},
        {'\x97', OpenEffect::ClockwiseRotation, CloseEffect::AllExtinguishes},
        {'\x00', std::nullopt, std::nullopt},  // no selection
        {'\xA8', std::nullopt, std::nullopt},  // one past each list
        {'\xF1', std::nullopt, CloseEffect::FromRightToLeft},
    };
    for (const auto& c : cases) {
        const auto decoded = DecodeDownloadImage(std::string{'\x01', '\x00', c.effect});
        ASSERT_TRUE(std::holds_alternative<DecodedImage>(decoded)) << int(c.effect);
        const ImageRecord& record = std::get<DecodedImage>(decoded).records.at(0);
        EXPECT_EQ(record.openEffect, c.open) << int(c.effect);
        EXPECT_EQ(record.closeEffect, c.close) << int(c.effect);
    }
}

TEST_F(ImageDecoderTest, MeasuresTheImageAgainstTheDisplaysMemory) {
    const std::string english(18, 'W');
    std::string chinese;
    for (int k = 0; k < 12; ++k) {
        chinese += "\xB0\xA1";
    }
    struct Case {
        bool englishMode;
        std::string text;
        int sections;
        ImageFit fit;
        std::size_t size;
    };
    const std::vector<Case> cases = {
        {true, english, 22, ImageFit::Fits, 1 + 22 * 92},
        {true, english, 23, ImageFit::TooLarge, 1 + 23 * 92},
        {false, chinese, 6, ImageFit::Fits, 2 + 6 * 338},
        {false, chinese, 7, ImageFit::TooLarge, 2 + 7 * 338},
        {true, "   ", 3, ImageFit::NothingToSend, 0},
    };
    for (const Case& c : cases) {
        const MessageTable table =
            TableOf(c.englishMode, std::vector<Row>(c.sections, Row{c.text, 0, 0}));
        const ImageMeasure measure = MeasureDownloadImage(table, Rasteriser(table));
        EXPECT_EQ(measure.fit, c.fit) << c.sections;
        EXPECT_EQ(measure.size, c.size) << c.sections;
    }
    EXPECT_EQ(CapacityLine({ImageFit::Fits, 204}), "image: 204 of 2047 bytes");
    for (const auto& [count, grouped] : std::vector<std::pair<std::size_t, std::string>>{
             {0, "0"}, {999, "999"}, {1234, "1 234"}, {2047, "2 047"}, {1234567, "1 234 567"}}) {
        EXPECT_EQ(GroupedCount(count), grouped);
    }
}

TEST_F(ImageDecoderTest, SizingFromTheTableAloneGivesTheSizeOfTheBuiltImage) {
    std::string twelveWide;
    for (int k = 0; k < 12; ++k) {
        twelveWide += "\xB0\xA1";
    }
    const struct {
        bool englishMode;
        std::vector<std::string> texts;
    } cases[] = {
        {true, {"HELLO", "", "GO 2"}},
        {true, {"\x12\x1B AZ", "   ", "a~"}},
        {true, {"\x01\x7F", "B"}},  // characters that give empty cells
        {true, std::vector<std::string>(32, std::string(18, 'W'))},
        {false,
         {"\xB0\xA1"
          "A",
          "", "\x01\x0B\x11"}},
        {false, {"x\xD6\xD0y\x0E", "  ", "\xD2\xBB"}},
        {false, {"\x12\x1B", "abc"}},  // English symbols are no glyphs in Chinese
        {false, std::vector<std::string>(32, twelveWide)},
        {false, std::vector<std::string>(32, std::string(18, 'n'))},
        {true, {" ", ""}},
    };
    for (const auto& c : cases) {
        std::vector<Row> rows;
        for (const std::string& text : c.texts) {
            rows.push_back({text, 0, 0});
        }
        const MessageTable table = TableOf(c.englishMode, rows);
        const ImageMeasure sized = MeasureDownloadImage(table);
        const ImageMeasure built = MeasureDownloadImage(table, Rasteriser(table));
        EXPECT_EQ(sized.fit, built.fit) << c.texts.front();
        EXPECT_EQ(sized.size, built.size) << c.texts.front();
        Bytes sections;
        if (CollectSendSections(table, sections) > 0) {
            EXPECT_EQ(sized.size, Build(table).size()) << c.texts.front();
        }
    }
    EXPECT_EQ(messages_.str(), "") << "the tables were all there";
}

TEST_F(ImageDecoderTest, TheDisplayPlaysTheRecordsOwnColumnsWithTheirEffects) {
    // Left to right over 3 English columns (45 buffer columns), then a Chinese record. The
    // display shows a record from its last column: 0x01 comes first.
    DecodedImage english{
        true, 0, {{OpenEffect::LeftToRight, CloseEffect::AllExtinguishes, 3, {0xFF, 0x80, 0x01}}}};
    PreviewEngine engine(std::make_unique<ImageFeed>(english));
    ASSERT_TRUE(engine.Start());
    EXPECT_EQ(engine.TextColumns(), 45);
    EXPECT_EQ(engine.TextRows(), 8);
    EXPECT_EQ(engine.TextAngle(), 270 - 4);
    engine.Timer1Timer();
    // Tick 1 shows 10 columns of the first LED column: its top dot (row 7) only.
    const DotRows& dots = engine.Dots();
    for (int row = 0; row < 8; ++row) {
        EXPECT_EQ(dots[row][5], row == 7 ? 1 : 0) << row;
        EXPECT_EQ(dots[row][12], 0) << "blanked beyond 10 columns";
    }
    for (int tick = 0; tick < 4; ++tick) {
        engine.Timer1Timer();
    }
    ASSERT_TRUE(engine.Holding()) << "the fifth tick completes 45 columns";
    engine.ResumeAfterHold();
    for (int row = 0; row < 8; ++row) {
        EXPECT_EQ(dots[row][20], row == 0 ? 1 : 0) << "0x80 lights the bottom dot";
        EXPECT_EQ(dots[row][40], 1) << "0xFF lights all";
    }

    DecodedImage chinese{
        false,
        0,
        {{OpenEffect::UpToDown, CloseEffect::FromLeftToRight, 2, {0x01, 0x00, 0x00, 0x80}}}};
    PreviewEngine played(std::make_unique<ImageFeed>(chinese));
    ASSERT_TRUE(played.Start());
    EXPECT_EQ(played.TextRows(), 16);
    EXPECT_EQ(played.TextColumns(), 15);
    played.Timer1Timer();
    EXPECT_EQ(played.PreviewOpen(), OpenEffect::UpToDown);
    EXPECT_EQ(played.PreviewClose(), CloseEffect::FromLeftToRight);
}

// The lit LED columns of a dot buffer, left to right, each as its rows (bit r = row r from
// the bottom). Blank columns are left out: the preview and the display space characters
// apart differently (the preview lays a wide glyph in two 8-column units and a single-byte
// one in one; the display gets 14 and 9 columns).
std::vector<unsigned> LitColumns(const DotRows& dots, bool englishMode) {
    std::vector<unsigned> columns;
    for (int k = 0; k < led_layout::LedColumns(englishMode); ++k) {
        unsigned rows = 0;
        for (int row = 0; row < led_layout::LedRows(englishMode); ++row) {
            rows |= dots[row][led_layout::LedSampleColumn(englishMode, k)] ? 1u << row : 0;
        }
        if (rows != 0) {
            columns.push_back(rows);
        }
    }
    return columns;
}

// The display knows no characters, only columns: what it shows of a section must be what the
// preview shows, character for character the right way round, with the shipped glyph tables.
TEST_F(ImageDecoderTest, TheFaceShowsTheColumnsThePreviewShows) {
    const struct {
        bool englishMode;
        std::string text;
        Drawing drawing{};  // shown instead of the text when it has columns
    } cases[] = {
        {true, "HELLO"},
        {true, "\x12Z{"},
        {false,
         "\xD6\xD0"
         "A\x01"
         "B\xB0\xA1"},
        {false,
         "\x01"
         "A\x0B"},
        {false, "x y\xD2\xBB"},
        {false, "abcdefghijklmn"},
        {true, "", {{0x01, 0x80, 0xFF, 0x3C}, {}}},
        {false, "", {{0x0001, 0x8000, 0xFFFF, 0x0180, 0x7E00}, {}}},
    };
    const GlyphTableFiles shipped{LUMERA_BIN_DIR, prompter_};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        MessageTable table = TableOf(c.englishMode, {{c.text, 0, 0}});
        if (!c.drawing.columns.empty()) {
            table.SetDrawing(0, c.drawing);
        }
        const Bytes built = Build(table, LUMERA_BIN_DIR);
        auto face = std::make_unique<DotRows>();
        ImageFeed shown(std::get<DecodedImage>(DecodeDownloadImage(
            std::string_view(reinterpret_cast<const char*>(built.data()), built.size()))));
        shown.Load(0, *face);
        shown.Convert(*face);
        auto preview = std::make_unique<DotRows>();
        TableFeed composed(table, shipped);
        composed.Load(0, *preview);
        composed.Convert(*preview);

        std::vector<unsigned> expected = LitColumns(*face, c.englishMode);
        if (c.englishMode && c.drawing.columns.empty()) {
            // The 7-dot preview form skips the stored gap row: the lower four rows move up one.
            for (unsigned& rows : expected) {
                rows = (rows & 0xE0) | ((rows & 0x0F) << 1);
            }
        }
        EXPECT_FALSE(expected.empty());
        EXPECT_EQ(LitColumns(*preview, c.englishMode), expected);
    }
    EXPECT_EQ(messages_.str(), "");
}

}  // namespace
}  // namespace lumera::download
