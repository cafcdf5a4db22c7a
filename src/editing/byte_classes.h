#pragma once

#include <cstdint>

// What one byte of a section text is. Section texts are code page 936 bytes whose codes
// 0x01..0x1B are glyphs of the display's own font. The text rules, the rasterisers, the
// file parser and the section edits all ask here, so they cannot disagree about a byte.
namespace lumera {

inline constexpr unsigned char kFirstGlyphCode = 0x01;
inline constexpr unsigned char kLastGlyphCode = 0x1B;
inline constexpr unsigned char kFirstEnglishGlyph = 0x12;
inline constexpr unsigned char kLastEnglishGlyph = kLastGlyphCode;
inline constexpr unsigned char kFirstPrintable = 0x20;
inline constexpr unsigned char kLastPrintable = 0x7E;
inline constexpr unsigned char kFirstAbovePlainAscii = 0x80;
// 0x81 opens no character in a section text, although the code page would pair it.
inline constexpr unsigned char kLastNonLeadByte = 0x81;

// Printable ASCII, 0x20..0x7E: the single-byte characters of both modes.
constexpr bool IsPrintable(unsigned char byte) {
    return byte >= kFirstPrintable && byte <= kLastPrintable;
}

// A byte of the code page that is plain ASCII (control characters included).
constexpr bool IsPlainAscii(unsigned char byte) {
    return byte < kFirstAbovePlainAscii;
}

// Opens a double-byte character (0x82..0xFF); the next byte belongs to it, whatever it is.
constexpr bool IsDoubleByteLead(unsigned char byte) {
    return byte > kLastNonLeadByte;
}

// The fourteen wide glyphs of the glyph keyboard: 0x01..0x08, 0x0B, 0x0C, 0x0E..0x11. The
// gaps are tab and line ends, which an edit would take as such.
constexpr bool IsWideGlyph(unsigned char byte) {
    return (byte >= kFirstGlyphCode && byte <= 0x08) || byte == 0x0B || byte == 0x0C ||
           (byte >= 0x0E && byte < kFirstEnglishGlyph);
}

// The ten icons of the English keyboard, 0x12..0x1B.
constexpr bool IsEnglishGlyph(unsigned char byte) {
    return byte >= kFirstEnglishGlyph && byte <= kLastEnglishGlyph;
}

// A code the glyph font draws (0x01..0x1B), keyed or not; 0x1C..0x1F have no glyph.
constexpr bool IsGlyphCode(unsigned char byte) {
    return byte >= kFirstGlyphCode && byte <= kLastGlyphCode;
}

// What a character that starts with `byte` is in a mode. A mode accepts exactly the bytes
// it can draw: everything else is None, and the rules report it as not belonging.
enum class CharacterClass : std::uint8_t { None, DoubleByte, Symbol, SingleByte };

constexpr CharacterClass ClassIn(unsigned char byte, bool englishMode) {
    if (IsPrintable(byte)) {
        return CharacterClass::SingleByte;
    }
    if (englishMode) {
        return IsEnglishGlyph(byte) ? CharacterClass::Symbol : CharacterClass::None;
    }
    if (IsWideGlyph(byte)) {
        return CharacterClass::Symbol;
    }
    return IsDoubleByteLead(byte) ? CharacterClass::DoubleByte : CharacterClass::None;
}

}  // namespace lumera
