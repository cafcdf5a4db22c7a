#pragma once

#include <array>

namespace lumera::glyphgen {

// Printable characters of both display modes.
constexpr int kFirstPrintable = 0x20;
constexpr int kLastPrintable = 0x7E;
constexpr int kPrintableCount = kLastPrintable - kFirstPrintable + 1;

// Icons of the English display, stored after the printable characters.
constexpr int kFirstEnglishSpecial = 0x12;
constexpr int kLastEnglishSpecial = 0x1B;
constexpr int kEnglishSpecialCount = kLastEnglishSpecial - kFirstEnglishSpecial + 1;

// Wide symbols of the Chinese display, in table order.
constexpr std::array<int, 14> kSymbolCodes = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07,
                                              0x08, 0x0B, 0x0C, 0x0E, 0x0F, 0x10, 0x11};

// Glyph codes 0x01..0x1B are shown in the glyph font at U+E000 + code.
constexpr int kFirstGlyphCode = 0x01;
constexpr int kLastGlyphCode = 0x1B;
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
