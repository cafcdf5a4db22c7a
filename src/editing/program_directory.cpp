#include "program_directory.h"

#include <cstdlib>
#include <system_error>

namespace lumera {

namespace {

// Relative to the folder of an installed executable.
const std::filesystem::path kInstalledDataDirectory =
    std::filesystem::path("..") / "share" / "lumera";
const std::filesystem::path kInstalledLibraryDirectory =
    std::filesystem::path("..") / "lib" / "lumera";

bool IsFile(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
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
    if (const char* dataHome = std::getenv("XDG_DATA_HOME"); dataHome && *dataHome) {
        return std::filesystem::path(dataHome) / "lumera";
    }
    if (const char* home = std::getenv("HOME"); home && *home) {
        return std::filesystem::path(home) / ".local" / "share" / "lumera";
    }
    return std::filesystem::temp_directory_path() / "lumera";
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
