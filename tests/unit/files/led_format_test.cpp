#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/led_parser.h"
#include "files/led_scramble.h"
#include "files/led_writer.h"

namespace lumera {
namespace {

using enum OpenEffect;
using enum CloseEffect;

LedFileContent HelloGo() {
    return {true, {{"HELLO", LeftToRight, FromLeftToRight}, {"GO 2", DownToUp, AllExtinguishes}}};
}

TEST(LedFormat, WorkedExampleIsThirtyFourBytesAndReadsBack) {
    const std::string plain = FormatLedText(HelloGo());
    EXPECT_EQ(plain, "Row:02Eng:1\r\n05HELLO01\r\n04GO 236\r\n");
    EXPECT_EQ(plain.size(), 34u);
    const LedParseResult parsed = ParseLedText(plain);
    ASSERT_TRUE(parsed.content) << parsed.error;
    EXPECT_EQ(*parsed.content, HelloGo());
}

TEST(LedFormat, ScramblingCombinesEachOffsetWithItsPositionModulo256) {
    std::string bytes(600, '\0');
    ScrambleLedBytes(bytes);
    const struct {
        std::size_t offset;
        unsigned char stored;
    } cases[] = {{0, 0x01}, {1, 0x02}, {254, 0xFF}, {255, 0x00}, {256, 0x01}, {511, 0x00}};
    for (const auto& c : cases) {
        EXPECT_EQ(static_cast<unsigned char>(bytes[c.offset]), c.stored) << c.offset;
    }
    ScrambleLedBytes(bytes);
    EXPECT_EQ(bytes, std::string(600, '\0'));
}

TEST(LedFormat, ContentRoundTripsWithItsFieldsAsWritten) {
    std::vector<LedSection> thirtyTwo;
    for (int n = 0; n < 32; ++n) {
        thirtyTwo.push_back(
            {"S" + std::to_string(n), *OpenEffectFromNumber(n % 9), *CloseEffectFromNumber(n % 7)});
    }
    const struct {
        const char* name;
        LedFileContent content;
        std::string expectedPlain;  // empty: only the round trip is checked
    } cases[] = {
        {"empty english", {true, {}}, "Row:00Eng:1\r\n"},
        {"empty chinese", {false, {}}, "Row:00Eng:0\r\n"},
        {"length fields 09 and 10",
         {true, {{"123456789", ClockwiseRotation, AllExtinguishes}, {"1234567890"}}},
         "Row:02Eng:1\r\n0912345678986\r\n10123456789000\r\n"},
        {"empty section inside the count",
         {true,
          {{"A", RightToLeft, FromDownToUp},
           {"", MiddleToTwoNearby, FromTwoNearbyToMiddle},
           {"B"}}},
         "Row:03Eng:1\r\n01A12\r\n0045\r\n01B00\r\n"},
        {"glyph codes and double-byte text",
         {false, {{"\x01\x0B\x11 \xD6\xD0", ContraRotation, FromUpToDown}}},
         "Row:01Eng:0\r\n06\x01\x0B\x11 \xD6\xD0"
         "73\r\n"},
        {"thirty-two sections", {true, thirtyTwo}, ""},
    };
    for (const auto& c : cases) {
        const std::string plain = FormatLedText(c.content);
        if (!c.expectedPlain.empty()) {
            EXPECT_EQ(plain, c.expectedPlain) << c.name;
        }
        const LedParseResult parsed = ParseLedText(plain);
        ASSERT_TRUE(parsed.content) << c.name << ": " << parsed.error;
        EXPECT_EQ(*parsed.content, c.content) << c.name;
    }
    EXPECT_EQ(FormatLedText({true, thirtyTwo}).substr(0, 6), "Row:32");
}

TEST(LedFormat, ReaderAcceptsEveryLineEndAndIgnoresWhatFollows) {
    const struct {
        const char* name;
        std::string plain;
    } cases[] = {
        {"lone LF", "Row:02Eng:1\n05HELLO01\n04GO 236\n"},
        {"lone CR", "Row:02Eng:1\r05HELLO01\r04GO 236\r"},
        {"mixed, no final line end", "Row:02Eng:1\r\n05HELLO01\r04GO 236"},
        {"markers inside line 1", "xxEng:7Row:02\r\n05HELLO01\r\n04GO 236\r\n"},
        {"zero byte ends the text",
         std::string("Row:02Eng:1\r\n05HELLO01\r\n04GO 236\r\n\0junk", 39)},
        {"extra lines and longer lines",
         "Row:02Eng:1 x\r\n05HELLO01zz\r\n04GO 236\r\n\r\nmore\r\n"},
    };
    for (const auto& c : cases) {
        const LedParseResult parsed = ParseLedText(c.plain);
        ASSERT_TRUE(parsed.content) << c.name << ": " << parsed.error;
        EXPECT_EQ(*parsed.content, HelloGo()) << c.name;
    }
    // An empty line inside the count is a section line that fails, not a skipped one.
    EXPECT_FALSE(ParseLedText("Row:02Eng:1\r\n\r\n05HELLO01\r\n04GO 236\r\n").content);
}

TEST(LedFormat, ReaderRejectsMalformedTextNamingLineAndField) {
    const struct {
        std::string plain;
        std::string reason;
    } cases[] = {
        {"", "the file holds no line"},
        {std::string("\0Row:00Eng:1\r\n", 14), "the file holds no line"},
        {"\r\n", "line 1: the header has no \"Row:\" marker"},
        {"Row:00\r\n", "line 1: the header has no \"Eng:\" marker"},
        {"Row:0xEng:1\r\n", "line 1: section count \"0x\" is not a decimal number"},
        {"Row:5Eng:1\r\n", "line 1: section count \"5E\" is not a decimal number"},
        {"Row:+1Eng:1\r\n", "line 1: section count \"+1\" is not a decimal number"},
        {"Row:-1Eng:1\r\n", "line 1: section count -1 is negative"},
        {"Row:33Eng:1\r\n", "line 1: section count 33 is above 32"},
        {"Row:00Eng:x\r\n", "line 1: mode \"x\" is not a decimal digit"},
        {"Row:02Eng:1\r\n05HELLO01\r\n",
         "line 3: missing: the header counts 2 sections, the file "
         "has 1 section lines"},
        {"Row:01Eng:1\r\n\x93"
         "5HELLO01\r\n",
         "line 2: text length \"\\x935\" is not a decimal"},
        {"Row:01Eng:1\r\n-1HELLO01\r\n", "line 2: text length -1 is negative"},
        {"Row:01Eng:1\r\n06HELLO0\r\n", "line 2: the line is shorter than its text length 6"},
        {"Row:01Eng:1\r\n05HELLO\r\n", "line 2: the line is shorter than its text length 5"},
        {"Row:01Eng:1\r\n05HELLOx1\r\n", "line 2: open option \"x\" is not a decimal digit"},
        {"Row:01Eng:1\r\n05HELLO9 1\r\n", "line 2: open option 9 is above 8"},
        {"Row:02Eng:1\r\n01A00\r\n05HELLO8-\r\n", "line 3: close option \"-\" is not a decimal"},
        {"Row:01Eng:1\r\n05HELLO87\r\n", "line 2: close option 7 is above 6"},
    };
    for (const auto& c : cases) {
        const LedParseResult parsed = ParseLedText(c.plain);
        EXPECT_FALSE(parsed.content) << c.reason;
        EXPECT_EQ(parsed.error.rfind(c.reason, 0), 0u) << "got: " << parsed.error;
    }
}

TEST(LedFormat, ContentThatWouldNotReadBackIsRefused) {
    const struct {
        std::string text;
        bool storable;
    } cases[] = {
        {std::string(99, 'A'), true},
        {"\x01\x1B\x7E\xFF", true},
        {std::string(100, 'A'), false},
        {"A\nB", false},
        {"A\rB", false},
        {std::string("A\0B", 3), false},
    };
    for (const auto& c : cases) {
        const LedFileContent content{true, {{"OK"}, {c.text}}};
        const auto reason = UnstorableReason(content);
        EXPECT_EQ(!reason.has_value(), c.storable) << c.text.size();
        if (reason) {
            EXPECT_EQ(reason->rfind("section 2 ", 0), 0u) << *reason;
        }
    }

    // A drawing has no place in a message file: every drawn section is named.
    LedFileContent drawn{false, {{"A"}, {"B"}, {"C"}}};
    drawn.sections[0].drawing.columns = {1};
    drawn.sections[2].drawing.columns = {1, 2};
    EXPECT_FALSE(UnstorableReason(drawn));  // a table file keeps them
    EXPECT_EQ(UnstorableInMessageFile(drawn),
              "a message file (.led) stores texts only, and the drawings of sections 1, 3 would "
              "be lost: save the table as a Lumera table (.lumera), which keeps them");
}

}  // namespace
}  // namespace lumera
