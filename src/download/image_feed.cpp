#include "download/image_feed.h"

#include <algorithm>
#include <cstddef>

#include "outside/device_columns.h"
#include "outside/glyph_convert_layout.h"

namespace lumera::download {
namespace {

constexpr std::size_t kEnglishColumnBytes = 1;
constexpr std::size_t kChineseColumnBytes = 2;

// The display shows a record from its last column to its first: the columns in the order
// they come out, each column's bytes as they stand. A byte short of a whole column stays last.
std::vector<std::uint8_t> ColumnsAsShown(const std::vector<std::uint8_t>& data, bool englishMode) {
    const std::size_t columnBytes = englishMode ? kEnglishColumnBytes : kChineseColumnBytes;
    const std::size_t whole = data.size() / columnBytes * columnBytes;
    std::vector<std::uint8_t> shown;
    shown.reserve(data.size());
    for (std::size_t end = whole; end > 0; end -= columnBytes) {
        shown.insert(shown.end(), data.begin() + static_cast<std::ptrdiff_t>(end - columnBytes),
                     data.begin() + static_cast<std::ptrdiff_t>(end));
    }
    shown.insert(shown.end(), data.begin() + static_cast<std::ptrdiff_t>(whole), data.end());
    return shown;
}

}  // namespace

ImageFeed::ImageFeed(DecodedImage image) : image_(std::move(image)) {
    for (ImageRecord& record : image_.records) {
        record.data = ColumnsAsShown(record.data, image_.englishMode);
    }
}

FeedSection ImageFeed::Load(int row, DotRows& dotRows) {
    loaded_ = row;
    const ImageRecord& record = image_.records[static_cast<std::size_t>(row)];
    FeedSection section;
    section.openEffect = record.openEffect;
    section.closeEffect = record.closeEffect;
    section.rows = led_layout::LedRows(image_.englishMode);
    section.columns =
        DeviceColumnsConvert(record.data.data(), record.data.size(), image_.englishMode, dotRows);
    // A section starts from a clear buffer; the first tick converts it again.
    for (auto& dots : dotRows) {
        dots.fill(0);
    }
    return section;
}

void ImageFeed::Convert(DotRows& dotRows) const {
    const ImageRecord& record = image_.records[static_cast<std::size_t>(loaded_)];
    DeviceColumnsConvert(record.data.data(), record.data.size(), image_.englishMode, dotRows);
}

}  // namespace lumera::download
