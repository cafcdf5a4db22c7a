#pragma once

#include <map>
#include <string>

#include "pixel_grid.h"

namespace lumera::glyphgen {

// Reads a pixel-art file: blocks that open with "glyph <code> <label>" followed by
// exactly `height` rows of `width` characters, '#' lit and '.' dark. Blank lines and
// lines starting with ';' are skipped. Returns the grids by code; throws
// std::runtime_error naming the file and line of the first fault.
std::map<int, PixelGrid> ReadPixelArt(const std::string& path, int width, int height);

}  // namespace lumera::glyphgen
