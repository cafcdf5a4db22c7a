#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace lumera {

// The largest file read whole: a full message file takes a few kilobytes.
inline constexpr std::uintmax_t kLargestReadFile = 1024 * 1024;

// Closes the descriptor it holds when it goes.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    FileDescriptor(FileDescriptor&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
    FileDescriptor& operator=(FileDescriptor&& other) noexcept;
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor();

    int get() const { return fd_; }
    // Closes now, since closing can report a late write error.
    int close();

private:
    int fd_;
};

struct OpenedFile {
    FileDescriptor file;  // open for reading, or -1
    std::string error;    // when the file is -1: a reason line for the operator
};

// Opens a file that the operator named, for reading. Never waits: a FIFO or a device opens
// at once and is then refused like a folder or a socket ("not a regular file"), as is a
// regular file larger than maxBytes. The checks look at the open file itself, so a name
// swapped after the check cannot slip something else in.
OpenedFile OpenRegularFile(const std::filesystem::path& path,
                           std::optional<std::uintmax_t> maxBytes);

struct FileBytes {
    std::optional<std::string> bytes;
    std::string error;  // when bytes is empty: a reason line for the operator
};

// The whole of a regular file of at most kLargestReadFile bytes.
FileBytes ReadFileBytes(const std::filesystem::path& path);

// What the writer does with a symbolic link at the target's name.
enum class LinkAtTarget {
    // A name the operator gave: the link stands for the regular file it leads to (or will
    // create), and that file is written.
    WriteItsEnd,
    // A name of the program's own: the link is replaced, never followed, so whoever planted
    // it cannot aim the write at another file.
    Replace,
};

// The one way the programs write a file. Writes a temporary file (O_EXCL) beside the target
// and renames it over the target, so the target holds either its old content or the new
// one, never a part; the folder is synced after the rename. A target that exists and is
// not a regular file (a FIFO, a device, a folder), or a link whose end is one, is refused
// untouched and without waiting, as is a file the user may not write or that grants no
// write permission at all. An existing target keeps its permissions, and its owner and
// group where the system permits. A target with other hard links is written in place so
// that they all keep naming it (under WriteItsEnd; under Replace the name is replaced):
// its old content is copied beside it first, and put back when the write fails.
// Temporary files of this writer that a killed process left beside the target are removed.
// Returns the reason on failure.
std::optional<std::string> ReplaceFileContents(const std::filesystem::path& target,
                                               std::string_view bytes,
                                               LinkAtTarget link = LinkAtTarget::WriteItsEnd);

}  // namespace lumera
