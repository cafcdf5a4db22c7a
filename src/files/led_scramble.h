#pragma once

#include <string>

namespace lumera {

// Message files are stored with byte i combined by exclusive-or with (i + 1) mod 256.
// The step is its own inverse, so the same call scrambles and unscrambles.
void ScrambleLedBytes(std::string& bytes);

}  // namespace lumera
