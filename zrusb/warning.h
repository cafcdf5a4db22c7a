#pragma once

#include <string_view>

namespace lumera::zrusb {

// One line on standard error; the library has no other channel for what it ignores.
void Warn(std::string_view message);

}  // namespace lumera::zrusb
