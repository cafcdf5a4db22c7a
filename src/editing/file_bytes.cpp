#include "editing/file_bytes.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cstring>

namespace lumera {

namespace {

constexpr int kTemporaryNameAttempts = 100;
// As many links as the system itself follows before it gives up on a loop.
constexpr int kLinkHops = 40;
constexpr char kNotRegular[] = "not a regular file";
constexpr char kTooLarge[] = "larger than 1 MiB";
constexpr std::size_t kReadChunk = 4096;
constexpr std::string_view kTemporarySuffix = ".tmp";
// How much of the target's name a temporary's name repeats: enough to tell which file it
// belongs to, short enough that a name at the system's limit still has room for a temporary.
constexpr std::size_t kTargetNameInTemporary = 32;
constexpr char kReadOnly[] = "the file is read-only for this user";
constexpr mode_t kWriteBits = S_IWUSR | S_IWGRP | S_IWOTH;
constexpr mode_t kPermissionBits = 07777;
// The copy of a file written in place holds its old content: for its owner's eyes only.
constexpr mode_t kPrivateCopy = S_IRUSR | S_IWUSR;

std::string SystemReason(int error) {
    return std::strerror(error);
}

std::string UnreadableReason(int error) {
    return "the file cannot be read: " + SystemReason(error);
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

struct TemporaryFile {
    std::filesystem::path path;
    int fd = -1;
};

bool IsUtf8Continuation(char byte) {
    constexpr unsigned char kContinuationMask = 0xC0, kContinuation = 0x80;
    return (static_cast<unsigned char>(byte) & kContinuationMask) == kContinuation;
}

// ".NAME.": how the temporary names for the target NAME begin; ".NAME.PID.N.tmp" in full.
// A long NAME is cut short, between two characters.
std::string TemporaryPrefix(const std::filesystem::path& target) {
    const std::string name = target.filename().string();
    std::size_t kept = std::min(name.size(), kTargetNameInTemporary);
    while (kept > 0 && kept < name.size() && IsUtf8Continuation(name[kept])) {
        --kept;
    }
    return "." + name.substr(0, kept) + ".";
}

// Created with O_EXCL under a fresh name beside the target, so it is on the same file
// system (rename stays atomic) and never clobbers another file. Open for reading too: a copy
// of a file's old content is read back when the file is restored.
TemporaryFile CreateTemporaryBeside(const std::filesystem::path& target) {
    const std::string stem = TemporaryPrefix(target) + std::to_string(::getpid());
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        const std::filesystem::path candidate =
            target.parent_path() /
            (stem + "." + std::to_string(attempt) + std::string(kTemporarySuffix));
        const int fd = ::open(candidate.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            return {candidate, fd};
        }
        if (errno != EEXIST) {
            return {};
        }
    }
    errno = EEXIST;
    return {};
}

bool AllDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(),
                                        [](unsigned char c) { return std::isdigit(c) != 0; });
}

// The process that made `entry`, when it is one of this writer's temporary names for the
// target whose names begin with `prefix`.
std::optional<pid_t> TemporaryWriter(std::string_view entry, std::string_view prefix) {
    if (!entry.starts_with(prefix) || !entry.ends_with(kTemporarySuffix)) {
        return std::nullopt;
    }
    entry.remove_prefix(prefix.size());
    entry.remove_suffix(kTemporarySuffix.size());
    const std::size_t dot = entry.find('.');
    if (dot == std::string_view::npos || !AllDigits(entry.substr(dot + 1))) {
        return std::nullopt;
    }
    pid_t pid = 0;
    const char* pidEnd = entry.data() + dot;
    const auto [end, error] = std::from_chars(entry.data(), pidEnd, pid);
    if (error != std::errc() || end != pidEnd || pid <= 0) {
        return std::nullopt;
    }
    return pid;
}

std::filesystem::path FolderOf(const std::filesystem::path& target) {
    return target.parent_path().empty() ? std::filesystem::path(".") : target.parent_path();
}

