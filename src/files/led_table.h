#pragma once

#include "editing/message_table.h"
#include "files/led_content.h"

namespace lumera {

// Sections 1..SectionCount and the mode, as a message file stores them.
LedFileContent ContentOfTable(const MessageTable& table);

// Replaces the table with the content as a load does: reset in the content's mode, each
// text set through the change handling, options set without a change handler, each
// loaded row and the one after it enabled, then SectionCount, and section 1 current. Does
// not touch Modified beyond what the change handling does. Returns the change handling's
// messages in order.
Messages ApplyLedContent(const LedFileContent& content, MessageTable& table);

}  // namespace lumera
