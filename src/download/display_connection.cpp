#include "download/display_connection.h"

#include <cstdlib>

namespace lumera::download {

std::optional<std::string> EmulatedDisplayFolder() {
    const char* folder = std::getenv("ZRUSB_EMULATOR");
    if (folder == nullptr || *folder == '\0') {
        return std::nullopt;
    }
    return std::string(folder);
}

std::string EmulatedDisplayNote(const std::string& folder) {
    return "Emulated display: " + folder;
}

}  // namespace lumera::download
