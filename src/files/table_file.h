#pragma once

#include <string>
#include <string_view>

#include "files/led_content.h"
#include "files/led_parser.h"

namespace lumera {

// The program's own table file: JSON a person can read, compare and mend, beside the
// scrambled message file. Version 1 holds the mode and the sections.
constexpr std::string_view kTableFileExtension = ".lumera";
constexpr int kTableFileVersion = 1;

// Whether the bytes of a file are a table file rather than a message file: the first byte
// that is not white space opens a JSON object.
bool IsTableFileText(std::string_view bytes);

// Reads and checks a whole table file; nothing of a rejected text is returned. The error
// names the line (counted from 1) and the field of the first problem found.
LedParseResult ParseTableFile(std::string_view text);

// The file text, the same bytes for the same content: keys in a fixed order, two spaces of
// indent, a section a line, one line end after the last brace. A text is kept readable as
// "text" when it converts to UTF-8 and back unchanged and holds no control byte (glyph codes
// among them); otherwise it goes as "bytes", hex pairs, so every byte survives. The content
// must be storable (UnstorableReason).
std::string FormatTableFile(const LedFileContent& content);

}  // namespace lumera
