#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editing/file_bytes.h"
#include "files/led_loader.h"
#include "files/led_writer.h"
#include "files/table_file.h"
#include "led_test_files.h"

namespace lumera {
namespace {

using namespace testing::file_test_names;

constexpr char kHead[] =
    "  \"format\": \"lumera-table\",\n  \"version\": 1,\n  \"mode\": \"english\",\n";

// A table file whose sections start on line 6, one a line.
std::string Table(const std::string& sections, const std::string& head = kHead) {
    return "{\n" + head + "  \"sections\": [\n" + sections + "\n  ]\n}\n";
}

// `count` sections, one a line, each holding `rest` after its effects.
std::string Section(const std::string& rest, int count = 1) {
    std::string sections;
    for (int n = 0; n < count; ++n) {
        sections +=
            (n > 0 ? ",\n" : "") +
            std::string(R"(    { "opening": "left-to-right", "closing": "all-extinguishes", )") +
            rest + " }";
    }
    return sections;
}

TEST(TableFile, ReaderRefusesNamingLineAndField) {
    const std::string text = R"("text": "A")";
    const struct {
        std::string file;
        std::string reason;  // the error starts so; empty: the file is read
    } cases[] = {
        {"", "line 1: not JSON: syntax error"},
        {"{\n  \"format\": \"lumera-table\",\n", "line 3: not JSON: syntax error"},
        {std::string(kLargestReadFile + 1, ' '), "the file is larger than 1048576 bytes"},
        {"[]\n", "line 1: the file holds no JSON object"},
        {Table(Section(text), "  \"format\": \"led\",\n"),
         "line 2: \"format\" \"led\" is not \"lumera-table\""},
        {Table(Section(text), "  \"format\": \"lumera-table\",\n  \"version\": 2,\n"),
         "line 3: \"version\" 2 is unknown: this program reads version 1"},
        {Table(Section(text), "  \"format\": \"lumera-table\",\n  \"version\": 1,\n"),
         "line 1: key \"mode\" is missing"},
        {Table(Section(text), std::string(kHead) + "  \"colour\": 1,\n"),
         "line 5: unknown key \"colour\""},
        {Table(Section(text), std::string(kHead) + "  \"mode\": \"chinese\",\n"),
         "line 5: key \"mode\" appears twice"},
        {Table(Section(text, 32)), ""},
        {Table(Section(text, 33)), "line 38: section 33: more than 32 sections"},
        {Table(Section(text) + ",\n    7"), "line 7: section 2: not an object"},
        {Table(Section(R"("text": "A", "speed": 3)")), "line 6: section 1: unknown key \"speed\""},
        {Table(R"(    { "opening": "left-to-right", "text": "A" })"),
         "line 6: section 1: key \"closing\" is missing"},
        {Table(R"(    { "opening": "3", "closing": "all-extinguishes", "text": "A" })"),
         "line 6: section 1: \"opening\" \"3\" is not an opening effect"},
        {Table(Section(R"("text": "A", "bytes": "41")")),
         "line 6: section 1: both \"text\" and \"bytes\""},
        {Table(Section(R"("text": 1)")), "line 6: section 1: \"text\" is not a string"},
        {Table(Section(R"("bytes": "41 0G")")), "line 6: section 1: \"bytes\" \"0G\" is not a hex"},
        {Table(Section(R"("bytes": "41  42")")), "line 6: section 1: \"bytes\" \"\" is not a hex"},
        {Table(Section(R"("text": "A\nB")")), "line 6: section 1: \"text\" holds a line-end"},
        {Table(Section(R"("text": "🙂")")), "line 6: section 1: \"text\" holds a character"},
        // Drawings: rows of dots within the English column's 8, and a known source.
        {Table(Section(R"("drawing": { "dots": ["#.", ".#"] })")), ""},
        {Table(Section(R"("text": "A", "drawing": { "dots": ["#"] })")),
         "line 6: section 1: both \"drawing\" and \"text\""},
        {Table(Section(R"("drawing": { "dots": ["#", "#", "#", "#", "#", "#", "#", "#", "#"] })")),
         "line 6: section 1: \"drawing\" \"dots\" row 9: "},
        {Table(Section(R"("drawing": { "dots": ["#.", "#x"] })")),
         "line 6: section 1: \"drawing\" \"dots\" row 2, column 2: 'x'"},
        {Table(Section(R"("drawing": { "dots": [""] })")),
         "line 6: section 1: \"drawing\" \"dots\" hold no column"},
        {Table(Section(R"("drawing": { "dots": ["#"], "size": 1 })")),
         "line 6: section 1: \"drawing\" unknown key \"size\""},
        {Table(Section(R"("drawing": { "dots": ["#"], "source": { "kind": "photo" } })")),
         "line 6: section 1: \"drawing\" \"source\" kind \"photo\" is none of"},
        {Table(Section(
             R"("drawing": { "dots": ["#"], "source": { "kind": "picture", "threshold": 101 } })")),
         "line 6: section 1: \"drawing\" \"source\" \"threshold\" 101 is not a percent"},
    };
    for (const auto& c : cases) {
        const LedParseResult parsed = ParseTableFile(c.file);
        EXPECT_EQ(parsed.content.has_value(), c.reason.empty()) << c.reason << parsed.error;
        EXPECT_EQ(parsed.error.rfind(c.reason, 0), 0u) << "got: " << parsed.error;
    }
}

TEST(TableFile, ContentAndFileRoundTrip) {
    const LedFileContent content{false,
                                 {{"\x01\x1B A", ClockwiseRotation, AllExtinguishes},
                                  {"A\xFF", UpToDown, FromUpToDown},
                                  {"\xD6\xD0\xCE\xC4 \"\\", LeftToRight, FromRightToLeft},
                                  {"", DownToUp, FromDownToUp}}};
    EXPECT_EQ(FormatTableFile(content), R"({
  "format": "lumera-table",
  "version": 1,
  "mode": "chinese",
  "sections": [
    { "opening": "clockwise-rotation", "closing": "all-extinguishes", "bytes": "01 1B 20 41" },
    { "opening": "up-to-down", "closing": "from-up-to-down", "bytes": "41 FF" },
    { "opening": "left-to-right", "closing": "from-right-to-left", "text": "中文 \"\\" },
    { "opening": "down-to-up", "closing": "from-down-to-up", "text": "" }
  ]
}
)");
    LedFileContent drawn{true, {{"A"}, {}, {}}};
    drawn.sections[1].drawing = {{0x01, 0x80, 0x00}, {}};
    drawn.sections[2].drawing = {
        {0xFF},
        {DrawingSource::Kind::Font, "", 50, false, "Nimbus Sans", true, false, 2, "Hi \"there\""}};
    LedFileContent chineseDrawn{false, {{}}};
    chineseDrawn.sections[0].drawing = {
        {0x8001},
        {DrawingSource::Kind::Picture, "/tmp/logo.svg", 30, true, "", false, false, 0, ""}};
    const std::vector<LedFileContent> contents = {content, {true, {}}, drawn, chineseDrawn};
    for (const LedFileContent& c : contents) {
        const LedParseResult parsed = ParseTableFile(FormatTableFile(c));
        ASSERT_TRUE(parsed.content) << parsed.error;
        EXPECT_EQ(*parsed.content, c);
        EXPECT_EQ(FormatTableFile(*parsed.content), FormatTableFile(c));
    }
    // Neither kind of file writes what it could not read back.
    EXPECT_FALSE(UnstorableReason({true, std::vector<LedSection>(32)}));
    EXPECT_EQ(UnstorableReason({true, std::vector<LedSection>(33)}),
              "the table holds 33 sections; a message file stores at most 32");
}

class TableFileOnDisk : public testing::TempDirTest {};

TEST_F(TableFileOnDisk, EitherKindOpensByItsContentWhateverItsName) {
    const LedFileContent content{true, {{"HELLO", RightToLeft, FromLeftToRight}}};
    const struct {
        const char* name;
        std::string bytes;
        std::string error;  // after "<path> error!\n"; empty: the file opens
    } cases[] = {
        {"table.led", " \n" + FormatTableFile(content), ""},
        {"message.lumera", Scrambled(FormatLedText(content)), ""},
        {"broken.led", "{\n}\n", "line 1: key \"format\" is missing"},
    };
    for (const auto& c : cases) {
        const std::filesystem::path path = dir_ / c.name;
        WriteBytes(path, c.bytes);
        const LedReadResult read = ReadLedFile(path);
        EXPECT_EQ(read.content, c.error.empty() ? std::optional(content) : std::nullopt) << c.name;
        EXPECT_EQ(read.error, c.error.empty() ? "" : path.string() + " error!\n" + c.error);
    }
}

}  // namespace
}  // namespace lumera
