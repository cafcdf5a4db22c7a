#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "emulated_display.h"
#include "file_contents.h"
#include "program_run.h"
#include "temp_directory.h"

// lumera-cli image and send as the operator runs them, beside the built tables and library.
namespace lumera::download {
namespace {

using lumera::testing::EmulatorDirectory;
using lumera::testing::ReadBytes;
using lumera::testing::SetFaults;
using lumera::testing::SpawnProgram;
using lumera::testing::SplitLines;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::MatchesRegex;
using Bytes = std::vector<std::uint8_t>;

const std::filesystem::path kBin = LUMERA_BIN_DIR;

enum class Output { Full, Closed, UnreadPipe };

// Runs lumera-cli with stderr into errPath and its standard output lost, SIGPIPE at its
// default as a shell leaves it. The exit code, or -1 when it was killed.
int RunLosingOutput(std::vector<std::string> args, Output output, const std::string& errPath) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    int ends[2] = {-1, -1};
    if (output == Output::UnreadPipe && pipe2(ends, O_CLOEXEC) == 0) {
        close(ends[0]);
        posix_spawn_file_actions_adddup2(&actions, ends[1], STDOUT_FILENO);
    } else if (output == Output::Closed) {
        posix_spawn_file_actions_addclose(&actions, STDOUT_FILENO);
    } else {
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/full", O_WRONLY, 0);
    }
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errPath.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
    const pid_t pid = SpawnProgram(kBin / "lumera-cli", std::move(args), actions, &attributes);
    int status = 0;
    const bool ran = pid != 0 && waitpid(pid, &status, 0) == pid;
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    close(ends[1]);
    return ran && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class CliCommands : public ::testing::Test {
protected:
    // Runs lumera-cli (or the program given) and keeps what it wrote.
    int run(std::vector<std::string> args,
            const std::filesystem::path& program = kBin / "lumera-cli") {
        const lumera::testing::ProgramRun ran =
            lumera::testing::RunProgram(program, std::move(args), scratch.path());
        out_ = ran.out;
        err_ = ran.err;
        return ran.exitCode;
    }
    std::vector<std::string> errors() const { return SplitLines(err_); }
    std::vector<std::string> output() const { return SplitLines(out_); }
    std::string file(const std::string& name) const { return (scratch.path() / name).string(); }

    lumera::testing::TempDirectory scratch{"lumera-dl"};
    std::string out_;
    std::string err_;
};

TEST_F(CliCommands, ImageIsTheOneTheWindowWouldSend) {
    ASSERT_EQ(run({"new", file("two.led"), "--english", "1:2:HELLO", "8:6:\\x12A"}), 0);
    ASSERT_EQ(run({"image", file("two.led"), "-o", file("two.bin")}), 0);
    // Section 2 is the symbol 0x12 and A: two 5-column cells.
    const auto image = ReadBytes<Bytes>(file("two.bin"));
    ASSERT_EQ(image.size(), 1u + (2 + 25) + (2 + 10));
    EXPECT_EQ(image[0], 2);
    EXPECT_EQ(image[28], 10);
    EXPECT_EQ(image[29], 0x97);

    // "-o -" writes the same bytes to standard output.
    ASSERT_EQ(run({"image", file("two.led"), "-o", "-"}), 0);
    EXPECT_EQ(Bytes(out_.begin(), out_.end()), image);

    ASSERT_EQ(run({"new", file("blank.led"), "--chinese", "0:0:\\x20\\x20"}), 0);
    EXPECT_EQ(run({"image", file("blank.led"), "-o", file("blank.bin")}), 1);
    EXPECT_THAT(errors(), ElementsAre("No Data Send!"));
    EXPECT_FALSE(std::filesystem::exists(file("blank.bin")));

    // A glyph table that cannot be read makes no image: one report per character, exit 1.
    const std::filesystem::path alone = file("alone");
    std::filesystem::create_directory(alone);
    std::filesystem::copy_file(kBin / "lumera-cli", alone / "lumera-cli");
    EXPECT_EQ(run({"image", file("two.led"), "-o", file("lost.bin")}, alone / "lumera-cli"), 1);
    const std::string report = "Open File " + (alone / "window_zr1.bin").string() + "Error!";
    EXPECT_THAT(errors(), ElementsAre(report, report, report, report, report, report, report));
    EXPECT_FALSE(std::filesystem::exists(file("lost.bin")));
    EXPECT_FALSE(std::filesystem::exists(alone / "USBSendData.bin"));
}

TEST_F(CliCommands, SendReportsLikeTheWindowAndExitsByTheOutcome) {
    ASSERT_EQ(run({"new", file("one.led"), "--english", "0:0:AB"}), 0);
    const EmulatorDirectory display;
    const std::string folder = display.Path().string();
    EXPECT_EQ(run({"send", file("one.led")}), 0);
    // Not a terminal: stderr holds the messages alone (the success text keeps its CR), and
    // each new percentage is a line on stdout.
    EXPECT_THAT(errors(),
                ElementsAre(MatchesRegex("Write time: [0-9]+ms\r"), "USB Write Data Successed!"));
    EXPECT_THAT(output(), ElementsAre("Emulated display: " + folder, "0%", "38%", "100%"));
    ASSERT_EQ(run({"image", file("one.led"), "-o", file("one.bin")}), 0);
    EXPECT_EQ(display.Memory(), ReadBytes<Bytes>(file("one.bin")));

    const EmulatorDirectory refusing;
    SetFaults("status@3=81");
    EXPECT_EQ(run({"send", file("one.led")}), 1);
    EXPECT_THAT(errors(), ElementsAre("System Error or Application Program Destruction!"
                                      "Error ID:129",
                                      "USB Write Data Failure!"));
    EXPECT_THAT(output(), ElementsAre("Emulated display: " + refusing.Path().string(), "0%"));

    // No display at all: the system's messages, then one line of help.
    SetFaults("absent");
    EXPECT_EQ(run({"send", file("one.led")}), 1);
    EXPECT_THAT(errors(),
                ElementsAre("USB Device Connect Failure!!!", "产品没有连接好-It is no Eprom !",
                            MatchesRegex(".*plug it in.*udev rule.*lumera-cli devices.*")));
}

TEST_F(CliCommands, DevicesListsAndProbesTheDisplay) {
    const EmulatorDirectory display;
    const std::string folder = display.Path().string();
    const std::vector<std::string> listed{
        "Emulated display: " + folder, "emulated:" + folder + "#1", "  manufacturer: Lumera",
        "  product:      Emulated LED display in " + folder, "  can be opened by this user"};
    struct Case {
        const char* faults;
        std::vector<std::string> arguments;
        int exitCode;
        std::vector<std::string> tail;  // the lines after the listing
        std::size_t packets;
    };
    const Case cases[] = {
        {"", {"devices"}, 0, {}, 0},
        {"",
         {"devices", "--probe"},
         0,
         {"out:   40 40 01 0A 00 00 00 8B", "reply: 00 00 80 (status 80)"},
         1},
        {"numbered,status@*=2A",
         {"devices", "--probe"},
         0,
         {"out:   40 40 01 0A 00 00 00 8B", "reply: 01 00 2A (status 2A)"},
         1},
        {"read@*",
         {"devices", "--probe"},
         1,
         {"out:   40 40 01 0A 00 00 00 8B", "reply: none (no answer within the library's wait)"},
         1},
        {"write@*",
         {"devices", "--probe"},
         1,
         {"out:   40 40 01 0A 00 00 00 8B (the write failed)"},
         0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.faults) + " " + c.arguments.back());
        std::filesystem::remove_all(folder);
        SetFaults(c.faults);
        EXPECT_EQ(run(c.arguments), c.exitCode);
        auto expected = listed;
        expected.insert(expected.end(), c.tail.begin(), c.tail.end());
        EXPECT_EQ(output(), expected);
        EXPECT_EQ(display.LoggedPackets().size(), c.packets);
    }

