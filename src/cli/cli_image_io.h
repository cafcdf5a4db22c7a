#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "download/image_decoder.h"

namespace lumera::cli {

// Reads and decodes a download image file. When it cannot be read or is malformed, one line
// on stderr names the command, the file, and the offset and fault; returns nullopt.
std::optional<download::DecodedImage> ReadImageFile(std::string_view command,
                                                    const std::string& path);

}  // namespace lumera::cli
