#pragma once

#include <string_view>

#include "editing/byte_classes.h"

namespace lumera {

// Width in units: 2 per double-byte character or wide glyph, 1 per narrow character.
// A lead byte that ends the text counts 2.
int DisplayUnits(std::string_view text);
int TextByteLength(std::string_view text);
// Bytes that are neither part of a double-byte character nor wide glyphs.
int NarrowCharacterCount(std::string_view text);
// Not empty and holding some byte other than a blank.
bool IsShowable(std::string_view text);

}  // namespace lumera
