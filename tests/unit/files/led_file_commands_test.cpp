#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "editing/language_texts.h"
#include "files/led_file_commands.h"
#include "files/led_loader.h"
#include "files/led_table.h"
#include "files/led_writer.h"
#include "led_test_files.h"
#include "scripted_prompter.h"

namespace lumera {
namespace {

using testing::ReadBytes;
using testing::Scrambled;
using testing::ScriptedPrompter;
using testing::WriteBytes;

const std::string kBad(kBadCharacterMessage);

// Everything of the table a load may change, to prove a rejected file changed nothing.
struct TableState {
    bool englishMode;
    int sectionCount;
    bool modified;
    std::vector<Section> sections;

    explicit TableState(const MessageTable& table)
        : englishMode(table.EnglishMode()),
          sectionCount(table.SectionCount()),
          modified(table.Modified()) {
        for (int index = 0; index < kSectionRows; ++index) {
            sections.push_back(table.section(index));
        }
    }
    bool operator==(const TableState& other) const {
        if (englishMode != other.englishMode || sectionCount != other.sectionCount ||
            modified != other.modified) {
            return false;
        }
        for (int index = 0; index < kSectionRows; ++index) {
            const Section& a = sections[index];
            const Section& b = other.sections[index];
            if (a.text != b.text || a.openOption != b.openOption ||
                a.closeOption != b.closeOption || a.enabled != b.enabled ||
                a.maxLength != b.maxLength) {
                return false;
            }
        }
        return true;
    }
};

MessageTable TableOf(const LedFileContent& content) {
    MessageTable table;
    ApplyLedContent(content, table);
    return table;
}

class LedFileCommands : public testing::TempDirTest {
protected:
    std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }

    std::vector<std::string> DirectoryNames() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir_)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    ScriptedPrompter prompter_;
};

TEST_F(LedFileCommands, SaveThenOpenRestoresTheTableByteForByte) {
    const LedFileContent content{false, {{"\x01\x02 ab", 8, 6}, {"", 2, 3}, {"\xD6\xD0", 5, 0}}};
    MessageTable saved = TableOf(content);
    ASSERT_TRUE(saved.Modified());
    prompter_.saveNames.push_back(PathOf("table"));
    ASSERT_TRUE(BtnSaveClick(saved, prompter_));
    EXPECT_FALSE(saved.Modified());
    EXPECT_EQ(prompter_.filters, std::vector<std::string>{"*.led(LED Files)|*.led"});
    const std::string bytes = ReadBytes(PathOf("table.led"));
    EXPECT_EQ(bytes, Scrambled(FormatLedText(content)));

    MessageTable opened;  // English, so the load also switches the mode
    opened.SetText(5, "OLD");
    bool previewStopped = false;
    prompter_.openNames.push_back(PathOf("table.led"));
    const OpenOutcome outcome = BtnOpenClick(opened, prompter_, [&] {
        previewStopped = true;
        EXPECT_EQ(opened.section(5).text, "OLD");  // stopped before the table is replaced
    });
    EXPECT_TRUE(previewStopped);
    EXPECT_TRUE(outcome.tableReplaced);
    EXPECT_EQ(outcome.openFileName, std::filesystem::path(PathOf("table.led")));
    EXPECT_FALSE(opened.Modified());
    EXPECT_FALSE(opened.EnglishMode());
    EXPECT_EQ(opened.SectionCount(), 3);
    EXPECT_EQ(ContentOfTable(opened), content);
    for (int index = 0; index < kSectionRows; ++index) {
        EXPECT_EQ(opened.section(index).enabled, index <= 3) << index;
    }
    EXPECT_TRUE(prompter_.messages().empty());

    prompter_.saveNames.push_back(PathOf("again.led"));
    ASSERT_TRUE(BtnSaveClick(opened, prompter_));
    EXPECT_EQ(ReadBytes(PathOf("again.led")), bytes);
    EXPECT_EQ(DirectoryNames(), (std::vector<std::string>{"again.led", "table.led"}));
}

