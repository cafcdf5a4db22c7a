#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "editing/file_bytes.h"
#include "idle_fifo.h"
#include "temp_directory.h"

namespace lumera {
namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The id of a process that has ended: its temporary files are stale.
pid_t EndedProcess() {
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(0);
    }
    ::waitpid(child, nullptr, 0);
    return child;
}

struct TargetCase {
    const char* what;
    const char* name;  // what is written, under the scratch folder
    LinkAtTarget link;
    std::optional<std::string> refusal;  // the start of the reason; nullopt: written
    const char* written;                 // the file that then holds the bytes
};

TEST(FileWriter, RefusesAnythingButARegularFileWithoutWaitingOrTouchingIt) {
    testing::TempDirectory scratch("lumera-writer");
    const fs::path dir = scratch.path();
    testing::MakeIdleFifo(dir / "fifo");
    fs::create_directory(dir / "folder");
    std::ofstream(dir / "old") << "old";
    std::ofstream(dir / "aimed-at") << "keep";
    fs::create_symlink(dir / "fifo", dir / "to-fifo");
    fs::create_symlink("/dev/null", dir / "to-null");
    fs::create_symlink("old", dir / "to-old");
    fs::create_symlink(dir / "aimed-at", dir / "planted");
    fs::create_symlink("loop", dir / "loop");
    const TargetCase cases[] = {
        {"a FIFO", "fifo", LinkAtTarget::WriteItsEnd, "not a regular file but a FIFO", nullptr},
        {"a folder", "folder", LinkAtTarget::WriteItsEnd, "not a regular file but a folder",
         nullptr},
        {"a link to a FIFO", "to-fifo", LinkAtTarget::WriteItsEnd,
         "the link leads to a FIFO, not to a regular file", nullptr},
        {"a link to a device", "to-null", LinkAtTarget::WriteItsEnd, "the link leads to a device",
         nullptr},
        {"a loop of links", "loop", LinkAtTarget::WriteItsEnd, "Too many levels", nullptr},
        {"a FIFO at the program's own name", "fifo", LinkAtTarget::Replace, "not a regular file",
         nullptr},
        {"a regular file", "old", LinkAtTarget::WriteItsEnd, std::nullopt, "old"},
        {"a link to a regular file", "to-old", LinkAtTarget::WriteItsEnd, std::nullopt, "old"},
        {"a link at the program's own name", "planted", LinkAtTarget::Replace, std::nullopt,
         "planted"},
    };
    for (const TargetCase& c : cases) {
        SCOPED_TRACE(c.what);
        const auto failure = testing::WithoutWaitingOn(
            dir / "fifo", [&] { return ReplaceFileContents(dir / c.name, c.what, c.link); });
        if (c.refusal) {
            ASSERT_TRUE(failure);
            EXPECT_EQ(failure->rfind(*c.refusal, 0), 0u) << *failure;
        } else {
            ASSERT_FALSE(failure) << *failure;
            EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(dir / c.written)));
            EXPECT_EQ(Read(dir / c.written), c.what);
        }
    }
    EXPECT_TRUE(fs::is_fifo(dir / "fifo"));
    EXPECT_TRUE(fs::is_symlink(dir / "to-null"));
    EXPECT_TRUE(fs::is_symlink(dir / "to-old"));
    EXPECT_EQ(Read(dir / "aimed-at"), "keep");
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
}

TEST(FileWriter, ClearsOnlyTheTemporaryFilesOfEndedWritersOfTheSameTarget) {
    testing::TempDirectory scratch("lumera-writer");
    const fs::path dir = scratch.path();
    const std::string ended = std::to_string(EndedProcess());
    const std::string running = std::to_string(::getppid());
    const struct {
        std::string name;
        bool cleared;
    } leftovers[] = {
        {".out.png." + ended + ".0.tmp", true},
        {".out.png." + ended + ".7.tmp", true},
        {".out.png." + running + ".0.tmp", false},  // its writer may still be at work
        {".other.png." + ended + ".0.tmp", false},
        {".out.png." + ended + ".x.tmp", false},
        {".out.png.tmp", false},
    };
    for (const auto& leftover : leftovers) {
        std::ofstream(dir / leftover.name) << "part";
    }
    ASSERT_FALSE(ReplaceFileContents(dir / "out.png", "whole"));
    EXPECT_EQ(Read(dir / "out.png"), "whole");
    for (const auto& leftover : leftovers) {
        EXPECT_EQ(fs::exists(dir / leftover.name), !leftover.cleared) << leftover.name;
    }
}

}  // namespace
}  // namespace lumera
