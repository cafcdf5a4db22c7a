#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "program_run.h"
#include "temp_directory.h"

namespace lumera {
namespace {

struct StartCase {
    std::vector<std::string> arguments;
    int exitCode;
    std::string out;  // the start of standard output
    std::string err;  // the start of standard error
};

// Without a graphical session, as on a server or over ssh, the window cannot open; what the
// command line asks for is answered all the same, usage errors included.
TEST(WindowStart, AnswersTheCommandLineWithoutAScreen) {
    const StartCase cases[] = {
        {{"--bogus"}, 2, "", "lumera: Unknown option 'bogus' (try 'lumera --help')\n"},
        {{"a.led", "b.led"}, 2, "", "lumera: Only one file can be opened"},
        {{"-style", "fusion", "-reverse", "--bogus"}, 2, "", "lumera: Unknown option 'bogus'"},
        {{"-style=fusion", "-x"}, 2, "", "lumera: Unknown option 'x'"},
        {{"-platform", "offscreen", "--version"}, 0, "lumera ", ""},
        {{"--help"}, 0, "Usage: ", ""},
    };
    const testing::TempDirectory scratch("lumera-start");
    for (const StartCase& c : cases) {
        SCOPED_TRACE(c.arguments.back());
        std::vector<std::string> command = {"-u",
                                            "DISPLAY",
                                            "-u",
                                            "WAYLAND_DISPLAY",
                                            "-u",
                                            "QT_QPA_PLATFORM",
                                            LUMERA_BIN_DIR "/lumera"};
        command.insert(command.end(), c.arguments.begin(), c.arguments.end());
        const testing::ProgramRun run =
            testing::RunProgram("/usr/bin/env", command, scratch.path());
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
        EXPECT_EQ(run.out.rfind(c.out, 0), 0u) << run.out;
        EXPECT_EQ(run.err.rfind(c.err, 0), 0u) << run.err;
    }
}

}  // namespace
}  // namespace lumera
