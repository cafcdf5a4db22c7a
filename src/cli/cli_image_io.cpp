#include "cli/cli_image_io.h"

#include <iostream>
#include <variant>

#include "editing/file_bytes.h"
#include "files/led_loader.h"

namespace lumera::cli {

namespace {

// Asked only of bytes that are no image, so an image is never taken for text. Either kind of
// table file counts.
bool IsMessageFile(const std::string& bytes) {
    return ParseMessageFileBytes(bytes).content.has_value();
}

}  // namespace

bool HoldsMessageFile(const std::string& path) {
    const FileBytes file = ReadFileBytes(path);
    return file.bytes &&
           std::holds_alternative<download::ImageFault>(
               download::DecodeDownloadImage(*file.bytes)) &&
           IsMessageFile(*file.bytes);
}

bool ReportedAsDownloadImage(std::string_view command, const std::string& path) {
    const FileBytes file = ReadFileBytes(path);
    if (!file.bytes ||
        !std::holds_alternative<download::DecodedImage>(
            download::DecodeDownloadImage(*file.bytes)) ||
        IsMessageFile(*file.bytes)) {
        return false;
    }
    std::cerr << "lumera-cli " << command << ": " << path
              << " is a download image, not a message file: run 'lumera-cli decode " << path
              << "' to see what it holds\n";
    return true;
}

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
        if (IsMessageFile(*file.bytes)) {
            std::cerr << "lumera-cli " << command << ": " << path
                      << " is a message file, not a download image: run 'lumera-cli image " << path
                      << " -o IMAGE.bin' first\n";
        } else {
            std::cerr << "lumera-cli " << command << ": " << path << ": offset " << fault->offset
                      << ": " << fault->what << '\n';
        }
        return std::nullopt;
    }
    return std::get<download::DecodedImage>(std::move(decoded));
}

}  // namespace lumera::cli
