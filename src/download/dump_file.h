#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "editing/prompter.h"

namespace lumera::download {

inline constexpr char kDumpFileName[] = "USBSendData.bin";

// Writes the image to "USBSendData.bin" in programDirectory, or, when that cannot be written
// (an installed program), in fallbackDirectory, creating it when needed. Returns the file
// written; when neither can be, shows "Create File <path>Error!" and returns nullopt.
std::optional<std::filesystem::path> WriteDumpFile(const std::vector<std::uint8_t>& sendData,
                                                   const std::filesystem::path& programDirectory,
                                                   const std::filesystem::path& fallbackDirectory,
                                                   Prompter& prompter);

}  // namespace lumera::download
