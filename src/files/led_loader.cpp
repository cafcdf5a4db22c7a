#include "files/led_loader.h"

#include "editing/file_bytes.h"
#include "files/led_parser.h"
#include "files/led_scramble.h"
#include "files/led_table.h"
#include "files/table_file.h"

namespace lumera {

namespace {

std::string LoadError(const std::filesystem::path& path, const std::string& reason) {
    return path.string() + " error!\n" + reason;
}

}  // namespace

LedParseResult ParseMessageFileBytes(std::string bytes) {
    if (IsTableFileText(bytes)) {
        return ParseTableFile(bytes);
    }
    ScrambleLedBytes(bytes);
    return ParseLedText(bytes);
}

LedReadResult ReadLedFile(const std::filesystem::path& path) {
    FileBytes file = ReadFileBytes(path);
    if (!file.bytes) {
        return {std::nullopt, LoadError(path, file.error)};
    }
    LedParseResult parsed = ParseMessageFileBytes(std::move(*file.bytes));
    if (!parsed.content) {
        return {std::nullopt, LoadError(path, parsed.error)};
    }
    return {std::move(parsed.content), {}};
}

LoadResult LoadLedFile(const std::filesystem::path& path, MessageTable& table) {
    LedReadResult read = ReadLedFile(path);
    if (!read.content) {
        return {false, {read.error}};
    }
    return {true, ApplyLedContent(*read.content, table)};
}

}  // namespace lumera
