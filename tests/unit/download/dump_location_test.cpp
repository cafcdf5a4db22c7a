#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>

#include "download/dump_file.h"
#include "download_test_support.h"
#include "editing/program_directory.h"
#include "scripted_prompter.h"

// Where a send leaves its dump, for a program in its build folder and an installed one.
namespace lumera::download {
namespace {

namespace fs = std::filesystem;
using ::testing::IsEmpty;

struct DumpCase {
    const char* what;
    const char* dataFile;  // made below the scratch root, marks the layout
    const char* expected;  // where the dump must land, relative to the root
};

TEST(DumpLocation, BesideABuiltProgramInTheUserFolderForAnInstalledOne) {
    const DumpCase cases[] = {
        {"build tree", "prefix/bin/qfn.ttf", "prefix/bin/USBSendData.bin"},
        // The per-user folder does not exist yet on a first run.
        {"installed", "prefix/share/lumera/qfn.ttf", "home/.local/share/lumera/USBSendData.bin"},
    };
    const std::vector<std::uint8_t> image = {0x01, 0x0A, 0x13, 0x7F};
    for (const DumpCase& test : cases) {
        SCOPED_TRACE(test.what);
        const lumera::testing::TempDirectory scratch("lumera-dl");
        const fs::path root = scratch.path();
        fs::create_directories((root / test.dataFile).parent_path());
        std::ofstream(root / test.dataFile) << "x";
        fs::create_directories(root / "prefix" / "bin");
        const fs::path userData = root / "home" / ".local" / "share" / "lumera";

        const ProgramFiles files = LocateProgramFiles(root / "prefix" / "bin", userData);
        lumera::testing::ScriptedPrompter prompter;
        const auto written = WriteDumpFile(image, files.dumpDirectory, userData, prompter);

        EXPECT_THAT(prompter.shown, IsEmpty());
        ASSERT_TRUE(written);
        EXPECT_EQ(*written, root / test.expected);
        EXPECT_EQ(lumera::testing::ReadBytes<std::vector<std::uint8_t>>(root / test.expected),
                  image);
        int dumps = 0;
        for (const auto& entry : fs::recursive_directory_iterator(root)) {
            dumps += entry.path().filename() == kDumpFileName;
        }
        EXPECT_EQ(dumps, 1) << "one dump, and none elsewhere in the prefix";
    }
}

TEST(DumpLocation, ReplacesALinkPlantedAtItsNameAndNeverWritesTheWorkingFolder) {
    const lumera::testing::TempDirectory folder("lumera-dl");
    const fs::path& scratch = folder.path();
    std::ofstream(scratch / "victim") << "keep";
    fs::create_symlink(scratch / "victim", scratch / kDumpFileName);
    const std::vector<std::uint8_t> image = {0x01, 0x0A};
    lumera::testing::ScriptedPrompter prompter;
    EXPECT_TRUE(WriteDumpFile(image, scratch, {}, prompter));
    EXPECT_EQ(lumera::testing::ReadBytes<std::vector<std::uint8_t>>(scratch / kDumpFileName),
              image);
    EXPECT_EQ(lumera::testing::ReadLines(scratch / "victim"), std::vector<std::string>{"keep"});
    // Neither folder usable (no home for a per-user one): no dump where the program runs.
    EXPECT_FALSE(WriteDumpFile(image, scratch / "victim" / "below", {}, prompter));
    EXPECT_FALSE(fs::exists(kDumpFileName));
}

TEST(DumpLocation, AUserWithoutAHomeIsToldWhyThereIsNoDump) {
    // An installed program dumps into the per-user folder only.
    lumera::testing::ScriptedPrompter prompter;
    EXPECT_FALSE(WriteDumpFile({0x01}, {}, {}, prompter));
    EXPECT_THAT(prompter.shown,
                ::testing::ElementsAre(
                    "message: Create File USBSendData.binError! (no folder to write it in: this "
                    "user has no home folder; set HOME or XDG_DATA_HOME to an absolute path)"));
}

}  // namespace
}  // namespace lumera::download
