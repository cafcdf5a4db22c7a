#include "zrusb/emulator_backend.h"

#include <system_error>

#include "zrusb/protocol.h"
#include "zrusb/warning.h"

namespace lumera::zrusb {

std::shared_ptr<Device> EmulatorBackend::Open(const std::filesystem::path& directory,
                                              std::string_view faultList, int vid, int pid) {
    ReadFaults(faultList);
    if (vid != kDisplayVendorId || pid != kDisplayProductId || !PrepareDirectory(directory)) {
        return nullptr;
    }
    if (!display_ || display_->Directory() != directory) {
        if (display_) {
            display_->Retire();
        }
        display_ = std::make_shared<EmulatedDevice>(directory);
    }
    display_->UseFaults(faults_);
    if (!display_->Reachable()) {
        return nullptr;
    }
    return display_;
}

void EmulatorBackend::ReadFaults(std::string_view faultList) {
    // The presence poll opens every two seconds; parse and warn only when the list changes.
    if (faultList == faultList_) {
        return;
    }
    faultList_ = faultList;
    auto parsed = FaultPlan::Parse(faultList);
    for (const auto& item : parsed.rejectedItems) {
        Warn("ignoring malformed ZRUSB_EMULATOR_FAULT item \"" + item + "\"");
    }
    faults_ = std::move(parsed.plan);
}

bool EmulatorBackend::PrepareDirectory(const std::filesystem::path& directory) {
    std::error_code error;
    std::filesystem::create_directories(directory, error);
    if (!error && std::filesystem::is_directory(directory, error)) {
        unusableDirectory_.clear();
        return true;
    }
    if (unusableDirectory_ != directory.string()) {
        unusableDirectory_ = directory.string();
        Warn("emulated display unavailable, cannot use directory " + unusableDirectory_ +
             (error ? ": " + error.message() : ""));
    }
    return false;
}

}  // namespace lumera::zrusb
