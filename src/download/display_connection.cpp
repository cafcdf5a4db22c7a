#include "download/display_connection.h"

#include "zrusb/emulated_display_files.h"

namespace lumera::download {

std::optional<std::string> EmulatedDisplayFolder() {
    const char* folder = zrusb::EmulatedDisplayFolder();
    if (folder == nullptr) {
        return std::nullopt;
    }
    return std::string(folder);
}

std::filesystem::path EmulatedDisplayMemory(const std::filesystem::path& folder) {
    return folder / zrusb::kMemoryFileName;
}

std::string EmulatedDisplayNote(const std::string& folder) {
    return "Emulated display: " + folder;
}

}  // namespace lumera::download
