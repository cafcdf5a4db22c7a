#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace lumera {

// A mode accepts the bytes it can draw (ClassIn): English texts the English keys' codes,
// Chinese texts wide glyphs, printable ASCII and double-byte leads. Every byte is judged on
// its own, so a double-byte character whose second byte is 0x80 or 0x81 fails.
bool IsEnglishCharacter(unsigned char byte);
bool IsChineseCharacter(unsigned char byte);

bool HasBadEnglishChar(std::string_view text);
bool HasBadChineseChar(std::string_view text);

// The message for a text with a character its mode does not allow: the fixed message, then
// the first such character as typed (UTF-8, or a glyph's name) and its code,
// as in "… requirement! “é” (0xA8A6)"; a byte that is no character has its code alone.
std::string BadCharacterMessage(std::string_view text, bool englishMode);

// The Chinese limit in width units for a text with `narrowCount` narrow characters:
// 24 - ceil(narrowCount / 3), never below 0.
int ChineseLimitForNarrow(int narrowCount);

// The limit the Chinese rule gives `text`, one higher when that meets the limit the
// rule gave last (`prevChineseLimit`), so a section does not lose room at every third
// narrow character. The caller stores the result as the new previous limit.
std::uint8_t ChineseLimit(std::string_view text, std::uint8_t prevChineseLimit);

// The longest leading part of `text` kept under a limit in width units. Cuts are looked
// for from 12 bytes on; a cut never ends in the lead byte of a double-byte character.
std::string TrimToWidth(std::string_view text, int limit);

}  // namespace lumera
