#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/led_content.h"

namespace lumera {

// Lines of the plain text: they end at CR LF, a lone CR or a lone LF, and a zero byte
// ends the text. A last line without a line end counts when it is not empty.
std::vector<std::string_view> SplitLedLines(std::string_view plain);

struct LedParseResult {
    std::optional<LedFileContent> content;
    std::string error;  // what is wrong and where, when content is empty
};

// Reads and checks the whole plain text; nothing of a rejected text is returned.
// Lines after the last section line are ignored.
LedParseResult ParseLedText(std::string_view plain);

}  // namespace lumera
