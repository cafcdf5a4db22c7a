#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "editing/table_limits.h"

namespace lumera {

// Where a drawing came from, so that it can be made again with other settings.
struct DrawingSource {
    enum class Kind : std::uint8_t { Hand, Picture, Font };
    Kind kind = Kind::Hand;
    std::string file;    // Picture: the picture file
    int threshold = 50;  // Picture: darkness in percent from which a pixel lights its dot
    bool invert = false;
    std::string family;  // Font: the font family, the style and the text drawn
    bool bold = false;
    bool italic = false;
    int spacing = 0;   // Font: extra dot columns between letters
    std::string text;  // UTF-8

    bool operator==(const DrawingSource&) const = default;
};

// Dots a section shows instead of a text: columns as high as the mode's column (8 dots in
// English mode, 16 in Chinese mode), leftmost first. Bit r of a column lights row r, row 0 at
// the top; bits above the mode's height are never set.
struct Drawing {
    std::vector<std::uint16_t> columns;
    DrawingSource source;

    bool operator==(const Drawing&) const = default;
};

constexpr int kEnglishDrawingRows = 8;
constexpr int kChineseDrawingRows = 16;

constexpr int DrawingRows(bool englishMode) {
    return englishMode ? kEnglishDrawingRows : kChineseDrawingRows;
}

}  // namespace lumera
