#include <algorithm>
#include <cstring>

#include "outside/device_columns.h"
#include "outside/glyph_convert_layout.h"
#include "outside/glyph_support.h"

namespace lumera {
namespace {

using namespace led_layout;

constexpr std::uint8_t kLitDot = 1;
constexpr std::uint8_t kDeviceMode = 1;
constexpr int kWideRecordColumns = 12;
constexpr int kEnglishGlyphColumns = 5;
constexpr int kSingleByteColumns = 8;
constexpr int kSymbolColumns = 16;
constexpr int kSymbolUnsentColumns = 2;  // stored first, as they stand
constexpr int kDeviceBlankBytes = 4;     // the two leading columns the download leaves out
// Double-byte glyphs are 12 columns inside a 16-column cell, centred like the symbols.
constexpr int kWideGlyphFirstColumn = 2;
constexpr int kWideCellLedColumns = 2 * kChineseLedColumnsPerUnit;

// Writes LED column k of the text, every row of the mode: bit r of rowBits lights row r.
void WriteLedColumn(DotRows& dotRows, bool englishMode, int k, unsigned rowBits) {
    if (k >= LedColumns(englishMode)) {
        return;
    }
    const int from = LedColumnStart(englishMode, k);
    const int width = LedColumnStart(englishMode, k + 1) - from;
    for (int row = 0; row < LedRows(englishMode); ++row) {
        std::memset(&dotRows[row][from], (rowBits >> row) & 1 ? kLitDot : 0, width);
    }
}

// Table columns count their dots from the top; the buffer counts rows from the bottom.
unsigned EnglishRowBits(std::uint8_t column) {
    unsigned bits = 0;
    for (int fromTop = 0; fromTop < kEnglishRows; ++fromTop) {
        if (column & (1u << fromTop)) {
            bits |= 1u << (kEnglishRows - 1 - fromTop);
        }
    }
    return bits;
}

// Two bytes a column: rows 0-7 from the top, then rows 8-15.
unsigned ChineseRowBits(const std::uint8_t* bytes, int column) {
    const unsigned word = bytes[2 * column] | (bytes[2 * column + 1] << 8);
    unsigned bits = 0;
    for (int fromTop = 0; fromTop < kChineseRows; ++fromTop) {
        if (word & (1u << fromTop)) {
            bits |= 1u << (kChineseRows - 1 - fromTop);
        }
    }
    return bits;
}

// Glyph tables store a glyph's columns last first (the display shows a record from its end),
// so the preview finds left-to-right column `c` of a `columns`-wide glyph at this place.
constexpr int StoredColumn(int c, int columns) {
    return columns - 1 - c;
}

// The LED columns a Chinese-mode cell takes, and the dots of its column `c`.
int ChineseCellColumns(const GlyphCell& cell) {
    return cell.kind == kDoubleByteGlyph || cell.kind == kSymbolGlyph ? kWideCellLedColumns
                                                                      : kChineseLedColumnsPerUnit;
}

unsigned ChineseCellColumnBits(const GlyphCell& cell, int c) {
    switch (cell.kind) {
        case kDoubleByteGlyph: {
            const int recordColumn = c - kWideGlyphFirstColumn;
            return recordColumn >= 0 && recordColumn < kWideRecordColumns
                       ? ChineseRowBits(cell.data, StoredColumn(recordColumn, kWideRecordColumns))
                       : 0;
        }
        case kSymbolGlyph:
            return c < kSymbolUnsentColumns
                       ? ChineseRowBits(cell.data, c)
                       : ChineseRowBits(cell.data,
                                        kSymbolUnsentColumns +
                                            StoredColumn(c - kSymbolUnsentColumns,
                                                         kSymbolColumns - kSymbolUnsentColumns));
        case kSingleByteGlyph:
            return ChineseRowBits(cell.data, StoredColumn(c, kSingleByteColumns));
        default:
            return 0;
    }
}

}  // namespace

void _CNFontConvert(GlyphCell& cell, std::uint8_t mode) {
    if (mode != kDeviceMode) {
        return;
    }
    std::uint8_t record[2 * kWideRecordColumns];
    std::memcpy(record, cell.data, sizeof record);
    std::fill(std::begin(cell.data), std::end(cell.data), 0);
    for (int c = 0; c < kWideRecordColumns; ++c) {
        const int deviceColumn = c + 1;
        cell.data[kDeviceBlankBytes + 2 * deviceColumn] = record[2 * c];
        cell.data[kDeviceBlankBytes + 2 * deviceColumn + 1] = record[2 * c + 1];
    }
}

void _EngDataConvert(const Glyphs& glyphs, DotRows& dotRows) {
    int first = 0;
    for (const GlyphCell& cell : glyphs) {
        if (first >= kEnglishLedColumns) {
            break;
        }
        for (int c = 0; c < kEnglishLedColumnsPerCell; ++c) {
            const unsigned bits =
                c < kEnglishGlyphColumns
                    ? EnglishRowBits(cell.data[StoredColumn(c, kEnglishGlyphColumns)])
                    : 0;
            WriteLedColumn(dotRows, true, first + c, bits);
        }
        first += kEnglishLedColumnsPerCell;
    }
}

void _CNDataConvert(const Glyphs& glyphs, DotRows& dotRows) {
    int first = 0;
    for (const GlyphCell& cell : glyphs) {
        if (first >= kChineseLedColumns) {
            break;
        }
        const int columns = ChineseCellColumns(cell);
        for (int c = 0; c < columns; ++c) {
            WriteLedColumn(dotRows, false, first + c, ChineseCellColumnBits(cell, c));
        }
        first += columns;
    }
}

int DeviceColumnsConvert(const std::uint8_t* data, std::size_t size, bool englishMode,
                         DotRows& dotRows) {
    const std::size_t bytesPerColumn = englishMode ? 1 : 2;
    const int columns =
        static_cast<int>(std::min<std::size_t>(size / bytesPerColumn, LedColumns(englishMode)));
    for (int k = 0; k < columns; ++k) {
        WriteLedColumn(dotRows, englishMode, k,
                       englishMode ? EnglishRowBits(data[k]) : ChineseRowBits(data, k));
    }
    return LedColumnStart(englishMode, columns);
}

std::vector<std::uint8_t> DrawingColumnBytes(const std::vector<std::uint16_t>& columns,
                                             bool englishMode) {
    constexpr int kByteBits = 8;
    std::vector<std::uint8_t> bytes;
    bytes.reserve(columns.size() * (englishMode ? 1 : 2));
    for (const std::uint16_t column : columns) {
        bytes.push_back(static_cast<std::uint8_t>(column & 0xFF));
        if (!englishMode) {
            bytes.push_back(static_cast<std::uint8_t>(column >> kByteBits));
        }
    }
    return bytes;
}

}  // namespace lumera
