#include "program_directory.h"

#include <cstdlib>
#include <system_error>

namespace lumera {

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

}  // namespace lumera
