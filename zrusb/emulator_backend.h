#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "zrusb/device.h"
#include "zrusb/emulated_device.h"
#include "zrusb/fault_plan.h"

namespace lumera::zrusb {

// Chooses the emulated display for each open: one display per directory, replaced by a
// fresh one (sequence and exchange count restarted) whenever the directory changes.
class EmulatorBackend {
public:
    // The display kept in this directory, or null when it is not reachable.
    std::shared_ptr<Device> Open(const std::filesystem::path& directory, std::string_view faultList,
                                 int vid, int pid);

private:
    void ReadFaults(std::string_view faultList);
    bool PrepareDirectory(const std::filesystem::path& directory);

    std::shared_ptr<EmulatedDevice> display_;
    std::string faultList_;
    FaultPlan faults_;
    std::string unusableDirectory_;
};

}  // namespace lumera::zrusb
