#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "zrusb/fault_plan.h"
#include "zrusb/hid_transport.h"

namespace lumera::zrusb {

// The emulated display behind a directory, as a HID device on a bus of its own: it
// enumerates as 0C45:7160, takes output reports the way hidraw passes them on (the report
// number 0 dropped), and queues 8-byte input reports without a number (status in byte 1).
// Every packet it receives is appended to packets.log; a completed image replaces eeprom.bin.
//
// Exchanges are counted by packets written, not by opens, because the presence poll opens
// without writing: exchange N is the N-th write since this display was created, with the
// open before it and the read after it. A failed write still uses up its number, so a
// write fault strikes once. An open fault hides the display until the fault list changes;
// an unplugged display stays away until a replug fault or a new fault list brings it back
// under a new path.
class EmulatedTransport : public HidTransport {
public:
    explicit EmulatedTransport(std::filesystem::path directory);

    const std::filesystem::path& Directory() const;
    // Read at every open; a changed list is parsed (malformed items reported once) and
    // plugs an unplugged display back in.
    void UseFaults(std::string_view faultList);

    std::vector<HidDeviceInfo> Enumerate(int vid, int pid) override;
    std::unique_ptr<HidConnection> OpenPath(const std::string& path) override;
    std::string Error() const override { return error_; }
    // The display's folder: its path changes with every plugging, the folder does not.
    std::string ClaimPath(const HidDeviceInfo&) const override { return Directory().string(); }

    struct Display;

private:
    bool PrepareDirectory();

    std::shared_ptr<Display> display_;
    std::string faultList_;
    std::string error_;
    bool warnedAboutDirectory_ = false;
};

}  // namespace lumera::zrusb