TEST_F(LedFileCommands, LoadRunsTheChangeHandlingAndOpensEveryLoadedRow) {
    std::vector<LedSection> full(32, LedSection{"X", 1, 1});
    full[0] = {"ABCDEFGHIJKLMNOPQRST", 0, 0};  // 20 bytes: cut to 18
    full[1] = {"a\xB0\xA1", 0, 0};             // a double-byte character in English
    WriteBytes(PathOf("full.led"), Scrambled(FormatLedText({true, full})));
    MessageTable table;
    const LoadResult load = LoadLedFile(PathOf("full.led"), table);
    ASSERT_TRUE(load.loaded);
    EXPECT_EQ(load.messages, std::vector<std::string>{kBad});
    EXPECT_EQ(table.section(0).text, "ABCDEFGHIJKLMNOPQR");
    EXPECT_EQ(table.section(1).text, "a\xB0\xA1");
    EXPECT_EQ(table.SectionCount(), 32);
    EXPECT_TRUE(table.section(31).enabled);

    prompter_.openNames.push_back(PathOf("full.led"));
    BtnOpenClick(table, prompter_, nullptr);
    EXPECT_EQ(prompter_.messages(), std::vector<std::string>{kBad});
    EXPECT_FALSE(table.Modified());
}

TEST_F(LedFileCommands, RejectedFileLeavesTheTableAndModifiedAsTheyWere) {
    const struct {
        const char* name;
        std::string plain;
        std::string reason;
    } cases[] = {
        {"empty.led", "", "the file holds no line"},
        {"nomarker.led", "Row:01\r\n05HELLO01\r\n", "line 1: the header has no \"Eng:\""},
        {"count.led", "Row:40Eng:0\r\n", "line 1: section count 40 is above 32"},
        {"short.led", "Row:02Eng:0\r\n05HELLO01\r\n", "line 3: missing"},
        {"option.led", "Row:02Eng:0\r\n01A00\r\n01B90\r\n", "line 3: open option 9"},
        {"length.led", "Row:01Eng:0\r\n12HELLO01\r\n", "line 2: the line is shorter"},
    };
    for (bool modified : {true, false}) {
        for (const auto& c : cases) {
            MessageTable table = TableOf({true, {{"KEEP", 3, 4}, {"ME", 0, 6}}});
            table.SetModified(modified);
            const TableState before(table);
            const std::string path = PathOf(c.name);
            WriteBytes(path, Scrambled(c.plain));

            ScriptedPrompter prompter;
            prompter.openNames.push_back(path);
            const OpenOutcome outcome = BtnOpenClick(table, prompter, nullptr);
            EXPECT_FALSE(outcome.tableReplaced) << c.name;
            EXPECT_EQ(outcome.openFileName, std::filesystem::path(path)) << c.name;
            EXPECT_TRUE(TableState(table) == before) << c.name;
            ASSERT_EQ(prompter.messages().size(), 1u) << c.name;
            const std::string message = prompter.messages().front();
            const std::string firstLine = path + " error!\n";
            EXPECT_EQ(message.substr(0, firstLine.size()), firstLine) << message;
            EXPECT_EQ(message.substr(firstLine.size(), c.reason.size()), c.reason) << message;
        }
    }
}

TEST_F(LedFileCommands, OpenStopsSilentlyWithoutAFile) {
    const std::vector<std::optional<std::string>> choices = {std::nullopt, "",
                                                             PathOf("absent.led")};
    for (const auto& choice : choices) {
        MessageTable table = TableOf({true, {{"KEEP", 0, 0}}});
        const TableState before(table);
        ScriptedPrompter prompter;
        prompter.openNames.push_back(choice);
        bool previewStopped = false;
        const OpenOutcome outcome = BtnOpenClick(table, prompter, [&] { previewStopped = true; });
        EXPECT_FALSE(outcome.openFileName);
        EXPECT_FALSE(outcome.tableReplaced);
        EXPECT_FALSE(previewStopped);
        EXPECT_TRUE(TableState(table) == before);
        EXPECT_TRUE(prompter.messages().empty());
    }
}

