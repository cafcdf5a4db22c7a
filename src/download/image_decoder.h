#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "editing/effects.h"
#include "zrusb/display_wire.h"

namespace lumera::download {

using wire::kDisplayCapacity;

// One section record of a download image.
struct ImageRecord {
    // None when the effect byte's nibble is 0 (no selection) or past the list.
    std::optional<OpenEffect> openEffect;
    std::optional<CloseEffect> closeEffect;
    std::uint8_t columns = 0;  // the length byte: display columns
    // The column data as the record carries it: one byte a column (English), two bytes a
    // 16-dot column (Chinese), the last character first.
    std::vector<std::uint8_t> data;
};

struct DecodedImage {
    bool englishMode = true;
    std::size_t size = 0;  // bytes of the whole image
    std::vector<ImageRecord> records;
};

// Where a malformed image goes wrong.
struct ImageFault {
    std::size_t offset = 0;
    std::string what;
};

// Reads an image as the download builds it: the header, then exactly the records it
// announces, nothing after them.
std::variant<DecodedImage, ImageFault> DecodeDownloadImage(std::string_view bytes);

}  // namespace lumera::download
