#pragma once

#include "editing/message_table.h"
#include "files/led_content.h"

namespace lumera {

// Sections 1..SectionCount and the mode, as a message file stores them.
LedFileContent ContentOfTable(const MessageTable& table);

// Replaces the table with the content as a load does (MessageTable::Load). Returns the
// text rules' messages in order.
Messages ApplyLedContent(const LedFileContent& content, MessageTable& table);

}  // namespace lumera
