#pragma once

#include <optional>

#include "editing/message_table.h"
#include "render/glyph_tables.h"

namespace lumera {

// How long the preview takes to play every showable section once, in milliseconds: its
// 50 ms ticks and 1 s holds, counted by the preview engine playing the table from the first
// section without drawing. nullopt when no section is showable or one never ends.
std::optional<int> PreviewCycleMilliseconds(const MessageTable& table, GlyphTableFiles tables);

}  // namespace lumera
