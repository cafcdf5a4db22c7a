#pragma once

#include <filesystem>

#include "download/download_image.h"
#include "editing/prompter.h"

namespace lumera::download {

// Rasterises section texts in the device form of the content mode, reading the glyph tables
// from tablesDirectory; a missing table is reported through the prompter per character.
SectionRasteriser DeviceFormRasteriser(bool englishMode,
                                       const std::filesystem::path& tablesDirectory,
                                       Prompter& prompter);

}  // namespace lumera::download
