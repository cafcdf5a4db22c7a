#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

#include "emulated_display.h"
#include "file_contents.h"
#include "kernel_display.h"
#include "program_run.h"
#include "temp_directory.h"

// lumera-cli as an owner runs it, against the display stood up as a kernel device: every
// byte goes through libZRUSB.so, the system's hidapi and libudev and the hidraw node.
namespace lumera::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::MatchesRegex;

const std::filesystem::path kBin = LUMERA_BIN_DIR;
constexpr char kSuccess[] = "USB Write Data Successed!";
constexpr char kWriteTime[] = "Write time: [0-9]+ms\r";

constexpr char kBusy[] =
    "The display is busy: another Send is writing to it. Try again when it has finished.";

// lumera-cli left running, so that a test can stop, resume or kill it mid-transfer. A child
// still running when the object goes is killed, so none outlives its test.
class StartedCli {
public:
    StartedCli(std::vector<std::string> args, const std::filesystem::path& scratch)
        : out_(scratch / "started-stdout"), err_(scratch / "started-stderr") {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        WriteOutputsTo(actions, out_.string(), err_.string());
        pid_ = SpawnProgram(kBin / "lumera-cli", std::move(args), actions);
        posix_spawn_file_actions_destroy(&actions);
    }
    ~StartedCli() {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            Wait();
        }
    }
    StartedCli(const StartedCli&) = delete;
    StartedCli& operator=(const StartedCli&) = delete;

    // Looks without reaping, so that Wait still collects the exit.
    bool Running() const {
        siginfo_t info{};
        return pid_ > 0 &&
               waitid(P_PID, static_cast<id_t>(pid_), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
               info.si_pid == 0;
    }
    void Signal(int signal) const {
        if (pid_ > 0) {
            kill(pid_, signal);
        }
    }
    // Waits for the end; the exit code is -1 when a signal ended it.
    ProgramRun Wait() {
        ProgramRun run;
        int status = 0;
        if (pid_ > 0 && waitpid(pid_, &status, 0) == pid_ && WIFEXITED(status)) {
            run.exitCode = WEXITSTATUS(status);
        }
        pid_ = 0;
        run.out = ReadBytes(out_);
        run.err = ReadBytes(err_);
        std::filesystem::remove(out_);
        std::filesystem::remove(err_);
        return run;
    }

private:
    std::filesystem::path out_;
    std::filesystem::path err_;
    pid_t pid_ = 0;
};

class KernelDevice : public ::testing::Test {
protected:
    ProgramRun Cli(const std::vector<std::string>& args) {
        return RunProgram(kBin / "lumera-cli", args, scratch.path());
    }
    // A message file made by lumera-cli new, and the image lumera-cli image builds of it.
    std::string Table(const std::string& name, std::vector<std::string> args) {
        const std::string file = (scratch.path() / (name + ".led")).string();
        args.insert(args.begin(), {"new", file});
        EXPECT_EQ(Cli(args).exitCode, 0) << name;
        EXPECT_EQ(Cli({"image", file, "-o", file + ".bin"}).exitCode, 0) << name;
        return file;
    }
    std::vector<std::string> Packets() const {
        return SplitLines(ReadBytes(folder() / "packets.log"));
    }
    // True once the display has taken `count` packets, while `sender` still runs.
    bool AwaitPackets(std::size_t count, const StartedCli& sender) const {
        constexpr auto kPollInterval = std::chrono::milliseconds(1);
        while (Packets().size() < count) {
            if (!sender.Running()) {
                return false;
            }
            std::this_thread::sleep_for(kPollInterval);
        }
        return true;
    }
    std::string Stored() const { return ReadBytes(MemoryFileIn(folder())); }
    std::filesystem::path folder() const { return scratch.path() / "display"; }
    KernelDisplay::Options Display(std::string faults = "", bool numbered = false) const {
        return {folder(), numbered, std::move(faults), 0, ""};
    }

    TempDirectory scratch{"lumera-kernel"};
};

TEST_F(KernelDevice, DevicesListsAndProbesBothDescriptorVariants) {
    for (const bool numbered : {false, true}) {
        SCOPED_TRACE(numbered ? "numbered" : "unnumbered");
        std::filesystem::remove_all(folder());
        const KernelDisplay display(Display("", numbered));
        const auto listed = Cli({"devices"});
        EXPECT_EQ(listed.exitCode, 0) << listed.err;
        EXPECT_EQ(listed.out,
                  "/dev/hidraw0\n  manufacturer: Lumera\n  product:      Kernel LED display\n"
                  "  can be opened by this user\n");
        const auto probed = Cli({"devices", "--probe"});
        EXPECT_EQ(probed.exitCode, 0) << probed.err;
        EXPECT_THAT(
            SplitLines(probed.out),
            ElementsAre("/dev/hidraw0", "  manufacturer: Lumera",
                        "  product:      Kernel LED display", "  can be opened by this user",
                        "out:   40 40 01 0A 00 00 00 8B",
                        numbered ? "reply: 01 00 80 (status 80)" : "reply: 00 00 80 (status 80)"));
        // The probe went out under the descriptor's report number.
        EXPECT_THAT(Packets(), ElementsAre(numbered ? "014040010A0000008B" : "004040010A0000008B"));
    }
}

