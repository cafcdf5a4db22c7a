#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace lumera {

struct FileBytes {
    std::optional<std::string> bytes;
    std::string error;  // the system's reason, when bytes is empty
};

FileBytes ReadFileBytes(const std::filesystem::path& path);

// Writes a temporary file beside the target and renames it over the target, so the
// target holds either its old content or the new one, never a part. An existing
// target keeps its permissions; a link is followed to the file it names. Returns the
// system's reason on failure.
std::optional<std::string> ReplaceFileContents(const std::filesystem::path& target,
                                               std::string_view bytes);

}  // namespace lumera
