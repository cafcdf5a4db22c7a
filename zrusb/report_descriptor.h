#pragma once

#include <span>
#include <string>
#include <vector>

namespace lumera::zrusb {

// Whether a HID report descriptor declares report IDs (a Report ID item anywhere).
bool DeclaresReportIds(std::span<const unsigned char> descriptor);

// The report ID in force at the descriptor's first Output item: the number an output
// report must carry. 0 when the descriptor declares none, or has no Output item.
unsigned char OutputReportId(std::span<const unsigned char> descriptor);

// The descriptor of a hidraw node such as /dev/hidraw3, from sysfs; empty when it cannot
// be read.
std::vector<unsigned char> HidrawReportDescriptor(const std::string& devicePath);

}  // namespace lumera::zrusb
