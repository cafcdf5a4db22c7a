#include "cli/cli_image_io.h"

#include <iostream>

#include "editing/file_bytes.h"

namespace lumera::cli {

std::optional<download::DecodedImage> ReadImageFile(std::string_view command,
                                                    const std::string& path) {
    const FileBytes file = ReadFileBytes(path);
    if (!file.bytes) {
        std::cerr << "lumera-cli " << command << ": cannot read " << path << ": " << file.error
                  << '\n';
        return std::nullopt;
    }
    auto decoded = download::DecodeDownloadImage(*file.bytes);
    if (const auto* fault = std::get_if<download::ImageFault>(&decoded)) {
        std::cerr << "lumera-cli " << command << ": " << path << ": offset " << fault->offset
                  << ": " << fault->what << '\n';
        return std::nullopt;
    }
    return std::get<download::DecodedImage>(std::move(decoded));
}

}  // namespace lumera::cli
