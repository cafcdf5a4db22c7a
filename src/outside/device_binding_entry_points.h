#pragma once

#include "zrusb/display_wire.h"

namespace lumera {

// The device library's C entry points. Handles are 32-bit integers; -1 is failure.
using OpenUSBDeviceFunction = int (*)(int vendorId, int productId);
using CloseUSBDeviceFunction = void (*)(int handle);
using WriteUSBFunction = int (*)(int handle, const unsigned char* data, int count, int* written);
using ReadUSBFunction = int (*)(int handle, unsigned char* data, int count, int* read);
// Optional: the displays the library can see, for diagnostics (see zrusb/zrusb.h).
using ListUSBDevicesFunction = int (*)(int vendorId, int productId, char* text, int size);
// Optional: a claim on the display for one transfer (1 claimed, 0 busy, -1 none), and its end.
using ClaimUSBDeviceFunction = int (*)(int vendorId, int productId, int waitMs);
using ReleaseUSBDeviceFunction = void (*)();

// What a binding hands to its users: either all four entry points or none, and the claim
// pair when the library has both.
struct DeviceEntryPoints {
    OpenUSBDeviceFunction OpenUSBDevice = nullptr;
    CloseUSBDeviceFunction CloseUSBDevice = nullptr;
    WriteUSBFunction WriteUSB = nullptr;
    ReadUSBFunction ReadUSB = nullptr;
    ClaimUSBDeviceFunction ClaimUSBDevice = nullptr;
    ReleaseUSBDeviceFunction ReleaseUSBDevice = nullptr;

    bool complete() const { return OpenUSBDevice && CloseUSBDevice && WriteUSB && ReadUSB; }
};

using wire::kDisplayProductId;
using wire::kDisplayVendorId;

}  // namespace lumera