TEST_F(KernelDevice, SendsCarryEveryImageWhole) {
    // 22 full rows and one of 4 characters: 1 + 23 x 2 + 400 x 5 = 2047 bytes, the most the
    // display holds.
    std::vector<std::string> largest{"--english"};
    for (int row = 0; row < 22; ++row) {
        largest.push_back("0:0:ABCDEFGHIJKLMNOPQR");
    }
    largest.push_back("0:0:ABCD");
    struct Case {
        const char* name;
        std::vector<std::string> table;
        bool numbered;
        const char* imageStart;  // hex
        std::size_t imageSize;
        std::vector<std::string> firstPackets;
    };
    const Case cases[] = {
        {"small",
         {"--english", "1:2:AB"},
         false,
         "010A2300324545770076111176",
         13,
         {"004040010A0000008B", "004040010D0000008E", "004023010A230032C3", "0040234545770076DA",
          "0023230311117600E1"}},
        {"small, numbered",
         {"--english", "1:2:AB"},
         true,
         "010A2300324545770076111176",
         13,
         {"014040010A0000008B", "014040010D0000008E", "014023010A230032C3"}},
        // Every image byte travels transformed: 00 as A4, 81 as 23, 17 as 8D, 34 as 70.
        {"chinese",
         {"--chinese", "2:3:中A"},
         false,
         "008117340000003CE0",
         50,
         {"004040010A0000008B", "0040400132000000B3", "004023A4238D70A4CB"}},
        // 23 sections, the first 18 characters of 5 columns each.
        {"largest", largest, false, "175A11", 2047, {"004040013F000000C0", "00404004FF0700008A"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove_all(folder());
        const std::string file = Table(c.name, c.table);
        const KernelDisplay display(Display("", c.numbered));
        const auto sent = Cli({"send", file});
        EXPECT_EQ(sent.exitCode, 0) << sent.err;
        EXPECT_THAT(SplitLines(sent.err), ElementsAre(MatchesRegex(kWriteTime), kSuccess));
        const std::string stored = Stored();
        EXPECT_EQ(stored.size(), c.imageSize);
        EXPECT_EQ(Hex(stored).substr(0, std::strlen(c.imageStart)), c.imageStart);
        EXPECT_EQ(stored, ReadBytes(file + ".bin")) << "the image lumera-cli image builds";
        auto packets = Packets();
        EXPECT_EQ(packets.size(), c.imageSize / 5 + 3);
        packets.resize(std::min(packets.size(), c.firstPackets.size()));
        EXPECT_EQ(packets, c.firstPackets);
    }
}

TEST_F(KernelDevice, EachFaultGivesItsMessageAndTheNextSendWorks) {
    const std::string file = Table("two", {"--english", "1:2:AB"});
    const std::string image = ReadBytes(file + ".bin");
    const std::vector<std::string> writeFailed{"USB Write Data Error", "USB Write Data Failure!"};
    // A reply that never comes, comes too late, or is too short to hold the status is a
    // failed read: the Send ends there, and never as a success.
    const std::vector<std::string> readFailedOnce{"USB Read Data Error", "USB Write Data Failure!"};
    const std::vector<std::string> delivered{kWriteTime, kSuccess};
    struct Case {
        const char* faults;
        std::vector<std::string> shown;  // patterns
        std::string listedAfter;
    };
    const std::string node0 = "/dev/hidraw0\n";
    const Case cases[] = {
        // Pulled at the first data command: the node leaves the bus and the next Send finds
        // nothing; plugged in again, it is found under its new node.
        {"unplug@3", writeFailed, "No display (USB 0C45:7160) is plugged in.\n"},
        {"unplug@3,replug@3", writeFailed, "/dev/hidraw1\n"},
        {"replug@3", readFailedOnce, "/dev/hidraw1\n"},
        {"silent@3", readFailedOnce, node0},
        {"slow@3=2500", readFailedOnce, node0},
        {"short@3", readFailedOnce, node0},
        {"slow@3=300", delivered, node0},
        {"long@3", delivered, node0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.faults);
        std::filesystem::remove_all(folder());
        const KernelDisplay display(Display(c.faults));
        const auto first = Cli({"send", file});
        EXPECT_EQ(first.exitCode, c.shown == delivered ? 0 : 1);
        std::vector<::testing::Matcher<std::string>> shown;
        for (const auto& pattern : c.shown) {
            shown.push_back(MatchesRegex(pattern));
        }
        EXPECT_THAT(SplitLines(first.err), ::testing::ElementsAreArray(shown));
        EXPECT_EQ(Cli({"devices"}).out.substr(0, c.listedAfter.size()), c.listedAfter);
        const auto next = Cli({"send", file});
        if (c.listedAfter == node0 || c.listedAfter.starts_with("/dev/hidraw1")) {
            EXPECT_EQ(next.exitCode, 0) << next.err;
            EXPECT_EQ(Stored(), image);
        } else {
            EXPECT_THAT(SplitLines(next.err), ElementsAre("USB Device Connect Failure!!!",
                                                          "产品没有连接好-It is no Eprom !",
                                                          MatchesRegex(".*plug it in.*")));
        }
    }
}

TEST_F(KernelDevice, ASecondSendFindsTheDisplayBusy) {
    const std::string file = Table("two", {"--english", "1:2:AB"});
    const auto holdAndSend = [&](const std::filesystem::path& held) {
        const int holder = open(held.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        EXPECT_EQ(flock(holder, LOCK_EX), 0) << held;
        const auto busy = Cli({"send", file});
        close(holder);
        EXPECT_EQ(busy.exitCode, 1);
        EXPECT_THAT(SplitLines(busy.err), ElementsAre(kBusy));
        EXPECT_FALSE(std::filesystem::exists(folder() / "packets.log")) << "nothing was sent";
        EXPECT_EQ(Cli({"send", file}).exitCode, 0) << "the claim ended with its holder";
    };
    {
        const KernelDisplay display(Display());
        holdAndSend(display.NodeFile());
    }
    // The emulated display is held by its folder, whatever its node.
    std::filesystem::remove_all(folder());
    std::filesystem::create_directories(folder());
    UseEmulatorAt(folder());
    holdAndSend(folder());
    StopEmulating();
}

TEST_F(KernelDevice, ASendKilledMidTransferLeavesTheNextOneWhole) {
    // Class 1, so its size command has the probe's shape: probe, size, two data, final.
    const std::string killed = Table("killed", {"--english", "1:2:AB"});
    const std::string next = Table("next", {"--english", "1:2:CDE"});
    const std::string image = ReadBytes(next + ".bin");
    // The probe, the size, a data command per 5 bytes and the final.
    const std::size_t nextPackets = image.size() / 5 + 3;
    // Replies come a little late, as a display's do: the killed Send dies waiting for one,
    // which the display sends all the same.
    constexpr char kReplyLatency[] = "slow@*=20";
    struct Case {
        const char* name;
        std::size_t killedAt;  // the packet whose reply it waits for
    };
    const Case cases[] = {
        {"at the probe", 1},
        {"at the size", 2},
        {"at the first data command", 3},
        {"at the final", 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove_all(folder());
        const KernelDisplay display(Display(kReplyLatency));
        StartedCli send({"send", killed}, scratch.path());
        ASSERT_TRUE(AwaitPackets(c.killedAt, send)) << send.Wait().err;
        send.Signal(SIGKILL);
        send.Wait();
        const std::size_t sentBefore = Packets().size();
        const auto after = Cli({"send", next});
        EXPECT_EQ(after.exitCode, 0) << after.err;
        EXPECT_EQ(Stored(), image);
        const auto packets = Packets();
        ASSERT_EQ(packets.size(), sentBefore + nextPackets) << "each packet once, none retried";
        EXPECT_EQ(packets[sentBefore], "004040010A0000008B") << "it starts again from the probe";
    }
}

TEST_F(KernelDevice, DevicesOffersTheUdevRuleOnlyForAPermissionRefusal) {
    const auto listed = [&](int refusal) {
        const KernelDisplay display({folder(), false, "", refusal, ""});
        const auto run = Cli({"devices"});
        EXPECT_EQ(run.exitCode, 1) << run.err;
        return SplitLines(run.out);
    };
    EXPECT_THAT(listed(ENOTTY), ElementsAre("/dev/hidraw0", "  manufacturer: Lumera",
                                            "  product:      Kernel LED display",
                                            "  cannot be opened: Inappropriate ioctl for device"));
    EXPECT_THAT(
        listed(EACCES),
        ElementsAre("/dev/hidraw0", "  manufacturer: Lumera", "  product:      Kernel LED display",
                    "  cannot be opened by this user (Permission denied); the fix, then "
                    "replug the display:",
                    MatchesRegex("  echo 'SUBSYSTEM==.*udevadm trigger.*")));
}

// What an owner sends back from `umockdev-record /dev/hidrawN` stands up again here.
TEST_F(KernelDevice, ARecordingOfTheDisplayReplays) {
    std::string recording;
    std::string listing;
    {
        const KernelDisplay display(Display());
        // The recorder is not built with the sanitizers the test may run under.
        const auto recorded = RunProgram(
            "/usr/bin/env",
            {std::string("LD_PRELOAD=") + kUmockdevPreload, "umockdev-record", display.Node()},
            scratch.path());
        ASSERT_EQ(recorded.exitCode, 0) << recorded.err;
        recording = recorded.out;
        listing = Cli({"devices"}).out;
    }
    EXPECT_THAT(recording, ::testing::HasSubstr("H: report_descriptor=0600FF0901A101"));
    std::filesystem::remove_all(folder());
    const KernelDisplay replayed({folder(), false, "", 0, recording});
    EXPECT_EQ(Cli({"devices"}).out, listing);
    const std::string file = Table("two", {"--english", "1:2:AB"});
    EXPECT_EQ(Cli({"send", file}).exitCode, 0);
    EXPECT_EQ(Stored(), ReadBytes(file + ".bin"));
}

}  // namespace
}  // namespace lumera::testing
