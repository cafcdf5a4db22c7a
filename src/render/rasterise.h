#pragma once

#include <string_view>

#include "outside/glyph_cell.h"
#include "render/glyph_tables.h"

namespace lumera {

// Turn a section text into one cell per character, in text order. Both empty `glyphs`
// first and zero every byte of `dotRows`. The preview form (deviceForm false) feeds the
// LED preview; the device form is what the download image carries: English columns keep
// their stored 8 dots and double-byte cells go through _CNFontConvert. A table file that
// cannot be read leaves its cells blank after one message per character.

// Every byte is a character; one English mode cannot draw (ClassIn) gives an empty cell.
void RasteriseEnglish(std::string_view text, bool deviceForm, const GlyphTableFiles& tables,
                      Glyphs& glyphs, DotRows& dotRows);
// Code page 936 text: a double-byte lead and the byte after it are one character, wide
// glyphs are symbols, printable ASCII single-byte characters; other bytes give empty cells.
void RasteriseChinese(std::string_view text, bool deviceForm, const GlyphTableFiles& tables,
                      Glyphs& glyphs, DotRows& dotRows);

// The cells of a text with their kind and count and no dots, one per character in text order,
// cut as the rasterisers cut it. A cell's kind follows from its character's bytes alone,
// which is what lets an image be sized without reading a table.
void BlankCells(std::string_view text, bool englishMode, Glyphs& glyphs);

}  // namespace lumera
