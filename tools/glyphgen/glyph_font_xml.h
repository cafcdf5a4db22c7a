#pragma once

#include <string>
#include <vector>

#include "pixel_grid.h"

namespace lumera::glyphgen {

// One glyph of the glyph font, drawn one square per lit dot on a grid of 1/16 em.
struct FontGlyph {
    char32_t codePoint;  // the character the cmap maps to it
    PixelGrid picture;
    int baselineRow;  // rows of the picture that stand above the baseline
    int leftShift;    // dots the picture moves left inside its advance
    int advance;      // advance width in dots
};

constexpr const char* kGlyphFontFamily = "qfn";

// The TTX document of the glyph font: .notdef first, then the glyphs in the order
// given. /usr/bin/ttx compiles it to TrueType.
std::string BuildGlyphFontXml(const std::vector<FontGlyph>& glyphs);

}  // namespace lumera::glyphgen
