#pragma once

#include <string_view>

namespace lumera {

// Section texts are code page 936 bytes. A byte above 0x81 opens a double-byte
// character; 0x01..0x08, 0x0B, 0x0C and 0x0E..0x11 are wide glyphs; everything
// else is narrow.
bool IsDoubleByteLead(unsigned char byte);
bool IsWideGlyph(unsigned char byte);

// Width in units: 2 per double-byte character or wide glyph, 1 per narrow character.
// A lead byte that ends the text counts 2.
int DisplayUnits(std::string_view text);
int TextByteLength(std::string_view text);
// Bytes that are neither part of a double-byte character nor wide glyphs.
int NarrowCharacterCount(std::string_view text);
// Not empty and holding some byte other than a blank.
bool IsShowable(std::string_view text);

}  // namespace lumera
