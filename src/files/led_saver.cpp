#include "files/led_saver.h"

#include "editing/file_bytes.h"
#include "files/led_scramble.h"
#include "files/led_writer.h"
#include "files/table_file.h"

namespace lumera {

std::optional<std::string> WriteLedFile(const std::filesystem::path& target,
                                        const LedFileContent& content) {
    if (auto reason = UnstorableInMessageFile(content)) {
        return reason;
    }
    std::string bytes = FormatLedText(content);
    ScrambleLedBytes(bytes);
    return ReplaceFileContents(target, bytes);
}

std::optional<std::string> WriteTableFile(const std::filesystem::path& target,
                                          const LedFileContent& content) {
    // Refused alike, so that either kind of file reads back into the other.
    if (auto reason = UnstorableReason(content)) {
        return reason;
    }
    return ReplaceFileContents(target, FormatTableFile(content));
}

}  // namespace lumera
