#include "editing/message_table.h"

#include <gtest/gtest.h>

#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "editing/language_texts.h"

namespace lumera {
namespace {

const std::string kBad(kBadCharacterMessage);
constexpr int kAmpersandGlyphKey = 21;
constexpr int kTildeEnglishKey = 105;

std::string Glyphs(int count) {
    return std::string(count, '\x01');
}

TEST(MessageTable, ResetAndClearEmptyTheTableThroughTheChangeHandling) {
    MessageTable table;
    table.SetText(0, "HI");
    table.SetText(4, "THERE");
    table.SelectOpenOption(4, OpenEffect::ClockwiseRotation);
    table.SelectCloseOption(4, CloseEffect::AllExtinguishes);
    table.ClickSection(4);
    const EditResult reset = table.Reset(false);
    EXPECT_TRUE(reset.messages.empty());
    EXPECT_TRUE(reset.changed);
    EXPECT_EQ(table.SectionCount(), 5);
    EXPECT_EQ(table.CurrentSection(), 4);
    EXPECT_EQ(table.PrevChineseLimit(), 24);  // the emptied texts ran the Chinese rule
    for (int index = 0; index < kSectionRows; ++index) {
        const Section& section = table.section(index);
        EXPECT_EQ(section.text, "");
        EXPECT_EQ(section.maxLength, kChineseMaxLength);
        EXPECT_EQ(section.openOption, OpenEffect::LeftToRight);
        EXPECT_EQ(section.closeOption, CloseEffect::FromRightToLeft);
        EXPECT_EQ(section.enabled, index == 0);
    }
    EXPECT_TRUE(table.Reset(true).changed);  // the mode and its limits
    EXPECT_FALSE(table.Reset(true).changed);
    EXPECT_EQ(table.section(31).maxLength, kEnglishMaxLength);

    EXPECT_TRUE(table.Clear().changed);  // the count and the current section go back
    EXPECT_TRUE(table.EnglishMode());
    EXPECT_EQ(table.SectionCount(), 0);
    EXPECT_EQ(table.CurrentSection(), 0);
    EXPECT_FALSE(table.Clear().changed);  // nothing to undo
}

TEST(MessageTable, ChineseLimitWhileTypingNarrowCharacters) {
    MessageTable fresh;
    fresh.Reset(false);
    fresh.SetText(0, "A");
    EXPECT_EQ(fresh.section(0).maxLength, 23);  // nothing stored yet to hold it at 24

    MessageTable table;
    table.Reset(false);
    table.SetText(1, Glyphs(1));  // leaves 24 stored
    std::string typed;
    for (int narrow = 1; narrow <= 19; ++narrow) {
        typed += 'A';
        table.SetText(0, typed);
        const int expected = narrow <= 3 ? 24 : narrow <= 9 ? 22 : narrow <= 15 ? 20 : 18;
        EXPECT_EQ(table.section(0).maxLength, expected) << narrow << " narrow characters";
    }
    EXPECT_EQ(table.section(0).text, std::string(18, 'A'));

    // The stored limit belongs to the window: another section and resets keep it.
    table.Reset(true);
    table.Reset(false);
    EXPECT_EQ(table.PrevChineseLimit(), 18);
    table.SetText(5, std::string(19, 'B'));  // 17, raised to the stored 18
    EXPECT_EQ(table.section(5).maxLength, 18);
    EXPECT_EQ(table.section(5).text, std::string(18, 'B'));

    // A hand-made text of 80 narrow characters is cut, not left whole by a wrapped limit.
    table.SetText(6, std::string(80, 'C'));
    EXPECT_EQ(table.section(6).text, std::string(10, 'C'));
}

TEST(MessageTable, KeyRefusalsInsertionOffsetsAndCaret) {
    struct Case {
        const char* what;
        bool english;
        std::string text;
        bool glyphKey;
        int key;
        std::size_t caret;
        bool inserted;
        std::string after;
        std::size_t caretAfter;
    };
    const Case cases[] = {
        {"inside", true, "ABCD", false, kTildeEnglishKey, 2, true, "AB~CD", 3},
        {"caret past the end", true, "AB", false, 1, 9, true, "AB\x12", 3},
        {"English full", true, std::string(18, 'A'), false, 1, 5, false, std::string(18, 'A'), 5},
        {"English one short", true, std::string(17, 'A'), false, 1, 17, true,
         std::string(17, 'A') + "\x12", 18},
        {"ampersand", false, "", true, kAmpersandGlyphKey, 0, true, "&", 1},
        {"glyph at full width, end", false, Glyphs(12), true, 2, 12, true, Glyphs(12), 12},
        {"glyph at full width, front", false, Glyphs(12), true, 2, 0, true, "\x02" + Glyphs(11), 1},
        {"glyph over the limit", true, Glyphs(10), true, 2, 3, false, Glyphs(10), 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MessageTable table;
        table.Reset(c.english);
        table.SetText(3, c.text);
        table.ClickSection(3);
        const KeyInsertion result = c.glyphKey ? table.PressGlyphKey(c.key, c.caret)
                                               : table.PressEnglishKey(c.key, c.caret);
        EXPECT_EQ(result.inserted, c.inserted);
        EXPECT_EQ(table.section(3).text, c.after);
        EXPECT_EQ(result.caret, c.caretAfter);
    }
}

TEST(MessageTable, BadCharacterMessageAgainAfterACutThatKeepsIt) {
    struct Case {
        const char* what;
        bool english;
        std::string text;
        std::string kept;
        int messages;
        std::string named;  // what the message says of the refused character
    };
    const Case cases[] = {
        {"English, kept", true, "AB\x80" + std::string(17, 'C'), "AB\x80" + std::string(15, 'C'), 2,
         " “€” (0x80)"},
        {"English, cut off", true, std::string(18, 'C') + "\x80", std::string(18, 'C'), 1,
         " “€” (0x80)"},
        {"English, no cut", true, "\xB0\xA1", "\xB0\xA1", 1, " “啊” (0xB0A1)"},
        {"Chinese, kept", false, "\x7F" + Glyphs(12), "\x7F" + Glyphs(11), 2, " (0x7F)"},
        {"Chinese, cut off", false, std::string(22, 'A') + "\x12", std::string(16, 'A'), 1,
         " “heart” (0x12)"},
        {"Chinese, clean", false, Glyphs(13), Glyphs(12), 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MessageTable table;
        table.Reset(c.english);
        const EditResult shown = table.SetText(0, c.text);
        EXPECT_EQ(shown.messages, Messages(c.messages, kBad + c.named));
        EXPECT_EQ(shown.badCharacter, c.messages > 0);
        EXPECT_EQ(table.section(0).text, c.kept);
        EXPECT_EQ(shown.cut.has_value(), c.kept != c.text);
    }
}

TEST(MessageTable, RowsOpenAndSectionCountOnlyGrows) {
    MessageTable table;
    table.SetText(0, "A");
    EXPECT_TRUE(table.section(1).enabled);
    EXPECT_EQ(table.SectionCount(), 1);
    EXPECT_TRUE(table.SetText(0, "").changed);
    EXPECT_TRUE(table.section(1).enabled);
    EXPECT_EQ(table.SectionCount(), 1);

    table.Load(true, std::vector<SectionContent>(7));  // seven sections, all empty
    table.SetText(4, "B");
    EXPECT_EQ(table.SectionCount(), 7);
    table.SetText(31, "C");  // the last row: there is no further row to open
    EXPECT_EQ(table.SectionCount(), 32);

    const EditResult again = table.SetText(31, "C");
    EXPECT_FALSE(again.changed);  // an unchanged text runs no text rules
    EXPECT_TRUE(again.messages.empty());

    // A full section given one character more is cut back to what it held: nothing changed.
    table.SetText(2, std::string(kEnglishMaxLength, 'F'));
    const EditResult full = table.SetText(2, std::string(kEnglishMaxLength + 1, 'F'));
    EXPECT_FALSE(full.changed);
    ASSERT_TRUE(full.cut);
    EXPECT_EQ(full.cut->kept, kEnglishMaxLength);
    EXPECT_EQ(full.cut->given, kEnglishMaxLength + 1);
}

TEST(MessageTable, ChoicesReportAChangeOnlyWhenTheyChangeSomethingAndBadOnesChangeNothing) {
    MessageTable table;
    for (int index : {0, 1, 31}) {
        EXPECT_TRUE(table.SelectOpenOption(index, OpenEffect::DownToUp).changed) << index;
        EXPECT_FALSE(table.SelectOpenOption(index, OpenEffect::DownToUp).changed) << index;
        EXPECT_TRUE(table.SelectCloseOption(index, CloseEffect::FromLeftToRight).changed) << index;
    }

    table.ClickSection(4);
    table.ClickSection(32);
    table.ClickSection(-1);
    EXPECT_EQ(table.CurrentSection(), 4);
    const MessageTable before = table;
    EXPECT_THROW(table.SelectOpenOption(0, static_cast<OpenEffect>(kOpenOptionCount)),
                 std::out_of_range);
    EXPECT_THROW(table.Load(true, std::vector<SectionContent>(kSectionRows + 1)),
                 std::out_of_range);
    const SectionContent badEffect{"X", static_cast<OpenEffect>(-1), CloseEffect::FromRightToLeft};
    EXPECT_THROW(table.Load(false, std::span(&badEffect, 1)), std::out_of_range);
    EXPECT_TRUE(table.SameContent(before));
}

// Sections move whole, with their effects and their own length limits, and the rows in
// use stay the enabled ones.
TEST(MessageTable, SectionCommandsMoveWholeSectionsAndKeepTheRowsInUseEnabled) {
    struct Case {
        const char* what;
        int count;  // sections "0", "1", ... in use before
        SectionCommand command;
        int index;
        bool applies;
        std::string after;  // the texts in use, one character each
        int current;
    };
    const Case cases[] = {
        {"insert above the first", 3, SectionCommand::InsertAbove, 0, true, "_012", 0},
        {"insert into a full table", 32, SectionCommand::InsertAbove, 5, false, "", 0},
        {"insert where nothing is in use", 3, SectionCommand::InsertAbove, 3, false, "012", 0},
        {"duplicate the last", 3, SectionCommand::Duplicate, 2, true, "0122", 3},
        {"move the first up", 3, SectionCommand::MoveUp, 0, false, "012", 0},
        {"move the last down", 3, SectionCommand::MoveDown, 2, false, "012", 0},
        {"move the middle down", 3, SectionCommand::MoveDown, 1, true, "021", 2},
        {"delete the middle", 3, SectionCommand::Delete, 1, true, "02", 1},
        {"delete the only one", 1, SectionCommand::Delete, 0, true, "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MessageTable table;
        table.Reset(false);
        for (int index = 0; index < c.count; ++index) {
            // Narrow characters lower the Chinese limit of the section that holds them.
            table.SetText(index, std::string(1, static_cast<char>('0' + index % 10)) +
                                     std::string(index % 4 * 3, 'n'));
            table.SelectOpenOption(index, static_cast<OpenEffect>(index % kOpenOptionCount));
        }
        const MessageTable before = table;
        EXPECT_EQ(table.RunSectionCommand(c.command, c.index).changed, c.applies);
        if (!c.applies) {
            EXPECT_TRUE(table.SameContent(before));
            continue;
        }
        ASSERT_EQ(table.SectionCount(), static_cast<int>(c.after.size()));
        for (int index = 0; index < kSectionRows; ++index) {
            const Section& section = table.section(index);
            EXPECT_EQ(section.enabled, index <= table.SectionCount()) << index;
            if (index >= table.SectionCount() || c.after[index] == '_') {
                EXPECT_EQ(section.text, "") << index;
                EXPECT_EQ(section.maxLength, kChineseMaxLength) << index;
                continue;
            }
            const int was = c.after[index] - '0';
            EXPECT_EQ(section.text, before.section(was).text) << index;
            EXPECT_EQ(section.maxLength, before.section(was).maxLength) << index;
            EXPECT_EQ(section.openOption, before.section(was).openOption) << index;
        }
        EXPECT_EQ(table.CurrentSection(), c.current);
    }
}

// A drawing takes a section like a text does, within what a record and the mode's column hold.
TEST(MessageTable, DrawingsFillSectionsWithinTheRecordAndTheColumnHeight) {
    const auto columns = [](std::size_t count, std::uint16_t dots) {
        return Drawing{std::vector<std::uint16_t>(count, dots), {}};
    };
    struct Case {
        const char* what;
        bool english;
        Drawing drawing;
        bool taken;
    };
    const Case cases[] = {
        {"the widest", false, columns(kMostSectionColumns, 0x8001), true},
        {"one column too wide", false, columns(kMostSectionColumns + 1, 1), false},
        {"the bottom row in Chinese", false, columns(3, 0x8000), true},
        {"the bottom row in English", true, columns(3, 0x0080), true},
        {"a row below the English column", true, columns(3, 0x0100), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MessageTable table;
        table.Reset(c.english);
        table.SetText(2, "AB");
        const MessageTable before = table;
        if (!c.taken) {
            EXPECT_THROW(table.SetDrawing(2, c.drawing), std::out_of_range);
            EXPECT_TRUE(table.SameContent(before));
            continue;
        }
        EXPECT_TRUE(table.SetDrawing(2, c.drawing).changed);
        EXPECT_EQ(table.section(2).text, "");
        EXPECT_EQ(table.section(2).drawing, c.drawing);
        EXPECT_TRUE(table.section(3).enabled);
        EXPECT_EQ(table.SectionCount(), 3);
        EXPECT_FALSE(table.SetText(2, "").changed);  // an empty text leaves the drawing
        EXPECT_TRUE(table.SetText(2, "C").changed);
        EXPECT_FALSE(table.section(2).HoldsDrawing());
    }

    MessageTable table;
    table.SetDrawing(5, columns(1, 1));
    EXPECT_EQ(table.SectionCount(), 6);
    EXPECT_TRUE(table.HoldsContent());
    EXPECT_TRUE(table.RunSectionCommand(SectionCommand::MoveUp, 5).changed);
    EXPECT_TRUE(table.section(4).HoldsDrawing());
    EXPECT_TRUE(table.SetDrawing(4, {}).changed);  // no columns: the section is empty again
    EXPECT_FALSE(table.HoldsContent());
    table.SetDrawing(0, columns(1, 1));
    table.Reset(false);
    EXPECT_FALSE(table.HoldsContent());
}

}  // namespace
}  // namespace lumera