// A process killed while it wrote leaves its temporary file behind; the next write of the
// same target clears those whose process is gone. Only this user's regular files are
// touched, and never one of a process that still runs.
void RemoveStaleTemporaries(const std::filesystem::path& target) {
    const std::string prefix = TemporaryPrefix(target);
    std::error_code error;
    for (std::filesystem::directory_iterator entry(FolderOf(target), error), end;
         !error && entry != end; entry.increment(error)) {
        const std::optional<pid_t> writer =
            TemporaryWriter(entry->path().filename().native(), prefix);
        if (!writer || *writer == ::getpid()) {
            continue;
        }
        struct stat info {};
        if (::lstat(entry->path().c_str(), &info) != 0 || !S_ISREG(info.st_mode) ||
            info.st_uid != ::geteuid()) {
            continue;
        }
        if (::kill(*writer, 0) != 0 && errno == ESRCH) {
            ::unlink(entry->path().c_str());
        }
    }
}

const char* KindOfFile(mode_t mode) {
    if (S_ISDIR(mode)) {
        return "a folder";
    }
    if (S_ISFIFO(mode)) {
        return "a FIFO";
    }
    if (S_ISCHR(mode) || S_ISBLK(mode)) {
        return "a device";
    }
    if (S_ISSOCK(mode)) {
        return "a socket";
    }
    return "a special file";
}

// Why the target must not be replaced by a regular file, or nullopt when it may: it is one,
// or there is none yet (or it cannot be looked at, and creating the temporary file says why).
// Looks without opening, so a FIFO cannot make the writer wait.
std::optional<std::string> RefusedTarget(const std::filesystem::path& target, LinkAtTarget link,
                                         bool reachedThroughLink) {
    struct stat info {};
    if (::lstat(target.c_str(), &info) != 0 || S_ISREG(info.st_mode)) {
        return std::nullopt;
    }
    if (S_ISLNK(info.st_mode)) {
        // Replacing the link itself is what Replace asks for; a link still there after
        // following every link is a loop.
        return link == LinkAtTarget::Replace ? std::nullopt : std::optional(SystemReason(ELOOP));
    }
    if (reachedThroughLink) {
        return std::string("the link leads to ") + KindOfFile(info.st_mode) +
               ", not to a regular file";
    }
    return std::string(kNotRegular) + " but " + KindOfFile(info.st_mode);
}

// A link names the file the operator means, also when that file does not exist yet:
// renaming over the link itself would leave that file as it was.
std::filesystem::path FileBehindLinks(std::filesystem::path path) {
    std::error_code error;
    for (int hop = 0; hop < kLinkHops && std::filesystem::is_symlink(path, error); ++hop) {
        const std::filesystem::path next = std::filesystem::read_symlink(path, error);
        if (error) {
            break;
        }
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return path;
}

// Why the operator may not change the regular file that is there, or nullopt when they may.
// Root may write any file, so one that grants no write permission at all counts as
// read-only for root too.
std::optional<std::string> ReadOnlyReason(const std::filesystem::path& target,
                                          const struct stat& existing) {
    if ((existing.st_mode & kWriteBits) == 0) {
        return kReadOnly;
    }
    if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) == 0 || errno == ENOENT) {
        return std::nullopt;
    }
    return errno == EACCES || errno == EPERM ? kReadOnly : SystemReason(errno);
}

