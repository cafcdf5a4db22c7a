#include "outside/device_binding.h"

#include <dlfcn.h>

#include <utility>

namespace lumera {

namespace {

void* loadLibrary(const char* fileOrName) {
    return dlopen(fileOrName, RTLD_NOW | RTLD_LOCAL);
}

template <typename Function>
Function lookUp(void* module, const char* name) {
    return module ? reinterpret_cast<Function>(dlsym(module, name)) : nullptr;
}

}  // namespace

DeviceBinding::~DeviceBinding() {
    Release();
}

DeviceBinding::DeviceBinding(DeviceBinding&& other) noexcept
    : module_(std::exchange(other.module_, nullptr)),
      entryPoints_(std::exchange(other.entryPoints_, {})),
      listDevices_(std::exchange(other.listDevices_, nullptr)) {}

DeviceBinding& DeviceBinding::operator=(DeviceBinding&& other) noexcept {
    if (this != &other) {
        Release();
        module_ = std::exchange(other.module_, nullptr);
        entryPoints_ = std::exchange(other.entryPoints_, {});
        listDevices_ = std::exchange(other.listDevices_, nullptr);
    }
    return *this;
}

DeviceBinding DeviceBinding::Bind(Prompter& prompter) {
    const auto located = LocateProgramFiles().deviceLibrary;
    void* module = located.empty() ? nullptr : loadLibrary(located.c_str());
    if (!module) {
        module = loadLibrary(kDeviceLibraryFileName);
    }
    return bindModule(module, prompter);
}

DeviceBinding DeviceBinding::Bind(Prompter& prompter, const std::filesystem::path& libraryFile) {
    // A bare name would send dlopen through the system's search; the caller meant this file.
    const auto file = libraryFile.has_parent_path() ? libraryFile : "." / libraryFile;
    return bindModule(loadLibrary(file.c_str()), prompter);
}

DeviceBinding DeviceBinding::bindModule(void* module, Prompter& prompter) {
    if (!module) {
        prompter.Information(kCantLoadDeviceLibraryText);
    }
    DeviceBinding binding;
    binding.module_ = module;
    binding.entryPoints_ = {
        lookUp<OpenUSBDeviceFunction>(module, "OpenUSBDevice"),
        lookUp<CloseUSBDeviceFunction>(module, "CloseUSBDevice"),
        lookUp<WriteUSBFunction>(module, "WriteUSB"),
        lookUp<ReadUSBFunction>(module, "ReadUSB"),
    };
    // A library without the pair still sends, only without keeping other Sends off.
    const auto claim = lookUp<ClaimUSBDeviceFunction>(module, "ClaimUSBDevice");
    const auto release = lookUp<ReleaseUSBDeviceFunction>(module, "ReleaseUSBDevice");
    if (claim && release) {
        binding.entryPoints_.ClaimUSBDevice = claim;
        binding.entryPoints_.ReleaseUSBDevice = release;
    }
    binding.listDevices_ = lookUp<ListUSBDevicesFunction>(module, "ListUSBDevices");
    if (!binding.entryPoints_.complete()) {
        binding.Release();
        prompter.Information(kDeviceLibraryEntryPointText);
    }
    return binding;
}

void DeviceBinding::Release() {
    if (module_) {
        dlclose(module_);
    }
    module_ = nullptr;
    entryPoints_ = {};
    listDevices_ = nullptr;
}

}  // namespace lumera
