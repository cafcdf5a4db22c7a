// Glyph tables read by the rasterisers and the glyph-support code.
//
// All files are little-endian. A dot byte holds 8 dots of one column; bit 0 is the
// top dot of those 8. Where a table stores 16-bit words, the high byte is 0 and is
// never read. Header bytes in front of the first record are never read either; they
// hold a fixed signature ("LGT" and the table number, zero-padded).
//
// Every record stores its glyph's columns LAST FIRST. The download copies a character's
// bytes into a section record as they stand, and the display shows a record from its
// last column to its first, so a glyph stored last first reads left to right there; the
// preview reads the columns back to front for the same picture. Columns a cell never
// sends (a symbol's blank pair in front) keep their place at the record's start.
//
// window_zr1.bin, English characters, 1054 bytes:
//   4-byte header, then 105 records of 10 bytes at 4 + 10 * (r - 32), r = 32..136:
//   r = 0x20..0x7E are the printable characters, r = 127..136 the icons of the
//   bytes 0x12..0x1B (record = byte + 109). A record is 5 words, one per column,
//   last column first. Low byte: glyph rows 0-2 (from the top) in bits 0-2, rows 3-6 in
//   bits 4-7, bit 3 always 0. The preview takes (b & 7) | ((b >> 1) & 0x78), giving
//   row k in bit k; the device takes the byte as stored.
//
// window_zr2.bin, single-byte characters of the Chinese mode, 3044 bytes:
//   4-byte header, then 95 records of 32 bytes at 4 + 32 * (c - 32), c = 0x20..0x7E.
//   8 columns x 16 dots, last column first, two words per column: word 2s holds rows
//   0-7 of stored column s (bit k = row k), word 2s + 1 rows 8-15 (bit k = row 8 + k). The low byte
//   stores the COMPLEMENT of the dots (a blank column is 0xFF); readers complement again so that
//   lit dots are 1.
//
// window_zr3.bin, wide symbols, 900 bytes:
//   4-byte header, then 14 records of 64 bytes at 4 + 64 * i for the bytes 0x01..0x08
//   (i = 0..7), 0x0B, 0x0C (i = 8, 9) and 0x0E..0x11 (i = 10..13). 16 columns x 16
//   dots as in window_zr2.bin, two complemented words per column. Columns 0 and 1
//   are always blank and stored first: the download sends data bytes 4..31 of a cell,
//   the 14 columns 15 down to 2.
//
// window_zr4.bin, double-byte characters by UTF-16 code unit, 1573004 bytes:
//   140-byte header, then one 24-byte record for every code unit U = 0..65535 at
//   140 + 24 * U. 12 columns x 16 dots, last column first, byte 2s = rows 0-7 of
//   stored column s, byte 2s + 1 = rows 8-15, lit dot = 1 (not complemented). A
//   12-pixel ideograph sits in rows 2..13. Units the font does not cover have all-zero
//   records.
//   Device form (_CNFontConvert): data[0..3] = 0, then the 14 device columns
//   j = 0..13 at data[4 + 2j] (rows 0-7) and data[5 + 2j] (rows 8-15); columns
//   j = 0 and 13 are blank and stored column s goes to j = s + 1.

#include "glyph_tables.h"

#include <stdexcept>
#include <string>

#include "glyph_codes.h"

