#pragma once

#include "download/image_capacity.h"
#include "editing/message_table.h"

namespace lumera::cli {

// The image Send would build of the table, with the glyph tables beside lumera-cli; a table
// that cannot be read is reported on stderr.
download::ImageMeasure MeasureTable(const MessageTable& table);

}  // namespace lumera::cli
