#pragma once

#include <optional>
#include <string>

#include "pixel_grid.h"

typedef struct FT_LibraryRec_* FT_Library;
typedef struct FT_FaceRec_* FT_Face;

namespace lumera::glyphgen {

// One strike of a bitmap font file (PCF), read through FreeType.
class BitmapFace {
public:
    // Throws std::runtime_error when the file cannot be read as a bitmap font.
    explicit BitmapFace(const std::string& path);
    ~BitmapFace();
    BitmapFace(const BitmapFace&) = delete;
    BitmapFace& operator=(const BitmapFace&) = delete;

    // Height in pixels of the strike's cell (ascent plus descent).
    int cellHeight() const;
    int ascent() const;

    // The character drawn into a width x height box whose baseline lies under row
    // baselineRow - 1 (so baselineRow rows stand above it), the glyph's own left
    // bearing kept. Dots outside the box are clipped. nullopt when the face has no
    // glyph for the character.
    std::optional<PixelGrid> Draw(char32_t character, int width, int height, int baselineRow) const;

private:
    std::string path_;
    FT_Library library_ = nullptr;
    FT_Face face_ = nullptr;
};

}  // namespace lumera::glyphgen
