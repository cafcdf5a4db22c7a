#pragma once

#include <cstdint>
#include <vector>

namespace lumera::download {

// A record's column data with its cells in reading order. The image carries a section's
// characters last first, each character's bytes in order; this puts the characters back.
//   English: every character is 5 column bytes; a remainder shorter than a character stays
//            at the end.
//   Chinese: two bytes a column; a double-byte character or symbol is 14 columns, a
//            single-byte character 9 columns whose last column is blank. Nothing marks where a
//            character ends, so the columns are split into such cells, preferring 14-column
//            cells with blank first and last columns (as double-byte characters are laid),
//            then the fewest cells. Data that splits into no such cells is returned unchanged.
std::vector<std::uint8_t> CellsInReadingOrder(const std::vector<std::uint8_t>& data,
                                              bool englishMode);

}  // namespace lumera::download
