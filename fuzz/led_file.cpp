// A message file as it lies on disk (scrambled): reading it either rejects it with a reason
// or gives a table that saves to a file which reads back as the very same table.
#include <cstddef>
#include <cstdint>
#include <string>

#include "editing/message_table.h"
#include "files/led_parser.h"
#include "files/led_scramble.h"
#include "files/led_table.h"
#include "files/led_writer.h"
#include "fuzz_check.h"

namespace {

using lumera::LedFileContent;
using lumera::MessageTable;

// What a message file read back from `stored` (scrambled bytes) holds, or nothing.
lumera::LedParseResult Read(std::string stored) {
    lumera::ScrambleLedBytes(stored);
    return lumera::ParseLedText(stored);
}

std::string Saved(const LedFileContent& content) {
    std::string bytes = lumera::FormatLedText(content);
    lumera::ScrambleLedBytes(bytes);
    return bytes;
}

void CheckSameTable(const MessageTable& a, const MessageTable& b) {
    FUZZ_CHECK(a.EnglishMode() == b.EnglishMode());
    FUZZ_CHECK(a.SectionCount() == b.SectionCount());
    for (int index = 0; index < lumera::kSectionRows; ++index) {
        FUZZ_CHECK(a.section(index).text == b.section(index).text);
        FUZZ_CHECK(a.section(index).openOption == b.section(index).openOption);
        FUZZ_CHECK(a.section(index).closeOption == b.section(index).closeOption);
        FUZZ_CHECK(a.section(index).enabled == b.section(index).enabled);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const lumera::LedParseResult read =
        Read(std::string(reinterpret_cast<const char*>(data), size));
    if (!read.content) {
        FUZZ_CHECK(!read.error.empty());
        return 0;
    }
    FUZZ_CHECK(read.content->sections.size() <= static_cast<std::size_t>(lumera::kSectionRows));
    MessageTable loaded;
    lumera::ApplyLedContent(*read.content, loaded);

    // Whatever a file held, the table it loads into can be saved.
    const LedFileContent content = lumera::ContentOfTable(loaded);
    FUZZ_CHECK(!lumera::UnstorableReason(content));
    const lumera::LedParseResult reread = Read(Saved(content));
    FUZZ_CHECK(reread.content && *reread.content == content);

    MessageTable reloaded;
    lumera::ApplyLedContent(*reread.content, reloaded);
    CheckSameTable(loaded, reloaded);
    return 0;
}
