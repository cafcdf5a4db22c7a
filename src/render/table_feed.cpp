#include "render/table_feed.h"

#include <utility>

#include "editing/text_measures.h"
#include "outside/device_columns.h"
#include "outside/glyph_convert_layout.h"
#include "outside/glyph_support.h"
#include "render/rasterise.h"

namespace lumera {
namespace {

// Buffer columns of one English character and of one Chinese width unit.
constexpr int kColumnsPerEnglishCharacter =
    led_layout::LedColumnStart(true, led_layout::kEnglishLedColumnsPerCell);
constexpr int kColumnsPerUnit =
    led_layout::LedColumnStart(false, led_layout::kChineseLedColumnsPerUnit);

}  // namespace

TableFeed::TableFeed(const MessageTable& table, GlyphTableFiles tables)
    : table_(table), tables_(std::move(tables)) {}

bool TableFeed::IsShowable(int row) const {
    const Section& section = table_.section(row);
    return lumera::IsShowable(section.text) || section.HoldsDrawing();
}

FeedSection TableFeed::Load(int row, DotRows& dotRows) {
    const Section& section = table_.section(row);
    previewText_ = section.text;
    FeedSection loaded;
    loaded.openEffect = section.openOption;
    loaded.closeEffect = section.closeOption;
    loaded.rows = led_layout::LedRows(EnglishMode());
    // A drawing plays as the display shows its record: one LED column a drawn column.
    drawing_ = DrawingColumnBytes(section.drawing.columns, EnglishMode());
    if (section.HoldsDrawing()) {
        glyphs_.clear();
        loaded.columns =
            DeviceColumnsConvert(drawing_.data(), drawing_.size(), EnglishMode(), dotRows);
        for (auto& dots : dotRows) {
            dots.fill(0);  // a section starts from a clear buffer, as a text does
        }
    } else if (EnglishMode()) {
        RasteriseEnglish(previewText_, false, tables_, glyphs_, dotRows);
        loaded.columns = kColumnsPerEnglishCharacter * TextByteLength(previewText_);
    } else {
        RasteriseChinese(previewText_, false, tables_, glyphs_, dotRows);
        loaded.columns = kColumnsPerUnit * DisplayUnits(previewText_);
    }
    return loaded;
}

void TableFeed::Convert(DotRows& dotRows) const {
    if (!drawing_.empty()) {
        DeviceColumnsConvert(drawing_.data(), drawing_.size(), EnglishMode(), dotRows);
    } else if (EnglishMode()) {
        _EngDataConvert(glyphs_, dotRows);
    } else {
        _CNDataConvert(glyphs_, dotRows);
    }
}

}  // namespace lumera
