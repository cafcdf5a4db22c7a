#include "files/led_writer.h"

#include <cstddef>

namespace lumera {

namespace {

std::string TwoDigits(std::size_t value) {
    return (value < 10 ? "0" : "") + std::to_string(value);
}

}  // namespace

std::optional<std::string> UnstorableReason(const LedFileContent& content) {
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
    for (std::size_t n = 0; n < content.sections.size(); ++n) {
        const std::string& text = content.sections[n].text;
        const std::string section = "section " + std::to_string(n + 1);
        if (text.size() > static_cast<std::size_t>(kLedMaxTextLength)) {
            return section + " holds " + std::to_string(text.size()) +
                   " bytes; a message file stores at most " + std::to_string(kLedMaxTextLength);
        }
        // The reader splits lines at CR and LF and ends the text at a zero byte.
        if (text.find_first_of(std::string("\0\r\n", 3)) != std::string::npos) {
            return section + " holds a line-end or zero byte, which a message file cannot store";
        }
    }
    return std::nullopt;
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
