// A table file as it lies on disk: reading it either rejects it with a reason or gives content
// that writes to the same bytes every time, and a table that saves to a file which reads back
// as the very same table.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "editing/message_table.h"
#include "files/led_table.h"
#include "files/led_writer.h"
#include "files/table_file.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const lumera::LedParseResult read =
        lumera::ParseTableFile(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!read.content) {
        FUZZ_CHECK(!read.error.empty());
        return 0;
    }
    FUZZ_CHECK(read.content->sections.size() <= static_cast<std::size_t>(lumera::kSectionRows));
    FUZZ_CHECK(!lumera::UnstorableReason(*read.content));
    const std::string file = lumera::FormatTableFile(*read.content);
    const lumera::LedParseResult reread = lumera::ParseTableFile(file);
    FUZZ_CHECK(reread.content && *reread.content == *read.content);
    FUZZ_CHECK(lumera::FormatTableFile(*reread.content) == file);

    lumera::MessageTable loaded;
    lumera::ApplyLedContent(*read.content, loaded);
    const lumera::LedFileContent saved = lumera::ContentOfTable(loaded);
    const lumera::LedParseResult reloaded = lumera::ParseTableFile(lumera::FormatTableFile(saved));
    FUZZ_CHECK(reloaded.content && *reloaded.content == saved);
    return 0;
}
