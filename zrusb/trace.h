#pragma once

#include <span>
#include <string_view>

namespace lumera::zrusb {

// With ZRUSB_TRACE=FILE (read at every call) appends one line to FILE: a millisecond time
// stamp, what happened, the device path and the bytes in hex.
void Trace(std::string_view event, std::string_view path, std::span<const unsigned char> bytes,
           std::string_view note = {});

}  // namespace lumera::zrusb
