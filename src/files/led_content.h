#pragma once

#include <string>
#include <vector>

namespace lumera {

constexpr char kLedLineEnd[] = "\r\n";

// One section as a message file holds it.
struct LedSection {
    std::string text;  // code page 936 bytes, exactly as the section's edit holds them
    int openOption = 0;
    int closeOption = 0;

    bool operator==(const LedSection&) const = default;
};

// The whole content of a message file: the mode and sections 1..count in order.
struct LedFileContent {
    bool englishMode = true;
    std::vector<LedSection> sections;

    bool operator==(const LedFileContent&) const = default;
};

}  // namespace lumera
