#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "file_contents.h"

// Reads the generated tables back into pictures ('#' lit, '.' dark, one string per
// row from the top, leftmost column first), so that failures print the glyph. Records store
// their columns last first, after any leading columns a cell never sends.
namespace lumera::glyphgen::test {

using Bytes = std::vector<std::uint8_t>;
using Picture = std::vector<std::string>;

inline Bytes ReadTable(const std::string& name) {
    return lumera::testing::ReadBytes<Bytes>(LUMERA_BIN_DIR "/" + name);
}

inline Picture Blank(int width, int height) {
    return Picture(height, std::string(width, '.'));
}

// Where a record of `width` columns, the first `unsent` kept in front, stores `column`.
inline int StoredColumn(int column, int width, int unsent = 0) {
    return column < unsent ? column : unsent + (width - 1 - column);
}

// window_zr1.bin: 5 words per record, shown through the preview transform.
inline Picture EnglishPicture(const Bytes& table, int record) {
    Picture picture = Blank(5, 7);
    for (int column = 0; column < 5; ++column) {
        const std::uint8_t b = table.at(4 + 10 * (record - 32) + 2 * StoredColumn(column, 5));
        const int dots = (b & 0x07) | ((b >> 1) & 0x78);
        for (int row = 0; row < 7; ++row) {
            if (dots & (1 << row)) {
                picture[row][column] = '#';
            }
        }
    }
    return picture;
}

// Two dot bytes per column, rows 0-7 then rows 8-15: words in window_zr2.bin and
// window_zr3.bin (stored complemented), plain bytes in window_zr4.bin.
inline Picture ColumnPairPicture(const Bytes& table, std::size_t offset, int width, int unitSize,
                                 bool complemented, int unsent = 0) {
    Picture picture = Blank(width, 16);
    for (int column = 0; column < width; ++column) {
        for (int half = 0; half < 2; ++half) {
            const int stored = StoredColumn(column, width, unsent);
            std::uint8_t dots = table.at(offset + unitSize * (2 * stored + half));
            if (complemented) {
                dots = ~dots;
            }
            for (int k = 0; k < 8; ++k) {
                if (dots & (1 << k)) {
                    picture[8 * half + k][column] = '#';
                }
            }
        }
    }
    return picture;
}

inline Picture HalfWidthPicture(const Bytes& table, int code) {
    return ColumnPairPicture(table, 4 + 32 * (code - 32), 8, 2, true);
}

inline Picture SymbolPicture(const Bytes& table, int index) {
    return ColumnPairPicture(table, 4 + 64 * index, 16, 2, true, 2);
}

inline Picture WidePicture(const Bytes& table, int unit) {
    return ColumnPairPicture(table, 140 + 24 * unit, 12, 1, false);
}

inline bool IsBlank(const Picture& picture) {
    for (const std::string& row : picture) {
        if (row.find('#') != std::string::npos) {
            return false;
        }
    }
    return true;
}

}  // namespace lumera::glyphgen::test
