#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <csignal>
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

TEST(FileWriter, WritesOnlyRegularFilesNeverWaitsAndClearsWhatEndedWritersLeft) {
    testing::TempDirectory scratch("lumera-writer");
    const fs::path dir = scratch.path();
    testing::MakeIdleFifo(dir / "fifo");
    std::ofstream(dir / "aimed-at") << "keep";
    fs::create_symlink(dir / "fifo", dir / "to-fifo");
    fs::create_symlink(dir / "aimed-at", dir / "planted");
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
            dir / "fifo", [&] { return ReplaceFileContents(dir / c.name, c.name, c.link); });
        EXPECT_EQ(failure.value_or("").rfind(c.refusal ? c.refusal : "", 0), 0u) << c.name;
        EXPECT_EQ(failure.has_value(), c.refusal != nullptr) << c.name;
    }
    EXPECT_TRUE(fs::is_fifo(dir / "fifo"));
    EXPECT_EQ(ReadFileBytes(dir / "aimed-at").bytes, "keep");
    EXPECT_EQ(ReadFileBytes(dir / "planted").bytes, "planted");

    const std::string running = std::to_string(::getppid());
    for (const std::string& left : {".out." + kEnded + ".0.tmp", ".out." + running + ".0.tmp",
                                    ".other." + kEnded + ".0.tmp"}) {
        std::ofstream(dir / left) << "part";
    }
    ASSERT_FALSE(ReplaceFileContents(dir / "out", "whole"));
    EXPECT_FALSE(fs::exists(dir / (".out." + kEnded + ".0.tmp")));
    EXPECT_TRUE(fs::exists(dir / (".out." + running + ".0.tmp")));  // may still be at work
    EXPECT_TRUE(fs::exists(dir / (".other." + kEnded + ".0.tmp")));
}

// The device is made in the test's own folder: were the refusal broken, only that node
// would be replaced, never the system's.
TEST(FileWriter, RefusesALinkToADeviceAndLeavesBoth) {
    testing::TempDirectory scratch("lumera-writer");
    const fs::path dir = scratch.path();
    constexpr unsigned kNullMajor = 1, kNullMinor = 3;
    if (::mknod((dir / "null").c_str(), S_IFCHR | 0666, makedev(kNullMajor, kNullMinor)) != 0) {
        GTEST_SKIP() << "making a device node needs root: " << std::strerror(errno);
    }
    fs::create_symlink(dir / "null", dir / "to-null");
    const auto failure = ReplaceFileContents(dir / "to-null", "to-null");
    EXPECT_EQ(failure.value_or("").rfind("the link leads to a device", 0), 0u);
    EXPECT_TRUE(fs::is_symlink(dir / "to-null"));
    EXPECT_TRUE(fs::is_character_file(dir / "null"));
}

TEST(FileWriter, ClearsOnlyItsOwnRegularTemporariesOfEndedWriters) {
    testing::TempDirectory scratch("lumera-writer");
    const fs::path dir = scratch.path();
    WriteBytes(dir / "elsewhere", "elsewhere");
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
    };
    const bool root = testing::RunningAsRoot();  // another user's file needs root to make
    for (const auto& c : cases) {
        if (c.kind == Link) {
            fs::create_symlink(dir / "elsewhere", dir / c.name);
        } else if (c.kind == Regular || root) {
            WriteBytes(dir / c.name, "part");
        }
        if (c.kind == OthersFile && root) {
            ASSERT_EQ(::chown((dir / c.name).c_str(), testing::kOtherUser, testing::kOtherGroup),
                      0);
        }
    }
    ASSERT_FALSE(ReplaceFileContents(dir / "out", "whole"));
    for (const auto& c : cases) {
        if (c.kind != OthersFile || root) {
            EXPECT_EQ(fs::exists(fs::symlink_status(dir / c.name)), !c.cleared) << c.name;
        }
    }
    EXPECT_EQ(ReadBytes(dir / "elsewhere"), "elsewhere");
}

TEST(FileWriter, NeverWritesThroughANameThatIsAlreadyTaken) {
    testing::TempDirectory scratch("lumera-writer");
    const fs::path dir = scratch.path();
    WriteBytes(dir / "victim", "victim");
    const std::string mine = ".out." + std::to_string(::getpid());
    fs::create_symlink(dir / "victim", dir / (mine + ".0.tmp"));
    WriteBytes(dir / (mine + ".1.tmp"), "theirs");
    ASSERT_FALSE(ReplaceFileContents(dir / "out", "whole"));
    EXPECT_FALSE(fs::is_symlink(dir / "out"));
    EXPECT_EQ(ReadBytes(dir / "out"), "whole");
    EXPECT_EQ(ReadBytes(dir / "victim"), "victim");
    EXPECT_TRUE(fs::is_symlink(dir / (mine + ".0.tmp")));
    EXPECT_EQ(ReadBytes(dir / (mine + ".1.tmp")), "theirs");
}

