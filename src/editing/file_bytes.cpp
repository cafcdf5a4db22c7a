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

// ".NAME.": how the temporary names for the target NAME begin; ".NAME.PID.N.tmp" in full.
std::string TemporaryPrefix(const std::filesystem::path& target) {
    return "." + target.filename().string() + ".";
}

// Created with O_EXCL under a fresh name beside the target, so it is on the same file
// system (rename stays atomic) and never clobbers another file.
TemporaryFile CreateTemporaryBeside(const std::filesystem::path& target) {
    const std::string stem = TemporaryPrefix(target) + std::to_string(::getpid());
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        const std::filesystem::path candidate =
            target.parent_path() /
            (stem + "." + std::to_string(attempt) + std::string(kTemporarySuffix));
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
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

// A process killed while it wrote leaves its temporary file behind; the next write of the
// same target clears those whose process is gone. Only this user's regular files are
// touched, and never one of a process that still runs.
void RemoveStaleTemporaries(const std::filesystem::path& target) {
    const std::string prefix = TemporaryPrefix(target);
    const std::filesystem::path folder =
        target.parent_path().empty() ? std::filesystem::path(".") : target.parent_path();
    std::error_code error;
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
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
    RemoveStaleTemporaries(target);
    TemporaryFile temporary = CreateTemporaryBeside(target);
    if (temporary.fd < 0) {
        return SystemReason(errno);
    }
    FileDescriptor file(temporary.fd);
    auto fail = [&temporary](int error) {
        ::unlink(temporary.path.c_str());
        return SystemReason(error);
    };
    struct stat existing {};
    if (::lstat(target.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) {
        if (::fchmod(file.get(), existing.st_mode & 07777) != 0) {
            return fail(errno);
        }
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
    return std::nullopt;
}

}  // namespace lumera
