#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "editing/message_table.h"

namespace lumera::cli {

// "lumera-cli COMMAND: ", which starts every error the tool words itself.
std::string ErrorPrefix(std::string_view command);

// One line on stderr naming the command and what is wrong; returns the usage exit code.
int UsageError(std::string_view command, std::string_view what);

// Loads a message file as Open does into `table` (a freshly started table). The
// messages the window would show go to stderr, one per line, in order; the lines of a
// refusal start with ErrorPrefix(command). Returns true when the file was accepted.
bool LoadIntoTable(std::string_view command, const std::filesystem::path& path,
                   MessageTable& table);

}  // namespace lumera::cli
