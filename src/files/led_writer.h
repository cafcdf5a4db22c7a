#pragma once

#include <optional>
#include <string>

#include "files/led_content.h"

namespace lumera {

// The longest text a two-digit length field can describe.
constexpr int kLedMaxTextLength = 99;

// Why one section text cannot be written so that it reads back the same (it holds a line-end
// or zero byte, or is longer than its length field can say), starting "holds", or nullopt.
std::optional<std::string> UnstorableTextReason(const std::string& text);

// Why the content cannot be written so that it reads back the same, in either kind of file
// (more sections than the table has rows, or a text UnstorableTextReason refuses), or nullopt.
std::optional<std::string> UnstorableReason(const LedFileContent& content);

// The same for a message file, which has no place for a drawing either: the drawn sections
// are named and the table file offered.
std::optional<std::string> UnstorableInMessageFile(const LedFileContent& content);

// The plain (unscrambled) file text: "Row:" two-digit count "Eng:" mode, then one line
// per section: two-digit length, text, open option, close option; every line ends CR LF.
std::string FormatLedText(const LedFileContent& content);

}  // namespace lumera
