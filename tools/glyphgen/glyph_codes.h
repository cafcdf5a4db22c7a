#pragma once

#include <array>
#include <cstddef>

#include "editing/byte_classes.h"

namespace lumera::glyphgen {

// Printable characters of both display modes, then the English icons stored after them.
constexpr int kPrintableCount = kLastPrintable - kFirstPrintable + 1;
constexpr int kEnglishSpecialCount = kLastEnglishGlyph - kFirstEnglishGlyph + 1;

// Wide symbols of the Chinese display, in table order: the wide glyph codes, ascending.
constexpr std::size_t kSymbolCount = [] {
    std::size_t count = 0;
    for (int code = kFirstGlyphCode; code <= kLastGlyphCode; ++code) {
        count += IsWideGlyph(static_cast<unsigned char>(code)) ? 1 : 0;
    }
    return count;
}();
constexpr std::array<int, kSymbolCount> kSymbolCodes = [] {
    std::array<int, kSymbolCount> codes{};
    std::size_t next = 0;
    for (int code = kFirstGlyphCode; code <= kLastGlyphCode; ++code) {
        if (IsWideGlyph(static_cast<unsigned char>(code))) {
            codes[next++] = code;
        }
    }
    return codes;
}();

// Glyph codes are shown in the glyph font at U+E000 + code.
constexpr char32_t kGlyphCodeBase = 0xE000;

// Dot boxes of the sources.
constexpr int kEnglishWidth = 5;
constexpr int kEnglishHeight = 7;
constexpr int kHalfWidthWidth = 8;
constexpr int kHalfWidthHeight = 16;
constexpr int kSymbolWidth = 16;
constexpr int kSymbolHeight = 16;
constexpr int kSymbolBlankColumns = 2;  // the display receives only the last 14 columns
constexpr int kWideWidth = 12;
constexpr int kWideHeight = 16;

}  // namespace lumera::glyphgen
