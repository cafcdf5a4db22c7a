#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "outside/glyph_cell.h"

namespace lumera {

// Lays the column data of a download record into dotRows, one LED column per record column
// in the order the record carries them: English one byte a column (8 rows), Chinese two
// bytes a column (rows 0-7 from the top, then rows 8-15). The columns' whole text area is
// written, lit and unlit; columns past the turn are dropped. Returns the buffer columns the
// text takes.
int DeviceColumnsConvert(const std::uint8_t* data, std::size_t size, bool englishMode,
                         DotRows& dotRows);

// Drawn columns (bit r = row r from the top, leftmost first) as record column data in the
// same order: English one byte a column, Chinese two (rows 0-7, then rows 8-15). What
// DeviceColumnsConvert lays is then exactly the drawing.
std::vector<std::uint8_t> DrawingColumnBytes(const std::vector<std::uint16_t>& columns,
                                             bool englishMode);

}  // namespace lumera
