#pragma once

#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "file_contents.h"
#include "temp_directory.h"
#include "zrusb/emulated_display_files.h"

namespace lumera::testing {

// Faults for the emulated display's next opens, as ZRUSB_EMULATOR_FAULT lists them.
inline void SetFaults(const std::string& list) {
    setenv(zrusb::kEmulatorFaultVariable, list.c_str(), 1);
}

// A fresh emulated display: a folder named by ZRUSB_EMULATOR, with no faults. The folder and
// both variables go with the object.
class EmulatorDirectory {
public:
    EmulatorDirectory() {
        setenv(zrusb::kEmulatorVariable, path_.c_str(), 1);
        SetFaults("");
    }
    ~EmulatorDirectory() {
        unsetenv(zrusb::kEmulatorVariable);
        unsetenv(zrusb::kEmulatorFaultVariable);
    }
    EmulatorDirectory(const EmulatorDirectory&) = delete;
    EmulatorDirectory& operator=(const EmulatorDirectory&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::vector<std::string> LoggedPackets() const {
        return ReadLines(path_ / zrusb::kPacketLogName);
    }
    bool HasMemory() const { return std::filesystem::exists(path_ / zrusb::kMemoryFileName); }
    std::vector<std::uint8_t> Memory() const {
        return ReadBytes<std::vector<std::uint8_t>>(path_ / zrusb::kMemoryFileName);
    }

private:
    TempDirectory folder_{"lumera-display"};
    std::filesystem::path path_ = folder_.path();
};

}  // namespace lumera::testing
