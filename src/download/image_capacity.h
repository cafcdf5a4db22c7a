#pragma once

#include <cstddef>
#include <string>

#include "download/download_image.h"
#include "download/image_decoder.h"
#include "editing/message_table.h"

namespace lumera::download {

enum class ImageFit {
    Fits,           // the display can store the image
    TooLarge,       // the image is larger than the display's memory
    NothingToSend,  // no section in use has a showable text
    SectionTooWide  // a section does not fit its length byte
};

struct ImageMeasure {
    ImageFit fit = ImageFit::NothingToSend;
    std::size_t size = 0;  // bytes of the image Send would build (0 when none)
};

// The image Send would build of the table, measured against the display's memory. Builds
// it with `rasterise`, so it can never disagree with Send.
ImageMeasure MeasureDownloadImage(const MessageTable& table, const SectionRasteriser& rasterise);
// The same measure from the table alone, cheap enough for every keystroke: a cell's size
// follows from its character's kind, so blank cells stand in for the rasterised ones and no
// glyph table is opened.
ImageMeasure MeasureDownloadImage(const MessageTable& table);

// Whether the display can store an image of `size` bytes: Fits or TooLarge.
ImageFit FitOfSize(std::size_t size);

// Why an image of `size` bytes is refused: "the table does not fit: its image is S bytes, the
// display stores at most 2047".
std::string TooLargeLine(std::size_t size);

// "image: S of 2047 bytes", or what stands in the way of an image.
std::string CapacityLine(const ImageMeasure& measure);

// A byte count with its thousands set apart by a blank: 1234 gives "1 234".
std::string GroupedCount(std::size_t count);

}  // namespace lumera::download