namespace lumera::glyphgen {

namespace {

constexpr int kSmallHeaderSize = 4;
constexpr int kWideHeaderSize = 140;
constexpr int kEnglishRecordCount = kPrintableCount + kEnglishSpecialCount;
constexpr int kWideRecordCount = 0x10000;
constexpr int kWideRecordSize = 2 * kWideWidth;
constexpr int kDotsPerByte = 8;

TableBytes Header(int tableNumber, int size) {
    TableBytes header(size, 0);
    const std::string signature = "LGT" + std::to_string(tableNumber);
    std::copy(signature.begin(), signature.end(), header.begin());
    return header;
}

void Expect(const std::vector<PixelGrid>& grids, std::size_t count, int width, int height,
            const char* what) {
    if (grids.size() != count) {
        throw std::logic_error(std::string(what) + ": expected " + std::to_string(count) +
                               " glyphs, got " + std::to_string(grids.size()));
    }
    for (const PixelGrid& grid : grids) {
        if (grid.width() != width || grid.height() != height) {
            throw std::logic_error(std::string(what) + ": a glyph has the wrong size");
        }
    }
}

// Dots firstRow..firstRow+7 of a column, bit k = row firstRow + k.
std::uint8_t ColumnByte(const PixelGrid& grid, int column, int firstRow) {
    std::uint8_t byte = 0;
    for (int k = 0; k < kDotsPerByte; ++k) {
        if (grid.lit(column, firstRow + k)) {
            byte |= 1u << k;
        }
    }
    return byte;
}

// The glyph's columns in the order its record stores them: `unsent` leading columns as they
// stand, then the rest last first.
std::vector<int> StoredColumns(int width, int unsent = 0) {
    std::vector<int> columns;
    for (int column = 0; column < unsent; ++column) {
        columns.push_back(column);
    }
    for (int column = width - 1; column >= unsent; --column) {
        columns.push_back(column);
    }
    return columns;
}

void AppendWord(TableBytes& table, std::uint8_t low) {
    table.push_back(low);
    table.push_back(0);
}

// Rows 0-2 in bits 0-2 and rows 3-6 in bits 4-7: bit 3 is a gap the display skips.
std::uint8_t EnglishColumnByte(const PixelGrid& grid, int column) {
    const std::uint8_t dots = ColumnByte(grid, column, 0);
    return (dots & 0x07) | ((dots & 0x78) << 1);
}

void AppendComplementedColumns(TableBytes& table, const PixelGrid& grid, int unsent = 0) {
    for (const int column : StoredColumns(grid.width(), unsent)) {
        AppendWord(table, static_cast<std::uint8_t>(~ColumnByte(grid, column, 0)));
        AppendWord(table, static_cast<std::uint8_t>(~ColumnByte(grid, column, kDotsPerByte)));
    }
}

}  // namespace

TableBytes BuildEnglishTable(const std::vector<PixelGrid>& records) {
    Expect(records, kEnglishRecordCount, kEnglishWidth, kEnglishHeight, "English table");
    TableBytes table = Header(1, kSmallHeaderSize);
    for (const PixelGrid& grid : records) {
        for (const int column : StoredColumns(kEnglishWidth)) {
            AppendWord(table, EnglishColumnByte(grid, column));
        }
    }
    return table;
}

TableBytes BuildHalfWidthTable(const std::vector<PixelGrid>& characters) {
    Expect(characters, kPrintableCount, kHalfWidthWidth, kHalfWidthHeight, "half-width table");
    TableBytes table = Header(2, kSmallHeaderSize);
    for (const PixelGrid& grid : characters) {
        AppendComplementedColumns(table, grid);
    }
    return table;
}

TableBytes BuildSymbolTable(const std::vector<PixelGrid>& symbols) {
    Expect(symbols, kSymbolCodes.size(), kSymbolWidth, kSymbolHeight, "symbol table");
    TableBytes table = Header(3, kSmallHeaderSize);
    for (const PixelGrid& grid : symbols) {
        for (int row = 0; row < kSymbolHeight; ++row) {
            for (int column = 0; column < kSymbolBlankColumns; ++column) {
                if (grid.lit(column, row)) {
                    throw std::logic_error("symbol table: columns 0 and 1 must stay blank");
                }
            }
        }
        AppendComplementedColumns(table, grid, kSymbolBlankColumns);
    }
    return table;
}

TableBytes BuildWideTable(const std::function<std::optional<PixelGrid>(char16_t)>& draw) {
    TableBytes table = Header(4, kWideHeaderSize);
    table.reserve(kWideHeaderSize + kWideRecordCount * kWideRecordSize);
    const std::vector<int> stored = StoredColumns(kWideWidth);
    for (int unit = 0; unit < kWideRecordCount; ++unit) {
        const std::optional<PixelGrid> glyph = draw(static_cast<char16_t>(unit));
        if (!glyph) {
            table.insert(table.end(), kWideRecordSize, 0);
            continue;
        }
        if (glyph->width() != kWideWidth || glyph->height() != kWideHeight) {
            throw std::logic_error("wide table: a glyph has the wrong size");
        }
        for (const int column : stored) {
            table.push_back(ColumnByte(*glyph, column, 0));
            table.push_back(ColumnByte(*glyph, column, kDotsPerByte));
        }
    }
    return table;
}

}  // namespace lumera::glyphgen
