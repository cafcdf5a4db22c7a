#include "program_directory.h"

#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <system_error>
#include <vector>

namespace lumera {

namespace {

// Relative to the folder of an installed executable.
const std::filesystem::path kInstalledDataDirectory =
    std::filesystem::path("..") / "share" / "lumera";
const std::filesystem::path kInstalledLibraryDirectory =
    std::filesystem::path("..") / "lib" / "lumera";
// Enough for an account's record where the system does not say how much it needs.
constexpr std::size_t kPasswordBuffer = 4096;

bool IsFile(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

// The user's home folder as the system records it, for a process started without HOME.
std::filesystem::path HomeFromPasswordDatabase() {
    const long suggested = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(suggested > 0 ? static_cast<std::size_t>(suggested) : kPasswordBuffer);
    passwd entry{};
    passwd* found = nullptr;
    while (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) == ERANGE) {
        buffer.resize(buffer.size() * 2);
    }
    if (found == nullptr || found->pw_dir == nullptr || *found->pw_dir != '/') {
        return {};
    }
    return found->pw_dir;
}

bool IsDirectory(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

}  // namespace

std::filesystem::path ProgramDirectory() {
    std::error_code error;
    const auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        return std::filesystem::current_path();
    }
    return executable.parent_path();
}

std::filesystem::path UserDataDirectory() {
    // A relative XDG_DATA_HOME is invalid and to be ignored.
    if (const char* dataHome = std::getenv("XDG_DATA_HOME"); dataHome && *dataHome == '/') {
        return std::filesystem::path(dataHome) / "lumera";
    }
    std::filesystem::path home;
    // A relative HOME would put the dump wherever the program happens to run.
    if (const char* fromEnvironment = std::getenv("HOME");
        fromEnvironment && *fromEnvironment == '/') {
        home = fromEnvironment;
    } else {
        home = HomeFromPasswordDatabase();
    }
    if (home.empty()) {
        return {};
    }
    return home / ".local" / "share" / "lumera";
}

ProgramFiles LocateProgramFiles(const std::filesystem::path& programDirectory,
                                const std::filesystem::path& userDataDirectory) {
    const auto installedData = (programDirectory / kInstalledDataDirectory).lexically_normal();
    // With data neither beside the program nor installed, the program's own folder stays the
    // place the reports name, as in the build tree.
    const bool installed =
        !IsFile(programDirectory / kGlyphFontFileName) && IsDirectory(installedData);
    ProgramFiles files;
    files.dataDirectory = installed ? installedData : programDirectory;
    files.dumpDirectory = installed ? userDataDirectory : programDirectory;
    for (const auto& library :
         {programDirectory / kDeviceLibraryFileName,
          (programDirectory / kInstalledLibraryDirectory / kDeviceLibraryFileName)
              .lexically_normal()}) {
        if (IsFile(library)) {
            files.deviceLibrary = library;
            break;
        }
    }
    return files;
}

ProgramFiles LocateProgramFiles() {
    return LocateProgramFiles(ProgramDirectory(), UserDataDirectory());
}

}  // namespace lumera
