#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <limits>

#include "editing/file_bytes.h"
#include "idle_fifo.h"
#include "temp_directory.h"

namespace lumera {
namespace {

namespace fs = std::filesystem;

TEST(FileWriter, WritesOnlyRegularFilesNeverWaitsAndClearsWhatEndedWritersLeft) {
    testing::TempDirectory scratch("lumera-writer");
    const fs::path dir = scratch.path();
    testing::MakeIdleFifo(dir / "fifo");
    std::ofstream(dir / "aimed-at") << "keep";
    fs::create_symlink(dir / "fifo", dir / "to-fifo");
    fs::create_symlink("/dev/null", dir / "to-null");
    fs::create_symlink(dir / "aimed-at", dir / "planted");
    const struct {
        const char* name;
        LinkAtTarget link;
        const char* refusal;  // the start of the reason; nullptr: written
    } cases[] = {
        {"fifo", LinkAtTarget::WriteItsEnd, "not a regular file but a FIFO"},
        {"to-fifo", LinkAtTarget::WriteItsEnd, "the link leads to a FIFO, not to a regular file"},
        {"to-null", LinkAtTarget::WriteItsEnd, "the link leads to a device"},
        {"planted", LinkAtTarget::Replace, nullptr},  // the link itself is replaced
    };
    for (const auto& c : cases) {
        const auto failure = testing::WithoutWaitingOn(
            dir / "fifo", [&] { return ReplaceFileContents(dir / c.name, c.name, c.link); });
        EXPECT_EQ(failure.value_or("").rfind(c.refusal ? c.refusal : "", 0), 0u) << c.name;
        EXPECT_EQ(failure.has_value(), c.refusal != nullptr) << c.name;
    }
    EXPECT_TRUE(fs::is_fifo(dir / "fifo"));
    EXPECT_TRUE(fs::is_symlink(dir / "to-null"));
    EXPECT_EQ(ReadFileBytes(dir / "aimed-at").bytes, "keep");
    EXPECT_EQ(ReadFileBytes(dir / "planted").bytes, "planted");

    // A process id above any the system gives out has surely ended.
    const std::string ended = std::to_string(std::numeric_limits<pid_t>::max());
    const std::string running = std::to_string(::getppid());
    for (const std::string& left :
         {".out." + ended + ".0.tmp", ".out." + running + ".0.tmp", ".other." + ended + ".0.tmp"}) {
        std::ofstream(dir / left) << "part";
    }
    ASSERT_FALSE(ReplaceFileContents(dir / "out", "whole"));
    EXPECT_FALSE(fs::exists(dir / (".out." + ended + ".0.tmp")));
    EXPECT_TRUE(fs::exists(dir / (".out." + running + ".0.tmp")));  // may still be at work
    EXPECT_TRUE(fs::exists(dir / (".other." + ended + ".0.tmp")));
}

}  // namespace
}  // namespace lumera
