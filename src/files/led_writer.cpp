#include "files/led_writer.h"

#include <cstddef>

#include "editing/table_limits.h"

namespace lumera {

namespace {

std::string TwoDigits(std::size_t value) {
    return (value < 10 ? "0" : "") + std::to_string(value);
}

}  // namespace

std::optional<std::string> UnstorableTextReason(const std::string& text) {
    if (text.size() > static_cast<std::size_t>(kLedMaxTextLength)) {
        return "holds " + std::to_string(text.size()) + " bytes; a message file stores at most " +
               std::to_string(kLedMaxTextLength);
    }
    // The reader splits lines at CR and LF and ends the text at a zero byte.
    if (text.find_first_of(std::string("\0\r\n", 3)) != std::string::npos) {
        return "holds a line-end or zero byte, which a message file cannot store";
    }
    return std::nullopt;
}

std::optional<std::string> UnstorableReason(const LedFileContent& content) {
    // The reader refuses a count above the table's rows.
    if (content.sections.size() > static_cast<std::size_t>(kSectionRows)) {
        return "the table holds " + std::to_string(content.sections.size()) +
               " sections; a message file stores at most " + std::to_string(kSectionRows);
    }
    for (std::size_t n = 0; n < content.sections.size(); ++n) {
        if (auto reason = UnstorableTextReason(content.sections[n].text)) {
            return "section " + std::to_string(n + 1) + " " + *reason;
        }
    }
    return std::nullopt;
}

std::optional<std::string> UnstorableInMessageFile(const LedFileContent& content) {
    std::string drawn;
    int drawings = 0;
    for (std::size_t n = 0; n < content.sections.size(); ++n) {
        if (!content.sections[n].drawing.columns.empty()) {
            drawn += (drawings++ == 0 ? "" : ", ") + std::to_string(n + 1);
        }
    }
    if (drawings > 0) {
        return std::string("a message file (.led) stores texts only, and ") +
               (drawings == 1 ? "the drawing of section " : "the drawings of sections ") + drawn +
               " would be lost: save the table as a Lumera table (.lumera), which keeps them";
    }
    return UnstorableReason(content);
}

std::string FormatLedText(const LedFileContent& content) {
    std::string plain = "Row:" + TwoDigits(content.sections.size()) +
                        "Eng:" + (content.englishMode ? "1" : "0") + kLedLineEnd;
    for (const LedSection& section : content.sections) {
        plain += TwoDigits(section.text.size());
        plain += section.text;
        plain += std::to_string(EffectNumber(section.openOption));
        plain += std::to_string(EffectNumber(section.closeOption));
        plain += kLedLineEnd;
    }
    return plain;
}

}  // namespace lumera
