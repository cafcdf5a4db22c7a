#include "render/table_feed.h"

#include <utility>

#include "editing/text_measures.h"
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
    return lumera::IsShowable(table_.section(row).text);
}

FeedSection TableFeed::Load(int row, DotRows& dotRows) {
    const Section& section = table_.section(row);
    previewText_ = section.text;
    FeedSection loaded;
    loaded.openEffect = section.openOption;
    loaded.closeEffect = section.closeOption;
    loaded.rows = led_layout::LedRows(EnglishMode());
    if (EnglishMode()) {
        RasteriseEnglish(previewText_, false, tables_, glyphs_, dotRows);
        loaded.columns = kColumnsPerEnglishCharacter * TextByteLength(previewText_);
    } else {
        RasteriseChinese(previewText_, false, tables_, glyphs_, dotRows);
        loaded.columns = kColumnsPerUnit * DisplayUnits(previewText_);
    }
    return loaded;
}

void TableFeed::Convert(DotRows& dotRows) const {
    if (EnglishMode()) {
        _EngDataConvert(glyphs_, dotRows);
    } else {
        _CNDataConvert(glyphs_, dotRows);
    }
}

}  // namespace lumera
