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

// Every byte is a character: 0x20..0x7E and the symbols 0x12..0x1B; others give empty cells.
void RasteriseEnglish(std::string_view text, bool deviceForm, const GlyphTableFiles& tables,
                      Glyphs& glyphs, DotRows& dotRows);
// Code page 936 text: a byte above 0x81 and the byte after it are one double-byte character;
// 0x01..0x11 glyph codes are symbols; 0x20..0x7E single-byte characters.
void RasteriseChinese(std::string_view text, bool deviceForm, const GlyphTableFiles& tables,
                      Glyphs& glyphs, DotRows& dotRows);

// The cells of a text with their kind and count and no dots, one per character in text order,
// cut as the rasterisers cut it. A cell's kind follows from its character's bytes alone,
// which is what lets an image be sized without reading a table.
void BlankCells(std::string_view text, bool englishMode, Glyphs& glyphs);

}  // namespace lumera
