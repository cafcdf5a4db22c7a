#include "download/device_form_rasteriser.h"

#include <memory>

#include "render/rasterise.h"

namespace lumera::download {

SectionRasteriser DeviceFormRasteriser(bool englishMode,
                                       const std::filesystem::path& tablesDirectory,
                                       Prompter& prompter) {
    // The rasterisers also clear a dot buffer; the download has no use for it, so one
    // scratch buffer serves every section.
    auto dotRows = std::make_shared<DotRows>();
    return
        [englishMode, tablesDirectory, &prompter, dotRows](std::string_view text, Glyphs& glyphs) {
            const GlyphTableFiles tables{tablesDirectory, prompter};
            if (englishMode) {
                RasteriseEnglish(text, true, tables, glyphs, *dotRows);
            } else {
                RasteriseChinese(text, true, tables, glyphs, *dotRows);
            }
        };
}

}  // namespace lumera::download
