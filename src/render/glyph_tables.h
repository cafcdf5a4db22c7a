#pragma once

#include <filesystem>

#include "editing/prompter.h"
#include "outside/glyph_cell.h"

namespace lumera {

// Where the four glyph table files lie, and who is told when one cannot be opened.
struct GlyphTableFiles {
    std::filesystem::path directory;  // the window and the terminal pass the located data folder
    Prompter& prompter;
};

inline constexpr char kEnglishTableName[] = "window_zr1.bin";
inline constexpr char kHalfWidthTableName[] = "window_zr2.bin";
inline constexpr char kSymbolTableName[] = "window_zr3.bin";
inline constexpr char kWideTableName[] = "window_zr4.bin";

// Each reader opens its file afresh, fills cell.data from index 0 and returns true. When
// the file cannot be opened it shows "Open File <path>Error!" and returns false without
// touching the cell. kind and count are the caller's. Units lying past the end of a file
// read as 0 (no dots).

// record 32..136: 0x20..0x7E, then the ten English symbols. The preview form turns each
// column into 7 dots (bit k = row k from the top); the device form keeps the stored byte.
bool ReadEnglishGlyph(int record, GlyphCell& cell, bool deviceForm, const GlyphTableFiles& tables);
// code 0x20..0x7E: 16 bytes, two per column (rows 0-7, rows 8-15).
bool ReadHalfWidthGlyph(int code, GlyphCell& cell, const GlyphTableFiles& tables);
// index 0..13: 32 bytes, two per column.
bool ReadSymbolGlyph(int index, GlyphCell& cell, const GlyphTableFiles& tables);
// Any UTF-16 unit: the 24 record bytes unchanged.
bool ReadWideGlyph(char16_t unit, GlyphCell& cell, const GlyphTableFiles& tables);

}  // namespace lumera
