#include "editing/drawing_rows.h"

#include <algorithm>

namespace lumera {

std::vector<std::string> DrawingRowsText(const Drawing& drawing, int rows) {
    std::vector<std::string> text(static_cast<std::size_t>(rows),
                                  std::string(drawing.columns.size(), kDarkDot));
    for (std::size_t x = 0; x < drawing.columns.size(); ++x) {
        for (int y = 0; y < rows; ++y) {
            if (drawing.columns[x] & (1u << y)) {
                text[static_cast<std::size_t>(y)][x] = kLitDot;
            }
        }
    }
    return text;
}

void ApplyDotCommand(DotCommand command, std::vector<std::uint16_t>& columns, int rows) {
    const auto allRows = static_cast<std::uint16_t>((1u << rows) - 1);
    switch (command) {
        case DotCommand::AddColumn:
            if (columns.size() < static_cast<std::size_t>(kMostSectionColumns)) {
                columns.push_back(0);
            }
            break;
        case DotCommand::RemoveColumn:
            if (!columns.empty()) {
                columns.pop_back();
            }
            break;
        case DotCommand::ShiftLeft:
            if (!columns.empty()) {
                std::rotate(columns.begin(), columns.begin() + 1, columns.end());
            }
            break;
        case DotCommand::ShiftRight:
            if (!columns.empty()) {
                std::rotate(columns.rbegin(), columns.rbegin() + 1, columns.rend());
            }
            break;
        case DotCommand::Invert:
            for (std::uint16_t& column : columns) {
                column = static_cast<std::uint16_t>(~column & allRows);
            }
            break;
        case DotCommand::Mirror:
            std::reverse(columns.begin(), columns.end());
            break;
    }
}

std::variant<Drawing, std::string> ParseDrawingRows(const std::vector<std::string>& text,
                                                    int rows) {
    if (text.empty()) {
        return std::string("no rows of dots");
    }
    if (text.size() > static_cast<std::size_t>(rows)) {
        return "row " + std::to_string(rows + 1) + ": the mode's column has only " +
               std::to_string(rows) + " dots";
    }
    const std::size_t width = text.front().size();
    if (width > static_cast<std::size_t>(kMostSectionColumns)) {
        return "row 1: " + std::to_string(width) + " columns; a section shows at most " +
               std::to_string(kMostSectionColumns);
    }
    Drawing drawing;
    drawing.columns.assign(width, 0);
    for (std::size_t y = 0; y < text.size(); ++y) {
        const std::string row = "row " + std::to_string(y + 1);
        if (text[y].size() != width) {
            return row + ": " + std::to_string(text[y].size()) + " columns, row 1 has " +
                   std::to_string(width);
        }
        for (std::size_t x = 0; x < width; ++x) {
            if (text[y][x] == kLitDot) {
                drawing.columns[x] |= static_cast<std::uint16_t>(1u << y);
            } else if (text[y][x] != kDarkDot) {
                return row + ", column " + std::to_string(x + 1) + ": '" + text[y][x] +
                       "' is neither '#' nor '.'";
            }
        }
    }
    return drawing;
}

}  // namespace lumera
