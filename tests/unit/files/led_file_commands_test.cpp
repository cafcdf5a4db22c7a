#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "editing/language_texts.h"
#include "file_size_limit.h"
#include "files/led_file_commands.h"
#include "files/led_parser.h"
#include "files/led_table.h"
#include "files/led_writer.h"
#include "files/table_file.h"
#include "idle_fifo.h"
#include "led_test_files.h"
#include "scripted_prompter.h"

namespace lumera {
namespace {

using namespace testing::file_test_names;
using testing::ScriptedPrompter;

// Everything of the table a load may change, to prove a rejected file changed nothing.
std::string Snapshot(const MessageTable& table) {
    std::string state = std::to_string(table.EnglishMode()) + std::to_string(table.SectionCount()) +
                        std::to_string(table.CurrentSection());
    for (int index = 0; index < kSectionRows; ++index) {
        const Section& s = table.section(index);
        state += "|" + s.text + std::to_string(EffectNumber(s.openOption)) +
                 std::to_string(EffectNumber(s.closeOption)) + std::to_string(s.enabled) +
                 std::to_string(s.maxLength);
    }
    return state;
}

MessageTable TableOf(const LedFileContent& content) {
    MessageTable table;
    ApplyLedContent(content, table);
    return table;
}

class LedFileCommands : public testing::TempDirTest {
protected:
    ScriptedPrompter prompter_;
};

TEST_F(LedFileCommands, SaveThenOpenRestoresTheTableByteForByte) {
    const LedFileContent content{false,
                                 {{"\x01\x02 ab", ClockwiseRotation, AllExtinguishes},
                                  {"", UpToDown, FromUpToDown},
                                  {"\xD6\xD0", TwoNearbyToMiddle, FromRightToLeft}}};
    MessageTable saved = TableOf(content);
    prompter_.saveNames = {PathOf("table"), PathOf("again.led")};
    ASSERT_EQ(SaveTableAs(saved, prompter_), SaveOutcome::Saved);
    const std::string bytes = ReadBytes(PathOf("table.led"));
    EXPECT_EQ(bytes, Scrambled(FormatLedText(content)));

    MessageTable opened;  // English, so the load also switches the mode
    opened.SetText(5, "OLD");
    opened.SetCurrentSection(20);
    bool previewStopped = false;
    const OpenOutcome outcome = OpenLedFile(PathOf("table.led"), opened, prompter_, [&] {
        previewStopped = true;
        EXPECT_EQ(opened.section(5).text, "OLD");  // stopped before the table is replaced
    });
    EXPECT_TRUE(previewStopped);
    EXPECT_TRUE(outcome.tableReplaced);
    EXPECT_EQ(outcome.openFileName, std::filesystem::path(PathOf("table.led")));
    EXPECT_EQ(opened.SectionCount(), 3);
    EXPECT_EQ(opened.CurrentSection(), 0);  // a key then lands in a row the file enabled
    EXPECT_EQ(ContentOfTable(opened), content);
    for (int index = 0; index < kSectionRows; ++index) {
        EXPECT_EQ(opened.section(index).enabled, index <= 3) << index;
    }
    ASSERT_EQ(SaveTableAs(opened, prompter_), SaveOutcome::Saved);
    EXPECT_EQ(ReadBytes(PathOf("again.led")), bytes);
    EXPECT_TRUE(prompter_.messages().empty());
}

TEST_F(LedFileCommands, LoadRunsTheChangeHandlingAndOpensEveryLoadedRow) {
    std::vector<LedSection> full(32, LedSection{"X", RightToLeft, FromLeftToRight});
    full[0] = {"ABCDEFGHIJKLMNOPQRST"};  // 20 bytes: cut to 18
    full[1] = {"a\xB0\xA1"};             // a double-byte character in English
    WriteBytes(PathOf("full.led"), Scrambled(FormatLedText({true, full})));
    MessageTable table;
    EXPECT_TRUE(OpenLedFile(PathOf("full.led"), table, prompter_, nullptr).tableReplaced);
    EXPECT_EQ(prompter_.messages(),
              std::vector<std::string>{std::string(kBadCharacterMessage) + " “啊” (0xB0A1)"});
    EXPECT_EQ(table.section(0).text, "ABCDEFGHIJKLMNOPQR");
    EXPECT_EQ(table.SectionCount(), 32);
    EXPECT_TRUE(table.section(31).enabled);
}

TEST_F(LedFileCommands, ChineseLoadSharesOneLimitAcrossSectionsInTheirOrder) {
    const std::string a16(16, 'A');
    const std::string b19(19, 'B');
    const std::string bad = "\x80" + std::string(20, 'C');
    const struct {
        const char* name;
        std::vector<std::string> texts;
        std::vector<std::size_t> lengthsAfter;
        std::size_t messages;
    } cases[] = {
        {"limit left by the section before", {a16, b19}, {16, 18}, 0},
        {"nothing before", {b19}, {17}, 0},
        {"the other order", {b19, a16}, {17, 16}, 0},
        {"an empty section runs nothing", {a16, "", b19}, {16, 0, 18}, 0},
        {"bad byte kept by the cut", {bad}, {17}, 2},
        {"bad byte cut off",
         {std::string(18, 'C') + "\x80"
                                 "CC"},
         {17},
         1},
    };
    for (const auto& c : cases) {
        LedFileContent content{false, {}};
        for (const std::string& text : c.texts) {
            content.sections.push_back({text});
        }
        MessageTable table;
        const Messages messages = ApplyLedContent(content, table);
        EXPECT_EQ(messages, Messages(c.messages, std::string(kBadCharacterMessage) + " “€” (0x80)"))
            << c.name;
        for (std::size_t n = 0; n < c.texts.size(); ++n) {
            EXPECT_EQ(table.section(static_cast<int>(n)).text,
                      c.texts[n].substr(0, c.lengthsAfter[n]))
                << c.name << ", section " << n + 1;
        }
    }
}

TEST_F(LedFileCommands, RejectedFileLeavesTheTableAsItWas) {
    const struct {
        const char* name;
        std::string plain;
        std::string reason;
    } cases[] = {
        {"empty.led", "", "the file holds no line"},
        {"count.led", "Row:40Eng:0\r\n", "line 1: section count 40 is above 32"},
        {"short.led", "Row:02Eng:0\r\n05HELLO01\r\n", "line 3: missing"},
        {"option.led", "Row:02Eng:0\r\n01A00\r\n01B90\r\n", "line 3: open option 9"},
    };
    for (const auto& c : cases) {
        MessageTable table = TableOf(
            {true,
             {{"KEEP", DownToUp, FromMiddleToTwoNearby}, {"ME", LeftToRight, AllExtinguishes}}});
        table.SetCurrentSection(1);
        const std::string before = Snapshot(table);
        const std::string path = PathOf(c.name);
        WriteBytes(path, Scrambled(c.plain));
        ScriptedPrompter prompter;
        const OpenOutcome outcome = OpenLedFile(path, table, prompter, nullptr);
        EXPECT_FALSE(outcome.tableReplaced) << c.name;
        EXPECT_EQ(outcome.openFileName, std::filesystem::path(path)) << c.name;
        EXPECT_EQ(Snapshot(table), before) << c.name;
        EXPECT_EQ(prompter.messages(),
                  std::vector<std::string>{path + " error!\n" + ParseLedText(c.plain).error})
            << c.name;
        EXPECT_EQ(ParseLedText(c.plain).error.rfind(c.reason, 0), 0u) << c.name;
    }
}

// Only a regular file of a sane size is read: a FIFO would hang the window, a device or a
// huge file would eat its memory, and the unsaved table would go with it.
TEST_F(LedFileCommands, FilesThatAreNotSmallRegularFilesAreRefusedUnread) {
    testing::MakeIdleFifo(dir_ / "fifo.led");
    std::filesystem::create_directory(dir_ / "folder.led");
    const std::string header = Scrambled("Row:01Eng:1\r\n01A00\r\n");
    WriteBytes(PathOf("huge.led"), header + std::string(2 * 1024 * 1024, '\0'));
    const struct {
        std::string path;
        const char* reason;
    } cases[] = {
        {PathOf("fifo.led"), "not a regular file"},
        {PathOf("folder.led"), "not a regular file"},
        {"/dev/zero", "not a regular file"},
        {PathOf("huge.led"), "larger than 1 MiB"},
    };
    for (const auto& c : cases) {
        MessageTable table = TableOf({true, {{"KEEP", DownToUp, FromMiddleToTwoNearby}}});
        table.SetCurrentSection(1);
        const std::string before = Snapshot(table);
        ScriptedPrompter prompter;
        bool previewStopped = false;
        const OpenOutcome outcome = testing::WithoutWaitingOn(PathOf("fifo.led"), [&] {
            return OpenLedFile(c.path, table, prompter, [&] { previewStopped = true; });
        });
        EXPECT_FALSE(outcome.tableReplaced) << c.path;
        EXPECT_TRUE(previewStopped) << c.path;
        EXPECT_EQ(Snapshot(table), before) << c.path;
        EXPECT_EQ(prompter.messages(), std::vector<std::string>{c.path + " error!\n" + c.reason});
    }
}

TEST_F(LedFileCommands, OpenStopsSilentlyWithoutAFile) {
    for (const std::string& choice : {std::string(), PathOf("no.led")}) {
        MessageTable table = TableOf({true, {{"KEEP"}}});
        const std::string before = Snapshot(table);
        bool previewStopped = false;
        const OpenOutcome outcome =
            OpenLedFile(choice, table, prompter_, [&] { previewStopped = true; });
        EXPECT_FALSE(outcome.openFileName || outcome.tableReplaced || previewStopped);
        EXPECT_EQ(Snapshot(table), before);
    }
    EXPECT_TRUE(prompter_.messages().empty());
}

TEST_F(LedFileCommands, SaveAsksAboutTheFileItWritesAndNamesItOnlyWhenWritten) {
    const struct {
        std::optional<std::string> chosen;  // nullopt: the dialog is cancelled
        std::optional<bool> answer;         // to the replace question, when it is asked
        const char* written;                // the file that then holds the table, or ""
    } steps[] = {
        {std::nullopt, std::nullopt, ""},
        {"old.led", false, ""},
        {"old.led", true, "old.led"},
        {"plain", false, ""},  // typed without extension, "plain.led" exists
        {"plain", true, "plain.led"},
        {"report.txt", std::nullopt, "report.led"},  // "report.txt" exists but is not written
        {"a.b.c", std::nullopt, "a.b.led"},
        {"t.lumera", std::nullopt, "t.lumera"},  // a table file only under its own extension
        {"t.lumera.txt", std::nullopt, "t.lumera.led"},
    };
    const LedFileContent content{true, {{"NEW"}}};
    for (const char* existing : {"old.led", "plain.led", "report.txt"}) {
        WriteBytes(PathOf(existing), "old");
    }
    ::chmod(PathOf("old.led").c_str(), 0640);
    for (const auto& step : steps) {
        MessageTable table = TableOf(content);
        ScriptedPrompter prompter;
        prompter.saveNames = {step.chosen ? std::optional(PathOf(*step.chosen)) : std::nullopt};
        if (step.answer) {
            prompter.answers = {*step.answer};
        }
        std::filesystem::path savedAs;
        const SaveOutcome outcome = SaveTableAs(table, prompter, {}, &savedAs);
        const bool wrote = outcome == SaveOutcome::Saved;
        const std::string name = step.chosen.value_or("cancel");
        EXPECT_EQ(outcome, *step.written != '\0' ? SaveOutcome::Saved : SaveOutcome::Cancelled)
            << name;
        EXPECT_EQ(savedAs,
                  wrote ? std::filesystem::path(PathOf(step.written)) : std::filesystem::path())
            << name;
        EXPECT_TRUE(prompter.answers.empty()) << name << ": question not asked";
        if (step.answer) {
            EXPECT_EQ(prompter.shown.back(), "ask: " + LedFileName(PathOf(*step.chosen)).string() +
                                                 " Has existed!You want replace it?");
        }
        if (!wrote && step.chosen) {
            EXPECT_EQ(ReadBytes(LedFileName(PathOf(*step.chosen))), "old") << name;
        }
        if (wrote) {
            EXPECT_EQ(ReadBytes(PathOf(step.written)),
                      IsTableFileName(step.written) ? FormatTableFile(content)
                                                    : Scrambled("Row:01Eng:1\r\n03NEW00\r\n"))
                << name;
        }
        EXPECT_EQ(prompter.filters.front(), kTableFileFilter);
    }
    EXPECT_EQ(ReadBytes(PathOf("report.txt")), "old");
    struct stat info {};
    ASSERT_EQ(::stat(PathOf("old.led").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST_F(LedFileCommands, SaveThroughALinkWritesTheFileBehindIt) {
    std::filesystem::create_directory(dir_ / "real");
    const struct {
        const char* link;
        std::filesystem::path pointsTo;
        const char* file;  // what the link leads to, under dir_
        bool exists;
    } cases[] = {
        {"absolute.led", dir_ / "real" / "a.led", "real/a.led", true},
        {"relative.led", "real/b.led", "real/b.led", true},
        {"dangling.led", "real/c.led", "real/c.led", false},
        {"chain.led", "absolute.led", "real/a.led", true},
    };
    for (const auto& c : cases) {
        if (c.exists) {
            WriteBytes(PathOf(c.file), "old");
        }
        std::filesystem::create_symlink(c.pointsTo, dir_ / c.link);
        MessageTable table = TableOf({true, {{"NEW"}}});
        ScriptedPrompter prompter;
        prompter.saveNames = {PathOf(c.link)};
        if (c.exists) {
            prompter.answers = {true};
        }
        EXPECT_EQ(SaveTableAs(table, prompter), SaveOutcome::Saved) << c.link;
        EXPECT_TRUE(std::filesystem::is_symlink(dir_ / c.link)) << c.link;
        EXPECT_EQ(ReadBytes(PathOf(c.file)), Scrambled("Row:01Eng:1\r\n03NEW00\r\n")) << c.link;
    }
}

TEST_F(LedFileCommands, FailedSaveReportsOnceAndKeepsTheOldFile) {
    MessageTable table = TableOf({true, {{"NEW"}, {"A\nB"}}});
    // A text the file cannot carry is refused before a name is asked for.
    EXPECT_EQ(SaveTableAs(table, prompter_), SaveOutcome::Failed);
    ASSERT_EQ(prompter_.shown.size(), 1u);
    EXPECT_EQ(prompter_.shown[0].rfind("message: The table cannot be saved:\nsection 2 ", 0), 0u);

    table.SetText(1, "B");
    prompter_.saveNames = {PathOf("missing/x.led"), PathOf("old.led")};
    EXPECT_EQ(SaveTableAs(table, prompter_), SaveOutcome::Failed);
    EXPECT_EQ(prompter_.messages().back(),
              PathOf("missing/x.led") + " could not be saved:\nNo such file or directory");

    // A write that fails half-way (file size limit) must not touch the file it replaces.
    const std::string old(4096, 'o');
    WriteBytes(PathOf("old.led"), old);
    prompter_.answers = {true};
    std::filesystem::path savedAs;
    {
        const testing::FileSizeLimit limit(8);  // below the new file's size
        EXPECT_EQ(SaveTableAs(table, prompter_, {}, &savedAs), SaveOutcome::Failed);
    }
    EXPECT_TRUE(savedAs.empty());
    EXPECT_EQ(ReadBytes(PathOf("old.led")), old);
    EXPECT_EQ(prompter_.messages().size(), 3u);
    EXPECT_EQ(prompter_.messages().back().rfind(PathOf("old.led") + " could not be saved:\n", 0),
              0u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 1);  // no temporary
}

}  // namespace
}  // namespace lumera