    SetFaults("absent");
    EXPECT_EQ(run({"devices", "--probe"}), 1);
    EXPECT_THAT(output(), ElementsAre("Emulated display: " + folder,
                                      "No display (USB 0C45:7160) is plugged in."));
    EXPECT_EQ(run({"devices", "--all"}), 2);
    EXPECT_THAT(errors(), ElementsAre(MatchesRegex(".*unknown option '--all'.*")));
}

TEST_F(CliCommands, SendWithoutTheDeviceLibraryReportsAsTheWindowDoes) {
    // A copy of the program in a folder of its own, where no device library can be found.
    const std::filesystem::path alone = file("alone");
    std::filesystem::create_directory(alone);
    for (const char* name :
         {"lumera-cli", "window_zr1.bin", "window_zr2.bin", "window_zr3.bin", "window_zr4.bin"}) {
        std::filesystem::copy_file(kBin / name, alone / name);
    }
    // An English file holding a glyph code, which the loading reports but keeps.
    std::string odd =
        "Row:01Eng:1\r\n02A\x01"
        "00\r\n";
    for (std::size_t i = 0; i < odd.size(); ++i) {
        odd[i] = static_cast<char>(odd[i] ^ (i + 1));
    }
    lumera::testing::WriteBytes(file("odd.led"), odd);
    EXPECT_EQ(run({"send", file("odd.led")}, alone / "lumera-cli"), 1);
    // The window binds at start, before the file's own report, and sends nothing unbound.
    EXPECT_THAT(errors(), ElementsAre("Can't Load ZRUSB.dll", "Load ZRUSB.dll file error!",
                                      "The character input does not meet the requirement! "
                                      "“heart” (0x01)",
                                      "USB Device Connect Failure!!!"));
    EXPECT_EQ(ReadBytes(alone / "USBSendData.bin").size(), 1u + 2 + 5);
}

TEST_F(CliCommands, OutputThatIsLostFailsTheCommandButNeverTheTransfer) {
    const EmulatorDirectory display;
    ASSERT_EQ(run({"new", file("one.led"), "--english", "0:0:HELLO WORLD"}), 0);
    ASSERT_EQ(run({"image", file("one.led"), "-o", file("one.bin")}), 0);
    const std::vector<std::vector<std::string>> commands = {{"show", file("one.led")},
                                                            {"check", file("one.led")},
                                                            {"decode", file("one.bin")},
                                                            {"devices"},
                                                            {"--help"},
                                                            {"show", "--version"}};
    for (const Output output : {Output::Full, Output::Closed}) {
        for (const auto& args : commands) {
            SCOPED_TRACE(args.front());
            EXPECT_EQ(RunLosingOutput(args, output, file("err")), 1);
            EXPECT_THAT(lumera::testing::ReadLines(file("err")),
                        ElementsAre(MatchesRegex("lumera-cli.*: standard output could not.*")));
        }
    }
    // A reader that went away: the display still gets the whole table.
    EXPECT_EQ(RunLosingOutput({"send", file("one.led")}, Output::UnreadPipe, file("err")), 1);
    EXPECT_EQ(display.Memory(), ReadBytes<Bytes>(file("one.bin")));
    EXPECT_THAT(lumera::testing::ReadLines(file("err")),
                ElementsAre(MatchesRegex("Write time.*"), "USB Write Data Successed!",
                            "lumera-cli send: standard output could not be written"));
}

TEST_F(CliCommands, ASendRefusedAsBusyLeavesTheDumpOfTheSendThatHoldsTheDisplay) {
    const std::filesystem::path alone = file("alone");  // so the dump is this test's alone
    std::filesystem::create_directories(alone / "first");
    for (const char* name : {"lumera-cli", "libZRUSB.so", "window_zr1.bin", "window_zr2.bin",
                             "window_zr3.bin", "window_zr4.bin"}) {
        std::filesystem::copy_file(kBin / name, alone / name);
    }
    ASSERT_EQ(run({"new", file("first.led"), "--english", "0:0:HELLO"}), 0);
    ASSERT_EQ(run({"new", file("second.led"), "--english", "0:0:B"}), 0);
    ASSERT_EQ(run({"image", file("first.led"), "-o", file("first.bin")}), 0);
    const EmulatorDirectory display;
    SetFaults("slow@*=500");  // the first Send holds the display for 8 slow exchanges
    auto first = std::async(std::launch::async, [&] {
        return lumera::testing::RunProgram(alone / "lumera-cli", {"send", file("first.led")},
                                           alone / "first");
    });
    for (int wait = 0; wait < 500 && display.LoggedPackets().empty(); ++wait) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_EQ(run({"send", file("second.led")}, alone / "lumera-cli"), 1);
    EXPECT_THAT(errors(), ElementsAre("The display is busy: another Send is writing to it. Try "
                                      "again when it has finished."));
    EXPECT_EQ(ReadBytes<Bytes>(alone / "USBSendData.bin"), ReadBytes<Bytes>(file("first.bin")));
    EXPECT_EQ(first.get().exitCode, 0);
    EXPECT_EQ(display.Memory(), ReadBytes<Bytes>(file("first.bin")));
    // The refused Send sent nothing: the log holds the first's packets alone, as many as the
    // same Send makes once the display is free again; and the next Send gets through.
    const std::size_t whileBusy = display.LoggedPackets().size();
    SetFaults("");
    EXPECT_EQ(run({"send", file("first.led")}, alone / "lumera-cli"), 0);
    EXPECT_EQ(display.LoggedPackets().size(), 2 * whileBusy);
    EXPECT_EQ(run({"send", file("second.led")}, alone / "lumera-cli"), 0);
    ASSERT_EQ(run({"image", file("second.led"), "-o", file("second.bin")}), 0);
    EXPECT_EQ(display.Memory(), ReadBytes<Bytes>(file("second.bin")));
}

TEST_F(CliCommands, DevicesShowsADisplaysWordsWithoutTheirControlCharacters) {
    const EmulatorDirectory display;
    // The emulated display names its folder in its product string.
    const std::string folder = file("evil\x1B[31m\xC2\x9B\xFF\x7F\\\xC3\xA9");
    const std::string shown = file("evil\\x1B[31m\\xC2\\x9B\\xFF\\x7F\\\\\xC3\xA9");
    std::filesystem::create_directory(folder);
    setenv(zrusb::kEmulatorVariable, folder.c_str(), 1);
    EXPECT_EQ(run({"devices"}), 0);
    EXPECT_THAT(output(), ElementsAre("Emulated display: " + shown, "emulated:" + shown + "#1",
                                      "  manufacturer: Lumera",
                                      "  product:      Emulated LED display in " + shown,
                                      "  can be opened by this user"));
}

}  // namespace
}  // namespace lumera::download
