#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace lumera {

// One rasterised character; handed across the glyph-support boundary in exactly
// this 34-byte layout.
struct GlyphCell {
    std::uint8_t kind = 0;   // 0 none, 1 double-byte character, 2 symbol, 3 single-byte character
    std::uint8_t count = 0;  // meaningful bytes at the start of data: 0, 5, 16 or 32
    std::uint8_t data[32] = {};
};
static_assert(sizeof(GlyphCell) == 34, "GlyphCell crosses library boundaries as 34 bytes");

enum GlyphKind : std::uint8_t {
    kNoGlyph = 0,
    kDoubleByteGlyph = 1,
    kSymbolGlyph = 2,
    kSingleByteGlyph = 3,
};

using Glyphs = std::vector<GlyphCell>;

constexpr int kDotRowCount = 16;
constexpr int kDotColumnCount = 1800;  // one full turn of the circle, 5 columns per degree
// Row-major, one byte per dot; row 0 is the bottom row of the text.
using DotRows = std::array<std::array<std::uint8_t, kDotColumnCount>, kDotRowCount>;

}  // namespace lumera
