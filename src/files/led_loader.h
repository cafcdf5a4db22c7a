#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "editing/message_table.h"
#include "files/led_content.h"
#include "files/led_parser.h"

namespace lumera {

struct LedReadResult {
    std::optional<LedFileContent> content;
    // When content is empty: the path followed by " error!", a line break, then what is
    // wrong (line and field; the system's reason for an unreadable file; or why it was
    // refused unread: not a regular file, or too large).
    std::string error;
};

// The content of a whole file as it lies on disk, a table file or a scrambled message file:
// told apart by the bytes (IsTableFileText), never by the file's name.
LedParseResult ParseMessageFileBytes(std::string bytes);

// Reads and checks a whole file of either kind (ParseMessageFileBytes) without touching any
// table.
LedReadResult ReadLedFile(const std::filesystem::path& path);

struct LoadResult {
    bool loaded = false;  // the table was replaced; otherwise it is exactly as it was
    Messages messages;    // to be shown in order: the rejection, or the change handling's
};

LoadResult LoadLedFile(const std::filesystem::path& path, MessageTable& table);

}  // namespace lumera
