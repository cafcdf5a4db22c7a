#pragma once

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "zrusb/device.h"
#include "zrusb/hid_transport.h"

namespace lumera::zrusb {

// The display reached through a HID transport. A packet is written as it comes (report
// number 0, then the 8-byte output report); a reply is returned with the report number
// first: 0 put back in front of the input report of a device without numbered reports, or
// the number the device sent.
class HidDevice : public Device {
public:
    HidDevice(std::unique_ptr<HidConnection> connection, HidDeviceInfo info);

    const std::string& Path() const { return info_.path; }
    // Closes the connection; every handle given out for this display stops working.
    void Drop() { connection_.reset(); }

    bool Write(const Packet& packet) override;
    std::size_t Read(std::span<unsigned char> buffer) override;
    bool Usable() const override { return connection_ != nullptr; }

private:
    void DiscardStaleReports();

    std::unique_ptr<HidConnection> connection_;
    HidDeviceInfo info_;
};

// A device enumeration found, and whether this process may open it.
struct FoundDevice {
    HidDeviceInfo info;
    bool openable;
    std::string whyNot;
    int whyNotNumber;  // the system's error number, 0 when none
};

// Holds at most one open display per vendor and product id and checks at every open that
// it is still on the bus, so repeated opens cost one enumeration and no new connection.
class HidBackend {
public:
    // The display on this transport; held devices of another transport are dropped first.
    std::shared_ptr<Device> Open(const std::shared_ptr<HidTransport>& transport, int vid, int pid);
    std::vector<FoundDevice> List(const std::shared_ptr<HidTransport>& transport, int vid, int pid);

private:
    void UseTransport(const std::shared_ptr<HidTransport>& transport);

    std::shared_ptr<HidTransport> transport_;
    std::map<std::pair<int, int>, std::shared_ptr<HidDevice>> open_;
    std::string reportedPath_;
};

}  // namespace lumera::zrusb
