#include "editing/file_bytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace lumera {

namespace {

constexpr int kTemporaryNameAttempts = 100;
// As many links as the system itself follows before it gives up on a loop.
constexpr int kLinkHops = 40;
constexpr char kNotRegular[] = "not a regular file";
constexpr char kTooLarge[] = "larger than 1 MiB";
constexpr std::size_t kReadChunk = 4096;

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

// Created with O_EXCL under a fresh name beside the target, so it is on the same file
// system (rename stays atomic) and never clobbers another file.
TemporaryFile CreateTemporaryBeside(const std::filesystem::path& target) {
    const std::string stem = "." + target.filename().string() + "." + std::to_string(::getpid());
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        const std::filesystem::path candidate =
            target.parent_path() / (stem + "." + std::to_string(attempt) + ".tmp");
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

std::optional<std::string> ReplaceFileContents(const std::filesystem::path& linkOrTarget,
                                               std::string_view bytes) {
    const std::filesystem::path target = FileBehindLinks(linkOrTarget);
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
    if (::stat(target.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) {
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