TEST_F(LedFileCommands, SaveClearsModifiedOnlyWhenTheFileWasWritten) {
    MessageTable table = TableOf({true, {{"NEW", 0, 0}}});
    WriteBytes(PathOf("old.led"), "old content");

    prompter_.saveNames.push_back(std::nullopt);
    EXPECT_FALSE(BtnSaveClick(table, prompter_));
    EXPECT_TRUE(table.Modified());

    prompter_.saveNames.push_back(PathOf("old.led"));
    prompter_.answers.push_back(false);
    EXPECT_FALSE(BtnSaveClick(table, prompter_));
    EXPECT_TRUE(table.Modified());
    EXPECT_EQ(ReadBytes(PathOf("old.led")), "old content");
    EXPECT_EQ(prompter_.shown.back(),
              "ask: " + PathOf("old.led") + " Has existed!You want replace it?");

    ::chmod(PathOf("old.led").c_str(), 0640);
    prompter_.saveNames.push_back(PathOf("old.led"));
    prompter_.answers.push_back(true);
    EXPECT_TRUE(BtnSaveClick(table, prompter_));
    EXPECT_FALSE(table.Modified());
    EXPECT_EQ(ReadBytes(PathOf("old.led")), Scrambled(FormatLedText({true, {{"NEW", 0, 0}}})));
    struct stat info {};
    ASSERT_EQ(::stat(PathOf("old.led").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_TRUE(prompter_.messages().empty());
}

TEST_F(LedFileCommands, SaveReplacesTheLastExtensionAndAsksAboutTheNameAsChosen) {
    const struct {
        std::string chosen;
        std::string written;
    } names[] = {{"plain", "plain.led"},
                 {"report.txt", "report.led"},
                 {"a.b.c", "a.b.led"},
                 {"kept.led", "kept.led"}};
    for (const auto& n : names) {
        EXPECT_EQ(LedFileName(PathOf(n.chosen)), std::filesystem::path(PathOf(n.written)));
    }

    MessageTable table = TableOf({true, {{"NEW", 0, 0}}});
    const std::string saved = Scrambled(FormatLedText(ContentOfTable(table)));
    // Only the name as chosen is tested for existence: "plain.led" is replaced unasked.
    WriteBytes(PathOf("plain.led"), "old");
    prompter_.saveNames.push_back(PathOf("plain"));
    EXPECT_TRUE(BtnSaveClick(table, prompter_));
    EXPECT_EQ(ReadBytes(PathOf("plain.led")), saved);

    WriteBytes(PathOf("report.txt"), "text");
    prompter_.saveNames.push_back(PathOf("report.txt"));
    prompter_.answers.push_back(true);
    EXPECT_TRUE(BtnSaveClick(table, prompter_));
    EXPECT_EQ(ReadBytes(PathOf("report.led")), saved);
    EXPECT_EQ(ReadBytes(PathOf("report.txt")), "text");
    EXPECT_EQ(prompter_.shown,
              (std::vector<std::string>{
                  "save: *.led(LED Files)|*.led",
                  "save: *.led(LED Files)|*.led",
                  "ask: " + PathOf("report.txt") + " Has existed!You want replace it?",
              }));
}

TEST_F(LedFileCommands, FailedSaveReportsOnceAndKeepsTheOldFile) {
    MessageTable table = TableOf({true, {{"NEW", 0, 0}}});

    prompter_.saveNames.push_back(PathOf("missing/dir/x.led"));
    EXPECT_FALSE(BtnSaveClick(table, prompter_));
    EXPECT_TRUE(table.Modified());
    ASSERT_EQ(prompter_.messages().size(), 1u);
    EXPECT_EQ(prompter_.messages()[0],
              PathOf("missing/dir/x.led") + " could not be saved:\nNo such file or directory");

    // A write that fails half-way (file size limit) must not touch the file it replaces.
    const std::string old(4096, 'o');
    WriteBytes(PathOf("old.led"), old);
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tiny = saved;
    tiny.rlim_cur = 8;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &tiny), 0);
    prompter_.saveNames.push_back(PathOf("old.led"));
    prompter_.answers.push_back(true);
    const bool written = BtnSaveClick(table, prompter_);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_FALSE(written);
    EXPECT_TRUE(table.Modified());
    EXPECT_EQ(ReadBytes(PathOf("old.led")), old);
    ASSERT_EQ(prompter_.messages().size(), 2u);
    EXPECT_EQ(prompter_.messages()[1].rfind(PathOf("old.led") + " could not be saved:\n", 0), 0u);
    EXPECT_EQ(DirectoryNames(), std::vector<std::string>{"old.led"});
}

TEST_F(LedFileCommands, SaveRefusesATextTheFileCannotCarryBeforeAskingForAName) {
    MessageTable table = TableOf({true, {{"OK", 0, 0}, {"A\nB", 0, 0}}});
    ASSERT_EQ(table.section(1).text, "A\nB");
    EXPECT_FALSE(BtnSaveClick(table, prompter_));
    EXPECT_TRUE(table.Modified());
    ASSERT_EQ(prompter_.shown.size(), 1u);
    EXPECT_EQ(prompter_.shown[0].rfind("message: The table cannot be saved:\nsection 2 ", 0), 0u);
}

}  // namespace
}  // namespace lumera
