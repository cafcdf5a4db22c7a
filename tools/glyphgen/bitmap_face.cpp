#include "bitmap_face.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include <cstdio>
#include <stdexcept>

namespace lumera::glyphgen {

namespace {

constexpr unsigned char kGrayLitThreshold = 0x80;

std::string CodePointName(char32_t character) {
    char name[16];
    std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(character));
    return name;
}

bool BitmapDot(const FT_Bitmap& bitmap, unsigned x, unsigned y) {
    const unsigned char* row = bitmap.buffer + static_cast<long>(y) * bitmap.pitch;
    if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
        return (row[x / 8] >> (7 - x % 8)) & 1;
    }
    return row[x] >= kGrayLitThreshold;
}

}  // namespace

BitmapFace::BitmapFace(const std::string& path) : path_(path) {
    if (FT_Init_FreeType(&library_) != 0) {
        throw std::runtime_error("FreeType cannot start");
    }
    if (FT_New_Face(library_, path.c_str(), 0, &face_) != 0) {
        FT_Done_FreeType(library_);
        throw std::runtime_error(path + ": not a font FreeType can read");
    }
    if (face_->num_fixed_sizes < 1 || FT_Select_Size(face_, 0) != 0) {
        FT_Done_Face(face_);
        FT_Done_FreeType(library_);
        throw std::runtime_error(path + ": has no bitmap strike");
    }
}

BitmapFace::~BitmapFace() {
    FT_Done_Face(face_);
    FT_Done_FreeType(library_);
}

int BitmapFace::cellHeight() const {
    return face_->available_sizes[0].height;
}

int BitmapFace::ascent() const {
    return static_cast<int>(face_->size->metrics.ascender >> 6);
}

std::optional<PixelGrid> BitmapFace::Draw(char32_t character, int width, int height,
                                          int baselineRow) const {
    FT_UInt index = FT_Get_Char_Index(face_, character);
    if (index == 0) {
        return std::nullopt;
    }
    if (FT_Load_Glyph(face_, index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) != 0) {
        throw std::runtime_error(path_ + ": glyph of " + CodePointName(character) +
                                 " cannot be loaded");
    }
    const FT_GlyphSlot slot = face_->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    PixelGrid grid(width, height);
    const int top = baselineRow - slot->bitmap_top;
    for (unsigned y = 0; y < bitmap.rows; ++y) {
        for (unsigned x = 0; x < bitmap.width; ++x) {
            if (BitmapDot(bitmap, x, y)) {
                grid.light(slot->bitmap_left + static_cast<int>(x), top + static_cast<int>(y));
            }
        }
    }
    return grid;
}

}  // namespace lumera::glyphgen
