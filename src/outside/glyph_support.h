#pragma once

#include <cstdint>

#include "outside/glyph_cell.h"

class QImage;

namespace lumera {

// The glyph-support entry points: the glyph font, cell and dot conversion, and the
// LED simulation. Results are for tests; the program's callers ignore them.

// Registers qfn.ttf from the program's data folder (face "qfn") with the running
// QGuiApplication, and withdraws it again.
bool _FontFILEApp();
bool _FontFILEDel();

// Mode 1 rewrites a double-byte cell (count 32, the 24-byte table record in data[0..23])
// in place into the device's 32-byte form: data[0..3] blank, then 14 columns of two
// bytes (rows 0-7, rows 8-15) with the 12 record columns in columns 1..12. kind and count
// are kept. Any other mode leaves the cell as it is.
void _CNFontConvert(GlyphCell& cell, std::uint8_t mode);

// Lay preview-form cells into dotRows (row 0 the bottom row of the text, column 0 its
// left end), writing every dot of the text area: English 90 columns a cell and 8 rows,
// Chinese 60 columns a unit and 16 rows. Nothing past column 1799 is written.
void _EngDataConvert(const Glyphs& glyphs, DotRows& dotRows);
void _CNDataConvert(const Glyphs& glyphs, DotRows& dotRows);

// Draws the whole circular LED simulation of dotRows into canvas (made 160 x 187 RGB32
// if it is not): 1800 columns to the turn, column 0 of the text at textAngle degrees,
// angles clockwise from three o'clock, rows as rings with row 0 innermost. ledColor
// 0..3 is red, green, amber, blue (other values wrap).
void _Display(QImage& canvas, const DotRows& dotRows, bool englishMode, std::uint8_t ledColor,
              std::int32_t textAngle);

}  // namespace lumera
