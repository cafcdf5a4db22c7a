#include "download/image_decoder.h"

#include "download/download_image.h"
#include "editing/table_limits.h"

namespace lumera::download {
namespace {

constexpr std::uint8_t kChineseHeaderMarker = 0x80;
constexpr std::uint8_t kSectionCountMask = 0x7F;
constexpr std::size_t kRecordHeadBytes = 2;  // length byte, effect byte
constexpr std::size_t kChineseBytesPerColumn = 2;

std::uint8_t At(std::string_view bytes, std::size_t offset) {
    return static_cast<std::uint8_t>(bytes[offset]);
}

ImageFault SectionCountFault(std::size_t offset, int count) {
    return {offset, "the header announces " + std::to_string(count) +
                        " sections; an image holds 1 to " + std::to_string(kSectionRows)};
}

}  // namespace

std::variant<DecodedImage, ImageFault> DecodeDownloadImage(std::string_view bytes) {
    DecodedImage image;
    image.size = bytes.size();
    if (bytes.empty()) {
        return ImageFault{0, "the image is empty"};
    }
    std::size_t offset = 0;
    int count = 0;
    if (At(bytes, 0) == 0x00) {
        image.englishMode = false;
        if (bytes.size() < 2) {
            return ImageFault{1, "the Chinese header ends after its first byte"};
        }
        if ((At(bytes, 1) & kChineseHeaderMarker) == 0) {
            return ImageFault{1, "the second header byte lacks the Chinese mark 0x80"};
        }
        count = At(bytes, 1) & kSectionCountMask;
        offset = 2;
    } else {
        count = At(bytes, 0);
        offset = 1;
    }
    if (count < 1 || count > kSectionRows) {
        return SectionCountFault(offset - 1, count);
    }
    const std::size_t bytesPerColumn = image.englishMode ? 1 : kChineseBytesPerColumn;
    for (int n = 1; n <= count; ++n) {
        if (bytes.size() - offset < kRecordHeadBytes) {
            return ImageFault{offset, "record " + std::to_string(n) +
                                          " runs past the end: its length and effect bytes "
                                          "are missing"};
        }
        ImageRecord record;
        record.columns = At(bytes, offset);
        const std::uint8_t effect = At(bytes, offset + 1);
        record.openEffect = OpeningOf(effect);
        record.closeEffect = ClosingOf(effect);
        const std::size_t dataBytes = record.columns * bytesPerColumn;
        if (bytes.size() - offset - kRecordHeadBytes < dataBytes) {
            return ImageFault{offset, "record " + std::to_string(n) + " runs past the end: " +
                                          std::to_string(dataBytes) + " column bytes announced, " +
                                          std::to_string(bytes.size() - offset - kRecordHeadBytes) +
                                          " left"};
        }
        const auto* first =
            reinterpret_cast<const std::uint8_t*>(bytes.data()) + offset + kRecordHeadBytes;
        record.data.assign(first, first + dataBytes);
        image.records.push_back(std::move(record));
        offset += kRecordHeadBytes + dataBytes;
    }
    if (offset != bytes.size()) {
        return ImageFault{offset, std::to_string(bytes.size() - offset) +
                                      " bytes are left over after the last record"};
    }
    return image;
}

}  // namespace lumera::download
