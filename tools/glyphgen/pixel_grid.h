#pragma once

#include <vector>

namespace lumera::glyphgen {

// A monochrome picture of one glyph; (0, 0) is the top-left dot.
class PixelGrid {
public:
    PixelGrid(int width, int height) : width_(width), height_(height), dots_(width * height) {}

    int width() const { return width_; }
    int height() const { return height_; }

    bool lit(int x, int y) const { return Inside(x, y) && dots_[y * width_ + x]; }
    // Dots outside the grid are dropped, so a source glyph is clipped to its box.
    void light(int x, int y) {
        if (Inside(x, y)) {
            dots_[y * width_ + x] = true;
        }
    }
    bool blank() const {
        for (bool dot : dots_) {
            if (dot) {
                return false;
            }
        }
        return true;
    }

private:
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    int width_;
    int height_;
    std::vector<bool> dots_;
};

}  // namespace lumera::glyphgen
