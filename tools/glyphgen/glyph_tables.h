#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "pixel_grid.h"

namespace lumera::glyphgen {

using TableBytes = std::vector<std::uint8_t>;

// The layouts of the four tables are described in glyph_tables.cpp.

// records: the 95 printable characters 0x20..0x7E, then the 10 icons 0x12..0x1B,
// each 5 x 7 dots.
TableBytes BuildEnglishTable(const std::vector<PixelGrid>& records);
// characters: 0x20..0x7E, each 8 x 16 dots.
TableBytes BuildHalfWidthTable(const std::vector<PixelGrid>& characters);
// symbols: the 14 wide symbols in table order, each 16 x 16 dots.
TableBytes BuildSymbolTable(const std::vector<PixelGrid>& symbols);
// draw: the 12 x 16 picture of a UTF-16 code unit, nullopt where there is none.
TableBytes BuildWideTable(const std::function<std::optional<PixelGrid>(char16_t)>& draw);

}  // namespace lumera::glyphgen
