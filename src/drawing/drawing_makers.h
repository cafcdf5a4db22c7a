#pragma once

#include <QImage>
#include <filesystem>
#include <optional>
#include <string>

#include "editing/drawing.h"

namespace lumera::drawing {

// A drawing, or why none could be made.
struct Made {
    std::optional<Drawing> drawing;
    std::string error;
};

struct PictureSettings {
    int threshold = 50;   // percent of darkness from which a pixel lights its dot, 0..100
    bool invert = false;  // light pixels light the dots instead
    bool crop = false;    // keep the leftmost 255 columns of a wider picture
};

// The picture scaled to `rows` dots high, keeping its proportions, as dots: a pixel at least
// `threshold` percent dark lights its dot (with invert, one less dark does); a transparent
// pixel never does. Wider than a section can show is refused with the width it would need,
// or cropped when asked.
Made DrawingFromImage(const QImage& picture, int rows, const PictureSettings& settings);

// The same from a picture file (PNG, JPEG, BMP, GIF's first frame, SVG), decoded at the size
// it is needed in where the format allows. The drawing remembers the file and the settings.
Made DrawingFromPictureFile(const std::filesystem::path& file, int rows,
                            const PictureSettings& settings);

struct FontSettings {
    std::string family;
    bool bold = false;
    bool italic = false;
    int spacing = 0;  // extra dot columns between letters
};

// `text` (UTF-8) in the font, its size the largest whose lines fit `rows` dots, drawn without
// smoothing so every dot is crisp; blank columns at both ends are left out. The drawing
// remembers the font and the text. Needs a QGuiApplication.
Made DrawingFromText(const std::string& text, int rows, const FontSettings& settings);

}  // namespace lumera::drawing
