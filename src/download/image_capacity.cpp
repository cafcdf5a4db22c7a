#include "download/image_capacity.h"

#include <vector>

#include "render/rasterise.h"

namespace lumera::download {

ImageMeasure MeasureDownloadImage(const MessageTable& table, const SectionRasteriser& rasterise) {
    std::vector<std::uint8_t> sections;
    if (CollectSendSections(table, sections) == 0) {
        return {};
    }
    std::vector<std::uint8_t> image;
    if (BuildDownloadImage(table, sections, rasterise, image)) {
        return {ImageFit::SectionTooWide, 0};
    }
    return {FitOfSize(image.size()), image.size()};
}

ImageFit FitOfSize(std::size_t size) {
    return size > kDisplayCapacity ? ImageFit::TooLarge : ImageFit::Fits;
}

std::string TooLargeLine(std::size_t size) {
    return "the table does not fit: its image is " + std::to_string(size) +
           " bytes, the display stores at most " + std::to_string(kDisplayCapacity);
}

ImageMeasure MeasureDownloadImage(const MessageTable& table) {
    const bool englishMode = table.EnglishMode();
    return MeasureDownloadImage(table, [englishMode](std::string_view text, Glyphs& glyphs) {
        BlankCells(text, englishMode, glyphs);
    });
}

std::string CapacityLine(const ImageMeasure& measure) {
    switch (measure.fit) {
        case ImageFit::NothingToSend:
            return "image: none, no section in use has a showable text";
        case ImageFit::SectionTooWide:
            return "image: none, a section is wider than the " +
                   std::to_string(kMostSectionColumns) + " columns a record can hold";
        case ImageFit::Fits:
        case ImageFit::TooLarge:
            break;
    }
    return "image: " + std::to_string(measure.size) + " of " + std::to_string(kDisplayCapacity) +
           " bytes";
}

std::string GroupedCount(std::size_t count) {
    const std::string digits = std::to_string(count);
    std::string grouped;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            grouped += ' ';
        }
        grouped += digits[i];
    }
    return grouped;
}

}  // namespace lumera::download
