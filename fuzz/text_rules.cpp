// The text rules: code page 936 conversion never alters a text it accepts, the measures
// agree with each other, and the change handling only ever shortens what it was given and
// keeps every section within its limit.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "editing/code_page_936.h"
#include "editing/keyboards.h"
#include "editing/message_table.h"
#include "editing/text_measures.h"
#include "editing/validation.h"
#include "fuzz_check.h"
#include "fuzz_input.h"

namespace {

using lumera::MessageTable;

constexpr std::size_t kLongestTypedText = 40;

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

void CheckConversions(std::string_view bytes) {
    FUZZ_CHECK(lumera::CodePage936ToUtf16(bytes).size() <= bytes.size());
    // Taken as UTF-8: what is accepted converts back unchanged.
    if (const auto stored = lumera::Utf8ToCodePage936(bytes)) {
        FUZZ_CHECK(lumera::CodePage936ToUtf8(*stored) == bytes);
    }
    for (const char16_t unit : lumera::CodePage936ToUtf16(bytes)) {
        if (const auto character = lumera::CodePage936FromUnit(unit)) {
            FUZZ_CHECK(lumera::CodePage936ToUtf16(*character) == std::u16string(1, unit));
        }
    }
}

void CheckMeasures(std::string_view text, std::uint8_t prevChineseLimit) {
    const int units = lumera::DisplayUnits(text);
    FUZZ_CHECK(lumera::NarrowCharacterCount(text) <= units);
    FUZZ_CHECK(units <= 2 * static_cast<int>(text.size()) + 1);
    const int limit = lumera::ChineseLimit(text, prevChineseLimit);
    FUZZ_CHECK(limit >= 0 && limit <= lumera::kChineseMaxLength + 1);
    const std::string trimmed = lumera::TrimToWidth(text, limit);
    FUZZ_CHECK(StartsWith(text, trimmed));
}

void CheckTable(const MessageTable& table) {
    FUZZ_CHECK(table.SectionCount() >= 0 && table.SectionCount() <= lumera::kSectionRows);
    FUZZ_CHECK(table.CurrentSection() >= 0 && table.CurrentSection() < lumera::kSectionRows);
    for (int index = 0; index < lumera::kSectionRows; ++index) {
        const lumera::Section& section = table.section(index);
        if (table.EnglishMode()) {
            FUZZ_CHECK(lumera::TextByteLength(section.text) <= section.maxLength);
        } else {
            FUZZ_CHECK(lumera::DisplayUnits(section.text) <= section.maxLength);
        }
        if (!section.text.empty()) {
            FUZZ_CHECK(index < table.SectionCount());
        }
    }
}

// Runs the edits the input spells out on one table, checking it after each.
void EditTable(lumera::fuzz::FuzzInput& input) {
    MessageTable table;
    while (!input.Empty()) {
        switch (input.Byte() % 5) {
            case 0:
                table.Reset(input.Byte() % 2 == 0);
                break;
            case 1: {
                const int index = input.Byte() % lumera::kSectionRows;
                const std::string typed(input.Text(input.Byte() % kLongestTypedText));
                table.SetText(index, typed);
                FUZZ_CHECK(StartsWith(typed, table.section(index).text));
                break;
            }
            case 2: {
                const int key = 1 + input.Byte() % lumera::kGlyphKeyCount;
                const auto insertion = table.PressGlyphKey(key, input.Byte());
                FUZZ_CHECK(insertion.caret <= table.section(table.CurrentSection()).text.size());
                break;
            }
            case 3: {
                const int key = 1 + input.Byte() % lumera::kEnglishKeyCount;
                const auto insertion = table.PressEnglishKey(key, input.Byte());
                FUZZ_CHECK(insertion.caret <= table.section(table.CurrentSection()).text.size());
                break;
            }
            default:
                table.ClickSection(input.Byte());
                break;
        }
        CheckTable(table);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view whole(reinterpret_cast<const char*>(data), size);
    CheckConversions(whole);
    CheckMeasures(whole, size == 0 ? 0 : data[0]);
    lumera::fuzz::FuzzInput edits(data, size);
    EditTable(edits);
    return 0;
}
