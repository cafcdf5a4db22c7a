#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "editing/message_table.h"
#include "render/glyph_tables.h"
#include "render/section_feed.h"

namespace lumera {

// The sections of the message table in the preview form: 8 rows and 90 columns a byte
// (English), 16 rows and 60 columns a unit (Chinese). The table is read at each load.
class TableFeed : public SectionFeed {
public:
    // Both must outlive the feed.
    TableFeed(const MessageTable& table, GlyphTableFiles tables);

    bool EnglishMode() const override { return table_.EnglishMode(); }
    int SectionCount() const override { return table_.SectionCount(); }
    int CurrentSection() const override { return table_.CurrentSection(); }
    bool IsShowable(int row) const override;
    FeedSection Load(int row, DotRows& dotRows) override;
    void Convert(DotRows& dotRows) const override;

    const std::string& PreviewText() const { return previewText_; }
    const Glyphs& GlyphCells() const { return glyphs_; }

private:
    const MessageTable& table_;
    GlyphTableFiles tables_;
    std::string previewText_;
    Glyphs glyphs_;
    // The loaded drawing's record columns in reading order; empty for a text.
    std::vector<std::uint8_t> drawing_;
};

}  // namespace lumera
