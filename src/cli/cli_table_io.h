#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "editing/message_table.h"

namespace lumera::cli {

// One line on stderr naming the command and what is wrong; returns the usage exit code.
int UsageError(std::string_view command, std::string_view what);

// Loads a message file as Open does into `table` (a freshly started table). The
// messages the window would show go to stderr, one per line, in order. Returns true
// when the file was accepted.
bool LoadIntoTable(const std::filesystem::path& path, MessageTable& table);

}  // namespace lumera::cli
