#pragma once

#include "zrusb/hid_transport.h"

namespace lumera::zrusb {

// HID devices on the USB bus, through hidapi's hidraw backend.
class HidapiTransport : public HidTransport {
public:
    HidapiTransport() = default;
    ~HidapiTransport() override;
    HidapiTransport(const HidapiTransport&) = delete;
    HidapiTransport& operator=(const HidapiTransport&) = delete;

    std::vector<HidDeviceInfo> Enumerate(int vid, int pid) override;
    std::unique_ptr<HidConnection> OpenPath(const std::string& path) override;
    std::string Error() const override { return error_; }
    int ErrorNumber() const override { return errorNumber_; }

private:
    bool Initialise();

    bool initialised_ = false;
    std::string error_;
    int errorNumber_ = 0;
};

}  // namespace lumera::zrusb
