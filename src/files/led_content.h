#pragma once

#include <string>
#include <vector>

#include "editing/effects.h"

namespace lumera {

constexpr char kLedLineEnd[] = "\r\n";

// One section as a message file holds it.
struct LedSection {
    std::string text;  // code page 936 bytes, exactly as the section's edit holds them
    // Each stored as its number in its list, one digit.
    OpenEffect openOption = OpenEffect::LeftToRight;
    CloseEffect closeOption = CloseEffect::FromRightToLeft;

    bool operator==(const LedSection&) const = default;
};

// The whole content of a message file: the mode and sections 1..count in order.
struct LedFileContent {
    bool englishMode = true;
    std::vector<LedSection> sections;

    bool operator==(const LedFileContent&) const = default;
};

}  // namespace lumera
