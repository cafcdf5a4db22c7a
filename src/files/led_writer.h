#pragma once

#include <optional>
#include <string>

#include "files/led_content.h"

namespace lumera {

// The longest text a two-digit length field can describe.
constexpr int kLedMaxTextLength = 99;

// Why the content cannot be written so that it reads back the same (a drawing, which a
// message file has no place for; a text holding a line-end or zero byte, or longer than its
// length field can say), or nullopt.
std::optional<std::string> UnstorableReason(const LedFileContent& content);

// The plain (unscrambled) file text: "Row:" two-digit count "Eng:" mode, then one line
// per section: two-digit length, text, open option, close option; every line ends CR LF.
std::string FormatLedText(const LedFileContent& content);

}  // namespace lumera
