#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "files/led_writer.h"
#include "files/table_file.h"
#include "led_test_files.h"
#include "program_run.h"

namespace lumera {
namespace {

using namespace testing::file_test_names;

using CliRun = testing::ProgramRun;

class CliCommands : public testing::TempDirTest {
protected:
    CliRun Run(std::vector<std::string> args) const {
        return testing::RunProgram(LUMERA_BIN_DIR "/lumera-cli", std::move(args), dir_);
    }
};

TEST_F(CliCommands, NewWritesWhatSaveWritesAndShowRawPrintsItExactly) {
    const std::string out = PathOf("made.led");
    const CliRun made = Run({"new", out, "--chinese", "0:1:\\x01\\x11 A\\\\b\xE4\xB8\xAD",
                             "8:6:", "down-to-up:from-down-to-up:x:y"});
    ASSERT_EQ(made.exitCode, 0) << made.err;
    EXPECT_EQ(made.err, "");
    const LedFileContent expected{false,
                                  {{"\x01\x11 A\\b\xD6\xD0", LeftToRight, FromLeftToRight},
                                   {"", ClockwiseRotation, AllExtinguishes},
                                   {"x:y", DownToUp, FromDownToUp}}};
    EXPECT_EQ(ReadBytes(out), Scrambled(FormatLedText(expected)));

    const CliRun shown = Run({"show", "--raw", out});
    EXPECT_EQ(shown.exitCode, 0);
    EXPECT_EQ(shown.out,
              "mode: chinese\n"
              "sections: 3\n"
              "1: open=0 close=1 text=\\x01\\x11\\x20A\\x5Cb\\xD6\\xD0\n"
              "2: open=8 close=6 text=\n"
              "3: open=3 close=2 text=x:y\n"
              "image: 216 of 2047 bytes\n");

    const CliRun readable = Run({"show", out});
    EXPECT_EQ(readable.exitCode, 0);
    EXPECT_NE(readable.out.find("\"<glyph 01><glyph 11> A\\b\xE4\xB8\xAD\""), std::string::npos)
        << readable.out;
    EXPECT_NE(readable.out.find("open: clockwise-rotation, close: all-extinguishes"),
              std::string::npos)
        << readable.out;
    // An effect is a number or a name of its own list.
    const CliRun wrong = Run({"new", PathOf("wrong.led"), "--english", "all-extinguishes:0:HI"});
    EXPECT_NE(wrong.exitCode, 0);
    EXPECT_NE(wrong.err.find("OPEN must be an opening effect (0..8 or its name)"),
              std::string::npos)
        << wrong.err;
}

TEST_F(CliCommands, NewWritesATableFileUnlessOutEndsInLedAndReadersTakeBoth) {
    const LedFileContent content{
        false, {{"\x01 A\xD6\xD0", LeftToRight, FromLeftToRight}, {"", DownToUp, AllExtinguishes}}};
    const struct {
        const char* out;
        std::string bytes;
    } cases[] = {
        {"twin.led", Scrambled(FormatLedText(content))},
        {"twin.lumera", FormatTableFile(content)},
        {"twin.led.lumera", FormatTableFile(content)},
    };
    for (const auto& c : cases) {
        const CliRun made =
            Run({"new", PathOf(c.out), "--chinese", "0:1:\\x01 A\xE4\xB8\xAD", "3:6:"});
        ASSERT_EQ(made.exitCode, 0) << made.err;
        EXPECT_EQ(ReadBytes(PathOf(c.out)), c.bytes) << c.out;
        for (const char* command : {"show", "check"}) {
            const CliRun twin = Run({command, PathOf("twin.led")});
            const CliRun run = Run({command, PathOf(c.out)});
            EXPECT_EQ(run.exitCode, 0) << command << ' ' << c.out;
            EXPECT_EQ(run.out + run.err, twin.out + twin.err) << command << ' ' << c.out;
        }
    }
}

TEST_F(CliCommands, NewStoresNoTextTheSectionRulesRefuseOrCut) {
    struct Case {
        std::vector<std::string> args;
        std::string says;
    };
    WriteBytes(PathOf("nine.txt"), "#\n#\n#\n#\n#\n#\n#\n#\n#\n");  // 9 rows
    const std::vector<Case> cases = {
        {{"--english", "0:0:A", "0:0:dots=" + PathOf("none.txt")},
         "section 2: " + PathOf("none.txt") + " cannot be read"},
        {{"--english", "0:0:dots=" + PathOf("nine.txt")},
         "section 1: " + PathOf("nine.txt") + ": row 9: the mode's column has only 8 dots"},
        {{"--english", "0:0:ABCDEFGHIJKLMNOPQRSTUVWXYZ"},
         "section 1: the text is too long: the section keeps 18 of its 26 bytes"},
        {{"--english", "0:0:ABCDEFGHIJKLMNOPQR", "0:0:a\\x01"},
         "section 2: The character input does not meet the requirement! “heart” (0x01); "
         "Chinese mode has it: give --chinese"},
        {{"--chinese", "0:0:A", "1:1:B", "0:0:\\x12"},
         "section 3: The character input does not meet the requirement! “heart” (0x12); "
         "English mode has it: give --english"},
        {{"--english", "0:0:café"},
         "section 1: The character input does not meet the requirement! “é” (0xA8A6); "
         "Chinese mode has it: give --chinese"},
        {{"--chinese", "0:0:" + std::string(13, 'x') + std::string(6, '\x01')},
         "section 1: the text is too long: the section keeps 19 of its 25 width units (2 for a "
         "Chinese character or wide glyph, 1 for a narrow one)"},
    };
    const std::string out = PathOf("refused.led");
    for (const Case& c : cases) {
        std::vector<std::string> args = {"new", out};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const CliRun made = Run(args);
        EXPECT_EQ(made.exitCode, 1) << c.says;
        EXPECT_EQ(made.err, "lumera-cli new: " + c.says + "; nothing written\n");
        EXPECT_FALSE(std::filesystem::exists(out)) << c.says;
    }

    // A file that holds such a text still loads, with the change handling's message.
    WriteBytes(out, Scrambled("Row:01Eng:1\r\n02a\x01"
                              "00\r\n"));
    const CliRun shown = Run({"show", "--raw", out});
    EXPECT_EQ(shown.out,
              "mode: english\nsections: 1\n1: open=0 close=0 text=a\\x01\nimage: 8 of "
              "2047 bytes\n");
    EXPECT_EQ(shown.err, "The character input does not meet the requirement! “heart” (0x01)\n");
}

TEST_F(CliCommands, NewWritesAllThirtyTwoSectionsWhole) {
    const std::string out = PathOf("full.led");
    std::vector<std::string> args = {"new", out, "--english"};
    std::string expected = "mode: english\nsections: 32\n";
    for (int n = 1; n <= 32; ++n) {
        args.push_back(std::to_string(n % 9) + ":" + std::to_string(n % 7) + ":ROW" +
                       std::to_string(n));
        expected += std::to_string(n) + ": open=" + std::to_string(n % 9) +
                    " close=" + std::to_string(n % 7) + " text=ROW" + std::to_string(n) + "\n";
    }
    const CliRun made = Run(args);
    ASSERT_EQ(made.exitCode, 0) << made.err;
    // 1 header byte; 2 bytes and 5 columns a character for each record.
    EXPECT_EQ(Run({"show", "--raw", out}).out, expected + "image: 820 of 2047 bytes\n");
}

TEST_F(CliCommands, NewReplacesAnExistingFileOnlyWithForce) {
    const std::string out = PathOf("kept.led"), link = PathOf("dangling.led");
    WriteBytes(out, "precious");
    // A link to nothing is taken too: writing through it would create a file elsewhere.
    std::filesystem::create_symlink(PathOf("elsewhere.led"), link);
    for (const std::string& taken : {out, link}) {
        const CliRun refused = Run({"new", taken, "--english", "0:0:A"});
        EXPECT_EQ(refused.exitCode, 1) << taken;
        EXPECT_NE(refused.err.find("--force"), std::string::npos) << taken;
    }
    EXPECT_EQ(ReadBytes(out), "precious");
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_FALSE(std::filesystem::exists(PathOf("elsewhere.led")));

    const CliRun forced = Run({"new", "--force", out, "--english", "0:0:A"});
    EXPECT_EQ(forced.exitCode, 0) << forced.err;
    EXPECT_EQ(ReadBytes(out), Scrambled("Row:01Eng:1\r\n01A00\r\n"));
}

TEST_F(CliCommands, NewWritesNothingForTextsAFileCannotCarry) {
    WriteBytes(PathOf("dots.txt"), "#.\n.#\n");
    const std::string lineEnd = "section 2 holds a line-end or zero byte";
    const std::pair<std::string, std::string> cases[] = {
        {"0:0:A\\x0AB", lineEnd},
        {"0:0:A\\x0DB", lineEnd},
        {"0:0:A\\x00B", lineEnd},
        // Nor a drawing: a message file has no place for one.
        {"0:0:dots=" + PathOf("dots.txt"), "the drawing of section 2 would be lost"},
    };
    const std::string out = PathOf("broken.led");
    for (const auto& [section, says] : cases) {
        const CliRun made = Run({"new", out, "--english", "0:0:FIRST", section});
        EXPECT_EQ(made.exitCode, 1) << section;
        EXPECT_NE(made.err.find(says), std::string::npos) << made.err;
        EXPECT_FALSE(std::filesystem::exists(out)) << section;
    }
}

TEST_F(CliCommands, CheckAcceptsSoundFilesAndNamesTheFaultOfOthers) {
    const std::string good = PathOf("good.led");
    WriteBytes(good, Scrambled("Row:01Eng:1\n02HI00\n"));
    const CliRun ok = Run({"check", good});
    EXPECT_EQ(ok.exitCode, 0);
    EXPECT_EQ(ok.out, "ok\nimage: 13 of 2047 bytes\n");

    const std::string bad = PathOf("bad.led");
    WriteBytes(bad, Scrambled("Row:01Eng:1\r\n02HI07\r\n"));
    for (const char* command : {"check", "show"}) {
        const CliRun rejected = Run({command, bad});
        EXPECT_EQ(rejected.exitCode, 1) << command;
        EXPECT_EQ(rejected.out, "") << command;
        EXPECT_EQ(rejected.err, "lumera-cli " + std::string(command) + ": " + bad +
                                    " error!\nlumera-cli " + command +
                                    ": line 2: close option 7 is above 6\n")
            << command;
    }
}

TEST_F(CliCommands, ATableTheDisplayCannotTakeOrAMessageFileForAnImageIsRefused) {
    // 1 header byte and 2 + 5 a character for each section: 2047 bytes fit the display, 2048 not.
    std::vector<std::string> fits = {"new", PathOf("fits.led"), "--english", "0:0:WWWW"};
    std::vector<std::string> over = {"new", PathOf("over.led"), "--english", "0:0:W", "0:0:W"};
    fits.insert(fits.end(), 22, "0:0:" + std::string(18, 'W'));
    over.insert(over.end(), 21, "0:0:" + std::string(18, 'W'));
    over.insert(over.end(), {"0:0:" + std::string(17, 'W'), "0:0:W", "0:0:W"});
    const CliRun madeFits = Run(fits), madeOver = Run(over);
    ASSERT_EQ(madeFits.exitCode + madeOver.exitCode, 0);
    EXPECT_EQ(madeFits.err, "");
    EXPECT_EQ(madeOver.err,
              "lumera-cli new: warning: the table does not fit: its image is 2048 "
              "bytes, the display stores at most 2047; " +
                  PathOf("over.led") + " is written all the same\n");
    std::filesystem::copy_file(PathOf("fits.led"), PathOf("a.bin"));  // known by content
    const std::string tooLarge =
        "the table does not fit: its image is 2048 bytes, the display stores at most 2047";
    const auto notImage = [this](const std::string& command, const std::string& name) {
        return "lumera-cli " + command + ": " + PathOf(name) +
               " is a message file, not a download image: run 'lumera-cli image " + PathOf(name) +
               " -o IMAGE.bin' first\n";
    };
    const std::vector<std::tuple<std::vector<std::string>, int, std::string>> cases = {
        {{"check", PathOf("fits.led")}, 0, "ok\nimage: 2047 of 2047 bytes\n"},
        {{"check", PathOf("over.led")}, 1, tooLarge + "\n"},
        {{"image", PathOf("over.led"), "-o", PathOf("none")},
         1,
         "lumera-cli image: " + tooLarge + "; nothing written (--force writes it all the same)\n"},
        {{"image", "--force", PathOf("over.led"), "-o", PathOf("forced.bin")}, 0, ""},
        {{"send", PathOf("over.led")}, 1, "lumera-cli send: " + tooLarge + "; nothing sent\n"},
        {{"show", PathOf("forced.bin")},
         1,
         "lumera-cli show: " + PathOf("forced.bin") +
             " is a download image, not a message file: run 'lumera-cli decode " +
             PathOf("forced.bin") + "' to see what it holds\n"},
        {{"decode", PathOf("fits.led")}, 1, notImage("decode", "fits.led")},
        {{"play", PathOf("a.bin"), "-o", PathOf("none")}, 1, notImage("play", "a.bin")},
        {{"animate", PathOf("a.bin"), "-o", PathOf("a.gif")}, 0, ""},
    };
    for (const auto& [args, exitCode, said] : cases) {
        const CliRun run = Run(args);
        EXPECT_EQ(run.exitCode, exitCode) << args.back();
        EXPECT_EQ(run.out + run.err, said);
    }
    EXPECT_EQ(ReadBytes(PathOf("forced.bin")).size(), 2048u);
    EXPECT_FALSE(std::filesystem::exists(PathOf("none")));
}

TEST_F(CliCommands, EveryCommandShowsTheVersionAndTakesDoubleDashAsTheEndOfOptions) {
    for (const char* command : {"--version", "check", "show", "new", "image", "send", "frame",
                                "decode", "play", "animate", "devices"}) {
        std::vector<std::string> args = {command};
        if (args.front() != "--version") {
            args.push_back("--version");
        }
        const CliRun run = Run(args);
        EXPECT_EQ(run.exitCode, 0) << command;
        EXPECT_EQ(run.out, "lumera-cli 1.0\n") << command;
    }
    const std::string dashed = PathOf("-dashed.led");
    const CliRun made = Run({"new", "--english", "--", dashed, "0:0:A"});
    ASSERT_EQ(made.exitCode, 0) << made.err;
    EXPECT_EQ(Run({"check", "--", dashed}).out, "ok\nimage: 8 of 2047 bytes\n");
    EXPECT_EQ(Run({"show", "--raw", "--", dashed}).exitCode, 0);
}

TEST_F(CliCommands, BadArgumentsAreUsageErrors) {
    std::vector<std::string> tooMany = {"new", PathOf("many.led"), "--english"};
    tooMany.insert(tooMany.end(), 33, "0:0:A");
    const std::vector<std::vector<std::string>> cases = {
        {"show"},
        {"check", PathOf("a.led"), PathOf("b.led")},
        {"new", PathOf("n.led"), "0:0:A"},
        {"new", PathOf("n.led"), "--english", "0:7:A"},
        {"new", PathOf("n.led"), "--english", "0:0:\\x4"},
        {"new", PathOf("n.led"), "--chinese", "0:0:\xF0\x9F\x98\x80"},
        {"new", PathOf("n.led"), "--english", "--chinese", "0:0:A"},
        {"new", PathOf("n.led"), "--english", "--threshold", "101", "0:0:A"},
        {"new", PathOf("n.led"), "--english", "--threshold", "5%", "0:0:A"},
        {"new", PathOf("n.led"), "--english", "0:0:font=Nimbus Sans:"},
        {"new", PathOf("n.led"), "--english", "0:0:font=Nimbus Sans,heavy:HI"},
        {"new", PathOf("n.led"), "--english", "0:0:picture="},
        {"new", PathOf("n.led"), "--english", "--unknown", "0:0:A"},
        {"show", "-x", PathOf("a.led")},
        {"image", PathOf("a.led"), "-o"},
        {"frame", PathOf("a.led"), "--tick"},
        tooMany,
        // No OUT: the section would name the file.
        {"new", "--english", "0:0:HI"},
        {"image", PathOf("a.led"), "-o", PathOf("x.bin"), "-o", PathOf("y.bin")},
        {"frame", PathOf("a.led"), "--tick", "5", "--tick", "6", "-o", PathOf("x.png")},
    };
    for (const auto& args : cases) {
        const CliRun run = Run(args);
        EXPECT_EQ(run.exitCode, 2) << args[1];
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
    EXPECT_FALSE(std::filesystem::exists(PathOf("n.led")));
    EXPECT_FALSE(std::filesystem::exists(PathOf("many.led")));
    EXPECT_FALSE(std::filesystem::exists("0:0:HI"));
}

TEST_F(CliCommands, EveryErrorNamesTheToolAndTheCommand) {
    const std::string missing = PathOf("missing.led"), out = PathOf("out");
    const std::vector<std::vector<std::string>> cases = {{"show", missing},
                                                         {"check", missing},
                                                         {"decode", missing},
                                                         {"send", missing},
                                                         {"image", missing, "-o", out},
                                                         {"frame", missing, "-o", out},
                                                         {"animate", missing, "-o", out}};
    for (const auto& args : cases) {
        const CliRun run = Run(args);
        EXPECT_EQ(run.exitCode, 1) << args[0];
        EXPECT_NE(run.err.find("No such file or directory"), std::string::npos) << run.err;
        for (const std::string& line : testing::SplitLines(run.err)) {
            EXPECT_EQ(line.rfind("lumera-cli " + args[0] + ": ", 0), 0u) << line;
        }
    }
}

}  // namespace
}  // namespace lumera
