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

// The device library's next opens reach the emulated display held in `folder`.
inline void UseEmulatorAt(const std::filesystem::path& folder) {
    setenv(zrusb::kEmulatorVariable, folder.c_str(), 1);
}

// The device library's next opens look for a real display again.
inline void StopEmulating() {
    unsetenv(zrusb::kEmulatorVariable);
    unsetenv(zrusb::kEmulatorFaultVariable);
}

// The file in which the emulated display held in `folder` keeps its memory.
inline std::filesystem::path MemoryFileIn(const std::filesystem::path& folder) {
    return folder / zrusb::kMemoryFileName;
}

// A fresh emulated display: a folder named by ZRUSB_EMULATOR, with no faults. The folder and
// both variables go with the object.
class EmulatorDirectory {
public:
    EmulatorDirectory() {
        UseEmulatorAt(path_);
        SetFaults("");
    }
    ~EmulatorDirectory() { StopEmulating(); }
    EmulatorDirectory(const EmulatorDirectory&) = delete;
    EmulatorDirectory& operator=(const EmulatorDirectory&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::vector<std::string> LoggedPackets() const {
        return ReadLines(path_ / zrusb::kPacketLogName);
    }
    // After another display was used: this one again, from the next open on.
    void Use() const { UseEmulatorAt(path_); }
    std::filesystem::path MemoryFile() const { return MemoryFileIn(path_); }
    bool HasMemory() const { return std::filesystem::exists(MemoryFile()); }
    std::vector<std::uint8_t> Memory() const {
        return ReadBytes<std::vector<std::uint8_t>>(MemoryFile());
    }

private:
    TempDirectory folder_{"lumera-display"};
    std::filesystem::path path_ = folder_.path();
};

}  // namespace lumera::testing
