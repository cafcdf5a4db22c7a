#pragma once

#include <map>
#include <memory>
#include <string>
#include <utility>

#include "zrusb/device.h"

struct hid_device_;

namespace lumera::zrusb {

// The display on the USB bus, through hidapi's hidraw backend. A packet is one output
// report (byte 0 the report id); a reply is one input report.
class HidDevice : public Device {
public:
    HidDevice(hid_device_* device, std::string path);
    ~HidDevice() override;
    HidDevice(const HidDevice&) = delete;
    HidDevice& operator=(const HidDevice&) = delete;

    const std::string& Path() const { return path_; }
    // Closes the OS handle; every handle given out for this display stops working.
    void Drop();

    bool Write(const Packet& packet) override;
    std::size_t Read(std::span<unsigned char> buffer) override;
    bool Usable() const override { return device_ != nullptr; }

private:
    void DiscardStaleReports();

    hid_device_* device_;
    std::string path_;
};

// Holds at most one open display per vendor and product id and checks at every open that
// it is still on the bus, so repeated opens cost one enumeration and no new OS handle.
class HidBackend {
public:
    HidBackend() = default;
    ~HidBackend();
    HidBackend(const HidBackend&) = delete;
    HidBackend& operator=(const HidBackend&) = delete;

    std::shared_ptr<Device> Open(int vid, int pid);

private:
    bool initialised_ = false;
    std::map<std::pair<int, int>, std::shared_ptr<HidDevice>> open_;
    std::string reportedPath_;
};

}  // namespace lumera::zrusb