// The new file takes the old one's owner, group and permissions, each where the system
// permits: only root gives a file away, and others only to a group of their own. A set-id
// bit goes with the id it stood for, never over to whoever wrote the file.
bool KeepOwnerAndMode(int fd, const struct stat& existing) {
    constexpr uid_t kSameOwner = static_cast<uid_t>(-1);
    // EPERM: not this user's to give; EINVAL: an id the system cannot map here.
    if (::fchown(fd, existing.st_uid, existing.st_gid) != 0 &&
        ::fchown(fd, kSameOwner, existing.st_gid) != 0 && errno != EPERM && errno != EINVAL) {
        return false;
    }
    struct stat made {};
    if (::fstat(fd, &made) != 0) {
        return false;
    }
    mode_t mode = existing.st_mode & kPermissionBits;
    if (made.st_uid != existing.st_uid) {
        mode &= ~S_ISUID;
    }
    if (made.st_gid != existing.st_gid) {
        mode &= ~S_ISGID;
    }
    // After the chown, which clears the set-id bits.
    return ::fchmod(fd, mode) == 0;
}

// The rename is recorded in the folder: unsynced, a crash can bring the old file back.
std::optional<std::string> SyncFolder(const std::filesystem::path& target) {
    const FileDescriptor folder(
        ::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    // A folder that cannot be opened, or whose file system cannot sync one, is left to the
    // system: the file itself is in place.
    if (folder.get() >= 0 && ::fsync(folder.get()) != 0 && errno != EINVAL) {
        return "the folder could not be synced: " + SystemReason(errno);
    }
    return std::nullopt;
}

// Writes the whole of `from` over `to` from its start, and cuts `to` to that length.
bool CopyContent(int from, int to) {
    if (::lseek(from, 0, SEEK_SET) != 0 || ::lseek(to, 0, SEEK_SET) != 0) {
        return false;
    }
    char buffer[kReadChunk];
    off_t copied = 0;
    for (;;) {
        const ssize_t got = ::read(from, buffer, sizeof buffer);
        if (got == 0) {
            return ::ftruncate(to, copied) == 0 && ::fsync(to) == 0;
        }
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        if (!WriteAll(to, std::string_view(buffer, static_cast<std::size_t>(got)))) {
            return false;
        }
        copied += got;
    }
}

// Overwrites the file from its start, then cuts what the old content had beyond: this
// needs no more room on the disk than the larger of the two.
bool WriteFromStart(int fd, std::string_view bytes) {
    return ::lseek(fd, 0, SEEK_SET) == 0 && WriteAll(fd, bytes) &&
           ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && ::fsync(fd) == 0;
}

// A file with more names than one is written where it is, since a rename would part the
// target's name from the others. The old content is first copied beside it: a failed write
// is undone from the copy, and a crash leaves the copy to recover from.
std::optional<std::string> RewriteInPlace(const std::filesystem::path& target,
                                          std::string_view bytes) {
    FileDescriptor file(
        ::open(target.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat info {};
    if (file.get() < 0 || ::fstat(file.get(), &info) != 0) {
        return SystemReason(errno);
    }
    if (!S_ISREG(info.st_mode)) {
        return kNotRegular;  // swapped for something else since it was looked at
    }
    const TemporaryFile copy = CreateTemporaryBeside(target);
    if (copy.fd < 0) {
        return SystemReason(errno);
    }
    const FileDescriptor copyFile(copy.fd);
    if (::fchmod(copyFile.get(), kPrivateCopy) != 0 || !CopyContent(file.get(), copyFile.get())) {
        const int error = errno;
        ::unlink(copy.path.c_str());
        return SystemReason(error);
    }
    if (!WriteFromStart(file.get(), bytes)) {
        const int error = errno;
        if (!CopyContent(copyFile.get(), file.get())) {
            return SystemReason(error) + "; the old content is kept in " + copy.path.string();
        }
        ::unlink(copy.path.c_str());
        return SystemReason(error);
    }
    ::unlink(copy.path.c_str());
    return std::nullopt;
}

// Writes a temporary file and renames it over the target, which so holds either its old
// content or the new one, never a part.
std::optional<std::string> ReplaceByRename(const std::filesystem::path& target,
                                           const struct stat* existing, std::string_view bytes) {
    TemporaryFile temporary = CreateTemporaryBeside(target);
    if (temporary.fd < 0) {
        return SystemReason(errno);
    }
    FileDescriptor file(temporary.fd);
    auto fail = [&temporary](int error) {
        ::unlink(temporary.path.c_str());
        return SystemReason(error);
    };
    if (existing && !KeepOwnerAndMode(file.get(), *existing)) {
        return fail(errno);
    }
    if (!WriteAll(file.get(), bytes) || ::fsync(file.get()) != 0) {
        return fail(errno);
    }
    if (file.close() != 0) {
        return fail(errno);
    }
    if (::rename(temporary.path.c_str(), target.c_str()) != 0) {
        return fail(errno);
    }
    return SyncFolder(target);
}

}  // namespace

FileDescriptor& FileDescriptor::operator=(FileDescriptor&& other) noexcept {
    if (this != &other) {
        close();
        fd_ = other.fd_;
        other.fd_ = -1;
    }
    return *this;
}

FileDescriptor::~FileDescriptor() {
    close();
}

int FileDescriptor::close() {
    if (fd_ < 0) {
        return 0;
    }
    const int result = ::close(fd_);
    fd_ = -1;
    return result;
}

OpenedFile OpenRegularFile(const std::filesystem::path& path,
                           std::optional<std::uintmax_t> maxBytes) {
    // Without O_NONBLOCK opening a FIFO waits for a writer; O_NOCTTY keeps a terminal from
    // becoming ours.
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.get() < 0) {
        return {FileDescriptor(), UnreadableReason(errno)};
    }
    struct stat info {};
    if (::fstat(file.get(), &info) != 0) {
        return {FileDescriptor(), UnreadableReason(errno)};
    }
    if (!S_ISREG(info.st_mode)) {
        return {FileDescriptor(), kNotRegular};
    }
    if (maxBytes && static_cast<std::uintmax_t>(info.st_size) > *maxBytes) {
        return {FileDescriptor(), kTooLarge};
    }
    const int flags = ::fcntl(file.get(), F_GETFL);
    if (flags < 0 || ::fcntl(file.get(), F_SETFL, flags & ~O_NONBLOCK) != 0) {
        return {FileDescriptor(), UnreadableReason(errno)};
    }
    return {std::move(file), {}};
}

FileBytes ReadFileBytes(const std::filesystem::path& path) {
    OpenedFile opened = OpenRegularFile(path, kLargestReadFile);
    if (opened.file.get() < 0) {
        return {std::nullopt, opened.error};
    }
    std::string bytes;
    char buffer[kReadChunk];
    for (;;) {
        const ssize_t got = ::read(opened.file.get(), buffer, sizeof buffer);
        if (got == 0) {
            return {std::move(bytes), {}};
        }
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return {std::nullopt, UnreadableReason(errno)};
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
        // The size was checked when the file was opened, but a file can grow while it is read.
        if (bytes.size() > kLargestReadFile) {
            return {std::nullopt, kTooLarge};
        }
    }
}

std::optional<std::string> ReplaceFileContents(const std::filesystem::path& name,
                                               std::string_view bytes, LinkAtTarget link) {
    const std::filesystem::path target =
        link == LinkAtTarget::WriteItsEnd ? FileBehindLinks(name) : name;
    if (auto refused = RefusedTarget(target, link, target != name)) {
        return refused;
    }
    struct stat existing {};
    const bool exists = ::lstat(target.c_str(), &existing) == 0 && S_ISREG(existing.st_mode);
    if (exists) {
        if (auto readOnly = ReadOnlyReason(target, existing)) {
            return readOnly;
        }
    }
    RemoveStaleTemporaries(target);
    // The program's own names are replaced whatever else names the same file.
    if (exists && existing.st_nlink > 1 && link == LinkAtTarget::WriteItsEnd) {
        return RewriteInPlace(target, bytes);
    }
    return ReplaceByRename(target, exists ? &existing : nullptr, bytes);
}

}  // namespace lumera
