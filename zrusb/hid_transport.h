#pragma once

#include <memory>
#include <span>
#include <string>
#include <vector>

namespace lumera::zrusb {

// One HID device as enumeration finds it.
struct HidDeviceInfo {
    std::string path;
    std::string manufacturer;
    std::string product;
    // The report descriptor declares report IDs: input reports then arrive with their number
    // in front, and output reports carry theirs on the wire.
    bool numberedReports = false;
    // The number an output report carries on such a device; 0 on one without.
    unsigned char outputReportId = 0;
};

// An open HID device. Buffers follow hidapi: a write starts with the report number (0 on a
// device without numbered reports, and then not sent); a read returns one input report,
// with its number in front only on a device with numbered reports. Closed when destroyed.
class HidConnection {
public:
    virtual ~HidConnection() = default;

    // Bytes written, or -1.
    virtual int Write(std::span<const unsigned char> report) = 0;
    // Bytes of one input report, 0 when none came within timeoutMs, or -1.
    virtual int Read(std::span<unsigned char> report, int timeoutMs) = 0;
    // Why the last call failed.
    virtual std::string Error() const = 0;
};

// The way to HID devices: the USB bus through hidapi, or the emulated display.
class HidTransport {
public:
    virtual ~HidTransport() = default;

    virtual std::vector<HidDeviceInfo> Enumerate(int vid, int pid) = 0;
    // Null when the device cannot be opened; Error() then says why.
    virtual std::unique_ptr<HidConnection> OpenPath(const std::string& path) = 0;
    virtual std::string Error() const = 0;
    // The system's error number behind the last failed open, 0 when there is none: only a
    // refusal for lack of permission calls for the udev rule.
    virtual int ErrorNumber() const { return 0; }
    // The file a transfer locks to keep other processes' transfers off this device.
    virtual std::string ClaimPath(const HidDeviceInfo& info) const { return info.path; }
};

}  // namespace lumera::zrusb
