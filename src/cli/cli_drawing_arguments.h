#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "drawing/drawing_makers.h"

namespace lumera::cli {

// A section argument whose content asks for a drawing instead of a text:
//   picture=FILE, font=FAMILY[,bold][,italic]:TEXT or dots=FILE.
struct DrawingArgument {
    enum class Form { Picture, Font, Dots };
    Form form = Form::Dots;
    std::string path;  // Picture and Dots
    drawing::FontSettings font;
    std::string text;  // Font, UTF-8
};

// The drawing `content` (what follows OPEN:CLOSE:) asks for, nullopt for a text; a
// malformed request sets `error` and returns nullopt.
std::optional<DrawingArgument> DrawingArgumentOf(std::string_view content, std::string& error);

// Reads the picture or the rows of dots, or draws the text, `rows` dots high.
drawing::Made MakeDrawing(const DrawingArgument& argument, int rows,
                          const drawing::PictureSettings& settings);

}  // namespace lumera::cli