TEST(FileWriter, SyncsTheNewFileBeforeTheRenameAndTheFolderAfterIt) {
    testing::TempDirectory scratch("lumera-writer");
    const fs::path dir = scratch.path();
    WriteBytes(dir / "out", "old");
    g_syncs = {dir / "out", {}, {}};
    const auto failure = ReplaceFileContents(dir / "out", "new");
    const std::vector<std::string> log = std::exchange(g_syncs, {}).log;
    ASSERT_FALSE(failure);
    EXPECT_EQ(log, (std::vector<std::string>{"file with old", "folder with new"}));
}

// The file size limit makes a write fail part-way, as a full disk would.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        savedHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, saved_.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, savedHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*savedHandler_)(int);
};

TEST(FileWriter, AFailedWriteLeavesTheOldFileExactlyAsItWasAndNoTemporary) {
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
        testing::TempDirectory scratch("lumera-writer");
        const fs::path dir = scratch.path();
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
            const FileSizeLimit limit(kLimit);
            failure = ReplaceFileContents(dir / "out", fresh);
        }
        EXPECT_EQ(failure.value_or("written"), c.reason) << c.name;
        EXPECT_EQ(ReadBytes(dir / "out"), old) << c.name;
        EXPECT_EQ(Stat(dir / "out").st_ino, inode) << c.name;
        EXPECT_EQ(Stat(dir / "out").st_mode & 07777, kOldMode) << c.name;
        EXPECT_EQ(Names(dir), before) << c.name;
    }
}

TEST(FileWriter, WritesAHardLinkedFileInPlaceSoEveryNameSeesTheNewContent) {
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
        testing::TempDirectory scratch("lumera-writer");
        const fs::path dir = scratch.path();
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

TEST(FileWriter, RefusesAReadOnlyFileAndLeavesItAsItWas) {
    testing::TempDirectory scratch("lumera-writer");
    const fs::path dir = scratch.path();
    constexpr mode_t kReadOnly = 0444;
    WriteBytes(dir / "out", "old");
    ::chmod((dir / "out").c_str(), kReadOnly);
    fs::create_symlink("out", dir / "link");
    for (const char* name : {"out", "link"}) {
        EXPECT_EQ(ReplaceFileContents(dir / name, "new").value_or("written"),
                  "the file is read-only for this user")
            << name;
    }
    EXPECT_EQ(ReadBytes(dir / "out"), "old");
    EXPECT_EQ(Stat(dir / "out").st_mode & 07777, kReadOnly);
    EXPECT_EQ(Names(dir).size(), 2u);
}

TEST(FileWriter, KeepsTheOwnerGroupAndModeWherePermittedAndRefusesOthersFiles) {
    if (!testing::RunningAsRoot()) {
        GTEST_SKIP() << "giving files to other users and writing as them needs root";
    }
    using testing::kOtherGroup, testing::kOtherUser, testing::kThirdGroup, testing::kThirdUser;
    constexpr uid_t kRoot = 0;
    constexpr int kWritten = 0, kRefused = 1, kOtherFailure = 2;
    const struct {
        const char* name;
        uid_t fileUid;
        gid_t fileGid;
        mode_t fileMode;
        testing::OtherUser writer;
        int outcome;
        uid_t uidAfter;
        gid_t gidAfter;
        mode_t modeAfter;
    } cases[] = {
        {"root keeps both",
         kOtherUser,
         kOtherGroup,
         04750,
         {kRoot, kRoot, {}},
         kWritten,
         kOtherUser,
         kOtherGroup,
         04750},
        {"a group member keeps the group",
         kOtherUser,
         kOtherGroup,
         02664,
         {kThirdUser, kThirdGroup, {kOtherGroup}},
         kWritten,
         kThirdUser,
         kOtherGroup,
         02664},
        // Special bits must not pass to a file now owned by someone else.
        {"an outsider keeps neither",
         kOtherUser,
         kOtherGroup,
         06666,
         {kThirdUser, kThirdGroup, {}},
         kWritten,
         kThirdUser,
         kThirdGroup,
         0666},
        {"another user's file",
         kOtherUser,
         kOtherGroup,
         0644,
         {kThirdUser, kThirdGroup, {kOtherGroup}},
         kRefused,
         kOtherUser,
         kOtherGroup,
         0644},
    };
    for (const auto& c : cases) {
        testing::TempDirectory scratch("lumera-writer");
        const fs::path dir = scratch.path();
        ::chmod(dir.c_str(), 0777);
        WriteBytes(dir / "out", "old");
        ASSERT_EQ(::chown((dir / "out").c_str(), c.fileUid, c.fileGid), 0) << c.name;
        ASSERT_EQ(::chmod((dir / "out").c_str(), c.fileMode), 0) << c.name;
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
TEST(FileWriter, SavesNamesUpToTheLongestTheSystemAllows) {
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
