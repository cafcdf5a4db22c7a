#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cstring>
#include <deque>
#include <fstream>
#include <limits>
#include <set>
#include <utility>
#include <vector>

#include "as_other_user.h"
#include "editing/file_bytes.h"
#include "file_contents.h"
#include "file_size_limit.h"
#include "idle_fifo.h"
#include "temp_directory.h"

namespace lumera {
namespace {

namespace fs = std::filesystem;

// What the writer made durable, and when: each fsync as "file" or "folder" with what the
// watched file held at that moment. Regular files' fsyncs can be made to fail.
struct Syncs {
    fs::path watched;
    std::vector<std::string> log;
    std::deque<int> fileSyncErrors;  // what the next ones fail with, in turn; 0: they succeed
};
Syncs g_syncs;

}  // namespace
}  // namespace lumera

// The test program's own fsync stands in for the system's, for the writer too.
extern "C" int fsync(int fd) {
    using lumera::g_syncs;
    struct stat info {};
    const bool folder = ::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode);
    if (!g_syncs.watched.empty()) {
        g_syncs.log.push_back(std::string(folder ? "folder" : "file") + " with " +
                              lumera::testing::ReadBytes(g_syncs.watched));
    }
    if (!folder && !g_syncs.fileSyncErrors.empty()) {
        const int error = g_syncs.fileSyncErrors.front();
        g_syncs.fileSyncErrors.pop_front();
        if (error != 0) {
            errno = error;
            return -1;
        }
    }
    return static_cast<int>(::syscall(SYS_fsync, fd));
}

namespace lumera {
namespace {

using testing::ReadBytes;
using testing::WriteBytes;

// The names in a folder, so a test can see that nothing was left behind.
std::set<std::string> Names(const fs::path& dir) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

struct stat Stat(const fs::path& path) {
    struct stat info {};
    ::lstat(path.c_str(), &info);
    return info;
}

// A process id above any the system gives out has surely ended.
const std::string kEnded = std::to_string(std::numeric_limits<pid_t>::max());

class FileWriter : public ::testing::Test {
protected:
    // A fresh folder of its own for a case of a table.
    fs::path Folder(const std::string& name) const {
        fs::create_directory(dir_ / name);
        return dir_ / name;
    }

