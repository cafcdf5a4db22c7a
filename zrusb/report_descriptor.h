#pragma once

#include <span>
#include <string>

namespace lumera::zrusb {

// Whether a HID report descriptor declares report IDs (a Report ID item anywhere).
bool DeclaresReportIds(std::span<const unsigned char> descriptor);

// The same for a hidraw node such as /dev/hidraw3, from its descriptor in sysfs; false when
// it cannot be read.
bool HidrawDeclaresReportIds(const std::string& devicePath);

}  // namespace lumera::zrusb
