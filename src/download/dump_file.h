#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "editing/prompter.h"

namespace lumera::download {

inline constexpr char kDumpFileName[] = "USBSendData.bin";

// Writes the image to "USBSendData.bin" in dumpDirectory, or, when that cannot be written
// (a program folder without write access), in fallbackDirectory, creating either when needed.
// Returns the file written; when neither can be, shows "Create File <path>Error!" with the
// reason in brackets (the last file tried, or the bare name when there was no folder to try)
// and returns nullopt.
std::optional<std::filesystem::path> WriteDumpFile(const std::vector<std::uint8_t>& sendData,
                                                   const std::filesystem::path& dumpDirectory,
                                                   const std::filesystem::path& fallbackDirectory,
                                                   Prompter& prompter);

}  // namespace lumera::download
