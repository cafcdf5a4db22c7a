#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "editing/drawing.h"

namespace lumera {

constexpr char kLitDot = '#';
constexpr char kDarkDot = '.';

// A drawing as people read and write it: one string per row, top row first, '#' for a lit
// dot and '.' for a dark one, leftmost column first; `rows` strings.
std::vector<std::string> DrawingRowsText(const Drawing& drawing, int rows);

// What the dot editor does to a drawing's columns; every one keeps dots within `rows`.
enum class DotCommand { AddColumn, RemoveColumn, ShiftLeft, ShiftRight, Invert, Mirror };
// AddColumn appends a dark column (none past kMostSectionColumns), RemoveColumn drops the last,
// the shifts turn the columns round by one (nothing falls off), Invert swaps lit and dark,
// Mirror reverses the columns' order.
void ApplyDotCommand(DotCommand command, std::vector<std::uint16_t>& columns, int rows);

// Rows as DrawingRowsText writes them back into columns. At most `rows` rows (missing ones at
// the bottom stay dark), all of one length, at most kMostSectionColumns; anything else is
// refused with the row (1-based) and column of the first problem.
std::variant<Drawing, std::string> ParseDrawingRows(const std::vector<std::string>& text, int rows);

}  // namespace lumera
