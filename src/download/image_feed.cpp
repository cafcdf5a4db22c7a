#include "download/image_feed.h"

#include "download/download_image.h"
#include "outside/device_columns.h"
#include "outside/glyph_convert_layout.h"

namespace lumera::download {

ImageFeed::ImageFeed(DecodedImage image) : image_(std::move(image)) {
    for (ImageRecord& record : image_.records) {
        record.data = ColumnsReversed(record.data, image_.englishMode);
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
