#include "download/dump_file.h"

#include <string_view>
#include <system_error>

#include "download/download_texts.h"
#include "editing/file_bytes.h"

namespace lumera::download {

std::optional<std::filesystem::path> WriteDumpFile(const std::vector<std::uint8_t>& sendData,
                                                   const std::filesystem::path& dumpDirectory,
                                                   const std::filesystem::path& fallbackDirectory,
                                                   Prompter& prompter) {
    std::filesystem::path file;
    const std::string_view bytes(reinterpret_cast<const char*>(sendData.data()), sendData.size());
    for (const auto& directory : {dumpDirectory, fallbackDirectory}) {
        if (directory.empty()) {
            continue;  // no per-user folder: never the working folder instead
        }
        std::error_code ignored;  // a directory that cannot be made shows as the write failing
        std::filesystem::create_directories(directory, ignored);
        file = directory / kDumpFileName;
        // The name is the program's own: a link planted there is replaced, never followed.
        if (!ReplaceFileContents(file, bytes, LinkAtTarget::Replace)) {
            return file;
        }
    }
    prompter.Message(kCreateFileText + file.string() + kCreateFileErrorText);
    return std::nullopt;
}

}  // namespace lumera::download
