#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "download/image_decoder.h"

namespace lumera::cli {

// Whether the file at `path` can be read and holds, whatever its name, no download image but
// a message file (scrambled text the message-file reader accepts) or a table file.
bool HoldsMessageFile(const std::string& path);

// When the file at `path` holds a download image and no message file, says so on stderr,
// naming the command that reads it, and returns true.
bool ReportedAsDownloadImage(std::string_view command, const std::string& path);

// Reads and decodes a download image file. When it cannot be read or is malformed, one line
// on stderr names the command, the file, and the offset and fault, or, for a message file
// given in its place, the command that makes its image; returns nullopt.
std::optional<download::DecodedImage> ReadImageFile(std::string_view command,
                                                    const std::string& path);

}  // namespace lumera::cli
