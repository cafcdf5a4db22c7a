#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lumera {

// Code page 936 (GBK) is the one code page of section texts, whatever the locale.

// Unit k of the result belongs to character k of the text as the converter sees it:
// a valid double-byte pair gives one unit, a single byte one unit, and a byte that
// starts no valid character gives one replacement unit (U+FFFD), after which the walk
// goes on with the next byte. Never fails.
std::u16string CodePage936ToUtf16(std::string_view bytes);

// The same walk, as UTF-8 (for terminals and window texts).
std::string CodePage936ToUtf8(std::string_view bytes);

// One character of code page 936 for a UTF-16 unit: one or two bytes, or nullopt when
// the character has no place in the code page.
std::optional<std::string> CodePage936FromUnit(char16_t unit);

// The whole UTF-8 text in code page 936, or nullopt when a character cannot be stored
// there (nothing is ever altered silently) or the UTF-8 is malformed.
std::optional<std::string> Utf8ToCodePage936(std::string_view utf8);

}  // namespace lumera
