#include "render/rasterise.h"

#include <string>

#include "editing/byte_classes.h"
#include "editing/code_page_936.h"
#include "outside/glyph_support.h"

namespace lumera {
namespace {

constexpr std::uint8_t kEnglishCount = 5;
constexpr std::uint8_t kHalfWidthCount = 16;
constexpr std::uint8_t kFullCellCount = 32;
// The ten English symbols 0x12..0x1B follow the 95 printable characters in their table.
constexpr int kEnglishSymbolRecordOffset = 109;
constexpr std::uint8_t kDeviceConversionMode = 1;

// Glyph codes 0x01..0x08, 0x0B, 0x0C, 0x0E..0x11 are the symbols 0..13 of their table.
int SymbolIndex(unsigned char byte) {
    if (byte <= 0x08) {
        return byte - 0x01;
    }
    if (byte <= 0x0C) {
        return byte - 0x03;
    }
    return byte - 0x04;
}

void StartRasterising(Glyphs& glyphs, DotRows& dotRows) {
    glyphs.clear();
    for (auto& row : dotRows) {
        row.fill(0);
    }
}

// The cell of the character that starts with `byte`, before its dots are read.
GlyphCell BlankCell(unsigned char byte, bool englishMode) {
    GlyphCell cell;
    switch (ClassIn(byte, englishMode)) {
        case CharacterClass::None:
            break;
        case CharacterClass::DoubleByte:
            cell.kind = kDoubleByteGlyph;
            cell.count = kFullCellCount;
            break;
        case CharacterClass::Symbol:
            cell.kind = kSymbolGlyph;
            cell.count = englishMode ? kEnglishCount : kFullCellCount;
            break;
        case CharacterClass::SingleByte:
            cell.kind = kSingleByteGlyph;
            cell.count = englishMode ? kEnglishCount : kHalfWidthCount;
            break;
    }
    return cell;
}

}  // namespace

void BlankCells(std::string_view text, bool englishMode, Glyphs& glyphs) {
    glyphs.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        glyphs.push_back(BlankCell(static_cast<unsigned char>(text[i]), englishMode));
        if (glyphs.back().kind == kDoubleByteGlyph) {
            ++i;  // the trail byte belongs to the same character
        }
    }
}

void RasteriseEnglish(std::string_view text, bool deviceForm, const GlyphTableFiles& tables,
                      Glyphs& glyphs, DotRows& dotRows) {
    StartRasterising(glyphs, dotRows);
    for (const char character : text) {
        const auto byte = static_cast<unsigned char>(character);
        GlyphCell cell = BlankCell(byte, true);
        if (cell.kind == kSingleByteGlyph) {
            ReadEnglishGlyph(byte, cell, deviceForm, tables);
        } else if (cell.kind == kSymbolGlyph) {
            ReadEnglishGlyph(byte + kEnglishSymbolRecordOffset, cell, deviceForm, tables);
        }
        glyphs.push_back(cell);
    }
}

void RasteriseChinese(std::string_view text, bool deviceForm, const GlyphTableFiles& tables,
                      Glyphs& glyphs, DotRows& dotRows) {
    StartRasterising(glyphs, dotRows);
    // Character k takes unit k, whichever way the converter paired the bytes; a character
    // past the converted text reads the terminator's record instead of running off the end.
    const std::u16string units = CodePage936ToUtf16(text);
    std::size_t character = 0;
    for (std::size_t i = 0; i < text.size(); ++i, ++character) {
        const auto byte = static_cast<unsigned char>(text[i]);
        GlyphCell cell = BlankCell(byte, false);
        if (cell.kind == kDoubleByteGlyph) {
            ReadWideGlyph(character < units.size() ? units[character] : u'\0', cell, tables);
            if (deviceForm) {
                _CNFontConvert(cell, kDeviceConversionMode);
            }
            ++i;
        } else if (cell.kind == kSymbolGlyph) {
            ReadSymbolGlyph(SymbolIndex(byte), cell, tables);
        } else if (cell.kind == kSingleByteGlyph) {
            ReadHalfWidthGlyph(byte, cell, tables);
        }
        glyphs.push_back(cell);
    }
}

}  // namespace lumera
