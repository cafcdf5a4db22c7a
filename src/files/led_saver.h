#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "files/led_content.h"

namespace lumera {

// Writes the content as a scrambled message file, replacing the target whole or not at
// all. Returns why it failed, or nullopt when the file was written.
std::optional<std::string> WriteLedFile(const std::filesystem::path& target,
                                        const LedFileContent& content);

// Writes the content as a table file (FormatTableFile), the same way and with the same
// refusals as WriteLedFile.
std::optional<std::string> WriteTableFile(const std::filesystem::path& target,
                                          const LedFileContent& content);

}  // namespace lumera
