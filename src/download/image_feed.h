#pragma once

#include "download/image_decoder.h"
#include "render/section_feed.h"

namespace lumera::download {

// The records of a download image as the display plays them: every record in turn, its own
// columns with its effects; start at the first record. The display knows nothing of
// characters: it shows a record's columns from the last to the first, which reads right
// because the image carries a section's characters last first and each character's columns
// last first.
class ImageFeed : public SectionFeed {
public:
    explicit ImageFeed(DecodedImage image);

    bool EnglishMode() const override { return image_.englishMode; }
    int SectionCount() const override { return static_cast<int>(image_.records.size()); }
    int CurrentSection() const override { return 0; }
    bool IsShowable(int) const override { return true; }
    FeedSection Load(int row, DotRows& dotRows) override;
    void Convert(DotRows& dotRows) const override;

private:
    DecodedImage image_;  // each record's columns in the order the display shows them
    int loaded_ = 0;
};

}  // namespace lumera::download
