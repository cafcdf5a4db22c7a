#pragma once

#include <string>
#include <vector>

#include "editing/message_table.h"

namespace lumera {

constexpr char kLedLineEnd[] = "\r\n";

// A message file holds each section's text and effects, each effect stored as its number
// in its list, one digit.
using LedSection = SectionContent;

// The whole content of a message file: the mode and sections 1..count in order.
struct LedFileContent {
    bool englishMode = true;
    std::vector<LedSection> sections;

    bool operator==(const LedFileContent&) const = default;
};

}  // namespace lumera
