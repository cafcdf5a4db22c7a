#pragma once

#include "outside/glyph_cell.h"

namespace lumera::led_layout {

// How the dot conversion lays dot columns into the 1800 buffer columns of a turn, and so
// where the LED simulation finds them. A dot column is one LED column on the circle.
//   English: 3 degrees (15 buffer columns) a dot column; a character is 5 dot columns and
//            one blank (90 columns, 18 degrees); 8 rows.
//   Chinese: 1.5 degrees (7 or 8 buffer columns, alternately) a dot column; a unit is
//            8 dot columns (60 columns, 12 degrees), so a single-byte glyph fills one unit
//            and a symbol two; 16 rows.

constexpr int kEnglishRows = 8;
constexpr int kChineseRows = 16;
constexpr int kEnglishLedColumns = 120;
constexpr int kChineseLedColumns = 240;
constexpr int kEnglishLedColumnsPerCell = 6;
constexpr int kChineseLedColumnsPerUnit = 8;

constexpr int LedRows(bool englishMode) {
    return englishMode ? kEnglishRows : kChineseRows;
}

constexpr int LedColumns(bool englishMode) {
    return englishMode ? kEnglishLedColumns : kChineseLedColumns;
}

// First buffer column of LED column k (0..LedColumns); LedColumnStart(mode, LedColumns) is 1800.
constexpr int LedColumnStart(bool englishMode, int k) {
    return englishMode ? 15 * k : (15 * k + 1) / 2;
}

// The buffer column the simulation reads for LED column k: the middle of its span.
constexpr int LedSampleColumn(bool englishMode, int k) {
    return (LedColumnStart(englishMode, k) + LedColumnStart(englishMode, k + 1)) / 2;
}

static_assert(LedColumnStart(true, kEnglishLedColumns) == kDotColumnCount);
static_assert(LedColumnStart(false, kChineseLedColumns) == kDotColumnCount);
static_assert(LedColumnStart(false, kChineseLedColumnsPerUnit) == 60);
static_assert(LedColumnStart(true, kEnglishLedColumnsPerCell) == 90);

}  // namespace lumera::led_layout
