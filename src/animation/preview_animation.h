#pragma once

#include <optional>
#include <string>

#include "render/led_preview.h"

namespace lumera {

// Writes one full cycle of a started preview as an animated GIF at `path`, at the preview's
// picture size: frame k is the picture of tick k, shown for 5/100 s plus 100/100 s for each
// hold before the next. Returns the reason when nothing or only part could be written.
std::optional<std::string> WriteAnimation(LedPreview& preview, const std::string& path);

}  // namespace lumera
