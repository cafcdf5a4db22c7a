#pragma once

#include <optional>
#include <string>

#include "render/led_preview.h"

namespace lumera {

struct AnimationBytes {
    std::optional<std::string> gif;
    std::string error;  // when gif is empty: why there is no animation
};

// One full cycle of a started preview as an animated GIF, at the preview's picture size:
// frame k is the picture of tick k, shown for 5/100 s plus 100/100 s for each hold before
// the next.
AnimationBytes EncodeAnimation(LedPreview& preview);

// The same, written at `path` whole or not at all. Returns the reason when it was not.
std::optional<std::string> WriteAnimation(LedPreview& preview, const std::string& path);

}  // namespace lumera
