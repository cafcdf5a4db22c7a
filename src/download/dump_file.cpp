#include "download/dump_file.h"

#include <string_view>
#include <system_error>

#include "download/download_texts.h"
#include "editing/file_bytes.h"

namespace lumera::download {
namespace {

// Why there was nowhere to try: an installed program dumps into the per-user folder, which a
// user without a home has not got.
constexpr char kNoDumpFolderText[] =
    "no folder to write it in: this user has no home folder; set HOME or XDG_DATA_HOME to an "
    "absolute path";

}  // namespace

std::optional<std::filesystem::path> WriteDumpFile(const std::vector<std::uint8_t>& sendData,
                                                   const std::filesystem::path& dumpDirectory,
                                                   const std::filesystem::path& fallbackDirectory,
                                                   Prompter& prompter) {
    std::filesystem::path file = kDumpFileName;
    std::string reason = kNoDumpFolderText;
    const std::string_view bytes(reinterpret_cast<const char*>(sendData.data()), sendData.size());
    for (const auto& directory : {dumpDirectory, fallbackDirectory}) {
        if (directory.empty()) {
            continue;  // no per-user folder: never the working folder instead
        }
        std::error_code made;
        std::filesystem::create_directories(directory, made);
        file = directory / kDumpFileName;
        // The name is the program's own: a link planted there is replaced, never followed.
        const auto failure = ReplaceFileContents(file, bytes, LinkAtTarget::Replace);
        if (!failure) {
            return file;
        }
        // A folder that could not be made says more than the write into it.
        reason = made ? made.message() : *failure;
    }
    prompter.Message(kCreateFileText + file.string() + kCreateFileErrorText + " (" + reason + ")");
    return std::nullopt;
}

}  // namespace lumera::download
