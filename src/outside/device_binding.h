#pragma once

#include <filesystem>

#include "editing/program_directory.h"
#include "editing/prompter.h"
#include "outside/device_binding_entry_points.h"

namespace lumera {

// The reports keep the library's historical name: operators and support know them by it.
inline constexpr char kCantLoadDeviceLibraryText[] = "Can't Load ZRUSB.dll";
inline constexpr char kDeviceLibraryEntryPointText[] = "Load ZRUSB.dll file error!";

// The loaded device library and its four entry points. Holds the library open for its
// whole life and releases it when destroyed (or earlier, with Release). Movable, not
// copyable, so exactly one owner releases the library.
class DeviceBinding {
public:
    DeviceBinding() = default;
    ~DeviceBinding();
    DeviceBinding(DeviceBinding&& other) noexcept;
    DeviceBinding& operator=(DeviceBinding&& other) noexcept;
    DeviceBinding(const DeviceBinding&) = delete;
    DeviceBinding& operator=(const DeviceBinding&) = delete;

    // Loads "libZRUSB.so" where LocateProgramFiles() finds it (beside the executable, then
    // in the install tree), else by the system's search, and binds
    // its entry points. Reports through Prompter::Information: "Can't Load ZRUSB.dll" when
    // no file loads, then "Load ZRUSB.dll file error!" when any entry point is missing
    // (always after a failed load). The result is unbound after either report.
    static DeviceBinding Bind(Prompter& prompter);
    // The same with the one library file given (no search).
    static DeviceBinding Bind(Prompter& prompter, const std::filesystem::path& libraryFile);

    bool IsBound() const { return module_ != nullptr; }
    // All four null when unbound.
    const DeviceEntryPoints& entryPoints() const { return entryPoints_; }
    // The optional listing entry point; null when unbound or when the library lacks it.
    ListUSBDevicesFunction listDevices() const { return listDevices_; }

    // Unloads the library and clears the entry points; harmless when unbound.
    void Release();

private:
    static DeviceBinding bindModule(void* module, Prompter& prompter);

    void* module_ = nullptr;
    DeviceEntryPoints entryPoints_;
    ListUSBDevicesFunction listDevices_ = nullptr;
};

}  // namespace lumera