    testing::TempDirectory scratch_{"lumera-writer"};
    const fs::path dir_ = scratch_.path();
};

TEST_F(FileWriter, WritesOnlyRegularFilesAndNeverWaits) {
    testing::MakeIdleFifo(dir_ / "fifo");
    std::ofstream(dir_ / "aimed-at") << "keep";
    fs::create_symlink(dir_ / "fifo", dir_ / "to-fifo");
    fs::create_symlink(dir_ / "aimed-at", dir_ / "planted");
    const struct {
        const char* name;
        LinkAtTarget link;
        const char* refusal;  // the start of the reason; nullptr: written
    } cases[] = {
        {"fifo", LinkAtTarget::WriteItsEnd, "not a regular file but a FIFO"},
        {"to-fifo", LinkAtTarget::WriteItsEnd, "the link leads to a FIFO, not to a regular file"},
        {"planted", LinkAtTarget::Replace, nullptr},  // the link itself is replaced
    };
    for (const auto& c : cases) {
        const auto failure = testing::WithoutWaitingOn(
            dir_ / "fifo", [&] { return ReplaceFileContents(dir_ / c.name, c.name, c.link); });
        EXPECT_EQ(failure.value_or("").rfind(c.refusal ? c.refusal : "", 0), 0u) << c.name;
        EXPECT_EQ(failure.has_value(), c.refusal != nullptr) << c.name;
    }
    EXPECT_TRUE(fs::is_fifo(dir_ / "fifo"));
    EXPECT_EQ(ReadFileBytes(dir_ / "aimed-at").bytes, "keep");
    EXPECT_EQ(ReadFileBytes(dir_ / "planted").bytes, "planted");
}

// The device is made in the test's own folder: were the refusal broken, only that node
// would be replaced, never the system's.
TEST_F(FileWriter, RefusesALinkToADeviceAndLeavesBoth) {
    constexpr unsigned kNullMajor = 1, kNullMinor = 3;
    if (::mknod((dir_ / "null").c_str(), S_IFCHR | 0666, makedev(kNullMajor, kNullMinor)) != 0) {
        GTEST_SKIP() << "making a device node needs root: " << std::strerror(errno);
    }
    fs::create_symlink(dir_ / "null", dir_ / "to-null");
    const auto failure = ReplaceFileContents(dir_ / "to-null", "to-null");
    EXPECT_EQ(failure.value_or("").rfind("the link leads to a device", 0), 0u);
    EXPECT_TRUE(fs::is_symlink(dir_ / "to-null"));
    EXPECT_TRUE(fs::is_character_file(dir_ / "null"));
}

TEST_F(FileWriter, ClearsOnlyItsOwnRegularTemporariesOfEndedWriters) {
    WriteBytes(dir_ / "elsewhere", "elsewhere");
    enum Kind { Regular, Link, OthersFile };
    const struct {
        std::string name;
        Kind kind;
        bool cleared;
    } cases[] = {
        {".out." + kEnded + ".0.tmp", Regular, true},
        {".out." + kEnded + ".99.tmp", Regular, true},
        {".out." + kEnded + ".1.tmp", Link, false},
        {".out." + kEnded + ".2.tmp", OthersFile, false},
        {".out." + kEnded + ".x.tmp", Regular, false},
        {".out." + kEnded + ".3", Regular, false},
        {"out." + kEnded + ".4.tmp", Regular, false},
        {".out." + std::to_string(::getpid()) + ".5.tmp", Regular, false},
        {".out." + std::to_string(::getppid()) + ".6.tmp", Regular, false},  // may still be at work
        {".other." + kEnded + ".0.tmp", Regular, false},                     // another target's
    };
    const bool root = testing::RunningAsRoot();  // another user's file needs root to make
    for (const auto& c : cases) {
        if (c.kind == Link) {
            fs::create_symlink(dir_ / "elsewhere", dir_ / c.name);
        } else if (c.kind == Regular || root) {
            WriteBytes(dir_ / c.name, "part");
        }
        if (c.kind == OthersFile && root) {
            ASSERT_EQ(::chown((dir_ / c.name).c_str(), testing::kOtherUser, testing::kOtherGroup),
                      0);
        }
    }
    ASSERT_FALSE(ReplaceFileContents(dir_ / "out", "whole"));
    for (const auto& c : cases) {
        if (c.kind != OthersFile || root) {
            EXPECT_EQ(fs::exists(fs::symlink_status(dir_ / c.name)), !c.cleared) << c.name;
        }
    }
    EXPECT_EQ(ReadBytes(dir_ / "elsewhere"), "elsewhere");
}

TEST_F(FileWriter, NeverWritesThroughANameThatIsAlreadyTaken) {
    WriteBytes(dir_ / "victim", "victim");
    const std::string mine = ".out." + std::to_string(::getpid());
    fs::create_symlink(dir_ / "victim", dir_ / (mine + ".0.tmp"));
    WriteBytes(dir_ / (mine + ".1.tmp"), "theirs");
    ASSERT_FALSE(ReplaceFileContents(dir_ / "out", "whole"));
    EXPECT_FALSE(fs::is_symlink(dir_ / "out"));
    EXPECT_EQ(ReadBytes(dir_ / "out"), "whole");
    EXPECT_EQ(ReadBytes(dir_ / "victim"), "victim");
    EXPECT_TRUE(fs::is_symlink(dir_ / (mine + ".0.tmp")));
    EXPECT_EQ(ReadBytes(dir_ / (mine + ".1.tmp")), "theirs");
}

TEST_F(FileWriter, SyncsTheNewFileBeforeTheRenameAndTheFolderAfterIt) {
    WriteBytes(dir_ / "out", "old");
    g_syncs = {dir_ / "out", {}, {}};
    const auto failure = ReplaceFileContents(dir_ / "out", "new");
    const std::vector<std::string> log = std::exchange(g_syncs, {}).log;
    ASSERT_FALSE(failure);
    EXPECT_EQ(log, (std::vector<std::string>{"file with old", "folder with new"}));
}

TEST_F(FileWriter, AFailedWriteLeavesTheOldFileExactlyAsItWasAndNoTemporary) {
    constexpr mode_t kOldMode = 0640;
    constexpr rlim_t kLimit = 8;  // above the old content, below the new
    const std::string old = "old", fresh(2 * kLimit, 'n');
    const struct {
        const char* name;
        bool hardLinked;             // written in place
        std::deque<int> syncErrors;  // empty: the write itself fails
        const char* reason;
    } cases[] = {
        {"write fails", false, {}, "File too large"},
        {"sync fails", false, {EIO}, "Input/output error"},
        {"write in place fails", true, {}, "File too large"},
        {"sync of the copy fails", true, {EIO}, "Input/output error"},
        {"sync in place fails", true, {0, EIO}, "Input/output error"},
    };
    for (const auto& c : cases) {
        const fs::path dir = Folder(c.name);
        WriteBytes(dir / "out", old);
        ::chmod((dir / "out").c_str(), kOldMode);
        if (c.hardLinked) {
            fs::create_hard_link(dir / "out", dir / "other-name");
        }
        const std::set<std::string> before = Names(dir);
        const ino_t inode = Stat(dir / "out").st_ino;
        std::optional<std::string> failure;
        if (!c.syncErrors.empty()) {
            g_syncs.fileSyncErrors = c.syncErrors;
            failure = ReplaceFileContents(dir / "out", fresh);
            g_syncs = {};
        } else {
            const testing::FileSizeLimit limit(kLimit);
            failure = ReplaceFileContents(dir / "out", fresh);
        }
        EXPECT_EQ(failure.value_or("written"), c.reason) << c.name;
        EXPECT_EQ(ReadBytes(dir / "out"), old) << c.name;
        EXPECT_EQ(Stat(dir / "out").st_ino, inode) << c.name;
        EXPECT_EQ(Stat(dir / "out").st_mode & 07777, kOldMode) << c.name;
        EXPECT_EQ(Names(dir), before) << c.name;
    }
}

TEST_F(FileWriter, WritesAHardLinkedFileInPlaceSoEveryNameSeesTheNewContent) {
    const struct {
        const char* name;
        LinkAtTarget link;
        bool throughSymlink;
        bool shared;  // the other name sees the new content
    } cases[] = {
        {"the name given", LinkAtTarget::WriteItsEnd, false, true},
        {"a link to it", LinkAtTarget::WriteItsEnd, true, true},
        // The program's own name is never written through: another name may be planted.
        {"the program's own name", LinkAtTarget::Replace, false, false},
    };
    for (const auto& c : cases) {
        const fs::path dir = Folder(c.name);
        WriteBytes(dir / "out", "a longer old content");
        fs::create_hard_link(dir / "out", dir / "other-name");
        if (c.throughSymlink) {
            fs::create_symlink("out", dir / "link");
        }
        ASSERT_FALSE(ReplaceFileContents(dir / (c.throughSymlink ? "link" : "out"), "new", c.link))
            << c.name;
        EXPECT_EQ(ReadBytes(dir / "out"), "new") << c.name;
        EXPECT_EQ(ReadBytes(dir / "other-name"), c.shared ? "new" : "a longer old content")
            << c.name;
        EXPECT_EQ(Stat(dir / "out").st_ino == Stat(dir / "other-name").st_ino, c.shared) << c.name;
        EXPECT_EQ(Names(dir).size(), c.throughSymlink ? 3u : 2u) << c.name;
    }
}

TEST_F(FileWriter, RefusesAReadOnlyFileAndLeavesItAsItWas) {
    constexpr mode_t kReadOnly = 0444;
    WriteBytes(dir_ / "out", "old");
    ::chmod((dir_ / "out").c_str(), kReadOnly);
    fs::create_symlink("out", dir_ / "link");
    for (const char* name : {"out", "link"}) {
        EXPECT_EQ(ReplaceFileContents(dir_ / name, "new").value_or("written"),
                  "the file is read-only for this user")
            << name;
    }
    EXPECT_EQ(ReadBytes(dir_ / "out"), "old");
    EXPECT_EQ(Stat(dir_ / "out").st_mode & 07777, kReadOnly);
    EXPECT_EQ(Names(dir_).size(), 2u);
}

TEST_F(FileWriter, KeepsTheOwnerGroupAndModeWherePermittedAndRefusesOthersFiles) {
    if (!testing::RunningAsRoot()) {
        GTEST_SKIP() << "giving files to other users and writing as them needs root";
    }
    using testing::kOtherGroup, testing::kOtherUser, testing::kThirdGroup, testing::kThirdUser;
    constexpr uid_t kRoot = 0;
    constexpr int kWritten = 0, kRefused = 1, kOtherFailure = 2;
    const testing::OtherUser root{kRoot, kRoot, {}}, member{kThirdUser, kThirdGroup, {kOtherGroup}},
        outsider{kThirdUser, kThirdGroup, {}};
    // Every file is the other user's and group's before the write.
    const struct {
        const char* name;
        mode_t mode;
        testing::OtherUser writer;
        int outcome;
        uid_t uidAfter;
        gid_t gidAfter;
        mode_t modeAfter;
    } cases[] = {
        {"root keeps both", 04750, root, kWritten, kOtherUser, kOtherGroup, 04750},
        {"a group member keeps the group", 02664, member, kWritten, kThirdUser, kOtherGroup, 02664},
        // Special bits must not pass to a file now owned by someone else.
        {"an outsider keeps neither", 06666, outsider, kWritten, kThirdUser, kThirdGroup, 0666},
        {"another user's file", 0644, member, kRefused, kOtherUser, kOtherGroup, 0644},
    };
    for (const auto& c : cases) {
        const fs::path dir = Folder(c.name);
        ::chmod(dir.c_str(), 0777);
        WriteBytes(dir / "out", "old");
        ASSERT_EQ(::chown((dir / "out").c_str(), kOtherUser, kOtherGroup), 0) << c.name;
        ASSERT_EQ(::chmod((dir / "out").c_str(), c.mode), 0) << c.name;
        auto write = [] {
            const auto failure = ReplaceFileContents("out", "new");
            return !failure                                            ? kWritten
                   : *failure == "the file is read-only for this user" ? kRefused
                                                                       : kOtherFailure;
        };
        const int outcome = testing::AsOtherUser(c.writer, dir, write);
        EXPECT_EQ(outcome, c.outcome) << c.name;
        const struct stat after = Stat(dir / "out");
        EXPECT_EQ(ReadBytes(dir / "out"), c.outcome == kWritten ? "new" : "old") << c.name;
        EXPECT_EQ(after.st_uid, c.uidAfter) << c.name;
        EXPECT_EQ(after.st_gid, c.gidAfter) << c.name;
        EXPECT_EQ(after.st_mode & 07777, c.modeAfter) << c.name;
        EXPECT_EQ(Names(dir).size(), 1u) << c.name;
    }
}

// A temporary's name holds at most the first 32 bytes of the target's, cut between characters,
// so it stays within the system's limit and still tells which target it belongs to.
TEST_F(FileWriter, SavesNamesUpToTheLongestTheSystemAllows) {
    constexpr std::size_t kLongestName = 255, kKept = 32;
    std::string accented = "a";  // then two-byte characters, one of them across the cut
    while (accented.size() < kLongestName) {
        accented += "\xc3\xa9";
    }
    const std::string kept(kKept, 'a');
    const struct {
        std::string name;
        std::string temporaryStem;  // what an ended writer's temporary begins with
        const char* refusal;        // nullptr: written
    } cases[] = {
        {std::string(243, 'a'), "." + kept + ".", nullptr},
        {std::string(kLongestName, 'a'), "." + kept + ".", nullptr},
        {accented, "." + accented.substr(0, kKept - 1) + ".", nullptr},
        {std::string(kLongestName + 1, 'a'), "", "File name too long"},
    };
    for (const auto& c : cases) {
        testing::TempDirectory scratch("lumera-writer");
        const fs::path dir = scratch.path();
        if (!c.refusal) {
            WriteBytes(dir / (c.temporaryStem + kEnded + ".0.tmp"), "part");
        }
        const auto failure = ReplaceFileContents(dir / c.name, "whole");
        EXPECT_EQ(failure.value_or("written"), c.refusal ? c.refusal : "written") << c.name.size();
        EXPECT_EQ(Names(dir), c.refusal ? std::set<std::string>{} : std::set{c.name})
            << c.name.size();
    }
}

}  // namespace
}  // namespace lumera
