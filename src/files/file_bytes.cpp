#include "files/file_bytes.h"

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

std::string SystemReason(int error) {
    return std::strerror(error);
}

// Closes the descriptor on every path out of the function that opened it.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    int get() const { return fd_; }
    // Closing can report a late write error, so the writer asks for it.
    int release() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result;
    }

private:
    int fd_;
};

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

FileBytes ReadFileBytes(const std::filesystem::path& path) {
    Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0) {
        return {std::nullopt, SystemReason(errno)};
    }
    std::string bytes;
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(file.get(), buffer, sizeof buffer);
        if (got == 0) {
            return {std::move(bytes), {}};
        }
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return {std::nullopt, SystemReason(errno)};
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
}

std::optional<std::string> ReplaceFileContents(const std::filesystem::path& linkOrTarget,
                                               std::string_view bytes) {
    const std::filesystem::path target = FileBehindLinks(linkOrTarget);
    TemporaryFile temporary = CreateTemporaryBeside(target);
    if (temporary.fd < 0) {
        return SystemReason(errno);
    }
    Descriptor file(temporary.fd);
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
    if (file.release() != 0) {
        return fail(errno);
    }
    if (::rename(temporary.path.c_str(), target.c_str()) != 0) {
        return fail(errno);
    }
    return std::nullopt;
}

}  // namespace lumera
