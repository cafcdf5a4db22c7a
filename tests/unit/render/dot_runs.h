#pragma once

#include <string>

#include "render/glyph_cell.h"

namespace lumera::testing {

// The lit columns of one row as "first-last" runs, e.g. "0-9 240-1799"; "" when dark.
inline std::string LitRuns(const DotRows& dots, int row) {
    std::string runs;
    for (int column = 0; column < kDotColumnCount; ++column) {
        if (dots[row][column] == 0) {
            continue;
        }
        const int first = column;
        while (column + 1 < kDotColumnCount && dots[row][column + 1] != 0) {
            ++column;
        }
        runs += (runs.empty() ? "" : " ") + std::to_string(first) + "-" + std::to_string(column);
    }
    return runs;
}

// The rows with some lit dot among the first `columns` columns, from the top row down,
// e.g. "15 14".
inline std::string LitRows(const DotRows& dots, int columns = kDotColumnCount) {
    std::string rows;
    for (int row = kDotRowCount - 1; row >= 0; --row) {
        for (int column = 0; column < columns; ++column) {
            if (dots[row][column] != 0) {
                rows += (rows.empty() ? "" : " ") + std::to_string(row);
                break;
            }
        }
    }
    return rows;
}

}  // namespace lumera::testing
